#include "random_walk.h"

#include "graph/random.h"

#include <QHash>

#include <algorithm>

namespace {
// Steps between two progress reports: small enough for a smooth bar, large
// enough that reporting costs nothing next to the walk.
constexpr int kStepsPerReport = 1 << 16;
} // namespace

QString walkRefusalText(WalkRefusal refusal) {
    switch (refusal) {
    case WalkRefusal::None:
        break;
    case WalkRefusal::NoVertices:
        return QStringLiteral("Der Graph hat keine Knoten. Die Zufallswanderung braucht "
                              "mindestens eine Kante zwischen zwei Knoten.");
    case WalkRefusal::NoEdges:
        return QStringLiteral("Der Graph hat keine Kanten. Die Zufallswanderung braucht "
                              "mindestens eine Kante zwischen zwei Knoten.");
    case WalkRefusal::NoEdgeBetweenVertices:
        return QStringLiteral("Keine Kante des Graphen verbindet zwei Knoten der Knotenliste. "
                              "Die Zufallswanderung braucht mindestens eine solche Kante.");
    }
    return QString();
}

WalkGraph::WalkGraph(const GraphStore& store) {
    const TextList& vertices = store.vertices;
    const qsizetype n = vertices.count();

    // Every index that carries a label; the first of them receives the counts.
    QHash<QByteArray, std::vector<int>> holders;
    holders.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        holders[vertices[i]].push_back(int(i));

    std::vector<std::vector<int>> partners(static_cast<size_t>(n));
    bool usable = false;
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const auto a = holders.constFind(ends.first);
        const auto b = holders.constFind(ends.second);
        if (a == holders.constEnd() || b == holders.constEnd())
            continue; // an end without a vertex has no counter
        usable = true;
        for (int v : *a)
            partners[size_t(v)].push_back(b->front());
        if (ends.second != ends.first) {
            for (int v : *b)
                partners[size_t(v)].push_back(a->front());
        }
    }

    m_first.reserve(size_t(n) + 1);
    m_first.push_back(0);
    for (const std::vector<int>& list : partners) {
        m_partners.insert(m_partners.end(), list.begin(), list.end());
        m_first.push_back(int(m_partners.size()));
    }

    if (n == 0)
        m_refusal = WalkRefusal::NoVertices;
    else if (store.edges.isEmpty())
        m_refusal = WalkRefusal::NoEdges;
    else if (!usable)
        m_refusal = WalkRefusal::NoEdgeBetweenVertices;
}

std::vector<qint64> WalkGraph::walk(int iterations, ProgressSink* progress, int* start) const {
    const qsizetype n = vertexCount();
    std::vector<qint64> counts(size_t(n), 0);
    if (m_refusal != WalkRefusal::None)
        return counts;

    int current = 0;
    do
        current = randomBelow(int(n));
    while (degree(current) == 0);
    ++counts[size_t(current)];
    if (start)
        *start = current;

    if (progress) {
        progress->begin();
        progress->setMaximum(iterations);
    }

    // Every step adds 1 to each partner entry of the vertex it leaves, so only
    // the departures are counted during the walk and spread out afterwards.
    std::vector<qint64> departures(size_t(n), 0);
    const int* first = m_first.data();
    const int* partners = m_partners.data();
    qint64* arrivals = counts.data();
    qint64* leaving = departures.data();
    int done = 0;
    while (done < iterations) {
        const int end = iterations - done > kStepsPerReport ? done + kStepsPerReport : iterations;
        for (; done < end; ++done) {
            const int begin = first[current];
            const int next = partners[begin + randomBelow(first[current + 1] - begin)];
            ++leaving[current];
            ++arrivals[next];
            current = next;
        }
        if (progress)
            progress->setPosition(done - 1);
    }

    for (qsizetype v = 0; v < n; ++v) {
        const qint64 times = departures[size_t(v)];
        if (times == 0)
            continue;
        for (const int* p = partnersBegin(v); p != partnersEnd(v); ++p)
            counts[size_t(*p)] += times;
    }

    if (progress)
        progress->finish();
    return counts;
}

WalkResult randomWalk(GraphStore& store, int iterations, ProgressSink* progress) {
    store.refreshCounts();
    const WalkGraph graph(store);
    WalkResult result;
    result.refusal = graph.refusal();
    if (result.refusal == WalkRefusal::None)
        result.visitCounts = graph.walk(iterations, progress, &result.start);
    return result;
}

int powerOfTen(int n) {
    int result = 1;
    for (int i = 0; i < n; ++i)
        result *= 10;
    return result;
}
