#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/walk_shares.h"

#include <QTest>

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<qint64>)

namespace {

GraphStore store(const TextList& vertices, const TextList& edges) {
    GraphStore s;
    s.vertices = vertices;
    s.edges = edges;
    s.refreshCounts();
    return s;
}

} // namespace

class TestWalkShares : public QObject {
    Q_OBJECT
private slots:
    void shares_data();
    void shares();
    void sampleGraph1Vertex4();
    void longWalkMeetsTheShares();
    void deviation_data();
    void deviation();
};

void TestWalkShares::shares_data() {
    QTest::addColumn<GraphStore>("graph");
    QTest::addColumn<int>("start");
    QTest::addColumn<std::vector<double>>("expected");
    // Path a-b-c: degrees 1, 2, 1; denominators 1 + 4 + 1 + 4 = 10.
    QTest::newRow("path") << store({"a", "b", "c"}, {"a-b", "b-c"}) << 0
                          << std::vector<double>{0.3, 0.4, 0.3};
    // A second part the walk never reaches gets nothing.
    QTest::newRow("two parts") << store({"a", "b", "c", "d", "e"}, {"a-b", "b-c", "d-e"}) << 2
                               << std::vector<double>{0.3, 0.4, 0.3, 0, 0};
    QTest::newRow("other part") << store({"a", "b", "c", "d", "e"}, {"a-b", "b-c", "d-e"}) << 3
                                << std::vector<double>{0, 0, 0, 0.5, 0.5};
    // A doubled edge counts twice: degrees 2, 3, 1; a: (2 + 3 + 3) / (4 + 9 + 1 + 6).
    QTest::newRow("doubled edge") << store({"a", "b", "c"}, {"a-b", "a-b", "b-c"}) << 1
                                  << std::vector<double>{8.0 / 20, 8.0 / 20, 4.0 / 20};
    // A loop is one partner entry: a has degree 2 (b and itself).
    QTest::newRow("loop") << store({"a", "b"}, {"a-a", "a-b"}) << 0
                          << std::vector<double>{(2 + 2 + 1) / 8.0, (1 + 2) / 8.0};
}

void TestWalkShares::shares() {
    QFETCH(GraphStore, graph);
    QFETCH(int, start);
    QFETCH(std::vector<double>, expected);
    const std::vector<double> shares = longRunShares(WalkGraph(graph), start);
    QCOMPARE(shares.size(), expected.size());
    for (std::size_t v = 0; v < shares.size(); ++v)
        QVERIFY2(std::abs(shares[v] - expected[v]) < 1e-12,
                 qPrintable(QString("vertex %1: %2").arg(v).arg(shares[v])));
}

void TestWalkShares::sampleGraph1Vertex4() {
    GraphStore sample;
    appendSampleGraph(sample, 1);
    const std::vector<double> shares = longRunShares(WalkGraph(sample), 0);
    QCOMPARE(qRound(shares[4] * 10000), 1983); // not 2308, its share of the degrees
}

void TestWalkShares::longWalkMeetsTheShares() {
    GraphStore sample;
    appendSampleGraph(sample, 1);
    seedRandom(99);
    const WalkResult result = randomWalk(sample, 9000000, nullptr);
    const std::vector<double> shares = longRunShares(WalkGraph(sample), 0);
    QVERIFY(largestDeviation(result.visitCounts, shares) < 1.0);
}

void TestWalkShares::deviation_data() {
    QTest::addColumn<std::vector<qint64>>("counts");
    QTest::addColumn<std::vector<double>>("shares");
    QTest::addColumn<int>("thousandths"); // of a percentage point
    QTest::newRow("as expected") << std::vector<qint64>{50, 50} << std::vector<double>{0.5, 0.5}
                                 << 0;
    QTest::newRow("ten points over")
        << std::vector<qint64>{60, 40} << std::vector<double>{0.5, 0.5} << 10000;
    QTest::newRow("no counts") << std::vector<qint64>{0, 0} << std::vector<double>{0.5, 0.5} << 0;
    // Vertex 0 falls 30 points short, the others lie 15 over: a shortfall
    // counts as much as an excess.
    QTest::newRow("shortfall largest")
        << std::vector<qint64>{10, 45, 45} << std::vector<double>{0.4, 0.3, 0.3} << 30000;
    QTest::newRow("shortfall of a vertex never counted")
        << std::vector<qint64>{0, 50, 25, 25} << std::vector<double>{0.25, 0.25, 0.25, 0.25}
        << 25000;
}

void TestWalkShares::deviation() {
    QFETCH(std::vector<qint64>, counts);
    QFETCH(std::vector<double>, shares);
    QTEST(qRound(largestDeviation(counts, shares) * 1000), "thousandths");
}

QTEST_MAIN(TestWalkShares)
#include "tst_walk_shares.moc"
