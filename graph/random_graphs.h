#pragma once

#include "graph/graph_store.h"

#include <cstdint>

// Graphs on the vertices "0" to "n-1": the random graphs the growth
// measurement draws, and the families tests and benchmarks build from them.

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

// G(n, p): every pair joined with probability p; the same graph for the same
// seed on every platform.
GraphStore randomGraph(int n, double p, std::uint64_t seed);
