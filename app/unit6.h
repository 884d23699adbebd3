#pragma once

#include "app/widgets.h"
#include "graph/graph_store.h"

#include <QFrame>
#include <QSlider>
#include <QWidget>

class TForm4;

// The heuristic window: walk length, random walk and visit chart.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    TForm6(GraphStore& store, TForm4* progress, QWidget* parent = nullptr);

    // The walk length: factor x 10^exponent, 100 to 9,000,000.
    int Iterations = 100;

    QFrame* Panel1;
    QLabel* StaticText5;
    TImage* Image1;
    QGroupBox* GroupBox1;
    QLabel* StaticText12;
    QLabel* Label1;
    QLabel* StaticText1;
    QLabel* Label2;
    QLabel* StaticText2;
    TShape* Shape1;
    QSlider* TrackBar1;
    TUpDown* UpDown2;
    QLabel* StaticText6;
    QLabel* StaticText7;
    QLabel* StaticText8;
    QLabel* StaticText9;
    QLabel* StaticText10;
    QLabel* StaticText4;
    QLabel* Label3;
    TUpDown* UpDown1;
    QLabel* StaticText3;
    QGroupBox* GroupBox2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QLabel* StaticText11;

    void FormCreate();
    void TrackBar1Change();
    void UpDown2Click();
    void UpDown1Click();
    void BitBtn2Click();
    void BitBtn1Click();

protected:
    // Enter runs the walk and Esc resets, as the window's default and cancel buttons.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void showIterations();

    GraphStore& m_store;
    TForm4* m_progress;
};
