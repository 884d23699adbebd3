#include "cliques/practice/choice.h"
#include "cliques/practice/choice_drawing.h"
#include "cliques/practice/planted_clique.h"
#include "graph/graph_layout.h"
#include "graph/graph_picture_drawing.h"
#include "support/numbered_graphs.h"

#include <benchmark/benchmark.h>

namespace {

// A new exercise graph: the random graph, and the exact searches that make
// sure no clique is larger than the planted one.
void BM_PlantedCliqueGraph(benchmark::State& state) {
    const auto level = ExerciseLevel(state.range(0));
    std::uint64_t seed = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plantedCliqueGraph(level, ++seed));
}

// What one click on the drawing costs before the overlay is drawn: the
// choice judged on the graph as the window holds it.
void BM_ChoiceVerdict_Random200(benchmark::State& state) {
    const ExactGraph graph = buildExactGraph(randomGraph(200, 0.5, 24u));
    QList<QByteArray> choice;
    for (int v = 0; v < 200; v += 20)
        choice.append(QByteArray::number(v));
    for (auto _ : state)
        benchmark::DoNotOptimize(choiceVerdict(analyseChoice(graph, choice), 9, false));
}

// "Komplement zeigen" on the largest graph whose complement is drawn.
void BM_ComplementLayer(benchmark::State& state) {
    const GraphStore store = randomGraph(int(state.range(0)), 0.5, 25u);
    const GraphLayout layout = layoutGraphForPicture(store);
    const QImage picture = drawGraphPicture(store, layout);
    const ExactGraph graph = buildExactGraph(store);
    for (auto _ : state) {
        const ExactGraph complement = complementGraph(graph);
        benchmark::DoNotOptimize(drawComplement(picture, layout.positions, edgeList(complement)));
    }
}

} // namespace

BENCHMARK(BM_PlantedCliqueGraph)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChoiceVerdict_Random200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComplementLayer)->Arg(30)->Arg(kComplementDrawLimit)->Unit(benchmark::kMillisecond);
