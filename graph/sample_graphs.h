#pragma once

#include "graph_store.h"

#include <QPoint>

#include <vector>

// The two built-in graphs. The same table drives the stored lists and the
// pictures generated from it, so picture and data cannot drift apart.
struct SampleGraph {
    const char* pictureFile;
    std::vector<QByteArray> labels;
    std::vector<QByteArray> edges;
    // Centre of each vertex's circle in the 550 x 300 picture, by vertex index.
    std::vector<QPoint> centres;
};

// k is 1 or 2.
const SampleGraph& sampleGraph(int k);

// Appends the labels and edges of sample graph k to the store (which the
// caller has emptied).
void appendSampleGraph(GraphStore& store, int k);

inline constexpr int kSamplePictureWidth = 550;
inline constexpr int kSamplePictureHeight = 300;
inline constexpr int kSampleVertexRadius = 18;
