#include "cliques/clique_search.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// 200 vertices "0" to "199", every pair joined with probability 1/2; the same
// graph on every run.
GraphStore randomGraph200() {
    GraphStore store;
    std::mt19937 engine(20240611u);
    std::bernoulli_distribution joined(0.5);
    constexpr int n = 200;
    for (int i = 0; i < n; ++i)
        store.VertexList.append(QByteArray::number(i));
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (joined(engine))
                store.EdgeList.append(QByteArray::number(a) + '-' + QByteArray::number(b));
    return store;
}

void BM_CliqueSearch_Random200(benchmark::State& state) {
    const GraphStore graph = randomGraph200();
    qsizetype found = 0;
    for (auto _ : state) {
        GraphStore store = graph;
        CliqueList cliques;
        store.refreshCounts();
        RemoveIsolatedVertices(store);
        store.refreshVertexCount();
        GreedyCliqueSearch(store, cliques, nullptr);
        found = cliques.size();
        benchmark::DoNotOptimize(cliques);
    }
    state.counters["cliques"] = double(found);
}

} // namespace

BENCHMARK(BM_CliqueSearch_Random200)->Unit(benchmark::kMillisecond);
