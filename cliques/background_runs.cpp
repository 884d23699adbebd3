#include "background_runs.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

BackgroundRuns::BackgroundRuns(QObject* parent) : QObject(parent) {}

BackgroundRuns::~BackgroundRuns() {
    endRuns();
}

void BackgroundRuns::endRuns() {
    m_stop.request_stop();
    // A stopped run ends at its next step; the calls it queued for this
    // object go with the object.
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
    m_threads.clear();
}

void BackgroundRuns::startRun(std::function<void(std::uint64_t, std::stop_token)> work) {
    m_stop.request_stop();
    m_stop = std::stop_source();
    const std::uint64_t run = ++m_run;
    m_running = true;
    QThread* thread = QThread::create(
        [work = std::move(work), run, stop = m_stop.get_token()] { work(run, stop); });
    m_threads.append(thread);
    // finished() comes just before the thread really ends; the wait covers
    // the rest.
    connect(thread, &QThread::finished, this, [this, thread] {
        m_threads.removeOne(thread);
        thread->wait();
        delete thread;
#ifdef __GLIBC__
        // What the run freed can lie in its thread's heap below blocks still
        // in use, where the heap cannot shrink; hand those pages back, or
        // every large run leaves its size behind.
        malloc_trim(0);
#endif
    });
    thread->start();
}

void BackgroundRuns::forgetRun() {
    m_stop.request_stop();
    ++m_run;
    m_running = false;
}

void BackgroundRuns::deliver(std::uint64_t run, std::function<void()> report, bool last) {
    QMetaObject::invokeMethod(
        this,
        [this, run, report = std::move(report), last] {
            if (run != m_run)
                return;
            if (last)
                m_running = false;
            report();
        },
        Qt::QueuedConnection);
}
