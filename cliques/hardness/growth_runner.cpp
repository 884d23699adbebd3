#include "growth_runner.h"

void GrowthRunner::start(const GrowthSettings& settings) {
    startRun([this, settings](std::uint64_t run, std::stop_token stop) {
        const bool complete = measureGrowth(settings, stop, [this, run](const GrowthRow& row) {
            deliver(run, [this, row] { emit measured(row); });
        });
        deliver(
            run, [this, complete] { emit finished(complete); }, true);
    });
}
