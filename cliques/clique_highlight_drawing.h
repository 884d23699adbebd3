#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QSize>

// The colour a highlighted clique is drawn in: clear against the black lines,
// pale circles and red labels of the graph pictures.
inline const QColor kHighlightColour(255, 128, 0);

// A transparent picture of the given size that marks a clique: a thick ring
// around each member's circle and a thick line along each edge among them,
// from circle to circle so that the labels stay readable.
QImage drawCliqueHighlight(const QSize& size, const QList<QPoint>& centres, int radius,
                           const QList<QLine>& edges);

// A transparent picture of the given size that shows a colouring: a ring
// around each vertex in the colour of its class (the play's class colours)
// and the class's number beside it, since the colours repeat.
QImage drawColouring(const QSize& size, const QList<QList<QPoint>>& centresByClass, int radius);
