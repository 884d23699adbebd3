#pragma once

#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "graph/sample_graphs.h"

#include <vector>

// Stores and answers that many tests compare against.

// Sample graph k as the program holds it, counts refreshed.
inline GraphStore sampleStore(int k) {
    GraphStore store;
    appendSampleGraph(store, k);
    store.refreshCounts();
    return store;
}

// What "Berechnen!" lists for the store.
inline CliqueList greedyCliques(GraphStore store) {
    CliqueList cliques;
    store.refreshCounts();
    searchCliquesFromEveryVertex(store, cliques, nullptr);
    return cliques;
}

// Whether every two of the vertices are joined.
inline bool isClique(const ExactGraph& g, const std::vector<int>& vertices) {
    for (std::size_t i = 0; i < vertices.size(); ++i)
        for (std::size_t j = i + 1; j < vertices.size(); ++j)
            if (!g.adjacent(vertices[i], vertices[j]))
                return false;
    return true;
}
