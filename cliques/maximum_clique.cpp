#include "maximum_clique.h"

#include "cliques/search_observer.h"
#include "cliques/search_play.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <numeric>
#include <type_traits>
#include <utility>

namespace {

// Rows of bits over vertices 0..n-1: bit u of row v is set when u and v are joined.
class BitMatrix {
public:
    void reset(int n) {
        m_n = n;
        m_words = (std::size_t(n) + 63) / 64;
        m_bits.assign(std::size_t(n) * m_words, 0);
    }
    int size() const { return m_n; }
    std::size_t words() const { return m_words; }
    std::uint64_t* row(int v) { return m_bits.data() + std::size_t(v) * m_words; }
    const std::uint64_t* row(int v) const { return m_bits.data() + std::size_t(v) * m_words; }
    bool joined(int a, int b) const { return (row(a)[std::size_t(b) >> 6] >> (b & 63)) & 1u; }

private:
    int m_n = 0;
    std::size_t m_words = 0;
    std::vector<std::uint64_t> m_bits;
};

std::uint64_t bitOf(int v) {
    return std::uint64_t(1) << (v & 63);
}

// Bit j of a[i] goes to bit i of a[j].
void transpose64(std::uint64_t* a) {
    std::uint64_t mask = 0x00000000FFFFFFFFull;
    for (int j = 32; j != 0; j >>= 1, mask ^= mask << j)
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const std::uint64_t t = ((a[k] >> j) ^ a[k | j]) & mask;
            a[k | j] ^= t;
            a[k] ^= t << j;
        }
}

std::size_t wordOf(int v) {
    return std::size_t(v) >> 6;
}

// Renumbers the vertices of `from` that `chosen` holds (chosen has
// from.words() words) in smallest-last order: repeatedly the vertex of least
// degree among those left goes last, of several the one first in the old
// numbering. On a regular graph, and on the nearly regular parts of one,
// that order says little more than the old numbering; there the vertices are
// numbered by the classes of a saturation colouring instead (in smallest-last
// order within a class), so that colourings in number order follow a good
// colouring. `order` receives the old number of every new one, `to` the graph
// they span in the new numbers. On a whole regular graph the saturation
// colouring, which on symmetric graphs hangs much on the numbering, is then
// improved by colouring again class by class (recolourClassByClass).
class Renumbering {
public:
    enum class ByColour { Never, IfRegular, IfNearlyRegular };

    // Returns whether the vertices were numbered by colour classes.
    bool renumber(const BitMatrix& from, const std::uint64_t* chosen, std::vector<int>& order,
                  BitMatrix& to, ByColour byColour) {
        m_clique.clear();
        const auto [least, most] = smallestLast(from, chosen, order);
        const bool regular = order.size() > 0 && least == most;
        // Degrees differ by at most an eighth of the largest. Measured on the
        // benchmark graphs: parts of random graphs can be that even, too,
        // which is why only a regular graph's parts are asked.
        const bool nearlyRegular = order.size() > 0 && (most - least) * kNearlyRegular <= most;
        if (!(byColour == ByColour::IfRegular && regular) &&
            !(byColour == ByColour::IfNearlyRegular && nearlyRegular)) {
            span(from, order, to);
            return false;
        }
        span(from, order, m_smallestLast);
        orderByColourClasses(m_smallestLast);
        if (byColour == ByColour::IfRegular)
            recolourClassByClass(m_smallestLast);
        m_reordered.resize(order.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            m_reordered[i] = order[std::size_t(m_byClass[i])];
        order.swap(m_reordered);
        // The clique in the new numbers.
        m_reordered.resize(order.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            m_reordered[std::size_t(m_byClass[i])] = int(i);
        for (int& v : m_clique)
            v = m_reordered[std::size_t(v)];
        span(from, order, to);
        return true;
    }

    // After a renumbering of a regular graph, a clique found on the way, in
    // the new numbers.
    const std::vector<int>& cliqueFound() const { return m_clique; }
    // And the number of colours of the colouring it follows.
    int coloursFound() const { return m_colours; }

    // Colours every vertex of g by saturation, of several the first in
    // smallest-last order; colourOf[v] is v's colour, from 1. Returns the
    // number of colours.
    int saturationColours(const BitMatrix& g, std::vector<int>& colourOf) {
        std::vector<std::uint64_t> all(g.words(), 0);
        for (int v = 0; v < g.size(); ++v)
            all[wordOf(v)] |= bitOf(v);
        std::vector<int> order;
        smallestLast(g, all.data(), order);
        span(g, order, m_smallestLast);
        orderByColourClasses(m_smallestLast);
        colourOf.assign(std::size_t(g.size()), 0);
        int colours = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            colourOf[std::size_t(order[i])] = m_colour[i] + 1;
            colours = std::max(colours, m_colour[i] + 1);
        }
        return colours;
    }

private:
    // Fills `order` in smallest-last order; returns the least and the largest
    // degree.
    std::pair<int, int> smallestLast(const BitMatrix& from, const std::uint64_t* chosen,
                                     std::vector<int>& order) {
        const std::size_t words = from.words();
        m_degree.resize(std::size_t(from.size()));
        int n = 0;
        int maxDegree = 0;
        int minDegree = std::numeric_limits<int>::max();
        for (std::size_t w = 0; w < words; ++w)
            for (std::uint64_t bits = chosen[w]; bits != 0; bits &= bits - 1) {
                const int v = int(w * 64) + std::countr_zero(bits);
                const std::uint64_t* around = from.row(v);
                int d = 0;
                for (std::size_t x = 0; x < words; ++x)
                    d += std::popcount(around[x] & chosen[x]);
                m_degree[std::size_t(v)] = d;
                maxDegree = std::max(maxDegree, d);
                minDegree = std::min(minDegree, d);
                ++n;
            }
        // One set of vertices per degree. A vertex joins the set of every
        // degree it comes down to and stays in the higher ones: a vertex left
        // in the lowest set that holds any left vertex has the least degree,
        // since with a lower one it would sit in a lower set, too. So the
        // first of the least degree is the lowest bit there, and a degree
        // change costs one bit.
        m_byDegree.assign((std::size_t(maxDegree) + 1) * words, 0);
        for (std::size_t w = 0; w < words; ++w)
            for (std::uint64_t bits = chosen[w]; bits != 0; bits &= bits - 1) {
                const int v = int(w * 64) + std::countr_zero(bits);
                withDegree(m_degree[std::size_t(v)], words)[w] |= bitOf(v);
            }
        m_left.assign(chosen, chosen + words);
        order.resize(std::size_t(n));
        int lowest = 0;
        for (int taken = 0; taken < n; ++taken) {
            int v = -1;
            for (; v < 0; ++lowest) {
                const std::uint64_t* set = withDegree(lowest, words);
                for (std::size_t w = 0; w < words; ++w)
                    if (const std::uint64_t here = set[w] & m_left[w]; here != 0) {
                        v = int(w * 64) + std::countr_zero(here);
                        break;
                    }
                if (v >= 0)
                    break;
            }
            m_left[wordOf(v)] &= ~bitOf(v);
            order[std::size_t(n - 1 - taken)] = v;
            const std::uint64_t* around = from.row(v);
            for (std::size_t w = 0; w < words; ++w)
                for (std::uint64_t bits = around[w] & m_left[w]; bits != 0; bits &= bits - 1) {
                    const int u = int(w * 64) + std::countr_zero(bits);
                    const int d = --m_degree[std::size_t(u)];
                    withDegree(d, words)[w] |= bitOf(u);
                    lowest = std::min(lowest, d);
                }
        }
        return {minDegree, maxDegree};
    }

public:
    // The graph that the vertices of `order` span in `from`, numbered as
    // listed. Row i of the new graph holds, in the old numbering, the row of
    // order[i]; transposed in blocks of 64 by 64 bits, old vertex u's row then
    // says which new vertices are joined to u, and since the graph is
    // symmetric, row order[j] of that is new row j.
    void span(const BitMatrix& from, const std::vector<int>& order, BitMatrix& to) {
        const int n = int(order.size());
        const std::size_t oldWords = from.words();
        to.reset(n);
        const std::size_t newWords = to.words();
        m_transposed.resize(oldWords * 64 * newWords);
        std::uint64_t block[64];
        for (std::size_t rowBlock = 0; rowBlock < newWords; ++rowBlock)
            for (std::size_t column = 0; column < oldWords; ++column) {
                for (std::size_t r = 0; r < 64; ++r) {
                    const std::size_t i = rowBlock * 64 + r;
                    block[r] = i < std::size_t(n) ? from.row(order[i])[column] : 0;
                }
                transpose64(block);
                for (std::size_t c = 0; c < 64; ++c)
                    m_transposed[(column * 64 + c) * newWords + rowBlock] = block[c];
            }
        for (int j = 0; j < n; ++j)
            std::copy_n(m_transposed.data() + std::size_t(order[std::size_t(j)]) * newWords,
                        newWords, to.row(j));
    }

private:
    static constexpr int kNearlyRegular = 8;
    static constexpr int kRounds = 200;
    // Recolouring rounds in a row without a saving before giving up: one
    // per 1,024 pairs of vertices, at least two. A round costs time in
    // proportion to the vertices; the search that a colour saved spares grows
    // much faster with them.
    static constexpr int kPairsPerFruitlessRound = 1024;
    static constexpr int kFruitless = 2;
    static constexpr std::uint64_t kRandomStart = 0x9E3779B97F4A7C15u;

    // Colours g by saturation: again and again the uncoloured vertex with
    // the most distinct colours among its neighbours (of several the first)
    // takes the lowest colour none of them has. Fills m_byClass with the
    // vertices of g by colour, each colour in number order. A class's
    // neighbourhood is kept as a set, so that a colour is new to a vertex
    // exactly when the vertex is outside it.
    void orderByColourClasses(const BitMatrix& g) {
        const int n = g.size();
        const std::size_t words = g.words();
        m_colour.assign(std::size_t(n), 0);
        m_saturation.assign(std::size_t(n), 0);
        m_bySaturation.assign((std::size_t(n) + 1) * words, 0);
        m_left.assign(words, 0);
        for (int v = 0; v < n; ++v) {
            m_bySaturation[wordOf(v)] |= bitOf(v);
            m_left[wordOf(v)] |= bitOf(v);
        }
        m_nearClass.clear();
        int classes = 0;
        int top = 0;
        for (int taken = 0; taken < n; ++taken) {
            int v = -1;
            for (;; --top) {
                const std::uint64_t* set = m_bySaturation.data() + std::size_t(top) * words;
                for (std::size_t w = 0; w < words && v < 0; ++w)
                    if (set[w] != 0)
                        v = int(w * 64) + std::countr_zero(set[w]);
                if (v >= 0)
                    break;
            }
            m_bySaturation[std::size_t(top) * words + wordOf(v)] &= ~bitOf(v);
            m_left[wordOf(v)] &= ~bitOf(v);
            int c = 0;
            while (c < classes && (m_nearClass[std::size_t(c) * words + wordOf(v)] & bitOf(v)))
                ++c;
            if (c == classes)
                m_nearClass.resize(std::size_t(++classes) * words, 0);
            m_colour[std::size_t(v)] = c;
            std::uint64_t* near = m_nearClass.data() + std::size_t(c) * words;
            const std::uint64_t* around = g.row(v);
            for (std::size_t w = 0; w < words; ++w) {
                for (std::uint64_t bits = around[w] & m_left[w] & ~near[w]; bits != 0;
                     bits &= bits - 1) {
                    const int u = int(w * 64) + std::countr_zero(bits);
                    const int s = m_saturation[std::size_t(u)]++;
                    m_bySaturation[std::size_t(s) * words + w] &= ~bitOf(u);
                    m_bySaturation[std::size_t(s + 1) * words + w] |= bitOf(u);
                    top = std::max(top, s + 1);
                }
                near[w] |= around[w];
            }
        }
        m_byClass.resize(std::size_t(n));
        std::iota(m_byClass.begin(), m_byClass.end(), 0);
        std::stable_sort(m_byClass.begin(), m_byClass.end(), [&](int a, int b) {
            return m_colour[std::size_t(a)] < m_colour[std::size_t(b)];
        });
    }

    // Colours g afresh again and again, vertex by vertex with the classes of
    // the last colouring one after another, each vertex taking the lowest
    // colour none of its neighbours has. A class's vertices share no edge, so
    // they never need more colours than before, and often fewer. The classes
    // go backwards, largest first and at random in turn; this stops once the
    // colours are as few as the vertices of a clique found greedily on the
    // way, or after some rounds without a saving. m_byClass then follows the
    // first colouring with the fewest colours, m_colours counts them, and
    // m_clique holds the largest clique seen.
    void recolourClassByClass(const BitMatrix& g) {
        const int n = g.size();
        const std::size_t words = g.words();
        int classes = 0;
        for (int c : m_colour)
            classes = std::max(classes, c + 1);
        m_clique.clear();
        takeGreedyClique(g);
        m_bestByClass = m_byClass;
        std::uint64_t random = kRandomStart;
        const int patience = std::max(kFruitless, n * n / kPairsPerFruitlessRound);
        for (int round = 0, fruitless = 0;
             round < kRounds && fruitless < patience && classes > int(m_clique.size()); ++round) {
            m_classOrder.resize(std::size_t(classes));
            std::iota(m_classOrder.begin(), m_classOrder.end(), 0);
            m_classStart.assign(std::size_t(classes) + 1, 0);
            for (int v = 0; v < n; ++v)
                ++m_classStart[std::size_t(m_colour[std::size_t(v)]) + 1];
            if (round % 3 == 0) {
                std::reverse(m_classOrder.begin(), m_classOrder.end());
            } else if (round % 3 == 1) {
                std::stable_sort(m_classOrder.begin(), m_classOrder.end(), [&](int a, int b) {
                    return m_classStart[std::size_t(a) + 1] > m_classStart[std::size_t(b) + 1];
                });
            } else {
                for (int i = classes - 1; i > 0; --i) {
                    random = random * 6364136223846793005ull + 1442695040888963407ull;
                    std::swap(m_classOrder[std::size_t(i)],
                              m_classOrder[std::size_t((random >> 33) % std::uint64_t(i + 1))]);
                }
            }
            // The vertices class after class, each class in its old order.
            m_classPlace.resize(std::size_t(classes));
            for (int i = 0, place = 0; i < classes; ++i) {
                const int c = m_classOrder[std::size_t(i)];
                m_classPlace[std::size_t(c)] = place;
                place += m_classStart[std::size_t(c) + 1];
            }
            m_reordered.resize(std::size_t(n));
            for (int v : m_byClass)
                m_reordered[std::size_t(m_classPlace[std::size_t(m_colour[std::size_t(v)])]++)] = v;
            m_nearClass.clear();
            int recoloured = 0;
            for (int v : m_reordered) {
                int c = 0;
                while (c < recoloured &&
                       (m_nearClass[std::size_t(c) * words + wordOf(v)] & bitOf(v)))
                    ++c;
                if (c == recoloured)
                    m_nearClass.resize(std::size_t(++recoloured) * words, 0);
                m_colour[std::size_t(v)] = c;
                std::uint64_t* near = m_nearClass.data() + std::size_t(c) * words;
                const std::uint64_t* around = g.row(v);
                for (std::size_t w = 0; w < words; ++w)
                    near[w] |= around[w];
            }
            // By the new classes, each in the order just coloured.
            m_classPlace.assign(std::size_t(recoloured) + 1, 0);
            for (int v = 0; v < n; ++v)
                ++m_classPlace[std::size_t(m_colour[std::size_t(v)]) + 1];
            std::partial_sum(m_classPlace.begin(), m_classPlace.end(), m_classPlace.begin());
            for (int v : m_reordered)
                m_byClass[std::size_t(m_classPlace[std::size_t(m_colour[std::size_t(v)])]++)] = v;
            if (recoloured < classes) {
                fruitless = 0;
                m_bestByClass = m_byClass;
            } else {
                ++fruitless;
            }
            classes = recoloured;
            takeGreedyClique(g);
        }
        // The order of the first colouring with the fewest colours: later
        // rounds only shuffled it.
        m_byClass.swap(m_bestByClass);
        m_colours = classes;
    }

    // Keeps in m_clique the larger of it and a clique taken greedily in the
    // order of m_byClass.
    void takeGreedyClique(const BitMatrix& g) {
        m_common.assign(g.words(), ~std::uint64_t(0));
        m_taken.clear();
        for (int v : m_byClass)
            if (m_common[wordOf(v)] & bitOf(v)) {
                m_taken.push_back(v);
                const std::uint64_t* around = g.row(v);
                for (std::size_t w = 0; w < g.words(); ++w)
                    m_common[w] &= around[w];
            }
        if (m_taken.size() > m_clique.size())
            m_clique.swap(m_taken);
    }

    std::uint64_t* withDegree(int degree, std::size_t words) {
        return m_byDegree.data() + std::size_t(degree) * words;
    }

    std::vector<int> m_degree; // by old number, among those left
    std::vector<std::uint64_t> m_byDegree;
    std::vector<std::uint64_t> m_left;
    std::vector<std::uint64_t> m_transposed;
    BitMatrix m_smallestLast;
    std::vector<int> m_colour; // by number in m_smallestLast
    std::vector<int> m_saturation;
    std::vector<std::uint64_t> m_bySaturation; // one set of vertices per saturation
    std::vector<std::uint64_t> m_nearClass;    // per class, the neighbours of its members
    std::vector<int> m_byClass;
    std::vector<int> m_classOrder;
    std::vector<int> m_classStart;
    std::vector<int> m_classPlace;
    std::vector<std::uint64_t> m_common;
    std::vector<int> m_taken;
    std::vector<int> m_clique; // by number in m_smallestLast until renumbered
    int m_colours = 0;
    std::vector<int> m_bestByClass; // m_byClass when the colours last went down
    std::vector<int> m_reordered;
};

BitMatrix matrixOf(const ExactGraph& graph) {
    BitMatrix matrix;
    matrix.reset(graph.size());
    for (int v = 0; v < graph.size(); ++v)
        std::copy(graph.neighbours[std::size_t(v)].words().begin(),
                  graph.neighbours[std::size_t(v)].words().end(), matrix.row(v));
    return matrix;
}

// Branch and bound over bitsets with a greedy colouring as the bound: the
// candidates are split into independent colour classes, so a clique can take
// at most one vertex per class, and only vertices whose class could still
// beat the best clique are branched on, highest class first.
//
// Vertices are numbered in smallest-last order, so that a colouring in number
// order meets the dense core first and stays small (on nearly regular graphs
// by the classes of a saturation colouring, see Renumbering). A branch of the first
// level that promises much work searches the neighbours of its vertex
// renumbered the same way among themselves, which fits the colourings to that
// part of the graph. A vertex that would open a class high enough to branch on
// is first tried in a lower class: where it has no neighbour, or where its
// only neighbour can move to another lower class, or where the class of its
// only neighbour and another class hold no common neighbour of both (a clique
// then takes at most two vertices from the two classes and the vertex
// together). Every depth has its own buffers, allocated once; the loops over
// the words of a row are compiled for each row length up to 8 words. An
// observer hears of every step in numbers of the exact graph (see
// cliques/search_observer.h); the silent one compiles away.
template <class Observer> class MaximumCliqueSearch {
public:
    MaximumCliqueSearch(const ExactGraph& graph, const SearchControl& control,
                        const LargerCliqueFound& found, Observer& observer)
        : m_control(control), m_found(found), m_observer(observer) {
        const BitMatrix input = matrixOf(graph);
        std::vector<std::uint64_t> all(input.words(), 0);
        for (int v = 0; v < input.size(); ++v)
            all[wordOf(v)] |= bitOf(v);
        m_subByColour = m_renumbering.renumber(input, all.data(), m_order, m_graph,
                                               Renumbering::ByColour::IfRegular)
                            ? Renumbering::ByColour::IfNearlyRegular
                            : Renumbering::ByColour::Never;
    }

    MaximumCliqueResult run() {
        MaximumCliqueResult result;
        const int n = m_graph.size();
        if (n == 0)
            return result;
        m_best = initialClique();
        announceBest();
        if constexpr (Observer::kWantsDetails)
            m_observer.firstClique(exactNumbers(m_best, false));
        // Depth d holds a clique of d vertices and looks one depth ahead.
        m_levels.resize(std::size_t(n) + 2);
        // Only the plain search: the play and the branch count show the
        // branch and bound.
        bool solved = false;
        if constexpr (std::is_same_v<Observer, SilentSearchObserver>)
            solved = dollsPromise() && searchDolls();
        if (!solved)
            searchFirstLevel();
        for (int v : m_best)
            result.clique.push_back(m_order[std::size_t(v)]);
        std::sort(result.clique.begin(), result.clique.end());
        result.complete = !m_stopped;
        result.steps = m_steps;
        return result;
    }

private:
    struct Level {
        std::vector<std::uint64_t> candidates;
        // The first `listed` entries: the vertices to branch on, by rising
        // colour, and their colours.
        std::vector<int> vertices;
        std::vector<int> colours;
        std::size_t listed = 0;
        int needed = 0;  // the colour from which on vertices are listed
        int classes = 0; // the colours the candidates took
    };

    struct SingleConflict {
        int colour;
        int vertex;
    };

    // A first-level branch is searched renumbered when it has this many
    // candidates, or when a colouring leaves this many vertices to branch on;
    // below both, renumbering costs more than it saves.
    static constexpr int kAlwaysRenumberFrom = 128;
    static constexpr std::size_t kRenumberFrom = 10;
    // Russian dolls: branch steps per vertex before they are weighed, and
    // per pair of vertices before they give way to the branch and bound.
    static constexpr std::uint64_t kDollStretchPerVertex = 64;
    static constexpr std::uint64_t kDollStepsPerVertexPair = 32;

    // A first clique to prune with from the start: greedily in vertex order,
    // which begins with the densest part of the graph, or the one the
    // renumbering found if larger.
    std::vector<int> initialClique() const {
        std::vector<int> clique;
        for (int v = 0; v < m_graph.size(); ++v)
            if (std::all_of(clique.begin(), clique.end(),
                            [&](int u) { return m_graph.joined(u, v); }))
                clique.push_back(v);
        if (m_renumbering.cliqueFound().size() > clique.size()) {
            clique = m_renumbering.cliqueFound();
            std::sort(clique.begin(), clique.end());
        }
        return clique;
    }

    void announceBest() {
        if (!m_found)
            return;
        std::vector<int> clique;
        for (int v : m_best)
            clique.push_back(m_order[std::size_t(v)]);
        std::sort(clique.begin(), clique.end());
        m_found(clique);
    }

    bool stepAllowed() {
        if (++m_steps > m_control.stepLimit || m_control.stop.stop_requested() ||
            m_observer.stopped())
            m_stopped = true;
        return !m_stopped;
    }

    // The number in the exact graph of vertex v of the graph being searched
    // (of m_graph when `inFirst`).
    int exactNumber(int v, bool inFirst) const {
        const bool renumbered = !inFirst && m_current == &m_subGraph;
        return m_order[std::size_t(renumbered ? m_subOrder[std::size_t(v)] : v)];
    }

    std::vector<int> exactNumbers(const std::vector<int>& vertices, bool inSearched) const {
        std::vector<int> numbers;
        for (int v : vertices)
            numbers.push_back(exactNumber(v, !inSearched));
        return numbers;
    }

    // Tells the observer how the depth's candidates were coloured.
    void reportColouring(const Level& here) {
        m_observer.coloured(here.classes, here.listed > 0);
        if constexpr (Observer::kWantsDetails) {
            std::vector<std::vector<int>> classes(std::size_t(std::max(here.classes, 0)));
            std::vector<std::uint64_t> rest(here.candidates.begin(),
                                            here.candidates.begin() + std::ptrdiff_t(m_words));
            const auto take = [&](int colour, int v) {
                classes[std::size_t(colour - 1)].push_back(exactNumber(v, false));
                rest[wordOf(v)] &= ~bitOf(v);
            };
            for (int k = 1; k < here.needed && k <= here.classes; ++k) {
                const std::uint64_t* members = colourClass(k);
                for (std::size_t w = 0; w < m_words; ++w)
                    for (std::uint64_t bits = members[w] & rest[w]; bits != 0; bits &= bits - 1)
                        take(k, int(w * 64) + std::countr_zero(bits));
            }
            for (std::size_t i = 0; i < here.listed; ++i)
                take(here.colours[i], here.vertices[i]);
            std::vector<int> uncounted;
            for (std::size_t w = 0; w < m_words; ++w)
                for (std::uint64_t bits = rest[w]; bits != 0; bits &= bits - 1)
                    uncounted.push_back(exactNumber(int(w * 64) + std::countr_zero(bits), false));
            m_observer.candidatesColoured(classes, uncounted);
        }
    }

    // After the last listed vertex, the candidates left all have lower colours.
    void reportRestCut(const Level& here) {
        const bool left =
            std::any_of(here.candidates.begin(), here.candidates.begin() + std::ptrdiff_t(m_words),
                        [](std::uint64_t w) { return w != 0; });
        if (here.listed > 0 && left)
            m_observer.restCut(here.needed - 1);
    }

    Level& level(std::size_t depth) {
        Level& l = m_levels[depth];
        if (l.candidates.size() < m_words) {
            l.candidates.resize(m_words);
            l.vertices.resize(std::size_t(m_graph.size()));
            l.colours.resize(std::size_t(m_graph.size()));
        }
        return l;
    }

    // Words per row: W when the caller fixed it at compile time, else m_words.
    template <std::size_t W> std::size_t words() const {
        if constexpr (W != 0)
            return W;
        else
            return m_words;
    }

    // Calls body.template operator()<W>() with W = m_words, or 0 above 8 words.
    template <typename Body> auto withWordCount(Body&& body) {
        switch (m_words) {
        case 1:
            return body.template operator()<1>();
        case 2:
            return body.template operator()<2>();
        case 3:
            return body.template operator()<3>();
        case 4:
            return body.template operator()<4>();
        case 5:
            return body.template operator()<5>();
        case 6:
            return body.template operator()<6>();
        case 7:
            return body.template operator()<7>();
        case 8:
            return body.template operator()<8>();
        default:
            return body.template operator()<0>();
        }
    }

    // Row v of the graph being searched.
    template <std::size_t W> const std::uint64_t* rowOf(int v) const {
        return m_rows + std::size_t(v) * words<W>();
    }

    void useGraph(const BitMatrix& graph) {
        m_current = &graph;
        m_rows = graph.row(0);
        m_words = graph.words();
        if (m_uncoloured.size() < m_words) {
            m_uncoloured.resize(m_words);
            m_open.resize(m_words);
        }
    }

    // The clique number by Russian dolls: for each vertex v in number order,
    // the largest clique among v and the vertices before it, known to be at
    // most one more than among those before. So each vertex only asks
    // whether its neighbours before it hold a clique of that size, and a
    // search among vertices up to u is cut when the clique so far together
    // with the clique number up to u cannot reach it. On symmetric graphs
    // whose colourings need far more colours than their cliques have
    // vertices (the Kneser kind), colour bounds prune little and these bounds
    // much; elsewhere they prune far less. So the dolls are tried only where
    // the colouring the numbering follows needs two thirds more colours than
    // the largest clique known has vertices, weighed again after a first
    // stretch with the cliques found by then, and given a budget of steps;
    // otherwise the branch and bound takes over, with the best clique.
    // Returns whether the search is over.
    bool searchDolls() {
        useGraph(m_graph);
        const int n = m_graph.size();
        m_doll.assign(std::size_t(n), 0);
        m_dollStepLimit = m_steps + kDollStretchPerVertex * std::uint64_t(n);
        bool weighed = false;
        for (int v = 0; v < n;) {
            const int before = v == 0 ? 0 : m_doll[std::size_t(v - 1)];
            std::uint64_t* candidates = level(1).candidates.data();
            const std::uint64_t* around = m_graph.row(v);
            for (std::size_t w = 0; w < m_words; ++w) {
                const int first = int(w * 64);
                const std::uint64_t below = v >= first + 64 ? ~std::uint64_t(0)
                                            : v <= first    ? 0
                                                            : bitOf(v) - 1;
                candidates[w] = around[w] & below;
            }
            m_clique.assign(1, v);
            const bool larger =
                withWordCount([&]<std::size_t W>() { return dollHolds<W>(1, before + 1); });
            if (m_stopped)
                return true;
            if (m_dollStepsUsed) {
                m_dollStepsUsed = false;
                if (weighed || !dollsPromise(std::size_t(before)))
                    return false;
                // This doll once more, with room for all.
                weighed = true;
                m_dollStepLimit =
                    m_steps + kDollStepsPerVertexPair * std::uint64_t(n) * std::uint64_t(n);
                continue;
            }
            m_doll[std::size_t(v)] = larger ? before + 1 : before;
            if (larger && m_clique.size() > m_best.size())
                improveBest();
            ++v;
        }
        return true;
    }

    // A clique from every vertex, each time with the first vertex joined to
    // all taken; the largest becomes the best when larger.
    void greedyFromEveryVertex() {
        std::vector<std::uint64_t> common(m_words);
        std::vector<int> clique;
        for (int v = 0; v < m_graph.size(); ++v) {
            clique.assign(1, v);
            std::copy_n(m_graph.row(v), m_words, common.begin());
            for (std::size_t w = 0; w < m_words;) {
                if (common[w] == 0) {
                    ++w;
                    continue;
                }
                const int u = int(w * 64) + std::countr_zero(common[w]);
                clique.push_back(u);
                const std::uint64_t* around = m_graph.row(u);
                for (std::size_t x = w; x < m_words; ++x)
                    common[x] &= around[x];
            }
            if (clique.size() > m_best.size()) {
                std::sort(clique.begin(), clique.end());
                m_best = clique;
                announceBest();
            }
        }
    }

    // Whether the graph is regular and the colouring its numbering follows
    // needs two thirds more colours than the largest clique known, or one as
    // large as `atLeast`, has vertices.
    bool dollsPromise(std::size_t atLeast = 0) {
        const auto promise = [&] {
            return m_subByColour != Renumbering::ByColour::Never &&
                   3 * std::size_t(m_renumbering.coloursFound()) >=
                       5 * std::max(m_best.size(), atLeast);
        };
        if (!promise())
            return false;
        if (!m_triedEveryVertex) {
            m_triedEveryVertex = true;
            greedyFromEveryVertex();
        }
        return promise();
    }

    // Whether the candidates of the depth extend the clique to `target`
    // vertices; if so, m_clique holds that clique.
    template <std::size_t W> bool dollHolds(std::size_t depth, std::size_t target) {
        if (m_clique.size() >= target)
            return true;
        if (!stepAllowed())
            return false;
        if (m_steps > m_dollStepLimit) {
            m_dollStepsUsed = true;
            return false;
        }
        std::uint64_t* candidates = m_levels[depth].candidates.data();
        std::uint64_t* next = level(depth + 1).candidates.data();
        std::size_t count = 0;
        for (std::size_t w = 0; w < words<W>(); ++w)
            count += std::size_t(std::popcount(candidates[w]));
        for (; m_clique.size() + count >= target; --count) {
            // The last candidate: all others come before it.
            int last = -1;
            for (std::size_t w = words<W>(); w-- > 0 && last < 0;)
                if (candidates[w] != 0)
                    last = int(w * 64) + 63 - std::countl_zero(candidates[w]);
            if (m_clique.size() + std::size_t(m_doll[std::size_t(last)]) < target)
                return false;
            candidates[wordOf(last)] &= ~bitOf(last);
            const std::uint64_t* around = rowOf<W>(last);
            for (std::size_t w = 0; w < words<W>(); ++w)
                next[w] = candidates[w] & around[w];
            m_clique.push_back(last);
            if (dollHolds<W>(depth + 1, target))
                return true;
            m_clique.pop_back();
            if (m_stopped || m_dollStepsUsed)
                return false;
        }
        return false;
    }

    void searchFirstLevel() {
        if (!stepAllowed())
            return;
        useGraph(m_graph);
        Level& here = level(0);
        std::fill_n(here.candidates.data(), m_words, 0);
        for (int v = 0; v < m_graph.size(); ++v)
            here.candidates[wordOf(v)] |= bitOf(v);
        m_clique.clear();
        withWordCount([&]<std::size_t W>() { colourSort<W>(here); });
        reportColouring(here);
        std::vector<std::uint64_t> next(m_words);
        for (std::size_t i = here.listed; i-- > 0;) {
            if (std::size_t(here.colours[i]) <= m_best.size()) {
                m_observer.restCut(here.colours[i]);
                return;
            }
            const int v = here.vertices[i];
            const std::uint64_t* around = m_graph.row(v);
            for (std::size_t w = 0; w < m_words; ++w)
                next[w] = here.candidates[w] & around[w];
            m_observer.candidateTaken(m_order[std::size_t(v)]);
            searchAround(v, next.data());
            if (m_stopped)
                return;
            m_observer.candidateDone(m_order[std::size_t(v)]);
            here.candidates[wordOf(v)] &= ~bitOf(v);
        }
        reportRestCut(here);
    }

    // The largest clique through v among the candidates joined to it.
    void searchAround(int v, const std::uint64_t* neighbours) {
        m_clique.assign(1, v);
        Level& first = level(1);
        std::copy_n(neighbours, m_words, first.candidates.data());
        const int count =
            std::accumulate(neighbours, neighbours + m_words, 0,
                            [](int sum, std::uint64_t w) { return sum + std::popcount(w); });
        if (count == 0) {
            if (m_best.empty())
                improveBest();
            else
                m_observer.noCandidatesLeft();
            return;
        }
        if (count < kAlwaysRenumberFrom) {
            if (!stepAllowed())
                return;
            withWordCount([&]<std::size_t W>() { colourSort<W>(first); });
            if (first.listed < kRenumberFrom) {
                reportColouring(first);
                withWordCount([&]<std::size_t W>() { branch<W>(1); });
                return;
            }
        }
        m_renumbering.renumber(m_graph, neighbours, m_subOrder, m_subGraph, m_subByColour);
        useGraph(m_subGraph);
        Level& renumbered = level(1);
        std::fill_n(renumbered.candidates.data(), m_words, 0);
        for (int u = 0; u < m_subGraph.size(); ++u)
            renumbered.candidates[wordOf(u)] |= bitOf(u);
        withWordCount([&]<std::size_t W>() { expand<W>(1); });
        useGraph(m_graph);
    }

    void improveBest() {
        m_best.assign(1, m_clique.front());
        const bool renumbered = m_current == &m_subGraph;
        for (std::size_t i = 1; i < m_clique.size(); ++i)
            m_best.push_back(renumbered ? m_subOrder[std::size_t(m_clique[i])] : m_clique[i]);
        announceBest();
        if constexpr (Observer::kWantsDetails)
            m_observer.betterClique(exactNumbers(m_best, false));
    }

    template <std::size_t W> void expand(std::size_t depth) {
        if (!stepAllowed())
            return;
        colourSort<W>(level(depth));
        reportColouring(m_levels[depth]);
        branch<W>(depth);
    }

    // Branches on the listed vertices of the depth, highest colour first.
    template <std::size_t W> void branch(std::size_t depth) {
        Level& here = m_levels[depth];
        std::uint64_t* candidates = here.candidates.data();
        std::uint64_t* next = level(depth + 1).candidates.data();
        for (std::size_t i = here.listed; i-- > 0;) {
            if (m_clique.size() + std::size_t(here.colours[i]) <= m_best.size()) {
                m_observer.restCut(here.colours[i]);
                return;
            }
            const int v = here.vertices[i];
            const std::uint64_t* around = m_current->row(v);
            std::uint64_t any = 0;
            for (std::size_t w = 0; w < words<W>(); ++w) {
                next[w] = candidates[w] & around[w];
                any |= next[w];
            }
            m_observer.candidateTaken(exactNumber(v, false));
            m_clique.push_back(v);
            if (any != 0)
                expand<W>(depth + 1);
            else if (m_clique.size() > m_best.size())
                improveBest();
            else
                m_observer.noCandidatesLeft();
            m_clique.pop_back();
            if (m_stopped)
                return;
            m_observer.candidateDone(exactNumber(v, false));
            candidates[wordOf(v)] &= ~bitOf(v);
        }
        reportRestCut(here);
    }

    // Colours the candidates class by class, each class greedily in vertex
    // order. Lists the vertices whose colour reaches `needed` (a clique through
    // them could beat the best), by rising colour.
    template <std::size_t W> void colourSort(Level& here) {
        std::size_t listed = 0;
        const int needed = int(m_best.size()) - int(m_clique.size()) + 1;
        const std::size_t count = words<W>();
        std::uint64_t* uncoloured = m_uncoloured.data();
        // With the row length known, the open words live in registers.
        std::array<std::uint64_t, W == 0 ? 1 : W> fixedOpen;
        std::uint64_t* open = W == 0 ? m_open.data() : fixedOpen.data();
        std::copy_n(here.candidates.data(), count, uncoloured);
        // With two lower classes or more, a vertex can move down.
        const bool recolour = needed >= 3;
        // An observer is shown the lower classes, too.
        const bool keepClasses = recolour || (Observer::kWantsDetails && needed > 1);
        if (keepClasses && m_classes.size() < std::size_t(needed) * count)
            m_classes.resize(std::size_t(needed) * count);
        std::size_t firstWord = 0;
        for (int colour = 1;; ++colour) {
            while (firstWord < count && uncoloured[firstWord] == 0)
                ++firstWord;
            if (firstWord == count) {
                here.classes = colour - 1;
                break;
            }
            if (recolour && colour == needed) {
                recolourIntoLowerClasses<W>(needed);
                while (firstWord < count && uncoloured[firstWord] == 0)
                    ++firstWord;
                if (firstWord == count) {
                    here.classes = colour - 1;
                    break;
                }
            }
            std::uint64_t* members = keepClasses && colour < needed ? colourClass(colour) : nullptr;
            if (members)
                std::fill_n(members, firstWord, 0);
            std::copy_n(uncoloured, count, open);
            int* vertices = here.vertices.data();
            int* colours = here.colours.data();
            // Word by word: the word being coloured stays in a register, and
            // a vertex's row only has to clear the words after it.
            for (std::size_t w = firstWord; w < count; ++w) {
                std::uint64_t left = open[w];
                std::uint64_t taken = 0;
                while (left != 0) {
                    const std::uint64_t bit = left & (~left + 1);
                    const int v = int(w * 64) + std::countr_zero(left);
                    const std::uint64_t* around = rowOf<W>(v);
                    taken |= bit;
                    left &= ~(around[w] | bit);
                    for (std::size_t x = w + 1; x < count; ++x)
                        open[x] &= ~around[x];
                    if (colour >= needed) {
                        vertices[listed] = v;
                        colours[listed] = colour;
                        ++listed;
                    }
                }
                uncoloured[w] &= ~taken;
                if (members)
                    members[w] = taken;
            }
        }
        here.listed = listed;
        here.needed = needed;
    }

    std::uint64_t* colourClass(int colour) {
        return m_classes.data() + std::size_t(colour - 1) * m_words;
    }
    const std::uint64_t* colourClass(int colour) const {
        return m_classes.data() + std::size_t(colour - 1) * m_words;
    }

    // The vertices still uncoloured would all open classes to branch on.
    template <std::size_t W> void recolourIntoLowerClasses(int needed) {
        m_frozen.assign(std::size_t(needed), 0);
        std::uint64_t* uncoloured = m_uncoloured.data();
        for (std::size_t w = 0; w < words<W>(); ++w)
            for (std::uint64_t bits = uncoloured[w]; bits != 0; bits &= bits - 1) {
                const int v = int(w * 64) + std::countr_zero(bits);
                if (placeInLowerClass<W>(v, needed))
                    uncoloured[w] &= ~bitOf(v);
            }
    }

    template <std::size_t W> bool placeInLowerClass(int v, int needed) {
        const std::uint64_t* around = m_current->row(v);
        m_single.clear();
        for (int k = 1; k < needed; ++k) {
            if (m_frozen[std::size_t(k)])
                continue;
            std::uint64_t* members = colourClass(k);
            int conflicts = 0;
            int conflict = -1;
            for (std::size_t w = 0; w < words<W>(); ++w) {
                const std::uint64_t common = members[w] & around[w];
                if (common != 0) {
                    // Two or more conflicts are as bad as many.
                    conflicts += (common & (common - 1)) != 0 ? 2 : 1;
                    conflict = int(w * 64) + std::countr_zero(common);
                }
            }
            if (conflicts == 0) {
                members[wordOf(v)] |= bitOf(v);
                return true;
            }
            if (conflicts > 1)
                continue;
            m_single.push_back({k, conflict});
            const std::uint64_t* conflictAround = m_current->row(conflict);
            for (int other = k + 1; other < needed; ++other) {
                if (m_frozen[std::size_t(other)])
                    continue;
                std::uint64_t* target = colourClass(other);
                if (!disjoint<W>(target, conflictAround))
                    continue;
                target[wordOf(conflict)] |= bitOf(conflict);
                members[wordOf(conflict)] &= ~bitOf(conflict);
                members[wordOf(v)] |= bitOf(v);
                return true;
            }
        }
        // v, the class of its only neighbour u there and another class
        // without a common neighbour of v and u: a clique takes at most two of
        // them, so v needs no class of its own while both classes stay as
        // they are.
        for (const auto& [k, u] : m_single) {
            const std::uint64_t* uAround = m_current->row(u);
            for (int other = 1; other < needed; ++other) {
                if (other == k || m_frozen[std::size_t(other)])
                    continue;
                const std::uint64_t* target = colourClass(other);
                std::uint64_t common = 0;
                for (std::size_t w = 0; w < words<W>(); ++w)
                    common |= target[w] & around[w] & uAround[w];
                if (common != 0)
                    continue;
                m_frozen[std::size_t(k)] = 1;
                m_frozen[std::size_t(other)] = 1;
                return true;
            }
        }
        return false;
    }

    template <std::size_t W> bool disjoint(const std::uint64_t* a, const std::uint64_t* b) const {
        std::uint64_t common = 0;
        for (std::size_t w = 0; w < words<W>(); ++w)
            common |= a[w] & b[w];
        return common == 0;
    }

    const SearchControl& m_control;
    const LargerCliqueFound& m_found;
    Observer& m_observer;
    std::uint64_t m_steps = 0;
    bool m_stopped = false;
    Renumbering m_renumbering;
    // How first-level branches are renumbered: by colour classes only in a
    // regular graph.
    Renumbering::ByColour m_subByColour = Renumbering::ByColour::Never;
    std::vector<int> m_order; // number in m_graph -> vertex number of the input
    BitMatrix m_graph;
    std::vector<int> m_subOrder; // number in m_subGraph -> number in m_graph
    BitMatrix m_subGraph;
    const BitMatrix* m_current = nullptr;  // the graph being searched
    const std::uint64_t* m_rows = nullptr; // its rows
    std::size_t m_words = 0;               // its words per row
    std::vector<Level> m_levels;
    std::vector<std::uint64_t> m_uncoloured;
    std::vector<std::uint64_t> m_open;
    std::vector<std::uint64_t> m_classes; // the classes below `needed`, while colouring
    std::vector<char> m_frozen;           // classes kept as they are for the infra-chromatic case
    std::vector<SingleConflict> m_single; // lower classes with one neighbour of the vertex
    // The first-level vertex (a number in m_graph), then numbers in the graph being searched.
    std::vector<int> m_clique;
    std::vector<int> m_best; // numbers in m_graph
    std::vector<int> m_doll; // per vertex, the clique number up to it
    std::uint64_t m_dollStepLimit = 0;
    bool m_dollStepsUsed = false; // the doll being searched went past the limit
    bool m_triedEveryVertex = false;
};

} // namespace

MaximumCliqueResult maximumClique(const ExactGraph& graph, std::uint64_t stepLimit) {
    return maximumClique(graph, SearchControl{stepLimit, {}});
}

MaximumCliqueResult maximumClique(const ExactGraph& graph, const SearchControl& control,
                                  const LargerCliqueFound& found) {
    SilentSearchObserver silent;
    return MaximumCliqueSearch<SilentSearchObserver>(graph, control, found, silent).run();
}

template <class Observer>
MaximumCliqueResult maximumCliqueObserved(const ExactGraph& graph, std::uint64_t stepLimit,
                                          Observer& observer) {
    const SearchControl control{stepLimit, {}};
    const LargerCliqueFound none;
    return MaximumCliqueSearch<Observer>(graph, control, none, observer).run();
}

template MaximumCliqueResult
maximumCliqueObserved<CliqueNumberStepRecorder>(const ExactGraph&, std::uint64_t,
                                                CliqueNumberStepRecorder&);

namespace {

// Counts the cliques the search extends, by size, and those whose colouring
// leaves nothing to branch on.
class BranchCounter : public SilentSearchObserver {
public:
    explicit BranchCounter(std::vector<BranchLevel>& levels) : m_levels(levels) {
        m_levels.assign(1, BranchLevel{1, 0});
    }
    void candidateTaken(int) {
        if (++m_depth >= m_levels.size())
            m_levels.resize(m_depth + 1);
        ++m_levels[m_depth].examined;
    }
    void candidateDone(int) { --m_depth; }
    void coloured(int, bool branches) {
        if (!branches)
            ++m_levels[m_depth].cut;
    }

private:
    std::vector<BranchLevel>& m_levels;
    std::size_t m_depth = 0;
};

} // namespace

MaximumCliqueResult maximumCliqueCounted(const ExactGraph& graph, const SearchControl& control,
                                         const LargerCliqueFound& found,
                                         std::vector<BranchLevel>& levels) {
    BranchCounter counter(levels);
    return MaximumCliqueSearch<BranchCounter>(graph, control, found, counter).run();
}

std::vector<int> fewColourColouring(const ExactGraph& graph) {
    const BitMatrix matrix = matrixOf(graph);
    const int n = matrix.size();
    // Greedily, class by class in number order.
    std::vector<int> greedy(std::size_t(n), 0);
    std::vector<std::uint64_t> uncoloured(matrix.words(), 0);
    for (int v = 0; v < n; ++v)
        uncoloured[wordOf(v)] |= bitOf(v);
    int greedyColours = 0;
    for (int left = n; left > 0;) {
        ++greedyColours;
        std::vector<std::uint64_t> open = uncoloured;
        for (std::size_t w = 0; w < open.size(); ++w)
            while (open[w] != 0) {
                const int v = int(w * 64) + std::countr_zero(open[w]);
                greedy[std::size_t(v)] = greedyColours;
                uncoloured[w] &= ~bitOf(v);
                --left;
                for (std::size_t x = w; x < open.size(); ++x)
                    open[x] &= ~matrix.row(v)[x];
                open[w] &= ~bitOf(v);
            }
    }
    std::vector<int> saturation;
    Renumbering renumbering;
    const int saturationColours = renumbering.saturationColours(matrix, saturation);
    return saturationColours < greedyColours ? saturation : greedy;
}
