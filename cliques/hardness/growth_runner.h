#pragma once

#include "cliques/background_runs.h"
#include "cliques/hardness/growth_measurement.h"

#include <QObject>

// Runs a growth measurement on a thread of its own, so that the window stays
// usable however long it takes. Signals arrive on the runner's own thread;
// those of a run that was cancelled and replaced by a newer one never arrive.
class GrowthRunner : public BackgroundRuns {
    Q_OBJECT
public:
    using BackgroundRuns::BackgroundRuns;
    ~GrowthRunner() override { endRuns(); }

    // Starts a run; one still going is cancelled and forgotten.
    void start(const GrowthSettings& settings);
    // Ends the current run at the next step of its search; finished(false)
    // follows, after every row measured before.
    void cancel() { stopRun(); }

signals:
    void measured(const GrowthRow& row);
    void finished(bool complete);
};
