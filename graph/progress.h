#pragma once

// What a long computation needs from the progress window. Calls may be
// frequent; the window decides how often it actually repaints.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void show() = 0;
    virtual void close() = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
};
