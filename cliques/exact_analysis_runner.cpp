#include "exact_analysis_runner.h"

void ExactAnalysisRunner::start(const GraphStore& store, const CliqueList& greedy, qsizetype k) {
    m_duration = -1;
    m_clock.start();
    startRun([this, store, greedy, k](std::uint64_t run, std::stop_token stop) {
        ExactAnalysisControl control;
        control.stepLimit = kNoStepLimit;
        control.stop = stop;
        control.progress = [this, run](const ExactProgress& progress) {
            deliver(run, [this, progress] { emit progressed(progress); });
        };
        const ExactAnalysis analysis = analyseExactly(store, greedy, k, control);
        deliver(
            run,
            [this, analysis] {
                m_duration = m_clock.elapsed();
                emit finished(analysis);
            },
            true);
    });
}

qint64 ExactAnalysisRunner::elapsed() const {
    return m_duration >= 0 ? m_duration : m_clock.elapsed();
}
