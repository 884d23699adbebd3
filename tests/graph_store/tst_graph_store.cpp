#include "files/list_files.h"
#include "graph/graph_store.h"
#include "graph/label_numbers.h"
#include "graph/sample_graphs.h"
#include "graph/text_list.h"
#include "support/clique_checks.h"
#include "support/literal_queries.h"

#include <QTest>

using Texts = QList<QByteArray>;
Q_DECLARE_METATYPE(Texts)

namespace {} // namespace

class TestGraphStore : public QObject {
    Q_OBJECT
private slots:
    void splitEdge_data();
    void splitEdge();
    void labelNumbers_data();
    void labelNumbers();
    void numberedEdges_data();
    void numberedEdges();
    void incidentEdgesAndPartners_data();
    void incidentEdgesAndPartners();
    void edgePartnersOf_data();
    void edgePartnersOf();
    void adjacentToAllMembers_data();
    void adjacentToAllMembers();
    void longEdgeListIsScannedWhole();
    void fromBytes_data();
    void fromBytes();
    void toBytesRoundTrips();
    void indexOfIgnoresCase_data();
    void indexOfIgnoresCase();
};

void TestGraphStore::splitEdge_data() {
    QTest::addColumn<QByteArray>("edge");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("two digits") << QByteArray("12-3") << QByteArray("12") << QByteArray("3");
    QTest::newRow("second dash") << QByteArray("1-2-3") << QByteArray("1") << QByteArray("2-3");
    QTest::newRow("no dash") << QByteArray("7") << QByteArray() << QByteArray("7");
    QTest::newRow("leading dash") << QByteArray("-3") << QByteArray() << QByteArray("3");
    QTest::newRow("trailing dash") << QByteArray("3-") << QByteArray("3") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
}

void TestGraphStore::splitEdge() {
    QFETCH(QByteArray, edge);
    const EdgeEnds ends = ::splitEdge(edge);
    QTEST(ends.first, "first");
    QTEST(ends.second, "second");
    const EdgeEndViews views = splitEdgeView(edge);
    QTEST(views.first.toByteArray(), "first");
    QTEST(views.second.toByteArray(), "second");
}

// Labels numbered in their first order; any text looked up exactly.
void TestGraphStore::labelNumbers_data() {
    QTest::addColumn<Texts>("vertices");
    QTest::addColumn<Texts>("labels");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<Texts>("unknown");
    QTest::newRow("repeats and letter case")
        << Texts{"a", "A", "b", "a", "A"} << Texts{"a", "A", "b"} << QList<int>{0, 1, 2, 0, 1}
        << Texts{"B", "ab", "", "a-"};
    QTest::newRow("empty label and dashes")
        << Texts{"", "x-y", "x", "y", ""} << Texts{"", "x-y", "x", "y"} << QList<int>{0, 1, 2, 3, 0}
        << Texts{"x-", "-y", " "};
    QTest::newRow("prefixes") << Texts{"10", "1", "100"} << Texts{"10", "1", "100"}
                              << QList<int>{0, 1, 2} << Texts{"0", "1000", "01"};
    QTest::newRow("none") << Texts{} << Texts{} << QList<int>{} << Texts{"", "0"};
    // Enough labels for many to share a first slot of the table.
    Texts many;
    QList<int> manyNumbers;
    for (int i = 0; i < 3000; ++i) {
        many.append(QByteArray::number(i % 2000));
        manyNumbers.append(i % 2000);
    }
    QTest::newRow("3000 vertices, 2000 labels")
        << many << many.mid(0, 2000) << manyNumbers << Texts{"2000", "-1", "0x"};
}

void TestGraphStore::labelNumbers() {
    QFETCH(Texts, vertices);
    QFETCH(QList<int>, numbers);
    QFETCH(Texts, unknown);
    const LabelNumbers labels(vertices);
    QTEST(labels.labels(), "labels");
    QCOMPARE(QList<int>(labels.numbers().begin(), labels.numbers().end()), numbers);
    for (qsizetype i = 0; i < vertices.size(); ++i)
        QCOMPARE(labels.numberOf(vertices[i]), numbers[i]);
    for (const QByteArray& text : unknown)
        QCOMPARE(labels.numberOf(text), -1);
}

void TestGraphStore::numberedEdges_data() {
    QTest::addColumn<Texts>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("ends"); // first, second, first, second, ...
    const Texts edges{"a-b", "b-c", "a", "-a", "c-", "x-y-b", "b-b", "A-a"};
    QTest::newRow("all") << edges << 8
                         << QList<int>{0, 1, 1, -1, 2, 0, 2, 0, -1, 2, 3, -1, 1, 1, -1, 0};
    QTest::newRow("first three") << edges << 3 << QList<int>{0, 1, 1, -1, 2, 0};
    QTest::newRow("count past the end") << edges.mid(0, 2) << 5 << QList<int>{0, 1, 1, -1};
    QTest::newRow("none counted") << edges << 0 << QList<int>{};
}

void TestGraphStore::numberedEdges() {
    QFETCH(Texts, edges);
    QFETCH(int, count);
    // "" is a label here: an edge without a dash has it as its first end.
    const LabelNumbers labels(Texts{"a", "b", "", "x"});
    QList<int> ends;
    for (const NumberedEdge& edge : numberEdges(TextList(edges), count, labels))
        ends << edge.first << edge.second;
    QTEST(ends, "ends");
}

void TestGraphStore::incidentEdgesAndPartners_data() {
    QTest::addColumn<int>("graph");
    QTest::addColumn<int>("edgeCount"); // -1: the refreshed count
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<Texts>("incident");
    QTest::addColumn<Texts>("partners");
    QTest::newRow("graph 1, vertex 4")
        << 1 << -1 << QByteArray("4") << Texts{"0-4", "3-4", "4-1", "4-5", "4-2", "4-7"}
        << Texts{"0", "3", "1", "5", "2", "7"};
    QTest::newRow("graph 1, vertex 6") << 1 << -1 << QByteArray("6") << Texts{"6-7"} << Texts{"7"};
    QTest::newRow("graph 2, vertex 0")
        << 2 << -1 << QByteArray("0") << Texts{"0-1", "0-4", "0-3", "0-2"}
        << Texts{"1", "4", "3", "2"};
    QTest::newRow("count 5 bounds the scan")
        << 1 << 5 << QByteArray("4") << Texts{"0-4", "3-4"} << Texts{"0", "3"};
    QTest::newRow("count 0") << 1 << 0 << QByteArray("4") << Texts{} << Texts{};
    QTest::newRow("unknown label") << 1 << -1 << QByteArray("9") << Texts{} << Texts{};
    QTest::newRow("prefix is no match") << 1 << -1 << QByteArray("") << Texts{} << Texts{};
}

void TestGraphStore::incidentEdgesAndPartners() {
    QFETCH(int, graph);
    QFETCH(int, edgeCount);
    QFETCH(QByteArray, label);
    GraphStore store = sampleStore(graph);
    if (edgeCount >= 0)
        store.edgeCount = edgeCount;
    const TextList before = store.edges;
    const TextList incident = incidentEdges(store.edges, label, store.edgeCount);
    QTEST(incident.entries(), "incident");
    QTEST(edgePartners(incident, label).entries(), "partners");
    QCOMPARE(store.edges, before);
}

void TestGraphStore::edgePartnersOf_data() {
    QTest::addColumn<Texts>("edges");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<Texts>("partners");
    QTest::newRow("either end, loop, repeat")
        << Texts{"A-b", "b-A", "A-A", "b-A"} << QByteArray("A") << Texts{"b", "b", "A", "b"};
    QTest::newRow("edge not touching gives first end")
        << Texts{"x-y"} << QByteArray("A") << Texts{"x"};
    QTest::newRow("case matters") << Texts{"a-b"} << QByteArray("A") << Texts{"a"};
    QTest::newRow("no dash") << Texts{"7"} << QByteArray("7") << Texts{""};
    QTest::newRow("empty") << Texts{} << QByteArray("1") << Texts{};
}

void TestGraphStore::edgePartnersOf() {
    QFETCH(Texts, edges);
    QFETCH(QByteArray, label);
    QTEST(edgePartners(TextList(edges), label).entries(), "partners");
}

void TestGraphStore::adjacentToAllMembers_data() {
    QTest::addColumn<Texts>("edges"); // empty: sample graph 1
    QTest::addColumn<int>("edgeCount");
    QTest::addColumn<Texts>("members");
    QTest::addColumn<QByteArray>("candidate");
    QTest::addColumn<bool>("adjacent");
    QTest::newRow("clique 0 1 3 + 4")
        << Texts{} << 13 << Texts{"0", "1", "3"} << QByteArray("4") << true;
    QTest::newRow("clique 0 1 3 + 2")
        << Texts{} << 13 << Texts{"0", "1", "3"} << QByteArray("2") << false;
    QTest::newRow("no members") << Texts{} << 13 << Texts{} << QByteArray("6") << true;
    QTest::newRow("edge beyond count") << Texts{} << 5 << Texts{"1"} << QByteArray("4") << false;
    QTest::newRow("edge within count") << Texts{} << 6 << Texts{"1"} << QByteArray("4") << true;
    QTest::newRow("case differs") << Texts{"A-b"} << 1 << Texts{"a"} << QByteArray("b") << false;
    QTest::newRow("case equal") << Texts{"A-b"} << 1 << Texts{"A"} << QByteArray("b") << true;
    QTest::newRow("candidate case differs")
        << Texts{"A-b"} << 1 << Texts{"A"} << QByteArray("B") << false;
    QTest::newRow("loop joins itself")
        << Texts{"2-2"} << 1 << Texts{"2"} << QByteArray("2") << true;
    QTest::newRow("duplicate edge counts once")
        << Texts{"0-1", "1-0"} << 2 << Texts{"0", "0"} << QByteArray("1") << true;
    QTest::newRow("partner through multi-dash edge")
        << Texts{"1-2-3"} << 1 << Texts{"2-3"} << QByteArray("1") << true;
}

void TestGraphStore::adjacentToAllMembers() {
    QFETCH(Texts, edges);
    QFETCH(int, edgeCount);
    QFETCH(Texts, members);
    QFETCH(QByteArray, candidate);
    const TextList list = edges.isEmpty() ? sampleStore(1).edges : TextList(edges);
    QTEST(::isAdjacentToAll(list, TextList(members), candidate, edgeCount), "adjacent");
}

void TestGraphStore::longEdgeListIsScannedWhole() {
    // Far more than 255 edges, each longer than 255 characters at the end.
    const QByteArray longLabel(300, 'x');
    TextList edges;
    for (int i = 0; i < 400; ++i)
        edges.append(QByteArray::number(i) + '-' + QByteArray::number(i + 1));
    edges.append("399-" + longLabel);
    const TextList incident = incidentEdges(edges, "399", edges.count());
    QCOMPARE(incident.entries(), Texts({"398-399", "399-400", "399-" + longLabel}));
    QVERIFY(::isAdjacentToAll(edges, TextList{"398", "400", longLabel}, "399", edges.count()));
}

void TestGraphStore::fromBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Texts>("entries");
    QTest::newRow("CR LF") << QByteArray("a\r\nbc\r\n") << Texts{"a", "bc"};
    QTest::newRow("CR, LF and none at the end") << QByteArray("a\rb\nc") << Texts{"a", "b", "c"};
    QTest::newRow("empty lines") << QByteArray("a\n\nb\r\n\r\n") << Texts{"a", "", "b", ""};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << Texts{"a", "", "b"};
    QTest::newRow("lone break") << QByteArray("\r\n") << Texts{""};
    QTest::newRow("trailing CR") << QByteArray("x\r") << Texts{"x"};
    QTest::newRow("nothing") << QByteArray() << Texts{};
    QTest::newRow("NUL stops") << QByteArray("a\r\nb\0c\r\nd", 10) << Texts{"a", "b"};
    QTest::newRow("NUL first") << QByteArray("\0a", 2) << Texts{};
    QTest::newRow("8-bit bytes kept") << QByteArray("\xe4\xf6-\xfc\r\n") << Texts{"\xe4\xf6-\xfc"};
}

void TestGraphStore::fromBytes() {
    QFETCH(QByteArray, bytes);
    QTEST(listFromFileBytes(bytes).entries(), "entries");
}

void TestGraphStore::toBytesRoundTrips() {
    const TextList list{"0-1", "", "\xe4", "(3-0-1-4)", ""};
    const QByteArray bytes = listFileBytes(list);
    QCOMPARE(bytes, QByteArray("0-1\r\n\r\n\xe4\r\n(3-0-1-4)\r\n\r\n"));
    QCOMPARE(listFromFileBytes(bytes), list);
    QCOMPARE(listFileBytes(TextList()), QByteArray());
}

void TestGraphStore::indexOfIgnoresCase_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("exactIndex");
    QTest::newRow("other case finds first") << QByteArray("ABC") << 0 << -1;
    QTest::newRow("exact later entry") << QByteArray("abc") << 0 << 2;
    QTest::newRow("single letter") << QByteArray("X") << 1 << -1;
    QTest::newRow("whole entry only") << QByteArray("ab") << -1 << -1;
    QTest::newRow("empty entry") << QByteArray("") << 3 << 3;
}

void TestGraphStore::indexOfIgnoresCase() {
    QFETCH(QByteArray, entry);
    const TextList list{"Abc", "x", "abc", ""};
    QTEST(int(list.indexOf(entry)), "index");
    QTEST(int(list.indexOfExact(entry)), "exactIndex");
}

QTEST_APPLESS_MAIN(TestGraphStore)
#include "tst_graph_store.moc"
