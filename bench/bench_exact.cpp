#include "cliques/clique_search.h"
#include "cliques/exact_cliques.h"
#include "support/numbered_graphs.h"

#include <benchmark/benchmark.h>

namespace {

// From the edge texts of the store to the clique number.
void BM_ExactCliqueNumber_Random200(benchmark::State& state) {
    const GraphStore store = randomGraph(200, 0.5, 20240611u);
    std::size_t omega = 0;
    for (auto _ : state) {
        const ExactGraph graph = buildExactGraph(store);
        omega = maximumClique(graph).clique.size();
        benchmark::DoNotOptimize(omega);
    }
    state.counters["omega"] = double(omega);
}

// Everything the analysis window computes for a refresh: clique number, all
// maximal cliques, comparison with the greedy list and the texts shown.
void refresh(benchmark::State& state, const GraphStore& store) {
    GraphStore searched = store;
    CliqueList greedy;
    searchCliquesFromEveryVertex(searched, greedy, nullptr);
    qsizetype rows = 0;
    for (auto _ : state) {
        const ExactAnalysis analysis = analyseExactly(store, greedy, 4);
        QStringList shown;
        for (const MaximalCliqueEntry& entry : analysis.maximalCliques)
            shown.append(cliqueDisplayText(entry.clique));
        shown << maximalCliqueCountText(analysis) << decisionQuestionText(analysis)
              << exactDecisionText(analysis) << exampleText(analysis) << comparisonText(analysis);
        rows = analysis.maximalCliques.size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["cliques"] = double(rows);
}

void BM_ExactRefresh_Random15(benchmark::State& state) {
    refresh(state, randomGraph(15, 0.5, 15u));
}

// 15 vertices with the most maximal cliques any such graph has (3^5 = 243).
void BM_ExactRefresh_MoonMoser15(benchmark::State& state) {
    refresh(state, moonMoser(5));
}

} // namespace

BENCHMARK(BM_ExactCliqueNumber_Random200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactRefresh_Random15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactRefresh_MoonMoser15)->Unit(benchmark::kMillisecond);
