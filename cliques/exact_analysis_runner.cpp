#include "exact_analysis_runner.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

ExactAnalysisRunner::ExactAnalysisRunner(QObject* parent) : QObject(parent) {}

ExactAnalysisRunner::~ExactAnalysisRunner() {
    m_stop.request_stop();
    // A cancelled run ends at its next branch step. Calls it queued for this
    // object are dropped with it.
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void ExactAnalysisRunner::start(const GraphStore& store, const CliqueList& greedy, qsizetype k) {
    m_stop.request_stop();
    m_stop = std::stop_source();
    const std::uint64_t run = ++m_run;
    m_running = true;
    m_duration = -1;
    m_clock.start();

    // Results travel as calls queued for this object, which the destructor
    // outlives no thread of; on arrival those of an older run are dropped.
    ExactAnalysisControl control;
    control.stepLimit = kNoStepLimit;
    control.stop = m_stop.get_token();
    control.progress = [this, run](const ExactProgress& progress) {
        QMetaObject::invokeMethod(
            this,
            [this, run, progress] {
                if (m_run == run)
                    emit progressed(progress);
            },
            Qt::QueuedConnection);
    };
    QThread* thread = QThread::create([this, run, store, greedy, k, control] {
        const ExactAnalysis analysis = analyseExactly(store, greedy, k, control);
        QMetaObject::invokeMethod(
            this,
            [this, run, analysis] {
                if (m_run != run)
                    return;
                m_running = false;
                m_duration = m_clock.elapsed();
                emit finished(analysis);
            },
            Qt::QueuedConnection);
    });
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
        // every large analysis leaves its size behind.
        malloc_trim(0);
#endif
    });
    thread->start();
}

void ExactAnalysisRunner::cancel() {
    m_stop.request_stop();
}

qint64 ExactAnalysisRunner::elapsed() const {
    return m_duration >= 0 ? m_duration : m_clock.elapsed();
}
