#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "support/numbered_graphs.h"

#include <benchmark/benchmark.h>

namespace {

// From the edge texts of the store to the clique number, without a step limit.
void cliqueNumber(benchmark::State& state, const GraphStore& store) {
    MaximumCliqueResult result;
    for (auto _ : state) {
        const ExactGraph graph = buildExactGraph(store);
        result = maximumClique(graph, kNoStepLimit);
        benchmark::DoNotOptimize(result);
    }
    state.counters["omega"] = double(result.clique.size());
    state.counters["steps"] = double(result.steps);
}

void BM_ExactCliqueNumber_Random200(benchmark::State& state) {
    cliqueNumber(state, randomGraph(200, 0.5, 20240611u));
}

void BM_ExactCliqueNumber_Random200_07(benchmark::State& state) {
    cliqueNumber(state, randomGraph(200, 0.7, 20240612u));
}

void BM_ExactCliqueNumber_Random400_05(benchmark::State& state) {
    cliqueNumber(state, randomGraph(400, 0.5, 20240613u));
}

void BM_ExactCliqueNumber_Hamming8_4(benchmark::State& state) {
    cliqueNumber(state, hammingGraph(8, 4));
}

void BM_ExactCliqueNumber_Random200_09(benchmark::State& state) {
    cliqueNumber(state, randomGraph(200, 0.9, 20240614u));
}

void BM_ExactCliqueNumber_Keller4(benchmark::State& state) {
    cliqueNumber(state, kellerGraph(4));
}

// The 2-subsets of 16 elements, joined when disjoint.
void BM_ExactCliqueNumber_Johnson16_2_4(benchmark::State& state) {
    cliqueNumber(state, johnsonGraph(16, 2, 4));
}

// The same graphs numbered at random: the time must not hang on the numbering.
void BM_ExactCliqueNumber_Hamming8_4_Shuffled(benchmark::State& state) {
    cliqueNumber(state, renumberedGraph(hammingGraph(8, 4), 20260426u));
}

void BM_ExactCliqueNumber_Keller4_Shuffled(benchmark::State& state) {
    cliqueNumber(state, renumberedGraph(kellerGraph(4), 20260426u));
}

void BM_ExactCliqueNumber_Johnson8_4_4(benchmark::State& state) {
    cliqueNumber(state, johnsonGraph(8, 4, 4));
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
BENCHMARK(BM_ExactCliqueNumber_Random200_07)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Random400_05)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Hamming8_4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Random200_09)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Hamming8_4_Shuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Keller4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Keller4_Shuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Johnson16_2_4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCliqueNumber_Johnson8_4_4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactRefresh_Random15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactRefresh_MoonMoser15)->Unit(benchmark::kMillisecond);
