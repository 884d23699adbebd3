#include "app/progress_window.h"

#include <QCoreApplication>

namespace {
constexpr int kRepaintIntervalMs = 33;
}

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form4");
    setUpWindow(this, "Mandorin: Fortschritt", 637, 335, 504, 161);

    QFrame* panel = makePanel(this, "Panel1", {8, 8, 473, 105});

    QLabel* caption = makeText(panel, "StaticText1", {8, 8, 234, 22}, "Berechnungs-Fortschritt",
                               courierFont(16), Colours::Red);

    progressBar = new QProgressBar(panel);
    progressBar->setObjectName("ProgressBar1");
    progressBar->setGeometry(16, 40, 441, 17);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressBar->setAccessibleName("Berechnungs-Fortschritt");
    caption->setBuddy(progressBar);

    makeText(panel, "StaticText2", {288, 71, 169, 26}, "Bitte warten...",
             courierFont(19, true, false, true));
}

void ProgressWindow::begin() {
    QWidget::show();
    raise();
    repaintNow();
}

void ProgressWindow::finish() {
    hide();
}

void ProgressWindow::setMaximum(int maximum) {
    progressBar->setMaximum(std::max(0, maximum));
}

void ProgressWindow::setPosition(int position) {
    progressBar->setValue(position);
    if (isVisible() && (!m_sinceRepaint.isValid() || m_sinceRepaint.hasExpired(kRepaintIntervalMs)))
        repaintNow();
}

void ProgressWindow::repaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceRepaint.start();
}
