#pragma once

#include <QtGlobal>

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

// Computations that run one after the other shown as one in the progress
// window: it opens with the first of them that shows progress and stays open
// until the stages end, each stage filling its share of the bar, instead of
// closing and opening again between them.
class ProgressStages final : public ProgressSink {
public:
    ProgressStages(ProgressSink* window, int stageCount)
        : m_window(window), m_stageCount(stageCount) {}
    ~ProgressStages() override {
        if (m_begun)
            m_window->finish();
    }
    ProgressStages(const ProgressStages&) = delete;
    ProgressStages& operator=(const ProgressStages&) = delete;

    // What to hand the computations: nothing when there is no window.
    ProgressSink* sink() { return m_window ? this : nullptr; }
    // The reports that follow belong to the next stage.
    void nextStage() {
        ++m_stage;
        m_maximum = 1;
    }

    void begin() override {
        if (m_begun)
            return;
        m_begun = true;
        m_window->setMaximum(kStepsPerStage * m_stageCount);
        m_window->setPosition(kStepsPerStage * m_stage);
        m_window->begin();
    }
    void finish() override {} // the next stage may follow
    void setMaximum(int maximum) override { m_maximum = maximum > 1 ? maximum : 1; }
    void setPosition(int position) override {
        if (!m_begun)
            return;
        const int within = position < 0 ? 0 : position > m_maximum ? m_maximum : position;
        m_window->setPosition(kStepsPerStage * m_stage +
                              int(qint64(kStepsPerStage) * within / m_maximum));
    }

private:
    static constexpr int kStepsPerStage = 1000;
    ProgressSink* m_window;
    int m_stageCount;
    int m_stage = 0;
    int m_maximum = 1;
    bool m_begun = false;
};

// The progress window shown for as long as this lives, its bar `steps` long
// and full at the end; with no window, nothing.
class ProgressShown {
public:
    ProgressShown(ProgressSink* window, int steps) : m_window(window), m_steps(steps) {
        if (!m_window)
            return;
        m_window->setMaximum(steps);
        m_window->setPosition(0);
        m_window->begin();
    }
    ~ProgressShown() {
        if (!m_window)
            return;
        m_window->setPosition(m_steps);
        m_window->finish();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    bool shown() const { return m_window != nullptr; }
    void setPosition(int position) {
        if (m_window)
            m_window->setPosition(position);
    }

private:
    ProgressSink* m_window;
    int m_steps;
};
