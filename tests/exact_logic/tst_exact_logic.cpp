#include "cliques/clique_positions.h"
#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "graph/sample_graphs.h"
#include "support/clique_checks.h"
#include "support/numbered_graphs.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <random>
#include <set>

using Cliques = std::set<std::vector<int>>;
Q_DECLARE_METATYPE(GraphStore)

namespace {

QList<QByteArray> texts(const QList<MaximalCliqueEntry>& entries) {
    QList<QByteArray> result;
    for (const MaximalCliqueEntry& e : entries)
        result.append(e.clique.text() + (e.inGreedyList ? " ja" : " nein"));
    return result;
}

// The largest clique found is a clique, as large as the largest maximal clique
// that Bron–Kerbosch lists.
bool sameCliqueNumber(const ExactGraph& g) {
    const MaximalCliques all = enumerateMaximalCliques(g, 1'000'000, kNoStepLimit);
    std::size_t largestMaximal = 0;
    for (const std::vector<int>& clique : all.cliques)
        largestMaximal = std::max(largestMaximal, clique.size());
    const MaximumCliqueResult largest = maximumClique(g, kNoStepLimit);
    return all.complete && largest.complete && isClique(g, largest.clique) &&
           largest.clique.size() == largestMaximal;
}

} // namespace

class TestExactLogic : public QObject {
    Q_OBJECT
private slots:
    void againstBruteForce();
    void benchmarkGraphs_data();
    void benchmarkGraphs();
    void againstMaximalCliques_data();
    void againstMaximalCliques();
    void againstMaximalCliquesMany();
    void regularGraphs();
    void maximalCliqueCap_data();
    void maximalCliqueCap();
    void largestKeptPastTheCap_data();
    void largestKeptPastTheCap();
    void stepLimit();
    void graphFromStore();
    void whyNotLarger_data();
    void whyNotLarger();
    void comparison_data();
    void comparison();
    void positions();
};

// Both searches against every subset of the vertices, on random graphs with
// noise that must be ignored: loops, repeated and reversed edges, unknown ends.
void TestExactLogic::againstBruteForce() {
    std::mt19937 engine(7u);
    for (int round = 0; round < 300; ++round) {
        const int n = int(engine() % 16);
        const double density = 0.1 + 0.8 * double(engine() % 1000) / 1000.0;
        std::bernoulli_distribution joined(density);
        GraphStore store = numberedGraph(n, [&](int, int) { return joined(engine); });
        if (n > 0) {
            const QByteArray v = QByteArray::number(engine() % unsigned(n));
            store.edges.append(v + '-' + v);
            store.edges.append(v + "-x");
            if (!store.edges.isEmpty()) {
                const EdgeEnds ends = splitEdge(store.edges[0]);
                store.edges.append(ends.second + '-' + ends.first);
            }
        }
        const ExactGraph g = buildExactGraph(store);
        QCOMPARE(g.size(), n);

        std::vector<unsigned> adjacency(std::size_t(n), 0);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (g.adjacent(a, b))
                    adjacency[std::size_t(a)] |= 1u << b;
        int omega = 0;
        Cliques maximal;
        for (unsigned subset = 1; subset < (1u << n); ++subset) {
            bool clique = true;
            unsigned common = (1u << n) - 1;
            for (int v = 0; v < n; ++v)
                if (subset & (1u << v)) {
                    clique = clique && ((adjacency[std::size_t(v)] | (1u << v)) & subset) == subset;
                    common &= adjacency[std::size_t(v)];
                }
            if (!clique)
                continue;
            omega = std::max(omega, std::popcount(subset));
            if (common == 0) {
                std::vector<int> members;
                for (int v = 0; v < n; ++v)
                    if (subset & (1u << v))
                        members.push_back(v);
                maximal.insert(members);
            }
        }

        const MaximumCliqueResult largest = maximumClique(g);
        QVERIFY(largest.complete);
        QCOMPARE(int(largest.clique.size()), omega);
        QVERIFY(isClique(g, largest.clique));
        const MaximalCliques found = enumerateMaximalCliques(g);
        QVERIFY(!found.truncated);
        QCOMPARE(found.cliques.size(), maximal.size());
        QCOMPARE(Cliques(found.cliques.begin(), found.cliques.end()), maximal);
    }
}

// Well-known test graphs, built from their definitions (see
// support/numbered_graphs.h). Vertex-transitive graphs like these give an
// order by degree no help, and the Keller graph of dimension 4 needs more than
// a million branch steps without a good one.
void TestExactLogic::benchmarkGraphs_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::addColumn<int>("vertices");
    QTest::addColumn<int>("edges");
    QTest::addColumn<int>("cliqueNumber");
    QTest::newRow("johnson8-2-4") << johnsonGraph(8, 2, 4) << 28 << 210 << 4;
    QTest::newRow("johnson8-4-4") << johnsonGraph(8, 4, 4) << 70 << 1855 << 14;
    QTest::newRow("johnson16-2-4") << johnsonGraph(16, 2, 4) << 120 << 120 * 91 / 2 << 8;
    QTest::newRow("hamming6-2") << hammingGraph(6, 2) << 64 << 1824 << 32;
    QTest::newRow("hamming6-4") << hammingGraph(6, 4) << 64 << 704 << 4;
    QTest::newRow("hamming8-4") << hammingGraph(8, 4) << 256 << 20864 << 16;
    // Degree 4^d - 3^d - d: differing by 2 somewhere, but not in one place only.
    QTest::newRow("keller3") << kellerGraph(3) << 64 << 64 * 34 / 2 << 5;
    QTest::newRow("keller4") << kellerGraph(4) << 256 << 256 * 171 / 2 << 12;
    // Numbered at random, the colouring and the first clique come from other orders.
    QTest::newRow("hamming8-4 renumbered")
        << renumberedGraph(hammingGraph(8, 4), 3u) << 256 << 20864 << 16;
    QTest::newRow("keller4 renumbered")
        << renumberedGraph(kellerGraph(4), 3u) << 256 << 256 * 171 / 2 << 12;
}

void TestExactLogic::benchmarkGraphs() {
    QFETCH(GraphStore, store);
    QTEST(int(store.vertices.count()), "vertices");
    QTEST(int(store.edges.count()), "edges");
    const ExactGraph g = buildExactGraph(store);
    const MaximumCliqueResult largest = maximumClique(g);
    QVERIFY(largest.complete);
    QVERIFY(isClique(g, largest.clique));
    QTEST(int(largest.clique.size()), "cliqueNumber");
}

// Graphs too large to try every subset, but where the first level of the
// search renumbers its branches: the clique number must be the size of the
// largest maximal clique that Bron–Kerbosch lists.
void TestExactLogic::againstMaximalCliques_data() {
    QTest::addColumn<int>("vertices");
    QTest::addColumn<double>("density");
    QTest::newRow("80, 0.75") << 80 << 0.75;
    QTest::newRow("120, 0.6") << 120 << 0.6;
    QTest::newRow("200, 0.4") << 200 << 0.4;
    QTest::newRow("300, 0.25") << 300 << 0.25;
}

void TestExactLogic::againstMaximalCliques() {
    QFETCH(int, vertices);
    QFETCH(double, density);
    QVERIFY(sameCliqueNumber(buildExactGraph(randomGraph(vertices, density, unsigned(vertices)))));
}

// Many graphs between brute force and the sizes above, dense enough that
// vertices move between colour classes at several depths.
void TestExactLogic::againstMaximalCliquesMany() {
    std::mt19937 engine(11u);
    for (int round = 0; round < 400; ++round) {
        const int n = 16 + int(engine() % 40);
        const double density = 0.3 + 0.65 * double(engine() % 1000) / 1000.0;
        const ExactGraph g = buildExactGraph(randomGraph(n, density, engine()));
        QVERIFY2(sameCliqueNumber(g), qPrintable(QString("round %1").arg(round)));
    }
}

// Circulant graphs: regular, so that the search numbers them by colour
// classes, and where colourings need many more colours than the cliques have
// vertices, it computes the clique number vertex by vertex (Russian dolls).
// Sizes cross the word boundaries of the bit rows.
void TestExactLogic::regularGraphs() {
    std::mt19937 engine(26u);
    for (int round = 0; round < 60; ++round) {
        const int n = 20 + int(engine() % 120);
        std::vector<bool> joinedAt(std::size_t(n / 2 + 1));
        for (std::size_t d = 1; d < joinedAt.size(); ++d)
            joinedAt[d] = engine() % 100 < 10 + unsigned(round);
        const ExactGraph g = buildExactGraph(numberedGraph(
            n, [&](int a, int b) { return joinedAt[std::size_t(std::min(b - a, n - (b - a)))]; }));
        QVERIFY2(sameCliqueNumber(g), qPrintable(QString("round %1").arg(round)));
    }
}

void TestExactLogic::maximalCliqueCap_data() {
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("listed");
    QTest::addColumn<bool>("truncated");
    QTest::newRow("15 vertices") << 5 << int(kMaximalCliqueCap) << 243 << false;
    QTest::newRow("exactly at the cap") << 8 << 6561 << 6561 << false;
    QTest::newRow("one past the cap") << 8 << 6560 << 6560 << true;
    QTest::newRow("27 vertices") << 9 << int(kMaximalCliqueCap) << 10000 << true;
}

void TestExactLogic::maximalCliqueCap() {
    QFETCH(int, groups);
    QFETCH(int, cap);
    const ExactGraph g = buildExactGraph(moonMoser(groups));
    const MaximalCliques found = enumerateMaximalCliques(g, std::size_t(cap));
    QTEST(int(found.cliques.size()), "listed");
    QTEST(found.truncated, "truncated");
    const Cliques distinct(found.cliques.begin(), found.cliques.end());
    QCOMPARE(distinct.size(), found.cliques.size());
    for (const std::vector<int>& clique : found.cliques) {
        QCOMPARE(int(clique.size()), groups);
        QVERIFY(isClique(g, clique));
    }
    if (groups == 9) {
        const ExactAnalysis analysis = analyseExactly(moonMoser(groups), {}, 1);
        QCOMPARE(maximalCliqueCountText(analysis),
                 QString("Mehr als 10.000 maximale Cliquen; gezeigt werden die 10.000 größten."));
        QCOMPARE(analysis.cliqueNumber, qsizetype(9));
    }
}

void TestExactLogic::largestKeptPastTheCap_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::addColumn<int>("cap");
    QTest::newRow("30 random") << randomGraph(30, 0.5, 30u) << 10;
    QTest::newRow("40 sparse") << randomGraph(40, 0.2, 40u) << 50;
    // 243 cliques of 5, then one of 6 on the last vertices, found last.
    QTest::newRow("moon-moser and a 6-clique")
        << numberedGraph(21, [](int a, int b) { return a < 15 ? b < 15 && a / 3 != b / 3 : true; })
        << 100;
    QTest::newRow("below the cap") << randomGraph(20, 0.5, 20u) << 1000;
}

// Past the cap the list holds cliques of the largest sizes there are.
void TestExactLogic::largestKeptPastTheCap() {
    QFETCH(GraphStore, store);
    QFETCH(int, cap);
    const ExactGraph g = buildExactGraph(store);
    const MaximalCliques all = enumerateMaximalCliques(g, 1'000'000, kNoStepLimit);
    const MaximalCliques kept = enumerateMaximalCliques(g, std::size_t(cap), kNoStepLimit);
    const auto sizes = [](std::vector<std::vector<int>> cliques, std::size_t count) {
        std::vector<std::size_t> result;
        for (const std::vector<int>& clique : cliques)
            result.push_back(clique.size());
        std::sort(result.rbegin(), result.rend());
        result.resize(std::min(count, result.size()));
        return result;
    };
    QCOMPARE(kept.truncated, all.cliques.size() > std::size_t(cap));
    QCOMPARE(sizes(kept.cliques, kept.cliques.size()), sizes(all.cliques, std::size_t(cap)));
    const Cliques every(all.cliques.begin(), all.cliques.end());
    for (const std::vector<int>& clique : kept.cliques)
        QVERIFY(every.contains(clique));
    QCOMPARE(Cliques(kept.cliques.begin(), kept.cliques.end()).size(), kept.cliques.size());
}

// A search stopped early says so; what it found still holds.
void TestExactLogic::stepLimit() {
    std::mt19937 engine(3u);
    std::bernoulli_distribution joined(0.7);
    const GraphStore dense = numberedGraph(80, [&](int, int) { return joined(engine); });
    const ExactGraph g = buildExactGraph(dense);
    const MaximumCliqueResult largest = maximumClique(g, 5);
    QVERIFY(!largest.complete);
    QVERIFY(!largest.clique.empty());
    QVERIFY(isClique(g, largest.clique));
    QVERIFY(maximumClique(g).complete);

    const ExactGraph moon = buildExactGraph(moonMoser(8));
    const MaximalCliques maximal = enumerateMaximalCliques(moon, kMaximalCliqueCap, 100);
    QVERIFY(!maximal.complete);
    QVERIFY(!maximal.truncated);
    QVERIFY(!maximal.cliques.empty());
    for (const std::vector<int>& clique : maximal.cliques)
        QVERIFY(clique.size() == 8 && isClique(moon, clique));

    // keller4 has far more maximal cliques than the cap; stopped or not, the
    // list starts with the largest.
    const ExactAnalysis keller = analyseExactly(kellerGraph(4), {}, 1);
    QVERIFY(keller.truncated);
    QCOMPARE(keller.maximalCliques.first().clique.members.size(), keller.cliqueNumber);
    QVERIFY(
        maximalCliqueCountText(keller).contains("Der Graph hat mehr als 10.000 maximale Cliquen"));

    const ExactAnalysis stopped = analyseExactly(dense, {}, 80, 5);
    const qsizetype found = stopped.cliqueNumber;
    QCOMPARE(cliqueNumberText(stopped), QString("mindestens %1").arg(found));
    QCOMPARE(exactDecisionText(stopped), QString("Unbekannt"));
    QVERIFY(exampleText(stopped).isEmpty());
    QVERIFY(maximalCliqueCountText(stopped).startsWith("Die Suche hat nach 5 Schritten aufgehört"));
    QCOMPARE(comparisonText(stopped),
             QString("Die exakte Suche hat nach 5 Schritten aufgehört: Die größte Clique hat "
                     "mindestens %1 Knoten.")
                 .arg(found));
    const CliqueList pair{Clique{{"0", g.labels[g.neighbours[0].first()]}}};
    QVERIFY(comparisonText(analyseExactly(dense, pair, 80, 5))
                .endsWith(" Die gierige Suche fand höchstens 2."));
    QCOMPARE(exactDecisionText(analyseExactly(dense, {}, found, 5)), QString("Ja"));
    const ExactAnalysis full = analyseExactly(dense, {}, 80);
    QCOMPARE(cliqueNumberText(full), QString::number(maximumClique(g).clique.size()));
    QCOMPARE(exactDecisionText(full), QString("Nein"));
}

void TestExactLogic::graphFromStore() {
    GraphStore store;
    for (const char* label : {"a", "A", "b", "a", "2-3", "2", "lone"})
        store.vertices.append(label);
    for (const char* edge : {"a-b", "b-a", "A-A", "A-c", "2-3", "2-2-3", "b", "-a"})
        store.edges.append(edge);
    store.edgeCount = 0; // stale on purpose: every edge is read
    const ExactGraph g = buildExactGraph(store);
    QCOMPARE(g.labels, (QList<QByteArray>{"a", "A", "b", "2-3", "2", "lone"}));
    const ExactAnalysis analysis = analyseExactly(store, {}, 3);
    QCOMPARE(texts(analysis.maximalCliques),
             (QList<QByteArray>{"(2-2-3) nein", "(a-b) nein", "(A) nein", "(lone) nein"}));
    QCOMPARE(analysis.cliqueNumber, qsizetype(2));
    QCOMPARE(exactDecisionText(analysis), QString("Nein"));
    QVERIFY(exampleText(analysis).isEmpty());

    const ExactAnalysis none = analyseExactly(GraphStore(), {}, 1);
    QCOMPARE(none.cliqueNumber, qsizetype(0));
    QVERIFY(none.maximalCliques.isEmpty());
    QCOMPARE(maximalCliqueCountText(none), QString("Der Graph hat keine Knoten."));
    QCOMPARE(exactDecisionText(none), QString("Nein"));
}

// The reason is a colouring with exactly the clique number of colours, where
// one is found, and the search's branches where none exists.
void TestExactLogic::whyNotLarger_data() {
    QTest::addColumn<GraphStore>("store");
    QTest::addColumn<QString>("reason"); // "colouring", "search" or "none"
    QTest::newRow("sample 1") << sampleStore(1) << "colouring";
    QTest::newRow("sample 2") << sampleStore(2) << "colouring";
    QTest::newRow("no edges") << numberedGraph(4, [](int, int) { return false; }) << "colouring";
    QTest::newRow("complete 6") << completeGraph(6) << "colouring";
    QTest::newRow("hamming8-4") << hammingGraph(8, 4) << "colouring";
    // Clique number 2, but an odd cycle needs 3 colours; johnson16-2-4
    // needs 14 colours for cliques of 8.
    QTest::newRow("5-cycle") << numberedGraph(5, [](int a, int b) {
        return b - a == 1 || b - a == 4;
    }) << "search";
    QTest::newRow("johnson16-2-4") << johnsonGraph(16, 2, 4) << "search";
    QTest::newRow("no vertices") << GraphStore() << "none";
}

void TestExactLogic::whyNotLarger() {
    QFETCH(GraphStore, store);
    QFETCH(QString, reason);
    const ExactAnalysis analysis = analyseExactly(store, {}, 1, 300'000);
    QVERIFY(analysis.cliqueNumberComplete);
    const CliqueNumberReason why = explainCliqueNumber(store, analysis);
    QCOMPARE(why.colourClasses.isEmpty(), reason != "colouring");
    QCOMPARE(why.levels.empty(), reason != "search");
    const ExactGraph g = buildExactGraph(store);
    if (reason == "colouring") {
        QCOMPARE(why.colourClasses.size(), analysis.cliqueNumber);
        QList<QByteArray> coloured;
        for (const QList<QByteArray>& members : why.colourClasses)
            for (const QByteArray& a : members) {
                for (const QByteArray& b : members)
                    QVERIFY(!g.adjacent(int(g.labels.indexOf(a)), int(g.labels.indexOf(b))));
                coloured.append(a);
            }
        std::sort(coloured.begin(), coloured.end());
        QList<QByteArray> all = g.labels;
        std::sort(all.begin(), all.end());
        QCOMPARE(coloured, all);
        QVERIFY(why.text.endsWith(
            QString("Keine Clique hat mehr als %1 Knoten.").arg(analysis.cliqueNumber)));
    }
    if (reason == "search") {
        QVERIFY(why.text.startsWith(QString("Eine Färbung mit nur %1 Farben wurde nicht gefunden")
                                        .arg(analysis.cliqueNumber)));
        // The search looks at no clique larger than the clique number.
        QCOMPARE(why.levels.front().examined, std::uint64_t(1));
        QVERIFY(qsizetype(why.levels.size()) <= analysis.cliqueNumber + 1);
        for (const BranchLevel& level : why.levels)
            QVERIFY(level.cut <= level.examined);
        QCOMPARE(branchTableRow(0, why.levels[0]).mid(0, 2), QStringList({"0", "1"}));
    }
    if (reason == "none") {
        // A search that stopped early leaves the question open.
        const GraphStore dense = randomGraph(80, 0.7, 3u);
        QVERIFY(explainCliqueNumber(dense, analyseExactly(dense, {}, 1, 5))
                    .text.endsWith("ist offen."));
    }
}

void TestExactLogic::comparison_data() {
    QTest::addColumn<int>("sample");               // 0: the graph below
    QTest::addColumn<QList<QByteArray>>("greedy"); // empty: the greedy search's own list
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("sentence");
    const QList<QByteArray> none;
    QTest::newRow("sample 1")
        << 1 << none << 4 << QList<QByteArray>{"(0-1-3-4) ja", "(2-4-5) ja", "(4-7) ja",
                                               "(5-8) ja",     "(6-7) ja",   "(7-8) nein"}
        << "Ja"
        << "(0-1-3-4)"
        << "Die gierige Suche hat eine größte Clique gefunden (4 Knoten). Von den 6 maximalen "
           "Cliquen fehlt ihr eine.";
    QTest::newRow("sample 2") << 2 << none << 5 << QList<QByteArray>{"(0-1-3-4) ja", "(0-1-2) ja"}
                              << "Nein"
                              << ""
                              << "Die gierige Suche hat eine größte Clique gefunden (4 Knoten). "
                                 "Sie enthält alle 2 maximalen Cliquen.";
    QTest::newRow("greedy misses the largest")
        << 0 << none << 3
        << QList<QByteArray>{"(4-5-6-7) nein", "(0-4) ja", "(1-5) ja", "(2-6) ja", "(3-7) ja"}
        << "Ja"
        << "(4-5-6-7)"
        << "Die gierige Suche fand höchstens 2 Knoten, die größte Clique hat aber 4 Knoten. Für "
           "k = 3 antwortet sie deshalb „Nein“, richtig ist „Ja“. Von den 5 maximalen Cliquen "
           "fehlt ihr eine.";
    QTest::newRow("list of another graph")
        << 2 << QList<QByteArray>{"0", "9"} << 1
        << QList<QByteArray>{"(0-1-3-4) nein", "(0-1-2) nein"} << "Ja"
        << "(0-1-3-4)"
        << "Die Liste „Gefundene Cliquen“ gehört nicht zum aktuellen Graphen: Nach „Berechnen!“ "
           "lässt sie sich wieder vergleichen.";
}

void TestExactLogic::comparison() {
    QFETCH(int, sample);
    QFETCH(QList<QByteArray>, greedy);
    QFETCH(int, k);
    GraphStore store;
    if (sample > 0) {
        appendSampleGraph(store, sample);
    } else {
        // A 4-clique whose members each first meet a vertex outside it, so
        // that every greedy run stops at two members.
        for (int v = 0; v < 8; ++v)
            store.vertices.append(QByteArray::number(v));
        for (const char* edge :
             {"0-4", "1-5", "2-6", "3-7", "4-5", "4-6", "4-7", "5-6", "5-7", "6-7"})
            store.edges.append(edge);
    }
    const CliqueList cliques = greedy.isEmpty() ? greedyCliques(store) : CliqueList{Clique{greedy}};
    const ExactAnalysis analysis = analyseExactly(store, cliques, k);
    QTEST(texts(analysis.maximalCliques), "rows");
    QTEST(exactDecisionText(analysis), "answer");
    QTEST(exampleText(analysis), "example");
    QTEST(comparisonText(analysis), "sentence");
    QCOMPARE(decisionQuestionText(analysis),
             QString("Gibt es eine Clique mit mindestens k = %1 Knoten?").arg(k));
    QCOMPARE(analyseExactly(store, {}, k).greedyCount, qsizetype(0));
    QVERIFY(comparisonText(analyseExactly(store, {}, k)).contains("ist leer"));
}

void TestExactLogic::positions() {
    GraphStore store;
    appendSampleGraph(store, 2);
    QVERIFY(!sampleGraphPositions(store, 1));
    const std::optional<VertexPositions> two = sampleGraphPositions(store, 2);
    QVERIFY(two);
    QCOMPARE(two->centres.size(), qsizetype(5));
    QCOMPARE(two->centres.value("3"), sampleGraph(2).centres[3]);
    store.edges.append("2-3");
    QVERIFY(!sampleGraphPositions(store, 2));

    PositionGrid grid;
    grid.fillCoordinates();
    grid.reset();
    GraphStore editor;
    QCOMPARE(placeVertex(grid, editor.vertices, 7).outcome, PlacementOutcome::Placed);
    QCOMPARE(placeVertex(grid, editor.vertices, 0).outcome, PlacementOutcome::Placed);
    const std::optional<VertexPositions> placed = editorPositions(editor, grid);
    QVERIFY(placed);
    QCOMPARE(placed->centres.value("0"), QPoint(273, 150));
    QCOMPARE(placed->centres.value("1"), QPoint(71, 60));
    for (const char* label : {"2", "01", "A", "15"}) {
        GraphStore other = editor;
        other.vertices.append(label);
        QVERIFY2(!editorPositions(other, grid), label);
    }
}

QTEST_GUILESS_MAIN(TestExactLogic)
#include "tst_exact_logic.moc"
