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

// The same search reporting every step to an observer (see
// cliques/search_observer.h).
template <class Observer>
MaximumCliqueResult maximumCliqueObserved(const ExactGraph& graph, std::uint64_t stepLimit,
                                          Observer& observer);
