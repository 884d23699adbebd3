#pragma once

#include "cliques/clique.h"
#include "cliques/search_observer.h"
#include "graph/graph_store.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <stop_token>
#include <vector>

// Exact answers for the current graph, beside the greedy list: the clique
// number by branch and bound, all maximal cliques by Bron–Kerbosch, and how
// the greedy list compares.

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

struct MaximumCliqueResult {
    // As vertex numbers in ascending order; empty only for a graph without vertices.
    std::vector<int> clique;
    // False when the step limit or a stop request ended the search: a larger
    // clique may exist.
    bool complete = true;
    std::uint64_t steps = 0;
};

// Called with every clique larger than all found before (vertex numbers in
// ascending order), on the thread that runs the search.
using LargerCliqueFound = std::function<void(const std::vector<int>& clique)>;

// One largest clique.
MaximumCliqueResult maximumClique(const ExactGraph& graph,
                                  std::uint64_t stepLimit = kSearchStepLimit);
MaximumCliqueResult maximumClique(const ExactGraph& graph, const SearchControl& control,
                                  const LargerCliqueFound& found = {});

inline constexpr std::size_t kMaximalCliqueCap = 10000;

struct MaximalCliques {
    // Each as vertex numbers in ascending order, in the order found.
    std::vector<std::vector<int>> cliques;
    // True when the graph has more maximal cliques than the cap.
    bool truncated = false;
    // False when the cap, the step limit or a stop request ended the search early.
    bool complete = true;
};

// Every maximal clique, at most cap of them. An isolated vertex is a maximal
// clique of its own; a graph without vertices has none.
MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap = kMaximalCliqueCap,
                                       std::uint64_t stepLimit = kSearchStepLimit);
MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       const SearchControl& control);

// The same enumeration reporting every step to an observer (see
// cliques/search_observer.h).
template <class Observer>
MaximalCliques enumerateMaximalCliquesObserved(const ExactGraph& graph, std::size_t cap,
                                               std::uint64_t stepLimit, Observer& observer);

struct MaximalCliqueEntry {
    Clique clique; // normalised
    bool inGreedyList = false;
};

struct ExactAnalysis {
    qsizetype vertexCount = 0;
    // Exact when cliqueNumberComplete, else the size of the largest clique
    // found before the step limit or the stop request.
    qsizetype cliqueNumber = 0;
    bool cliqueNumberComplete = true;
    Clique largestClique; // normalised
    // Normalised, largest first, cliques of equal size in label order.
    QList<MaximalCliqueEntry> maximalCliques;
    bool truncated = false;
    bool maximalComplete = true;
    std::uint64_t stepLimit = kSearchStepLimit;
    // A stop request, not the step limit, ended a search early.
    bool cancelled = false;

    qsizetype greedyCount = 0;
    qsizetype greedyLargest = 0;
    // Every greedy clique is a clique of this graph. A list left over from an
    // earlier graph (an import keeps it) cannot be compared.
    bool greedyFitsGraph = true;

    qsizetype k = 1;
    // A found clique of k vertices answers "Ja" even when the search stopped early.
    bool exactAnswer() const { return cliqueNumber >= k; }
    bool exactAnswerKnown() const { return exactAnswer() || cliqueNumberComplete; }
    bool greedyAnswer() const { return greedyLargest >= k; }
    qsizetype missedByGreedy() const;
};

// What an analysis reports while it runs.
struct ExactProgress {
    // The largest clique found so far, normalised.
    Clique largestClique;
    // largestClique is a largest clique; the maximal cliques are being listed.
    bool cliqueNumberKnown = false;
};

// How an analysis may end early and whom it tells how far it has got. The
// step limit and the stop request hold for each of its two searches.
struct ExactAnalysisControl : SearchControl {
    // Called on the thread that runs the analysis: with every larger clique
    // found, the first found included, and once more when the clique number
    // is proved.
    std::function<void(const ExactProgress&)> progress;
};

// The exact analysis of the store, compared with the greedy list, for the
// decision question with k.
ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             std::uint64_t stepLimit = kSearchStepLimit);
ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             const ExactAnalysisControl& control);

// The texts the analysis window shows.
QString cliqueNumberText(const ExactAnalysis& analysis);
QString maximalCliqueCountText(const ExactAnalysis& analysis);
QString decisionQuestionText(const ExactAnalysis& analysis);
// "Ja", "Nein", or "Unbekannt" when the search stopped before it could tell.
QString exactDecisionText(const ExactAnalysis& analysis);
// The example clique for "Ja", empty for "Nein".
QString exampleText(const ExactAnalysis& analysis);
// How the greedy list compares: what it missed, and where its answer is wrong.
QString comparisonText(const ExactAnalysis& analysis);
