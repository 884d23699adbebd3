#pragma once

#include "app/widgets.h"
#include "graph/graph_store.h"

#include <QSlider>
#include <QWidget>

class ProgressSink;

// The heuristic window: walk length, random walk and visit chart.
class HeuristicWindow : public QWidget {
    Q_OBJECT
public:
    HeuristicWindow(const GraphStore& store, ProgressSink* progress, QWidget* parent = nullptr);

    // The walk length: factor x 10^exponent, 100 to 9,000,000.
    int iterations() const { return m_iterations; }

signals:
    // A walk is about to read the graph store; its counts are to be refreshed.
    void walkStarting();

public slots:
    // Shows the window with an empty chart.
    void openWithEmptyChart();
    // The exponent's track bar moved.
    void showExponent();
    // The exponent's arrows were clicked.
    void stepExponent();
    void showFactor();
    void resetWalk();
    void runWalk();

protected:
    // Enter runs the walk and Esc resets, as the window's default and cancel buttons.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void showIterations();

    const GraphStore& m_store;
    ProgressSink* m_progress;
    int m_iterations = 100;

    PictureArea* chart;
    QLabel* iterationsLabel;
    QLabel* exponentLabel;
    Lamp* exponentLamp;
    QSlider* exponentSlider;
    StepArrows* exponentSpinner;
    QLabel* factorLabel;
    StepArrows* factorSpinner;
    QPushButton* runButton;
    QPushButton* resetButton;
    // One sentence under the chart on what its markers mean.
    QLabel* explanationLabel;
};
