#include "cliques/hardness/reduction.h"
#include "cliques/maximal_cliques.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"

#include <QLineF>
#include <QTest>

#include <algorithm>

namespace {

// Every clause has a literal the assignment makes true, whatever the
// variables it leaves open.
bool satisfiesEveryClause(const QList<Clause>& clauses, const Assignment& assignment) {
    return std::all_of(clauses.begin(), clauses.end(), [&](const Clause& clause) {
        return std::any_of(clause.begin(), clause.end(), [&](const Literal& literal) {
            return assignment.contains(literal.variable) &&
                   assignment.value(literal.variable) != literal.negated;
        });
    });
}

// Tries every assignment: bit i is the value of variable i.
bool satisfiable(const QList<Clause>& clauses) {
    const QStringList variables = variablesOf(Formula{clauses});
    for (unsigned bits = 0; bits < (1u << variables.size()); ++bits) {
        Assignment all;
        for (int i = 0; i < variables.size(); ++i)
            all.insert(variables[i], bits >> i & 1u);
        if (satisfiesEveryClause(clauses, all))
            return true;
    }
    return false;
}

QList<Clause> clausesAt(const Formula& formula, const QList<int>& indices) {
    QList<Clause> clauses;
    for (int c : indices)
        clauses.append(formula.clauses[c]);
    return clauses;
}

// 1 to 8 clauses of 1 to 3 literals over a to e, in a notation picked at random.
QString randomFormulaText(RandomGenerator& random) {
    const QStringList ands{" ∧ ", " & ", "&"};
    const QStringList ors{" ∨ ", " | ", "|"};
    const QStringList nots{"¬", "!", "-", "~"};
    QStringList clauses;
    for (int c = int(random.below(8)); c >= 0; --c) {
        QStringList literals;
        for (int l = int(random.below(3)); l >= 0; --l)
            literals.append((random.below(2) ? nots[random.below(4)] : QString()) +
                            QChar(u'a' + random.below(5)));
        clauses.append('(' + literals.join(ors[random.below(3)]) + ')');
    }
    return clauses.join(ands[random.below(3)]);
}

Formula parsed(const QString& text) {
    const ParsedFormula result = parseFormula(text);
    if (result.error)
        qFatal("%s: %s", qPrintable(text), qPrintable(result.error->message));
    return result.formula;
}

} // namespace

class TestReduction : public QObject {
    Q_OBJECT
private slots:
    void notationsAgree_data();
    void notationsAgree();
    void mistakes_data();
    void mistakes();
    void handChecked_data();
    void handChecked();
    void cliquesAgreeWithBruteForce();
    void readingCliques_data();
    void readingCliques();
    void unsatisfiable_data();
    void unsatisfiable();
    void columns_data();
    void columns();
};

void TestReduction::notationsAgree_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("ascii");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two clauses") << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ b)"
                                 << "(a | !b | c) & (!a | b)"
                                 << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ b)";
    QTest::newRow("dash, tilde, no spaces") << "(¬x1 ∨ y)∧(¬y)"
                                            << "(-x1|y)&(~y)"
                                            << "(¬x1 ∨ y) ∧ (¬y)";
    QTest::newRow("without parentheses") << "a ∨ b ∧ ¬c"
                                         << "(a | b) & !c"
                                         << "(a ∨ b) ∧ (¬c)";
    QTest::newRow("repeated literal") << "(a ∨ a ∨ B)"
                                      << "(a | B)"
                                      << "(a ∨ B)";
}

void TestReduction::notationsAgree() {
    QFETCH(QString, written);
    QFETCH(QString, ascii);
    QFETCH(QString, shown);
    const Formula formula = parsed(written);
    QCOMPARE(parsed(ascii), formula);
    QCOMPARE(formulaText(formula), shown);
}

void TestReduction::mistakes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "  " << 3 << "Die Formel ist leer.";
    QTest::newRow("unclosed") << "(a ∨ b" << 7 << "Hier fehlt „)“.";
    QTest::newRow("and inside") << "(a ∧ b)" << 4 << "Hier fehlt „)“.";
    QTest::newRow("or twice") << "(a ∨ ∨ b)" << 6 << "Hier fehlt eine Variable vor „∨“.";
    QTest::newRow("empty clause") << "(a) & ()" << 8 << "Hier fehlt eine Variable vor „)“.";
    QTest::newRow("negation alone") << "(a) & !" << 8 << "Hier fehlt eine Variable.";
    QTest::newRow("four literals")
        << "(a ∨ b ∨ c ∨ d)" << 14 << "Eine Klausel hat höchstens 3 Literale.";
    QTest::newRow("nine clauses") << "a&b&c&d&e&f&g&h&i" << 17
                                  << "Eine Formel hat hier höchstens 8 Klauseln.";
    QTest::newRow("digit first") << "(a | 1b)" << 6
                                 << "Ein Variablenname beginnt mit einem Buchstaben.";
    QTest::newRow("unknown sign") << "(a # b)" << 4
                                  << "Das Zeichen „#“ gehört nicht in eine Formel.";
    QTest::newRow("underscore in a name")
        << "(x_1)" << 3 << "Das Zeichen „_“ gehört nicht in eine Formel.";
    QTest::newRow("no and") << "(a) (b)" << 5 << "Zwischen zwei Klauseln fehlt „∧“.";
    QTest::newRow("or between clauses")
        << "(a) ∨ (b)" << 5
        << "„∨“ verbindet nur Literale in einer Klausel; zwischen Klauseln steht „∧“.";
    QTest::newRow("stray parenthesis") << "a) ∧ b" << 2 << "Zu dieser „)“ gehört keine „(“.";
    QTest::newRow("and at the end") << "(a) ∧ " << 7 << "Nach „∧“ fehlt eine Klausel.";
}

void TestReduction::mistakes() {
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, message);
    const ParsedFormula result = parseFormula(text);
    QVERIFY(result.error);
    QCOMPARE(result.error->position, position);
    QCOMPARE(result.error->message, QString("Fehler an Stelle %1: %2").arg(position).arg(message));
    QCOMPARE(result.formula, Formula());
}

void TestReduction::handChecked_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("edges");
    QTest::newRow("two clauses") << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ b)"
                                 << QStringList{"a1", "¬b1", "c1", "¬a2", "b2"} << 4;
    QTest::newRow("contradiction") << "(a) ∧ (¬a)" << QStringList{"a1", "¬a2"} << 0;
    QTest::newRow("three times the same")
        << "(a|b|c)&(a|b|c)&(a|b|c)"
        << QStringList{"a1", "b1", "c1", "a2", "b2", "c2", "a3", "b3", "c3"} << 27;
    // Within a clause nothing is joined, not even a literal and its negation.
    QTest::newRow("names ending in a digit")
        << "(x1 ∨ ¬x1) ∧ (x1)" << QStringList{"x1_1", "¬x1_1", "x1_2"} << 1;
}

void TestReduction::handChecked() {
    QFETCH(QString, formula);
    QFETCH(QStringList, labels);
    QFETCH(int, edges);
    const Reduction reduction = reduceToClique(parsed(formula));
    QStringList shown;
    for (const QByteArray& label : reduction.graph.vertices)
        shown.append(QString::fromUtf8(label));
    QCOMPARE(shown, labels);
    QCOMPARE(reduction.graph.edgeCount, qsizetype(edges));
    QCOMPARE(reduction.k(), int(parsed(formula).clauses.size()));
}

// The graph has a clique of k vertices exactly when the formula can be
// satisfied; every such clique reads as a satisfying assignment; where none
// exists, the clause set named cannot be satisfied, but any smaller part of it
// can, and no smaller set of clauses would have done.
void TestReduction::cliquesAgreeWithBruteForce() {
    RandomGenerator random(2025);
    int satisfiableCount = 0;
    int namedCount = 0;
    for (int run = 0; run < 300; ++run) {
        const QString text = randomFormulaText(random);
        const Formula formula = parsed(text);
        const Reduction reduction = reduceToClique(formula);
        const ReductionAnswer answer = answerReduction(reduction);
        const bool expected = satisfiable(formula.clauses);
        QVERIFY2(answer.satisfiable() == expected, qPrintable(text));
        QCOMPARE(answer.cliqueNumber == reduction.k(), expected);
        QCOMPARE(answer.clique.members.size(), answer.cliqueNumber);

        const ExactGraph graph = buildExactGraph(reduction.graph);
        for (const std::vector<int>& clique : enumerateMaximalCliques(graph).cliques) {
            if (int(clique.size()) != reduction.k())
                continue;
            Clique members;
            for (int v : clique)
                members.members.append(graph.labels[v]);
            const std::optional<Assignment> assignment = assignmentOf(reduction, members);
            QVERIFY2(assignment && satisfiesEveryClause(formula.clauses, *assignment),
                     qPrintable(text));
        }

        const QList<int>& named = answer.unsatisfiableClauses;
        if (expected) {
            ++satisfiableCount;
            QVERIFY(satisfiesEveryClause(formula.clauses, *answer.assignment));
            QVERIFY(named.isEmpty());
            continue;
        }
        if (!named.isEmpty()) {
            ++namedCount;
            QVERIFY2(named.size() <= kSmallClauseSet && named.size() < reduction.k(),
                     qPrintable(text));
            QVERIFY2(!satisfiable(clausesAt(formula, named)), qPrintable(text));
        }
        // No set of fewer clauses (or of the allowed size, when none was
        // named) fails: all those of one clause less than the bound are tried.
        const int bound =
            named.isEmpty() ? std::min(kSmallClauseSet, reduction.k() - 1) : int(named.size()) - 1;
        for (unsigned mask = 1; mask < (1u << reduction.k()); ++mask) {
            if (std::popcount(mask) > bound)
                continue;
            QList<int> part;
            for (int c = 0; c < reduction.k(); ++c)
                if (mask & (1u << c))
                    part.append(c);
            QVERIFY2(satisfiable(clausesAt(formula, part)), qPrintable(text));
        }
    }
    // Both kinds come up often enough to mean something.
    QVERIFY(satisfiableCount > 50 && satisfiableCount < 250);
    QVERIFY(namedCount > 10);
}

void TestReduction::readingCliques_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<QString>("text"); // empty: no assignment
    QTest::newRow("one free variable") << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ ¬b)" << QStringList{"a1", "¬b2"}
                                       << "a = wahr, b = falsch, c beliebig: jede Klausel ist "
                                          "erfüllt";
    QTest::newRow("a clause left out") << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ ¬b)" << QStringList{"a1"} << "";
    QTest::newRow("two of one clause")
        << "(a ∨ ¬b) ∧ (¬a ∨ ¬b)" << QStringList{"a1", "¬b1", "¬b2"} << "";
    QTest::newRow("a literal and its negation")
        << "(a ∨ ¬b) ∧ (¬a ∨ ¬b)" << QStringList{"a1", "¬a2"} << "";
    QTest::newRow("no such vertex") << "(a) ∧ (b)" << QStringList{"a1", "b1"} << "";
}

void TestReduction::readingCliques() {
    QFETCH(QString, formula);
    QFETCH(QStringList, members);
    QFETCH(QString, text);
    const Reduction reduction = reduceToClique(parsed(formula));
    Clique clique;
    for (const QString& member : members)
        clique.members.append(member.toUtf8());
    const std::optional<Assignment> assignment = assignmentOf(reduction, clique);
    QCOMPARE(assignment.has_value(), !text.isEmpty());
    if (assignment)
        QCOMPARE(assignmentText(reduction.formula, *assignment), text);
}

void TestReduction::unsatisfiable_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("text");
    QTest::newRow("example") << kUnsatisfiableExample
                             << "Die größte Clique hat 4 Knoten, weniger als k = 5: Die Formel "
                                "ist daher nicht erfüllbar. Schon die Klauseln K1, K2, K3 und K5 "
                                "lassen sich nicht zugleich erfüllen.";
    QTest::newRow("two of three") << "(a) ∧ (b) ∧ (¬b)"
                                  << "Die größte Clique hat 2 Knoten, weniger als k = 3: Die "
                                     "Formel ist daher nicht erfüllbar. Schon die Klauseln K2 und "
                                     "K3 lassen sich nicht zugleich erfüllen.";
    // Every one of the eight clauses is needed: no small set, the clique number.
    QTest::newRow("all eight") << "(a|b|c)&(a|b|!c)&(a|!b|c)&(a|!b|!c)&(!a|b|c)&(!a|b|!c)&"
                                  "(!a|!b|c)&(!a|!b|!c)"
                               << "Die größte Clique hat 7 Knoten, weniger als k = 8: Die Formel "
                                  "ist daher nicht erfüllbar.";
}

void TestReduction::unsatisfiable() {
    QFETCH(QString, formula);
    QFETCH(QString, text);
    const Reduction reduction = reduceToClique(parsed(formula));
    QCOMPARE(answerText(reduction, answerReduction(reduction)), text);
}

void TestReduction::columns_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("legible");
    QTest::newRow("two clauses") << "(a ∨ ¬b ∨ c) ∧ (¬a ∨ b)" << kLabelPixelSize << 5;
    QTest::newRow("eight full clauses") << "(a|b|c)&(a|b|!c)&(a|!b|c)&(a|!b|!c)&(!a|b|c)&"
                                           "(!a|b|!c)&(!a|!b|c)&(!a|!b|!c)"
                                        << kLabelPixelSize << 24;
    QTest::newRow("a long name, smaller") << "(¬abcdefgh)&b&c&d&e&f&g&h" << 8 << 8;
    QTest::newRow("a name too long") << "(¬abcdefghijk)&b&c&d&e&f&g&h" << 8 << 7;
}

// One column per clause, left to right, below the names; no circle on
// another; a level edge passes clear of the circles of the columns of the
// other parity it crosses; every label that fits its column is drawn.
void TestReduction::columns() {
    QFETCH(QString, formula);
    QFETCH(int, pixelSize);
    QFETCH(int, legible);
    const Reduction reduction = reduceToClique(parsed(formula));
    const GraphLayout layout = reductionLayout(reduction);
    const QHash<QByteArray, QPoint>& centres = layout.positions.centres;
    const int r = layout.positions.radius;
    const int columnWidth = kSamplePictureWidth / reduction.k();
    QCOMPARE(centres.size(), reduction.vertices.size());
    for (const ReductionVertex& v : reduction.vertices) {
        const QPoint centre = centres.value(v.label);
        QCOMPARE(centre.x() / columnWidth, v.clause);
        QVERIFY(centre.y() - r > kReductionTitleBand && centre.y() + r < kSamplePictureHeight);
        for (const ReductionVertex& u : reduction.vertices)
            if (u.label != v.label)
                QVERIFY(QLineF(centre, centres.value(u.label)).length() > 2 * r);
    }
    for (const QByteArray& edge : reduction.graph.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const QPoint a = centres.value(ends.first);
        const QPoint b = centres.value(ends.second);
        if (a.y() != b.y())
            continue;
        for (const QPoint& centre : centres)
            if (centre.x() > std::min(a.x(), b.x()) && centre.x() < std::max(a.x(), b.x()) &&
                (centre.x() / columnWidth - a.x() / columnWidth) % 2 != 0)
                QVERIFY2(std::abs(centre.y() - a.y()) > r, edge.constData());
    }
    QCOMPARE(layout.labelPixelSize, pixelSize);
    QCOMPARE(layout.legibleLabels.size(), legible);
}

QTEST_GUILESS_MAIN(TestReduction)
#include "tst_reduction.moc"
