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

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    Program program;
    TForm1& main = program.Form1;
    main.show();
    main.BitBtn6->click();
    main.Button3->click();
    main.Button5->click();
    main.UpDown1->setPosition(4);
    main.UpDown1Click();
    main.BitBtn7->click();
    bool ok = shoot(main, out, "main-window.png");

    ok = shoot(program.Form2, out, "help-window.png") && ok;
    ok = shoot(program.Form3, out, "version-window.png") && ok;

    program.Form4.setMaximum(100);
    program.Form4.setPosition(60);
    ok = shoot(program.Form4, out, "progress-window.png") && ok;
    program.Form4.close();

    main.BitBtn10->click();
    program.Form6.BitBtn1->click();
    ok = shoot(program.Form6, out, "heuristic-window.png") && ok;

    main.ButtonExact->click();
    ok = shoot(program.FormExact, out, "exact-window.png") && ok;
    return ok ? 0 : 1;
}
