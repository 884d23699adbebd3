#pragma once

#include "app/dialogs.h"
#include "app/widgets.h"
#include "cliques/hardness/growth_runner.h"
#include "cliques/hardness/reduction.h"

#include <QWidget>

class GrowthCharts;
class MainWindow;
class QDoubleSpinBox;
class QProgressBar;
class QSpinBox;
class QTabWidget;
class QTableWidget;

// "Warum schwer?": builds the reduction graph of a student's formula, finds
// the clique that is a satisfying assignment, and measures how the searches
// grow on random graphs.
class HardnessWindow : public QWidget {
    Q_OBJECT
public:
    explicit HardnessWindow(MainWindow& mainWindow, QWidget* parent = nullptr);

    // A growth measurement is running off the user-interface thread.
    bool isMeasuring() const { return m_runner.isRunning(); }
    const QList<GrowthRow>& growthRows() const { return m_rows; }

public slots:
    // Shows the window, above the others; what it showed stays.
    void open();
    // "Von 3-SAT zur Clique".
    void buildGraph();
    void searchClique();
    void takeOverGraph();
    void showSatisfiableExample();
    void showUnsatisfiableExample();
    // "Wachstum".
    void measureGrowth();
    void cancelMeasurement();
    void saveCsv();
    void saveImage();

protected:
    // Escape closes the window; a measurement goes on.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void buildReductionPage(QWidget* page);
    void buildGrowthPage(QWidget* page);
    void showFormulaError(const FormulaError& error);
    void addRow(const GrowthRow& row);
    void measurementEnded(bool complete);
    GrowthSettings growthSettings() const;

    MainWindow& m_mainWindow;
    std::optional<Reduction> m_reduction;
    GraphLayout m_layout;
    std::optional<ReductionAnswer> m_answer;
    GrowthRunner m_runner;
    QList<GrowthRow> m_rows;

    QTabWidget* tabs;

    // "Von 3-SAT zur Clique".
    QLineEdit* formulaField;
    QPushButton* buildButton;
    QPushButton* satisfiableButton;
    QPushButton* unsatisfiableButton;
    QLabel* errorLabel;
    PictureArea* reductionPicture;
    QLabel* clausesLabel;
    QPushButton* searchButton;
    QLabel* resultLabel;
    QPushButton* takeOverButton;
    QLabel* takeOverLabel;

    // "Wachstum".
    QSpinBox* fromSpin;
    QSpinBox* toSpin;
    QSpinBox* stepSpin;
    QDoubleSpinBox* densitySpin;
    QSpinBox* repetitionsSpin;
    QSpinBox* seedSpin;
    QSpinBox* timeLimitSpin;
    QPushButton* measureButton;
    QPushButton* cancelButton;
    QProgressBar* progressBar;
    GrowthCharts* charts;
    QLabel* readingLabel;
    QTableWidget* growthTable;
    QPushButton* csvButton;
    QPushButton* imageButton;

    FileDialog csvDialog{FileDialog::Save, QStringLiteral("CSV-Datei (*.csv)|*.csv"), {}};
    FileDialog imageDialog{
        FileDialog::Save, QStringLiteral("PNG-Bild (*.png)|*.png|SVG-Grafik (*.svg)|*.svg"), {}};
};
