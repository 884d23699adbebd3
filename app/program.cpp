#include "app/program.h"

#include "app/memory_limits.h"

Program::Program()
    : heuristicWindow(mainWindow.graphStore(), &progressWindow), exactAnalysisWindow(mainWindow),
      stepPlayWindow(mainWindow), hardnessWindow(mainWindow) {
    limitHeldMemory();
    mainWindow.setProgress(&progressWindow);
    QObject::connect(&mainWindow, &MainWindow::helpRequested, &helpWindow,
                     [this] { bringToFront(&helpWindow); });
    QObject::connect(&mainWindow, &MainWindow::versionRequested, &versionWindow,
                     [this] { bringToFront(&versionWindow); });
    QObject::connect(&mainWindow, &MainWindow::heuristicRequested, &heuristicWindow,
                     &HeuristicWindow::openWithEmptyChart);
    QObject::connect(&heuristicWindow, &HeuristicWindow::walkStarting, &mainWindow,
                     &MainWindow::refreshGraphCounts);
    // Only the main window ends the program when it closes.
    for (QWidget* window : std::initializer_list<QWidget*>{
             &helpWindow, &versionWindow, &progressWindow, &heuristicWindow, &exactAnalysisWindow,
             &stepPlayWindow, &hardnessWindow})
        window->setAttribute(Qt::WA_QuitOnClose, false);
}
