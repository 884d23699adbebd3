#pragma once

#include "app/unit1.h"
#include "app/unit2.h"
#include "app/unit3.h"
#include "app/unit4.h"
#include "app/unit6.h"
#include "app/unit7.h"

// All windows of the program, created in their fixed order: the main window
// first (its creation sets up the graph), then help, version, progress and
// heuristic windows, and last the exact analysis.
struct Program {
    Program();

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    TForm4 Form4;
    TForm6 Form6;
    // The exact analysis beside the greedy search.
    TFormExact FormExact;
};
