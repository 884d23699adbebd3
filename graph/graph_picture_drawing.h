#pragma once

#include "graph/graph_layout.h"
#include "graph/graph_store.h"

#include <QFont>
#include <QImage>
#include <QPen>
#include <QSize>

// Pictures of graphs in the style of the sample pictures: black edges from
// centre to centre, pale circles with a black outline, red labels centred on
// them. The sample pictures themselves are drawn by this.

// The bold label font at a size in pixels.
QFont graphLabelFont(int pixelSize);

// The pen the edges are drawn with between circles of this radius.
QPen graphEdgePen(int radius);

// The size of a label's text in that font, for layoutGraph.
QSize graphLabelSize(const QByteArray& label, int pixelSize);

// layoutGraph measuring the labels in the font they are drawn in.
GraphLayout layoutGraphForPicture(const GraphStore& store, ProgressSink* progress = nullptr);

// The 550 x 300 picture of the store's graph at the layout's positions: an
// edge where both ends have a position, every vertex of the layout, the
// legible labels and the layout's count text in the strip along the bottom.
// progress (optional) is shown for stores of 100,000 edges and more.
QImage drawGraphPicture(const GraphStore& store, const GraphLayout& layout,
                        ProgressSink* progress = nullptr);
