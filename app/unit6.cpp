#include "app/unit6.h"

TForm6::TForm6(GraphStore& store, TForm4* progress, QWidget* parent)
    : QWidget(parent), m_store(store), m_progress(progress) {
    setObjectName("Form6");
    setWindowTitle("Mandorin: Heuristik");
    Image1 = new TImage(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(16, 48, 625, 345);
}
