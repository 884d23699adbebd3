#pragma once

#include "graph/graph_store.h"

#include <QList>

#include <algorithm>
#include <random>

// A random graph with the oddities that imported files may hold.
inline GraphStore randomOddGraph(std::mt19937& engine) {
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
    auto chance = [&](double p) { return std::bernoulli_distribution(p)(engine); };
    static const QList<QByteArray> oddLabels{"A",  "a",    "B",    "b", "ab", "Ab", "AB",
                                             "12", "1",    "x-y",  "y", "x",  "",   "10",
                                             "01", "\xe4", "\xc4", "-", "z",  "q7"};
    static const QList<QByteArray> unknownLabels{"zz", "99", "Q", "a-b-c"};

    // Mostly small graphs, now and then one of up to 40 vertices.
    const int n = below(below(41) + 1);
    const bool odd = chance(0.5);
    QList<QByteArray> vertices;
    for (int i = 0; i < n; ++i) {
        if (!vertices.isEmpty() && chance(0.05))
            vertices.append(vertices[below(int(vertices.size()))]); // duplicate label
        else if (odd && chance(0.6))
            vertices.append(oddLabels[below(int(oddLabels.size()))]);
        else
            vertices.append(QByteArray::number(i));
    }

    // Sparse graphs leave vertices without edges for the removal step.
    const double spread = std::uniform_real_distribution<double>(0, 1)(engine);
    const double density = chance(0.3) ? 0.1 * spread : 0.05 + 0.9 * spread;
    QList<QByteArray> edges;
    auto anyEnd = [&]() -> QByteArray {
        if (vertices.isEmpty() || chance(0.05))
            return unknownLabels[below(int(unknownLabels.size()))];
        return vertices[below(int(vertices.size()))];
    };
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (chance(density))
                edges.append(chance(0.5) ? vertices[a] + '-' + vertices[b]
                                         : vertices[b] + '-' + vertices[a]);
    const int extras = below(n / 2 + 2);
    for (int e = 0; e < extras; ++e) {
        switch (below(5)) {
        case 0: // repeat
            if (!edges.isEmpty())
                edges.append(edges[below(int(edges.size()))]);
            break;
        case 1: { // loop
            const QByteArray v = anyEnd();
            edges.append(v + '-' + v);
            break;
        }
        case 2: // one end unknown
            edges.append(anyEnd() + '-' + unknownLabels[below(int(unknownLabels.size()))]);
            break;
        case 3: // no dash: empty first end
            edges.append(anyEnd());
            break;
        default: // ends differing only in case from a vertex
            edges.append(anyEnd().toUpper() + '-' + anyEnd().toLower());
            break;
        }
    }
    std::shuffle(edges.begin(), edges.end(), engine);

    GraphStore store;
    store.vertices = TextList(vertices);
    store.edges = TextList(edges);
    store.refreshCounts();
    if (chance(0.1)) // the queries only look at the first edgeCount edges
        store.edgeCount = below(int(store.edgeCount) + 1);
    return store;
}
