#pragma once

#include "graph/graph_store.h"

#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <stop_token>
#include <vector>

// The graph as both exact searches see it, and how a search may end early.

// A set of vertex numbers 0..n-1, 64 to a word.
class VertexSet {
public:
    VertexSet() = default;
    explicit VertexSet(int universe) : m_words(std::size_t(universe + 63) / 64, 0) {}

    void insert(int v) { m_words[std::size_t(v) >> 6] |= bit(v); }
    void erase(int v) { m_words[std::size_t(v) >> 6] &= ~bit(v); }
    bool contains(int v) const { return (m_words[std::size_t(v) >> 6] & bit(v)) != 0; }
    bool empty() const;
    int count() const;
    // The lowest member, -1 when empty.
    int first() const;
    // Members in ascending order.
    std::vector<int> members() const;

    const std::vector<std::uint64_t>& words() const { return m_words; }
    std::vector<std::uint64_t>& words() { return m_words; }

private:
    static std::uint64_t bit(int v) { return std::uint64_t(1) << (v & 63); }
    std::vector<std::uint64_t> m_words;
};

// The members that both sets hold; both over the same vertices.
inline VertexSet intersection(const VertexSet& a, const VertexSet& b) {
    VertexSet result = a;
    std::transform(b.words().begin(), b.words().end(), result.words().begin(),
                   result.words().begin(), std::bit_and<>());
    return result;
}

// The graph as the exact search sees it: the distinct labels of vertices in
// their first order, numbered 0..n-1, and the neighbours of each. Labels
// compare exactly; loops, repeated edges and edges with an end that is not a
// label are ignored.
struct ExactGraph {
    QList<QByteArray> labels;
    std::vector<VertexSet> neighbours;

    int size() const { return int(labels.size()); }
    bool adjacent(int a, int b) const { return neighbours[std::size_t(a)].contains(b); }
};

// Reads every entry of edges, not just the first edgeCount: the exact
// analysis looks at the store as it stands and does not depend on when the
// counters were last refreshed.
ExactGraph buildExactGraph(const GraphStore& store);

// Both searches take exponential time in the worst case. Graphs of the
// editor's size need a handful of branch steps, random graphs of 200 vertices
// with half of all edges a few thousand; a large dense imported graph could
// take hours. A search run on the user-interface thread therefore stops after
// this many steps (about a second) and says so; a search run on a thread of
// its own needs no limit, since the user can cancel it.
inline constexpr std::uint64_t kSearchStepLimit = 1'000'000;
inline constexpr std::uint64_t kNoStepLimit = std::numeric_limits<std::uint64_t>::max();

// How a search may end early.
struct SearchControl {
    std::uint64_t stepLimit = kSearchStepLimit;
    // A stop request, from any thread, ends the search at its next branch step.
    std::stop_token stop;
};
