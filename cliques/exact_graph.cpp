#include "exact_graph.h"

#include "graph/label_numbers.h"

#include <bit>

bool VertexSet::empty() const {
    return std::all_of(m_words.begin(), m_words.end(), [](std::uint64_t w) { return w == 0; });
}

int VertexSet::count() const {
    int n = 0;
    for (std::uint64_t w : m_words)
        n += std::popcount(w);
    return n;
}

int VertexSet::first() const {
    for (std::size_t i = 0; i < m_words.size(); ++i)
        if (m_words[i] != 0)
            return int(i * 64) + std::countr_zero(m_words[i]);
    return -1;
}

std::vector<int> VertexSet::members() const {
    std::vector<int> result;
    for (std::size_t i = 0; i < m_words.size(); ++i)
        for (std::uint64_t w = m_words[i]; w != 0; w &= w - 1)
            result.push_back(int(i * 64) + std::countr_zero(w));
    return result;
}

ExactGraph buildExactGraph(const GraphStore& store) {
    ExactGraph graph;
    const LabelNumbers numbers(store.vertices.entries());
    graph.labels = numbers.labels();
    graph.neighbours.assign(std::size_t(graph.size()), VertexSet(graph.size()));
    for (const NumberedEdge& edge : numberEdges(store.edges, store.edges.count(), numbers)) {
        if (edge.first < 0 || edge.second < 0 || edge.first == edge.second)
            continue;
        graph.neighbours[std::size_t(edge.first)].insert(edge.second);
        graph.neighbours[std::size_t(edge.second)].insert(edge.first);
    }
    return graph;
}
