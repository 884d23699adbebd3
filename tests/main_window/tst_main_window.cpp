#include "graph/sample_graphs.h"
#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;
Q_DECLARE_METATYPE(Lines)

namespace {

const char* const kChildVariable = "MANDORIN_STARTUP_CHILD";

const Lines kCliques1{"(0-1-3-4)", "(0-1-3)",   "(0-1)",   "(1-0-3-4)", "(1-0-3)",
                      "(1-0)",     "(2-4-5)",   "(2-4)",   "(3-0-1-4)", "(3-0-1)",
                      "(3-0)",     "(4-0-1-3)", "(4-0-1)", "(4-0)",     "(5-2-4)",
                      "(5-2)",     "(6-7)",     "(7-4)",   "(8-5)"};
const Lines kCliques2{"(0-1-2)",   "(0-1-3-4)", "(1-0-2)", "(1-0-3-4)", "(2-0-1)", "(2-0)",
                      "(3-0-1-4)", "(3-0-1)",   "(3-0)",   "(4-0-1-3)", "(4-0-1)", "(4-0)"};

Lines labels(int k) {
    return Lines(sampleGraph(k).labels.begin(), sampleGraph(k).labels.end());
}

Lines edges(int k) {
    return Lines(sampleGraph(k).edges.begin(), sampleGraph(k).edges.end());
}

Lines listTexts(const QListWidget* list) {
    Lines texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text().toLatin1());
    return texts;
}

QString caption(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    return QString();
}

QString flags(std::initializer_list<bool> values) {
    QString text;
    for (bool value : values)
        text += value ? '1' : '0';
    return text;
}

// What Reset sets, in one line.
QString resetState(const MainWindow& f) {
    const bool red = control<Lamp>(f, "Shape1")->colour() == Colours::Red &&
                     control<Lamp>(f, "Shape2")->colour() == Colours::Red &&
                     control<Lamp>(f, "Shape3")->colour() == Colours::Red;
    return QString("item %1, picture %2, list %3, enabled %4, edits %5, spinners %6 %7 %8, lamps "
                   "%9, hidden %10, store %11 %12 %13, counts %14 %15")
        .arg(control<ChoiceGroup>(f, "RadioGroup1")->itemIndex())
        .arg(control<PictureArea>(f, "Image1")->isEmpty() ? "none" : "some")
        .arg(control<QListWidget>(f, "ListBox1")->count())
        .arg(flags({control<QPushButton>(f, "Button3")->isEnabled(),
                    control<QPushButton>(f, "Button4")->isEnabled(),
                    control<QPushButton>(f, "Button5")->isEnabled(),
                    control<QPushButton>(f, "BitBtn7")->isEnabled(),
                    control<QPushButton>(f, "BitBtn6")->isEnabled()}))
        .arg(QStringList{
            control<QLineEdit>(f, "Edit1")->text(), control<QLineEdit>(f, "Edit2")->text(),
            control<QLineEdit>(f, "Edit3")->text(), control<QLineEdit>(f, "Edit4")->text(),
            control<QLineEdit>(f, "Edit5")->text()}
                 .join('/'))
        .arg(control<StepArrows>(f, "UpDown1")->position())
        .arg(control<StepArrows>(f, "UpDown2")->position())
        .arg(control<StepArrows>(f, "UpDown3")->position())
        .arg(red ? "red" : "not red")
        .arg(flags(
            {control<QGroupBox>(f, "GroupBox7")->isHidden(),
             control<QPushButton>(f, "Button1")->isHidden(),
             control<QPushButton>(f, "Button2")->isHidden(),
             control<QPushButton>(f, "BitBtn4")->isHidden(),
             control<QPushButton>(f, "BitBtn5")->isHidden(),
             control<QLabel>(f, "Label1")->isHidden(), control<QLabel>(f, "Label3")->isHidden(),
             control<QLineEdit>(f, "Edit4")->isHidden(), control<QLineEdit>(f, "Edit5")->isHidden(),
             control<StepArrows>(f, "UpDown2")->isHidden(),
             control<StepArrows>(f, "UpDown3")->isHidden()}))
        .arg(storeOf(f).vertices.count())
        .arg(storeOf(f).edges.count())
        .arg(cliquesOf(f).size())
        .arg(storeOf(f).vertexCount)
        .arg(storeOf(f).edgeCount);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dialogs.messages.clear();
        program = std::make_unique<Program>();
    }
    void cleanup() { program.reset(); }
    void startUp();
    void layout_data();
    void layout();
    void graphChoice();
    void reset_data();
    void reset();
    void compute_data();
    void compute();
    void computeTwiceShowsAll();
    void startUpWithMissingFile_data();
    void startUpWithMissingFile();
    void closeButtonClosesWindow();
    void enterPressesDefaultButton_data();
    void enterPressesDefaultButton();
    void enterAfterSearchSearchesAgain_data();
    void enterAfterSearchSearchesAgain();

private:
    // Shows the main window of a fresh program.
    MainWindow& shown() {
        program->mainWindow.show();
        if (!QTest::qWaitForWindowExposed(&program->mainWindow))
            qWarning("main window not exposed");
        return program->mainWindow;
    }
    // No message box may block a test.
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
};

void TestMainWindow::startUp() {
    const MainWindow& f = program->mainWindow;
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(f.windowTitle(), QString("Mandorin"));
    QCOMPARE(f.pos(), QPoint(-5, 262));
    QCOMPARE(storeOf(f).vertices.entries(), labels(1));
    QCOMPARE(storeOf(f).edges.entries(), edges(1));
    QCOMPARE(storeOf(f).edges.last(), QByteArray("6-7"));
    QCOMPARE(control<ChoiceGroup>(f, "RadioGroup1")->itemIndex(), 0);
    QCOMPARE(control<PictureArea>(f, "Image1")->picture().size(), QSize(550, 300));
    QCOMPARE(gridOf(f).xCoordinates.count(), 15);
    QCOMPARE(resetState(f),
             "item 0, picture some, list 0, enabled 00001, edits 1///0/0, spinners 1 "
             "0 0, lamps red, hidden 11111111111, store 9 13 0, counts 9 13");
    // Label2 and Edit6 hide too; UpDown4 and DelPos only through their group.
    QVERIFY(control<QLabel>(f, "Label2")->isHidden() && control<QLineEdit>(f, "Edit6")->isHidden());
    QVERIFY(control<StepArrows>(f, "UpDown4")->isVisibleTo(control<QGroupBox>(f, "GroupBox7")) &&
            control<QPushButton>(f, "BitBtn11")->isVisibleTo(control<QGroupBox>(f, "GroupBox7")));
    for (QWidget* on : std::initializer_list<QWidget*>{
             control<QPushButton>(f, "BitBtn1"), control<QPushButton>(f, "BitBtn2"),
             control<QPushButton>(f, "BitBtn3"), control<QPushButton>(f, "BitBtn8"),
             control<QPushButton>(f, "BitBtn9"), control<QPushButton>(f, "BitBtn10"),
             control<StepArrows>(f, "UpDown1"), control<QPushButton>(f, "Button1"),
             control<QPushButton>(f, "Button2")})
        QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
    for (QWidget* off : std::initializer_list<QWidget*>{
             control<QLineEdit>(f, "Edit1"), control<QLineEdit>(f, "Edit2"),
             control<QLineEdit>(f, "Edit3"), control<QLineEdit>(f, "Edit4"),
             control<QLineEdit>(f, "Edit5"), control<QLineEdit>(f, "Edit6")})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    QCOMPARE(control<StepArrows>(f, "UpDown1")->minimum(), 1);
    QCOMPARE(control<StepArrows>(f, "UpDown1")->maximum(), 15);
    QCOMPARE(control<StepArrows>(f, "UpDown2")->maximum(), 14);
    // Only the main window shows; the others exist hidden.
    const Program& p = *program;
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             &p.helpWindow, &p.versionWindow, &p.progressWindow, &p.heuristicWindow})
        QVERIFY(window->isHidden());
    QCOMPARE(p.progressWindow.windowTitle(), QString("Mandorin: Fortschritt"));
    QCOMPARE(p.progressWindow.pos(), QPoint(637, 335));
    QCOMPARE(control<QProgressBar>(p.progressWindow, "ProgressBar1")->maximum(), 100);
    QCOMPARE(control<QProgressBar>(p.progressWindow, "ProgressBar1")->value(), 0);
}

void TestMainWindow::layout_data() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour"); // invalid: not checked
    auto row = [](const char* name, const char* parent, QRect geometry, const char* caption,
                  int pixelSize, bool bold = false, QColor colour = {}) {
        QTest::newRow(name) << QString(parent) << geometry << QString(caption) << pixelSize << bold
                            << colour;
    };
    row("Form1.Panel1", "Form1", {8, 8, 1185, 625}, "", 11);
    row("Form1.StaticText1", "Panel1", {328, 16, 587, 26},
        "Berechnung maximaler Cliquen in ungerichteten Graphen", 19, true, Colours::Green);
    row("Form1.GroupBox1", "Panel1", {8, 48, 569, 529}, "Graphen", 11);
    row("Form1.BitBtn3", "Panel1", {832, 592, 97, 25}, "S&chließen", 11);
    row("Form1.BitBtn8", "Panel1", {752, 592, 75, 25}, "Reset", 11);
    row("Form1.Image1", "GroupBox1", {8, 184, 550, 300}, "", 11);
    row("Form1.RadioGroup1", "GroupBox1", {8, 24, 257, 113}, "Graphen-Auswahl", 11);
    row("Form1.StaticText3", "GroupBox1", {8, 152, 220, 21}, "Darstellung des Graphen:", 15, false,
        Colours::Red);
    row("Form1.GroupBox7", "GroupBox1", {280, 16, 281, 121}, "Graphen-Werkzeuge", 11);
    row("Form1.Label2", "GroupBox7", {8, 28, 99, 21}, "Position:", 19);
    row("Form1.Edit4", "GroupBox7", {48, 88, 33, 25}, "0", 15);
    row("Form1.BitBtn11", "GroupBox7", {8, 56, 97, 25}, "DelPos", 11);
    row("Form1.ListBox1", "GroupBox2", {8, 48, 201, 441}, "", 16);
    row("Form1.BitBtn6", "GroupBox2", {216, 320, 361, 33}, "Berechnen!", 15, true, Colours::Red);
    row("Form1.Button3", "GroupBox3", {8, 24, 137, 25}, "Redundanz vermeiden", 11);
    row("Form1.Shape3", "GroupBox4", {8, 72, 17, 17}, "", 11);
    row("Form1.StaticText7", "GroupBox4", {32, 24, 144, 18}, "Redundanzvermeidung ", 11);
    row("Form1.StaticText5", "GroupBox5", {8, 24, 180, 26}, "Mandorin:", 19, true, Colours::Red);
    row("Form1.StaticText6", "GroupBox5", {8, 96, 32, 31}, "k=", 24, true);
    row("Form1.Edit1", "GroupBox5", {48, 88, 41, 35}, "1", 24);
    row("Form1.BitBtn7", "GroupBox5", {32, 136, 305, 33}, "Beantworten!", 15, true, Colours::Red);
    row("Form1.StaticText12", "GroupBox5", {8, 56, 238, 21}, "Mindestgröße einer Clique:", 15);
    row("Form1.Edit3", "GroupBox6", {176, 64, 65, 26}, "", 16);
    row("Form4.Panel1", "Form4", {8, 8, 473, 105}, "", 11);
    row("Form4.StaticText1", "Panel1", {8, 8, 234, 22}, "Berechnungs-Fortschritt", 16, false,
        Colours::Red);
    row("Form4.ProgressBar1", "Panel1", {16, 40, 441, 17}, "", 11);
    row("Form4.StaticText2", "Panel1", {288, 71, 169, 26}, "Bitte warten...", 19, true);
}

void TestMainWindow::layout() {
    const QString tag = QTest::currentDataTag();
    QWidget* window = tag.startsWith("Form1") ? static_cast<QWidget*>(&program->mainWindow)
                                              : static_cast<QWidget*>(&program->progressWindow);
    auto* widget = window->findChild<QWidget*>(tag.section('.', 1));
    QVERIFY(widget);
    QTEST(widget->parentWidget()->objectName(), "parent");
    QTEST(widget->geometry(), "geometry");
    QTEST(caption(widget), "caption");
    QTEST(widget->font().pixelSize(), "pixelSize");
    QTEST(widget->font().bold(), "bold");
    QFETCH(QColor, colour);
    if (colour.isValid()) {
        const bool button = qobject_cast<QAbstractButton*>(widget);
        // The form's colour is the enabled one; disabled captions grey.
        QCOMPARE(widget->palette().color(QPalette::Active,
                                         button ? QPalette::ButtonText : QPalette::WindowText),
                 colour);
    }
    if (tag == "Form1.ListBox1") {
        QCOMPARE(widget->palette().color(QPalette::Base), Colours::Navy);
        QCOMPARE(widget->palette().color(QPalette::Text), Colours::Yellow);
    }
}

void TestMainWindow::graphChoice() {
    MainWindow& f = shown();
    QCOMPARE(control<ChoiceGroup>(f, "RadioGroup1")->item(1)->text(),
             QString("Beispiel-Graph (2): 5 Knoten"));
    // Results of a search and a lit lamp are cleared by the choice; the result
    // buttons keep what the search gave them.
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    control<Lamp>(f, "Shape1")->setColour(Colours::Green);
    clickItem(control<ChoiceGroup>(f, "RadioGroup1"), 1);
    QCOMPARE(storeOf(f).edges.entries(),
             Lines({"0-1", "0-4", "0-3", "0-2", "3-1", "3-4", "4-1", "1-2"}));
    QCOMPARE(resetState(f),
             "item 1, picture some, list 0, enabled 11111, edits 1///0/0, spinners 1 "
             "0 0, lamps red, hidden 11111111111, store 5 8 0, counts 5 8");

    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    clickItem(control<ChoiceGroup>(f, "RadioGroup1"), 0);
    QCOMPARE(storeOf(f).vertices.entries(), labels(1));
    QCOMPARE(storeOf(f).edges.entries(), edges(1));
    QCOMPARE(resetState(f),
             "item 0, picture some, list 0, enabled 11111, edits 1///0/0, spinners 1 "
             "0 0, lamps red, hidden 11111111111, store 9 13 0, counts 9 13");

    // Clicking the selected item again runs nothing.
    cliquesOf(f).append(Clique{{"0", "1"}});
    clickItem(control<ChoiceGroup>(f, "RadioGroup1"), 0);
    QCOMPARE(cliquesOf(f).size(), 1);

    clickItem(control<ChoiceGroup>(f, "RadioGroup1"), 2);
    QCOMPARE(control<ChoiceGroup>(f, "RadioGroup1")->itemIndex(), 2);
    QVERIFY(storeOf(f).vertices.isEmpty() && storeOf(f).edges.isEmpty() && cliquesOf(f).isEmpty());
    QCOMPARE(storeOf(f).vertexCount, 0);
    QCOMPARE(storeOf(f).edgeCount, 0);
}

void TestMainWindow::reset_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<Lines>("vertices");
    QTest::newRow("then sample graph 1") << 0 << labels(1);
    QTest::newRow("then sample graph 2") << 1 << labels(2);
    QTest::newRow("then editor") << 2 << Lines{};
}

void TestMainWindow::reset() {
    MainWindow& f = shown();
    // Leave traces everywhere that Reset restores.
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    control<Lamp>(f, "Shape2")->setColour(Colours::Green);
    control<QLineEdit>(f, "Edit1")->setText("4");
    control<StepArrows>(f, "UpDown1")->setPosition(4);
    control<QLineEdit>(f, "Edit2")->setText("Ja");
    control<QLineEdit>(f, "Edit3")->setText("4");
    control<QLineEdit>(f, "Edit4")->setText("3");
    control<StepArrows>(f, "UpDown2")->setPosition(3);
    control<StepArrows>(f, "UpDown3")->setPosition(5);
    for (QWidget* tool : std::initializer_list<QWidget*>{
             control<QGroupBox>(f, "GroupBox7"), control<QPushButton>(f, "Button1"),
             control<QPushButton>(f, "BitBtn4"), control<QLineEdit>(f, "Edit4"),
             control<QLabel>(f, "Label1"), control<StepArrows>(f, "UpDown3")})
        tool->show();

    const QString afterReset = "item -1, picture none, list 0, enabled 00001, edits 1///0/0, "
                               "spinners 1 0 0, lamps red, hidden 11111111111, store 0 0 0, "
                               "counts 0 0";
    QTest::mouseClick(control<QPushButton>(f, "BitBtn8"), Qt::LeftButton);
    QCOMPARE(resetState(f), afterReset);
    QTest::mouseClick(control<QPushButton>(f, "BitBtn8"), Qt::LeftButton);
    QCOMPARE(resetState(f), afterReset);

    // "Berechnen!" on the empty graph finds nothing and breaks nothing.
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    QCOMPARE(control<QListWidget>(f, "ListBox1")->count(), 0);
    QCOMPARE(control<QProgressBar>(program->progressWindow, "ProgressBar1")->maximum(), 0);
    QVERIFY(program->progressWindow.isHidden());

    // With no item selected, a click on any item runs the choice.
    QFETCH(int, item);
    cliquesOf(f).append(Clique{{"0", "1"}});
    control<QListWidget>(f, "ListBox1")->addItem("(0-1)");
    clickItem(control<ChoiceGroup>(f, "RadioGroup1"), item);
    QCOMPARE(control<ChoiceGroup>(f, "RadioGroup1")->itemIndex(), item);
    QVERIFY(cliquesOf(f).isEmpty());
    QCOMPARE(control<QListWidget>(f, "ListBox1")->count(), 0);
    QTEST(storeOf(f).vertices.entries(), "vertices");
}

void TestMainWindow::compute_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<Lines>("vertices"); // replace the graph when not empty
    QTest::addColumn<Lines>("edges");
    QTest::addColumn<Lines>("cliques");
    QTest::addColumn<Lines>("verticesAfter");
    QTest::newRow("sample graph 1") << 0 << Lines{} << Lines{} << kCliques1 << labels(1);
    QTest::newRow("sample graph 2") << 1 << Lines{} << Lines{} << kCliques2 << labels(2);
    QTest::newRow("isolated vertex")
        << 0 << Lines{"0", "1", "2"} << Lines{"0-1"} << Lines{"(0-1)", "(1-0)"} << Lines{"0", "1"};
}

void TestMainWindow::compute() {
    QFETCH(int, item);
    QFETCH(Lines, vertices);
    QFETCH(Lines, verticesAfter);
    MainWindow& f = shown();
    ProgressWindow& progress = program->progressWindow;
    if (item != 0)
        clickItem(control<ChoiceGroup>(f, "RadioGroup1"), item);
    if (!vertices.isEmpty()) {
        QFETCH(Lines, edges);
        storeOf(f).vertices = TextList(vertices);
        storeOf(f).edges = TextList(edges);
    }
    control<Lamp>(f, "Shape1")->setColour(Colours::Green);
    control<QListWidget>(f, "ListBox1")->addItem("left over");
    // The progress window shows while the search runs.
    QList<bool> shownWhileRunning;
    connect(control<QProgressBar>(progress, "ProgressBar1"), &QProgressBar::valueChanged, this,
            [&] { shownWhileRunning.append(progress.isVisible()); });

    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    QTEST(listTexts(control<QListWidget>(f, "ListBox1")), "cliques");
    QTEST(storeOf(f).vertices.entries(), "verticesAfter");
    const int n = int(verticesAfter.size());
    QCOMPARE(resetState(f).section(", ", 3, 6),
             "enabled 11111, edits 1///0/0, spinners 1 0 0, lamps red");
    QCOMPARE(storeOf(f).vertexCount, n);
    QCOMPARE(storeOf(f).edgeCount, storeOf(f).edges.count());
    QVERIFY(progress.isHidden());
    QCOMPARE(control<QProgressBar>(progress, "ProgressBar1")->maximum(), n);
    QCOMPARE(control<QProgressBar>(progress, "ProgressBar1")->value(), n);
    QCOMPARE(shownWhileRunning, QList<bool>(n, true));
}

void TestMainWindow::computeTwiceShowsAll() {
    MainWindow& f = shown();
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    QCOMPARE(listTexts(control<QListWidget>(f, "ListBox1")), kCliques1 + kCliques1);
    QCOMPARE(cliquesOf(f).size(), 38);
    // Rows 18 pixels apart.
    QCOMPARE(control<QListWidget>(f, "ListBox1")
                     ->visualItemRect(control<QListWidget>(f, "ListBox1")->item(1))
                     .top() -
                 control<QListWidget>(f, "ListBox1")
                     ->visualItemRect(control<QListWidget>(f, "ListBox1")->item(0))
                     .top(),
             18);
}

void TestMainWindow::startUpWithMissingFile_data() {
    QTest::addColumn<QString>("missing");
    QTest::newRow("picture") << "beispiel-graph_01.bmp";
    QTest::newRow("icon") << "icon.ico";
}

void TestMainWindow::startUpWithMissingFile() {
    QFETCH(QString, missing);
    if (!qEnvironmentVariableIsSet(kChildVariable)) {
        // Taking a file away from the shared build folder would disturb tests
        // running beside this one, so a copy of this test runs from a folder
        // that lacks the file.
        QTemporaryDir dir;
        const QString self = QCoreApplication::applicationFilePath();
        const QString copy = dir.filePath(QFileInfo(self).fileName());
        QVERIFY(QFile::copy(self, copy));
        for (const QString asset : {"icon.ico", "beispiel-graph_01.bmp", "beispiel-graph_02.bmp"})
            if (asset != missing)
                QVERIFY(QFile::copy(programDirectory() + asset, dir.filePath(asset)));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kChildVariable, "1");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const QString function = QString("startUpWithMissingFile:") + QTest::currentDataTag();
        child.start(copy, {function});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                     output.contains(QByteArray("PASS   : TestMainWindow::") +
                                     QTest::currentTestFunction() + '(' + QTest::currentDataTag() +
                                     ')'),
                 output.constData());
        return;
    }

    const QString path = programDirectory() + missing;
    QVERIFY(!QFile::exists(path));
    const MainWindow& f = program->mainWindow;
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].caption, Texts::FehlerCaption);
    QCOMPARE(dialogs.messages[0].text, Texts::cannotLoadPicture(path));
    QVERIFY(dialogs.messages[0].text.contains(missing));
    // Start-up went on: the graph is there, the grid is set up.
    QCOMPARE(storeOf(f).vertices.entries(), labels(1));
    QCOMPARE(storeOf(f).edges.entries(), edges(1));
    QCOMPARE(storeOf(f).vertexCount, 9);
    QCOMPARE(storeOf(f).edgeCount, 13);
    QCOMPARE(gridOf(f).yCoordinates.count(), 15);
    QCOMPARE(control<PictureArea>(f, "Image1")->isEmpty(), missing == "beispiel-graph_01.bmp");
}

void TestMainWindow::closeButtonClosesWindow() {
    MainWindow& f = shown();
    QTest::mouseClick(control<QPushButton>(f, "BitBtn3"), Qt::LeftButton);
    QVERIFY(f.isHidden());
}

void TestMainWindow::enterPressesDefaultButton_data() {
    QTest::addColumn<bool>("resetFirst");
    QTest::addColumn<int>("expectedEntries");
    // "Berechnen!" is always enabled, so Enter in the list runs the search.
    QTest::newRow("sample graph 1") << false << 19;
    // After Reset the graph is empty: the search runs and finds nothing.
    QTest::newRow("after reset") << true << 0;
}

void TestMainWindow::enterPressesDefaultButton() {
    QFETCH(bool, resetFirst);
    QFETCH(int, expectedEntries);
    MainWindow& f = shown();
    if (resetFirst)
        QTest::mouseClick(control<QPushButton>(f, "BitBtn8"), Qt::LeftButton);
    control<QListWidget>(f, "ListBox1")->setFocus();
    QTest::keyClick(control<QListWidget>(f, "ListBox1"), Qt::Key_Return);
    QCOMPARE(control<QListWidget>(f, "ListBox1")->count(), expectedEntries);
    QVERIFY(control<QPushButton>(f, "BitBtn7")->isEnabled());
}

void TestMainWindow::enterAfterSearchSearchesAgain_data() {
    QTest::addColumn<bool>("inList"); // else the window itself has the key
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return in the list") << true << Qt::Key_Return;
    QTest::newRow("Enter in the list") << true << Qt::Key_Enter;
    QTest::newRow("Return in the window") << false << Qt::Key_Return;
    QTest::newRow("Enter in the window") << false << Qt::Key_Enter;
}

// Once "Berechnen!" has run, "Beantworten!" is enabled too; Enter still picks
// "Berechnen!": the search runs again (lamps red, its cliques added to the
// list) and no answer is given.
void TestMainWindow::enterAfterSearchSearchesAgain() {
    QFETCH(bool, inList);
    QFETCH(Qt::Key, key);
    MainWindow& f = shown();
    auto* list = control<QListWidget>(f, "ListBox1");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn6"), Qt::LeftButton);
    QVERIFY(control<QPushButton>(f, "BitBtn7")->isEnabled());
    QTest::mouseClick(control<QPushButton>(f, "Button3"), Qt::LeftButton);
    QCOMPARE(control<Lamp>(f, "Shape1")->colour(), Colours::Green);
    const Lines before = listTexts(list);
    QVERIFY(before.size() < kCliques1.size());

    QWidget* target = inList ? static_cast<QWidget*>(list) : &f;
    target->setFocus();
    QTest::keyClick(target, key);
    QCOMPARE(control<Lamp>(f, "Shape1")->colour(), Colours::Red);
    QCOMPARE(listTexts(list), before + kCliques1);
    QCOMPARE(control<QLineEdit>(f, "Edit2")->text(), QString());
    QCOMPARE(control<QLineEdit>(f, "Edit3")->text(), QString());
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
