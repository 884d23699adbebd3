// Renders each of the program's windows, in a typical state, to a PNG in the
// given folder (the pictures in the README):
//   QT_QPA_PLATFORM=offscreen build/window_shots docs/

#include "app/program.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

bool shoot(QWidget& window, const QDir& out, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString file = out.filePath(QString::fromLatin1(name));
    if (window.grab().save(file, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

// The window's button with the given caption.
QPushButton* button(const QWidget& window, const QString& caption) {
    for (QPushButton* candidate : window.findChildren<QPushButton*>())
        if (candidate->text() == caption)
            return candidate;
    qFatal("no button %s", qPrintable(caption));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    Program program;
    MainWindow& main = program.mainWindow;
    main.show();
    button(main, "Berechnen!")->click();
    button(main, "Redundanz vermeiden")->click();
    button(main, "Absteigend")->click();
    // k = 4: the arrows of k are the only ones that start at 1.
    for (StepArrows* arrows : main.findChildren<StepArrows*>())
        while (arrows->minimum() == 1 && arrows->position() < 4)
            arrows->upButton()->click();
    button(main, "Beantworten!")->click();
    bool ok = shoot(main, out, "main-window.png");

    ok = shoot(program.helpWindow, out, "help-window.png") && ok;
    ok = shoot(program.versionWindow, out, "version-window.png") && ok;

    program.progressWindow.setMaximum(100);
    program.progressWindow.setPosition(60);
    ok = shoot(program.progressWindow, out, "progress-window.png") && ok;
    program.progressWindow.finish();

    button(main, "Heuristik")->click();
    button(program.heuristicWindow, "Ausführen")->click();
    ok = shoot(program.heuristicWindow, out, "heuristic-window.png") && ok;

    button(main, "Exakte Analyse")->click();
    ok = shoot(program.exactAnalysisWindow, out, "exact-window.png") && ok;
    program.exactAnalysisWindow.close();
    main.clearHighlight();

    // A step of the greedy search in progress, with the main window's picture.
    button(main, "Schritt für Schritt")->click();
    for (int i = 0; i < 9; ++i)
        button(program.stepPlayWindow, "Schritt vor")->click();
    ok = shoot(program.stepPlayWindow, out, "step-window.png") && ok;
    ok = shoot(main, out, "step-main-window.png") && ok;
    return ok ? 0 : 1;
}
