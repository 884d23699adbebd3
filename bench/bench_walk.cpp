#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/random_walk.h"
#include "support/numbered_graphs.h"

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
