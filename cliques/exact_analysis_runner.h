#pragma once

#include "cliques/exact_analysis.h"

#include <QElapsedTimer>
#include <QList>
#include <QMetaType>
#include <QObject>

#include <cstdint>
#include <stop_token>

class QThread;

Q_DECLARE_METATYPE(ExactAnalysis)
Q_DECLARE_METATYPE(ExactProgress)

// Runs the exact analysis on a thread of its own, without a step limit, so
// that the window stays responsive however long it takes. Each run works on a
// copy of the graph and the greedy list. Signals arrive on the runner's own
// thread; those of a run that was replaced by a newer one never arrive.
class ExactAnalysisRunner : public QObject {
    Q_OBJECT
public:
    explicit ExactAnalysisRunner(QObject* parent = nullptr);
    // Cancels every run and waits until their threads have ended.
    ~ExactAnalysisRunner() override;

    // Starts an analysis of the store as it stands now. A run still going
    // is cancelled and forgotten: the graph it analyses is gone.
    void start(const GraphStore& store, const CliqueList& greedy, qsizetype k);
    // Ends the current run early; finished() follows with what it found
    // (cancelled set, the clique number "mindestens").
    void cancel();
    // Between start() and the current run's finished().
    bool isRunning() const { return m_running; }
    // Milliseconds the current run has taken so far, or the last run took.
    qint64 elapsed() const;
    // Threads not yet ended: the current run's and those of cancelled runs,
    // which end at their next branch step.
    int threadCount() const { return int(m_threads.size()); }

signals:
    void progressed(const ExactProgress& progress);
    void finished(const ExactAnalysis& analysis);

private:
    std::uint64_t m_run = 0; // the current run; older ones are ignored
    bool m_running = false;
    std::stop_source m_stop;
    QElapsedTimer m_clock;
    qint64 m_duration = -1; // of the last run, once it has finished
    // Threads not yet ended, the current one and cancelled ones.
    QList<QThread*> m_threads;
};
