#pragma once

#include "app/widgets.h"
#include "cliques/exact_analysis.h"
#include "cliques/exact_analysis_runner.h"

#include <QTimer>

#include <QTableWidget>
#include <QWidget>

class MainWindow;

// "Exakte Analyse": the clique number and all maximal cliques of the current
// graph, computed exactly, beside what the greedy search found.
class ExactAnalysisWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExactAnalysisWindow(MainWindow& mainWindow, QWidget* parent = nullptr);

    const ExactAnalysis& analysis() const { return m_analysis; }
    // An analysis is computing off the user-interface thread.
    bool isComputing() const { return m_runner.isRunning(); }

public slots:
    // Shows the window with a fresh analysis.
    void openFresh();
    // "Aktualisieren": a fresh analysis of the current graph, off the
    // user-interface thread.
    void refresh();
    // "Abbrechen": the run ends with what it found so far.
    void cancel();
    // Marks the clique of the given row on the main window's picture.
    void chooseClique(int row);
    // "Warum nicht größer?": why no clique has more vertices, shown beside
    // the clique number (a colouring on the main window's picture).
    void explainCliqueNumber();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void progressed(const ExactProgress& progress);
    void showProgress();
    void showAnalysis(const ExactAnalysis& analysis);
    void graphChanged();
    // The graph of the shown analysis is still the main window's.
    bool showsCurrentGraph() const;

    MainWindow& m_mainWindow;
    ExactAnalysisRunner m_runner;
    QTimer m_ticker; // the elapsed time while a run computes
    Clique m_largestSoFar;
    ExactAnalysis m_analysis;
    // The graph the shown analysis belongs to.
    TextList m_vertices;
    TextList m_edges;

    QLineEdit* cliqueNumberField;
    QTableWidget* cliqueTable;
    QLabel* countLabel;
    QLabel* questionLabel;
    QLineEdit* answerField;
    QLineEdit* exampleField;
    QLabel* comparisonLabel;
    QLabel* highlightLabel;
    QPushButton* refreshButton;
    QPushButton* cancelButton;
    QPushButton* whyButton;
    QLabel* whyLabel;
    QTableWidget* branchTable;
};
