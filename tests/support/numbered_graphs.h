#pragma once

#include "graph/graph_store.h"

#include <random>

// Graphs on the vertices "0" to "n-1", shared by tests and benchmarks so that
// both measure the same inputs.

// An edge "a-b" (a < b) for every pair that joined(a, b) accepts, in the order
// of a, then b; counts refreshed.
template <typename Joined> GraphStore numberedGraph(int n, Joined joined) {
    GraphStore store;
    for (int v = 0; v < n; ++v)
        store.vertices.append(QByteArray::number(v));
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (joined(a, b))
                store.edges.append(QByteArray::number(a) + '-' + QByteArray::number(b));
    store.refreshCounts();
    return store;
}

inline GraphStore completeGraph(int n) {
    return numberedGraph(n, [](int, int) { return true; });
}

// Every pair joined with probability p; the same graph for the same seed.
inline GraphStore randomGraph(int n, double p, unsigned seed) {
    std::mt19937 engine(seed);
    std::bernoulli_distribution joined(p);
    return numberedGraph(n, [&](int, int) { return joined(engine); });
}

// n = 3t vertices in t groups of three, joined unless in the same group: 3^t
// maximal cliques, the most any graph of n vertices has.
inline GraphStore moonMoser(int t) {
    return numberedGraph(3 * t, [](int a, int b) { return a / 3 != b / 3; });
}
