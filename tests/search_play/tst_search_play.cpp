#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "cliques/search_play.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"
#include "support/odd_graphs.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// The exact window's maximal cliques, in its order.
CliqueList maximalCliques(const GraphStore& store) {
    CliqueList cliques;
    for (const MaximalCliqueEntry& entry : analyseExactly(store, {}, 1).maximalCliques)
        cliques.append(entry.clique);
    return cliques;
}

QStringList sentences(const SearchPlay& play, int count) {
    QStringList result;
    for (int p = 1; p <= count; ++p)
        result.append(play.frameAt(p).sentence);
    return result;
}

using PlayMaker = std::unique_ptr<SearchPlay> (*)(const GraphStore&, int);

// Each frame is rebuilt from the nearest snapshot; a play cut at that step
// builds it step by step from the start and must come out the same.
void compareWithCutPlays(PlayMaker make, const GraphStore& store, int samples, unsigned seed) {
    const std::unique_ptr<SearchPlay> play = make(store, SearchPlay::kStepLimit);
    QVERIFY(play->stepCount() > 1000);
    std::mt19937 engine(seed);
    for (int i = 0; i < samples; ++i) {
        const int p = std::uniform_int_distribution<int>(0, play->stepCount())(engine);
        const std::unique_ptr<SearchPlay> cut = make(store, p);
        QCOMPARE(cut->stepCount(), p);
        QCOMPARE(cut->frameAt(p), play->frameAt(p));
    }
}

// The number after a state line's caption ("Beste bisher: 4 Knoten" -> 4).
int numberIn(const QStringList& state, const QString& caption, const QString& before) {
    for (const QString& line : state)
        if (line.startsWith(caption))
            return line.section(before, 0, 0).section(' ', -1).toInt();
    return 0;
}

// Every bound the branch and bound states adds the clique's size and the
// colours up right, and it cuts exactly where the sum does not beat the best.
void checkBounds(const SearchPlay& play) {
    static const QRegularExpression bound(
        "höchstens auf (\\d+) \\+ (\\d+) = (\\d+) Knoten; die beste hat (\\d+): (.*)$");
    for (int p = 1; p <= play.stepCount(); ++p) {
        const PlayFrame f = play.frameAt(p);
        const QRegularExpressionMatch match = bound.match(f.sentence);
        if (!match.hasMatch())
            continue;
        const int clique = match.captured(1).toInt();
        const int colours = match.captured(2).toInt();
        const int best = match.captured(4).toInt();
        const QString members = f.state.first().section(": ", 1);
        QCOMPARE(clique, members == "–" ? 0 : int(members.split(", ").size()));
        QCOMPARE(match.captured(3).toInt(), clique + colours);
        QCOMPARE(best, numberIn(f.state, "Beste bisher", " Knoten"));
        if (f.sentence.startsWith("Die Kandidaten"))
            QCOMPARE(colours, numberIn(f.state, "Kandidaten", " Farbklasse"));
        QCOMPARE(match.captured(5) != "Es wird verzweigt, Kandidaten der höchsten Farbe zuerst.",
                 clique + colours <= best);
    }
}

} // namespace

class TestSearchPlay : public QObject {
    Q_OBJECT
private slots:
    void greedyEndsWithTheSearchsCliques_data();
    void greedyEndsWithTheSearchsCliques();
    void greedyOnOddGraphs();
    void greedySentencesOnSampleGraph2();
    void greedyFramesFollowOneAnother();
    void greedyRoundEndsSayTheSize();
    void greedyStopsAtTheLimit();
    void truncationNotesNameTheReason_data();
    void truncationNotesNameTheReason();
    void bronKerboschEndsWithTheMaximalCliques_data();
    void bronKerboschEndsWithTheMaximalCliques();
    void bronKerboschOnOddGraphs();
    void bronKerboschOnSampleGraph2();
    void bronKerboschFramesFollowOneAnother();
    void cliqueNumberEndsAtTheCliqueNumber_data();
    void cliqueNumberEndsAtTheCliqueNumber();
    void cliqueNumberOnOddGraphs();
    void cliqueNumberSentences();
    void cliqueNumberFramesFollowOneAnother();
    void germanLists_data();
    void germanLists();
};

void TestSearchPlay::greedyEndsWithTheSearchsCliques_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::newRow("sample 1") << sampleStore(1);
    QTest::newRow("sample 2") << sampleStore(2);
    // As the editor leaves it: labels in placing order, an unplaced vertex.
    GraphStore editor;
    editor.vertices = TextList{"0", "1", "2", "3", "4"};
    editor.edges = TextList{"0-1", "1-2", "2-0", "3-1"};
    QTest::newRow("editor") << editor;
    QTest::newRow("random 30") << randomGraph(30, 0.4, 7);
}

void TestSearchPlay::greedyEndsWithTheSearchsCliques() {
    QFETCH(GraphStore, store);
    const GraphStore before = store;
    const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
    QVERIFY(!play->truncated());
    QCOMPARE(play->frameAt(play->stepCount()).found, greedyCliques(store));
    // The play works on a copy.
    QCOMPARE(store.vertices, before.vertices);
    QCOMPARE(store.vertexCount, before.vertexCount);
}

void TestSearchPlay::greedyOnOddGraphs() {
    std::mt19937 engine(20261209);
    for (int i = 0; i < 300; ++i) {
        const GraphStore store = randomOddGraph(engine);
        const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
        QCOMPARE(play->frameAt(play->stepCount()).found, greedyCliques(store));
    }
}

void TestSearchPlay::greedySentencesOnSampleGraph2() {
    const std::unique_ptr<SearchPlay> play = playGreedySearch(sampleStore(2));
    QCOMPARE(play->frameAt(0).sentence,
             "Noch kein Schritt: „Schritt vor“ beginnt mit dem ersten Startknoten.");
    QCOMPARE(sentences(*play, 12),
             QStringList({
                 "Startknoten 0: Die Clique beginnt mit ihm, alle anderen Knoten sind Kandidaten.",
                 "Knoten 1 ist mit 0 verbunden: er kommt hinzu.",
                 "Knoten 2 ist mit 0 und 1 verbunden: er kommt hinzu.",
                 "Knoten 3 fehlt die Kante zu 2: er bleibt draußen.",
                 "Knoten 4 fehlt die Kante zu 2: er bleibt draußen.",
                 "Kein Kandidat ist mehr zu prüfen: Die Clique (0-1-2) wird notiert.",
                 "Knoten 2 verlässt die Clique wieder; die übrigen Kandidaten werden von vorn "
                 "geprüft.",
                 "Knoten 3 ist mit 0 und 1 verbunden: er kommt hinzu.",
                 "Knoten 4 ist mit 0, 1 und 3 verbunden: er kommt hinzu.",
                 "Kein Kandidat ist mehr zu prüfen: Die Clique (0-1-3-4) wird notiert.",
                 "Knoten 4 verlässt die Clique wieder; kein Kandidat ist übrig: Die Runde endet.",
                 "Startknoten 1: Die Clique beginnt mit ihm, alle anderen Knoten sind Kandidaten.",
             }));
    // The state beside the sentence, after "Knoten 3 fehlt die Kante zu 2".
    QCOMPARE(play->frameAt(4).state, QStringList({"Startknoten: 0", "Clique bisher: 0, 1, 2",
                                                  "Kandidaten: 4", "In dieser Runde draußen: 3"}));
    QCOMPARE(play->frameAt(4).pseudoCodeLine, 5);
    QCOMPARE(play->frameAt(4).edges.size(), 3);
    QVERIFY(!play->frameAt(4).edges.last().present);
}

void TestSearchPlay::greedyFramesFollowOneAnother() {
    compareWithCutPlays(playGreedySearch, randomGraph(40, 0.5, 3), 50, 5);
}

void TestSearchPlay::greedyRoundEndsSayTheSize() {
    // Vertex 6 has only a loop: its round ends with the start alone.
    GraphStore store;
    store.vertices = TextList{"0", "1", "6"};
    store.edges = TextList{"0-1", "6-6"};
    const std::unique_ptr<SearchPlay> play = playGreedySearch(store);
    QStringList ends;
    for (int p = 1; p <= play->stepCount(); ++p)
        if (play->frameAt(p).pseudoCodeLine == 9)
            ends.append(play->frameAt(p).sentence);
    const QString two("Die Clique hat zwei Knoten, kleiner macht die Suche sie nicht: Die Runde "
                      "mit Startknoten %1 endet.");
    QCOMPARE(ends, QStringList({two.arg(0), two.arg(1),
                                "Kein Kandidat ist mit Startknoten 6 verbunden: Die Clique "
                                "besteht nur aus ihm, die Runde endet."}));
}

void TestSearchPlay::greedyStopsAtTheLimit() {
    const GraphStore store = randomGraph(40, 0.5, 3);
    const std::unique_ptr<SearchPlay> whole = playGreedySearch(store);
    const std::unique_ptr<SearchPlay> cut = playGreedySearch(store, 100);
    QVERIFY(!whole->truncated());
    QVERIFY(cut->truncated());
    QCOMPARE(cut->stepCount(), 100);
    const std::unique_ptr<SearchPlay> exact = playGreedySearch(store, whole->stepCount());
    QVERIFY(!exact->truncated());
}

void TestSearchPlay::truncationNotesNameTheReason_data() {
    QTest::addColumn<bool>("bronKerbosch");
    QTest::addColumn<GraphStore>("store");
    QTest::addColumn<int>("stepLimit");
    QTest::addColumn<QString>("note");
    const GraphStore random = randomGraph(40, 0.5, 3);
    QTest::newRow("greedy, whole") << false << random << SearchPlay::kStepLimit << QString();
    QTest::newRow("greedy, step limit")
        << false << random << 100
        << "Die Aufzeichnung endet nach 100 Schritten, mehr hält sie nicht fest; die Suche ginge "
           "weiter.";
    QTest::newRow("Bron-Kerbosch, step limit")
        << true << random << 1000
        << "Die Aufzeichnung endet nach 1.000 Schritten, mehr hält sie nicht fest; die Suche "
           "ginge weiter.";
    // 3^9 maximal cliques, more than any list holds.
    QTest::newRow("Bron-Kerbosch, clique cap") << true << moonMoser(9) << SearchPlay::kStepLimit
                                               << "Die Aufzeichnung endet nach %1 Schritten: Sie "
                                                  "hält höchstens 10.000 maximale Cliquen fest; "
                                                  "die Suche ginge weiter.";
}

void TestSearchPlay::truncationNotesNameTheReason() {
    QFETCH(bool, bronKerbosch);
    QFETCH(GraphStore, store);
    QFETCH(int, stepLimit);
    QFETCH(QString, note);
    const std::unique_ptr<SearchPlay> play =
        bronKerbosch ? playBronKerbosch(store, stepLimit) : playGreedySearch(store, stepLimit);
    QCOMPARE(play->truncated(), !note.isEmpty());
    QCOMPARE(play->truncationNote(),
             note.contains("%1") ? note.arg(QLocale(QLocale::German).toString(play->stepCount()))
                                 : note);
}

void TestSearchPlay::bronKerboschEndsWithTheMaximalCliques_data() {
    greedyEndsWithTheSearchsCliques_data();
    QTest::newRow("moon-moser 12") << moonMoser(4);
}

void TestSearchPlay::bronKerboschEndsWithTheMaximalCliques() {
    QFETCH(GraphStore, store);
    const std::unique_ptr<SearchPlay> play = playBronKerbosch(store);
    QVERIFY(!play->truncated());
    QCOMPARE(play->frameAt(play->stepCount()).found, maximalCliques(store));
}

void TestSearchPlay::bronKerboschOnOddGraphs() {
    std::mt19937 engine(1209);
    for (int i = 0; i < 300; ++i) {
        const GraphStore store = randomOddGraph(engine);
        const std::unique_ptr<SearchPlay> play = playBronKerbosch(store);
        QCOMPARE(play->frameAt(play->stepCount()).found, maximalCliques(store));
    }
}

void TestSearchPlay::bronKerboschOnSampleGraph2() {
    const std::unique_ptr<SearchPlay> play = playBronKerbosch(sampleStore(2));
    QCOMPARE(sentences(*play, 4),
             QStringList({"Pivot ist Knoten 0: Verzweigt wird nur über 0.",
                          "R wächst um Knoten 0; P und X behalten nur seine Nachbarn.",
                          "Pivot ist Knoten 1: Verzweigt wird nur über 1.",
                          "R wächst um Knoten 1; P und X behalten nur seine Nachbarn."}));
    QCOMPARE(play->frameAt(4).state,
             QStringList({"R = {0, 1}", "P = {2, 3, 4}", "X = {}", "Pivot: –", "Aufruftiefe: 2"}));
}

void TestSearchPlay::bronKerboschFramesFollowOneAnother() {
    compareWithCutPlays(playBronKerbosch, randomGraph(30, 0.6, 11), 30, 8);
}

void TestSearchPlay::cliqueNumberEndsAtTheCliqueNumber_data() {
    bronKerboschEndsWithTheMaximalCliques_data();
    QTest::newRow("random 12, branching") << randomGraph(12, 0.6, 268);
    QTest::newRow("random 80") << randomGraph(80, 0.6, 11);
    QTest::newRow("hamming6-4") << hammingGraph(6, 4);
}

// The best cliques grow, the last one is a largest clique, and every bound
// on the way is stated right.
void TestSearchPlay::cliqueNumberEndsAtTheCliqueNumber() {
    QFETCH(GraphStore, store);
    const std::unique_ptr<SearchPlay> play = playCliqueNumber(store);
    QVERIFY(!play->truncated());
    const CliqueList best = play->frameAt(play->stepCount()).found;
    QVERIFY(!best.isEmpty());
    for (qsizetype i = 1; i < best.size(); ++i)
        QVERIFY(best[i].members.size() > best[i - 1].members.size());
    QCOMPARE(best.last().members.size(), analyseExactly(store, {}, 1).cliqueNumber);
    QVERIFY(maximalCliques(store).contains(best.last()));
    checkBounds(*play);
}

void TestSearchPlay::cliqueNumberOnOddGraphs() {
    std::mt19937 engine(2612);
    for (int i = 0; i < 300; ++i) {
        const GraphStore store = randomOddGraph(engine);
        const std::unique_ptr<SearchPlay> play = playCliqueNumber(store);
        const CliqueList best = play->frameAt(play->stepCount()).found;
        QCOMPARE(best.isEmpty() ? 0 : best.last().members.size(),
                 analyseExactly(store, {}, 1).cliqueNumber);
    }
}

void TestSearchPlay::cliqueNumberSentences() {
    const std::unique_ptr<SearchPlay> play = playCliqueNumber(randomGraph(12, 0.6, 268));
    QCOMPARE(play->frameAt(0).pseudoCodeLine, -1);
    QCOMPARE(sentences(*play, 7),
             QStringList({
                 "Eine erste Clique, gierig gefunden: 1, 4, 7 und 10 (4 Knoten). Gesucht wird nur "
                 "noch eine größere.",
                 "Die Kandidaten lassen sich mit 5 Farben färben: Die Clique käme höchstens auf 0 "
                 "+ 5 = 5 Knoten; die beste hat 4: Es wird verzweigt, Kandidaten der höchsten "
                 "Farbe zuerst.",
                 "Knoten 5 (Farbe 5) kommt in die Clique; Kandidaten bleiben seine Nachbarn 0, 1, "
                 "2, 3, 4, 6, 8 und 11.",
                 "Die Kandidaten lassen sich mit 4 Farben färben: Die Clique käme höchstens auf 1 "
                 "+ 4 = 5 Knoten; die beste hat 4: Es wird verzweigt, Kandidaten der höchsten "
                 "Farbe zuerst.",
                 "Knoten 8 (Farbe 4) kommt in die Clique; Kandidaten bleiben seine Nachbarn 1, 2, "
                 "3 und 6.",
                 "Die Kandidaten lassen sich mit 2 Farben färben: Die Clique käme höchstens auf 2 "
                 "+ 2 = 4 Knoten; die beste hat 4: Dieser Zweig wird abgeschnitten.",
                 "Knoten 8 ist untersucht und scheidet als Kandidat aus; zurück zur Clique 5.",
             }));
    const PlayFrame cut = play->frameAt(6);
    QCOMPARE(cut.pseudoCodeLine, 3);
    QCOMPARE(cut.state.first(), "Clique: 5, 8");
    QCOMPARE(cut.state[1], "Kandidaten: 1, 2, 3, 6 in 2 Farbklassen");
    QCOMPARE(cut.state.last(), "Beste bisher: 4 Knoten");
    // The candidates drawn in their classes, the clique and the best clique.
    QCOMPARE(cut.marks.count(PlayMark{"5", PlayRole::Member}), 1);
    QCOMPARE(cut.marks.count(PlayMark{"10", PlayRole::Best}), 1);
    for (const PlayMark& mark : cut.marks)
        if (mark.role == PlayRole::Coloured)
            QVERIFY(cut.state[2].contains(QString("Farbe %1: ").arg(mark.colourClass)));
}

void TestSearchPlay::cliqueNumberFramesFollowOneAnother() {
    compareWithCutPlays(playCliqueNumber, randomGraph(120, 0.6, 11), 30, 13);
}

void TestSearchPlay::germanLists_data() {
    QTest::addColumn<QList<QByteArray>>("labels");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QList<QByteArray>{} << "";
    QTest::newRow("one") << QList<QByteArray>{"4"} << "4";
    QTest::newRow("two") << QList<QByteArray>{"4", "0"} << "4 und 0";
    QTest::newRow("three") << QList<QByteArray>{"4", "0", "1"} << "4, 0 und 1";
    QTest::newRow("latin-1") << QList<QByteArray>{"caf\xe9", "J\xc3\xb6rg"} << "café und Jörg";
}

void TestSearchPlay::germanLists() {
    QFETCH(QList<QByteArray>, labels);
    QTEST(germanList(labels), "text");
}

QTEST_MAIN(TestSearchPlay)
#include "tst_search_play.moc"
