#pragma once

#include "editor/position_grid.h"
#include "graph/text_list.h"

#include <QLine>

#include <optional>

// The edge text of vertices a and b as the editor stores it: the smaller
// number first, e.g. "9-10".
QByteArray editorEdgeText(int a, int b);

// An edge between vertex numbers a and b (0..14) is valid when both are
// placed on different positions and neither "a-b" nor "b-a" is stored yet.
bool edgeIsValid(const PositionGrid& grid, const TextList& edges, int a, int b);

// The line joining the vertices at positions p1 and p2 (different, 0..14):
// from centre to centre, each end pulled 30 pixels towards the other in x
// where the columns differ and in y where the rows differ, so that it starts
// and ends on the circles' bounding squares.
QLine edgeLineEnds(const PositionGrid& grid, int p1, int p2);

// Validates the edge between vertex numbers a and b, appends its text to edges
// and returns the line to draw; nothing when the edge is invalid.
std::optional<QLine> addEdge(const PositionGrid& grid, TextList& edges, int a, int b);
