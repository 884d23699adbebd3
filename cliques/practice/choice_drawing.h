#pragma once

#include "cliques/practice/choice.h"
#include "graph/vertex_positions.h"

#include <QColor>
#include <QImage>
#include <QSize>

// The practice window's layers over the graph's picture.

inline const QColor kChoiceRingColour(0, 90, 255);
inline const QColor kChoiceEdgeColour(0, 160, 0);

// Up to this many vertices the complement is drawn; beyond, its lines would
// only fill the picture.
inline constexpr int kComplementDrawLimit = 200;

// A transparent picture of the choice: a ring around each chosen vertex, the
// edges between chosen vertices thick green, the missing ones dashed red.
QImage drawChoice(const QSize& size, const VertexPositions& positions,
                  const ChoiceAnalysis& analysis);

// An opaque picture of the complement on the same positions: its edges in
// the style of the graph pictures on white, the vertices copied from the
// graph's picture so that they look as they did.
QImage drawComplement(const QImage& picture, const VertexPositions& positions,
                      const QList<LabelPair>& edges);
