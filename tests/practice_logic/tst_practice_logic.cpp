#include "cliques/practice/choice.h"
#include "cliques/practice/exercises.h"
#include "cliques/practice/planted_clique.h"
#include "support/clique_checks.h"

#include <QTest>

namespace {

QList<QByteArray> bytes(const QStringList& texts) {
    QList<QByteArray> result;
    for (const QString& text : texts)
        result.append(text.toUtf8());
    return result;
}

// Sample graph k, or "labels|edges" with both lists separated by spaces.
ExactGraph graphOf(const QString& written) {
    if (written == "1" || written == "2")
        return buildExactGraph(sampleStore(written.toInt()));
    GraphStore store;
    for (const QByteArray& label : bytes(written.section('|', 0, 0).split(' ')))
        store.vertices.append(label);
    for (const QByteArray& edge : bytes(written.section('|', 1).split(' ', Qt::SkipEmptyParts)))
        store.edges.append(edge);
    return buildExactGraph(store);
}

CliqueFacts factsOf(const ExactGraph& graph) {
    CliqueFacts facts;
    facts.largest = maximumClique(graph, kNoStepLimit).clique;
    return facts;
}

const QString kIndependent = " Im Komplement ist die Auswahl eine Clique; im Graphen ist sie also "
                             "eine unabhängige Menge. Die übrigen Knoten bilden eine "
                             "Knotenüberdeckung.";
const QString kLoopsAndRepeats = "a b c d a|a-a a-b b-a a-b b-c c-c a-c c-d d-d";

} // namespace

class TestPracticeLogic : public QObject {
    Q_OBJECT
private slots:
    void verdict_data();
    void verdict();
    void parsing_data();
    void parsing();
    void plantedClique_data();
    void plantedClique();
    void tips_data();
    void tips();
};

void TestPracticeLogic::verdict_data() {
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<bool>("numberKnown");
    QTest::addColumn<bool>("complement");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("missing edges, in order")
        << "1" << QStringList{"7", "3", "5"} << true << false
        << "Keine Clique: Es fehlen die Kanten 3-5, 3-7 und 5-7.";
    QTest::newRow("one missing edge") << "1" << QStringList{"8", "5", "4"} << true << false
                                      << "Keine Clique: Es fehlt die Kante 4-8.";
    QTest::newRow("many missing edges")
        << "0 1 2 3 4 5|" << QStringList{"5", "4", "3", "2", "1", "0"} << true << false
        << "Keine Clique: Es fehlen 15 Kanten, unter anderem 0-1, 0-2, 0-3, 0-4, 0-5, 1-2, 1-3 "
           "und 1-4.";
    QTest::newRow("not maximal")
        << "1" << QStringList{"3", "0", "1"} << true << false
        << "Eine Clique mit 3 Knoten, aber nicht maximal: Knoten 4 ist mit allen verbunden und "
           "passt noch dazu.";
    QTest::newRow("one vertex")
        << "1" << QStringList{"0"} << true << false
        << "Eine Clique mit 1 Knoten, aber nicht maximal: Die Knoten 1, 3 und 4 sind mit ihm "
           "verbunden und passen noch dazu.";
    QTest::newRow("maximal, not maximum")
        << "1" << QStringList{"5", "2", "4"} << true << false
        << "Eine maximale Clique mit 3 Knoten. Die größte Clique des Graphen hat 4 Knoten.";
    QTest::newRow("maximum") << "1" << QStringList{"4", "3", "1", "0"} << true << false
                             << "Eine größte Clique (4 Knoten).";
    QTest::newRow("clique number not yet known")
        << "1" << QStringList{"5", "2", "4"} << false << false
        << "Eine maximale Clique mit 3 Knoten. Ob es eine größere gibt, rechnet die exakte Suche "
           "noch aus.";
    QTest::newRow("empty") << "2" << QStringList{} << true << false
                           << "Noch keine Auswahl: Klicke Knoten im Bild an oder tippe sie in das "
                              "Feld „Auswahl“.";
    QTest::newRow("loops and repeated edges, maximum")
        << kLoopsAndRepeats << QStringList{"c", "b", "a"} << true << false
        << "Eine größte Clique (3 Knoten).";
    QTest::newRow("loops and repeated edges, maximal")
        << kLoopsAndRepeats << QStringList{"d", "c"} << true << false
        << "Eine maximale Clique mit 2 Knoten. Die größte Clique des Graphen hat 3 Knoten.";
    QTest::newRow("a loop is no edge") << kLoopsAndRepeats << QStringList{"d", "a"} << true << false
                                       << "Keine Clique: Es fehlt die Kante a-d.";
    QTest::newRow("complement, independent set")
        << "2" << QStringList{"3", "2"} << true << true
        << "Eine größte Clique (2 Knoten)." + kIndependent +
               " Weil die Clique eine größte ist, ist die unabhängige Menge eine größte und die "
               "Knotenüberdeckung eine kleinste.";
    QTest::newRow("complement, single vertex")
        << "2" << QStringList{"0"} << true << true
        << "Eine maximale Clique mit 1 Knoten. Die größte Clique des Komplements hat 2 Knoten." +
               kIndependent;
    QTest::newRow("complement, an edge of the graph")
        << "2" << QStringList{"4", "3"} << true << true
        << "Keine Clique: Es fehlt die Kante 3-4. Im Graphen gibt es diese Kante: Die Auswahl "
           "ist dort keine unabhängige Menge.";
}

void TestPracticeLogic::verdict() {
    QFETCH(QString, graph);
    QFETCH(QStringList, choice);
    QFETCH(bool, numberKnown);
    QFETCH(bool, complement);
    QFETCH(QString, verdict);
    ExactGraph judged = graphOf(graph);
    if (complement)
        judged = complementGraph(judged);
    const std::optional<qsizetype> number =
        numberKnown ? factsOf(judged).cliqueNumber() : std::nullopt;
    QCOMPARE(choiceVerdict(analyseChoice(judged, bytes(choice)), number, complement), verdict);
}

void TestPracticeLogic::parsing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("message");
    QTest::newRow("commas and spaces") << "3, 1 4" << QStringList{"3", "1", "4"} << QString();
    QTest::newRow("repeats and gaps") << " 1,1 ,, 2\t" << QStringList{"1", "2"} << QString();
    QTest::newRow("unknown labels")
        << "1, x, 12, x" << QStringList{}
        << "Unbekannte Knoten „x“ und „12“: Die Auswahl bleibt, wie sie war.";
    QTest::newRow("one unknown") << "9" << QStringList{}
                                 << "Unbekannter Knoten „9“: Die Auswahl bleibt, wie sie war.";
}

void TestPracticeLogic::parsing() {
    QFETCH(QString, text);
    QFETCH(QStringList, labels);
    QFETCH(QString, message);
    const ParsedChoice parsed = parseChoice(text, graphOf("1"));
    QCOMPARE(parsed.labels, bytes(labels));
    QCOMPARE(parsed.message, message);
}

void TestPracticeLogic::plantedClique_data() {
    QTest::addColumn<ExerciseLevel>("level");
    QTest::addColumn<int>("vertices");
    QTest::newRow("leicht") << ExerciseLevel::Easy << 8;
    QTest::newRow("mittel") << ExerciseLevel::Medium << 15;
    QTest::newRow("schwer") << ExerciseLevel::Hard << 25;
}

// Over many seeds: the same seed gives the same graph, the planted vertices
// are a clique and no clique is larger, and every vertex keeps an edge.
void TestPracticeLogic::plantedClique() {
    QFETCH(ExerciseLevel, level);
    QFETCH(int, vertices);
    QSet<QList<QByteArray>> distinct;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        const PlantedCliqueGraph made = plantedCliqueGraph(level, seed);
        const PlantedCliqueGraph again = plantedCliqueGraph(level, seed);
        QCOMPARE(again.store.edges, made.store.edges);
        QCOMPARE(again.planted, made.planted);
        distinct.insert(made.store.edges.entries());
        const ExactGraph graph = buildExactGraph(made.store);
        QCOMPARE(graph.size(), vertices);
        const ChoiceAnalysis planted = analyseChoice(graph, made.planted);
        QVERIFY(planted.isClique());
        QVERIFY(made.planted.size() >= 4);
        QCOMPARE(maximumClique(graph, kNoStepLimit).clique.size(),
                 std::size_t(made.planted.size()));
        for (const VertexSet& around : graph.neighbours)
            QVERIFY(!around.empty());
    }
    QVERIFY(distinct.size() > 140);
}

void TestPracticeLogic::tips_data() {
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("tip");
    QTest::newRow("nothing chosen") << QStringList{} << "Tipp: Knoten 0 gehört zu einer Lösung.";
    QTest::newRow("on the way") << QStringList{"3"}
                                << "Tipp: Knoten 0 passt zu deiner Auswahl; zusammen gehören sie "
                                   "zu einer Lösung.";
    QTest::newRow("one vertex blocks")
        << QStringList{"0", "5", "1"}
        << "Tipp: Knoten 5 versperrt den Weg: Ohne ihn lässt sich deine Auswahl zu einer Lösung "
           "ergänzen.";
    QTest::newRow("no way on")
        << QStringList{"2", "5", "6"}
        << "Tipp: Deine Auswahl lässt sich nicht zu einer Lösung ergänzen; Knoten 0 gehört zu "
           "einer.";
    QTest::newRow("solved") << QStringList{"4", "0", "3", "1"}
                            << "Deine Auswahl ist schon eine Lösung: „Prüfen“!";
}

// "Finde eine größte Clique." on sample graph 1, whose one largest clique is 0-1-3-4.
void TestPracticeLogic::tips() {
    QFETCH(QStringList, choice);
    QFETCH(QString, tip);
    const ExerciseOnGraph set = exerciseOnGraph(ExerciseKind::LargestClique, 7, sampleStore(1));
    QVERIFY(set.exercise);
    const ExactGraph graph = graphOf("1");
    QCOMPARE(exerciseTip(*set.exercise, graph, factsOf(graph), bytes(choice)), tip);
}

QTEST_MAIN(TestPracticeLogic)
#include "tst_practice_logic.moc"
