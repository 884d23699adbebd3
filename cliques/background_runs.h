#pragma once

#include <QList>
#include <QObject>

#include <cstdint>
#include <functional>
#include <stop_token>

class QThread;

// Work run on threads of their own, one current run at a time, so that a
// window stays usable however long it takes. A newer run stops the one
// before; what a run reports travels as calls queued for this object, which
// no thread outlives, and arrives only while that run is still the current
// one.
class BackgroundRuns : public QObject {
    Q_OBJECT
public:
    explicit BackgroundRuns(QObject* parent = nullptr);
    // Stops every run and waits until their threads have ended.
    ~BackgroundRuns() override;

    // Between the start of a run and its last report.
    bool isRunning() const { return m_running; }
    // Threads not yet ended: the current run's and those of stopped runs,
    // which end at their next step.
    int threadCount() const { return int(m_threads.size()); }

protected:
    // Stops the current run and starts work on a thread of its own, with
    // the new run's number (for its reports) and its stop token. Work
    // touches nothing of this object but deliver(). A derived class calls
    // endRuns() in its destructor: the work calls deliver() through it, which
    // must not happen once it is gone.
    void startRun(std::function<void(std::uint64_t run, std::stop_token stop)> work);
    // Asks the current run to end early; it still reports what it found.
    void stopRun() { m_stop.request_stop(); }
    // Stops the current run and forgets it: none of its reports arrive.
    void forgetRun();
    // Stops every run and waits until their threads have ended.
    void endRuns();
    // From the run's thread: report runs on this object's thread while run
    // is still the current one; with the last report the run has ended.
    void deliver(std::uint64_t run, std::function<void()> report, bool last = false);

private:
    std::uint64_t m_run = 0; // the current run; older ones are ignored
    bool m_running = false;
    std::stop_source m_stop;
    // Threads not yet ended, the current one and stopped ones.
    QList<QThread*> m_threads;
};
