#pragma once

#include "app/widgets.h"
#include "graph/graph_store.h"

#include <QWidget>

class TForm4;

// The heuristic window: walk length, random walk and visit chart.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    TForm6(GraphStore& store, TForm4* progress, QWidget* parent = nullptr);

    TImage* Image1;

private:
    GraphStore& m_store;
    TForm4* m_progress;
};
