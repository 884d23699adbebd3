#pragma once

#include "graph/text_list.h"

#include <QString>

#include <vector>

// Short German descriptions of the pictures, for screen readers.

// "Graph mit 9 Knoten und 13 Kanten"; "Graph ohne Knoten" when there is none.
QString graphDescription(qsizetype vertices, qsizetype edges);

// The visit chart of a walk: how many vertices, and the one visited most (the
// first of them, as the chart marks it): "Besuche von 9 Knoten; am häufigsten
// besucht: Knoten 4 (27 Besuche)".
QString visitChartDescription(const TextList& labels, const std::vector<qint64>& counts);
