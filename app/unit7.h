#pragma once

#include "app/widgets.h"
#include "cliques/clique_positions.h"
#include "cliques/exact_cliques.h"

#include <QFrame>
#include <QListWidgetItem>
#include <QTableWidget>
#include <QWidget>

#include <optional>

class TForm1;

// Marks a clique on the main window's picture. The mark is an overlay, never
// part of the picture that "Export" saves, and it is dropped as soon as the
// graph it was drawn for changes.
class CliqueHighlighter : public QObject {
    Q_OBJECT
public:
    explicit CliqueHighlighter(TForm1& form1, QObject* parent = nullptr);

    // Where the current graph's vertices stand in the picture, when known.
    std::optional<VertexPositions> positions() const;
    // Marks the clique; false (and no mark) when its vertices have no known
    // positions.
    bool highlight(const Clique& clique);
    void clear();
    bool isShown() const;

public slots:
    // A click or key move in ListBox1.
    void ListBox1RowChosen(int row);
    // Drops the mark when the graph differs from the one it was drawn for.
    void checkGraph();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void graphChosen();
    void importStarted();
    void ListBox1ItemClicked(QListWidgetItem* item);

private:
    struct GraphState {
        TextList vertices;
        TextList edges;
        int item = -1;
        bool operator==(const GraphState&) const = default;
    };
    GraphState currentState() const;

    TForm1& m_form1;
    // An import keeps the editor's grid, which then no longer says where
    // the vertices are.
    bool m_imported = false;
    GraphState m_markedState;
};

// "Exakte Analyse": the clique number and all maximal cliques of the current
// graph, computed exactly, beside what the greedy search found.
class TFormExact : public QWidget {
    Q_OBJECT
public:
    explicit TFormExact(TForm1& form1, QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* LabelTitle;
    QLabel* LabelCliqueNumber;
    QLineEdit* EditCliqueNumber;
    QLabel* LabelMaximal;
    QTableWidget* TableCliques;
    QLabel* LabelCount;
    QGroupBox* GroupDecision;
    QLabel* LabelQuestion;
    QLineEdit* EditAnswer;
    QLabel* LabelExample;
    QLineEdit* EditExample;
    QLabel* LabelComparison;
    QLabel* LabelHighlight;
    QPushButton* ButtonRefresh;
    QPushButton* ButtonClose;

    CliqueHighlighter Highlighter;

    const ExactAnalysis& analysis() const { return m_analysis; }

public slots:
    // The main window's "Exakte Analyse": shows the window, fresh.
    void ButtonExactClick();
    // "Aktualisieren".
    void ButtonRefreshClick();
    void TableCliquesRowChosen(int row);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void TableCliquesCellClicked(int row, int column);
    void TableCliquesCurrentCellChanged(int row, int column, int previousRow, int previousColumn);

private:
    void buildLayout();
    void refresh();

    TForm1& m_form1;
    ExactAnalysis m_analysis;
    // The graph the shown analysis belongs to.
    TextList m_vertices;
    TextList m_edges;
};

// Puts the button "Exakte Analyse" into the main window's bottom row and
// lets it open the window.
void AttachExactAnalysis(TForm1& form1, TFormExact& window);
