#pragma once

#include "graph/progress.h"

#include <QList>

// Records what an operation reports to the progress window: how often it was
// begun and finished, the last maximum and every position in order.
struct ProgressRecord : ProgressSink {
    int begun = 0;
    int finished = 0;
    int maximum = -1;
    QList<int> positions;
    void begin() override { ++begun; }
    void finish() override { ++finished; }
    void setMaximum(int value) override { maximum = value; }
    void setPosition(int position) override { positions.append(position); }
};
