#include "random_walk.h"

#include "graph/label_numbers.h"
#include "graph/random.h"

#include <algorithm>
#include <numeric>
#include <span>

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
    const qsizetype n = store.vertices.count();
    const LabelNumbers labels(store.vertices.entries());
    const std::vector<NumberedEdge> edges = numberEdges(store.edges, store.edges.count(), labels);

    // Every index that carries a label, by label; the first of them receives
    // the counts.
    std::vector<int> holderStart(std::size_t(labels.count()) + 1, 0);
    for (int number : labels.numbers())
        ++holderStart[std::size_t(number) + 1];
    std::partial_sum(holderStart.begin(), holderStart.end(), holderStart.begin());
    std::vector<int> holders(static_cast<std::size_t>(n));
    {
        std::vector<int> next(holderStart.begin(), holderStart.end() - 1);
        for (qsizetype i = 0; i < n; ++i)
            holders[std::size_t(next[std::size_t(labels.numbers()[std::size_t(i)])]++)] = int(i);
    }
    auto holdersOf = [&](int label) {
        return std::span<const int>(holders.data() + holderStart[std::size_t(label)],
                                    holders.data() + holderStart[std::size_t(label) + 1]);
    };

    // An edge gives each holder of one end the first holder of the other as
    // a partner, both ways unless it is a loop; an end without a vertex has no
    // counter. Counted first, then filled in edge order.
    std::vector<int> labelDegree(std::size_t(labels.count()), 0);
    bool usable = false;
    for (const NumberedEdge& edge : edges) {
        if (edge.first < 0 || edge.second < 0)
            continue;
        usable = true;
        ++labelDegree[std::size_t(edge.first)];
        if (edge.second != edge.first)
            ++labelDegree[std::size_t(edge.second)];
    }
    m_first.assign(std::size_t(n) + 1, 0);
    for (qsizetype i = 0; i < n; ++i)
        m_first[std::size_t(i) + 1] =
            m_first[std::size_t(i)] + labelDegree[std::size_t(labels.numbers()[std::size_t(i)])];
    m_partners.resize(std::size_t(m_first.back()));
    std::vector<int> fill(m_first.begin(), m_first.end() - 1);
    for (const NumberedEdge& edge : edges) {
        if (edge.first < 0 || edge.second < 0)
            continue;
        const std::span<const int> a = holdersOf(edge.first);
        const std::span<const int> b = holdersOf(edge.second);
        for (int v : a)
            m_partners[std::size_t(fill[std::size_t(v)]++)] = b.front();
        if (edge.second != edge.first)
            for (int v : b)
                m_partners[std::size_t(fill[std::size_t(v)]++)] = a.front();
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

    // A copy of the program's generator, so that its state stays in
    // registers during the walk; it goes back when the walk ends.
    RandomGenerator random = randomEngine();
    int current = 0;
    do
        current = int(random.below(std::uint32_t(n)));
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
            const int next =
                partners[begin + int(random.below(std::uint32_t(first[current + 1] - begin)))];
            ++leaving[current];
            ++arrivals[next];
            current = next;
        }
        if (progress)
            progress->setPosition(done - 1);
    }

    randomEngine() = random;

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
