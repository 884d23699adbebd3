#pragma once

#include "app/widgets.h"
#include "cliques/maximal_cliques.h"
#include "cliques/practice/clique_facts.h"
#include "cliques/practice/exercises.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QWidget>

#include <optional>

class MainWindow;

// "Selbst probieren": the student chooses vertices on the main window's
// drawing or in a field, Mandorin judges the choice at once, and sets
// exercises it checks. Nothing here changes the clique list; only an
// exercise with a graph of its own replaces the graph, as an opened file does.
class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    explicit PracticeWindow(MainWindow& mainWindow, QWidget* parent = nullptr);

    const QList<QByteArray>& choice() const { return m_choice; }
    // The exact search still works on the graph (or on its complement).
    bool isSearching() const;

signals:
    // The solution of a greedy-search exercise: its round, step by step.
    void greedyRoundRequested(const QByteArray& startLabel);

public slots:
    void openFresh();
    // A click on the main window's picture: the vertex there joins or leaves.
    void chooseAt(QPoint point);
    void clearChoice();
    // "Aufgabe stellen": the exercise of the chosen kind and number.
    void setExercise();
    // "Neue Aufgabe": the same with a number drawn at random.
    void setNewExercise();
    void checkAnswer();
    void showTip();
    void showSolution();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void graphChanged();
    // Takes the current graph: its exact facts, the choice within it.
    void refreshGraph();
    void readChoiceField();
    void showComplement();
    // The verdict and both layers on the drawing.
    void showChoice();
    void showComplementLayer();
    void startExercise(const Exercise& exercise);
    void endExercise(const QString& reason);
    void showExerciseControls();
    void showScore();

    MainWindow& m_mainWindow;
    ExactGraph m_graph;
    ExactGraph m_complement;
    CliqueFactsRunner m_graphFacts;
    CliqueFactsRunner m_complementFacts;
    QList<QByteArray> m_choice;
    bool m_stale = true;

    std::optional<Exercise> m_exercise;
    GraphStore m_exerciseGraph; // the graph the exercise was set on
    bool m_solved = false;
    bool m_revealed = false;
    int m_exercisesSet = 0;
    int m_exercisesSolved = 0;

    QLineEdit* choiceField;
    QPushButton* clearButton;
    QLabel* messageLabel;
    QLabel* verdictLabel;
    QCheckBox* complementBox;
    QLabel* complementLabel;
    QComboBox* kindChoice;
    QComboBox* levelChoice;
    QSpinBox* numberSpinner;
    QPushButton* setButton;
    QPushButton* newButton;
    QLabel* taskLabel;
    ChoiceGroup* answerChoice;
    QSpinBox* countSpinner;
    QPushButton* checkButton;
    QPushButton* tipButton;
    QPushButton* solutionButton;
    QLabel* feedbackLabel;
    QLabel* scoreLabel;
    QLabel* hintLabel;
};
