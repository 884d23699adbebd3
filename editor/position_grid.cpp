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
