#include "cliques/hardness/growth_measurement.h"
#include "cliques/hardness/time_limits.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<GrowthRow>)

namespace {

GrowthSettings settings(int from, int to, int step, double density, int repetitions,
                        std::uint64_t seed) {
    GrowthSettings s;
    s.from = from;
    s.to = to;
    s.step = step;
    s.density = density;
    s.repetitions = repetitions;
    s.seed = seed;
    return s;
}

QList<GrowthRow> measured(const GrowthSettings& s) {
    QList<GrowthRow> rows;
    if (!measureGrowth(s, {}, [&](const GrowthRow& row) { rows.append(row); }))
        qFatal("a run without a cancel request reported one");
    return rows;
}

// What a graph and its searches gave, without the times.
QList<qsizetype> found(const GrowthRow& row) {
    return {
        row.n, row.repetition, row.edges, row.greedyLargest, row.cliqueNumber, row.maximalCliques};
}

GrowthRow timedRow(int n, double greedyMs, double exactMs, double maximalMs,
                   qsizetype greedyLargest, qsizetype cliqueNumber, bool exactStopped = false) {
    GrowthRow row;
    row.n = n;
    row.greedy.nanoseconds = std::int64_t(greedyMs * 1e6);
    row.exact.nanoseconds = std::int64_t(exactMs * 1e6);
    row.maximal.nanoseconds = std::int64_t(maximalMs * 1e6);
    row.exact.stopped = exactStopped;
    row.greedyLargest = greedyLargest;
    row.cliqueNumber = cliqueNumber;
    return row;
}

} // namespace

class TestGrowth : public QObject {
    Q_OBJECT
private slots:
    void sameSeedSameGraphs();
    void cancelKeepsTheRowsMeasured();
    void timeLimitsStopEachSearch();
    void timeLimitStopsTheSearches();
    void csvOfASmallRun();
    void reading_data();
    void reading();
};

void TestGrowth::sameSeedSameGraphs() {
    const GrowthSettings run = settings(10, 30, 10, 0.5, 2, 7);
    const QList<GrowthRow> first = measured(run);
    const QList<GrowthRow> again = measured(run);
    QList<QList<qsizetype>> firstFound;
    for (const GrowthRow& row : first) {
        firstFound.append(found(row));
        QVERIFY(row.greedyLargest >= 2 && row.greedyLargest <= row.cliqueNumber);
        QCOMPARE(row.edges, growthGraph(row.n, row.repetition, run).edgeCount);
    }
    QCOMPARE(firstFound.size(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(first[i].n, 10 + 10 * (i / 2));
        QCOMPARE(first[i].repetition, 1 + i % 2);
        QCOMPARE(found(again[i]), firstFound[i]);
    }
    QVERIFY(growthGraph(20, 1, run).edges != growthGraph(20, 2, run).edges);
    // A size's graphs do not depend on the other sizes of the run.
    const QList<GrowthRow> alone = measured(settings(20, 20, 1, 0.5, 2, 7));
    QCOMPARE(found(alone[0]), firstFound[2]);
    QCOMPARE(found(alone[1]), firstFound[3]);
    // Another seed, other graphs.
    const QList<GrowthRow> other = measured(settings(10, 30, 10, 0.5, 2, 8));
    QList<qsizetype> edges;
    QList<qsizetype> otherEdges;
    for (int i = 0; i < 6; ++i) {
        edges.append(first[i].edges);
        otherEdges.append(other[i].edges);
    }
    QVERIFY(edges != otherEdges);
}

void TestGrowth::cancelKeepsTheRowsMeasured() {
    std::stop_source stop;
    QList<GrowthRow> rows;
    const bool complete = measureGrowth(settings(10, 200, 10, 0.5, 3, 1), stop.get_token(),
                                        [&](const GrowthRow& row) {
                                            rows.append(row);
                                            if (rows.size() == 4)
                                                stop.request_stop();
                                        });
    QVERIFY(!complete);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.last().n, 20);
}

// A cancel reaches the search going on at once, and every search after; a
// search whose time is up is stopped by itself.
void TestGrowth::timeLimitsStopEachSearch() {
    std::stop_source cancel;
    TimeLimits limits(cancel.get_token());
    std::stop_token search = limits.begin(std::chrono::milliseconds(1));
    QTRY_VERIFY(search.stop_requested());
    QVERIFY(limits.end());

    search = limits.begin(std::chrono::hours(1));
    QVERIFY(!search.stop_requested());
    cancel.request_stop();
    QVERIFY(search.stop_requested());
    QVERIFY(!limits.end());
    QVERIFY(limits.begin(std::chrono::hours(1)).stop_requested());
    QVERIFY(!limits.end());
}

// A clique number of about 50 among 200 vertices takes far longer than a
// millisecond: the exact searches stop and say what they found by then.
void TestGrowth::timeLimitStopsTheSearches() {
    GrowthSettings hard = settings(200, 200, 1, 0.9, 1, 1);
    hard.timeLimit = std::chrono::milliseconds(1);
    const QList<GrowthRow> rows = measured(hard);
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows[0].exact.stopped && rows[0].maximal.stopped && rows[0].cliqueNumber > 0);
    QCOMPARE(growthCells(rows[0])[6], "abgebrochen");
}

// The graphs of seed 3, checked by hand: of 5 vertices the triangles 0-1-2,
// 0-2-3 and 2-3-4 (7 edges, no four joined, 3 maximal cliques); of 6
// vertices the triangles 0-3-4, 0-3-5 and 1-3-4 and the edge 1-2 (8 edges,
// 4 maximal cliques).
void TestGrowth::csvOfASmallRun() {
    QList<GrowthRow> rows = measured(settings(5, 6, 1, 0.5, 1, 3));
    QCOMPARE(rows.size(), 2);
    for (GrowthRow& row : rows) {
        row.greedy.nanoseconds = 1'234'567;
        row.exact.nanoseconds = 2'000;
        row.maximal.nanoseconds = 15'000'000'000;
    }
    GrowthRow stopped = rows.last();
    stopped.greedy.stopped = stopped.exact.stopped = stopped.maximal.stopped = true;
    stopped.maximalCapped = true;
    rows.append(stopped);
    QCOMPARE(growthCsv(rows),
             QByteArray("\xEF\xBB\xBF"
                        "p;Startwert;n;Nr.;Kanten;Gierig: größte Clique;Gierig: ms;Cliquenzahl;"
                        "Cliquenzahl: ms;Maximale Cliquen;Aufzählung: ms\r\n"
                        "0,50;3;5;1;7;3;1,235;3;0,002;3;15.000,000\r\n"
                        "0,50;3;6;1;8;3;1,235;3;0,002;4;15.000,000\r\n"
                        "0,50;3;6;1;8;mindestens 3;abgebrochen;mindestens 3;abgebrochen;mehr als "
                        "100.000;abgebrochen\r\n"));
}

void TestGrowth::reading_data() {
    QTest::addColumn<QList<GrowthRow>>("rows");
    QTest::addColumn<QString>("text");
    // Medians per size: the exact search takes 2 ms, then 680 ms, whatever
    // held up one search of the three.
    QTest::newRow("two sizes") << QList<GrowthRow>{timedRow(20, 1, 1, 1, 5, 5),
                                                   timedRow(20, 1, 3, 1, 4, 5),
                                                   timedRow(120, 12, 680, 900, 8, 9),
                                                   timedRow(120, 500, 1e5, 9e4, 9, 9),
                                                   timedRow(120, 12, 680, 900, 9, 9)}
                               << "Von n = 20 bis n = 120 wächst die Zeit der exakten Suche nach "
                                  "der Cliquenzahl um das 340-Fache, die der Aufzählung aller "
                                  "maximalen Cliquen um das 900-Fache und die der gierigen Suche "
                                  "um das 12-Fache; die gierige Suche verfehlte die Cliquenzahl "
                                  "in 2 von 5 Graphen.";
    QTest::newRow("stopped at the end, faster, slower")
        << QList<GrowthRow>{timedRow(20, 1, 1, 2, 5, 5), timedRow(40, 2.5, 10000, 1, 6, 7, true)}
        << "Von n = 20 bis n = 40 wächst die Zeit der exakten Suche nach der Cliquenzahl um "
           "mindestens das 10.000-Fache, die der Aufzählung aller maximalen Cliquen nicht und die "
           "der gierigen Suche um das 2,5-Fache; die gierige Suche verfehlte die Cliquenzahl in 0 "
           "von 1 Graphen mit bekannter Cliquenzahl.";
    QTest::newRow("one size") << QList<GrowthRow>{timedRow(30, 0.5, 0.25, 0.125, 3, 4)}
                              << "Bei n = 30 braucht die exakte Suche nach der Cliquenzahl 0,250 "
                                 "ms (Median), die Aufzählung aller maximalen Cliquen 0,125 ms und "
                                 "die gierige Suche 0,500 ms; die gierige Suche verfehlte die "
                                 "Cliquenzahl in 1 von 1 Graphen.";
    QTest::newRow("nothing yet") << QList<GrowthRow>{} << QString();
}

void TestGrowth::reading() {
    QFETCH(QList<GrowthRow>, rows);
    QTEST(growthReading(rows), "text");
}

QTEST_GUILESS_MAIN(TestGrowth)
#include "tst_growth.moc"
