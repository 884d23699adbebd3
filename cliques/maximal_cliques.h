#pragma once

#include "cliques/exact_graph.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Every maximal clique by Bron–Kerbosch with pivoting.

inline constexpr std::size_t kMaximalCliqueCap = 10000;

struct MaximalCliques {
    // Each as vertex numbers in ascending order, in the order found (past the
    // cap, size by size).
    std::vector<std::vector<int>> cliques;
    // True when the graph has more maximal cliques than the cap.
    bool truncated = false;
    // True when the step limit or a stop request ended the search early.
    bool stopped = false;
    // False when the list is not all maximal cliques: the cap was passed, or
    // the step limit or a stop request ended the search early.
    bool complete = true;
};

// Every maximal clique, or, when the graph has more than cap of them, the cap
// largest. An isolated vertex is a maximal clique of its own; a graph without
// vertices has none. A search that stops early keeps what it found; past the
// cap those are the largest down to some size and some of that size.
MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap = kMaximalCliqueCap,
                                       std::uint64_t stepLimit = kSearchStepLimit);
// `largest`, when known, is the clique number, where a list by size begins.
MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       const SearchControl& control, std::size_t largest = 0);

// The same enumeration reporting every step to an observer (see
// cliques/search_observer.h).
template <class Observer>
MaximalCliques enumerateMaximalCliquesObserved(const ExactGraph& graph, std::size_t cap,
                                               std::uint64_t stepLimit, Observer& observer);
