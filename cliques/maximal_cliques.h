#pragma once

#include "cliques/exact_graph.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Every maximal clique by Bron–Kerbosch with pivoting.

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
