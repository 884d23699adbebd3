#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

QWidget* windowNamed(Program& p, const QString& name) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             &p.mainWindow, &p.helpWindow, &p.versionWindow, &p.progressWindow, &p.heuristicWindow,
             &p.exactAnalysisWindow, &p.practiceWindow, &p.hardnessWindow})
        if (w->objectName() == name)
            return w;
    qFatal("no window %s", qPrintable(name));
}

// The window's controls in the order Tab visits them (those not shown or
// enabled just now are skipped by Tab, but keep their place).
QStringList focusChain(QWidget* window) {
    QStringList names;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus)
            names.append(w->objectName());
    return names;
}

// The control that has (or, in a window not active, will have) the focus.
QString focused(const QWidget* window) {
    return window->focusWidget() ? window->focusWidget()->objectName() : "none";
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void tabFollowsRows_data();
    void tabFollowsRows();
    void tabKeys();
    void arrowKeysStep_data();
    void arrowKeysStep();
    void enterAndEscapeInMainWindow_data();
    void enterAndEscapeInMainWindow();
    void enterAndEscapeInHeuristicWindow();
    void escapeClosesSideWindows_data();
    void escapeClosesSideWindows();
};

// Within each parent, the rows of the window's layout, top to bottom; the
// output fields are no stops.
void TestKeyboard::tabFollowsRows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("main") << "Form1"
                          << QStringList{
                                 // Panel1 > GroupBox1: RadioGroup1, GroupBox7, then its buttons.
                                 "Item0", "Item1", "Item2", "Button2", "Button1", "UpDown2",
                                 "UpDown3", "UpDown4", "BitBtn11", "ButtonUndo", "ButtonRedo",
                                 "BitBtn10", "BitBtn4", "BitBtn5", "ButtonOpen", "ButtonSaveDimacs",
                                 // GroupBox2: ListBox1, GroupBox3, BitBtn6, GroupBox5, BitBtn9.
                                 "ListBox1", "Button3", "Button4", "Button5", "BitBtn6", "UpDown1",
                                 "BitBtn7", "BitBtn9",
                                 // The bottom row of Panel1.
                                 "BitBtn1", "BitBtn2", "BitBtn3", "BitBtn8", "ButtonExact",
                                 "ButtonSteps", "ButtonTry", "ButtonHard"};
    QTest::newRow("help") << "Form2" << QStringList{"BitBtn1", "TMemo1"};
    QTest::newRow("version") << "Form3" << QStringList{"Memo1", "BitBtn1"};
    QTest::newRow("progress") << "Form4" << QStringList{};
    QTest::newRow("heuristic") << "Form6" << QStringList{"TrackBar1", "UpDown2", "UpDown1",
                                                         "BitBtn1",   "BitBtn2", "BitBtn3"};
    QTest::newRow("exact analysis")
        << "FormExact" << QStringList{"TableCliques",  "ButtonWhyNotLarger", "TableBranches",
                                      "ButtonRefresh", "ButtonCancel",       "ButtonClose"};
    // A spin box's own field follows it.
    const QString spinField = "qt_spinbox_lineedit";
    QTest::newRow("practice")
        << "FormTry"
        << QStringList{"EditChoice",        "ButtonClear", "CheckComplement", "ComboKind",
                       "ComboLevel",        "SpinNumber",  spinField,         "ButtonSet",
                       "ButtonNew",         "Item0",       "Item1",           "SpinCount",
                       spinField,           "ButtonCheck", "ButtonTip",       "ButtonSolution",
                       "ButtonSavePicture", "ButtonPrint", "ButtonClose"};
    // The tab bar first, then both pages in their rows; a spin box's own line
    // edit follows it.
    QTest::newRow("why hard")
        << "FormHardness"
        << QString("TabsHardness qt_tabwidget_tabbar ScrollLeftButton ScrollRightButton "
                   "EditFormula ButtonBuild ButtonExampleSatisfiable ButtonExampleUnsatisfiable "
                   "ButtonSearch ButtonTakeOver SpinFrom qt_spinbox_lineedit SpinTo "
                   "qt_spinbox_lineedit SpinStep qt_spinbox_lineedit SpinDensity "
                   "qt_spinbox_lineedit SpinRepetitions qt_spinbox_lineedit SpinSeed "
                   "qt_spinbox_lineedit SpinTimeLimit qt_spinbox_lineedit ButtonMeasure "
                   "ButtonCancel TableGrowth ButtonSaveCsv ButtonSaveImage ButtonClose")
               .split(' ');
}

void TestKeyboard::tabFollowsRows() {
    QFETCH(QString, window);
    QFETCH(QStringList, chain);
    ScriptedDialogs dialogs;
    Program p;
    QCOMPARE(focusChain(windowNamed(p, window)), chain);
}

// The keys themselves, on the main window after a search: every control in
// reach once, in row order, and round again.
void TestKeyboard::tabKeys() {
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    click(control<QPushButton>(d.f, "BitBtn6"));
    // The progress window came and went.
    d.f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.f));
    control<QRadioButton>(d.f, "Item0")->setFocus();
    QStringList visited;
    for (int i = 0; i < 18; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focused(&d.f));
    }
    QCOMPARE(visited, (QStringList{"BitBtn10", "ListBox1", "Button3", "Button4", "Button5",
                                   "BitBtn6", "UpDown1", "BitBtn7", "BitBtn9", "BitBtn1", "BitBtn2",
                                   "BitBtn3", "BitBtn8", "ButtonExact", "ButtonSteps", "ButtonTry",
                                   "ButtonHard", "Item0"}));
}

void TestKeyboard::arrowKeysStep_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("arrows");
    QTest::addColumn<QString>("shownIn");
    QTest::newRow("k") << "Form1"
                       << "UpDown1"
                       << "Edit1";
    QTest::newRow("v1") << "Form1"
                        << "UpDown2"
                        << "Edit4";
    QTest::newRow("v2") << "Form1"
                        << "UpDown3"
                        << "Edit5";
    QTest::newRow("Position") << "Form1"
                              << "UpDown4"
                              << "Edit6";
    QTest::newRow("Faktor") << "Form6"
                            << "UpDown1"
                            << "Label3";
    QTest::newRow("Zehnerpotenz") << "Form6"
                                  << "UpDown2"
                                  << "Label2";
}

// With the focus on the arrows, Up and Down step as clicks do, and stop at
// the ends; a click on an arrow gives them the focus.
void TestKeyboard::arrowKeysStep() {
    QFETCH(QString, window);
    QFETCH(QString, arrows);
    QFETCH(QString, shownIn);
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    d.choose(2);
    click(control<QPushButton>(d.f, "BitBtn11")); // DelPos opens the edge arrows
    click(control<QPushButton>(d.f, "BitBtn10"));
    QWidget* w = windowNamed(d.p, window);
    StepArrows* upDown = control<StepArrows>(*w, qPrintable(arrows));
    const auto shown = [&] { return control<QWidget>(*w, qPrintable(shownIn))->property("text"); };
    QSignalSpy stepped(upDown, &StepArrows::stepped);
    const int start = upDown->position();
    QCOMPARE(start, upDown->minimum());

    click(upDown->upButton());
    QCOMPARE(focused(w), arrows);
    QCOMPARE(upDown->position(), start + 1);
    QTest::keyClick(upDown, Qt::Key_Up);
    QCOMPARE(upDown->position(), start + 2);
    QCOMPARE(shown().toString(), QString::number(start + 2));
    QTest::keyClick(upDown, Qt::Key_Down);
    QTest::keyClick(upDown, Qt::Key_Down);
    QTest::keyClick(upDown, Qt::Key_Down);
    QCOMPARE(upDown->position(), start);
    QCOMPARE(shown().toString(), QString::number(start));
    QCOMPARE(stepped.size(), 4);
}

void TestKeyboard::enterAndEscapeInMainWindow_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("searches");
    QTest::newRow("on the k arrows") << "UpDown1" << true;
    QTest::newRow("on a radio item") << "Item1" << true;
    QTest::newRow("in the clique list") << "ListBox1" << true;
    // A button is pressed by Space; Enter leaves it to itself.
    QTest::newRow("on Speichern") << "BitBtn9" << false;
}

// Enter presses "Berechnen!", the window's default button, unless the focus
// is on a button; Escape leaves the main window alone.
void TestKeyboard::enterAndEscapeInMainWindow() {
    QFETCH(QString, focus);
    QFETCH(bool, searches);
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    QVERIFY(QTest::qWaitForWindowActive(&d.f));
    d.choose(1);
    QVERIFY(cliquesOf(d.f).isEmpty());
    QWidget* target = control<QWidget>(d.f, qPrintable(focus));
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(cliquesOf(d.f).size(), searches ? 12 : 0);
    QVERIFY(dialogs.requests.isEmpty());
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(d.f.isVisible());
}

// Enter runs the walk ("Ausführen") and Escape resets ("Reset") while the
// focus is on the arrows, and the window stays open.
void TestKeyboard::enterAndEscapeInHeuristicWindow() {
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    click(control<QPushButton>(d.f, "BitBtn10"));
    HeuristicWindow& h = d.p.heuristicWindow;
    StepArrows* factor = control<StepArrows>(h, "UpDown1");
    click(factor->upButton());
    QCOMPARE(focused(&h), QString("UpDown1"));
    QTest::keyClick(factor, Qt::Key_Return);
    QVERIFY(!control<PictureArea>(h, "Image1")->isEmpty());
    QCOMPARE(h.iterations(), 200);
    QTest::keyClick(factor, Qt::Key_Escape);
    QVERIFY(control<PictureArea>(h, "Image1")->isEmpty());
    QCOMPARE(h.iterations(), 100);
    QVERIFY(h.isVisible());
}

void TestKeyboard::escapeClosesSideWindows_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");
    QTest::newRow("help, in the text") << "BitBtn1"
                                       << "Form2"
                                       << "TMemo1";
    QTest::newRow("help, on Schließen") << "BitBtn1"
                                        << "Form2"
                                        << "BitBtn1";
    QTest::newRow("version, in the text") << "BitBtn2"
                                          << "Form3"
                                          << "Memo1";
    QTest::newRow("exact analysis, in the table") << "ButtonExact"
                                                  << "FormExact"
                                                  << "TableCliques";
    QTest::newRow("exact analysis, on Aktualisieren") << "ButtonExact"
                                                      << "FormExact"
                                                      << "ButtonRefresh";
    QTest::newRow("why hard, in the formula") << "ButtonHard"
                                              << "FormHardness"
                                              << "EditFormula";
}

void TestKeyboard::escapeClosesSideWindows() {
    QFETCH(QString, opener);
    QFETCH(QString, window);
    QFETCH(QString, focus);
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    click(control<QPushButton>(d.f, qPrintable(opener)));
    QWidget* w = windowNamed(d.p, window);
    QVERIFY(w->isVisible());
    QWidget* target = control<QWidget>(*w, qPrintable(focus));
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(d.f.isVisible());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
