#pragma once

#include "graph/text_list.h"

#include <QColor>
#include <QImage>

#include <vector>

// Draws the bar chart of a walk's visit counts on a fresh white surface of at
// least 625 x 345 pixels: axes, one bar per label (the first highest in aqua,
// the others silver, the highest 300 pixels high) and the labels below.
// Up to 33 vertices the bars are 580 / n - n / 2 pixels wide, as the program
// always drew them; more vertices share the axis from x 20 to 605 evenly and
// their labels are written only where they do not overlap.
void drawVisitChart(QImage& surface, const TextList& labels, const std::vector<qint64>& counts);

inline const QColor kMarkerColour(0, 0, 128);

// A transparent picture to lay over the chart: across each bar a thin navy
// line at the count the vertex tends to in a long walk (shares sum to 1).
QImage drawShareMarkers(const QSize& size, const std::vector<qint64>& counts,
                        const std::vector<double>& shares);
