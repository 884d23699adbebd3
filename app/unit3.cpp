#include "app/unit3.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    setObjectName("Form3");
    setWindowTitle("Mandorin: Version");
}
