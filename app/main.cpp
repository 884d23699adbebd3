#include "app/program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Mandorin");
    QApplication::setApplicationDisplayName("Mandorin");

    Program program;
    program.Form1.show();
    return application.exec();
}
