#include "sample_graphs.h"

namespace {

SampleGraph makeSample1() {
    SampleGraph g;
    g.pictureFile = "beispiel-graph_01.bmp";
    for (int i = 0; i <= 8; ++i)
        g.labels.push_back(QByteArray::number(i));
    g.edges = {"0-1", "0-4", "0-3", "3-1", "3-4", "4-1", "4-5",
               "4-2", "4-7", "2-5", "5-8", "8-7", "6-7"};
    g.centres = {{70, 50},   {70, 250},  {300, 50},  {190, 50}, {190, 250},
                 {330, 160}, {470, 260}, {310, 260}, {470, 110}};
    return g;
}

SampleGraph makeSample2() {
    SampleGraph g;
    g.pictureFile = "beispiel-graph_02.bmp";
    for (int i = 0; i <= 4; ++i)
        g.labels.push_back(QByteArray::number(i));
    g.edges = {"0-1", "0-4", "0-3", "0-2", "3-1", "3-4", "4-1", "1-2"};
    g.centres = {{210, 50}, {210, 250}, {70, 150}, {380, 50}, {380, 250}};
    return g;
}

} // namespace

const SampleGraph& sampleGraph(int k) {
    static const SampleGraph one = makeSample1();
    static const SampleGraph two = makeSample2();
    return k == 2 ? two : one;
}

void appendSampleGraph(GraphStore& store, int k) {
    const SampleGraph& g = sampleGraph(k);
    for (const QByteArray& label : g.labels)
        store.vertices.append(label);
    for (const QByteArray& edge : g.edges)
        store.edges.append(edge);
}
