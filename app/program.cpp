#include "app/program.h"

#include "app/memory_limits.h"

Program::Program(QSettings* settings)
    : heuristicWindow(mainWindow.graphStore(), &progressWindow), exactAnalysisWindow(mainWindow),
      stepPlayWindow(mainWindow), practiceWindow(mainWindow), hardnessWindow(mainWindow),
      windowPlaces(mainWindow, settings) {
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
    QObject::connect(&practiceWindow, &PracticeWindow::greedyRoundRequested, &stepPlayWindow,
                     &StepPlayWindow::playGreedyRoundFrom);
    // Only the main window ends the program when it closes.
    for (QWidget* window : std::initializer_list<QWidget*>{
             &helpWindow, &versionWindow, &progressWindow, &heuristicWindow, &exactAnalysisWindow,
             &stepPlayWindow, &practiceWindow, &hardnessWindow})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    // The windows without a fixed place, in the order they claim room.
    windowPlaces.add(&exactAnalysisWindow);
    windowPlaces.add(&stepPlayWindow);
    windowPlaces.add(&practiceWindow);
    windowPlaces.add(&hardnessWindow);
}
