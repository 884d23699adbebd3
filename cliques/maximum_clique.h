#pragma once

#include "cliques/exact_graph.h"

#include <cstdint>
#include <functional>
#include <vector>

// The clique number by branch and bound with a colouring bound.

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

// Per depth of the search, that is per size of the clique it extends: how
// many such cliques it examined, and how many of them the colour bound ended
// at once.
struct BranchLevel {
    std::uint64_t examined = 0;
    std::uint64_t cut = 0;
    bool operator==(const BranchLevel&) const = default;
};

// The same search counting its branches per depth into `levels` (the empty
// clique at depth 0).
MaximumCliqueResult maximumCliqueCounted(const ExactGraph& graph, const SearchControl& control,
                                         const LargerCliqueFound& found,
                                         std::vector<BranchLevel>& levels);

// A proper colouring of the graph with as few colours as either a greedy
// colouring in number order or a saturation colouring finds: each vertex's
// colour, from 1.
std::vector<int> fewColourColouring(const ExactGraph& graph);

// The same search reporting every step to an observer (see
// cliques/search_observer.h).
template <class Observer>
MaximumCliqueResult maximumCliqueObserved(const ExactGraph& graph, std::uint64_t stepLimit,
                                          Observer& observer);
