#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "cliques/exact_analysis_runner.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <thread>

Q_DECLARE_METATYPE(GraphStore)

namespace {

// Far too hard to finish: about 50 of 400 vertices in a largest clique,
// hidden among 72,000 edges.
GraphStore hopeless() {
    return randomGraph(400, 0.9, 5u);
}

QStringList textsOf(const ExactAnalysis& analysis) {
    QStringList texts{cliqueNumberText(analysis), maximalCliqueCountText(analysis),
                      exactDecisionText(analysis), exampleText(analysis), comparisonText(analysis)};
    for (const MaximalCliqueEntry& entry : analysis.maximalCliques)
        texts.append(displayText(entry.clique.text()) + (entry.inGreedyList ? " ja" : " nein"));
    return texts;
}

} // namespace

class TestExactRun : public QObject {
    Q_OBJECT
private slots:
    void reportsEveryLargerClique_data();
    void reportsEveryLargerClique();
    void stopBeforeTheStart();
    void stopFromAnotherThread();
    void analysisCancelledWhileSearching();
    void analysisCancelledWhileListing();
    void analysisReportsProgress();
    void runnerDeliversTheAnalysis();
    void runnerCancels();
    void runnerRestartForgetsTheOldRun();
    void runnerDestroyedWhileRunning();
};

void TestExactRun::reportsEveryLargerClique_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::newRow("hamming8-4") << hammingGraph(8, 4);
    QTest::newRow("keller4") << kellerGraph(4);
    QTest::newRow("200 vertices, 0.7") << randomGraph(200, 0.7, 20240612u);
    QTest::newRow("sample graph 1") << [] {
        GraphStore store;
        appendSampleGraph(store, 1);
        return store;
    }();
}

// Strictly growing cliques, the first at once, the last the result.
void TestExactRun::reportsEveryLargerClique() {
    QFETCH(GraphStore, store);
    const ExactGraph g = buildExactGraph(store);
    std::vector<std::vector<int>> reported;
    const MaximumCliqueResult result =
        maximumClique(g, SearchControl{kNoStepLimit, {}},
                      [&](const std::vector<int>& clique) { reported.push_back(clique); });
    QVERIFY(result.complete);
    QVERIFY(!reported.empty());
    for (std::size_t i = 0; i < reported.size(); ++i) {
        QVERIFY(isClique(g, reported[i]));
        QVERIFY(std::is_sorted(reported[i].begin(), reported[i].end()));
        if (i > 0)
            QVERIFY(reported[i].size() > reported[i - 1].size());
    }
    QCOMPARE(reported.back(), result.clique);
}

void TestExactRun::stopBeforeTheStart() {
    const ExactGraph g = buildExactGraph(kellerGraph(4));
    std::stop_source source;
    source.request_stop();
    const MaximumCliqueResult largest =
        maximumClique(g, SearchControl{kNoStepLimit, source.get_token()});
    QVERIFY(!largest.complete);
    QVERIFY(!largest.clique.empty());
    QVERIFY(isClique(g, largest.clique));
    QCOMPARE(largest.steps, std::uint64_t(1));
    const MaximalCliques maximal = enumerateMaximalCliques(
        g, kMaximalCliqueCap, SearchControl{kNoStepLimit, source.get_token()});
    QVERIFY(!maximal.complete);
    QVERIFY(!maximal.truncated);
    QVERIFY(maximal.cliques.empty());
}

// The way a window uses it: the search runs on a thread of its own until the
// user cancels.
void TestExactRun::stopFromAnotherThread() {
    const ExactGraph g = buildExactGraph(hopeless());
    std::atomic<bool> found = false;
    MaximumCliqueResult largest;
    std::stop_source source;
    std::thread search([&] {
        largest = maximumClique(g, SearchControl{kNoStepLimit, source.get_token()},
                                [&](const std::vector<int>&) {
                                    found = true;
                                    found.notify_one();
                                });
    });
    found.wait(false);
    source.request_stop();
    search.join();
    QVERIFY(!largest.complete);
    QVERIFY(largest.clique.size() >= 2);
    QVERIFY(isClique(g, largest.clique));
}

// A stop while the clique number is open: no maximal cliques are listed, and
// every text says that the search was cancelled.
void TestExactRun::analysisCancelledWhileSearching() {
    const GraphStore store = hopeless();
    std::stop_source source;
    ExactAnalysisControl control;
    control.stepLimit = kNoStepLimit;
    control.stop = source.get_token();
    qsizetype reported = 0;
    control.progress = [&](const ExactProgress& progress) {
        QVERIFY(!progress.cliqueNumberKnown);
        reported = progress.largestClique.members.size();
        source.request_stop();
    };
    const ExactAnalysis analysis = analyseExactly(store, greedyCliques(store), 100, control);
    QVERIFY(analysis.cancelled);
    QVERIFY(!analysis.cliqueNumberComplete);
    QVERIFY(!analysis.maximalComplete);
    QVERIFY(analysis.maximalCliques.isEmpty());
    QCOMPARE(analysis.cliqueNumber, reported);
    QCOMPARE(cliqueNumberText(analysis), QString("mindestens %1").arg(reported));
    QCOMPARE(exactDecisionText(analysis), QString("Unbekannt"));
    QCOMPARE(maximalCliqueCountText(analysis),
             QString("Die Suche wurde abgebrochen, bevor sie maximale Cliquen aufgezählt hat."));
    QVERIFY(comparisonText(analysis).startsWith(
        QString("Die exakte Suche wurde abgebrochen: Die größte Clique hat mindestens %1 Knoten. "
                "Die gierige Suche fand höchstens ")
            .arg(reported)));
}

// A stop once the clique number is proved keeps it exact.
void TestExactRun::analysisCancelledWhileListing() {
    const GraphStore store = moonMoser(9);
    std::stop_source source;
    ExactAnalysisControl control;
    control.stepLimit = kNoStepLimit;
    control.stop = source.get_token();
    control.progress = [&](const ExactProgress& progress) {
        if (progress.cliqueNumberKnown)
            source.request_stop();
    };
    const ExactAnalysis analysis = analyseExactly(store, {}, 9, control);
    QVERIFY(analysis.cancelled);
    QVERIFY(analysis.cliqueNumberComplete);
    QVERIFY(!analysis.maximalComplete);
    QCOMPARE(cliqueNumberText(analysis), QString("9"));
    QCOMPARE(exactDecisionText(analysis), QString("Ja"));
    QCOMPARE(maximalCliqueCountText(analysis),
             QString("Die Suche wurde abgebrochen, bevor sie maximale Cliquen aufgezählt hat."));
}

void TestExactRun::analysisReportsProgress() {
    const GraphStore store = kellerGraph(4);
    ExactAnalysisControl control;
    control.stepLimit = kNoStepLimit;
    QList<ExactProgress> reports;
    control.progress = [&](const ExactProgress& progress) { reports.append(progress); };
    const ExactAnalysis analysis = analyseExactly(store, {}, 12, control);
    QVERIFY(!analysis.cancelled);
    QVERIFY(analysis.cliqueNumberComplete);
    QVERIFY(reports.size() >= 2);
    for (qsizetype i = 0; i + 1 < reports.size(); ++i) {
        QVERIFY(!reports[i].cliqueNumberKnown);
        if (i > 0)
            QVERIFY(reports[i].largestClique.members.size() >
                    reports[i - 1].largestClique.members.size());
    }
    QVERIFY(reports.last().cliqueNumberKnown);
    QCOMPARE(reports.last().largestClique, analysis.largestClique);
    QCOMPARE(reports.last().largestClique.members.size(), qsizetype(12));
}

void TestExactRun::runnerDeliversTheAnalysis() {
    GraphStore store;
    appendSampleGraph(store, 1);
    const CliqueList greedy = greedyCliques(store);
    ExactAnalysisRunner runner;
    QSignalSpy progressed(&runner, &ExactAnalysisRunner::progressed);
    QSignalSpy finished(&runner, &ExactAnalysisRunner::finished);
    runner.start(store, greedy, 4);
    QVERIFY(runner.isRunning());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QVERIFY(!runner.isRunning());
    const ExactAnalysis analysis = finished.first().first().value<ExactAnalysis>();
    QCOMPARE(textsOf(analysis), textsOf(analyseExactly(store, greedy, 4)));
    QVERIFY(!progressed.isEmpty());
    QVERIFY(progressed.last().first().value<ExactProgress>().cliqueNumberKnown);
}

void TestExactRun::runnerCancels() {
    ExactAnalysisRunner runner;
    QSignalSpy progressed(&runner, &ExactAnalysisRunner::progressed);
    QSignalSpy finished(&runner, &ExactAnalysisRunner::finished);
    runner.start(hopeless(), {}, 3);
    QTRY_VERIFY_WITH_TIMEOUT(!progressed.isEmpty(), 60000);
    QVERIFY(runner.isRunning());
    runner.cancel();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QVERIFY(!runner.isRunning());
    const ExactAnalysis analysis = finished.first().first().value<ExactAnalysis>();
    QVERIFY(analysis.cancelled);
    QVERIFY(!analysis.cliqueNumberComplete);
    QVERIFY(analysis.cliqueNumber >= 3);
    QCOMPARE(cliqueNumberText(analysis), QString("mindestens %1").arg(analysis.cliqueNumber));
    QCOMPARE(exactDecisionText(analysis), QString("Ja"));
}

// The graph changed: the old run is cancelled and its results never arrive,
// although it finishes with a cancelled analysis of its own.
void TestExactRun::runnerRestartForgetsTheOldRun() {
    ExactAnalysisRunner runner;
    QSignalSpy finished(&runner, &ExactAnalysisRunner::finished);
    QSignalSpy progressed(&runner, &ExactAnalysisRunner::progressed);
    runner.start(hopeless(), {}, 3);
    QTRY_VERIFY_WITH_TIMEOUT(!progressed.isEmpty(), 60000);
    GraphStore store;
    appendSampleGraph(store, 2);
    runner.start(store, {}, 3);
    progressed.clear();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    // Every thread has ended, so nothing of the old run is still on its way.
    QTRY_COMPARE_WITH_TIMEOUT(runner.threadCount(), 0, 60000);
    QCoreApplication::processEvents();
    QCOMPARE(finished.count(), 1);
    const ExactAnalysis analysis = finished.first().first().value<ExactAnalysis>();
    QCOMPARE(analysis.vertexCount, qsizetype(5));
    QVERIFY(analysis.cliqueNumberComplete);
    QVERIFY(!analysis.cancelled);
    QVERIFY(!progressed.isEmpty());
    for (const QList<QVariant>& arguments : std::as_const(progressed))
        QVERIFY(arguments.first().value<ExactProgress>().largestClique.members.size() <= 4);
    QVERIFY(progressed.last().first().value<ExactProgress>().cliqueNumberKnown);
}

// Closing the program mid-run: the destructor cancels and waits.
void TestExactRun::runnerDestroyedWhileRunning() {
    auto runner = std::make_unique<ExactAnalysisRunner>();
    QSignalSpy progressed(runner.get(), &ExactAnalysisRunner::progressed);
    runner->start(hopeless(), {}, 3);
    QTRY_VERIFY_WITH_TIMEOUT(!progressed.isEmpty(), 60000);
    runner.reset();
    // Whatever the run had queued went with the runner.
    QCoreApplication::processEvents();
}

QTEST_GUILESS_MAIN(TestExactRun)
#include "tst_exact_run.moc"
