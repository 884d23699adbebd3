#pragma once

#include "app/program.h"
#include "support/controls.h"

#include <QTest>

// What the main window keeps to itself, opened for tests that set up a state
// no user action reaches directly.
struct MainWindowTestAccess {
    static GraphStore& store(MainWindow& window) { return window.m_store; }
    static CliqueList& cliques(MainWindow& window) { return window.m_cliques; }
    static PositionGrid& grid(MainWindow& window) { return window.m_grid; }
    static void showCliqueList(MainWindow& window) { window.showCliqueList(); }
};

inline GraphStore& storeOf(MainWindow& window) {
    return MainWindowTestAccess::store(window);
}
inline const GraphStore& storeOf(const MainWindow& window) {
    return window.graphStore();
}
inline CliqueList& cliquesOf(MainWindow& window) {
    return MainWindowTestAccess::cliques(window);
}
inline const CliqueList& cliquesOf(const MainWindow& window) {
    return window.cliqueList();
}
inline PositionGrid& gridOf(MainWindow& window) {
    return MainWindowTestAccess::grid(window);
}
inline const PositionGrid& gridOf(const MainWindow& window) {
    return window.positionGrid();
}
inline void showCliqueListOf(MainWindow& window) {
    MainWindowTestAccess::showCliqueList(window);
}

// The entries of a store's list as text.
inline QStringList listTexts(const TextList& list) {
    QStringList texts;
    for (const QByteArray& entry : list)
        texts.append(QString::fromLatin1(entry));
    return texts;
}

inline void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a radio item on its indicator, as a user would.
inline void clickItem(ChoiceGroup* group, int index) {
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
inline bool spinTo(StepArrows* upDown, int target) {
    for (int i = 0; i < 20 && upDown->position() != target; ++i)
        click(upDown->position() < target ? upDown->upButton() : upDown->downButton());
    return upDown->position() == target;
}

// The program with its main window shown, driven through the real controls.
// Create the ScriptedDialogs first: the program reports start-up problems.
struct MainWindowDriver {
    Program p;
    MainWindow& f = p.mainWindow;

    MainWindowDriver() { showAndWait(f); }

    void choose(int item) { clickItem(control<ChoiceGroup>(f, "RadioGroup1"), item); }
    // "Knoten" at the grid position UpDown4 is spun to.
    bool place(int position) {
        if (!spinTo(control<StepArrows>(f, "UpDown4"), position))
            return false;
        click(control<QPushButton>(f, "Button1"));
        return true;
    }
    // "Kante" between the vertices UpDown2 and UpDown3 are spun to.
    bool edge(int a, int b) {
        if (!spinTo(control<StepArrows>(f, "UpDown2"), a) ||
            !spinTo(control<StepArrows>(f, "UpDown3"), b))
            return false;
        click(control<QPushButton>(f, "Button2"));
        return true;
    }
};
