#pragma once

#include "editor/position_grid.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QString>

// Drawing of the graph editor on the picture of the image area, with aliased
// one-pixel lines so that every pixel lands where the grid says. Rectangles
// and circles are given by corners whose right and bottom edges lie outside
// the figure.

// Small enough that a two-digit position number stays within the square that
// "DelPos" wipes (15 pixels right of and below the grid point).
QFont editorFont();

// A white surface with a black frame and the numbers of all 15 positions.
void drawEmptyGrid(QImage& canvas, const PositionGrid& grid);

// The circle of a vertex at position, covering the position number, with its
// label in red centred on the grid point.
void drawVertex(QImage& canvas, const PositionGrid& grid, int position, const QByteArray& label);

// Wipes the numbers of all free positions with white squares.
void blankFreePositions(QImage& canvas, const PositionGrid& grid);

void drawEdgeLine(QImage& canvas, const QLine& line);
