#include "cliques/clique_search.h"
#include "support/numbered_graphs.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CliqueSearch_Random200(benchmark::State& state) {
    // 200 vertices, every pair joined with probability 1/2.
    const GraphStore graph = randomGraph(200, 0.5, 20240611u);
    qsizetype found = 0;
    for (auto _ : state) {
        GraphStore store = graph;
        CliqueList cliques;
        store.refreshCounts();
        searchCliquesFromEveryVertex(store, cliques, nullptr);
        found = cliques.size();
        benchmark::DoNotOptimize(cliques);
    }
    state.counters["cliques"] = double(found);
}

} // namespace

BENCHMARK(BM_CliqueSearch_Random200)->Unit(benchmark::kMillisecond);
