#pragma once

// What a long computation needs from the progress window. Calls may be
// frequent; the window decides how often it actually repaints.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // The computation starts: the window appears.
    virtual void begin() = 0;
    // The computation has ended: the window goes.
    virtual void finish() = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
};
