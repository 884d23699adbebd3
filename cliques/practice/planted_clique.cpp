#include "planted_clique.h"

#include "cliques/maximum_clique.h"
#include "graph/random.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The graph as an adjacency matrix while it is made.
class Matrix {
public:
    explicit Matrix(int n) : m_n(n), m_joined(std::size_t(n * n), 0) {}
    void set(int a, int b, bool joined) {
        m_joined[std::size_t(a * m_n + b)] = joined;
        m_joined[std::size_t(b * m_n + a)] = joined;
    }
    bool joined(int a, int b) const { return m_joined[std::size_t(a * m_n + b)] != 0; }
    int degree(int v) const {
        return int(std::count(m_joined.begin() + v * m_n, m_joined.begin() + (v + 1) * m_n, 1));
    }
    ExactGraph exact() const {
        ExactGraph graph;
        for (int v = 0; v < m_n; ++v)
            graph.labels.append(QByteArray::number(v));
        graph.neighbours.assign(std::size_t(m_n), VertexSet(m_n));
        for (int a = 0; a < m_n; ++a)
            for (int b = 0; b < m_n; ++b)
                if (joined(a, b))
                    graph.neighbours[std::size_t(a)].insert(b);
        return graph;
    }

private:
    int m_n;
    std::vector<char> m_joined;
};

} // namespace

LevelShape levelShape(ExerciseLevel level) {
    switch (level) {
    case ExerciseLevel::Easy:
        return {8, 4, 30};
    case ExerciseLevel::Medium:
        return {15, 5, 35};
    case ExerciseLevel::Hard:
        return {25, 6, 40};
    }
    return {8, 4, 30};
}

QString levelName(ExerciseLevel level) {
    switch (level) {
    case ExerciseLevel::Easy:
        return "leicht";
    case ExerciseLevel::Medium:
        return "mittel";
    case ExerciseLevel::Hard:
        return "schwer";
    }
    return QString();
}

PlantedCliqueGraph plantedCliqueGraph(ExerciseLevel level, std::uint64_t seed) {
    const LevelShape shape = levelShape(level);
    const int n = shape.vertices;
    RandomGenerator random(seed);

    // The planted vertices: the first k of the vertices shuffled.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    for (int i = n - 1; i > 0; --i)
        std::swap(order[std::size_t(i)], order[random.below(std::uint32_t(i + 1))]);
    std::vector<char> planted(static_cast<std::size_t>(n), 0);
    for (int i = 0; i < shape.cliqueSize; ++i)
        planted[std::size_t(order[std::size_t(i)])] = 1;

    Matrix matrix(n);
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            matrix.set(a, b,
                       (planted[std::size_t(a)] && planted[std::size_t(b)]) ||
                           int(random.below(100)) < shape.edgePercent);

    // A larger clique holds a vertex outside the planted set; one of its
    // edges to such a vertex goes, until none is larger.
    for (;;) {
        const MaximumCliqueResult largest = maximumClique(matrix.exact(), kNoStepLimit);
        if (int(largest.clique.size()) <= shape.cliqueSize)
            break;
        std::vector<std::pair<int, int>> leaving;
        for (std::size_t i = 0; i < largest.clique.size(); ++i)
            for (std::size_t j = i + 1; j < largest.clique.size(); ++j) {
                const int a = largest.clique[i];
                const int b = largest.clique[j];
                if (!planted[std::size_t(a)] || !planted[std::size_t(b)])
                    leaving.emplace_back(a, b);
            }
        const auto [a, b] = leaving[random.below(std::uint32_t(leaving.size()))];
        matrix.set(a, b, false);
    }
    // A vertex without edges gets one: a clique through it has two vertices.
    for (int v = 0; v < n; ++v)
        if (matrix.degree(v) == 0) {
            int partner = int(random.below(std::uint32_t(n - 1)));
            if (partner >= v)
                ++partner;
            matrix.set(v, partner, true);
        }

    PlantedCliqueGraph graph;
    for (int v = 0; v < n; ++v)
        graph.store.vertices.append(QByteArray::number(v));
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (matrix.joined(a, b))
                graph.store.edges.append(QByteArray::number(a) + '-' + QByteArray::number(b));
    graph.store.refreshCounts();
    for (int v = 0; v < n; ++v)
        if (planted[std::size_t(v)])
            graph.planted.append(QByteArray::number(v));
    return graph;
}
