#pragma once

#include "editor/position_grid.h"
#include "graph/graph_store.h"
#include "graph/vertex_positions.h"

#include <optional>

// The positions in the picture of sample graph k (1 or 2), but only while the
// store still holds exactly that graph.
std::optional<VertexPositions> sampleGraphPositions(const GraphStore& store, int k);

// The grid positions of a graph built in the editor: every label must be the
// number of a vertex placed on the grid.
std::optional<VertexPositions> editorPositions(const GraphStore& store, const PositionGrid& grid);
