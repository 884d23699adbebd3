#include "cliques/practice/choice_drawing.h"
#include "cliques/practice/planted_clique.h"
#include "support/clique_checks.h"
#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTest>

namespace {

// The program with "Selbst probieren" opened from the main window's button.
struct Session : MainWindowDriver {
    PracticeWindow& w = p.practiceWindow;
    PictureArea* picture = control<PictureArea>(f, "Image1");

    Session() {
        click(control<QPushButton>(f, "ButtonTry"));
        if (!QTest::qWaitForWindowExposed(&w))
            qWarning("practice window not exposed");
    }
    QString text(const char* label) const { return control<QLabel>(w, label)->text(); }
    QLineEdit* field() const { return control<QLineEdit>(w, "EditChoice"); }
    void clickAt(QPoint point) { QTest::mouseClick(picture, Qt::LeftButton, {}, point); }
    void type(const QString& choice) {
        field()->clear();
        QTest::keyClicks(field(), choice);
    }
    void press(const char* button) { click(control<QPushButton>(w, button)); }
    // Sets the exercise of the kind with the number, once the exact search is done.
    void setExercise(int kind, int number) {
        control<QComboBox>(w, "ComboKind")->setCurrentIndex(kind);
        control<QSpinBox>(w, "SpinNumber")->setValue(number);
        press("ButtonSet");
        QTRY_VERIFY(!w.isSearching());
    }
    QString check() {
        press("ButtonCheck");
        return text("LabelFeedback");
    }
};

QPoint centreOf(int vertex) {
    return sampleGraph(1).centres[std::size_t(vertex)];
}

} // namespace

class TestPracticeWindow : public QObject {
    Q_OBJECT
private slots:
    void clicksAndFieldChooseTogether();
    void plantedExercise();
    void exercisesOnTheGraph_data();
    void exercisesOnTheGraph();
    void complement_data();
    void complement();

private:
    ScriptedDialogs dialogs;
};

void TestPracticeWindow::clicksAndFieldChooseTogether() {
    Session s;
    QCOMPARE(s.w.windowTitle(), QString("Mandorin: Selbst probieren"));
    QVERIFY(s.w.isVisible());
    click(control<QPushButton>(s.f, "BitBtn6"));
    const QImage before = s.picture->picture();
    const int cliques = control<QListWidget>(s.f, "ListBox1")->count();

    // Each vertex by its centre and near its rim; a click beside every circle chooses nothing.
    const QList<std::pair<QPoint, QString>> clicks{
        {centreOf(3), "3"},         {centreOf(0) + QPoint(12, -10), "3, 0"},
        {QPoint(120, 150), "3, 0"}, {centreOf(8), "3, 0, 8"},
        {centreOf(0), "3, 8"},      {centreOf(1) - QPoint(0, 15), "3, 8, 1"}};
    for (const auto& [point, field] : clicks) {
        s.clickAt(point);
        QCOMPARE(s.field()->text(), field);
    }
    QCOMPARE(s.text("LabelVerdict"), QString("Keine Clique: Es fehlen die Kanten 1-8 und 3-8."));
    QCOMPARE(s.picture->choiceOverlay().pixelColor(centreOf(3) + QPoint(23, 0)).rgb(),
             kChoiceRingColour.rgb());

    // Typing takes the field's labels; unknown ones leave the choice as it was.
    s.type("0 1, 3");
    QCOMPARE(s.w.choice(), (QList<QByteArray>{"0", "1", "3"}));
    QTest::keyClicks(s.field(), " z");
    QVERIFY(s.text("LabelMessage").startsWith("Unbekannter Knoten „z“"));
    QCOMPARE(s.w.choice(), (QList<QByteArray>{"0", "1", "3"}));
    s.clickAt(centreOf(4));
    QCOMPARE(s.field()->text(), QString("0, 1, 3, 4"));
    QCOMPARE(s.text("LabelMessage"), QString());
    QTRY_COMPARE(s.text("LabelVerdict"), QString("Eine größte Clique (4 Knoten)."));

    // Choosing changes neither the picture, the graph nor the list, and the
    // clicks end with the window.
    QCOMPARE(s.picture->picture(), before);
    QCOMPARE(storeOf(s.f).edges, sampleStore(1).edges);
    QCOMPARE(control<QListWidget>(s.f, "ListBox1")->count(), cliques);
    s.w.close();
    QVERIFY(s.picture->choiceOverlay().isNull());
    s.clickAt(centreOf(5));
    QCOMPARE(s.w.choice().size(), 4);
}

// A planted clique, found wrong and then right; undo in the editor brings
// the graph back that was there before.
void TestPracticeWindow::plantedExercise() {
    Session s;
    s.choose(2);
    QVERIFY(s.place(0) && s.place(4));
    click(control<QPushButton>(s.f, "BitBtn11"));
    QVERIFY(s.edge(0, 1));
    const GraphStore built = storeOf(s.f);
    control<QComboBox>(s.w, "ComboLevel")->setCurrentIndex(1);
    s.setExercise(0, 4711);
    const PlantedCliqueGraph planted = plantedCliqueGraph(ExerciseLevel::Medium, 4711);
    QCOMPARE(storeOf(s.f).edges, planted.store.edges);
    QCOMPARE(s.text("LabelTask"),
             QString("Aufgabe Nr. 4711 (mittel): Finde eine Clique mit %1 Knoten.")
                 .arg(planted.planted.size()));
    QCOMPARE(s.text("LabelScore"), QString("0 von 1 gelöst"));

    QStringList members;
    for (const QByteArray& label : planted.planted)
        members.append(QString::fromLatin1(label));
    s.type(members.mid(1).join(' '));
    QVERIFY(s.check().startsWith("Noch nicht: Deine Clique hat"));
    QCOMPARE(s.text("LabelScore"), QString("0 von 1 gelöst"));
    s.type(members.join(", "));
    QVERIFY(s.check().startsWith("Richtig: "));
    QCOMPARE(s.text("LabelScore"), QString("1 von 1 gelöst"));
    QVERIFY(cliquesOf(s.f).isEmpty());

    click(control<QToolButton>(s.f, "ButtonUndo"));
    QCOMPARE(storeOf(s.f).vertices, built.vertices);
    QCOMPARE(storeOf(s.f).edges, built.edges);
    QVERIFY(s.text("LabelTask").startsWith("Der Graph hat sich geändert"));
    QVERIFY(!control<QPushButton>(s.w, "ButtonCheck")->isEnabled());
}

void TestPracticeWindow::exercisesOnTheGraph_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("largest clique") << 1;
    QTest::newRow("greedy round") << 2;
    QTest::newRow("maximal cliques") << 3;
}

// On sample graph 1 each kind is answered wrong, then right, as the exact
// search and the search of "Berechnen!" tell.
void TestPracticeWindow::exercisesOnTheGraph() {
    QFETCH(int, kind);
    Session s;
    s.setExercise(kind, 31);
    const QString task = s.text("LabelTask");
    // The vertex asked about: "… Knoten 5?" and "… Startknoten 5 eine größte Clique?".
    const QByteArray vertex = task.section(' ', -1).chopped(1).toLatin1();
    const QByteArray start = task.section(' ', -4, -4).toLatin1();
    const ExactGraph graph = buildExactGraph(sampleStore(1));
    const auto answer = [&](bool right) {
        if (kind == 1) {
            s.type(right ? "0 1 3 4" : "2 4 5");
        } else if (kind == 2) {
            qsizetype found = 0;
            for (const Clique& clique : greedyCliques(sampleStore(1)))
                if (clique.members.first() == start)
                    found = std::max(found, clique.members.size());
            control<ChoiceGroup>(s.w, "RadioAnswer")->setItemIndex((found == 4) == right ? 0 : 1);
        } else {
            const MaximalCliques all = enumerateMaximalCliques(graph);
            const int v = int(graph.labels.indexOf(vertex));
            const auto count = std::count_if(all.cliques.begin(), all.cliques.end(), [&](auto& c) {
                return std::find(c.begin(), c.end(), v) != c.end();
            });
            control<QSpinBox>(s.w, "SpinCount")->setValue(int(count) + (right ? 0 : 1));
        }
    };
    answer(false);
    QVERIFY2(!s.check().startsWith("Richtig"), qPrintable(task));
    answer(true);
    QVERIFY2(s.check().startsWith("Richtig"), qPrintable(task));
    s.check(); // an exercise counts once
    QCOMPARE(s.text("LabelScore"), QString("1 von 1 gelöst"));

    s.press("ButtonSolution");
    if (kind == 2) {
        // The step window plays the round from the start vertex.
        QVERIFY(s.p.stepPlayWindow.isVisible());
        QCOMPARE(control<QLabel>(s.p.stepPlayWindow, "LabelSentence")->text(),
                 QString("Startknoten %1: Die Clique beginnt mit ihm, alle anderen Knoten sind "
                         "Kandidaten.")
                     .arg(QString::fromLatin1(start)));
    }
    QVERIFY(!s.picture->overlay().isNull());
    QVERIFY(cliquesOf(s.f).isEmpty());
}

void TestPracticeWindow::complement_data() {
    QTest::addColumn<int>("sample");
    QTest::newRow("sample 1") << 1;
    QTest::newRow("sample 2") << 2;
}

void TestPracticeWindow::complement() {
    QFETCH(int, sample);
    Session s;
    s.choose(sample - 1);
    const QImage before = s.picture->picture();
    control<QCheckBox>(s.w, "CheckComplement")->setChecked(true);
    const qsizetype n = qsizetype(sampleGraph(sample).labels.size());
    const qsizetype m = qsizetype(sampleGraph(sample).edges.size());
    QVERIFY(s.text("LabelComplement")
                .startsWith(QString("Komplement: %1 Kanten").arg(n * (n - 1) / 2 - m)));
    QVERIFY(!s.picture->complementOverlay().isNull());
    QCOMPARE(s.picture->picture(), before);
    // Two vertices without an edge between them are a clique of the complement.
    s.type("2 3");
    QTRY_VERIFY(s.text("LabelVerdict").contains("unabhängige Menge"));
    control<QCheckBox>(s.w, "CheckComplement")->setChecked(false);
    QVERIFY(s.picture->complementOverlay().isNull());
    QVERIFY(s.text("LabelVerdict").startsWith("Keine Clique"));
}

QTEST_MAIN(TestPracticeWindow)
#include "tst_practice_window.moc"
