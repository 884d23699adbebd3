#include "growth_runner.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

GrowthRunner::GrowthRunner(QObject* parent) : QObject(parent) {}

GrowthRunner::~GrowthRunner() {
    m_stop.request_stop();
    // A cancelled run ends at its next search step; the calls it queued for
    // this object are dropped with it.
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void GrowthRunner::start(const GrowthSettings& settings) {
    m_stop.request_stop();
    m_stop = std::stop_source();
    const std::uint64_t run = ++m_run;
    m_running = true;
    const std::stop_token stop = m_stop.get_token();
    // Rows travel as calls queued for this object, which no thread outlives;
    // on arrival those of an older run are dropped.
    QThread* thread = QThread::create([this, run, settings, stop] {
        const bool complete = measureGrowth(settings, stop, [this, run](const GrowthRow& row) {
            QMetaObject::invokeMethod(
                this,
                [this, run, row] {
                    if (m_run == run)
                        emit measured(row);
                },
                Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this,
            [this, run, complete] {
                if (m_run != run)
                    return;
                m_running = false;
                emit finished(complete);
            },
            Qt::QueuedConnection);
    });
    m_threads.append(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_threads.removeOne(thread);
        thread->wait();
        delete thread;
#ifdef __GLIBC__
        // The lists of maximal cliques lay in the thread's own heap; hand
        // its free pages back, or each run leaves its largest list behind.
        malloc_trim(0);
#endif
    });
    thread->start();
}

void GrowthRunner::cancel() {
    m_stop.request_stop();
}
