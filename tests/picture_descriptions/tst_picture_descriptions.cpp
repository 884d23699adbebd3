#include "graph/picture_descriptions.h"

#include <QTest>

Q_DECLARE_METATYPE(TextList)

class TestPictureDescriptions : public QObject {
    Q_OBJECT
private slots:
    void graph_data();
    void graph();
    void visitChart_data();
    void visitChart();
};

void TestPictureDescriptions::graph_data() {
    QTest::addColumn<qsizetype>("vertices");
    QTest::addColumn<qsizetype>("edges");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sample graph 1")
        << qsizetype(9) << qsizetype(13) << "Graph mit 9 Knoten und 13 Kanten";
    QTest::newRow("one edge") << qsizetype(2) << qsizetype(1) << "Graph mit 2 Knoten und 1 Kante";
    QTest::newRow("no edge") << qsizetype(1) << qsizetype(0) << "Graph mit 1 Knoten und 0 Kanten";
    QTest::newRow("nothing") << qsizetype(0) << qsizetype(0) << "Graph ohne Knoten";
    // Edges read from a file may name vertices that are not there.
    QTest::newRow("edges only") << qsizetype(0) << qsizetype(2)
                                << "Graph mit 0 Knoten und 2 Kanten";
}

void TestPictureDescriptions::graph() {
    QFETCH(qsizetype, vertices);
    QFETCH(qsizetype, edges);
    QTEST(graphDescription(vertices, edges), "expected");
}

void TestPictureDescriptions::visitChart_data() {
    QTest::addColumn<TextList>("labels");
    QTest::addColumn<std::vector<qint64>>("counts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("highest in the middle")
        << TextList{"0", "1", "2"} << std::vector<qint64>{3, 27, 5}
        << "Besuche von 3 Knoten; am häufigsten besucht: Knoten 1 (27 Besuche)";
    QTest::newRow("a tie goes to the first, as the aqua bar")
        << TextList{"a", "b", "c"} << std::vector<qint64>{2, 7, 7}
        << "Besuche von 3 Knoten; am häufigsten besucht: Knoten b (7 Besuche)";
    QTest::newRow("one vertex, one visit")
        << TextList{"7"} << std::vector<qint64>{1}
        << "Besuche von 1 Knoten; am häufigsten besucht: Knoten 7 (1 Besuch)";
    QTest::newRow("Latin-1 label") << TextList{"x", "J\xfcrgen"} << std::vector<qint64>{1, 4}
                                   << "Besuche von 2 Knoten; am häufigsten besucht: Knoten Jürgen "
                                      "(4 Besuche)";
    QTest::newRow("no vertex") << TextList{} << std::vector<qint64>{} << "Besuche von 0 Knoten";
}

void TestPictureDescriptions::visitChart() {
    QFETCH(TextList, labels);
    QFETCH(std::vector<qint64>, counts);
    QTEST(visitChartDescription(labels, counts), "expected");
}

QTEST_APPLESS_MAIN(TestPictureDescriptions)
#include "tst_picture_descriptions.moc"
