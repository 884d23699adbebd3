#pragma once

#include "app/program.h"

#include <QTest>

inline void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a radio item on its indicator, as a user would.
inline void clickItem(TRadioGroup* group, int index) {
    QRadioButton* item = group->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

// Shows the window and waits until it can take clicks.
inline void showAndWait(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("%s not exposed", qPrintable(window.objectName()));
}

// Clicks the spinner's arrows until it stands at target; false when it cannot
// get there.
inline bool spinTo(TUpDown* upDown, int target) {
    for (int i = 0; i < 20 && upDown->position() != target; ++i)
        click(upDown->position() < target ? upDown->upButton() : upDown->downButton());
    return upDown->position() == target;
}

// The program with its main window shown, driven through the real controls.
// Create the ScriptedDialogs first: the program reports start-up problems.
struct MainWindowDriver {
    Program p;
    TForm1& f = p.Form1;

    MainWindowDriver() { showAndWait(f); }

    void choose(int item) { clickItem(f.RadioGroup1, item); }
    // "Knoten" at the grid position UpDown4 is spun to.
    bool place(int position) {
        if (!spinTo(f.UpDown4, position))
            return false;
        click(f.Button1);
        return true;
    }
    // "Kante" between the vertices UpDown2 and UpDown3 are spun to.
    bool edge(int a, int b) {
        if (!spinTo(f.UpDown2, a) || !spinTo(f.UpDown3, b))
            return false;
        click(f.Button2);
        return true;
    }
};
