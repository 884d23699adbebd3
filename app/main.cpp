#include "app/program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Mandorin");
    QApplication::setApplicationDisplayName("Mandorin");

    Program program;
    program.mainWindow.show();
    return application.exec();
}
