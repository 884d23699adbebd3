#include "app/unit4.h"

#include <QCoreApplication>

namespace {
constexpr int kRepaintIntervalMs = 33;
}

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    setObjectName("Form4");
    setUpWindow(this, "Mandorin: Fortschritt", 637, 335, 504, 161);

    Panel1 = makePanel(this, "Panel1", {8, 8, 473, 105});

    StaticText1 = new QLabel("Berechnungs-Fortschritt", Panel1);
    StaticText1->setObjectName("StaticText1");
    StaticText1->setGeometry(8, 8, 234, 22);
    StaticText1->setFont(courierFont(16));
    setTextColour(StaticText1, Colours::Red);

    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(16, 40, 441, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    StaticText2 = new QLabel("Bitte warten...", Panel1);
    StaticText2->setObjectName("StaticText2");
    StaticText2->setGeometry(288, 71, 169, 26);
    StaticText2->setFont(courierFont(19, true, false, true));
}

void TForm4::show() {
    QWidget::show();
    raise();
    repaintNow();
}

void TForm4::close() {
    hide();
}

void TForm4::setMaximum(int maximum) {
    ProgressBar1->setMaximum(std::max(0, maximum));
}

void TForm4::setPosition(int position) {
    ProgressBar1->setValue(position);
    if (isVisible() && (!m_sinceRepaint.isValid() || m_sinceRepaint.hasExpired(kRepaintIntervalMs)))
        repaintNow();
}

void TForm4::repaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceRepaint.start();
}
