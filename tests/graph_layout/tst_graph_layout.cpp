#include "graph/graph_layout.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"
#include "support/progress_record.h"

#include <QLineF>
#include <QLocale>
#include <QRect>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <climits>
#include <utility>

Q_DECLARE_METATYPE(GraphStore)

namespace {

constexpr int kWidth = kSamplePictureWidth;
constexpr int kHeight = kSamplePictureHeight;

GraphStore withoutEdges(int n) {
    return numberedGraph(n, [](int, int) { return false; });
}

// Two groups of `size` vertices, complete inside, not joined to each other.
GraphStore twoCliques(int size) {
    return numberedGraph(2 * size, [=](int a, int b) { return (a < size) == (b < size); });
}

// An 8 x 8 grid, joined to the right and downwards.
GraphStore grid8() {
    return numberedGraph(64, [](int a, int b) { return (b == a + 1 && b % 8 != 0) || b == a + 8; });
}

GraphStore labelled(const QList<QByteArray>& labels) {
    GraphStore store;
    store.vertices = TextList(labels);
    store.refreshCounts();
    return store;
}

QList<QByteArray> distinctLabels(const GraphStore& store) {
    QList<QByteArray> labels;
    for (const QByteArray& label : store.vertices)
        if (!labels.contains(label))
            labels.append(label);
    return labels;
}

double distance(const QPoint& a, const QPoint& b) {
    return QLineF(a, b).length();
}

double closestPair(const VertexPositions& positions) {
    const QList<QPoint> centres = positions.centres.values();
    double closest = 1e9;
    for (qsizetype i = 0; i < centres.size(); ++i)
        for (qsizetype j = i + 1; j < centres.size(); ++j)
            closest = std::min(closest, distance(centres[i], centres[j]));
    return closest;
}

QRect labelBox(const GraphLayout& layout, const QByteArray& label) {
    const QSize size = estimatedLabelSize(label, layout.labelPixelSize);
    const QPoint centre = layout.positions.centres.value(label);
    return QRect(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
                 size.height());
}

} // namespace

class TestGraphLayout : public QObject {
    Q_OBJECT

private slots:
    void everyLayout_data() {
        QTest::addColumn<GraphStore>("graph");
        QTest::newRow("1 vertex") << withoutEdges(1);
        QTest::newRow("2 vertices") << completeGraph(2);
        QTest::newRow("sample graph 1") << sampleStore(1);
        QTest::newRow("15 complete") << completeGraph(15);
        QTest::newRow("29 random") << randomGraph(29, 0.2, 29u);
        QTest::newRow("30 without edges") << withoutEdges(30);
        QTest::newRow("31 random") << randomGraph(31, 0.1, 31u);
        QTest::newRow("40 in two cliques") << twoCliques(20);
        QTest::newRow("50 without edges") << withoutEdges(50);
        QTest::newRow("8 x 8 grid") << grid8();
        QTest::newRow("200 random, half the pairs") << randomGraph(200, 0.5, 200u);
        QTest::newRow("200 random, sparse") << randomGraph(200, 0.015, 201u);
        GraphStore odd = labelled({"a", "b", "a", "c", "b"});
        odd.edges = TextList{"a-b", "a-zz", "c", "b-b", "b-a", ""};
        QTest::newRow("repeated labels, loops, unknown ends") << odd;
    }

    void everyLayout() {
        QFETCH(GraphStore, graph);
        const GraphLayout layout = layoutGraph(graph);
        const QList<QByteArray> labels = distinctLabels(graph);

        // One centre per label, every circle inside the picture with the margin.
        QCOMPARE(layout.positions.centres.size(), labels.size());
        const int r = layout.positions.radius;
        QVERIFY(r >= 2 && r <= kSampleVertexRadius);
        const QRect allowed(r + kLayoutMargin, r + kLayoutMargin, kWidth - 2 * (r + kLayoutMargin),
                            kHeight - 2 * (r + kLayoutMargin));
        for (const QByteArray& label : labels) {
            QVERIFY2(layout.positions.centres.contains(label), label.constData());
            const QPoint centre = layout.positions.centres.value(label);
            QVERIFY2(
                centre.x() >= allowed.left() && centre.x() <= allowed.left() + allowed.width() &&
                    centre.y() >= allowed.top() && centre.y() <= allowed.top() + allowed.height(),
                qPrintable(QStringLiteral("%1 at %2, %3")
                               .arg(label.constData())
                               .arg(centre.x())
                               .arg(centre.y())));
        }

        // The same graph, the same picture.
        const GraphLayout again = layoutGraph(graph);
        QCOMPARE(again.positions.centres, layout.positions.centres);
        QCOMPARE(again.positions.radius, layout.positions.radius);
        QCOMPARE(again.legibleLabels, layout.legibleLabels);
        QCOMPARE(again.labelPixelSize, layout.labelPixelSize);

        // Legible labels lie inside the picture and clear of each other; the
        // first label, having nothing before it, is legible.
        const QRect picture(0, 0, kWidth, kHeight);
        const QList<QByteArray> legible(layout.legibleLabels.begin(), layout.legibleLabels.end());
        for (qsizetype i = 0; i < legible.size(); ++i) {
            QVERIFY(labels.contains(legible[i]));
            QVERIFY(picture.contains(labelBox(layout, legible[i])));
            for (qsizetype j = i + 1; j < legible.size(); ++j)
                QVERIFY2(!labelBox(layout, legible[i]).intersects(labelBox(layout, legible[j])),
                         legible[i] + " and " + legible[j]);
        }
        QVERIFY(layout.legibleLabels.contains(labels.first()));

        // The layout uses the picture: its centres span most of the room
        // (a few vertices on the ring cannot).
        if (labels.size() >= 8) {
            int left = kWidth, right = 0, top = kHeight, bottom = 0;
            for (const QPoint& centre : layout.positions.centres) {
                left = std::min(left, centre.x());
                right = std::max(right, centre.x());
                top = std::min(top, centre.y());
                bottom = std::max(bottom, centre.y());
            }
            QVERIFY(right - left >= 0.8 * allowed.width());
            QVERIFY(bottom - top >= 0.8 * allowed.height());
        }
    }

    void ringKeepsCirclesApart_data() {
        QTest::addColumn<int>("n");
        for (int n : {2, 3, 4, 7, 12, 19, 23, 27, 29, 30})
            QTest::addRow("%d vertices", n) << n;
    }
    void ringKeepsCirclesApart() {
        QFETCH(int, n);
        const GraphStore graph = randomGraph(n, 0.3, unsigned(n));
        const GraphLayout layout = layoutGraph(graph);
        QCOMPARE(layout.positions.radius, kSampleVertexRadius);
        QCOMPARE(layout.labelPixelSize, kLabelPixelSize);
        QVERIFY2(closestPair(layout.positions) >= 2 * kSampleVertexRadius,
                 qPrintable(QString::number(closestPair(layout.positions))));
        // Numbers up to two digits fit between ring neighbours.
        QCOMPARE(layout.legibleLabels.size(), n);
    }

    // The force-directed layout spreads graphs that have the room for it so
    // that no two circles overlap.
    void forceLayoutKeepsCirclesApart_data() {
        QTest::addColumn<GraphStore>("graph");
        QTest::newRow("31 random") << randomGraph(31, 0.1, 31u);
        QTest::newRow("40 in two cliques") << twoCliques(20);
        QTest::newRow("50 without edges") << withoutEdges(50);
        QTest::newRow("60 sparse") << randomGraph(60, 0.06, 60u);
    }
    void forceLayoutKeepsCirclesApart() {
        QFETCH(GraphStore, graph);
        const GraphLayout layout = layoutGraph(graph);
        QVERIFY2(closestPair(layout.positions) >= 2 * layout.positions.radius,
                 qPrintable(QString::number(closestPair(layout.positions))));
    }

    // Joined vertices end up nearer to each other than the rest.
    void edgesPullTogether_data() {
        QTest::addColumn<GraphStore>("graph");
        QTest::newRow("two cliques of 20") << twoCliques(20);
        QTest::newRow("8 x 8 grid") << grid8();
        QTest::newRow("200 sparse") << randomGraph(200, 0.015, 201u);
    }
    void edgesPullTogether() {
        QFETCH(GraphStore, graph);
        const GraphLayout layout = layoutGraph(graph);
        const auto centre = [&](const QByteArray& label) {
            return layout.positions.centres.value(label);
        };
        double joined = 0;
        for (const QByteArray& edge : graph.edges) {
            const EdgeEnds ends = splitEdge(edge);
            joined += distance(centre(ends.first), centre(ends.second));
        }
        joined /= double(graph.edges.count());
        double all = 0;
        qsizetype pairs = 0;
        for (qsizetype a = 0; a < graph.vertices.count(); ++a)
            for (qsizetype b = a + 1; b < graph.vertices.count(); ++b, ++pairs)
                all += distance(centre(graph.vertices[a]), centre(graph.vertices[b]));
        all /= double(pairs);
        QVERIFY2(joined < 0.5 * all, qPrintable(QStringLiteral("%1 %2").arg(joined).arg(all)));
    }

    // Graphs of a hundred to a thousand vertices and more: circles at least
    // 10 px across, inside the picture and apart, labels clear of each
    // other, and a count of what the picture shows; of graphs too large to
    // show whole, the vertices with the most edges.
    void crowdedGraphsStayLegible_data() {
        QTest::addColumn<GraphStore>("graph");
        QTest::newRow("100 sparse") << randomGraph(100, 0.04, 100u);
        QTest::newRow("500 random") << randomGraph(500, 0.02, 500u);
        QTest::newRow("1,000, half the pairs") << randomGraph(1000, 0.5, 1000u);
        QTest::newRow("1,000 without edges") << withoutEdges(1000);
        // The last 500 in store order have the most edges.
        QTest::newRow("1,500 with hubs at the end")
            << numberedGraph(1500, [](int a, int b) { return b >= 1000 && (a + b) % 4 == 0; });
    }
    void crowdedGraphsStayLegible() {
        QFETCH(GraphStore, graph);
        const GraphLayout layout = layoutGraph(graph);
        const QHash<QByteArray, QPoint>& centres = layout.positions.centres;
        const int r = layout.positions.radius;
        QVERIFY(2 * r >= 10);
        for (const QPoint& centre : centres)
            QVERIFY(QRect(0, 0, kWidth, kHeight)
                        .contains(QRect(centre - QPoint(r, r), QSize(2 * r, 2 * r))));
        QVERIFY2(closestPair(layout.positions) >= 2 * r,
                 qPrintable(QString::number(closestPair(layout.positions))));
        QVERIFY(!layout.legibleLabels.isEmpty());
        const QList<QByteArray> legible(layout.legibleLabels.begin(), layout.legibleLabels.end());
        for (qsizetype i = 0; i < legible.size(); ++i)
            for (qsizetype j = i + 1; j < legible.size(); ++j)
                QVERIFY(!labelBox(layout, legible[i]).intersects(labelBox(layout, legible[j])));

        // Distinct edges, and those between two vertices shown; degrees.
        QSet<std::pair<QByteArray, QByteArray>> edges;
        QHash<QByteArray, int> degree;
        for (const QByteArray& edge : graph.edges) {
            const EdgeEnds ends = splitEdge(edge);
            const std::pair key{std::min(ends.first, ends.second),
                                std::max(ends.first, ends.second)};
            if (ends.first != ends.second && !edges.contains(key)) {
                edges.insert(key);
                ++degree[ends.first];
                ++degree[ends.second];
            }
        }
        const qsizetype shownEdges =
            std::count_if(edges.begin(), edges.end(), [&](const auto& edge) {
                return centres.contains(edge.first) && centres.contains(edge.second);
            });
        const QLocale german(QLocale::German);
        const qsizetype n = graph.vertices.count();
        if (n <= 1000) {
            QCOMPARE(centres.size(), n);
            QCOMPARE(layout.countText, QStringLiteral("%1 Knoten, %2 Kanten")
                                           .arg(german.toString(n))
                                           .arg(german.toString(qsizetype(edges.size()))));
        } else {
            QVERIFY(centres.size() < n);
            QCOMPARE(layout.countText, QStringLiteral("zeigt %1 von %2 Knoten, %3 von %4 Kanten")
                                           .arg(german.toString(centres.size()), german.toString(n),
                                                german.toString(shownEdges),
                                                german.toString(qsizetype(edges.size()))));
            int fewestShown = INT_MAX;
            int mostHidden = 0;
            for (const QByteArray& label : graph.vertices) {
                const int d = degree.value(label);
                if (centres.contains(label))
                    fewestShown = std::min(fewestShown, d);
                else
                    mostHidden = std::max(mostHidden, d);
            }
            QVERIFY2(fewestShown >= mostHidden,
                     qPrintable(QStringLiteral("%1 < %2").arg(fewestShown).arg(mostHidden)));
        }
    }

    void circlesShrinkWithTheCrowd() {
        const GraphLayout few = layoutGraph(randomGraph(40, 0.1, 1u));
        const GraphLayout many = layoutGraph(randomGraph(400, 0.01, 2u));
        QCOMPARE(few.positions.radius, kSampleVertexRadius);
        QVERIFY(many.positions.radius < few.positions.radius);
        QVERIFY(many.labelPixelSize < few.labelPixelSize);
        QVERIFY(many.labelPixelSize >= 8);
    }

    void longLabelsAreLeftOutWhereTheyWouldOverlap() {
        QList<QByteArray> labels;
        for (int i = 1; i <= 30; ++i)
            labels.append("Knoten Nummer " + QByteArray::number(i));
        const GraphLayout layout = layoutGraph(labelled(labels));
        QVERIFY(layout.legibleLabels.contains(labels.first()));
        QVERIFY(layout.legibleLabels.size() < labels.size());
        // Every label left out overlaps one taken before it.
        for (const QByteArray& label : labels) {
            if (layout.legibleLabels.contains(label))
                continue;
            const QRect box = labelBox(layout, label);
            const bool blocked = std::any_of(
                labels.begin(), labels.begin() + labels.indexOf(label),
                [&](const QByteArray& before) {
                    return layout.legibleLabels.contains(before) &&
                           labelBox(layout, before).adjusted(-1, -1, 1, 1).intersects(box);
                });
            QVERIFY2(blocked || !QRect(0, 0, kWidth, kHeight).contains(box), label.constData());
        }
    }

    void measureDecidesLegibility() {
        const GraphStore graph = labelled({"a", "b", "c", "d"});
        const GraphLayout narrow =
            layoutGraph(graph, [](const QByteArray&, int) { return QSize(10, 10); });
        const GraphLayout wide =
            layoutGraph(graph, [](const QByteArray&, int) { return QSize(kWidth + 1, 10); });
        QCOMPARE(narrow.legibleLabels.size(), 4);
        QCOMPARE(wide.legibleLabels.size(), 0);
        QCOMPARE(narrow.positions.centres, wide.positions.centres);
    }

    void emptyGraph() {
        const GraphLayout layout = layoutGraph(GraphStore());
        QVERIFY(layout.positions.centres.isEmpty());
        QVERIFY(layout.legibleLabels.isEmpty());
    }

    void reportsProgressOfLargeGraphs() {
        ProgressRecord progress;
        const GraphStore large = completeGraph(460); // 105,570 edges
        layoutGraph(large, estimatedLabelSize, &progress);
        QCOMPARE(progress.begun, 1);
        QCOMPARE(progress.finished, 1);
        QVERIFY(progress.maximum > 0);
        QVERIFY(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        QCOMPARE(progress.positions.last(), progress.maximum);

        ProgressRecord quiet;
        layoutGraph(randomGraph(200, 0.5, 3u), estimatedLabelSize, &quiet);
        QCOMPARE(quiet.begun, 0);
        QVERIFY(quiet.positions.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGraphLayout)
#include "tst_graph_layout.moc"
