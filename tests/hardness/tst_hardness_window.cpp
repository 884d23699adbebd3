#include "cliques/hardness/reduction.h"
#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

#include <QChart>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineSeries>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Session {
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    MainWindow& f = d.f;
    HardnessWindow& h = d.p.hardnessWindow;

    Session() {
        click(control<QPushButton>(f, "ButtonHard"));
        showAndWait(h);
    }
    template <class T = QPushButton> T* at(const char* name) const { return control<T>(h, name); }
    void build(const QString& formula) {
        at<QLineEdit>("EditFormula")->clear();
        QTest::keyClicks(at<QLineEdit>("EditFormula"), formula);
        click(at("ButtonBuild"));
    }
    // Types the value into the spin box, as a user would.
    void enter(const char* spin, int value) {
        QSpinBox* box = at<QSpinBox>(spin);
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void measure(int from, int to, int step, int repetitions, int densityPercent) {
        at<QTabWidget>("TabsHardness")->setCurrentIndex(1);
        enter("SpinTo", to);
        enter("SpinFrom", from);
        enter("SpinStep", step);
        enter("SpinRepetitions", repetitions);
        at<QDoubleSpinBox>("SpinDensity")->setValue(densityPercent / 100.0);
        click(at("ButtonMeasure"));
    }
    QList<int> pointCounts(const char* chart) const {
        QList<int> counts;
        for (QAbstractSeries* series : at<QChartView>(chart)->chart()->series())
            counts.append(int(static_cast<QLineSeries*>(series)->count()));
        return counts;
    }
};

Reduction reductionOf(const QString& formula) {
    return reduceToClique(parseFormula(formula).formula);
}

} // namespace

class TestHardnessWindow : public QObject {
    Q_OBJECT
private slots:
    void buttonOpensTheWindow();
    void formulaToCliqueAndMainWindow_data();
    void formulaToCliqueAndMainWindow();
    void badFormulaChangesNothing();
    void growthRunFillsChartsTableAndFiles();
    void cancelKeepsTheRowsMeasured();
};

void TestHardnessWindow::buttonOpensTheWindow() {
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    QPushButton* button = control<QPushButton>(d.f, "ButtonHard");
    QCOMPARE(button->parentWidget(), control<QFrame>(d.f, "Panel1"));
    QCOMPARE(button->geometry(), QRect(451, 592, 125, 25));
    QCOMPARE(button->text(), "Warum schwer?");
    QCOMPARE(button->font(), control<QPushButton>(d.f, "ButtonSteps")->font());
    QVERIFY(!d.p.hardnessWindow.isVisible());
    click(button);
    QVERIFY(d.p.hardnessWindow.isVisible());
    QVERIFY(!d.p.hardnessWindow.isModal());
    QCOMPARE(d.p.hardnessWindow.windowTitle(), "Mandorin: Warum ist das Cliquenproblem schwer?");
    const QTabWidget* tabs = control<QTabWidget>(d.p.hardnessWindow, "TabsHardness");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), "Von 3-SAT zur Clique");
    QCOMPARE(tabs->tabText(1), "Wachstum");
}

void TestHardnessWindow::formulaToCliqueAndMainWindow_data() {
    QTest::addColumn<QString>("example"); // a button, or none: the formula is typed
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("clauses");
    QTest::addColumn<bool>("satisfiable");
    QTest::newRow("typed, satisfiable") << ""
                                        << "(a | !b | c) & (!a | b)"
                                        << "k = 2 Klauseln:\nK1: a ∨ ¬b ∨ c\nK2: ¬a ∨ b" << true;
    QTest::newRow("example, not satisfiable")
        << "ButtonExampleUnsatisfiable" << kUnsatisfiableExample
        << "k = 5 Klauseln:\nK1: a ∨ b ∨ c\nK2: ¬a ∨ b\nK3: ¬b ∨ c\nK4: a\nK5: ¬c" << false;
}

// Build, search, take over: the main window then works on the reduction
// graph, drawn in columns, so its own cliques are marked there too.
void TestHardnessWindow::formulaToCliqueAndMainWindow() {
    QFETCH(QString, example);
    QFETCH(QString, formula);
    QFETCH(QString, clauses);
    QFETCH(bool, satisfiable);
    Session s;
    if (example.isEmpty())
        s.build(formula);
    else
        click(s.at(qPrintable(example)));
    QCOMPARE(s.at<QLabel>("LabelClauses")->text(), clauses);
    QVERIFY(!s.at<PictureArea>("ImageReduction")->isEmpty());

    click(s.at("ButtonSearch"));
    const Reduction reduction = reductionOf(formula);
    const ReductionAnswer answer = answerReduction(reduction);
    QCOMPARE(answer.satisfiable(), satisfiable);
    QCOMPARE(s.at<QLabel>("LabelResult")->text(), answerText(reduction, answer));
    QCOMPARE(s.at<PictureArea>("ImageReduction")->overlay().isNull(), !satisfiable);

    click(s.at("ButtonTakeOver"));
    QCOMPARE(storeOf(s.f).vertices, reduction.graph.vertices);
    QCOMPARE(storeOf(s.f).edges, reduction.graph.edges);
    QCOMPARE(s.f.vertexPositions()->centres, reductionLayout(reduction).positions.centres);
    PictureArea* picture = control<PictureArea>(s.f, "Image1");
    QCOMPARE(picture->overlay().isNull(), !satisfiable);

    click(control<QPushButton>(s.f, "BitBtn6"));
    QListWidget* list = control<QListWidget>(s.f, "ListBox1");
    QVERIFY(list->count() > 0);
    list->setCurrentRow(0);
    QVERIFY(!picture->overlay().isNull());
}

void TestHardnessWindow::badFormulaChangesNothing() {
    Session s;
    click(s.at("ButtonExampleSatisfiable"));
    const QImage before = s.at<PictureArea>("ImageReduction")->picture();
    const QString clauses = s.at<QLabel>("LabelClauses")->text();
    s.build("(a | b");
    QCOMPARE(s.at<QLabel>("LabelFormulaError")->text(), "Fehler an Stelle 7: Hier fehlt „)“.");
    QCOMPARE(s.at<QLineEdit>("EditFormula")->cursorPosition(), 6);
    QCOMPARE(s.at<PictureArea>("ImageReduction")->picture(), before);
    QCOMPARE(s.at<QLabel>("LabelClauses")->text(), clauses);
    s.build("(a | b)");
    QVERIFY(s.at<QLabel>("LabelFormulaError")->text().isEmpty());
    QVERIFY(s.at<PictureArea>("ImageReduction")->picture() != before);
}

void TestHardnessWindow::growthRunFillsChartsTableAndFiles() {
    Session s;
    s.measure(10, 30, 10, 2, 50);
    QTRY_VERIFY_WITH_TIMEOUT(!s.h.isMeasuring(), 60000);
    QCOMPARE(s.at<QTableWidget>("TableGrowth")->rowCount(), 6);
    QCOMPARE(s.at<QTableWidget>("TableGrowth")->item(5, 0)->text(), "30");
    QCOMPARE(s.at<QProgressBar>("ProgressGrowth")->value(), 6);
    QCOMPARE(s.pointCounts("ChartTime"), (QList<int>{3, 3, 3}));
    QCOMPARE(s.pointCounts("ChartCliques"), (QList<int>{3, 3}));
    QVERIFY(s.at<QLabel>("LabelReading")->text().startsWith("Von n = 10 bis n = 30 wächst"));

    QTemporaryDir dir;
    s.dialogs.answerEach({dir.filePath("werte"), dir.filePath("bild"), dir.filePath("bild.svg"),
                          dir.filePath("fehlt/werte.csv")});
    click(s.at("ButtonSaveCsv"));
    QCOMPARE(fileBytes(dir.filePath("werte.csv")), growthCsv(s.h.growthRows()));
    click(s.at("ButtonSaveImage"));
    QVERIFY(!QImage(dir.filePath("bild.png"), "PNG").isNull());
    click(s.at("ButtonSaveImage"));
    QVERIFY(fileBytes(dir.filePath("bild.svg")).contains("<svg"));
    click(s.at("ButtonSaveCsv"));
    QCOMPARE(s.dialogs.messages,
             (QList<ScriptedDialogs::Message>{
                 {Texts::FehlerCaption, Texts::cannotWrite(dir.filePath("fehlt/werte.csv"))}}));
}

// Twenty small graphs, then twenty large dense ones that would each take
// minutes: "Abbrechen" ends the run at once and keeps what was measured.
void TestHardnessWindow::cancelKeepsTheRowsMeasured() {
    Session s;
    s.enter("SpinTimeLimit", 600);
    s.measure(10, 200, 190, 20, 95);
    QTableWidget* table = s.at<QTableWidget>("TableGrowth");
    QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() >= 20, 60000);
    click(s.at("ButtonCancel"));
    QTRY_VERIFY_WITH_TIMEOUT(!s.h.isMeasuring(), 30000);
    QVERIFY(table->rowCount() >= 20 && table->rowCount() < 40);
    QCOMPARE(table->rowCount(), s.h.growthRows().size());
    QVERIFY(s.at<QProgressBar>("ProgressGrowth")->format().startsWith("abgebrochen"));
    QVERIFY(s.at("ButtonMeasure")->isEnabled());
}

QTEST_MAIN(TestHardnessWindow)
#include "tst_hardness_window.moc"
