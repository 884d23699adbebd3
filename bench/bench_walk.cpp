#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/random_walk.h"
#include "support/numbered_graphs.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSteps = 9'000'000;

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

} // namespace
