#pragma once

#include "text_list.h"

#include <QByteArrayView>

// The one current graph that every window works on. The counts are plain
// copies of the list lengths, refreshed only where the program says so; every
// reader refreshes them first.
struct GraphStore {
    TextList vertices;
    TextList edges;
    qsizetype vertexCount = 0;
    qsizetype edgeCount = 0;

    void refreshVertexCount() { vertexCount = vertices.count(); }
    void refreshEdgeCount() { edgeCount = edges.count(); }
    void refreshCounts() {
        refreshVertexCount();
        refreshEdgeCount();
    }
    // Empties both lists and zeroes the counts.
    void clear() {
        vertices.clear();
        edges.clear();
        vertexCount = 0;
        edgeCount = 0;
    }
};

struct EdgeEnds {
    QByteArray first;
    QByteArray second;
};

// Splits "a-b" at the first dash; without a dash the first end is empty and
// the whole text is the second end.
EdgeEnds splitEdge(const QByteArray& edge);

// The same split as views into the edge text, without copying.
struct EdgeEndViews {
    QByteArrayView first;
    QByteArrayView second;
};
EdgeEndViews splitEdgeView(QByteArrayView edge);
