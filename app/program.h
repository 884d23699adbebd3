#pragma once

#include "app/exact_analysis_window.h"
#include "app/hardness_window.h"
#include "app/help_window.h"
#include "app/heuristic_window.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/step_play_window.h"
#include "app/version_window.h"

// All windows of the program, created in their fixed order: the main window
// first (its creation sets up the graph), then help, version, progress and
// heuristic windows, then the exact analysis, the step-by-step play and "Warum
// schwer?".
struct Program {
    Program();

    MainWindow mainWindow;
    HelpWindow helpWindow;
    VersionWindow versionWindow;
    ProgressWindow progressWindow;
    HeuristicWindow heuristicWindow;
    ExactAnalysisWindow exactAnalysisWindow;
    StepPlayWindow stepPlayWindow;
    HardnessWindow hardnessWindow;
};
