#include "cliques/exact_analysis_runner.h"
#include "support/main_window_driver.h"
#include "support/resident_memory.h"

#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

// Work done over and over may leave a little behind each time, or keep a
// large block after the first time; either shows in the resident size.
constexpr qint64 kGrowthLimit = 3 * 1024 * 1024;

// The arrows of the main window's k take the focus and lose it again; each
// time they change colour.
void focusArrows(Program& p) {
    auto* arrows = control<StepArrows>(p.mainWindow, "UpDown1");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(arrows, &in);
    arrows->repaint();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(arrows, &out);
    arrows->repaint();
}

// An exact analysis of 10,000 vertices and a few edges on a thread of its
// own, as the analysis window runs it: to its end, or cancelled at once (the
// thread still builds the graph before it stops).
void analyseLargeGraph(bool cancel) {
    GraphStore store;
    for (int i = 0; i < 10000; ++i)
        store.vertices.append("v" + QByteArray::number(i));
    for (const char* edge : {"v0-v1", "v1-v2", "v0-v2", "v5-v9999", "v9998-v9999"})
        store.edges.append(edge);
    store.refreshCounts();
    ExactAnalysisRunner runner;
    QSignalSpy finished(&runner, &ExactAnalysisRunner::finished);
    runner.start(store, {}, 3);
    if (cancel)
        runner.cancel();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
    QTRY_COMPARE_WITH_TIMEOUT(runner.threadCount(), 0, 120000);
}

using Work = std::function<void(Program&)>;

} // namespace

Q_DECLARE_METATYPE(Work)

class TestHeldMemory : public QObject {
    Q_OBJECT
private slots:
    void repeatedWorkKeepsMemoryFlat_data();
    void repeatedWorkKeepsMemoryFlat();
};

void TestHeldMemory::repeatedWorkKeepsMemoryFlat_data() {
    QTest::addColumn<Work>("work");
    QTest::addColumn<int>("times");
    QTest::newRow("arrows take and lose the focus") << Work(focusArrows) << 5000;
    // The rows share one process: the cancelled run goes first, before any
    // other run has grown the thread heaps it would take over.
    QTest::newRow("exact analysis of 10,000 vertices, cancelled")
        << Work([](Program&) { analyseLargeGraph(true); }) << 3;
    QTest::newRow("exact analysis of 10,000 vertices")
        << Work([](Program&) { analyseLargeGraph(false); }) << 3;
}

// What the program no longer needs goes back: the resident size after the
// work, done many times, is about what it was before.
void TestHeldMemory::repeatedWorkKeepsMemoryFlat() {
    QFETCH(Work, work);
    QFETCH(int, times);
    Program p;
    showAndWait(p.mainWindow);
    const qint64 before = residentBytes();
    QVERIFY(before > 0);
    for (int i = 0; i < times; ++i) {
        work(p);
        if (QTest::currentTestFailed())
            return;
    }
    const qint64 after = residentBytes();
    qInfo("resident memory %lld KiB before, %lld KiB after", before / 1024, after / 1024);
    QVERIFY2(after - before < kGrowthLimit,
             qPrintable(QString("%1 KiB more").arg((after - before) / 1024)));
}

QTEST_MAIN(TestHeldMemory)
#include "tst_held_memory.moc"
