#pragma once

#include "graph/graph_store.h"
#include "graph/progress.h"
#include "graph/vertex_positions.h"

#include <QSet>
#include <QSize>
#include <QString>

#include <functional>

// Where to draw a graph whose vertex positions nobody chose, in the 550 x 300
// picture of the sample graphs: up to kRingLayoutLimit vertices evenly along a
// ring (an ellipse filling the picture, as wide as the picture allows), more
// by a force-directed layout (Fruchterman-Reingold) from a fixed seed. The
// same graph always gets the same picture.

inline constexpr int kRingLayoutLimit = 30;
// Beyond the ring no circle is smaller than this, so that every vertex stays
// a circle one can see and click on (10 px across).
inline constexpr int kSmallestLaidOutRadius = 5;
// The most vertices a picture shows: circles of the smallest size still fit
// side by side. Of larger graphs it shows those with the most edges.
inline constexpr qsizetype kMostShownVertices = 1000;
// Beyond the ring the picture says in a strip along its bottom how many
// vertices and edges it shows; no circle or label goes there.
inline constexpr int kCountStripHeight = 14;
// Font size of the labels in the sample pictures.
inline constexpr int kLabelPixelSize = 16;
// Free pixels between a vertex circle and the picture's border.
inline constexpr int kLayoutMargin = 2;

struct GraphLayout {
    VertexPositions positions;      // one centre per distinct label shown
    QSet<QByteArray> legibleLabels; // the labels to draw; the others would overlap
    int labelPixelSize = kLabelPixelSize;
    // For the strip along the bottom, e.g. "1.000 Knoten, 250.000 Kanten" or
    // "zeigt 1.000 von 5.000 Knoten, 9.000 von 20.000 Kanten" (distinct
    // vertices, and distinct edges between two of them); empty up to the
    // ring limit, where the picture has no strip.
    QString countText;
};

// The size of a label's text at a font size in pixels.
using LabelMeasure = std::function<QSize(const QByteArray& label, int pixelSize)>;

// A generous guess at the size of a label's text in the pictures' bold font,
// for use where no font is at hand.
QSize estimatedLabelSize(const QByteArray& label, int pixelSize);

// Lays out the distinct labels of the store, joined by its edges (edges whose
// ends are not both vertices, and loops, pull nothing; a repeated edge pulls
// once). Every circle of the returned radius lies inside the picture with
// kLayoutMargin to spare; up to kRingLayoutLimit vertices the radius is that
// of the sample pictures and no two centres are closer than the circles'
// diameter, beyond that the radius shrinks with the room each vertex has, down
// to kSmallestLaidOutRadius, and the circles are moved apart until none
// overlaps another. Of more than kMostShownVertices vertices only that many get
// a position. A label is legible when its text, centred on its vertex, lies
// inside the picture (above the strip) and overlaps no label that comes before
// it in the store. progress (optional) is shown for large graphs.
GraphLayout layoutGraph(const GraphStore& store, const LabelMeasure& measure = estimatedLabelSize,
                        ProgressSink* progress = nullptr);
