#include "graph_store.h"

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
