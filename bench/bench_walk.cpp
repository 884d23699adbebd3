#include "app/program.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/random_walk.h"
#include "support/main_window_driver.h"
#include "support/numbered_graphs.h"
#include "support/scripted_dialogs.h"

#include <QSlider>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSteps = 9'000'000;

// "Ausführen" without the window: the walk's graph is built from the texts
// in every run.
void runWalk(benchmark::State& state, GraphStore& store) {
    seedRandom(20240601u);
    for (auto _ : state) {
        WalkResult result = randomWalk(store, kSteps, nullptr);
        benchmark::DoNotOptimize(result.visitCounts.data());
    }
}

void BM_RandomWalk_K15(benchmark::State& state) {
    GraphStore store = completeGraph(15);
    runWalk(state, store);
}
BENCHMARK(BM_RandomWalk_K15)->Unit(benchmark::kMillisecond);

// "Ausführen" in the heuristic window on the same graph and length as the
// core walk above: what the window adds (the progress window's repaints, the
// chart) shows as the difference between the two.
void BM_HeuristicWindowRun_K15(benchmark::State& state) {
    ScriptedDialogs dialogs;
    Program program;
    storeOf(program.mainWindow) = completeGraph(15);
    click(control<QPushButton>(program.mainWindow, "BitBtn10"));
    HeuristicWindow& window = program.heuristicWindow;
    spinTo(control<StepArrows>(window, "UpDown1"), 9);
    control<QSlider>(window, "TrackBar1")->setValue(6);
    if (window.iterations() != kSteps) {
        state.SkipWithError("the window does not offer 9,000,000 steps");
        return;
    }
    QPushButton* run = control<QPushButton>(window, "BitBtn1");
    const PictureArea* chart = control<PictureArea>(window, "Image1");
    seedRandom(20240601u);
    for (auto _ : state) {
        run->click();
        if (chart->isEmpty() || !dialogs.messages.isEmpty()) {
            state.SkipWithError("the walk drew no chart");
            return;
        }
    }
}
BENCHMARK(BM_HeuristicWindowRun_K15)->Unit(benchmark::kMillisecond);

void BM_RandomWalk_Sample1(benchmark::State& state) {
    GraphStore store;
    appendSampleGraph(store, 1);
    runWalk(state, store);
}
BENCHMARK(BM_RandomWalk_Sample1)->Unit(benchmark::kMillisecond);

// 499,500 edge texts to read before the walk starts.
void BM_RandomWalk_K1000(benchmark::State& state) {
    GraphStore store = completeGraph(1000);
    runWalk(state, store);
}
BENCHMARK(BM_RandomWalk_K1000)->Unit(benchmark::kMillisecond);

// The building part of BM_RandomWalk_K1000 alone.
void BM_WalkGraph_K1000(benchmark::State& state) {
    const GraphStore store = completeGraph(1000);
    for (auto _ : state) {
        const WalkGraph graph(store);
        benchmark::DoNotOptimize(graph.partnersBegin(0));
    }
}
BENCHMARK(BM_WalkGraph_K1000)->Unit(benchmark::kMillisecond);

} // namespace
