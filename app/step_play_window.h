#pragma once

#include "app/widgets.h"
#include "cliques/search_play.h"

#include <QComboBox>
#include <QListWidget>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include <memory>

class MainWindow;

// "Schritt für Schritt": plays the greedy search, Bron–Kerbosch or the branch
// and bound for the clique number on the current graph, one step at a time,
// with the step drawn over the main window's picture. Playing never changes
// the graph or the clique list.
class StepPlayWindow : public QWidget {
    Q_OBJECT
public:
    explicit StepPlayWindow(MainWindow& mainWindow, QWidget* parent = nullptr);
    ~StepPlayWindow() override;

    int position() const { return m_position; }
    bool isPlaying() const { return m_timer.isActive(); }

public slots:
    void openFresh();
    void goToStart();
    void stepBack();
    void togglePlaying();
    void stepForward();
    void goToEnd();
    // Opens the greedy search at the start of its round from the vertex
    // with this label (at the start when it has none).
    void playGreedyRoundFrom(const QByteArray& label);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildLayout();
    // A new play for the current graph and the chosen search, at its start.
    void rebuild();
    void showPosition(int position);
    void setPlaying(bool playing);
    void updateSpeed();
    void graphChanged();

    MainWindow& m_mainWindow;
    std::unique_ptr<SearchPlay> m_play;
    int m_position = 0;
    bool m_stale = true;
    QTimer m_timer;

    QComboBox* searchChoice;
    QPushButton* startButton;
    QPushButton* backButton;
    QPushButton* playButton;
    QPushButton* forwardButton;
    QPushButton* endButton;
    QSlider* speedSlider;
    QLabel* speedLabel;
    QLabel* stepLabel;
    QListWidget* pseudoCodeList;
    QLabel* stateLabel;
    QLabel* sentenceLabel;
    QLabel* legendLabel;
    QListWidget* foundList;
    QLabel* noteLabel;
};
