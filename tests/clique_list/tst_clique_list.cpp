#include "clique_list/clique_texts.h"
#include "cliques/clique_list.h"

#include <QCollator>
#include <QTest>

Q_DECLARE_METATYPE(Clique)
Q_DECLARE_METATYPE(CliqueList)

namespace {

// Remembers every position reported.
class RecordingProgress final : public ProgressSink {
public:
    void begin() override { calls.append("begin"); }
    void finish() override { calls.append("finish"); }
    void setMaximum(int maximum) override { calls.append("max " + QByteArray::number(maximum)); }
    void setPosition(int position) override { calls.append("pos " + QByteArray::number(position)); }
    QByteArrayList calls;
};

} // namespace

class TestCliqueList : public QObject {
    Q_OBJECT
private slots:
    void normalise_data();
    void normalise();
    void labelOrderIsStrict();
    void agreesWithGermanCollation();
    void redundancy_data();
    void redundancy();
    void sort_data();
    void sort();
    void largestSize_data();
    void largestSize();
    void decisionAnswerOf_data();
    void decisionAnswerOf();
    void fileBytes_data();
    void fileBytes();
    void displayTextPerLabel_data();
    void displayTextPerLabel();
};

void TestCliqueList::normalise_data() {
    QTest::addColumn<QByteArrayList>("labels");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::newRow("(4-0-1)") << QByteArrayList{"4", "0", "1"} << QByteArrayList{"0", "1", "4"};
    QTest::newRow("(0-1-4) stays")
        << QByteArrayList{"0", "1", "4"} << QByteArrayList{"0", "1", "4"};
    QTest::newRow("(7)") << QByteArrayList{"7"} << QByteArrayList{"7"};
    QTest::newRow("numbers by value")
        << QByteArrayList{"13", "2", "10"} << QByteArrayList{"2", "10", "13"};
    QTest::newRow("repeats kept") << QByteArrayList{"1", "0", "1"} << QByteArrayList{"0", "1", "1"};
    QTest::newRow("numbers before words") << QByteArrayList{"Anna", "14", "b", "B", "a", "0"}
                                          << QByteArrayList{"0", "14", "a", "Anna", "B", "b"};
    QTest::newRow("case decides ties only")
        << QByteArrayList{"a", "B", "A", "b"} << QByteArrayList{"A", "a", "B", "b"};
    QTest::newRow("leading zeros")
        << QByteArrayList{"10", "7", "07", "007"} << QByteArrayList{"007", "07", "7", "10"};
    QTest::newRow("numbers beyond 64 bits")
        << QByteArrayList{"123456789012345678901234567890", "99", "123456789012345678901234567889"}
        << QByteArrayList{"99", "123456789012345678901234567889", "123456789012345678901234567890"};
    QTest::newRow("signs and spaces are text")
        << QByteArrayList{"+1", " 2", "3", "x"} << QByteArrayList{"3", " 2", "+1", "x"};
    // German filing: umlauts and accents under their base letters, any case.
    QTest::newRow("umlauts under their base letters")
        << QByteArrayList{"Zoë", "Öznur", "ärger"} << QByteArrayList{"ärger", "Öznur", "Zoë"};
    QTest::newRow("filed alike, the bytes decide")
        << QByteArrayList{"öa", "Öb", "äy", "Äx", "oa", "Ob"}
        << QByteArrayList{"Äx", "äy", "oa", "öa", "Ob", "Öb"};
    // As "ss" Maßa files between Masb and Masz; as "s" it would come first,
    // left as it is last.
    QTest::newRow("ß as ss") << QByteArrayList{"Masz", "Maßa", "Masb"}
                             << QByteArrayList{"Masb", "Maßa", "Masz"};
    QTest::newRow("capital ẞ as ss")
        << QByteArrayList{"MASZ", "MAẞA", "MASB"} << QByteArrayList{"MASB", "MAẞA", "MASZ"};
    // Each label decoded on its own: Latin-1 "caf\xe9" files as "cafe".
    QTest::newRow("Latin-1 and UTF-8 labels")
        << QByteArrayList{"J\xc3\xb6rg", "cafz", "caf\xe9", "Jp", "cafe"}
        << QByteArrayList{"cafe", "caf\xe9", "cafz", "J\xc3\xb6rg", "Jp"};
    QTest::newRow("numbers still first")
        << QByteArrayList{"ä", "2", "Ä1", "10"} << QByteArrayList{"2", "10", "ä", "Ä1"};
}

void TestCliqueList::normalise() {
    QFETCH(QByteArrayList, labels);
    QFETCH(QByteArrayList, expected);
    QCOMPARE(normaliseClique(Clique{labels}).members, expected);
    // Any starting order gives the same result.
    std::reverse(labels.begin(), labels.end());
    QCOMPARE(normaliseClique(Clique{labels}).members, expected);
}

void TestCliqueList::labelOrderIsStrict() {
    const QByteArrayList labels{
        "0",       "00", "1",  "01", "10", "2",       "A",
        "a",       "Ab", "aB", "b",  "",   "-1",      "999999999999999999999",
        "Ä",       "ä",  "ß",  "ss", "SS", "caf\xe9", "café",
        "\xff\xfe"};
    for (const QByteArray& a : labels) {
        QVERIFY2(!labelLess(a, a), a.constData());
        for (const QByteArray& b : labels) {
            if (a != b)
                QVERIFY2(labelLess(a, b) != labelLess(b, a), (a + " / " + b).constData());
            for (const QByteArray& c : labels)
                if (labelLess(a, b) && labelLess(b, c))
                    QVERIFY2(labelLess(a, c), (a + " < " + b + " < " + c).constData());
        }
    }
}

// Where Qt's collation has ICU, its German order of words agrees with ours.
// (Ours is written out because ICU is not always there, and because ICU
// files punctuation apart from bytes and lower case before upper, which
// would change the order of plain ASCII labels.)
void TestCliqueList::agreesWithGermanCollation() {
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    german.setCaseSensitivity(Qt::CaseInsensitive);
    if (german.compare(QString("ä"), QString("b")) >= 0)
        QSKIP("Qt's collation here does not know German order (no ICU)");
    // No two words differ by case alone, where the two orders part.
    const QStringList words{"Zoë",     "Öznur",  "ärger",  "Apfel",   "äpfel",    "Müller",
                            "Mueller", "Muller", "Straße", "Strasse", "Strassen", "Ohr",
                            "Öl",      "oben",   "über",   "Ufer",    "Zebra",    "zürnen",
                            "Maß",     "Masse",  "Mast",   "Éclair",  "eben"};
    QStringList collated = words;
    std::sort(collated.begin(), collated.end(),
              [&](const QString& a, const QString& b) { return german.compare(a, b) < 0; });
    QByteArrayList labels;
    for (const QString& word : words)
        labels.append(word.toUtf8());
    QStringList filed;
    for (const QByteArray& label : normaliseClique(Clique{labels}).members)
        filed.append(QString::fromUtf8(label));
    QCOMPARE(filed, collated);
}

void TestCliqueList::redundancy_data() {
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::newRow("label order") << cliquesOf({"(0-1-4)", "(1-0-4)", "(4-5)", "(4-1-0)"})
                                 << QByteArrayList{"(0-1-4)", "(4-5)"};
    QTest::newRow("empty") << CliqueList{} << QByteArrayList{};
    QTest::newRow("one entry") << cliquesOf({"(4-1)"}) << QByteArrayList{"(1-4)"};
    QTest::newRow("sample graph 1") << cliquesOf(kSearch1) << kUnique1;
    QTest::newRow("sample graph 2") << cliquesOf(kSearch2) << kUnique2;
    QTest::newRow("twice the search") << cliquesOf(kSearch2 + kSearch2) << kUnique2;
    QTest::newRow("multi-digit labels")
        << cliquesOf({"(13-2-10)", "(2-10-13)", "(1-3-2-10)", "(10-2-13)", "(1-2-10-3)"})
        << QByteArrayList{"(2-10-13)", "(1-2-3-10)"};
    // Read digit by digit, (1-0-2) and (10-2) would fall together.
    QTest::newRow("digits are not labels")
        << cliquesOf({"(1-0-2)", "(10-2)", "(2-10)"}) << QByteArrayList{"(0-1-2)", "(2-10)"};
    QTest::newRow("case sensitive")
        << cliquesOf({"(A-b)", "(a-b)", "(b-A)"}) << QByteArrayList{"(A-b)", "(a-b)"};
    QTest::newRow("labels without digits") << cliquesOf({"(Anna-Bert)", "(Bert-Anna)", "(Carl)"})
                                           << QByteArrayList{"(Anna-Bert)", "(Carl)"};
    QTest::newRow("German labels")
        << cliquesOf({"(Zoë-Öznur-ärger)", "(ärger-Zoë-Öznur)", "(öa-Öb-äy-Äx-oa-Ob)"})
        << QByteArrayList{"(ärger-Öznur-Zoë)", "(Äx-äy-oa-öa-Ob-Öb)"};
    // Equal texts, different labels: a label may hold "-".
    QTest::newRow("same text, other labels")
        << CliqueList{Clique{{"a-b", "c"}}, Clique{{"a", "b-c"}}, Clique{{"c", "a-b"}}}
        << QByteArrayList{"(a-b-c)", "(a-b-c)"};
}

void TestCliqueList::redundancy() {
    QFETCH(CliqueList, cliques);
    QFETCH(QByteArrayList, expected);
    removeRedundantCliques(cliques);
    QCOMPARE(textsOf(cliques), expected);
    // A second pass changes nothing.
    const CliqueList once = cliques;
    removeRedundantCliques(cliques);
    QCOMPARE(cliques, once);
}

void TestCliqueList::sort_data() {
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<QByteArrayList>("ascending");
    QTest::addColumn<QByteArrayList>("descending");
    QTest::newRow("equal lengths keep order") << cliquesOf({"(0-1-4)", "(2-5)", "(3-1-0)"})
                                              << QByteArrayList{"(2-5)", "(0-1-4)", "(0-1-3)"}
                                              << QByteArrayList{"(0-1-4)", "(0-1-3)", "(2-5)"};
    QTest::newRow("empty") << CliqueList{} << QByteArrayList{} << QByteArrayList{};
    QTest::newRow("one entry") << cliquesOf({"(3-1-0)"}) << QByteArrayList{"(0-1-3)"}
                               << QByteArrayList{"(0-1-3)"};
    QTest::newRow("sample graph 2, without repeats")
        << cliquesOf(kUnique2)
        << QByteArrayList{"(0-2)", "(0-3)", "(0-4)", "(0-1-2)", "(0-1-3)", "(0-1-4)", "(0-1-3-4)"}
        << QByteArrayList{"(0-1-3-4)", "(0-1-2)", "(0-1-3)", "(0-1-4)", "(0-2)", "(0-3)", "(0-4)"};
    QTest::newRow("sample graph 1, without repeats")
        << cliquesOf(kUnique1)
        << QByteArrayList{"(0-1)", "(2-4)", "(0-3)",   "(0-4)",   "(2-5)",   "(6-7)",
                          "(4-7)", "(5-8)", "(0-1-3)", "(2-4-5)", "(0-1-4)", "(0-1-3-4)"}
        << QByteArrayList{"(0-1-3-4)", "(0-1-3)", "(2-4-5)", "(0-1-4)", "(0-1)", "(2-4)",
                          "(0-3)",     "(0-4)",   "(2-5)",   "(6-7)",   "(4-7)", "(5-8)"};
    QTest::newRow("repeats kept") << cliquesOf({"(1-0-4)", "(5-4)", "(4-1-0)", "(4-5)"})
                                  << QByteArrayList{"(4-5)", "(4-5)", "(0-1-4)", "(0-1-4)"}
                                  << QByteArrayList{"(0-1-4)", "(0-1-4)", "(4-5)", "(4-5)"};
    // By the number of labels: (10-11) is as long a text as (1-2-3) but smaller.
    QTest::newRow("multi-digit labels")
        << cliquesOf({"(3-2-1)", "(11-10)", "(14-13-12-10)", "(9)"})
        << QByteArrayList{"(9)", "(10-11)", "(1-2-3)", "(10-12-13-14)"}
        << QByteArrayList{"(10-12-13-14)", "(1-2-3)", "(10-11)", "(9)"};
    QTest::newRow("labels without digits") << cliquesOf({"(Carl-Anna-Bert)", "(Dora)", "(b-A)"})
                                           << QByteArrayList{"(Dora)", "(A-b)", "(Anna-Bert-Carl)"}
                                           << QByteArrayList{"(Anna-Bert-Carl)", "(A-b)", "(Dora)"};
}

void TestCliqueList::sort() {
    QFETCH(CliqueList, cliques);
    QFETCH(QByteArrayList, ascending);
    QFETCH(QByteArrayList, descending);
    CliqueList up = cliques;
    sortCliquesBySize(up, SizeOrder::Ascending);
    QCOMPARE(textsOf(up), ascending);
    sortCliquesBySize(up, SizeOrder::Ascending);
    QCOMPARE(textsOf(up), ascending);
    CliqueList down = cliques;
    sortCliquesBySize(down, SizeOrder::Descending);
    QCOMPARE(textsOf(down), descending);
    sortCliquesBySize(down, SizeOrder::Descending);
    QCOMPARE(textsOf(down), descending);
}

void TestCliqueList::largestSize_data() {
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("three cliques") << cliquesOf({"(0-1-4)", "(4-5)", "(2-4-5)"}) << qsizetype(3);
    QTest::newRow("empty") << CliqueList{} << qsizetype(0);
    QTest::newRow("sample graph 1") << cliquesOf(kSearch1) << qsizetype(4);
    QTest::newRow("sample graph 2, reduced") << cliquesOf(kUnique2) << qsizetype(4);
    QTest::newRow("multi-digit labels")
        << cliquesOf({"(1-2)", "(10-11-12)", "(13-14)"}) << qsizetype(3);
    QTest::newRow("labels without digits") << cliquesOf({"(Anna-Bert)", "(Carl)"}) << qsizetype(2);
    // More entries than an 8-bit counter holds; the largest comes last.
    CliqueList many(300, cliqueOf("(0-1)"));
    many.append(cliqueOf("(0-1-2)"));
    QTest::newRow("301 entries") << many << qsizetype(3);
}

void TestCliqueList::largestSize() {
    QFETCH(CliqueList, cliques);
    QFETCH(qsizetype, expected);
    RecordingProgress progress;
    QCOMPARE(largestCliqueSize(cliques, &progress), expected);
    QByteArrayList positions;
    for (qsizetype i = 0; i < cliques.size(); ++i)
        positions.append("pos " + QByteArray::number(i));
    QCOMPARE(progress.calls, positions);
    QCOMPARE(largestCliqueSize(cliques, nullptr), expected);
}

void TestCliqueList::decisionAnswerOf_data() {
    QTest::addColumn<qsizetype>("largest");
    QTest::addColumn<qsizetype>("k");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("3 for k=3") << qsizetype(3) << qsizetype(3) << QByteArray("Ja");
    QTest::newRow("3 for k=4") << qsizetype(3) << qsizetype(4) << QByteArray("Nein");
    QTest::newRow("4 for k=1") << qsizetype(4) << qsizetype(1) << QByteArray("Ja");
    QTest::newRow("0 for k=1") << qsizetype(0) << qsizetype(1) << QByteArray("Nein");
    QTest::newRow("0 for k=15") << qsizetype(0) << qsizetype(15) << QByteArray("Nein");
    QTest::newRow("300 for k=15") << qsizetype(300) << qsizetype(15) << QByteArray("Ja");
}

void TestCliqueList::decisionAnswerOf() {
    QFETCH(qsizetype, largest);
    QFETCH(qsizetype, k);
    QFETCH(QByteArray, expected);
    QCOMPARE(decisionAnswer(largest, k), expected);
}

void TestCliqueList::fileBytes_data() {
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty") << CliqueList{} << QByteArray();
    QTest::newRow("two") << cliquesOf({"(0-1-4)", "(4-5)"}) << QByteArray("(0-1-4)\r\n(4-5)\r\n");
    QTest::newRow("bytes kept") << CliqueList{Clique{{"J\xfcrgen", "\xc3\xa4"}}}
                                << QByteArray("(J\xfcrgen-\xc3\xa4)\r\n");
}

void TestCliqueList::fileBytes() {
    QFETCH(CliqueList, cliques);
    QFETCH(QByteArray, expected);
    QCOMPARE(cliqueListBytes(cliques), expected);
}

void TestCliqueList::displayTextPerLabel_data() {
    QTest::addColumn<Clique>("clique");
    QTest::addColumn<QString>("expected");
    // Decoded as a whole, the Latin-1 byte would spoil the UTF-8 label too.
    QTest::newRow("Latin-1 beside UTF-8")
        << Clique{{"caf\xe9", "J\xc3\xb6rg"}} << QString("(café-Jörg)");
    QTest::newRow("UTF-8 beside Latin-1")
        << Clique{{"J\xc3\xb6rg", "caf\xe9"}} << QString("(Jörg-café)");
    QTest::newRow("plain") << cliqueOf("(0-1-4)") << QString("(0-1-4)");
    QTest::newRow("one label") << cliqueOf("(7)") << QString("(7)");
}

void TestCliqueList::displayTextPerLabel() {
    QFETCH(Clique, clique);
    QTEST(cliqueDisplayText(clique), "expected");
}

QTEST_APPLESS_MAIN(TestCliqueList)
#include "tst_clique_list.moc"
