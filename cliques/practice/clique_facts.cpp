#include "clique_facts.h"

#include <QThread>

CliqueFactsRunner::CliqueFactsRunner(QObject* parent) : QObject(parent) {}

CliqueFactsRunner::~CliqueFactsRunner() {
    m_stop.request_stop();
    // Calls a stopped run queued for this object go with it.
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void CliqueFactsRunner::start(const ExactGraph& graph, bool listMaximal) {
    stop();
    m_stop = std::stop_source();
    const std::uint64_t run = m_run;
    m_running = true;
    m_facts = {};
    const SearchControl control{kNoStepLimit, m_stop.get_token()};
    QThread* thread = QThread::create([this, run, graph, listMaximal, control] {
        CliqueFacts facts;
        const MaximumCliqueResult largest = maximumClique(graph, control);
        if (!largest.complete)
            return; // stopped: a newer run or the end of the program
        facts.largest = largest.clique;
        deliver(run, facts, !listMaximal);
        if (listMaximal) {
            facts.maximal = enumerateMaximalCliques(graph, kMaximalCliqueCap, control);
            if (!control.stop.stop_requested())
                deliver(run, facts, true);
        }
    });
    m_threads.append(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_threads.removeOne(thread);
        thread->wait();
        delete thread;
    });
    thread->start();
}

void CliqueFactsRunner::stop() {
    m_stop.request_stop();
    ++m_run;
    m_running = false;
}

void CliqueFactsRunner::deliver(std::uint64_t run, const CliqueFacts& facts, bool last) {
    QMetaObject::invokeMethod(
        this,
        [this, run, facts, last] {
            if (run != m_run)
                return;
            m_facts = facts;
            m_running = !last;
            emit factsChanged();
        },
        Qt::QueuedConnection);
}
