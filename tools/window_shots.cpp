// Renders each of the program's windows, in a typical state, to a PNG in the
// given folder (the pictures in the README; scripts/test.sh renders them
// afresh, and the test readme_pictures fails when the README shows one that
// is not rendered here):
//   QT_QPA_PLATFORM=offscreen build/window_shots docs/

#include "app/program.h"
#include "cliques/practice/planted_clique.h"
#include "files/graph_formats.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <bit>
#include <cstdio>

namespace {

bool shoot(QWidget& window, const QDir& out, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString file = out.filePath(QString::fromLatin1(name));
    if (window.grab().save(file, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

// The window's button with the given caption.
QPushButton* button(const QWidget& window, const QString& caption) {
    for (QPushButton* candidate : window.findChildren<QPushButton*>())
        if (candidate->text() == caption)
            return candidate;
    qFatal("no button %s", qPrintable(caption));
}

// Answers the one file dialog of "Öffnen…" with a prepared file.
class AnswerOpen final : public UserDialogs {
public:
    explicit AnswerOpen(QString fileName) : m_fileName(std::move(fileName)) {}
    void message(QWidget*, const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&) override {
        return m_fileName;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool print(QWidget*, QPrinter&) override { return false; }

private:
    QString m_fileName;
};

// The DIMACS benchmark graph hamming4-2: the 16 words of 4 bits, joined when
// they differ in at least 2 bits. Vertex i is the word i - 1.
GraphStore hammingGraph() {
    GraphStore store;
    for (int word = 0; word < 16; ++word)
        store.vertices.append(QByteArray::number(word + 1));
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b)
            if (std::popcount(unsigned(a ^ b)) >= 2)
                store.edges.append(QByteArray::number(a + 1) + '-' + QByteArray::number(b + 1));
    store.refreshCounts();
    return store;
}

// Its largest clique (8 vertices): the words of even weight.
Clique evenWords() {
    Clique clique;
    for (int word = 0; word < 16; ++word)
        if (std::popcount(unsigned(word)) % 2 == 0)
            clique.members.append(QByteArray::number(word + 1));
    return clique;
}

// "Graph erstellen", then "Öffnen…" with the benchmark file, its largest
// clique marked; the drawing alone.
bool shootOpenedBenchmark(MainWindow& main, const QDir& out) {
    QTemporaryDir dir;
    const QString file = dir.filePath("hamming4-2.clq");
    QSaveFile saving(file);
    if (!saving.open(QIODevice::WriteOnly) || saving.write(dimacsText(hammingGraph()).bytes) < 0 ||
        !saving.commit())
        return false;
    AnswerOpen answer(file);
    setDialogs(&answer);
    main.findChild<ChoiceGroup*>("RadioGroup1")->item(2)->click();
    button(main, "Öffnen…")->click();
    setDialogs(nullptr);
    if (!main.highlightClique(evenWords())) {
        std::fprintf(stderr, "the opened graph has no positions\n");
        return false;
    }
    return shoot(*main.findChild<QWidget*>("Image1"), out, "dimacs-graph.png");
}

// The drawing with its menu open, as a right click at (300, 40) opens it.
bool shootPictureMenu(MainWindow& main, const QDir& out) {
    auto* drawing = main.findChild<QWidget*>("Image1");
    const QPoint at(300, 40);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, drawing->mapToGlobal(at));
    QApplication::sendEvent(drawing, &click);
    auto* menu = main.findChild<QMenu*>("MenuPicture");
    QApplication::processEvents();
    QPixmap shot = drawing->grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(at, menu->grab());
    }
    menu->close();
    const QString file = out.filePath("picture-menu.png");
    if (shot.save(file, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

// Until the practice window knows what the exact search finds.
void awaitExactSearch(const PracticeWindow& practice) {
    while (practice.isSearching())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// "Selbst probieren" on sample graph 1: a choice clicked on the drawing with
// its verdict, then an exercise half solved, with a tip.
bool shootPractice(Program& program, const QDir& out) {
    MainWindow& main = program.mainWindow;
    PracticeWindow& practice = program.practiceWindow;
    main.findChild<ChoiceGroup*>("RadioGroup1")->item(0)->click();
    button(main, "Selbst probieren")->click();
    for (int vertex : {4, 2, 5, 8})
        practice.chooseAt(sampleGraph(1).centres[std::size_t(vertex)]);
    awaitExactSearch(practice);
    bool ok = shoot(practice, out, "practice-window.png");
    ok = shoot(*main.findChild<QWidget*>("Image1"), out, "practice-choice.png") && ok;

    const int number = 4711;
    practice.findChild<QComboBox*>("ComboLevel")->setCurrentIndex(1);
    practice.findChild<QSpinBox*>("SpinNumber")->setValue(number);
    button(practice, "Aufgabe stellen")->click();
    awaitExactSearch(practice);
    const PlantedCliqueGraph planted = plantedCliqueGraph(ExerciseLevel::Medium, number);
    const std::optional<VertexPositions> positions = main.vertexPositions();
    if (!positions)
        return false;
    for (qsizetype i = 0; i + 2 < planted.planted.size(); ++i)
        practice.chooseAt(positions->centres.value(planted.planted[i]));
    button(practice, "Tipp")->click();
    ok = shoot(practice, out, "practice-exercise.png") && ok;
    ok = shoot(*main.findChild<QWidget*>("Image1"), out, "practice-exercise-graph.png") && ok;
    practice.close();
    return ok;
}

// "Warum schwer?": the satisfiable example's reduction graph with the clique
// found, then a growth run on random graphs of 20 to 140 vertices, whose
// figures go to the standard output.
bool shootHardness(HardnessWindow& window, const QDir& out) {
    window.show();
    button(window, "Beispiel: erfüllbar")->click();
    button(window, "Clique suchen")->click();
    bool ok = shoot(window, out, "hardness-reduction.png");

    window.findChild<QTabWidget*>("TabsHardness")->setCurrentIndex(1);
    const auto set = [&](const char* name, int value) {
        window.findChild<QSpinBox*>(name)->setValue(value);
    };
    set("SpinFrom", 20);
    set("SpinTo", 140);
    set("SpinStep", 20);
    set("SpinRepetitions", 5);
    button(window, "Messen")->click();
    while (window.isMeasuring())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    for (const GrowthRow& row : window.growthRows())
        std::printf("%s\n", qPrintable(growthCells(row).join(" | ")));
    std::printf("%s\n", qPrintable(growthReading(window.growthRows())));
    return shoot(window, out, "hardness-growth.png") && ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    Program program;
    // The same walk each time, so that pictures change only when the program does.
    seedRandom(1);
    MainWindow& main = program.mainWindow;
    main.show();
    button(main, "Berechnen!")->click();
    button(main, "Redundanz vermeiden")->click();
    button(main, "Absteigend")->click();
    // k = 4: the arrows of k are the only ones that start at 1.
    for (StepArrows* arrows : main.findChildren<StepArrows*>())
        while (arrows->minimum() == 1 && arrows->position() < 4)
            arrows->upButton()->click();
    button(main, "Beantworten!")->click();
    bool ok = shoot(main, out, "main-window.png");

    ok = shoot(program.helpWindow, out, "help-window.png") && ok;
    ok = shoot(program.versionWindow, out, "version-window.png") && ok;

    program.progressWindow.setMaximum(100);
    program.progressWindow.setPosition(60);
    ok = shoot(program.progressWindow, out, "progress-window.png") && ok;
    program.progressWindow.finish();

    button(main, "Heuristik")->click();
    button(program.heuristicWindow, "Ausführen")->click();
    ok = shoot(program.heuristicWindow, out, "heuristic-window.png") && ok;

    // The analysis runs off the user-interface thread: its result, not its progress.
    button(main, "Exakte Analyse")->click();
    while (program.exactAnalysisWindow.isComputing())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ok = shoot(program.exactAnalysisWindow, out, "exact-window.png") && ok;
    // Its largest clique marked on the drawing.
    program.exactAnalysisWindow.chooseClique(0);
    ok = shoot(main, out, "highlight.png") && ok;
    // Why no clique is larger: a colouring with as many colours as the
    // clique number, drawn on the graph.
    button(program.exactAnalysisWindow, "Warum nicht größer?")->click();
    ok = shoot(program.exactAnalysisWindow, out, "why-not-larger.png") && ok;
    ok = shoot(*main.findChild<QWidget*>("Image1"), out, "colouring.png") && ok;
    program.exactAnalysisWindow.close();
    main.clearHighlight();

    // A step of the greedy search in progress, with the main window's picture.
    button(main, "Schritt für Schritt")->click();
    for (int i = 0; i < 9; ++i)
        button(program.stepPlayWindow, "Schritt vor")->click();
    ok = shoot(program.stepPlayWindow, out, "step-window.png") && ok;
    ok = shoot(main, out, "step-main-window.png") && ok;
    ok = shootPictureMenu(main, out) && ok;
    // The branch and bound on the same graph: candidates in their colour
    // classes, the best clique so far.
    program.stepPlayWindow.findChild<QComboBox*>("ComboSearch")->setCurrentIndex(2);
    button(program.stepPlayWindow, "Zum Ende")->click();
    ok = shoot(program.stepPlayWindow, out, "colour-bound-window.png") && ok;
    ok = shoot(*main.findChild<QWidget*>("Image1"), out, "colour-bound-step.png") && ok;
    program.stepPlayWindow.close();
    main.clearPlayOverlay();

    ok = shootPractice(program, out) && ok;
    ok = shootOpenedBenchmark(main, out) && ok;
    ok = shootHardness(program.hardnessWindow, out) && ok;
    return ok ? 0 : 1;
}
