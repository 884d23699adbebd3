#include "files/file_access.h"
#include "files/list_files.h"
#include "files/graph_formats.h"
#include "graph/graph_layout.h"
#include "support/numbered_graphs.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
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
        opened = openGraphFile(fileName);
        benchmark::DoNotOptimize(opened.graph.edges.count());
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

} // namespace

BENCHMARK(BM_OpenDimacs_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEdgeList_1000000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout_200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout_1000)->Unit(benchmark::kMillisecond);
