#include "graph/graph_picture_drawing.h"
#include "graph/sample_graphs.h"
#include "support/numbered_graphs.h"

#include <QGuiApplication>
#include <QRect>
#include <QTest>

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

    void sameGraphSamePicture() {
        const GraphStore store = randomGraph(120, 0.05, 7u);
        const QImage first = drawGraphPicture(store, layoutGraphForPicture(store));
        const QImage second = drawGraphPicture(store, layoutGraphForPicture(store));
        QCOMPARE(first, second);
    }
};

QTEST_MAIN(TestGraphPicture)
#include "tst_graph_picture.moc"
