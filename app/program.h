#pragma once

#include "app/exact_analysis_window.h"
#include "app/hardness_window.h"
#include "app/help_window.h"
#include "app/heuristic_window.h"
#include "app/main_window.h"
#include "app/practice_window.h"
#include "app/progress_window.h"
#include "app/step_play_window.h"
#include "app/version_window.h"
#include "app/window_places.h"

// All windows of the program, created in their fixed order: the main window
// first (its creation sets up the graph), then help, version, progress and
// heuristic windows, then the exact analysis, the step-by-step play, the
// practice window and "Warum schwer?".
struct Program {
    // settings keeps the places of the windows without a fixed one between
    // runs; without it they start afresh each time.
    explicit Program(QSettings* settings = nullptr);

    MainWindow mainWindow;
    HelpWindow helpWindow;
    VersionWindow versionWindow;
    ProgressWindow progressWindow;
    HeuristicWindow heuristicWindow;
    ExactAnalysisWindow exactAnalysisWindow;
    StepPlayWindow stepPlayWindow;
    PracticeWindow practiceWindow;
    HardnessWindow hardnessWindow;
    // Last, so that it keeps the places while the windows still stand.
    WindowPlaces windowPlaces;
};
