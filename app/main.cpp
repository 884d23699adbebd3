#include "app/program.h"
#include "app/qt_translation.h"

#include <QApplication>
#include <QSettings>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Mandorin");
    QApplication::setApplicationDisplayName("Mandorin");
    QApplication::setOrganizationName("Mandorin");

    // A German program: Qt's own dialogs and buttons speak German too, when
    // Qt's translation is installed.
    QTranslator qtStrings;
    if (loadGermanQtStrings(qtStrings, qtTranslationsDirectory()))
        QApplication::installTranslator(&qtStrings);

    // Where the windows without a fixed place were left last time.
    QSettings settings;
    Program program(&settings);
    program.mainWindow.show();
    return application.exec();
}
