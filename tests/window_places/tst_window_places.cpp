#include "support/main_window_driver.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// How much of keepClear, then of the main window, a window there covers.
std::pair<qint64, qint64> cover(const QRect& window, const QList<QRect>& keepClear,
                                const QRect& main) {
    qint64 kept = 0;
    for (const QRect& area : keepClear)
        kept += qint64(window.intersected(area).width()) * window.intersected(area).height();
    return {kept, qint64(window.intersected(main).width()) * window.intersected(main).height()};
}

} // namespace

class TestWindowPlaces : public QObject {
    Q_OBJECT
private slots:
    void sideWindowsStartClear_data();
    void sideWindowsStartClear();
    void placesComeBack_data();
    void placesComeBack();
};

void TestWindowPlaces::sideWindowsStartClear_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<bool>("roomForAll");
    QTest::newRow("1280 x 1024") << QRect(0, 0, 1280, 1024) << false;
    QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080) << true;
}

// Each side window, placed in turn, covers no more of the drawing, "Berechnen!"
// and the side windows before it than any place on the screen would (tried
// pixel by pixel), then no more of the main window; nothing where there is
// room. The windows with fixed places stay there.
void TestWindowPlaces::sideWindowsStartClear() {
    QFETCH(QRect, screen);
    QFETCH(bool, roomForAll);
    Program p;
    const QRect main = outerGeometry(&p.mainWindow);
    QList<QRect> keepClear = p.mainWindow.areasToKeepClear();
    for (QWidget* window :
         std::initializer_list<QWidget*>{&p.exactAnalysisWindow, &p.stepPlayWindow}) {
        window->move(p.windowPlaces.freePlace(window, screen).topLeft());
        const QRect place = outerGeometry(window);
        QVERIFY(screen.contains(place));
        std::pair<qint64, qint64> least = cover(place, keepClear, main);
        for (int x = screen.left(); x + place.width() <= screen.right() + 1; ++x)
            for (int y = screen.top(); y + place.height() <= screen.bottom() + 1; ++y)
                least = std::min(least, cover(QRect({x, y}, place.size()), keepClear, main));
        QCOMPARE(cover(place, keepClear, main), least);
        QVERIFY(!roomForAll || least.first == 0);
        keepClear.append(place);
    }
    QCOMPARE(main.topLeft(), QPoint(-5, 262));
    QCOMPARE(p.helpWindow.pos(), QPoint(399, 167));
    QCOMPARE(p.versionWindow.pos(), QPoint(192, 125));
    QCOMPARE(p.progressWindow.pos(), QPoint(637, 335));
    QCOMPARE(p.heuristicWindow.pos(), QPoint(167, 157));
}

void TestWindowPlaces::placesComeBack_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("place"); // where the user leaves it; an empty size keeps its own
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("kept");
    QTest::newRow("step window, closed") << "FormSteps" << QRect(20, 10, 0, 0) << true << true;
    QTest::newRow("exact, open at the end") << "FormExact" << QRect(30, 0, 0, 0) << false << true;
    QTest::newRow("resized") << "FormOther" << QRect(50, 40, 300, 200) << true << true;
    QTest::newRow("off every screen") << "FormSteps" << QRect(-3000, 10, 0, 0) << true << false;
}

// A window moved or resized in one run stands there in the next; a place no
// screen shows any more is given up for a fresh one.
void TestWindowPlaces::placesComeBack() {
    QFETCH(QString, window);
    QFETCH(QRect, place);
    QFETCH(bool, closed);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    QSettings settings(dir.filePath("places.conf"), QSettings::IniFormat);
    QPoint fresh;
    for (int run = 0; run < 2; ++run) {
        // A resizable window joins as a new window would.
        QWidget other;
        other.setObjectName("FormOther");
        Program p(&settings);
        p.windowPlaces.add(&other);
        const QList<QWidget*> windows{&p.stepPlayWindow, &p.exactAnalysisWindow, &other};
        QWidget& w = **std::find_if(windows.begin(), windows.end(),
                                    [&](QWidget* each) { return each->objectName() == window; });
        if (run == 1) {
            QCOMPARE(w.pos(), kept ? place.topLeft() : fresh);
            QVERIFY(place.isEmpty() || w.size() == place.size());
            break;
        }
        fresh = w.pos();
        showAndWait(w);
        w.move(place.topLeft());
        if (!place.isEmpty())
            w.resize(place.size());
        if (closed)
            w.close();
    }
}

QTEST_MAIN(TestWindowPlaces)
#include "tst_window_places.moc"
