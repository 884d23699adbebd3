#pragma once

#include "app/widgets.h"
#include "graph/progress.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QWidget>

// The progress window that long computations show while they run.
class ProgressWindow : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void begin() override;
    void finish() override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;

private:
    // Lets the window repaint while the handler that drives it runs on, at
    // most about 30 times a second and without taking user input.
    void repaintNow();

    QProgressBar* progressBar;
    QElapsedTimer m_sinceRepaint;
};
