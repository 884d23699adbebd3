#include "position_grid.h"

void PositionGrid::fillCoordinates() {
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            GridX.append(QByteArray::number(71 + 101 * column));
            GridY.append(QByteArray::number(60 + 90 * row));
        }
    }
}

void PositionGrid::reset() {
    GridUsed.fill(0);
    VertexGridPos.fill(-1);
}

std::uint8_t GridRow(const QByteArray& position) {
    const auto n = static_cast<std::uint8_t>(position.toInt());
    if (n < 5)
        return 1;
    if (n < 10)
        return 2;
    if (n < 15)
        return 3;
    return 0;
}

std::uint8_t GridColumn(const QByteArray& position) {
    const auto n = static_cast<std::uint8_t>(position.toInt());
    return n < PositionGrid::kPositions ? std::uint8_t(n % 5 + 1) : 0;
}

int NewVertexNumber(const PositionGrid& grid, const TextList& vertices) {
    for (int n = 0; n < PositionGrid::kPositions; ++n) {
        if (grid.VertexGridPos[n] == -1 && vertices.indexOfExact(QByteArray::number(n)) < 0)
            return n;
    }
    return -1;
}

Placement PlaceVertex(PositionGrid& grid, TextList& vertices, int position) {
    const int n = NewVertexNumber(grid, vertices);
    if (n < 0)
        return {PlacementOutcome::NoNumberLeft};
    if (grid.GridUsed[position] == 1)
        return {PlacementOutcome::PositionTaken};
    grid.VertexGridPos[n] = position;
    vertices.append(QByteArray::number(n));
    grid.GridUsed[position] = 1;
    return {PlacementOutcome::Placed, n};
}
