#pragma once

#include "editor/position_grid.h"
#include "graph/graph_store.h"

#include <QHash>
#include <QPoint>

#include <optional>

// Where the vertices of the current graph stand on its picture, so that a
// clique can be marked on it. Known for the sample graphs (their pictures are
// drawn from the same table) and for graphs placed on the editor's grid; not
// for imported graphs.
struct VertexPositions {
    QHash<QByteArray, QPoint> centres; // by label
    int radius = 0;                    // of the vertex circles in the picture
};

// The positions in the picture of sample graph k (1 or 2), but only while the
// store still holds exactly that graph.
std::optional<VertexPositions> sampleGraphPositions(const GraphStore& store, int k);

// The grid positions of a graph built in the editor: every label must be the
// number of a vertex placed on the grid.
std::optional<VertexPositions> editorPositions(const GraphStore& store, const PositionGrid& grid);
