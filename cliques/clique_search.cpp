#include "clique_search.h"

#include "cliques/search_play.h"

#include "graph/label_numbers.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

// What one run needs of the graph, translated from the texts once: the
// labels numbered, the number of every vertex, and the counted edges (the
// first edgeCount) as pairs of numbers.
struct NumberedStore {
    explicit NumberedStore(const GraphStore& store)
        : labels(store.vertices.entries()), vertexNumbers(labels.numbers()),
          edges(numberEdges(store.edges, store.edgeCount, labels)) {}

    LabelNumbers labels;
    std::vector<int> vertexNumbers; // by index into the store's vertices
    std::vector<NumberedEdge> edges;
};

// Keeps the vertices that a counted edge touches, their numbers alongside.
void removeIsolated(GraphStore& store, NumberedStore& numbered) {
    // A label is touched when it is either end of one of the counted edges.
    std::vector<char> touched(std::size_t(numbered.labels.count()), 0);
    for (const NumberedEdge& edge : numbered.edges)
        for (int end : {edge.first, edge.second})
            if (end >= 0)
                touched[std::size_t(end)] = 1;
    TextList kept;
    std::vector<int> keptNumbers;
    for (qsizetype i = 0; i < store.vertices.count(); ++i) {
        const int number = numbered.vertexNumbers[std::size_t(i)];
        if (touched[std::size_t(number)]) {
            kept.append(store.vertices[i]);
            keptNumbers.push_back(number);
        }
    }
    store.vertices = kept;
    numbered.vertexNumbers = std::move(keptNumbers);
}

// Adjacency between the vertices, as rows of bits by vertex index. Vertex u
// counts as joined to v when their labels differ and some counted edge has
// the one label at one end and the other at the other end, exactly as the
// partner look-up of the edge texts decides it.
class VertexAdjacency {
public:
    explicit VertexAdjacency(const NumberedStore& numbered)
        : m_n(numbered.vertexNumbers.size()), m_words((m_n + 63) / 64), m_rows(m_n * m_words, 0) {
        // The vertices that carry each label, usually one.
        std::vector<std::vector<int>> holders(std::size_t(numbered.labels.count()));
        for (std::size_t i = 0; i < m_n; ++i)
            holders[std::size_t(numbered.vertexNumbers[i])].push_back(int(i));
        for (const NumberedEdge& edge : numbered.edges) {
            // An end that is no vertex can never be a member. A loop joins no
            // label to itself: otherwise a second vertex with a member's label
            // could join, and a clique would hold that label twice.
            if (edge.first < 0 || edge.second < 0 || edge.first == edge.second)
                continue;
            for (int a : holders[std::size_t(edge.first)])
                for (int b : holders[std::size_t(edge.second)]) {
                    set(a, b);
                    set(b, a);
                }
        }
    }

    std::size_t words() const { return m_words; }
    const std::uint64_t* row(qsizetype v) const { return m_rows.data() + std::size_t(v) * m_words; }

private:
    void set(int from, int to) {
        m_rows[std::size_t(from) * m_words + std::size_t(to) / 64] |= std::uint64_t(1) << (to % 64);
    }

    std::size_t m_n;
    std::size_t m_words;
    std::vector<std::uint64_t> m_rows;
};

// The first vertex index from `from` on that both sets hold, -1 when none.
qsizetype firstCommon(const std::uint64_t* a, const std::uint64_t* b, std::size_t words,
                      qsizetype from) {
    std::size_t w = std::size_t(from) / 64;
    if (w >= words)
        return -1;
    std::uint64_t bits = a[w] & b[w] & (~std::uint64_t(0) << (from % 64));
    while (bits == 0) {
        if (++w == words)
            return -1;
        bits = a[w] & b[w];
    }
    return qsizetype(w * 64) + std::countr_zero(bits);
}

bool anyFrom(const std::uint64_t* a, std::size_t words, qsizetype from) {
    std::size_t w = std::size_t(from) / 64;
    if (w >= words)
        return false;
    if ((a[w] & (~std::uint64_t(0) << (from % 64))) != 0)
        return true;
    return std::any_of(a + w + 1, a + words, [](std::uint64_t bits) { return bits != 0; });
}

// From every start vertex: the candidates are the vertices with another
// label, in list order. Going through them, the first one joined to all
// members joins; at the end of the list the members are recorded, and the
// last of them is dropped (for good) to try again from the first candidate,
// until two members are left. With candidates and common neighbours as bit
// sets, going through the list is a search for the next common bit.
template <class Observer>
void greedySearch(const GraphStore& store, const NumberedStore& numbered, CliqueList& cliques,
                  ProgressSink* progress, Observer& observer) {
    const VertexAdjacency adjacency(numbered);
    const TextList& vertices = store.vertices;
    const std::vector<int>& ids = numbered.vertexNumbers;
    const qsizetype n = vertices.count();
    const std::size_t words = adjacency.words();

    // The slice of common for k members holds the vertices joined to each of
    // them. Slices are reused from one start vertex to the next.
    std::vector<std::uint64_t> common;
    std::vector<std::uint64_t> candidates(words);
    std::vector<qsizetype> members; // indices into vertices

    // Every candidate from `from` up to `to` (not included, -1: to the end) was
    // passed over: it lacks an edge to a member. Only a play wants to hear it.
    auto reportRefused = [&](qsizetype from, qsizetype to) {
        if constexpr (Observer::kWantsDetails) {
            const qsizetype end = to < 0 ? n : to;
            for (qsizetype i = from; i < end; ++i) {
                if (!((candidates[std::size_t(i) / 64] >> (i % 64)) & 1u))
                    continue;
                const auto lacking = std::find_if(members.begin(), members.end(), [&](qsizetype m) {
                    return !((adjacency.row(m)[std::size_t(i) / 64] >> (i % 64)) & 1u);
                });
                observer.candidateRefused(int(i), int(*lacking));
            }
        }
    };

    for (qsizetype s = 0; s < n && !observer.stopped(); ++s) {
        observer.startVertex(int(s));
        members.assign(1, s);
        std::fill(candidates.begin(), candidates.end(), 0);
        qsizetype left = 0;
        for (qsizetype i = 0; i < n; ++i)
            if (ids[std::size_t(i)] != ids[std::size_t(s)]) {
                candidates[std::size_t(i) / 64] |= std::uint64_t(1) << (i % 64);
                ++left;
            }
        common.assign(adjacency.row(s), adjacency.row(s) + words);

        qsizetype from = 0;
        while (left > 0 && !observer.stopped()) {
            const std::uint64_t* last = common.data() + (members.size() - 1) * words;
            const qsizetype c = firstCommon(candidates.data(), last, words, from);
            reportRefused(from, c);
            if (c >= 0) {
                observer.candidateJoined(int(c));
                common.resize(common.size() + words);
                last = common.data() + (members.size() - 1) * words;
                std::transform(last, last + words, adjacency.row(c),
                               common.data() + members.size() * words, std::bit_and<>());
                members.push_back(c);
                candidates[std::size_t(c) / 64] &= ~(std::uint64_t(1) << (c % 64));
                --left;
                from = c + 1;
                if (anyFrom(candidates.data(), words, from))
                    continue;
            }
            Clique found;
            found.members.reserve(qsizetype(members.size()));
            for (qsizetype m : members)
                found.members.append(vertices[m]);
            cliques.append(std::move(found));
            observer.cliqueRecorded();
            if (members.size() > 2) {
                observer.memberDropped(int(members.back()));
                members.pop_back();
                common.resize(common.size() - words);
            } else {
                observer.roundEnded();
                left = 0;
            }
            from = 0;
        }
        if (progress)
            progress->setPosition(int(s + 1));
    }
}

} // namespace

void removeIsolatedVertices(GraphStore& store) {
    NumberedStore numbered(store);
    removeIsolated(store, numbered);
}

void greedyCliqueSearch(const GraphStore& store, CliqueList& cliques, ProgressSink* progress) {
    SilentSearchObserver silent;
    greedySearch(store, NumberedStore(store), cliques, progress, silent);
}

template <class Observer>
void searchGreedily(const GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                    Observer& observer) {
    greedySearch(store, NumberedStore(store), cliques, progress, observer);
}

template void searchGreedily<GreedyStepRecorder>(const GraphStore&, CliqueList&, ProgressSink*,
                                                 GreedyStepRecorder&);

namespace {

// Silent but for the question whether to stop.
struct StoppableSearchObserver : SilentSearchObserver {
    std::stop_token stop;
    bool stopped() const { return stop.stop_requested(); }
};

template <class Observer>
void searchFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                           Observer& observer) {
    // One translation for both passes: removing vertices keeps the others'
    // numbers, and the edges stay the same.
    NumberedStore numbered(store);
    removeIsolated(store, numbered);
    store.refreshVertexCount();
    if (progress)
        progress->setMaximum(int(store.vertexCount));
    greedySearch(store, numbered, cliques, progress, observer);
}

} // namespace

void searchCliquesFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress) {
    SilentSearchObserver silent;
    searchFromEveryVertex(store, cliques, progress, silent);
}

void searchCliquesFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                                  std::stop_token stop) {
    StoppableSearchObserver stoppable;
    stoppable.stop = std::move(stop);
    searchFromEveryVertex(store, cliques, progress, stoppable);
}
