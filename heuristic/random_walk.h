#pragma once

#include "graph/graph_store.h"
#include "graph/progress.h"

#include <QString>

#include <vector>

// Why a random walk cannot run on a graph.
enum class WalkRefusal {
    None,                 // the walk can run
    NoVertices,           // vertices is empty
    NoEdges,              // edges is empty
    NoEdgeBetweenVertices // every edge has an end that is no vertex label
};

// The German text that tells the user why the walk was refused (empty for None).
QString walkRefusalText(WalkRefusal refusal);

// The graph as the walk sees it: for every vertex index its partners, one
// entry per usable edge in edge order, as indices into vertices. An edge is
// usable when both its ends are labels of vertices (compared exactly); a
// partner is the first vertex that carries the partner's label.
class WalkGraph {
public:
    // Reads all of vertices and edges.
    explicit WalkGraph(const GraphStore& store);

    WalkRefusal refusal() const { return m_refusal; }
    qsizetype vertexCount() const { return qsizetype(m_first.size()) - 1; }
    // The partners of vertex v, as [begin, end) into one shared array.
    const int* partnersBegin(qsizetype v) const { return m_partners.data() + m_first[v]; }
    const int* partnersEnd(qsizetype v) const { return m_partners.data() + m_first[v + 1]; }
    int degree(qsizetype v) const { return m_first[v + 1] - m_first[v]; }

    // Walks `iterations` steps (needs refusal() == None) and returns the visit
    // count of every vertex, in vertices order. Draws from the program's one
    // generator exactly what these calls would draw, in this order:
    // randomBelow(vertex count) until a vertex with a usable edge comes up as
    // the start, then randomBelow(degree of the current vertex) once per step,
    // the partner drawn being the entry of that number. Shows the progress
    // (may be null), sets its maximum to `iterations`, reports positions up to
    // iterations - 1 and closes it.
    // When start is given, it receives the vertex the walk began on.
    std::vector<qint64> walk(int iterations, ProgressSink* progress, int* start = nullptr) const;

private:
    std::vector<int> m_first; // vertex count + 1 offsets into m_partners
    std::vector<int> m_partners;
    WalkRefusal m_refusal = WalkRefusal::None;
};

struct WalkResult {
    WalkRefusal refusal = WalkRefusal::None;
    // One count per entry of vertices; empty when the walk was refused.
    std::vector<qint64> visitCounts;
    int start = -1; // the vertex the walk began on
};

// Refreshes vertexCount and edgeCount and walks `iterations` steps over the
// store's graph. A refused walk touches neither the generator nor the progress.
WalkResult randomWalk(GraphStore& store, int iterations, ProgressSink* progress);

// 10 raised to n, for n from 0 to 9.
int powerOfTen(int n);
