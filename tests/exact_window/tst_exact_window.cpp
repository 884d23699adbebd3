#include "cliques/clique_highlight_drawing.h"
#include "files/picture_files_drawing.h"
#include "graph/sample_graphs.h"
#include "support/main_window_driver.h"
#include "support/numbered_graphs.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// The program driven through its real controls.
struct Session : MainWindowDriver {
    ExactAnalysisWindow& x = p.exactAnalysisWindow;

    // The analysis computes off the user-interface thread: wait for its result.
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(!x.isComputing(), 60000); }

    void fill(std::initializer_list<const char*> labels, std::initializer_list<const char*> edges) {
        for (const char* label : labels)
            storeOf(f).vertices.append(label);
        for (const char* e : edges)
            storeOf(f).edges.append(e);
    }

    QStringList rows() const {
        QStringList texts;
        for (int r = 0; r < control<QTableWidget>(x, "TableCliques")->rowCount(); ++r)
            texts.append(control<QTableWidget>(x, "TableCliques")->item(r, 0)->text() + ' ' +
                         control<QTableWidget>(x, "TableCliques")->item(r, 1)->text());
        return texts;
    }
    void clickRow(int row) {
        QTableWidget* table = control<QTableWidget>(x, "TableCliques");
        const QRect cell = table->visualItemRect(table->item(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void clickListBox1(const QString& text) {
        const QList<QListWidgetItem*> found =
            control<QListWidget>(f, "ListBox1")->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        const QRect cell = control<QListWidget>(f, "ListBox1")->visualItemRect(found.first());
        QTest::mouseClick(control<QListWidget>(f, "ListBox1")->viewport(), Qt::LeftButton, {},
                          cell.center());
    }
    // Overlay pixel: true where the highlight colour is drawn opaquely.
    bool marked(QPoint at) const {
        const QImage& overlay = control<PictureArea>(f, "Image1")->overlay();
        if (overlay.isNull())
            return false;
        const QColor c = overlay.pixelColor(at);
        return c.alpha() == 255 && c.rgb() == kHighlightColour.rgb();
    }
};

QStringList sampleRows(int k) {
    if (k == 1)
        return {"(0-1-3-4) ja", "(2-4-5) ja", "(4-7) ja", "(5-8) ja", "(6-7) ja", "(7-8) nein"};
    return {"(0-1-3-4) ja", "(0-1-2) ja"};
}

// A point on the ring drawn around a vertex circle of the given radius.
QPoint ring(QPoint centre, int radius) {
    return centre + QPoint(radius + 3, 0);
}

const QString kUnknown = "Hervorheben im Bild braucht bekannte Knotenpositionen";

} // namespace

class TestExactWindow : public QObject {
    Q_OBJECT
private slots:
    void buttonOpensWindow();
    void sampleGraphs_data();
    void sampleGraphs();
    void refreshing();
    void greedyMissesLargest();
    void highlightSampleGraph();
    void unknownPositions_data();
    void unknownPositions();
    void refreshRepeated();
    void cancelAndRestart();
    void germanLabels();
    void whyNotLarger();
};

void TestExactWindow::buttonOpensWindow() {
    Session s;
    QPushButton* button = control<QPushButton>(s.f, "ButtonExact");
    QVERIFY(button);
    QCOMPARE(button->objectName(), "ButtonExact");
    QCOMPARE(button->parentWidget(), control<QFrame>(s.f, "Panel1"));
    QCOMPARE(button->geometry(), QRect(8, 592, 145, 25));
    QCOMPARE(button->text(), "Exakte Analyse");
    QCOMPARE(button->font(), control<QPushButton>(s.f, "BitBtn8")->font());
    QVERIFY(button->isVisible());

    QVERIFY(!s.x.isVisible());
    click(button);
    QVERIFY(s.x.isVisible());
    QCOMPARE(s.x.windowTitle(), "Mandorin: Exakte Analyse");
    QVERIFY(!s.x.isModal());
    QVERIFY(s.f.isEnabled());
    click(control<QPushButton>(s.x, "ButtonClose"));
    QVERIFY(!s.x.isVisible());
    QVERIFY(s.f.isVisible());
    click(button);
    QVERIFY(s.x.isVisible());
    s.settle();
    QCOMPARE(control<QLineEdit>(s.x, "EditCliqueNumber")->text(), "4");
}

void TestExactWindow::sampleGraphs_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("comparison");
    QTest::newRow("sample 1, k 4")
        << 0 << 4 << "Ja"
        << "(0-1-3-4)"
        << "6 maximale Cliquen"
        << "Die gierige Suche hat eine größte Clique gefunden (4 Knoten). Von den 6 maximalen "
           "Cliquen fehlt ihr eine.";
    QTest::newRow("sample 2, k 5") << 1 << 5 << "Nein"
                                   << ""
                                   << "2 maximale Cliquen"
                                   << "Die gierige Suche hat eine größte Clique gefunden (4 "
                                      "Knoten). Sie enthält alle 2 maximalen Cliquen.";
}

void TestExactWindow::sampleGraphs() {
    QFETCH(int, item);
    QFETCH(int, k);
    Session s;
    s.choose(1 - item);
    s.choose(item);
    click(control<QPushButton>(s.f, "BitBtn6"));
    QVERIFY(spinTo(control<StepArrows>(s.f, "UpDown1"), k));
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(control<QLineEdit>(s.x, "EditCliqueNumber")->text(), "4");
    QCOMPARE(s.rows(), sampleRows(item + 1));
    QTEST(control<QLabel>(s.x, "LabelCount")->text(), "count");
    QCOMPARE(control<QLabel>(s.x, "LabelQuestion")->text(),
             QString("Gibt es eine Clique mit mindestens k = %1 Knoten?").arg(k));
    QTEST(control<QLineEdit>(s.x, "EditAnswer")->text(), "answer");
    QTEST(control<QLineEdit>(s.x, "EditExample")->text(), "example");
    QTEST(control<QLabel>(s.x, "LabelComparison")->text(), "comparison");
    QVERIFY(control<QLabel>(s.x, "LabelHighlight")->text().startsWith("Ein Klick auf eine Clique"));
}

void TestExactWindow::refreshing() {
    Session s;
    // Before "Berechnen!" the greedy list holds nothing.
    const QStringList noneFound = sampleRows(1).replaceInStrings(" ja", " nein");
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(s.rows(), noneFound);
    QVERIFY(control<QLabel>(s.x, "LabelComparison")->text().contains("ist leer"));

    // Not refreshed behind the user's back, but by "Aktualisieren".
    s.choose(1);
    QCOMPARE(s.rows(), noneFound);
    click(control<QPushButton>(s.x, "ButtonRefresh"));
    s.settle();
    QCOMPARE(s.rows(), QStringList({"(0-1-3-4) nein", "(0-1-2) nein"}));

    // A row of a graph that is gone marks nothing.
    s.choose(0);
    s.clickRow(0);
    QVERIFY(control<PictureArea>(s.f, "Image1")->overlay().isNull());
    QVERIFY(control<QLabel>(s.x, "LabelHighlight")
                ->text()
                .startsWith("Der Graph hat sich seit der Analyse geändert"));
    click(control<QPushButton>(s.x, "ButtonRefresh"));
    s.settle();
    QCOMPARE(s.rows().size(), 6);
    s.clickRow(0);
    QVERIFY(!control<PictureArea>(s.f, "Image1")->overlay().isNull());

    // Shown again: fresh, with the current k.
    click(control<QPushButton>(s.x, "ButtonClose"));
    s.choose(1);
    QVERIFY(spinTo(control<StepArrows>(s.f, "UpDown1"), 5));
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(s.rows().size(), 2);
    QCOMPARE(control<QLineEdit>(s.x, "EditAnswer")->text(), "Nein");
    // Already open: the button refreshes as well.
    QVERIFY(spinTo(control<StepArrows>(s.f, "UpDown1"), 3));
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(control<QLineEdit>(s.x, "EditAnswer")->text(), "Ja");
}

void TestExactWindow::greedyMissesLargest() {
    Session s;
    s.choose(2);
    for (int p = 0; p < 8; ++p)
        QVERIFY(s.place(p));
    click(control<QPushButton>(s.f, "BitBtn11"));
    // Each member of the 4-clique 4-5-6-7 first meets a vertex outside it.
    for (auto [a, b] :
         {std::pair{0, 4}, {1, 5}, {2, 6}, {3, 7}, {4, 5}, {4, 6}, {4, 7}, {5, 6}, {5, 7}, {6, 7}})
        QVERIFY(s.edge(a, b));
    click(control<QPushButton>(s.f, "BitBtn6"));
    QVERIFY(spinTo(control<StepArrows>(s.f, "UpDown1"), 3));
    click(control<QPushButton>(s.f, "BitBtn7"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), "Nein");
    QCOMPARE(control<QLineEdit>(s.f, "Edit3")->text(), "2");

    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(control<QLineEdit>(s.x, "EditCliqueNumber")->text(), "4");
    QCOMPARE(control<QLineEdit>(s.x, "EditAnswer")->text(), "Ja");
    QCOMPARE(control<QLineEdit>(s.x, "EditExample")->text(), "(4-5-6-7)");
    QCOMPARE(s.rows().first(), "(4-5-6-7) nein");
    QVERIFY(control<QLabel>(s.x, "LabelComparison")
                ->text()
                .startsWith("Die gierige Suche fand höchstens 2 Knoten, die größte Clique hat aber "
                            "4 Knoten. Für k "
                            "= 3 antwortet sie deshalb „Nein“, richtig ist „Ja“."));

    // Marked at the grid positions 4 to 7; vertex 0 at position 0 is not.
    const QImage before = control<PictureArea>(s.f, "Image1")->picture();
    s.clickRow(0);
    for (int p = 4; p <= 7; ++p)
        QVERIFY2(s.marked(ring({gridOf(s.f).x(p), gridOf(s.f).y(p)}, 30)),
                 qPrintable(QString::number(p)));
    QVERIFY(!s.marked(ring({gridOf(s.f).x(0), gridOf(s.f).y(0)}, 30)));
    QCOMPARE(control<PictureArea>(s.f, "Image1")->picture(), before);

    // "Export" saves the picture without the mark.
    QTemporaryDir dir;
    {
        ScriptedDialogs dialogs;
        dialogs.answer(dir.filePath("bild"));
        click(control<QPushButton>(s.f, "BitBtn5"));
    }
    QFile saved(dir.filePath("bild.bmp"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), encodeBitmap(before));

    // A new edge changes the graph: the mark goes.
    QVERIFY(s.edge(0, 1));
    QTRY_VERIFY(control<PictureArea>(s.f, "Image1")->overlay().isNull());
}

void TestExactWindow::highlightSampleGraph() {
    Session s;
    click(control<QPushButton>(s.f, "BitBtn6"));
    const QImage before = control<PictureArea>(s.f, "Image1")->picture();
    const std::vector<QPoint>& at = sampleGraph(1).centres;
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    s.clickRow(0); // (0-1-3-4)
    QCOMPARE(control<PictureArea>(s.f, "Image1")->overlay().size(),
             control<PictureArea>(s.f, "Image1")->size());
    for (int v : {0, 1, 3, 4})
        QVERIFY(s.marked(ring(at[std::size_t(v)], kSampleVertexRadius)));
    QVERIFY(s.marked((at[0] + at[1]) / 2)); // along the edge 0-1
    QVERIFY(!s.marked(ring(at[2], kSampleVertexRadius)));
    QCOMPARE(control<PictureArea>(s.f, "Image1")->picture(), before);
    // Drawn on screen over the picture.
    const QPoint shown = ring(at[0], kSampleVertexRadius);
    QTRY_COMPARE(control<PictureArea>(s.f, "Image1")->grab().toImage().pixelColor(shown).rgb(),
                 kHighlightColour.rgb());

    if (const QByteArray shot = qgetenv("MANDORIN_HIGHLIGHT_SHOT"); !shot.isEmpty())
        QVERIFY(s.f.grab().save(QString::fromLocal8Bit(shot), "PNG"));

    // The greedy list marks too.
    s.clickListBox1("(2-4-5)");
    QVERIFY(s.marked(ring(at[2], kSampleVertexRadius)));
    QVERIFY(!s.marked(ring(at[0], kSampleVertexRadius)));
    // The list operations leave the graph and the mark alone.
    click(control<QPushButton>(s.f, "Button3"));
    QVERIFY(s.marked(ring(at[2], kSampleVertexRadius)));

    s.choose(1);
    QVERIFY(control<PictureArea>(s.f, "Image1")->overlay().isNull());
    click(control<QPushButton>(s.x, "ButtonRefresh"));
    s.settle();
    s.clickRow(1); // (0-1-2) of sample 2
    QVERIFY(s.marked(ring(sampleGraph(2).centres[2], kSampleVertexRadius)));
    click(control<QPushButton>(s.f, "BitBtn8"));
    QVERIFY(control<PictureArea>(s.f, "Image1")->overlay().isNull());
}

void TestExactWindow::unknownPositions_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("after Reset") << 0;
    QTest::newRow("letters in the editor") << 1;
    QTest::newRow("imported over an editor graph") << 2;
}

void TestExactWindow::unknownPositions() {
    QFETCH(int, how);
    Session s;
    QTemporaryDir dir;
    switch (how) {
    case 0:
        click(control<QPushButton>(s.f, "BitBtn8"));
        s.fill({"A", "B"}, {"A-B"});
        break;
    case 1:
        s.choose(2);
        s.fill({"A", "B"}, {"A-B"});
        break;
    default: {
        // Labels and grid entries that look placed, but the file decides.
        s.choose(2);
        QVERIFY(s.place(0));
        QVERIFY(s.place(1));
        QFile vertices(dir.filePath("k.txt"));
        QFile edges(dir.filePath("e.txt"));
        QVERIFY(vertices.open(QIODevice::WriteOnly) && edges.open(QIODevice::WriteOnly));
        vertices.write("0\r\n1\r\n");
        edges.write("0-1\r\n");
        vertices.close();
        edges.close();
        // A picture of its own: no table says where its vertices are (without
        // one the program would draw the graph and know them).
        QImage picture(550, 300, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(dir.filePath("bild.bmp")));
        ScriptedDialogs dialogs;
        dialogs.answerEach({dir.filePath("bild.bmp"), vertices.fileName(), edges.fileName()});
        click(control<QPushButton>(s.f, "BitBtn4"));
        QCOMPARE(storeOf(s.f).edges.count(), 1);
    }
    }
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(s.rows().size(), 1);
    QVERIFY(control<QLabel>(s.x, "LabelHighlight")->text().startsWith(kUnknown));
    s.clickRow(0);
    QVERIFY(control<PictureArea>(s.f, "Image1")->overlay().isNull());
    QVERIFY(control<QLabel>(s.x, "LabelHighlight")->text().startsWith(kUnknown));
}

// The window's whole refresh for the 15-vertex graph with the most maximal
// cliques (243).
void TestExactWindow::refreshRepeated() {
    Session s;
    s.choose(2);
    for (int v = 0; v < 15; ++v)
        storeOf(s.f).vertices.append(QByteArray::number(v));
    for (int a = 0; a < 15; ++a)
        for (int b = a + 1; b < 15; ++b)
            if (a / 3 != b / 3)
                storeOf(s.f).edges.append(QByteArray::number(a) + '-' + QByteArray::number(b));
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(s.rows().size(), 243);
    // Its time is measured by BM_ExactRefresh_MoonMoser15; here, that a
    // refresh run after run shows the same whole list.
    for (int i = 0; i < 3; ++i) {
        s.x.refresh();
        s.settle();
        QCOMPARE(s.rows().size(), 243);
    }
}

// A dense graph of 400 vertices keeps the exact search busy for long: the
// window stays usable, "Abbrechen" ends the run with what it found, and a
// change of the graph during a run starts it afresh on the new graph.
void TestExactWindow::cancelAndRestart() {
    Session s;
    s.choose(2);
    const GraphStore dense = randomGraph(400, 0.9, 1);
    storeOf(s.f).vertices = dense.vertices;
    storeOf(s.f).edges = dense.edges;
    click(control<QPushButton>(s.f, "ButtonExact"));
    QVERIFY(s.x.isComputing());
    QVERIFY(control<QPushButton>(s.x, "ButtonCancel")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(
        control<QLabel>(s.x, "LabelCount")->text().contains("größte Clique bisher"), 60000);
    // The main window takes input meanwhile.
    QVERIFY(spinTo(control<StepArrows>(s.f, "UpDown1"), 3));
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), "3");

    click(control<QPushButton>(s.x, "ButtonCancel"));
    s.settle();
    QVERIFY2(control<QLineEdit>(s.x, "EditCliqueNumber")->text().startsWith("mindestens "),
             qPrintable(control<QLineEdit>(s.x, "EditCliqueNumber")->text()));
    QVERIFY(!control<QPushButton>(s.x, "ButtonCancel")->isEnabled());

    click(control<QPushButton>(s.x, "ButtonRefresh"));
    QVERIFY(s.x.isComputing());
    s.choose(1); // sample graph 2, while the run computes
    s.settle();
    QCOMPARE(s.rows(), QStringList({"(0-1-3-4) nein", "(0-1-2) nein"}));
    QCOMPARE(control<QLineEdit>(s.x, "EditCliqueNumber")->text(), "4");
}

// Labels from files of two encodings, as the windows show, sort and save them.
void TestExactWindow::germanLabels() {
    Session s;
    s.choose(2);
    // "Zoë" and "Öznur" in UTF-8, "ärger" in Latin-1.
    s.fill({"Zo\xc3\xab", "\xc3\x96znur", "\xe4rger"},
           {"Zo\xc3\xab-\xc3\x96znur", "\xc3\x96znur-\xe4rger", "\xe4rger-Zo\xc3\xab"});
    click(control<QPushButton>(s.f, "BitBtn6"));
    click(control<QPushButton>(s.f, "Button3"));
    QListWidget* list = control<QListWidget>(s.f, "ListBox1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("(ärger-Öznur-Zoë)"));

    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QCOMPARE(s.rows(), QStringList{"(ärger-Öznur-Zoë) ja"});
    QCOMPARE(control<QLineEdit>(s.x, "EditExample")->text(), QString("(ärger-Öznur-Zoë)"));

    // The file keeps every label's own bytes.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ScriptedDialogs dialogs;
    dialogs.answer(dir.filePath("cliquen"));
    click(control<QPushButton>(s.f, "BitBtn9"));
    QCOMPARE(fileBytes(dir.filePath("cliquen.txt")),
             QByteArray("(\xe4rger-\xc3\x96znur-Zo\xc3\xab)\r\n"));
}

// "Warum nicht größer?": a colouring on the picture where one proves the
// clique number, else the search's branches in a table.
void TestExactWindow::whyNotLarger() {
    Session s;
    click(control<QPushButton>(s.f, "BitBtn6"));
    const QImage before = control<PictureArea>(s.f, "Image1")->picture();
    click(control<QPushButton>(s.f, "ButtonExact"));
    s.settle();
    QPushButton* why = control<QPushButton>(s.x, "ButtonWhyNotLarger");
    QCOMPARE(why->text(), "Warum nicht größer?");
    const QLabel* reason = control<QLabel>(s.x, "LabelWhy");
    const QTableWidget* branches = control<QTableWidget>(s.x, "TableBranches");
    click(why);
    QVERIFY(reason->text().startsWith("Die Knoten lassen sich mit 4 Farben so färben"));
    QVERIFY(!branches->isVisible());
    // Every vertex ringed; joined vertices in different colours.
    const QImage& overlay = control<PictureArea>(s.f, "Image1")->overlay();
    QVERIFY(!overlay.isNull());
    const std::vector<QPoint>& at = sampleGraph(1).centres;
    const auto colourOf = [&](int v) {
        return overlay.pixelColor(ring(at[std::size_t(v)], kSampleVertexRadius));
    };
    for (auto [a, b] : {std::pair{0, 1}, {0, 3}, {1, 4}, {3, 4}, {2, 5}, {7, 8}}) {
        QCOMPARE(colourOf(a).alpha(), 255);
        QVERIFY(colourOf(a) != colourOf(b));
    }
    QCOMPARE(control<PictureArea>(s.f, "Image1")->picture(), before);

    // A 5-cycle has cliques of 2 but needs 3 colours.
    s.choose(2);
    for (int p = 0; p < 5; ++p)
        QVERIFY(s.place(p));
    click(control<QPushButton>(s.f, "BitBtn11"));
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}})
        QVERIFY(s.edge(a, b));
    click(control<QPushButton>(s.x, "ButtonRefresh"));
    s.settle();
    click(why);
    QVERIFY(reason->text().startsWith("Eine Färbung mit nur 2 Farben wurde nicht gefunden"));
    QVERIFY(branches->isVisible());
    QCOMPARE(branches->item(0, 0)->text(), "0");
    QCOMPARE(branches->item(0, 1)->text(), "1");

    // For a graph changed since, the reason would be wrong.
    QVERIFY(s.edge(0, 2));
    click(why);
    QCOMPARE(reason->text(),
             "Der Graph hat sich seit der Analyse geändert: „Aktualisieren“ zeigt seine Cliquen.");
    QVERIFY(!branches->isVisible());
}

QTEST_MAIN(TestExactWindow)
#include "tst_exact_window.moc"
