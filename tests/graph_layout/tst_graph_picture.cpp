#include "graph/graph_picture_drawing.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"
#include "support/progress_record.h"

#include <QGuiApplication>
#include <QRect>
#include <QTest>

#include <algorithm>
#include <utility>

Q_DECLARE_METATYPE(GraphStore)

namespace {

bool isRed(QRgb pixel) {
    return qRed(pixel) > 150 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

bool isDark(QRgb pixel) {
    return qRed(pixel) < 120 && qGreen(pixel) < 120 && qBlue(pixel) < 120;
}

int redPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isRed(image.pixel(x, y));
    return count;
}

QRect around(const QPoint& centre, int radius) {
    return QRect(centre.x() - radius, centre.y() - radius, 2 * radius + 1, 2 * radius + 1);
}

} // namespace

class TestGraphPicture : public QObject {
    Q_OBJECT

private slots:
    // Three vertices placed by hand: "a" and "b" joined, "c" joined to a
    // vertex that has no position; only "a" legible.
    void drawsInTheSampleStyle() {
        GraphStore store;
        store.vertices = TextList{"a", "b", "c"};
        store.edges = TextList{"a-b", "c-x"};
        GraphLayout layout;
        layout.positions.radius = kSampleVertexRadius;
        const QPoint a(100, 150), b(450, 150), c(275, 60);
        layout.positions.centres = {{"a", a}, {"b", b}, {"c", c}};
        layout.legibleLabels = {"a"};
        const QImage picture = drawGraphPicture(store, layout);

        QCOMPARE(picture.size(), QSize(kSamplePictureWidth, kSamplePictureHeight));
        QCOMPARE(picture.pixel(5, 5), qRgb(255, 255, 255));
        QVERIFY(isDark(picture.pixel(275, 150)));               // on the edge a-b
        QCOMPARE(picture.pixel(275, 105), qRgb(255, 255, 255)); // between c and a-b: no edge
        QCOMPARE(picture.pixel(b), qRgb(255, 255, 210));        // inside b, no label
        QVERIFY(isDark(picture.pixel(b.x() + kSampleVertexRadius, b.y()))); // b's outline
        QVERIFY(redPixels(picture, around(a, kSampleVertexRadius)) > 10);
        QCOMPARE(redPixels(picture, around(b, kSampleVertexRadius)), 0);
        QCOMPARE(redPixels(picture, around(c, kSampleVertexRadius)), 0);
    }

    // A label wider than its circle is drawn whole, not cut at the circle.
    void wideLabelsAreNotClipped() {
        GraphStore store;
        store.vertices = TextList{"Wuppertal-Elberfeld"};
        GraphLayout layout;
        layout.positions.radius = kSampleVertexRadius;
        layout.positions.centres = {{"Wuppertal-Elberfeld", QPoint(275, 150)}};
        layout.legibleLabels = {"Wuppertal-Elberfeld"};
        const QImage picture = drawGraphPicture(store, layout);
        const int outside = kSampleVertexRadius + 4;
        QVERIFY(redPixels(picture, QRect(275 - outside - 40, 140, 40, 20)) > 0);
        QVERIFY(redPixels(picture, QRect(275 + outside, 140, 40, 20)) > 0);
    }

    // The labels the layout keeps, measured in the drawing font, are clear of
    // each other in the picture too.
    void layoutForThePictureMeasuresTheFont() {
        QList<QByteArray> labels;
        for (int i = 1; i <= 30; ++i)
            labels.append("Knoten " + QByteArray::number(i));
        GraphStore store;
        store.vertices = TextList(labels);
        const GraphLayout layout = layoutGraphForPicture(store);
        QVERIFY(!layout.legibleLabels.isEmpty());
        QVERIFY(layout.legibleLabels.size() < labels.size());
        QList<QRect> boxes;
        for (const QByteArray& label : layout.legibleLabels) {
            const QSize size = graphLabelSize(label, layout.labelPixelSize);
            const QPoint centre = layout.positions.centres.value(label);
            boxes.append(QRect(centre - QPoint(size.width() / 2, size.height() / 2), size));
        }
        for (qsizetype i = 0; i < boxes.size(); ++i)
            for (qsizetype j = i + 1; j < boxes.size(); ++j)
                QVERIFY(!boxes[i].intersects(boxes[j]));
    }

    // Lines in every direction, drawn smooth when there are few edges and
    // pixel by pixel when there are tens of thousands (here one edge text
    // repeated): each line passes through the points along it, and nothing
    // is drawn off them.
    void drawsLinesInEveryDirection_data() {
        QTest::addColumn<int>("repeats");
        QTest::newRow("few edges") << 1;
        QTest::newRow("tens of thousands of edges") << 20'001;
    }
    void drawsLinesInEveryDirection() {
        QFETCH(int, repeats);
        const std::pair<QPoint, QPoint> lines[] = {{{60, 40}, {490, 260}},   // right, down
                                                   {{300, 30}, {280, 270}},  // steep, left
                                                   {{500, 60}, {40, 110}},   // left, down
                                                   {{120, 270}, {150, 20}}}; // steep, up
        GraphStore store;
        GraphLayout layout;
        layout.positions.radius = 5;
        for (int i = 0; i < 4; ++i) {
            const QByteArray a = "a" + QByteArray::number(i);
            const QByteArray b = "b" + QByteArray::number(i);
            store.vertices.append(a);
            store.vertices.append(b);
            layout.positions.centres.insert(a, lines[i].first);
            layout.positions.centres.insert(b, lines[i].second);
            for (int k = 0; k < repeats; ++k)
                store.edges.append(a + '-' + b);
        }
        const QImage picture = drawGraphPicture(store, layout);
        for (const auto& [from, to] : lines)
            for (const double t : {0.25, 0.5, 0.75}) {
                const QPointF at = QPointF(from) + t * QPointF(to - from);
                const QRect near(at.toPoint() - QPoint(1, 1), QSize(3, 3));
                int dark = 0;
                for (int y = near.top(); y <= near.bottom(); ++y)
                    for (int x = near.left(); x <= near.right(); ++x)
                        dark += isDark(picture.pixel(x, y));
                QVERIFY2(dark > 0, qPrintable(QStringLiteral("%1, %2").arg(at.x()).arg(at.y())));
            }
        QCOMPARE(picture.pixel(400, 250), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(200, 200), qRgb(255, 255, 255));
    }

    // Beyond the ring the picture says in its bottom right corner how much
    // it shows; the ring's pictures stay as they are.
    void countInTheCorner_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("counted");
        QTest::newRow("30 on the ring") << 30 << false;
        QTest::newRow("100") << 100 << true;
        QTest::newRow("1,000") << 1000 << true;
    }
    void countInTheCorner() {
        QFETCH(int, n);
        const GraphStore store = randomGraph(n, 3.0 / n, unsigned(n));
        const QImage picture = drawGraphPicture(store, layoutGraphForPicture(store));
        int ink = 0;
        for (int y = kSamplePictureHeight - 13; y < kSamplePictureHeight; ++y)
            for (int x = 400; x < kSamplePictureWidth; ++x)
                ink += picture.pixel(x, y) != qRgb(255, 255, 255);
        QTEST(ink > 20, "counted");
    }

    void reportsProgressOfLargeDrawings_data() {
        QTest::addColumn<GraphStore>("store");
        QTest::addColumn<bool>("reports");
        QTest::newRow("sample graph") << sampleStore(1) << false;
        QTest::newRow("over 100,000 edges") << randomGraph(500, 0.85, 5u) << true;
    }
    void reportsProgressOfLargeDrawings() {
        QFETCH(GraphStore, store);
        QFETCH(bool, reports);
        const GraphLayout layout = layoutGraphForPicture(store);
        ProgressRecord progress;
        const QImage picture = drawGraphPicture(store, layout, &progress);
        QCOMPARE(picture, drawGraphPicture(store, layout));
        QCOMPARE(progress.begun, int(reports));
        QCOMPARE(progress.finished, int(reports));
        QCOMPARE(progress.positions.size() > 10, reports);
        QVERIFY(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        if (reports)
            QCOMPARE(progress.positions.last(), progress.maximum);
    }

    void sameGraphSamePicture() {
        const GraphStore store = randomGraph(120, 0.05, 7u);
        const QImage first = drawGraphPicture(store, layoutGraphForPicture(store));
        const QImage second = drawGraphPicture(store, layoutGraphForPicture(store));
        QCOMPARE(first, second);
    }
};

QTEST_MAIN(TestGraphPicture)
#include "tst_graph_picture.moc"
