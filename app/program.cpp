#include "app/program.h"

Program::Program() : Form6(Form1.Store, &Form4), FormExact(Form1) {
    Form1.setAuxiliaryWindows(&Form2, &Form3, &Form4, &Form6);
    AttachExactAnalysis(Form1, FormExact);
    // Only the main window ends the program when it closes.
    for (QWidget* window :
         std::initializer_list<QWidget*>{&Form2, &Form3, &Form4, &Form6, &FormExact})
        window->setAttribute(Qt::WA_QuitOnClose, false);
}
