#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "cliques/search_play.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"
#include "support/odd_graphs.h"

#include <QTest>

namespace {

// The exact window's maximal cliques, in its order.
CliqueList maximalCliques(const GraphStore& store) {
    CliqueList cliques;
    for (const MaximalCliqueEntry& entry : analyseExactly(store, {}, 1).maximalCliques)
        cliques.append(entry.clique);
    return cliques;
}

QStringList sentences(const SearchPlay& play, int count) {
    QStringList result;
    for (int p = 1; p <= count; ++p)
        result.append(play.frameAt(p).sentence);
    return result;
}

} // namespace

class TestSearchPlay : public QObject {
    Q_OBJECT
private slots:
    void greedyEndsWithTheSearchsCliques_data();
    void greedyEndsWithTheSearchsCliques();
    void greedyOnOddGraphs();
    void greedySentencesOnSampleGraph2();
    void greedyFramesFollowOneAnother();
    void greedyStopsAtTheLimit();
    void bronKerboschEndsWithTheMaximalCliques_data();
    void bronKerboschEndsWithTheMaximalCliques();
    void bronKerboschOnOddGraphs();
    void bronKerboschOnSampleGraph2();
    void bronKerboschFramesFollowOneAnother();
    void germanLists_data();
    void germanLists();
};

void TestSearchPlay::greedyEndsWithTheSearchsCliques_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::newRow("sample 1") << sampleStore(1);
    QTest::newRow("sample 2") << sampleStore(2);
    // As the editor leaves it: labels in placing order, an unplaced vertex.
    GraphStore editor;
    editor.vertices = TextList{"0", "1", "2", "3", "4"};
    editor.edges = TextList{"0-1", "1-2", "2-0", "3-1"};
    QTest::newRow("editor") << editor;
    QTest::newRow("random 30") << randomGraph(30, 0.4, 7);
}

void TestSearchPlay::greedyEndsWithTheSearchsCliques() {
    QFETCH(GraphStore, store);
    const GraphStore before = store;
    const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
    QVERIFY(!play->truncated());
    QCOMPARE(play->frameAt(play->stepCount()).found, greedyCliques(store));
    // The play works on a copy.
    QCOMPARE(store.vertices, before.vertices);
    QCOMPARE(store.vertexCount, before.vertexCount);
}

void TestSearchPlay::greedyOnOddGraphs() {
    std::mt19937 engine(20261209);
    for (int i = 0; i < 300; ++i) {
        const GraphStore store = randomOddGraph(engine);
        const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
        QCOMPARE(play->frameAt(play->stepCount()).found, greedyCliques(store));
    }
}

void TestSearchPlay::greedySentencesOnSampleGraph2() {
    const std::unique_ptr<SearchPlay> play = playGreedySearch(sampleStore(2));
    QCOMPARE(play->frameAt(0).sentence,
             "Noch kein Schritt: „Schritt vor“ beginnt mit dem ersten Startknoten.");
    QCOMPARE(sentences(*play, 12),
             QStringList({
                 "Startknoten 0: Die Clique beginnt mit ihm, alle anderen Knoten sind Kandidaten.",
                 "Knoten 1 ist mit 0 verbunden: er kommt hinzu.",
                 "Knoten 2 ist mit 0 und 1 verbunden: er kommt hinzu.",
                 "Knoten 3 fehlt die Kante zu 2: er bleibt draußen.",
                 "Knoten 4 fehlt die Kante zu 2: er bleibt draußen.",
                 "Kein Kandidat ist mehr zu prüfen: Die Clique (0-1-2) wird notiert.",
                 "Knoten 2 verlässt die Clique wieder; die übrigen Kandidaten werden von vorn "
                 "geprüft.",
                 "Knoten 3 ist mit 0 und 1 verbunden: er kommt hinzu.",
                 "Knoten 4 ist mit 0, 1 und 3 verbunden: er kommt hinzu.",
                 "Kein Kandidat ist mehr zu prüfen: Die Clique (0-1-3-4) wird notiert.",
                 "Knoten 4 verlässt die Clique wieder; kein Kandidat ist übrig: Die Runde endet.",
                 "Startknoten 1: Die Clique beginnt mit ihm, alle anderen Knoten sind Kandidaten.",
             }));
    // The state beside the sentence, after "Knoten 3 fehlt die Kante zu 2".
    QCOMPARE(play->frameAt(4).state, QStringList({"Startknoten: 0", "Clique bisher: 0, 1, 2",
                                                  "Kandidaten: 4", "In dieser Runde draußen: 3"}));
    QCOMPARE(play->frameAt(4).pseudoCodeLine, 5);
    QCOMPARE(play->frameAt(4).edges.size(), 3);
    QVERIFY(!play->frameAt(4).edges.last().present);
}

void TestSearchPlay::greedyFramesFollowOneAnother() {
    // Each frame is rebuilt from the nearest snapshot; built step by step from
    // the start it must come out the same.
    const GraphStore store = randomGraph(40, 0.5, 3);
    const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
    QVERIFY(play->stepCount() > 1000);
    std::mt19937 engine(5);
    for (int i = 0; i < 50; ++i) {
        const int p = std::uniform_int_distribution<int>(0, play->stepCount())(engine);
        const std::unique_ptr<SearchPlay> cut = playGreedySearch(store, p);
        QCOMPARE(cut->stepCount(), p);
        QCOMPARE(cut->frameAt(p), play->frameAt(p));
    }
}

void TestSearchPlay::greedyStopsAtTheLimit() {
    const GraphStore store = randomGraph(40, 0.5, 3);
    const std::unique_ptr<SearchPlay> whole = playGreedySearch(store);
    const std::unique_ptr<SearchPlay> cut = playGreedySearch(store, 100);
    QVERIFY(!whole->truncated());
    QVERIFY(cut->truncated());
    QCOMPARE(cut->stepCount(), 100);
    const std::unique_ptr<SearchPlay> exact = playGreedySearch(store, whole->stepCount());
    QVERIFY(!exact->truncated());
}

void TestSearchPlay::bronKerboschEndsWithTheMaximalCliques_data() {
    greedyEndsWithTheSearchsCliques_data();
    QTest::newRow("moon-moser 12") << moonMoser(4);
}

void TestSearchPlay::bronKerboschEndsWithTheMaximalCliques() {
    QFETCH(GraphStore, store);
    const std::unique_ptr<SearchPlay> play = playBronKerbosch(store);
    QVERIFY(!play->truncated());
    QCOMPARE(play->frameAt(play->stepCount()).found, maximalCliques(store));
}

void TestSearchPlay::bronKerboschOnOddGraphs() {
    std::mt19937 engine(1209);
    for (int i = 0; i < 300; ++i) {
        const GraphStore store = randomOddGraph(engine);
        const std::unique_ptr<SearchPlay> play = playBronKerbosch(store);
        QCOMPARE(play->frameAt(play->stepCount()).found, maximalCliques(store));
    }
}

void TestSearchPlay::bronKerboschOnSampleGraph2() {
    const std::unique_ptr<SearchPlay> play = playBronKerbosch(sampleStore(2));
    QCOMPARE(sentences(*play, 4),
             QStringList({"Pivot ist Knoten 0: Verzweigt wird nur über 0.",
                          "R wächst um Knoten 0; P und X behalten nur seine Nachbarn.",
                          "Pivot ist Knoten 1: Verzweigt wird nur über 1.",
                          "R wächst um Knoten 1; P und X behalten nur seine Nachbarn."}));
    QCOMPARE(play->frameAt(4).state,
             QStringList({"R = {0, 1}", "P = {2, 3, 4}", "X = {}", "Pivot: –", "Aufruftiefe: 2"}));
}

void TestSearchPlay::bronKerboschFramesFollowOneAnother() {
    const GraphStore store = randomGraph(30, 0.6, 11);
    const std::unique_ptr<SearchPlay> play = playBronKerbosch(store);
    QVERIFY(play->stepCount() > 1000);
    std::mt19937 engine(8);
    for (int i = 0; i < 30; ++i) {
        const int p = std::uniform_int_distribution<int>(0, play->stepCount())(engine);
        const std::unique_ptr<SearchPlay> cut = playBronKerbosch(store, p);
        QCOMPARE(cut->frameAt(p), play->frameAt(p));
    }
}

void TestSearchPlay::germanLists_data() {
    QTest::addColumn<QList<QByteArray>>("labels");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QList<QByteArray>{} << "";
    QTest::newRow("one") << QList<QByteArray>{"4"} << "4";
    QTest::newRow("two") << QList<QByteArray>{"4", "0"} << "4 und 0";
    QTest::newRow("three") << QList<QByteArray>{"4", "0", "1"} << "4, 0 und 1";
    QTest::newRow("latin-1") << QList<QByteArray>{"caf\xe9", "J\xc3\xb6rg"} << "café und Jörg";
}

void TestSearchPlay::germanLists() {
    QFETCH(QList<QByteArray>, labels);
    QTEST(germanList(labels), "text");
}

QTEST_MAIN(TestSearchPlay)
#include "tst_search_play.moc"
