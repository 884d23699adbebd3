#pragma once

#include "cliques/background_runs.h"
#include "cliques/exact_analysis.h"

#include <QElapsedTimer>
#include <QMetaType>
#include <QObject>

Q_DECLARE_METATYPE(ExactAnalysis)
Q_DECLARE_METATYPE(ExactProgress)

// Runs the exact analysis on a thread of its own, without a step limit, so
// that the window stays responsive however long it takes. Each run works on a
// copy of the graph and the greedy list. Signals arrive on the runner's own
// thread; those of a run that was replaced by a newer one never arrive.
class ExactAnalysisRunner : public BackgroundRuns {
    Q_OBJECT
public:
    using BackgroundRuns::BackgroundRuns;
    ~ExactAnalysisRunner() override { endRuns(); }

    // Starts an analysis of the store as it stands now. A run still going
    // is cancelled and forgotten: the graph it analyses is gone.
    void start(const GraphStore& store, const CliqueList& greedy, qsizetype k);
    // Ends the current run early; finished() follows with what it found
    // (cancelled set, the clique number "mindestens").
    void cancel() { stopRun(); }
    // Milliseconds the current run has taken so far, or the last run took.
    qint64 elapsed() const;

signals:
    void progressed(const ExactProgress& progress);
    void finished(const ExactAnalysis& analysis);

private:
    QElapsedTimer m_clock;
    qint64 m_duration = -1; // of the last run, once it has finished
};
