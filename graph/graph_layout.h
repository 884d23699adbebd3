#pragma once

#include "graph/graph_store.h"
#include "graph/progress.h"
#include "graph/vertex_positions.h"

#include <QSet>
#include <QSize>

#include <functional>

// Where to draw a graph whose vertex positions nobody chose, in the 550 x 300
// picture of the sample graphs: up to kRingLayoutLimit vertices evenly along a
// ring (an ellipse filling the picture, as wide as the picture allows), more
// by a force-directed layout (Fruchterman-Reingold) from a fixed seed. The
// same graph always gets the same picture.

inline constexpr int kRingLayoutLimit = 30;
// Font size of the labels in the sample pictures.
inline constexpr int kLabelPixelSize = 16;
// Free pixels between a vertex circle and the picture's border.
inline constexpr int kLayoutMargin = 2;

struct GraphLayout {
    VertexPositions positions;      // one centre per distinct label
    QSet<QByteArray> legibleLabels; // the labels to draw; the others would overlap
    int labelPixelSize = kLabelPixelSize;
};

// The size of a label's text at a font size in pixels.
using LabelMeasure = std::function<QSize(const QByteArray& label, int pixelSize)>;

// A generous guess at the size of a label's text in the pictures' bold font,
// for use where no font is at hand.
QSize estimatedLabelSize(const QByteArray& label, int pixelSize);

// Lays out the distinct labels of the store, joined by its edges (edges whose
// ends are not both vertices, and loops, pull nothing). Every circle of the
// returned radius lies inside the picture with kLayoutMargin to spare; up to
// kRingLayoutLimit vertices the radius is that of the sample pictures and no
// two centres are closer than the circles' diameter, beyond that the radius
// shrinks with the room each vertex has. A label is legible when its text,
// centred on its vertex, lies inside the picture and overlaps no label that
// comes before it in the store. progress (optional) is shown for large graphs.
GraphLayout layoutGraph(const GraphStore& store, const LabelMeasure& measure = estimatedLabelSize,
                        ProgressSink* progress = nullptr);
