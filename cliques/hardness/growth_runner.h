#pragma once

#include "cliques/hardness/growth_measurement.h"

#include <QList>
#include <QObject>

#include <cstdint>
#include <stop_token>

class QThread;

// Runs a growth measurement on a thread of its own, so that the window stays
// usable however long it takes. Signals arrive on the runner's own thread;
// those of a run that was cancelled and replaced by a newer one never arrive.
class GrowthRunner : public QObject {
    Q_OBJECT
public:
    explicit GrowthRunner(QObject* parent = nullptr);
    // Cancels every run and waits until their threads have ended.
    ~GrowthRunner() override;

    // Starts a run; one still going is cancelled and forgotten.
    void start(const GrowthSettings& settings);
    // Ends the current run at the next step of its search; finished(false)
    // follows, after every row measured before.
    void cancel();
    // Between start() and the current run's finished().
    bool isRunning() const { return m_running; }

signals:
    void measured(const GrowthRow& row);
    void finished(bool complete);

private:
    std::uint64_t m_run = 0; // the current run; older ones are ignored
    bool m_running = false;
    std::stop_source m_stop;
    // Threads not yet ended, the current one and cancelled ones.
    QList<QThread*> m_threads;
};
