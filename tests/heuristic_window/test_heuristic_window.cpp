#include "app/program.h"
#include "graph/random.h"
#include "heuristic/random_walk.h"
#include "heuristic/visit_chart_drawing.h"
#include "heuristic/walk_shares.h"

#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"
#include <QLocale>
#include <numeric>

#include <QTest>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kAqua = qRgb(0, 255, 255);
const QRgb kSilver = qRgb(192, 192, 192);

QRgb pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

// Height of the bar whose inside holds column x: from the axis up to its top edge.
int barHeight(const QImage& image, int x) {
    int y = 320;
    while (y > 0 && pixel(image, x, y - 1) != kWhite)
        --y;
    return 320 - y;
}

// The first column in [from, to] with ink in the label row.
int firstInk(const QImage& image, int from, int to) {
    for (int x = std::max(0, from); x <= std::min(to, image.width() - 1); ++x) {
        for (int y = 330; y < image.height(); ++y) {
            if (pixel(image, x, y) != kWhite)
                return x;
        }
    }
    return -1;
}

QImage chart(const TextList& labels, const std::vector<qint64>& counts) {
    QImage image(625, 345, QImage::Format_RGB32);
    image.fill(Qt::white);
    drawVisitChart(image, labels, counts);
    return image;
}

TextList indexLabels(int n) {
    TextList labels;
    for (int i = 0; i < n; ++i)
        labels.append(QByteArray::number(i));
    return labels;
}

void clickUp(StepArrows* upDown, int times) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(upDown->upButton(), Qt::LeftButton);
}

void setGraph(GraphStore& store, const QList<QByteArray>& vertices,
              const QList<QByteArray>& edges) {
    store.clear();
    for (const QByteArray& v : vertices)
        store.vertices.append(v);
    for (const QByteArray& e : edges)
        store.edges.append(e);
}

void checkStartState(HeuristicWindow& form) {
    QCOMPARE(form.iterations(), 100);
    QCOMPARE(control<QLabel>(form, "Label1")->text(), "100");
    QCOMPARE(control<QLabel>(form, "Label2")->text(), "2");
    QCOMPARE(control<QLabel>(form, "Label3")->text(), "1");
    QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), 2);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), 2);
    QCOMPARE(control<StepArrows>(form, "UpDown1")->position(), 1);
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), Colours::Red);
    QVERIFY(control<PictureArea>(form, "Image1")->isEmpty());
}

} // namespace

class TestHeuristicWindow : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void markersShowLongRunShares();
    void walkLength_data();
    void walkLength();
    void trackBarAndSpinnerFollowEachOther();
    void resetRestoresStartState_data();
    void resetRestoresStartState();
    void runDrawsExactChartAt9Million();
    void heuristikButtonClearsChartAndKeepsSettings();
    void refusalMessages_data();
    void refusalMessages();
    void chartGeometry_data();
    void chartGeometry();
    void chartOfManyVerticesStaysOnAxis_data();
    void chartOfManyVerticesStaysOnAxis();
};

void TestHeuristicWindow::startState() {
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QCOMPARE(form.windowTitle(), "Mandorin: Heuristik");
    QVERIFY(!form.isVisible());
    checkStartState(form);
    QCOMPARE(control<QPushButton>(form, "BitBtn1")->text(), "Ausführen");
    QCOMPARE(control<QPushButton>(form, "BitBtn3")->text(), "S&chließen");
    QCOMPARE(control<PictureArea>(form, "Image1")->size(), QSize(625, 345));
}

void TestHeuristicWindow::walkLength_data() {
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<int>("iterations");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("1 x 10^2") << 1 << 2 << 100 << Colours::Red;
    QTest::newRow("5 x 10^2") << 5 << 2 << 500 << Colours::Red;
    QTest::newRow("1 x 10^3") << 1 << 3 << 1000 << Colours::Yellow;
    QTest::newRow("3 x 10^4") << 3 << 4 << 30000 << Colours::Yellow;
    QTest::newRow("2 x 10^5") << 2 << 5 << 200000 << Colours::Green;
    QTest::newRow("9 x 10^6") << 9 << 6 << 9000000 << Colours::Green;
}

void TestHeuristicWindow::walkLength() {
    QFETCH(int, factor);
    QFETCH(int, exponent);
    QFETCH(int, iterations);
    QFETCH(QColor, colour);
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);

    clickUp(control<StepArrows>(form, "UpDown2"), exponent - 2);
    QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), exponent);
    QCOMPARE(control<QLabel>(form, "Label2")->text(), QString::number(exponent));
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), colour);
    QCOMPARE(form.iterations(), iterations / factor);

    // The factor changes the length but not the circle.
    clickUp(control<StepArrows>(form, "UpDown1"), factor - 1);
    QCOMPARE(control<QLabel>(form, "Label3")->text(), QString::number(factor));
    QCOMPARE(form.iterations(), iterations);
    QCOMPARE(control<QLabel>(form, "Label1")->text(), QString::number(iterations));
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), colour);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), exponent);
}

void TestHeuristicWindow::trackBarAndSpinnerFollowEachOther() {
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    clickUp(control<StepArrows>(form, "UpDown1"), 1); // factor 2

    QTest::keyClick(control<QSlider>(form, "TrackBar1"), Qt::Key_Right);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), 3);
    QCOMPARE(control<QLabel>(form, "Label2")->text(), "3");
    QCOMPARE(control<QLabel>(form, "Label1")->text(), "2000");
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), Colours::Yellow);

    control<QSlider>(form, "TrackBar1")->setValue(6);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), 6);
    QCOMPARE(control<QLabel>(form, "Label1")->text(), "2000000");
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), Colours::Green);

    // The spinner stops at its limit; the track bar stays with it.
    clickUp(control<StepArrows>(form, "UpDown2"), 2);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), 6);
    QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), 6);

    QTest::mouseClick(control<StepArrows>(form, "UpDown2")->downButton(), Qt::LeftButton);
    QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), 5);
    QCOMPARE(control<QLabel>(form, "Label2")->text(), "5");
    QCOMPARE(form.iterations(), 200000);

    QTest::keyClick(control<QSlider>(form, "TrackBar1"), Qt::Key_Home);
    QCOMPARE(control<StepArrows>(form, "UpDown2")->position(), 2);
    QCOMPARE(control<QLabel>(form, "Label1")->text(), "200");
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), Colours::Red);
}

void TestHeuristicWindow::resetRestoresStartState_data() {
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("7 x 10^5, button") << 7 << 5 << false;
    QTest::newRow("1 x 10^4, button") << 1 << 4 << false;
    QTest::newRow("3 x 10^2, button") << 3 << 2 << false;
    QTest::newRow("9 x 10^3, Esc key") << 9 << 3 << true;
}

void TestHeuristicWindow::resetRestoresStartState() {
    QFETCH(int, factor);
    QFETCH(int, exponent);
    QFETCH(bool, byEscape);
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    clickUp(control<StepArrows>(form, "UpDown1"), factor - 1);
    control<QSlider>(form, "TrackBar1")->setValue(exponent);
    QTest::keyClick(&form, Qt::Key_Return); // Enter runs the walk
    QVERIFY(!control<PictureArea>(form, "Image1")->isEmpty());

    if (byEscape)
        QTest::keyClick(&form, Qt::Key_Escape);
    else
        QTest::mouseClick(control<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
    checkStartState(form);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestHeuristicWindow::runDrawsExactChartAt9Million() {
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    clickUp(control<StepArrows>(form, "UpDown1"), 8);
    clickUp(control<StepArrows>(form, "UpDown2"), 4);
    QCOMPARE(form.iterations(), 9000000);

    GraphStore copy = storeOf(p.mainWindow);
    seedRandom(2024);
    const std::vector<qint64> counts = randomWalk(copy, 9000000, nullptr).visitCounts;
    QCOMPARE(qsizetype(counts.size()), 9);
    const qint64 maxCount = *std::max_element(counts.begin(), counts.end());
    const qsizetype maxIndex = std::max_element(counts.begin(), counts.end()) - counts.begin();
    QVERIFY(maxCount > 7158278); // the product of count and 300 needs 64 bits

    seedRandom(2024);
    QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    const QImage image = control<PictureArea>(form, "Image1")->picture();
    QVERIFY(!image.isNull());
    for (int i = 0; i < 9; ++i) {
        const int inside = 20 + i * 62 + 1;
        QCOMPARE(barHeight(image, inside), int(counts[i] * 300 / maxCount));
        QCOMPARE(pixel(image, inside, 319), i == maxIndex ? kAqua : kSilver);
    }
    QVERIFY(!p.progressWindow.isVisible());
    QCOMPARE(control<QProgressBar>(p.progressWindow, "ProgressBar1")->maximum(), 9000000);
    QCOMPARE(control<QProgressBar>(p.progressWindow, "ProgressBar1")->value(), 8999999);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestHeuristicWindow::heuristikButtonClearsChartAndKeepsSettings() {
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    QVERIFY(form.isVisible());
    clickUp(control<StepArrows>(form, "UpDown1"), 2);
    clickUp(control<StepArrows>(form, "UpDown2"), 1);
    QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    QVERIFY(!control<PictureArea>(form, "Image1")->isEmpty());

    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    QVERIFY(control<PictureArea>(form, "Image1")->isEmpty());
    QCOMPARE(form.iterations(), 3000);

    QTest::mouseClick(control<QPushButton>(form, "BitBtn3"), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    QVERIFY(form.isVisible());
    QCOMPARE(form.iterations(), 3000);
    QCOMPARE(control<QLabel>(form, "Label1")->text(), "3000");
    QCOMPARE(control<Lamp>(form, "Shape1")->colour(), Colours::Yellow);
}

void TestHeuristicWindow::refusalMessages_data() {
    QTest::addColumn<QList<QByteArray>>("vertices");
    QTest::addColumn<QList<QByteArray>>("edges");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty graph")
        << QList<QByteArray>{} << QList<QByteArray>{}
        << "Der Graph hat keine Knoten. Die Zufallswanderung braucht mindestens eine Kante "
           "zwischen zwei Knoten.";
    QTest::newRow("no edges")
        << QList<QByteArray>{"0", "1", "2"} << QList<QByteArray>{}
        << "Der Graph hat keine Kanten. Die Zufallswanderung braucht mindestens eine Kante "
           "zwischen zwei Knoten.";
    QTest::newRow("edges only to unknown labels")
        << QList<QByteArray>{"0", "1", "a"} << QList<QByteArray>{"0-5", "7-1", "A-0"}
        << "Keine Kante des Graphen verbindet zwei Knoten der Knotenliste. Die "
           "Zufallswanderung braucht mindestens eine solche Kante.";
}

void TestHeuristicWindow::refusalMessages() {
    QFETCH(QList<QByteArray>, vertices);
    QFETCH(QList<QByteArray>, edges);
    QFETCH(QString, text);
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(form, "BitBtn1"),
                      Qt::LeftButton); // a chart of sample graph 1
    QVERIFY(!control<PictureArea>(form, "Image1")->isEmpty());

    setGraph(storeOf(p.mainWindow), vertices, edges);
    QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(dialogs.messages, QList<ScriptedDialogs::Message>({{Texts::FehlerCaption, text}}));
    QVERIFY(control<PictureArea>(form, "Image1")->isEmpty());
    QVERIFY(!p.progressWindow.isVisible());
    QCOMPARE(storeOf(p.mainWindow).vertexCount, vertices.size());
    QCOMPARE(storeOf(p.mainWindow).edgeCount, edges.size());
}

void TestHeuristicWindow::chartGeometry_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<int>("firstLabel");
    QTest::addColumn<int>("lastLabel");
    QTest::addColumn<int>("lastBarLeft");
    QTest::addColumn<int>("lastBarRight");
    QTest::addColumn<QList<qint64>>("counts");
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<int>("aqua");

    QTest::newRow("1 vertex") << 1 << 580 << 310 << 310 << 20 << 600 << QList<qint64>{5}
                              << QList<int>{300} << 0;
    QTest::newRow("9 vertices") << 9 << 60 << 52 << 540 << 516 << 576
                                << QList<qint64>{0,     9000000, 8999999, 4500000, 9000000,
                                                 30000, 29999,   7158279, 1}
                                << QList<int>{0, 300, 299, 150, 300, 1, 0, 238, 0} << 1;
    QTest::newRow("15 vertices") << 15 << 31 << 39 << 487 << 482 << 513
                                 << QList<qint64>{0,       8999999, 9000000, 4500000, 9000000,
                                                  30000,   29999,   7158279, 1,       100,
                                                  2000000, 6000000, 3000000, 150000,  9000000}
                                 << QList<int>{0, 299, 300, 150, 300, 1, 0,  238,
                                               0, 0,   66,  200, 100, 5, 300}
                                 << 2;
}

void TestHeuristicWindow::chartGeometry() {
    QFETCH(int, n);
    QFETCH(int, barWidth);
    QFETCH(int, firstLabel);
    QFETCH(int, lastLabel);
    QFETCH(int, lastBarLeft);
    QFETCH(int, lastBarRight);
    QFETCH(QList<qint64>, counts);
    QFETCH(QList<int>, heights);
    QFETCH(int, aqua);

    const QImage image = chart(indexLabels(n), std::vector<qint64>(counts.begin(), counts.end()));

    // Axes.
    QCOMPARE(pixel(image, 10, 20), kBlack);
    QCOMPARE(pixel(image, 10, 19), kWhite);
    QCOMPARE(pixel(image, 605, 320), kBlack);
    QCOMPARE(pixel(image, 606, 320), kWhite);
    QCOMPARE(pixel(image, 15, 200), kWhite);

    for (int i = 0; i < n; ++i) {
        const int left = 20 + i * (barWidth + 2);
        const int right = left + barWidth;
        if (i == n - 1) {
            QCOMPARE(left, lastBarLeft);
            QCOMPARE(right, lastBarRight);
        }
        QCOMPARE(barHeight(image, left + 1), heights[i]);
        if (heights[i] >= 1) {
            QCOMPARE(pixel(image, left, 319), kBlack);
            QCOMPARE(pixel(image, right, 319), kBlack);
        }
        QCOMPARE(pixel(image, left - 1, 319), kWhite);
        QCOMPARE(pixel(image, right + 1, 319), kWhite);
        if (heights[i] >= 2)
            QCOMPARE(pixel(image, left + 1, 319), i == aqua ? kAqua : kSilver);

        // Every label is written where the table puts it, the zero bar's too.
        const int label = firstLabel + i * (barWidth + 1);
        if (i == n - 1)
            QCOMPARE(label, lastLabel);
        const int ink = firstInk(image, label - 3, label + 12);
        QVERIFY2(ink >= label && ink <= label + 3,
                 qPrintable(QString("label %1 at %2, ink at %3").arg(i).arg(label).arg(ink)));
    }
}

void TestHeuristicWindow::chartOfManyVerticesStaysOnAxis_data() {
    QTest::addColumn<int>("n");
    QTest::newRow("34") << 34;
    QTest::newRow("200") << 200;
    QTest::newRow("600") << 600;
    QTest::newRow("1000") << 1000;
}

void TestHeuristicWindow::chartOfManyVerticesStaysOnAxis() {
    QFETCH(int, n);
    std::vector<qint64> counts;
    for (int i = 0; i < n; ++i)
        counts.push_back(i % 7 + 1);
    const int first = n / 3;
    counts[size_t(first)] = 50;
    counts[size_t(2 * n / 3)] = 50;
    const QImage image = chart(indexLabels(n), counts);

    // Nothing above the axis outside x 20 to 605 (up to the axis caption "v").
    for (int y = 20; y < 310; ++y) {
        for (int x = 11; x < image.width(); ++x) {
            if (x < 20 || x > 605)
                QCOMPARE(pixel(image, x, y), kWhite);
        }
    }
    // So do the long-run markers, a pixel wider than their bars.
    const QImage markers = drawShareMarkers(image.size(), counts, std::vector<double>(n, 1.0 / n));
    for (int y = 0; y < markers.height(); ++y)
        for (int x : {10, 606})
            QCOMPARE(qAlpha(markers.pixel(x, y)), 0);
    // The highest bars reach y 20; exactly one of them is aqua.
    int aquaColumns = 0;
    for (int x = 20; x <= 605; ++x)
        aquaColumns += pixel(image, x, 21) == kAqua;
    QVERIFY(aquaColumns >= 1);

    if (n <= 293) {
        // Room for a gap after every bar: one run of ink per bar at the foot.
        QList<int> runStarts;
        QList<int> runWidths;
        for (int x = 20; x <= 605; ++x) {
            if (pixel(image, x, 319) == kWhite)
                continue;
            if (runStarts.isEmpty() || runStarts.last() + runWidths.last() != x) {
                runStarts.append(x);
                runWidths.append(0);
            }
            ++runWidths.last();
        }
        QCOMPARE(runStarts.size(), n);
        for (int w : runWidths)
            QVERIFY(w >= 1);
        // The aqua bar is the first of the two highest.
        const int start = runStarts[first];
        bool aquaInFirst = false;
        for (int x = start; x < start + runWidths[first]; ++x)
            aquaInFirst = aquaInFirst || pixel(image, x, 21) == kAqua;
        QVERIFY(aquaInFirst);
        const int other = runStarts[2 * n / 3];
        QVERIFY(barHeight(image, other) == 300 || pixel(image, other, 20) != kWhite);
        for (int x = other; x < other + runWidths[2 * n / 3]; ++x)
            QVERIFY(pixel(image, x, 21) != kAqua);
    }
    // Some labels are written, all inside the surface.
    QVERIFY(firstInk(image, 0, 624) >= 0);
}

// After "Ausführen" each bar carries a marker at its long-run share, on the
// bars' scale, and a sentence gives the largest deviation.
void TestHeuristicWindow::markersShowLongRunShares() {
    ScriptedDialogs dialogs;
    Program p;
    HeuristicWindow& form = p.heuristicWindow;
    QTest::mouseClick(control<QPushButton>(p.mainWindow, "BitBtn10"), Qt::LeftButton);
    seedRandom(7);
    GraphStore copy = storeOf(p.mainWindow);
    const WalkResult walk = randomWalk(copy, 100, nullptr);
    const std::vector<double> shares = longRunShares(WalkGraph(copy), walk.start);
    const qint64 total = std::accumulate(walk.visitCounts.begin(), walk.visitCounts.end(), 0LL);
    const qint64 maxCount = *std::max_element(walk.visitCounts.begin(), walk.visitCounts.end());

    seedRandom(7);
    QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
    const QImage overlay = control<PictureArea>(form, "Image1")->overlay();
    QVERIFY(!overlay.isNull());
    for (int i = 0; i < 9; ++i) {
        // A marker above the highest bar stops at the axis' top.
        const int y = 320 - int(std::lround(std::min(shares[i] * total * 300 / maxCount, 300.0)));
        const int inside = 20 + i * 62 + 20;
        QVERIFY2(overlay.pixelColor(inside, y).rgb() == kMarkerColour.rgb() ||
                     overlay.pixelColor(inside, y - 1).rgb() == kMarkerColour.rgb(),
                 qPrintable(QString("bar %1 at %2").arg(i).arg(y)));
    }
    const QString sentence = control<QLabel>(form, "LabelExplanation")->text();
    QVERIFY2(sentence.endsWith(
                 QString("größte Abweichung: %1 Prozentpunkte.")
                     .arg(QLocale(QLocale::German)
                              .toString(largestDeviation(walk.visitCounts, shares), 'f', 2))),
             qPrintable(sentence));
    // Reset takes chart, markers and sentence away.
    QTest::mouseClick(control<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
    QVERIFY(control<PictureArea>(form, "Image1")->overlay().isNull());
    QVERIFY(control<QLabel>(form, "LabelExplanation")->text().isEmpty());
}

QTEST_MAIN(TestHeuristicWindow)
#include "test_heuristic_window.moc"
