#include "cliques/clique_positions.h"
#include "cliques/search_play_drawing.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QComboBox>
#include <QTest>

#include <random>

namespace {

// The program with the play opened from the main window's button.
struct Session : MainWindowDriver {
    StepPlayWindow& w = p.stepPlayWindow;

    Session() {
        click(control<QPushButton>(f, "ButtonSteps"));
        if (!QTest::qWaitForWindowExposed(&w))
            qWarning("play window not exposed");
    }
    QString step() const { return control<QLabel>(w, "LabelStep")->text(); }
    QString sentence() const { return control<QLabel>(w, "LabelSentence")->text(); }
    // Everything the window shows of the current position.
    QStringList shown() const {
        QStringList texts{step(), sentence(), control<QLabel>(w, "LabelState")->text()};
        const QListWidget* found = control<QListWidget>(w, "ListFound");
        for (int i = 0; i < found->count(); ++i)
            texts.append(found->item(i)->text());
        return texts;
    }
    void key(Qt::Key k) { QTest::keyClick(&w, k); }
    int total() const { return step().section(' ', 3).toInt(); }
    QColor overlayAt(QPoint at) const {
        const QImage& overlay = control<PictureArea>(f, "Image1")->playOverlay();
        return overlay.isNull() ? QColor() : overlay.pixelColor(at);
    }
};

// A point on the ring drawn around the vertex of sample graph 1.
QPoint ringOf(int vertex) {
    const QPoint centre = sampleGraph(1).centres[std::size_t(vertex)];
    const std::optional<VertexPositions> known = sampleGraphPositions(sampleStore(1), 1);
    return centre + QPoint(known->radius + 4, 0);
}

} // namespace

class TestStepPlayWindow : public QObject {
    Q_OBJECT
private slots:
    void opensAtTheStart();
    void keysStepAndJump();
    void forwardThenBackShowsTheSameState();
    void playsAndPauses();
    void overlayMarksMemberAndCandidate();
    void playingLeavesGraphAndListAlone();
    void bronKerboschEndsWithTheExactCliques();
    void colourBoundEndsWithTheCliqueNumber();
    void followsTheGraph();

private:
    ScriptedDialogs dialogs;
};

void TestStepPlayWindow::opensAtTheStart() {
    Session s;
    QVERIFY(s.w.isVisible());
    QCOMPARE(s.w.windowTitle(), QString("Mandorin: Schritt für Schritt"));
    QVERIFY(s.step().startsWith("Schritt 0 von "));
    QVERIFY(s.total() > 0);
    QCOMPARE(control<QComboBox>(s.w, "ComboSearch")->currentText(),
             QString("Gierige Suche (wie „Berechnen!“)"));
    // Fast enough to watch a sample graph through in well under a minute.
    QCOMPARE(control<QLabel>(s.w, "LabelSpeedValue")->text(), QString("5 Schritte/s"));
}

void TestStepPlayWindow::keysStepAndJump() {
    Session s;
    const int total = s.total();
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Right);
    QCOMPARE(s.step(), QString("Schritt 2 von %1").arg(total));
    QCOMPARE(s.sentence(), QString("Knoten 1 ist mit 0 verbunden: er kommt hinzu."));
    s.key(Qt::Key_Left);
    QCOMPARE(s.step(), QString("Schritt 1 von %1").arg(total));
    s.key(Qt::Key_End);
    QCOMPARE(s.step(), QString("Schritt %1 von %1").arg(total));
    s.key(Qt::Key_Right); // no step past the end
    QCOMPARE(s.step(), QString("Schritt %1 von %1").arg(total));
    s.key(Qt::Key_Home);
    QCOMPARE(s.step(), QString("Schritt 0 von %1").arg(total));
    // Space plays and pauses.
    s.key(Qt::Key_Space);
    QVERIFY(s.w.isPlaying());
    s.key(Qt::Key_Space);
    QVERIFY(!s.w.isPlaying());
}

void TestStepPlayWindow::forwardThenBackShowsTheSameState() {
    Session s;
    std::mt19937 engine(17);
    for (int round = 0; round < 5; ++round) {
        const int start = std::uniform_int_distribution<int>(0, s.total() / 2)(engine);
        const int n = std::uniform_int_distribution<int>(1, s.total() / 2)(engine);
        s.key(Qt::Key_Home);
        for (int i = 0; i < start; ++i)
            s.key(Qt::Key_Right);
        const QStringList before = s.shown();
        for (int i = 0; i < n; ++i)
            click(control<QPushButton>(s.w, "ButtonForward"));
        QVERIFY(s.shown() != before);
        for (int i = 0; i < n; ++i)
            click(control<QPushButton>(s.w, "ButtonBack"));
        QCOMPARE(s.shown(), before);
    }
}

void TestStepPlayWindow::playsAndPauses() {
    Session s;
    QSlider* speed = control<QSlider>(s.w, "SliderSpeed");
    speed->setValue(speed->maximum());
    QPushButton* play = control<QPushButton>(s.w, "ButtonPlay");
    click(play);
    QCOMPARE(play->text(), QString("Pause"));
    QTRY_VERIFY(s.w.position() >= 3);
    click(play);
    QCOMPARE(play->text(), QString("Abspielen"));
    QVERIFY(!s.w.isPlaying());
    // Played to the end, it stops by itself.
    s.key(Qt::Key_End);
    s.key(Qt::Key_Left);
    click(play);
    QTRY_COMPARE(play->text(), QString("Abspielen"));
    QCOMPARE(s.w.position(), s.total());
}

void TestStepPlayWindow::overlayMarksMemberAndCandidate() {
    Session s;
    const QImage before = control<PictureArea>(s.f, "Image1")->picture();
    // Step 2 on sample graph 1: candidate 1 joins start vertex 0.
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Right);
    QCOMPARE(s.overlayAt(ringOf(0)).rgb(), playRoleColour(PlayRole::Member).rgb());
    QCOMPARE(s.overlayAt(ringOf(1)).rgb(), playRoleColour(PlayRole::Candidate).rgb());
    // The overlay never enters the picture that "Export" saves.
    QCOMPARE(control<PictureArea>(s.f, "Image1")->picture(), before);
    // Closing the window takes the overlay away.
    s.w.close();
    QVERIFY(control<PictureArea>(s.f, "Image1")->playOverlay().isNull());
}

void TestStepPlayWindow::playingLeavesGraphAndListAlone() {
    Session s;
    click(control<QPushButton>(s.f, "BitBtn6"));
    const GraphStore before = storeOf(s.f);
    const int listed = control<QListWidget>(s.f, "ListBox1")->count();
    for (int choice : {0, 1}) {
        control<QComboBox>(s.w, "ComboSearch")->setCurrentIndex(choice);
        s.key(Qt::Key_End);
    }
    QCOMPARE(storeOf(s.f).vertices, before.vertices);
    QCOMPARE(storeOf(s.f).edges, before.edges);
    QCOMPARE(control<QListWidget>(s.f, "ListBox1")->count(), listed);
}

void TestStepPlayWindow::bronKerboschEndsWithTheExactCliques() {
    Session s;
    control<QComboBox>(s.w, "ComboSearch")->setCurrentIndex(1);
    QVERIFY(s.step().startsWith("Schritt 0 von "));
    s.key(Qt::Key_End);
    click(control<QPushButton>(s.f, "ButtonExact"));
    QTRY_VERIFY_WITH_TIMEOUT(!s.p.exactAnalysisWindow.isComputing(), 60000);
    const QTableWidget* table = control<QTableWidget>(s.p.exactAnalysisWindow, "TableCliques");
    const QListWidget* found = control<QListWidget>(s.w, "ListFound");
    QCOMPARE(found->count(), table->rowCount());
    for (int row = 0; row < table->rowCount(); ++row)
        QCOMPARE(found->item(row)->text(), table->item(row, 0)->text());
}

// The third choice plays the branch and bound to the exact window's clique
// number, the candidates drawn in their classes' colours.
void TestStepPlayWindow::colourBoundEndsWithTheCliqueNumber() {
    Session s;
    QComboBox* choice = control<QComboBox>(s.w, "ComboSearch");
    choice->setCurrentIndex(choice->findText("Exakte Suche mit Farbschranke (größte Clique)"));
    QVERIFY(control<QLabel>(s.w, "LabelLegend")->text().contains("Kandidaten nach Farbe"));
    s.key(Qt::Key_End);
    click(control<QPushButton>(s.f, "ButtonExact"));
    QTRY_VERIFY_WITH_TIMEOUT(!s.p.exactAnalysisWindow.isComputing(), 60000);
    const QListWidget* found = control<QListWidget>(s.w, "ListFound");
    QVERIFY(found->count() > 0);
    const QString largest = found->item(found->count() - 1)->text();
    QCOMPARE(QString::number(largest.count('-') + 1),
             control<QLineEdit>(s.p.exactAnalysisWindow, "EditCliqueNumber")->text());
    // At the end: the best clique ringed outside, vertex 2 in its class's colour.
    const PlayFrame last = playCliqueNumber(sampleStore(1))->frameAt(2);
    const auto mark = std::find_if(last.marks.begin(), last.marks.end(), [](const PlayMark& m) {
        return m.label == "2" && m.role == PlayRole::Coloured;
    });
    QVERIFY(mark != last.marks.end());
    QCOMPARE(s.overlayAt(ringOf(2)).rgb(), colourClassColour(mark->colourClass).rgb());
    QCOMPARE(s.overlayAt(ringOf(0) + QPoint(4, 0)).rgb(), playRoleColour(PlayRole::Best).rgb());
}

void TestStepPlayWindow::followsTheGraph() {
    Session s;
    const QString first = s.step();
    s.choose(1); // sample graph 2
    QVERIFY(s.step() != first);
    QVERIFY(s.step().startsWith("Schritt 0 von "));
    s.key(Qt::Key_Right);
    QCOMPARE(s.sentence(), QString("Startknoten 0: Die Clique beginnt mit ihm, alle anderen "
                                   "Knoten sind Kandidaten."));
}

QTEST_MAIN(TestStepPlayWindow)
#include "tst_step_play_window.moc"
