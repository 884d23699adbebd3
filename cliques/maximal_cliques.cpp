#include "maximal_cliques.h"

#include "cliques/search_observer.h"
#include "cliques/search_play.h"

#include <algorithm>
#include <bit>

namespace {

// Bron–Kerbosch with the pivot that leaves the fewest branches (the vertex of
// P or X with most neighbours in P).
template <class Observer> class MaximalCliqueEnumeration {
public:
    MaximalCliqueEnumeration(const ExactGraph& graph, std::size_t cap, const SearchControl& control,
                             Observer& observer)
        : m_graph(graph), m_cap(cap), m_control(control), m_observer(observer) {}

    MaximalCliques run() {
        const int n = m_graph.size();
        if (n > 0) {
            VertexSet all(n);
            for (int v = 0; v < n; ++v)
                all.insert(v);
            VertexSet none(n);
            extend(all, none);
        }
        return std::move(m_result);
    }

private:
    static int commonCount(const VertexSet& a, const VertexSet& b) {
        int n = 0;
        for (std::size_t w = 0; w < a.words().size(); ++w)
            n += std::popcount(a.words()[w] & b.words()[w]);
        return n;
    }

    // Returns false once the cap has been passed or the steps are used up.
    bool extend(VertexSet& candidates, VertexSet& excluded) {
        if (++m_steps > m_control.stepLimit || m_control.stop.stop_requested() ||
            m_observer.stopped()) {
            m_result.complete = false;
            return false;
        }
        if (candidates.empty()) {
            if (!excluded.empty()) {
                m_observer.notMaximal();
                return true;
            }
            if (m_result.cliques.size() == m_cap) {
                m_result.truncated = true;
                m_result.complete = false;
                return false;
            }
            m_result.cliques.push_back(m_current);
            std::sort(m_result.cliques.back().begin(), m_result.cliques.back().end());
            m_observer.cliqueFound();
            return true;
        }
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
            m_observer.branch(v);
            const bool goOn = extend(nextCandidates, nextExcluded);
            m_current.pop_back();
            m_observer.returned();
            if (!goOn)
                return false;
            candidates.erase(v);
            excluded.insert(v);
            m_observer.movedToExcluded(v);
        }
        return true;
    }

    const ExactGraph& m_graph;
    std::size_t m_cap;
    const SearchControl& m_control;
    Observer& m_observer;
    std::uint64_t m_steps = 0;
    std::vector<int> m_current;
    MaximalCliques m_result;
};

} // namespace

MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       std::uint64_t stepLimit) {
    return enumerateMaximalCliques(graph, cap, SearchControl{stepLimit, {}});
}

MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       const SearchControl& control) {
    SilentSearchObserver silent;
    return MaximalCliqueEnumeration<SilentSearchObserver>(graph, cap, control, silent).run();
}

template <class Observer>
MaximalCliques enumerateMaximalCliquesObserved(const ExactGraph& graph, std::size_t cap,
                                               std::uint64_t stepLimit, Observer& observer) {
    const SearchControl control{stepLimit, {}};
    return MaximalCliqueEnumeration<Observer>(graph, cap, control, observer).run();
}

template MaximalCliques
enumerateMaximalCliquesObserved<BronKerboschStepRecorder>(const ExactGraph&, std::size_t,
                                                          std::uint64_t, BronKerboschStepRecorder&);
