#pragma once

#include "cliques/clique_positions.h"
#include "cliques/search_play.h"

#include <QColor>
#include <QImage>
#include <QSize>

// The colour each role of a play is drawn in, named in the window's legend.
QColor playRoleColour(PlayRole role);
// The German name of a role for the legend, per search.
QString playRoleName(PlayRole role, bool bronKerbosch);

// The colour a candidate of colour class k (from 1) is drawn in; the colours
// repeat after colourClassColourCount().
QColor colourClassColour(int colourClass);
int colourClassColourCount();
// The legend of the branch and bound's play, as rich text: which colour
// means what.
QString cliqueNumberPlayLegend();

// A transparent picture of the given size that shows one step of a play over
// the graph's picture: a ring (or a grey veil) around each vertex by its role,
// the candidate's edges to the members solid where they exist and dashed red
// where one is missing.
QImage drawPlayFrame(const QSize& size, const PlayFrame& frame, const VertexPositions& positions);
