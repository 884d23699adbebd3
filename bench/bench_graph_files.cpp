#include "app/program.h"
#include "files/file_access.h"
#include "files/graph_formats.h"
#include "files/list_files.h"
#include "graph/graph_layout.h"
#include "support/main_window_driver.h"
#include "support/numbered_graphs.h"
#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <utility>
#include <vector>

namespace {

// n vertices and exactly m of their pairs, chosen at random with a fixed seed.
GraphStore pickedPairs(int n, int m, unsigned seed) {
    std::vector<std::pair<int, int>> pairs;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            pairs.emplace_back(a, b);
    std::shuffle(pairs.begin(), pairs.end(), std::mt19937(seed));
    pairs.resize(std::size_t(m));
    GraphStore store;
    for (int v = 1; v <= n; ++v)
        store.vertices.append(QByteArray::number(v));
    for (const auto& [a, b] : pairs)
        store.edges.append(QByteArray::number(a) + '-' + QByteArray::number(b));
    store.refreshCounts();
    return store;
}

// From the file on disk to the graph in the store's texts.
void openFile(benchmark::State& state, const QString& name, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString fileName = dir.filePath(name);
    if (!writeFileAtomically(fileName, bytes)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    OpenedGraph opened;
    for (auto _ : state) {
        OpenedGraph read = openGraphFile(fileName);
        benchmark::DoNotOptimize(read.graph.edges.count());
        // Freeing the graph read before is no part of reading this one.
        state.PauseTiming();
        opened = std::move(read);
        state.ResumeTiming();
    }
    if (!opened.ok())
        state.SkipWithError(qPrintable(opened.message));
    state.counters["vertices"] = double(opened.graph.vertexCount);
    state.counters["edges"] = double(opened.graph.edgeCount);
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_OpenDimacs_1000(benchmark::State& state) {
    openFile(state, "dense.clq", dimacsText(pickedPairs(1000, 250'000, 1000u)).bytes);
}

// 10^6 lines of two labels among 100,000.
void BM_OpenEdgeList_1000000Lines(benchmark::State& state) {
    std::mt19937 engine(20240611u);
    std::uniform_int_distribution<int> vertex(0, 99'999);
    QByteArray bytes;
    for (int line = 0; line < 1'000'000; ++line)
        bytes += "v" + QByteArray::number(vertex(engine)) + " v" +
                 QByteArray::number(vertex(engine)) + '\n';
    openFile(state, "large.edges", bytes);
}

void layout(benchmark::State& state, const GraphStore& store) {
    int legible = 0;
    for (auto _ : state) {
        const GraphLayout layout = layoutGraph(store);
        legible = int(layout.legibleLabels.size());
        benchmark::DoNotOptimize(layout.positions.centres.size());
    }
    state.counters["legible"] = legible;
}

void BM_Layout_200(benchmark::State& state) {
    layout(state, randomGraph(200, 0.5, 200u));
}

// The graph of BM_OpenDimacs_1000.
void BM_Layout_1000(benchmark::State& state) {
    layout(state, pickedPairs(1000, 250'000, 1000u));
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// From accepting a dialog to the drawing on screen, through the main window:
// reading, layout, picture, undo step, the windows that hear of the change.
// clickAndAnswer queues the dialogs' answers and clicks the button. The
// counters give the longest time the window went without handling its events
// (a timer that fires whenever it does): longest_pause_ms in time passed,
// longest_pause_cpu_ms in the processor time of the thread, which other
// programs on a busy machine do not stretch.
template <typename ClickAndAnswer>
void throughMainWindow(benchmark::State& state, ClickAndAnswer clickAndAnswer) {
    ScriptedDialogs dialogs;
    MainWindowDriver driver;
    driver.choose(2);
    const PictureArea* picture = control<PictureArea>(driver.f, "Image1");
    QElapsedTimer sinceEvents;
    double cpuAtEvents = 0;
    qint64 longestPause = 0;
    double longestCpuPause = 0;
    QTimer events;
    events.setInterval(0);
    QObject::connect(&events, &QTimer::timeout, [&] {
        longestPause = std::max(longestPause, sinceEvents.restart());
        const double cpu = threadCpuMs();
        longestCpuPause = std::max(longestCpuPause, cpu - cpuAtEvents);
        cpuAtEvents = cpu;
    });
    for (auto _ : state) {
        sinceEvents.start();
        cpuAtEvents = threadCpuMs();
        events.start();
        dialogs.messages.clear();
        clickAndAnswer(dialogs, driver.f);
        QCoreApplication::processEvents(); // the repaint
        events.stop();
        // Prompts are fine, errors are not.
        dialogs.messages.removeIf(
            [](const ScriptedDialogs::Message& m) { return m.caption == Texts::MeldungCaption; });
        if (picture->isEmpty() || !dialogs.messages.isEmpty()) {
            state.SkipWithError(dialogs.messages.isEmpty()
                                    ? "nothing drawn"
                                    : qPrintable(dialogs.messages.first().text));
            return;
        }
    }
    state.counters["vertices"] = double(storeOf(driver.f).vertices.count());
    state.counters["edges"] = double(storeOf(driver.f).edges.count());
    state.counters["longest_pause_ms"] = double(longestPause);
    state.counters["longest_pause_cpu_ms"] = longestCpuPause;
}

// "Öffnen…" with the file of BM_OpenDimacs_1000.
void BM_MainWindowOpenDimacs_1000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString fileName = dir.filePath("dense.clq");
    if (!writeFileAtomically(fileName, dimacsText(pickedPairs(1000, 250'000, 1000u)).bytes)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    throughMainWindow(state, [&](ScriptedDialogs& dialogs, MainWindow& window) {
        dialogs.answer(fileName);
        click(control<QPushButton>(window, "ButtonOpen"));
    });
}

// "Import" of 1,000 labels and 10^6 edge texts among them (repeats and
// both directions included), the picture dialog cancelled.
void BM_MainWindowImport_1000Labels_1000000Edges(benchmark::State& state) {
    QTemporaryDir dir;
    std::mt19937 engine(20240612u);
    std::uniform_int_distribution<int> vertex(1, 1000);
    QByteArray vertices;
    for (int v = 1; v <= 1000; ++v)
        vertices += QByteArray::number(v) + "\r\n";
    QByteArray edges;
    for (int e = 0; e < 1'000'000; ++e)
        edges +=
            QByteArray::number(vertex(engine)) + '-' + QByteArray::number(vertex(engine)) + "\r\n";
    const QString vertexFile = dir.filePath("knoten.txt");
    const QString edgeFile = dir.filePath("kanten.txt");
    if (!writeFileAtomically(vertexFile, vertices) || !writeFileAtomically(edgeFile, edges)) {
        state.SkipWithError("cannot write the files");
        return;
    }
    throughMainWindow(state, [&](ScriptedDialogs& dialogs, MainWindow& window) {
        dialogs.answerEach({std::nullopt, vertexFile, edgeFile});
        click(control<QPushButton>(window, "BitBtn4"));
    });
}

} // namespace

BENCHMARK(BM_MainWindowOpenDimacs_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowImport_1000Labels_1000000Edges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDimacs_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEdgeList_1000000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout_200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout_1000)->Unit(benchmark::kMillisecond);
