#include "graph_store.h"

EdgeEnds splitEdge(const QByteArray& edge) {
    const qsizetype dash = edge.indexOf('-');
    if (dash < 0)
        return {QByteArray(), edge};
    return {edge.left(dash), edge.mid(dash + 1)};
}
