#include "cliques/clique_list.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// n cliques of 2 to 8 labels drawn from "0" to "199" in random order, with
// many repeats (about a tenth of the entries are distinct); the same on every run.
CliqueList randomCliques(int n) {
    std::mt19937 engine(7u);
    std::uniform_int_distribution<int> size(2, 8);
    std::uniform_int_distribution<int> label(0, 199);
    CliqueList distinct;
    for (int i = 0; i < n / 10 + 1; ++i) {
        Clique clique;
        for (int s = size(engine); s > 0; --s)
            clique.members.append(QByteArray::number(label(engine)));
        distinct.append(clique);
    }
    std::uniform_int_distribution<qsizetype> pick(0, distinct.size() - 1);
    CliqueList cliques;
    for (int i = 0; i < n; ++i) {
        Clique clique = distinct[pick(engine)];
        std::shuffle(clique.members.begin(), clique.members.end(), engine);
        cliques.append(clique);
    }
    return cliques;
}

void BM_RemoveRedundantCliques(benchmark::State& state) {
    const CliqueList input = randomCliques(int(state.range(0)));
    for (auto _ : state) {
        CliqueList cliques = input;
        removeRedundantCliques(cliques);
        benchmark::DoNotOptimize(cliques);
    }
}
BENCHMARK(BM_RemoveRedundantCliques)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortCliquesBySize(benchmark::State& state) {
    const CliqueList input = randomCliques(int(state.range(0)));
    for (auto _ : state) {
        CliqueList cliques = input;
        sortCliquesBySize(cliques, SizeOrder::Descending);
        benchmark::DoNotOptimize(cliques);
    }
}
BENCHMARK(BM_SortCliquesBySize)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LargestCliqueSize(benchmark::State& state) {
    const CliqueList cliques = randomCliques(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(largestCliqueSize(cliques, nullptr));
}
BENCHMARK(BM_LargestCliqueSize)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_CliqueListBytes(benchmark::State& state) {
    const CliqueList cliques = randomCliques(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(cliqueListBytes(cliques));
}
BENCHMARK(BM_CliqueListBytes)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
