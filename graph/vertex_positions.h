#pragma once

#include <QByteArray>
#include <QHash>
#include <QPoint>

// Where the vertices of the current graph stand on its picture, so that a
// clique can be marked on it: known for the sample graphs (their pictures are
// drawn from the same table), for graphs placed on the editor's grid and for
// graphs that Mandorin lays out itself.
struct VertexPositions {
    QHash<QByteArray, QPoint> centres; // by label
    int radius = 0;                    // of the vertex circles in the picture
};
