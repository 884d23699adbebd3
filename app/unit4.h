#pragma once

#include "app/widgets.h"
#include "graph/progress.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QProgressBar>
#include <QWidget>

// The progress window that long computations show while they run.
class TForm4 : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    void show() override;
    void close() override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;

    QFrame* Panel1;
    QLabel* StaticText1;
    QProgressBar* ProgressBar1;
    QLabel* StaticText2;

private:
    // Lets the window repaint while the handler that drives it runs on, at
    // most about 30 times a second and without taking user input.
    void repaintNow();

    QElapsedTimer m_sinceRepaint;
};
