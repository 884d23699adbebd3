#include "cliques/clique_search.h"
#include "graph/sample_graphs.h"
#include "support/literal_queries.h"
#include "support/odd_graphs.h"
#include "support/progress_record.h"

#include <QTest>

#include <random>

using Texts = QList<QByteArray>;
using MemberLists = QList<QList<QByteArray>>;
Q_DECLARE_METATYPE(Texts)

namespace {

GraphStore makeStore(const Texts& vertices, const Texts& edges) {
    GraphStore store;
    store.vertices = TextList(vertices);
    store.edges = TextList(edges);
    return store;
}

// The order of work of the "Berechnen!" handler, without the window.
CliqueList fullSearch(GraphStore& store, ProgressSink* progress = nullptr) {
    CliqueList cliques;
    store.refreshCounts();
    searchCliquesFromEveryVertex(store, cliques, progress);
    return cliques;
}

Texts textsOf(const CliqueList& cliques) {
    Texts texts;
    for (const Clique& clique : cliques)
        texts.append(clique.text());
    return texts;
}

MemberLists membersOf(const CliqueList& cliques) {
    MemberLists lists;
    for (const Clique& clique : cliques)
        lists.append(clique.members);
    return lists;
}

// The search exactly as described step by step: every adjacency test asks the
// edge texts afresh through incidentEdges and isAdjacentToAll.
void literalRemoveIsolated(GraphStore& store) {
    for (qsizetype i = 0; i < store.vertices.count();) {
        if (incidentEdges(store.edges, store.vertices[i], store.edgeCount).isEmpty())
            store.vertices.removeAt(i);
        else
            ++i;
    }
}

MemberLists literalSearch(const GraphStore& store) {
    MemberLists recorded;
    const TextList& vertices = store.vertices;
    for (qsizetype s = 0; s < vertices.count(); ++s) {
        TextList members{vertices[s]};
        TextList candidates;
        for (qsizetype i = 0; i < vertices.count(); ++i)
            if (vertices[i] != vertices[s])
                candidates.append(vertices[i]);
        qsizetype j = 0;
        while (!candidates.isEmpty()) {
            const QByteArray c = candidates[j];
            // A loop joins no label to itself, so a label never joins twice.
            if (members.indexOfExact(c) < 0 &&
                isAdjacentToAll(store.edges, members, c, store.edgeCount)) {
                members.append(c);
                candidates.removeAt(j);
            } else {
                ++j;
            }
            if (j == candidates.count()) {
                recorded.append(members.entries());
                if (members.count() > 2)
                    members.removeAt(members.count() - 1);
                else
                    candidates.clear();
                j = 0;
            }
        }
    }
    return recorded;
}

} // namespace

class TestCliqueSearch : public QObject {
    Q_OBJECT
private slots:
    void cliqueTextOf_data();
    void cliqueTextOf();
    void search_data();
    void search();
    void secondRunAppendsAgain();
    void longGraphIsSearchedWhole();
    void sameAsLiteralSearch();
    void stopRequestedBeforeTheStart();
};

void TestCliqueSearch::cliqueTextOf_data() {
    QTest::addColumn<Texts>("members");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("four") << Texts{"3", "0", "1", "4"} << QByteArray("(3-0-1-4)");
    QTest::newRow("one") << Texts{"6"} << QByteArray("(6)");
    QTest::newRow("none") << Texts{} << QByteArray("(");
    QTest::newRow("labels kept as they are") << Texts{"A", "x-y", ""} << QByteArray("(A-x-y-)");
}

void TestCliqueSearch::cliqueTextOf() {
    QFETCH(Texts, members);
    QTEST(cliqueText(members), "text");
}

void TestCliqueSearch::search_data() {
    QTest::addColumn<Texts>("vertices");
    QTest::addColumn<Texts>("edges");
    QTest::addColumn<Texts>("cliques");
    QTest::addColumn<Texts>("verticesAfter");

    const SampleGraph& one = sampleGraph(1);
    const SampleGraph& two = sampleGraph(2);
    QTest::newRow("sample graph 1")
        << Texts(one.labels.begin(), one.labels.end()) << Texts(one.edges.begin(), one.edges.end())
        << Texts{"(0-1-3-4)", "(0-1-3)",   "(0-1)",   "(1-0-3-4)", "(1-0-3)",
                 "(1-0)",     "(2-4-5)",   "(2-4)",   "(3-0-1-4)", "(3-0-1)",
                 "(3-0)",     "(4-0-1-3)", "(4-0-1)", "(4-0)",     "(5-2-4)",
                 "(5-2)",     "(6-7)",     "(7-4)",   "(8-5)"}
        << Texts{"0", "1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("sample graph 2")
        << Texts(two.labels.begin(), two.labels.end()) << Texts(two.edges.begin(), two.edges.end())
        << Texts{"(0-1-2)",   "(0-1-3-4)", "(1-0-2)", "(1-0-3-4)", "(2-0-1)", "(2-0)",
                 "(3-0-1-4)", "(3-0-1)",   "(3-0)",   "(4-0-1-3)", "(4-0-1)", "(4-0)"}
        << Texts{"0", "1", "2", "3", "4"};
    QTest::newRow("triangle") << Texts{"0", "1", "2"} << Texts{"0-1", "1-2", "0-2"}
                              << Texts{"(0-1-2)", "(1-0-2)", "(2-0-1)"} << Texts{"0", "1", "2"};
    QTest::newRow("isolated vertex removed")
        << Texts{"0", "1", "2"} << Texts{"0-1"} << Texts{"(0-1)", "(1-0)"} << Texts{"0", "1"};
    QTest::newRow("back-off finds another")
        << Texts{"0", "1", "2", "3"} << Texts{"0-1", "1-2", "2-3", "3-0", "0-2"}
        << Texts{"(0-1-2)", "(0-1)", "(1-0-2)", "(1-0)", "(2-0-1)", "(2-0-3)", "(3-0-2)", "(3-0)"}
        << Texts{"0", "1", "2", "3"};
    QTest::newRow("loop") << Texts{"0", "1", "2"} << Texts{"0-1", "2-2"}
                          << Texts{"(0-1)", "(1-0)", "(2)"} << Texts{"0", "1", "2"};
    QTest::newRow("loop on a repeated label")
        << Texts{"x", "y", "y"} << Texts{"x-y", "y-y"} << Texts{"(x-y)", "(y-x)", "(y-x)"}
        << Texts{"x", "y", "y"};
    QTest::newRow("partner unknown") << Texts{"0", "5", "1"} << Texts{"5-9", "0-1"}
                                     << Texts{"(0-1)", "(5)", "(1-0)"} << Texts{"0", "5", "1"};
    QTest::newRow("A and a differ") << Texts{"A", "a", "b"} << Texts{"A-b", "a-A"}
                                    << Texts{"(A-a)", "(a-A)", "(b-A)"} << Texts{"A", "a", "b"};
    QTest::newRow("no edges") << Texts{"0", "1"} << Texts{} << Texts{} << Texts{};
    QTest::newRow("empty graph") << Texts{} << Texts{"0-1"} << Texts{} << Texts{};
}

void TestCliqueSearch::search() {
    QFETCH(Texts, vertices);
    QFETCH(Texts, edges);
    GraphStore store = makeStore(vertices, edges);
    ProgressRecord progress;
    const CliqueList cliques = fullSearch(store, &progress);
    QTEST(textsOf(cliques), "cliques");
    QTEST(store.vertices.entries(), "verticesAfter");
    QCOMPARE(store.vertexCount, store.vertices.count());
    QCOMPARE(store.edges.entries(), edges);
    QList<int> expectedPositions;
    for (int s = 1; s <= store.vertexCount; ++s)
        expectedPositions.append(s);
    QCOMPARE(progress.maximum, store.vertexCount);
    QCOMPARE(progress.positions, expectedPositions);
}

void TestCliqueSearch::secondRunAppendsAgain() {
    GraphStore store;
    appendSampleGraph(store, 1);
    CliqueList cliques = fullSearch(store);
    QCOMPARE(cliques.size(), 19);
    const CliqueList first = cliques;
    greedyCliqueSearch(store, cliques, nullptr);
    QCOMPARE(cliques.size(), 38);
    QCOMPARE(cliques.mid(19), first);
}

void TestCliqueSearch::longGraphIsSearchedWhole() {
    // A path of 300 vertices: every start vertex records one edge, the first
    // neighbour in list order.
    Texts vertices;
    Texts edges;
    Texts expected{"(0-1)"};
    for (int i = 0; i < 300; ++i) {
        vertices.append(QByteArray::number(i));
        if (i > 0) {
            edges.append(QByteArray::number(i - 1) + '-' + QByteArray::number(i));
            expected.append('(' + QByteArray::number(i) + '-' + QByteArray::number(i - 1) + ')');
        }
    }
    GraphStore store = makeStore(vertices, edges);
    ProgressRecord progress;
    QCOMPARE(textsOf(fullSearch(store, &progress)), expected);
    QCOMPARE(progress.positions.size(), 300);
    QCOMPARE(progress.positions.last(), 300);
}

void TestCliqueSearch::sameAsLiteralSearch() {
    std::mt19937 engine(20240611u);
    qsizetype recorded = 0;
    qsizetype largeCliques = 0;
    for (int round = 0; round < 300; ++round) {
        const GraphStore graph = randomOddGraph(engine);

        GraphStore literal = graph;
        literalRemoveIsolated(literal);
        const MemberLists expected = literalSearch(literal);

        GraphStore fast = graph;
        removeIsolatedVertices(fast);
        CliqueList cliques;
        greedyCliqueSearch(fast, cliques, nullptr);

        const QByteArray where = "round " + QByteArray::number(round);
        QVERIFY2(fast.vertices == literal.vertices, where.constData());
        QVERIFY2(membersOf(cliques) == expected, where.constData());
        recorded += expected.size();
        for (const QList<QByteArray>& members : expected)
            largeCliques += members.size() >= 4;
    }
    // The random graphs must actually exercise the search.
    QVERIFY(recorded > 10000);
    QVERIFY(largeCliques > 5000);
}

// The growth measurement's time limit: a search stopped before its start
// records nothing, though the isolated vertices are gone; one never stopped
// records what "Berechnen!" does.
void TestCliqueSearch::stopRequestedBeforeTheStart() {
    const GraphStore graph = makeStore({"0", "1", "2", "3", "9"}, {"0-1", "1-2", "0-2", "2-3"});
    GraphStore unstoppable = graph;
    const Texts all = textsOf(fullSearch(unstoppable));
    QVERIFY(!all.isEmpty());
    for (const bool stopped : {false, true}) {
        GraphStore store = graph;
        store.refreshCounts();
        std::stop_source stop;
        if (stopped)
            stop.request_stop();
        CliqueList cliques;
        searchCliquesFromEveryVertex(store, cliques, nullptr, stop.get_token());
        QCOMPARE(textsOf(cliques), stopped ? Texts{} : all);
        QCOMPARE(store.vertices, unstoppable.vertices);
    }
}

QTEST_APPLESS_MAIN(TestCliqueSearch)
#include "tst_clique_search.moc"
