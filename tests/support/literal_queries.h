#pragma once

#include "graph/graph_store.h"

#include <algorithm>

// The adjacency queries exactly as first described: every question asks the
// edge texts afresh. The tests' literal reference implementations use them.

// The edges among the first edgeCount entries that have the label at either
// end (exact comparison), in list order.
inline TextList incidentEdges(const TextList& edges, const QByteArray& label, qsizetype edgeCount) {
    TextList result;
    const qsizetype n = std::min(edgeCount, edges.count());
    for (qsizetype i = 0; i < n; ++i) {
        const EdgeEnds ends = splitEdge(edges[i]);
        if (ends.first == label || ends.second == label)
            result.append(edges[i]);
    }
    return result;
}

// One entry per edge: the end that is not the label (the label itself for a loop).
inline TextList edgePartners(const TextList& edges, const QByteArray& label) {
    TextList result;
    for (const QByteArray& edge : edges) {
        EdgeEnds ends = splitEdge(edge);
        result.append(ends.first != label ? ends.first : ends.second);
    }
    return result;
}

// True when every member is joined to the candidate by one of the first
// edgeCount edges. Labels compare exactly.
inline bool isAdjacentToAll(const TextList& edges, const TextList& members,
                            const QByteArray& candidate, qsizetype edgeCount) {
    const TextList partners = edgePartners(incidentEdges(edges, candidate, edgeCount), candidate);
    return std::all_of(members.begin(), members.end(), [&](const QByteArray& member) {
        return partners.indexOfExact(member) >= 0;
    });
}
