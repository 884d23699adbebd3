#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/random_walk.h"
#include "support/literal_queries.h"
#include "support/numbered_graphs.h"

#include <QTest>

#include <numeric>
#include <random>

namespace {

GraphStore makeStore(const QList<QByteArray>& vertices, const QList<QByteArray>& edges) {
    GraphStore store;
    for (const QByteArray& v : vertices)
        store.vertices.append(v);
    for (const QByteArray& e : edges)
        store.edges.append(e);
    return store;
}

void incrementCounter(TextList& list, qsizetype index) {
    list.put(index, QByteArray::number(list[index].toLongLong() + 1));
}

// The walk exactly as first written: text counters, the edge texts rescanned
// and every partner looked up by its text in every step. Only edges whose two
// ends are vertex labels take part; a vertex may start when it has one of them.
std::vector<qint64> literalWalk(const GraphStore& store, int iterations) {
    const TextList& vertices = store.vertices;
    TextList edges;
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        if (vertices.indexOfExact(ends.first) >= 0 && vertices.indexOfExact(ends.second) >= 0)
            edges.append(edge);
    }
    const qsizetype vertexCount = vertices.count();
    const qsizetype edgeCount = edges.count();

    TextList isolated;
    for (qsizetype i = 0; i < vertexCount; ++i) {
        if (incidentEdges(edges, vertices[i], edgeCount).isEmpty())
            isolated.append(QByteArray::number(i));
    }
    TextList visits;
    for (qsizetype i = 0; i < vertexCount; ++i)
        visits.append("0");

    int r = 0;
    do
        r = randomBelow(int(vertexCount));
    while (isolated.indexOf(QByteArray::number(r)) != -1);
    qsizetype current = r;
    incrementCounter(visits, current);

    for (int step = 0; step < iterations; ++step) {
        const QByteArray label = vertices[current];
        const TextList incident = incidentEdges(edges, label, edgeCount);
        const TextList partners = edgePartners(incident, label);
        for (const QByteArray& partner : partners)
            incrementCounter(visits, vertices.indexOfExact(partner));
        const qsizetype next = vertices.indexOfExact(partners[randomBelow(int(partners.count()))]);
        incrementCounter(visits, next);
        current = next;
    }

    std::vector<qint64> counts;
    for (const QByteArray& entry : visits)
        counts.push_back(entry.toLongLong());
    return counts;
}

std::vector<qint64> walk(GraphStore& store, int iterations, ProgressSink* progress = nullptr) {
    WalkResult result = randomWalk(store, iterations, progress);
    if (result.refusal != WalkRefusal::None)
        qFatal("walk refused");
    return result.visitCounts;
}

qint64 sum(const std::vector<qint64>& counts) {
    return std::accumulate(counts.begin(), counts.end(), qint64(0));
}

// The vertex that the walk will start on for this seed, when every vertex may start.
int startFor(std::uint32_t seed, int vertexCount) {
    seedRandom(seed);
    return randomBelow(vertexCount);
}

class RecordingProgress : public ProgressSink {
public:
    void begin() override { events.append("begin"); }
    void finish() override { events.append("finish"); }
    void setMaximum(int maximum) override { events.append(QString("max %1").arg(maximum)); }
    void setPosition(int position) override {
        positions.append(position);
        if (events.isEmpty() || events.last() != "positions")
            events.append("positions");
    }
    QStringList events;
    QList<int> positions;
};

} // namespace

class TestRandomWalk : public QObject {
    Q_OBJECT
private slots:
    void matchesLiteralWalk_data();
    void matchesLiteralWalk();
    void twoVerticesEndAt101And100();
    void pathAlternatesBetweenMiddleAndEnds();
    void doubledEdgeAddsThreePerStep();
    void isolatedVertexIsNeverCounted();
    void sumRule_data();
    void sumRule();
    void refreshesCountsAndGivesOneCountPerVertex();
    void progressReportsMaximumAndLastPosition_data();
    void progressReportsMaximumAndLastPosition();
    void refusals_data();
    void refusals();
};

void TestRandomWalk::matchesLiteralWalk_data() {
    QTest::addColumn<QList<QByteArray>>("vertices");
    QTest::addColumn<QList<QByteArray>>("edges");
    QTest::addColumn<int>("iterations");

    for (int k : {1, 2}) {
        GraphStore sample;
        appendSampleGraph(sample, k);
        QTest::addRow("sample graph %d", k)
            << sample.vertices.entries() << sample.edges.entries() << 3000;
    }
    const GraphStore k15 = completeGraph(15);
    QTest::newRow("complete graph of 15") << k15.vertices.entries() << k15.edges.entries() << 20000;
    QTest::newRow("duplicate edges and loops")
        << QList<QByteArray>{"0", "1", "2", "3", "4"}
        << QList<QByteArray>{"0-1", "0-1", "1-1", "2-3", "3-2", "4-4", "0-4", "2-0", "4-4"} << 3000;
    QTest::newRow("isolated vertices and unknown ends")
        << QList<QByteArray>{"0", "1", "2", "3", "4", "5", "6"}
        << QList<QByteArray>{"0-1", "1-2", "2-9", "x-3", "3-4", "4-0", "5-7", "2", "-3"} << 3000;
    QTest::newRow("labels that are not their indices")
        << QList<QByteArray>{"5", "0", "1", "2"} << QList<QByteArray>{"5-1", "1-2", "2-2"} << 3000;
    QTest::newRow("letter case and a repeated label")
        << QList<QByteArray>{"a", "A", "b", "a", "B"}
        << QList<QByteArray>{"a-b", "A-b", "b-B", "a-a", "B-A"} << 3000;
    QTest::newRow("labels with dashes")
        << QList<QByteArray>{"x-y", "z", "y-z", "x"}
        << QList<QByteArray>{"z-x-y", "x-y-z", "x-y-z", "z-z"} << 3000;

    // A larger irregular graph with repeated edges and loops.
    std::mt19937 make(7);
    QList<QByteArray> vertices;
    for (int i = 0; i < 40; ++i)
        vertices.append(QByteArray::number(i));
    QList<QByteArray> edges;
    for (int e = 0; e < 150; ++e) {
        const int a = int(make() % 40);
        const int b = e % 10 == 0 ? a : int(make() % 40);
        edges.append(QByteArray::number(a) + '-' + QByteArray::number(b));
        if (e % 7 == 0)
            edges.append(edges.last());
    }
    QTest::newRow("40 vertices, irregular") << vertices << edges << 5000;
}

void TestRandomWalk::matchesLiteralWalk() {
    QFETCH(QList<QByteArray>, vertices);
    QFETCH(QList<QByteArray>, edges);
    QFETCH(int, iterations);
    GraphStore store = makeStore(vertices, edges);

    for (std::uint32_t seed : {1u, 42u, 4711u, 123456789u}) {
        seedRandom(seed);
        const std::vector<qint64> expected = literalWalk(store, iterations);
        const int afterLiteral = randomBelow(1000000);
        seedRandom(seed);
        const std::vector<qint64> counts = walk(store, iterations);
        QCOMPARE(counts, expected);
        // Same number of draws: the generator stands at the same place afterwards.
        QCOMPARE(randomBelow(1000000), afterLiteral);
    }
}

void TestRandomWalk::twoVerticesEndAt101And100() {
    GraphStore store = makeStore({"0", "1"}, {"0-1"});
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const int start = startFor(seed, 2);
        seedRandom(seed);
        const std::vector<qint64> counts = walk(store, 100);
        QCOMPARE(counts[start], 101);
        QCOMPARE(counts[1 - start], 100);
    }
}

void TestRandomWalk::pathAlternatesBetweenMiddleAndEnds() {
    // Steps from vertex 1 give 3 to the ends together, steps from an end give 2
    // to vertex 1, and the walk alternates between the middle and the ends.
    GraphStore store = makeStore({"0", "1", "2"}, {"0-1", "1-2"});
    for (int steps : {100, 101}) {
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            const int start = startFor(seed, 3);
            seedRandom(seed);
            const std::vector<qint64> counts = walk(store, steps);
            const int fromStartSide = (steps + 1) / 2;
            const int fromOtherSide = steps / 2;
            if (start == 1) {
                QCOMPARE(counts[1], 1 + 2 * fromOtherSide);
                QCOMPARE(counts[0] + counts[2], 3 * fromStartSide);
            } else {
                QCOMPARE(counts[1], 2 * fromStartSide);
                QCOMPARE(counts[0] + counts[2], 1 + 3 * fromOtherSide);
            }
        }
    }
}

void TestRandomWalk::doubledEdgeAddsThreePerStep() {
    GraphStore store = makeStore({"0", "1"}, {"0-1", "0-1"});
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const int start = startFor(seed, 2);
        seedRandom(seed);
        std::vector<qint64> counts = walk(store, 1);
        QCOMPARE(counts[start], 1);
        QCOMPARE(counts[1 - start], 3);
        seedRandom(seed);
        counts = walk(store, 10);
        QCOMPARE(counts[start], 1 + 3 * 5);
        QCOMPARE(counts[1 - start], 3 * 5);
    }
}

void TestRandomWalk::isolatedVertexIsNeverCounted() {
    GraphStore store = makeStore({"0", "1", "2", "3", "4"}, {"0-1", "1-2", "2-0", "4-1"});
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        seedRandom(seed);
        const std::vector<qint64> counts = walk(store, 500);
        QCOMPARE(counts[3], 0);
        for (int v : {0, 1, 2, 4})
            QVERIFY(counts[v] > 0);
    }
}

void TestRandomWalk::sumRule_data() {
    // Regular graphs: every step adds (degree + 1), the start adds 1.
    QTest::addColumn<QList<QByteArray>>("vertices");
    QTest::addColumn<QList<QByteArray>>("edges");
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("iterations");
    const GraphStore k15 = completeGraph(15);
    QTest::newRow("complete graph of 15, 9000000 steps")
        << k15.vertices.entries() << k15.edges.entries() << 14 << 9000000;
    QTest::newRow("cycle with a loop at every vertex")
        << QList<QByteArray>{"0", "1", "2", "3"}
        << QList<QByteArray>{"0-1", "1-2", "2-3", "3-0", "0-0", "1-1", "2-2", "3-3"} << 3 << 1000;
    QTest::newRow("doubled edge") << QList<QByteArray>{"0", "1"} << QList<QByteArray>{"1-0", "0-1"}
                                  << 2 << 999;
}

void TestRandomWalk::sumRule() {
    QFETCH(QList<QByteArray>, vertices);
    QFETCH(QList<QByteArray>, edges);
    QFETCH(int, degree);
    QFETCH(int, iterations);
    GraphStore store = makeStore(vertices, edges);
    seedRandom(99);
    const std::vector<qint64> counts = walk(store, iterations);
    QCOMPARE(sum(counts), 1 + qint64(iterations) * (degree + 1));
}

void TestRandomWalk::refreshesCountsAndGivesOneCountPerVertex() {
    GraphStore store;
    appendSampleGraph(store, 1);
    store.vertices.append("9"); // a vertex added since the counts were refreshed
    store.vertexCount = 3;
    store.edgeCount = 200;
    seedRandom(5);
    const std::vector<qint64> counts = walk(store, 100);
    QCOMPARE(store.vertexCount, 10);
    QCOMPARE(store.edgeCount, 13);
    QCOMPARE(qsizetype(counts.size()), 10);
    QCOMPARE(counts[9], 0);
}

void TestRandomWalk::progressReportsMaximumAndLastPosition_data() {
    QTest::addColumn<int>("iterations");
    QTest::newRow("100") << 100;
    QTest::newRow("30000") << 30000;
    QTest::newRow("1000000") << 1000000;
}

void TestRandomWalk::progressReportsMaximumAndLastPosition() {
    QFETCH(int, iterations);
    GraphStore store;
    appendSampleGraph(store, 2);
    RecordingProgress progress;
    seedRandom(3);
    walk(store, iterations, &progress);
    QCOMPARE(progress.events,
             QStringList({"begin", QString("max %1").arg(iterations), "positions", "finish"}));
    QCOMPARE(progress.positions.last(), iterations - 1);
    QVERIFY(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    QVERIFY(progress.positions.first() >= 0);
    // Reported in batches, not once per step.
    QVERIFY(progress.positions.size() <= 1 + iterations / 1000);
}

void TestRandomWalk::refusals_data() {
    QTest::addColumn<QList<QByteArray>>("vertices");
    QTest::addColumn<QList<QByteArray>>("edges");
    QTest::addColumn<int>("refusal");
    QTest::newRow("empty graph") << QList<QByteArray>{} << QList<QByteArray>{}
                                 << int(WalkRefusal::NoVertices);
    QTest::newRow("edges without vertices")
        << QList<QByteArray>{} << QList<QByteArray>{"0-1"} << int(WalkRefusal::NoVertices);
    QTest::newRow("vertices without edges")
        << QList<QByteArray>{"0", "1"} << QList<QByteArray>{} << int(WalkRefusal::NoEdges);
    QTest::newRow("edges only to unknown labels")
        << QList<QByteArray>{"0", "1"} << QList<QByteArray>{"0-7", "8-1", "A-1", "01"}
        << int(WalkRefusal::NoEdgeBetweenVertices);
}

void TestRandomWalk::refusals() {
    QFETCH(QList<QByteArray>, vertices);
    QFETCH(QList<QByteArray>, edges);
    QFETCH(int, refusal);
    GraphStore store = makeStore(vertices, edges);
    RecordingProgress progress;
    seedRandom(11);
    const WalkResult result = randomWalk(store, 100, &progress);
    QCOMPARE(int(result.refusal), refusal);
    QVERIFY(result.visitCounts.empty());
    QVERIFY(progress.events.isEmpty());
    QVERIFY(!walkRefusalText(result.refusal).isEmpty());
    // Nothing was drawn from the generator.
    const int next = randomBelow(1000000);
    seedRandom(11);
    QCOMPARE(randomBelow(1000000), next);
}

QTEST_APPLESS_MAIN(TestRandomWalk)
#include "test_random_walk.moc"
