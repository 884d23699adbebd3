#pragma once

#include "cliques/clique.h"
#include "cliques/hardness/reduction.h"
#include "graph/graph_layout.h"

#include <QImage>

// The reduction graph in the style of the sample pictures, its clauses' names
// above their columns.

// The column layout with the labels measured in the font they are drawn in.
GraphLayout reductionLayoutForPicture(const Reduction& reduction);

QImage drawReductionPicture(const Reduction& reduction, const GraphLayout& layout);

// The mark of a clique of the reduction, over a picture of the given size.
QImage drawReductionHighlight(const QSize& size, const GraphLayout& layout, const Clique& clique);
