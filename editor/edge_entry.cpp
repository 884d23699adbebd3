#include "edge_entry.h"

#include <algorithm>

namespace {

QByteArray joined(int first, int second) {
    return QByteArray::number(first) + '-' + QByteArray::number(second);
}

// -1, 0 or +1: the direction from one grid index to another.
int towards(int from, int to) {
    return (to > from) - (to < from);
}

} // namespace

QByteArray editorEdgeText(int a, int b) {
    return joined(std::min(a, b), std::max(a, b));
}

bool edgeIsValid(const PositionGrid& grid, const TextList& edges, int a, int b) {
    const int p1 = grid.vertexPosition[a];
    const int p2 = grid.vertexPosition[b];
    return p1 != p2 && p1 != -1 && p2 != -1 && edges.indexOf(joined(a, b)) < 0 &&
           edges.indexOf(joined(b, a)) < 0;
}

QLine edgeLineEnds(const PositionGrid& grid, int p1, int p2) {
    const QByteArray t1 = QByteArray::number(p1);
    const QByteArray t2 = QByteArray::number(p2);
    const int dx = towards(gridColumn(t1), gridColumn(t2));
    const int dy = towards(gridRow(t1), gridRow(t2));
    constexpr int pull = 30;
    return QLine(grid.x(p1) + pull * dx, grid.y(p1) + pull * dy, grid.x(p2) - pull * dx,
                 grid.y(p2) - pull * dy);
}

std::optional<QLine> addEdge(const PositionGrid& grid, TextList& edges, int a, int b) {
    if (!edgeIsValid(grid, edges, a, b))
        return std::nullopt;
    edges.append(editorEdgeText(a, b));
    return edgeLineEnds(grid, grid.vertexPosition[a], grid.vertexPosition[b]);
}
