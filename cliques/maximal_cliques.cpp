#include "maximal_cliques.h"

#include "cliques/search_observer.h"
#include "cliques/search_play.h"

#include <algorithm>
#include <bit>

namespace {

// Bron–Kerbosch with the pivot that leaves the fewest branches (the vertex of
// P or X with most neighbours in P). A graph with more maximal cliques than
// the cap is listed a second time by size, largest first, so that the list
// keeps the largest ones: each pass takes the cliques of one size and enters
// no branch that cannot reach it (a clique takes at most one candidate of
// each colour of a greedy colouring), until one more than the cap are known.
// Only the first pass reports to the observer.
template <class Observer> class MaximalCliqueEnumeration {
public:
    MaximalCliqueEnumeration(const ExactGraph& graph, std::size_t cap, const SearchControl& control,
                             Observer& observer, std::size_t largest)
        : m_graph(graph), m_cap(cap), m_control(control), m_observer(observer), m_largest(largest) {
    }

    MaximalCliques run() {
        const int n = m_graph.size();
        if (n == 0)
            return std::move(m_result);
        if (pass() || m_result.stopped)
            return std::move(m_result);
        m_result.truncated = true;
        m_result.complete = false;
        m_result.cliques.clear();
        m_quiet = true;
        if (m_largest == 0)
            m_largest = std::size_t(colourCount(all(), n));
        for (m_size = m_largest; m_size > 0 && m_result.cliques.size() <= m_cap; --m_size)
            if (!pass() && m_result.stopped)
                break;
        if (m_result.cliques.size() > m_cap)
            m_result.cliques.resize(m_cap);
        return std::move(m_result);
    }

private:
    VertexSet all() const {
        VertexSet set(m_graph.size());
        for (int v = 0; v < m_graph.size(); ++v)
            set.insert(v);
        return set;
    }

    // False when the steps ran out or one more clique than the cap was found.
    bool pass() {
        VertexSet candidates = all();
        VertexSet excluded(m_graph.size());
        return extend(candidates, excluded);
    }

    static int commonCount(const VertexSet& a, const VertexSet& b) {
        int n = 0;
        for (std::size_t w = 0; w < a.words().size(); ++w)
            n += std::popcount(a.words()[w] & b.words()[w]);
        return n;
    }

    // The colours a greedy colouring of the candidates takes, counted up to
    // `enough`.
    int colourCount(const VertexSet& candidates, int enough) {
        m_uncoloured = candidates.words();
        const std::size_t words = m_uncoloured.size();
        int colours = 0;
        while (colours < enough && std::any_of(m_uncoloured.begin(), m_uncoloured.end(),
                                               [](std::uint64_t w) { return w != 0; })) {
            ++colours;
            m_open = m_uncoloured;
            for (std::size_t w = 0; w < words; ++w)
                while (m_open[w] != 0) {
                    const int v = int(w * 64) + std::countr_zero(m_open[w]);
                    const auto& around = m_graph.neighbours[std::size_t(v)].words();
                    m_uncoloured[w] &= ~(std::uint64_t(1) << (v & 63));
                    m_open[w] &= ~(std::uint64_t(1) << (v & 63));
                    for (std::size_t x = w; x < words; ++x)
                        m_open[x] &= ~around[x];
                }
        }
        return colours;
    }

    // Whether this branch can still reach a clique of the pass's size.
    bool canReachSize(const VertexSet& candidates) {
        if (m_current.size() >= m_size)
            return true;
        const int room = int(m_size - m_current.size());
        return candidates.count() >= room && colourCount(candidates, room) >= room;
    }

    void report(void (Observer::*event)()) {
        if (!m_quiet)
            (m_observer.*event)();
    }

    // Returns false once the steps are used up or one more clique than the
    // cap is known.
    bool extend(VertexSet& candidates, VertexSet& excluded) {
        if (++m_steps > m_control.stepLimit || m_control.stop.stop_requested() ||
            m_observer.stopped()) {
            m_result.stopped = true;
            m_result.complete = false;
            return false;
        }
        if (candidates.empty()) {
            if (!excluded.empty()) {
                report(&Observer::notMaximal);
                return true;
            }
            if (m_size > 0 && m_current.size() != m_size)
                return true;
            m_result.cliques.push_back(m_current);
            std::sort(m_result.cliques.back().begin(), m_result.cliques.back().end());
            if (m_result.cliques.size() > m_cap)
                return false;
            report(&Observer::cliqueFound);
            return true;
        }
        if (m_size > 0 && !canReachSize(candidates))
            return true;
        int pivot = -1;
        int most = -1;
        for (const VertexSet* pool : {&candidates, &excluded})
            for (int u : pool->members()) {
                const int n = commonCount(candidates, m_graph.neighbours[std::size_t(u)]);
                if (n > most) {
                    most = n;
                    pivot = u;
                }
            }
        if (!m_quiet)
            m_observer.pivotChosen(pivot);
        VertexSet branches = candidates;
        const auto& pivotNeighbours = m_graph.neighbours[std::size_t(pivot)].words();
        for (std::size_t w = 0; w < branches.words().size(); ++w)
            branches.words()[w] &= ~pivotNeighbours[w];
        for (int v : branches.members()) {
            const VertexSet& around = m_graph.neighbours[std::size_t(v)];
            VertexSet nextCandidates = intersection(candidates, around);
            VertexSet nextExcluded = intersection(excluded, around);
            m_current.push_back(v);
            if (!m_quiet)
                m_observer.branch(v);
            const bool goOn = extend(nextCandidates, nextExcluded);
            m_current.pop_back();
            report(&Observer::returned);
            if (!goOn)
                return false;
            candidates.erase(v);
            excluded.insert(v);
            if (!m_quiet)
                m_observer.movedToExcluded(v);
        }
        return true;
    }

    const ExactGraph& m_graph;
    std::size_t m_cap;
    const SearchControl& m_control;
    Observer& m_observer;
    std::uint64_t m_steps = 0;
    std::size_t m_largest;  // where the passes by size begin; 0 when unknown
    std::size_t m_size = 0; // the size a pass lists, 0 for all
    bool m_quiet = false;
    std::vector<int> m_current;
    MaximalCliques m_result;
    std::vector<std::uint64_t> m_uncoloured;
    std::vector<std::uint64_t> m_open;
};

} // namespace

MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       std::uint64_t stepLimit) {
    return enumerateMaximalCliques(graph, cap, SearchControl{stepLimit, {}});
}

MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       const SearchControl& control, std::size_t largest) {
    SilentSearchObserver silent;
    return MaximalCliqueEnumeration<SilentSearchObserver>(graph, cap, control, silent, largest)
        .run();
}

template <class Observer>
MaximalCliques enumerateMaximalCliquesObserved(const ExactGraph& graph, std::size_t cap,
                                               std::uint64_t stepLimit, Observer& observer) {
    const SearchControl control{stepLimit, {}};
    return MaximalCliqueEnumeration<Observer>(graph, cap, control, observer, 0).run();
}

template MaximalCliques
enumerateMaximalCliquesObserved<BronKerboschStepRecorder>(const ExactGraph&, std::size_t,
                                                          std::uint64_t, BronKerboschStepRecorder&);
