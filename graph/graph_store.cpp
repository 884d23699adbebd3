#include "graph_store.h"

#include <algorithm>

EdgeEnds splitEdge(const QByteArray& edge) {
    const EdgeEndViews ends = splitEdgeView(edge);
    if (ends.first.isNull())
        return {QByteArray(), edge};
    return {ends.first.toByteArray(), ends.second.toByteArray()};
}

EdgeEndViews splitEdgeView(QByteArrayView edge) {
    // A plain search: edge texts are a few bytes, too short for memchr to pay.
    const auto dash = std::find(edge.begin(), edge.end(), '-');
    if (dash == edge.end())
        return {QByteArrayView(), edge};
    const qsizetype at = dash - edge.begin();
    return {edge.first(at), edge.sliced(at + 1)};
}

TextList incidentEdges(const TextList& edges, const QByteArray& label, qsizetype edgeCount) {
    TextList result;
    const qsizetype n = std::min(edgeCount, edges.count());
    for (qsizetype i = 0; i < n; ++i) {
        const EdgeEnds ends = splitEdge(edges[i]);
        if (ends.first == label || ends.second == label)
            result.append(edges[i]);
    }
    return result;
}

TextList edgePartners(const TextList& edges, const QByteArray& label) {
    TextList result;
    for (const QByteArray& edge : edges) {
        EdgeEnds ends = splitEdge(edge);
        result.append(ends.first != label ? ends.first : ends.second);
    }
    return result;
}

bool isAdjacentToAll(const TextList& edges, const TextList& members, const QByteArray& candidate,
                     qsizetype edgeCount) {
    const TextList partners = edgePartners(incidentEdges(edges, candidate, edgeCount), candidate);
    return std::all_of(members.begin(), members.end(), [&](const QByteArray& member) {
        return partners.indexOfExact(member) >= 0;
    });
}
