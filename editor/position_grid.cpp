#include "position_grid.h"

void PositionGrid::fillCoordinates() {
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            xCoordinates.append(QByteArray::number(71 + 101 * column));
            yCoordinates.append(QByteArray::number(60 + 90 * row));
        }
    }
}

void PositionGrid::reset() {
    taken.fill(0);
    vertexPosition.fill(-1);
}

std::uint8_t gridRow(const QByteArray& position) {
    const auto n = static_cast<std::uint8_t>(position.toInt());
    if (n < 5)
        return 1;
    if (n < 10)
        return 2;
    if (n < 15)
        return 3;
    return 0;
}

std::uint8_t gridColumn(const QByteArray& position) {
    const auto n = static_cast<std::uint8_t>(position.toInt());
    return n < PositionGrid::kPositions ? std::uint8_t(n % 5 + 1) : 0;
}

int newVertexNumber(const PositionGrid& grid, const TextList& vertices) {
    for (int n = 0; n < PositionGrid::kPositions; ++n) {
        if (grid.vertexPosition[n] == -1 && vertices.indexOfExact(QByteArray::number(n)) < 0)
            return n;
    }
    return -1;
}

Placement placeVertex(PositionGrid& grid, TextList& vertices, int position) {
    const int n = newVertexNumber(grid, vertices);
    if (n < 0)
        return {PlacementOutcome::NoNumberLeft};
    if (grid.taken[position] == 1)
        return {PlacementOutcome::PositionTaken};
    grid.vertexPosition[n] = position;
    vertices.append(QByteArray::number(n));
    grid.taken[position] = 1;
    return {PlacementOutcome::Placed, n};
}
