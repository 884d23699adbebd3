#include "files/graph_formats.h"
#include "files/list_files.h"
#include "graph/sample_graphs.h"
#include "support/file_size_limit.h"
#include "support/progress_record.h"
#include "support/resident_memory.h"
#include "support/special_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <utility>

using Texts = QList<QByteArray>;
Q_DECLARE_METATYPE(Texts)
Q_DECLARE_METATYPE(GraphFileProblem)
Q_DECLARE_METATYPE(GraphFileFormat)

namespace {

const QString kDimacsName = QStringLiteral("graph.clq");
const QString kListName = QStringLiteral("graph.txt");

QString refusal(const QString& fileName, qsizetype line, const QString& detail) {
    return QStringLiteral("Die Datei \"%1\" enthält keinen lesbaren Graphen.\nZeile %2: %3")
        .arg(fileName, QString::number(line), detail);
}

QString dashedEnds(const QString& a, const QString& b) {
    return QStringLiteral("Die Namen \"%1\" und \"%2\" enthalten beide einen Bindestrich; "
                          "Mandorin trennt die zwei Enden einer Kante am ersten Bindestrich.")
        .arg(a, b);
}

// A problem with the whole file: the message names no line.
QString notText(const QString& fileName) {
    return QStringLiteral("Die Datei \"%1\" ist keine Textdatei: Sie enthält Steuer- oder "
                          "Nullzeichen, wie Bilder und Programme.")
        .arg(fileName);
}
QString emptyFile(const QString& fileName) {
    return QStringLiteral("Die Datei \"%1\" ist leer.").arg(fileName);
}

// The message of a refusal: a detail that is a whole message stands alone.
QString refusalOrWhole(const QString& fileName, qsizetype line, const QString& detail) {
    return detail.startsWith("Die Datei \"") ? detail : refusal(fileName, line, detail);
}

Texts numbers(int first, int last) {
    Texts texts;
    for (int i = first; i <= last; ++i)
        texts.append(QByteArray::number(i));
    return texts;
}

GraphStore storeOf(const Texts& vertices, const Texts& edges) {
    GraphStore store;
    store.vertices = TextList(vertices);
    store.edges = TextList(edges);
    store.refreshCounts();
    return store;
}

} // namespace

class TestGraphFormats : public QObject {
    Q_OBJECT

private slots:
    void formatByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<GraphFileFormat>("format");
        QTest::newRow("clq") << "a/b.clq" << GraphFileFormat::Dimacs;
        QTest::newRow("col") << "b.col" << GraphFileFormat::Dimacs;
        QTest::newRow("dimacs, upper case") << "B.DIMACS" << GraphFileFormat::Dimacs;
        QTest::newRow("txt") << "b.txt" << GraphFileFormat::EdgeList;
        QTest::newRow("edges") << "b.edges" << GraphFileFormat::EdgeList;
        QTest::newRow("csv, mixed case") << "b.Csv" << GraphFileFormat::EdgeList;
        QTest::newRow("picture") << "b.bmp" << GraphFileFormat::Unknown;
        QTest::newRow("ending not last") << "b.clq.bak" << GraphFileFormat::Unknown;
        QTest::newRow("name without ending") << "clq" << GraphFileFormat::Unknown;
    }
    void formatByName() {
        QFETCH(QString, name);
        QTEST(graphFileFormat(name), "format");
    }

    void readsDimacs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Texts>("vertices");
        QTest::addColumn<Texts>("edges");
        QTest::newRow("smallest") << QByteArray("p edge 3 2\ne 1 2\ne 2 3\n") << numbers(1, 3)
                                  << Texts{"1-2", "2-3"};
        QTest::newRow("comments, blank lines, tabs, CR LF, no last break")
            << QByteArray("c first\r\n\r\np col 4 3\r\nc between\r\ne 1\t2\r\n  e 3  4  \r\ne 4 1")
            << numbers(1, 4) << Texts{"1-2", "3-4", "4-1"};
        QTest::newRow("CR alone ends lines")
            << QByteArray("p edge 2 1\re 2 1\r") << numbers(1, 2) << Texts{"2-1"};
        QTest::newRow("UTF-8 mark first")
            << QByteArray("\xEF\xBB\xBFp edge 2 1\ne 1 2\n") << numbers(1, 2) << Texts{"1-2"};
        QTest::newRow("isolated vertices")
            << QByteArray("p edge 5 1\ne 2 5\n") << numbers(1, 5) << Texts{"2-5"};
        QTest::newRow("no edges") << QByteArray("p edge 2 0\n") << numbers(1, 2) << Texts{};
        // The edge count counts lines; files that list both directions exist.
        QTest::newRow("repeats in either direction dropped")
            << QByteArray("p edge 3 4\ne 1 2\ne 2 1\ne 1 2\ne 3 2\n") << numbers(1, 3)
            << Texts{"1-2", "3-2"};
        QTest::newRow("loop kept")
            << QByteArray("p edge 2 1\ne 2 2\n") << numbers(1, 2) << Texts{"2-2"};
        QTest::newRow("leading zeros")
            << QByteArray("p edge 010 1\ne 007 10\n") << numbers(1, 10) << Texts{"7-10"};
        QTest::newRow("any comment text, even control bytes")
            << QByteArray("c \x01\x7f\xff\np edge 2 1\nc\ne 1 2\n") << numbers(1, 2)
            << Texts{"1-2"};
        QTest::newRow("named vertices")
            << QByteArray("p edge 3 2\nc Knoten 2: Berlin\nc Knoten 3:\ne 1 2\ne 2 3\n")
            << Texts{"1", "Berlin", ""} << Texts{"1-Berlin", "Berlin-"};
        QTest::newRow("name keeps its blanks")
            << QByteArray("c Knoten 1:  a b \np edge 1 0\n") << Texts{" a b "} << Texts{};
        QTest::newRow("names may swap numbers")
            << QByteArray("p edge 2 1\nc Knoten 1: 2\nc Knoten 2: 1\ne 1 2\n") << Texts{"2", "1"}
            << Texts{"2-1"};
        QTest::newRow("dashed name goes second")
            << QByteArray("p edge 2 1\nc Knoten 1: a-b\ne 1 2\n") << Texts{"a-b", "2"}
            << Texts{"2-a-b"};
        QTest::newRow("other comments about vertices are no names")
            << QByteArray("p edge 2 0\nc Knoten x: a\nc Knoten 1 heißt a\nc  Knoten 1: a\n")
            << numbers(1, 2) << Texts{};
    }
    void readsDimacs() {
        QFETCH(QByteArray, bytes);
        QFETCH(Texts, vertices);
        QFETCH(Texts, edges);
        const OpenedGraph read = readDimacs(bytes, kDimacsName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.message, QString());
        QCOMPARE(read.graph.vertices.entries(), vertices);
        QCOMPARE(read.graph.edges.entries(), edges);
        QCOMPARE(read.graph.vertexCount, vertices.size());
        QCOMPARE(read.graph.edgeCount, edges.size());
    }

    void refusesDimacs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<GraphFileProblem>("problem");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("detail");
        const QString header = QStringLiteral("\"p edge N M\" erwartet, gefunden: \"%1\".");
        const QString edge = QStringLiteral("\"e u v\" erwartet, gefunden: \"%1\".");
        const QString range = QStringLiteral("Knotennummer %1 liegt nicht zwischen 1 und %2.");
        QTest::newRow("unknown line kind")
            << QByteArray("p edge 2 1\nn 1 5\ne 1 2\n") << GraphFileProblem::MalformedLine << 2
            << "Unbekannte Zeile \"n 1 5\"; erwartet werden Kommentare (c), eine p-Zeile und "
               "Kanten (e).";
        QTest::newRow("header without edge count")
            << QByteArray("c x\np edge 3\n") << GraphFileProblem::MalformedLine << 2
            << header.arg("p edge 3");
        QTest::newRow("header of another kind")
            << QByteArray("p cnf 3 1\n") << GraphFileProblem::MalformedLine << 1
            << header.arg("p cnf 3 1");
        QTest::newRow("negative vertex count")
            << QByteArray("p edge -3 1\n") << GraphFileProblem::MalformedLine << 1
            << header.arg("p edge -3 1");
        QTest::newRow("header with more fields")
            << QByteArray("p edge 3 1 1\n") << GraphFileProblem::MalformedLine << 1
            << header.arg("p edge 3 1 1");
        QTest::newRow("edge with one end")
            << QByteArray("p edge 3 1\ne 1\n") << GraphFileProblem::MalformedLine << 2
            << edge.arg("e 1");
        QTest::newRow("edge with three ends")
            << QByteArray("p edge 3 1\ne 1 2 3\n") << GraphFileProblem::MalformedLine << 2
            << edge.arg("e 1 2 3");
        QTest::newRow("edge of names") << QByteArray("p edge 3 1\n\ne a b\n")
                                       << GraphFileProblem::MalformedLine << 3 << edge.arg("e a b");
        QTest::newRow("long line quoted short")
            << QByteArray("p edge 3 1\ne 1 2 " + QByteArray(60, '3') + "\n")
            << GraphFileProblem::MalformedLine << 2
            << edge.arg("e 1 2 " + QString(34, '3') + "...");
        QTest::newRow("edge before the header")
            << QByteArray("c x\ne 1 2\np edge 2 1\n") << GraphFileProblem::MissingHeader << 2
            << "Kante vor der p-Zeile (\"p edge N M\").";
        QTest::newRow("no header at all")
            << QByteArray("c x\n\n") << GraphFileProblem::MissingHeader << 3
            << "Die Datei endet ohne p-Zeile (\"p edge N M\").";
        QTest::newRow("empty file")
            << QByteArray() << GraphFileProblem::Empty << 0 << emptyFile(kDimacsName);
        QTest::newRow("second header")
            << QByteArray("c\np edge 2 0\np edge 2 0\n") << GraphFileProblem::RepeatedHeader << 3
            << "Zweite p-Zeile (die erste steht in Zeile 2).";
        QTest::newRow("vertex 0") << QByteArray("p edge 3 1\ne 0 1\n")
                                  << GraphFileProblem::VertexOutOfRange << 2 << range.arg(0).arg(3);
        QTest::newRow("vertex past N, second end")
            << QByteArray("p edge 3 2\ne 1 2\ne 3 4\n") << GraphFileProblem::VertexOutOfRange << 3
            << range.arg(4).arg(3);
        QTest::newRow("vertex past every integer")
            << QByteArray("p edge 3 1\ne 1 99999999999999999999999\n")
            << GraphFileProblem::VertexOutOfRange << 2
            << range.arg("99999999999999999999999").arg(3);
        QTest::newRow("more edges than the header gives")
            << QByteArray("p edge 3 1\ne 1 2\ne 2 3\ne 1 3\n") << GraphFileProblem::CountMismatch
            << 3 << "Mehr Kanten, als die p-Zeile angibt (1).";
        QTest::newRow("fewer edges than the header gives")
            << QByteArray("c\np edge 3 3\ne 1 2\ne 2 1\n") << GraphFileProblem::CountMismatch << 2
            << "Die p-Zeile gibt 3 Kanten an, die Datei enthält 2.";
        QTest::newRow("NUL in an edge") << QByteArray("p edge 3 1\ne 1 2\0\n", 17)
                                        << GraphFileProblem::Binary << 2 << notText(kDimacsName);
        QTest::newRow("NUL in a comment") << QByteArray("c a\0b\np edge 3 0\n", 18)
                                          << GraphFileProblem::Binary << 1 << notText(kDimacsName);
        QTest::newRow("control byte in the header")
            << QByteArray("p edge\x01 3 0\n") << GraphFileProblem::Binary << 1
            << notText(kDimacsName);
        QTest::newRow("a picture") << QByteArray("BM\x36\x00\x00\x00", 6)
                                   << GraphFileProblem::Binary << 1 << notText(kDimacsName);
        // Its first line holds no control character; the NUL of its header
        // further on tells what it is.
        QTest::newRow("a PNG picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                       << GraphFileProblem::Binary << 3 << notText(kDimacsName);
        QTest::newRow("NULs only")
            << QByteArray(64, '\0') << GraphFileProblem::Binary << 1 << notText(kDimacsName);
        // Quoted lines show no control character or stray byte.
        QTest::newRow("stray bytes quoted")
            << QByteArray("\x89\x9b x\n") << GraphFileProblem::MalformedLine << 1
            << "Unbekannte Zeile \"\uFFFD\uFFFD x\"; erwartet werden Kommentare (c), eine p-Zeile "
               "und Kanten (e).";
        QTest::newRow("too many vertices")
            << QByteArray("p edge 1000001 0\n") << GraphFileProblem::TooManyVertices << 1
            << "Mehr als 1000000 Knoten.";
        QTest::newRow("no vertices") << QByteArray("p edge 0 0\n") << GraphFileProblem::NoVertices
                                     << 1 << "Der Graph hat keine Knoten.";
        QTest::newRow("name of no vertex")
            << QByteArray("p edge 3 0\nc Knoten 4: x\n") << GraphFileProblem::VertexOutOfRange << 2
            << range.arg(4).arg(3);
        QTest::newRow("name of a vertex past every integer")
            << QByteArray("p edge 3 0\nc Knoten 0099999999999999999999: x\n")
            << GraphFileProblem::VertexOutOfRange << 2
            << range.arg("0099999999999999999999").arg(3);
        QTest::newRow("second name for a vertex")
            << QByteArray("p edge 3 0\nc Knoten 2: x\nc Knoten 2: y\n")
            << GraphFileProblem::NameClash << 3 << "Knoten 2 hat schon einen Namen.";
        QTest::newRow("name of another vertex's number")
            << QByteArray("p edge 3 0\nc Knoten 1: 2\n") << GraphFileProblem::NameClash << 2
            << "Der Name \"2\" gehört zu mehr als einem Knoten.";
        QTest::newRow("one name for two vertices")
            << QByteArray("p edge 3 0\nc Knoten 1: x\nc Knoten 3: x\n")
            << GraphFileProblem::NameClash << 2
            << "Der Name \"x\" gehört zu mehr als einem Knoten.";
        QTest::newRow("edge between two dashed names")
            << QByteArray("p edge 3 2\nc Knoten 1: a-b\nc Knoten 3: c-d\ne 1 2\ne 3 1\n")
            << GraphFileProblem::DashedEnds << 5 << dashedEnds("c-d", "a-b");
        // Found only at the end; the problem on the earlier line is reported.
        QTest::newRow("count on line 1 before a name clash on line 2")
            << QByteArray("p edge 2 1\nc Knoten 1: 2\n") << GraphFileProblem::CountMismatch << 1
            << "Die p-Zeile gibt 1 Kanten an, die Datei enthält 0.";
        QTest::newRow("name clash on line 1 before the count on line 2")
            << QByteArray("c Knoten 1: 2\np edge 2 1\n") << GraphFileProblem::NameClash << 1
            << "Der Name \"2\" gehört zu mehr als einem Knoten.";
    }
    void refusesDimacs() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, detail);
        const OpenedGraph read = readDimacs(bytes, kDimacsName);
        QTEST(read.problem, "problem");
        QCOMPARE(read.line, line);
        QCOMPARE(read.message, refusalOrWhole(kDimacsName, line, detail));
        QVERIFY(!read.ok());
        QVERIFY(read.graph.vertices.isEmpty() && read.graph.edges.isEmpty());
    }

    void readsEdgeList_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Texts>("vertices");
        QTest::addColumn<Texts>("edges");
        QTest::newRow("blanks") << QByteArray("a b\nb  c\n\tc\t \td \n")
                                << Texts{"a", "b", "c", "d"} << Texts{"a-b", "b-c", "c-d"};
        QTest::newRow("comma and semicolon, with or without blanks")
            << QByteArray("1,2\n2 , 3\n3;4\n4 ;5\r\n") << numbers(1, 5)
            << Texts{"1-2", "2-3", "3-4", "4-5"};
        QTest::newRow("comments at the start and after the fields")
            << QByteArray("# Quelle\n% Kanten\nx y # weight 3\ny z\t%c\n  # indented\n")
            << Texts{"x", "y", "z"} << Texts{"x-y", "y-z"};
        QTest::newRow("comment signs inside a label")
            << QByteArray("C# F#m\n") << Texts{"C#", "F#m"} << Texts{"C#-F#m"};
        QTest::newRow("label alone is a vertex, kept in order of mention")
            << QByteArray("z\nb a\nq\na\n") << Texts{"z", "b", "a", "q"} << Texts{"b-a"};
        QTest::newRow("repeats in either direction dropped")
            << QByteArray("a b\nb a\na b\nb c\n") << Texts{"a", "b", "c"} << Texts{"a-b", "b-c"};
        QTest::newRow("loop kept") << QByteArray("a a\n") << Texts{"a"} << Texts{"a-a"};
        QTest::newRow("dashed label goes second")
            << QByteArray("Jean-Luc Anna\nAnna Marie-Claire\n")
            << Texts{"Jean-Luc", "Anna", "Marie-Claire"}
            << Texts{"Anna-Jean-Luc", "Anna-Marie-Claire"};
        QTest::newRow("labels are bytes: UTF-8, Latin-1, case")
            << QByteArray("Köln M\xfcnchen\nA a\n") << Texts{"Köln", "M\xfcnchen", "A", "a"}
            << Texts{"Köln-M\xfcnchen", "A-a"};
        QTest::newRow("UTF-8 mark, CR LF, CR") << QByteArray("\xEF\xBB\xBF"
                                                             "1 2\r\n2 3\r3 1")
                                               << numbers(1, 3) << Texts{"1-2", "2-3", "3-1"};
    }
    void readsEdgeList() {
        QFETCH(QByteArray, bytes);
        QFETCH(Texts, vertices);
        QFETCH(Texts, edges);
        const OpenedGraph read = readEdgeList(bytes, kListName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.graph.vertices.entries(), vertices);
        QCOMPARE(read.graph.edges.entries(), edges);
        QCOMPARE(read.graph.vertexCount, vertices.size());
        QCOMPARE(read.graph.edgeCount, edges.size());
    }

    void refusesEdgeList_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<GraphFileProblem>("problem");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("detail");
        const QString three =
            QStringLiteral("Ein oder zwei Namen je Zeile erwartet, gefunden: \"%1\".");
        const QString empty = QStringLiteral("Leeres Feld in \"%1\".");
        QTest::newRow("three labels")
            << QByteArray("a b\n\na b 1.5\n") << GraphFileProblem::MalformedLine << 3
            << three.arg("a b 1.5");
        QTest::newRow("header of a table")
            << QByteArray("Source,Target,Weight\n1,2,1\n") << GraphFileProblem::MalformedLine << 1
            << three.arg("Source,Target,Weight");
        QTest::newRow("two commas")
            << QByteArray("a,,b\n") << GraphFileProblem::MalformedLine << 1 << empty.arg("a,,b");
        QTest::newRow("comma first")
            << QByteArray("a b\n ,b\n") << GraphFileProblem::MalformedLine << 2 << empty.arg(",b");
        QTest::newRow("semicolon last")
            << QByteArray("a;b;\n") << GraphFileProblem::MalformedLine << 1 << empty.arg("a;b;");
        QTest::newRow("comment where a field is due")
            << QByteArray("a, # b\n") << GraphFileProblem::MalformedLine << 1
            << empty.arg("a, # b");
        QTest::newRow("NUL") << QByteArray("a b\nc\0d\n", 8) << GraphFileProblem::Binary << 2
                             << notText(kListName);
        QTest::newRow("control byte")
            << QByteArray("a b\n\x1b[0m\n") << GraphFileProblem::Binary << 2 << notText(kListName);
        QTest::newRow("the store's own edge text")
            << QByteArray("0-1\n0-4\n") << GraphFileProblem::EdgeTextAlone << 1
            << "\"0-1\" sieht aus wie eine Kante in Mandorins eigener Form. In einer Kantenliste "
               "stehen die zwei Namen getrennt durch Leerzeichen, Komma oder Semikolon; Mandorins "
               "Kanten-Dateien lädt \"Import\".";
        QTest::newRow("edge between two dashed labels")
            << QByteArray("a b\nJean-Luc Marie-Claire\n") << GraphFileProblem::DashedEnds << 2
            << dashedEnds("Jean-Luc", "Marie-Claire");
        QTest::newRow("loop at a dashed label")
            << QByteArray("a-b a-b\n") << GraphFileProblem::DashedEnds << 1
            << dashedEnds("a-b", "a-b");
        QTest::newRow("comments only")
            << QByteArray("# a b\n\n% c\n") << GraphFileProblem::NoVertices << 4
            << "Die Datei nennt keinen Knoten.";
        QTest::newRow("empty file")
            << QByteArray() << GraphFileProblem::Empty << 0 << emptyFile(kListName);
    }
    void refusesEdgeList() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, detail);
        const OpenedGraph read = readEdgeList(bytes, kListName);
        QTEST(read.problem, "problem");
        QCOMPARE(read.line, line);
        QCOMPARE(read.message, refusalOrWhole(kListName, line, detail));
        QVERIFY(read.graph.vertices.isEmpty() && read.graph.edges.isEmpty());
    }

    void bigFilesCostNoMemory_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size"); // a sparse file: its bytes read as NULs
        QTest::addColumn<QString>("message");
        const qint64 twoGigabytes = qint64(2) << 30;
        const qint64 nearTheLimit = qint64(200) << 20;
        const QString tooLarge = QStringLiteral("Die Datei \"%1\" ist mit 2,0 GB zu groß: Mandorin "
                                                "liest Dateien bis 256 MB.");
        QTest::newRow("graph file of 2 GB") << "big.clq" << twoGigabytes << tooLarge.arg("big.clq");
        QTest::newRow("list file of 2 GB")
            << "big.list" << twoGigabytes << tooLarge.arg("big.list");
        QTest::newRow("graph file of NULs") << "nul.txt" << nearTheLimit << notText("nul.txt");
        // Nothing after the first NUL counts: an empty list, read no further.
        QTest::newRow("list file of NULs") << "nul.list" << nearTheLimit << QString();
    }
    // A bad file of any size is refused without reading it into memory.
    void bigFilesCostNoMemory() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(name);
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(size));
        file.close();
        const qint64 before = peakResidentBytes();
        QVERIFY(before > 0);
        if (name.endsWith(".list")) {
            QString problem;
            const std::optional<TextList> list = loadTextList(fileName, &problem);
            QCOMPARE(problem, message);
            QCOMPARE(list.has_value(), message.isEmpty());
            QVERIFY(!list || list->isEmpty());
        } else {
            const OpenedGraph read = openGraphFile(fileName);
            QCOMPARE(read.message, message);
        }
        QVERIFY2(peakResidentBytes() - before < qint64(50) << 20,
                 qPrintable(QString::number((peakResidentBytes() - before) >> 20) + " MB"));
    }

    // A header may promise far more edges than the file holds: what is set
    // aside for them stays within a few MB until they come.
    void promisedEdgesCostNoMemory() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("versprochen.clq");
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("p edge 10 100000000\n");
        const QByteArray comment = "c " + QByteArray(998, 'x') + '\n';
        for (int line = 0; line < 60'000; ++line)
            file.write(comment);
        file.close();
        const qint64 before = peakResidentBytes();
        QCOMPARE(openGraphFile(fileName).problem, GraphFileProblem::CountMismatch);
        if (kResidentSizesMeaningful)
            QVERIFY2(peakResidentBytes() - before < qint64(50) << 20,
                     qPrintable(QString::number((peakResidentBytes() - before) >> 20) + " MB"));
    }

    void refusesTooManyListedVertices() {
        QByteArray bytes;
        for (int v = 0; v <= kMaxGraphFileVertices; ++v)
            bytes += QByteArray::number(v) + '\n';
        const OpenedGraph read = readEdgeList(bytes, kListName);
        QCOMPARE(read.problem, GraphFileProblem::TooManyVertices);
        QCOMPARE(read.line, kMaxGraphFileVertices + 1);
        QVERIFY(read.graph.vertices.isEmpty());

        bytes.chop(bytes.size() - bytes.lastIndexOf('\n', bytes.size() - 2) - 1);
        QVERIFY(readEdgeList(bytes, kListName).ok());
    }

    void opensByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Texts>("vertices");
        const QByteArray both = "p edge 2 1\ne 1 2\n";
        QTest::newRow("DIMACS") << "g.col" << both << numbers(1, 2);
        QTest::newRow("edge list") << "g.edges" << QByteArray("1 2\n") << numbers(1, 2);
    }
    void opensByName() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(name);
        QVERIFY(writeFile(fileName, bytes));
        const OpenedGraph read = openGraphFile(fileName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QTEST(read.graph.vertices.entries(), "vertices");
    }

    void formatFollowsTheName() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("g.csv");
        QVERIFY(writeFile(fileName, "p edge 2 1\ne 1 2\n"));
        const OpenedGraph read = openGraphFile(fileName);
        QCOMPARE(read.problem, GraphFileProblem::MalformedLine);
        QCOMPARE(read.line, 1);
        QVERIFY(read.message.startsWith("Die Datei \"g.csv\" enthält keinen lesbaren Graphen."));
    }

    void refusesUnopenableFiles_data() {
        QTest::addColumn<QString>("name"); // in a scratch folder
        QTest::addColumn<GraphFileProblem>("problem");
        QTest::addColumn<QString>("message"); // %1: the file name, %2: its folder
        const QString cannotRead =
            QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden.\nOrdner: %2");
        QTest::newRow("unknown ending")
            << "graph.bmp" << GraphFileProblem::UnknownFormat
            << "Die Datei \"%1\" hat ein unbekanntes Format.\nMandorin öffnet DIMACS-Dateien "
               "(.clq, .col, .dimacs) und Kantenlisten (.txt, .edges, .csv).";
        QTest::newRow("missing") << "missing.clq" << GraphFileProblem::CannotRead << cannotRead;
        QTest::newRow("folder") << "folder.txt" << GraphFileProblem::CannotRead << cannotRead;
        QTest::newRow("named pipe") << "pipe.clq" << GraphFileProblem::CannotRead << cannotRead;
        QTest::newRow("socket") << "socket.txt" << GraphFileProblem::CannotRead << cannotRead;
    }
    void refusesUnopenableFiles() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.txt"));
        QVERIFY(writeFile(dir.filePath("graph.bmp"), "1 2\n"));
        QVERIFY(makeNamedPipe(dir.filePath("pipe.clq")));
        QVERIFY(makeSocket(dir.filePath("socket.txt")));
        const QString fileName = dir.filePath(name);
        const PipeRescue rescue(dir.filePath("pipe.clq"));
        const OpenedGraph read = openGraphFile(fileName);
        QVERIFY(!rescue.rescued());
        QTEST(read.problem, "problem");
        QCOMPARE(read.line, 0);
        const QString expected = message.arg(name);
        QCOMPARE(read.message, expected.contains("%2")
                                   ? expected.arg(QDir::toNativeSeparators(dir.path()))
                                   : expected);
        QVERIFY(read.graph.vertices.isEmpty());
    }

    // Long lists are read a batch of lines at a time: the same vertices and
    // edges as reading line by line (below), whatever the batch boundaries.
    // Labels share their first eight bytes, some hold a dash.
    void readsLongEdgeListsAsLineByLine_data() {
        QTest::addColumn<int>("labels");
        QTest::newRow("3,000 labels, 10,000 lines") << 3000;
        QTest::newRow("40 labels, many repeats") << 40;
    }
    void readsLongEdgeListsAsLineByLine() {
        QFETCH(int, labels);
        std::mt19937 engine{unsigned(labels)};
        std::uniform_int_distribution<int> pick(0, labels - 1);
        const auto label = [](int i) {
            return (i % 5 == 0 ? "Knotenname-" : "Knotenname_") + QByteArray::number(i);
        };
        QByteArray bytes;
        Texts vertices;
        Texts edges;
        QSet<QByteArray> known;
        QSet<std::pair<QByteArray, QByteArray>> joined;
        const auto mention = [&](const QByteArray& v) {
            if (!known.contains(v)) {
                known.insert(v);
                vertices.append(v);
            }
        };
        for (int line = 0; line < 10'000; ++line) {
            QByteArray a = label(pick(engine));
            QByteArray b = label(pick(engine));
            if (line % 7 == 0) {
                // Alone on its line, a dashed label looks like an edge text.
                if (a.contains('-'))
                    a = label(1);
                bytes += a + '\n';
                mention(a);
                continue;
            }
            if (a.contains('-') && b.contains('-'))
                b = label(1);
            bytes += a + (line % 2 ? " " : ", ") + b + '\n';
            mention(a);
            mention(b);
            if (joined.contains({std::min(a, b), std::max(a, b)}))
                continue;
            joined.insert({std::min(a, b), std::max(a, b)});
            edges.append(a.contains('-') ? b + '-' + a : a + '-' + b);
        }
        const OpenedGraph read = readEdgeList(bytes, kListName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.graph.vertices.entries(), vertices);
        QCOMPARE(read.graph.edges.entries(), edges);
    }

    // A bad line is reported only when no earlier line holds a problem,
    // though the earlier lines wait in a batch when it is found.
    void laterBadLineHidesNoVertexTooMany_data() {
        QTest::addColumn<QByteArray>("badLine");
        QTest::newRow("three labels") << QByteArray("a b c\n");
        QTest::newRow("control character") << QByteArray("a\x01\n");
        QTest::newRow("empty field") << QByteArray("a,\n");
    }
    void laterBadLineHidesNoVertexTooMany() {
        QFETCH(QByteArray, badLine);
        QByteArray bytes;
        for (int v = 0; v <= kMaxGraphFileVertices; ++v)
            bytes += QByteArray::number(v) + '\n';
        const OpenedGraph read = readEdgeList(bytes + badLine, kListName);
        QCOMPARE(read.problem, GraphFileProblem::TooManyVertices);
        QCOMPARE(read.line, kMaxGraphFileVertices + 1);
    }

    // Large list files are read in pieces: a line break split between two
    // pieces counts once, an entry split between them stays whole, and the
    // reading shows its progress.
    void largeListFilesReadInPieces_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QByteArray>("lineBreak");
        QTest::newRow("CR LF") << QByteArray("abc") << QByteArray("\r\n");
        QTest::newRow("CR") << QByteArray("ab") << QByteArray("\r");
        QTest::newRow("LF") << QByteArray("abcdef") << QByteArray("\n");
    }
    void largeListFilesReadInPieces() {
        QFETCH(QByteArray, entry);
        QFETCH(QByteArray, lineBreak);
        const QByteArray line = entry + lineBreak;
        const qsizetype count = (qsizetype(3) << 19) / line.size();
        QTemporaryDir dir;
        const QString fileName = dir.filePath("gross.txt");
        QVERIFY(writeFile(fileName, line.repeated(count)));
        ProgressRecord progress;
        const std::optional<TextList> list = loadTextList(fileName, nullptr, &progress);
        QVERIFY(list);
        QCOMPARE(list->count(), count);
        QCOMPARE(list->entries().count(entry), count);
        QCOMPARE(progress.begun, 1);
        QCOMPARE(progress.finished, 1);
        QVERIFY(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        QCOMPARE(progress.positions.last(), progress.maximum);
    }

    void reportsProgressOfLargeFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QByteArray large = "p edge 1000 200000\n";
        for (int e = 0; e < 200000; ++e)
            large += "e " + QByteArray::number(e % 1000 + 1) + ' ' +
                     QByteArray::number((e / 1000 + e) % 1000 + 1) + '\n';
        QVERIFY(large.size() >= kGraphFileProgressBytes);
        QTest::newRow("read") << large << true;
        QTest::newRow("refused on the last line") << large + "x\n" << false;
    }
    void reportsProgressOfLargeFiles() {
        QFETCH(QByteArray, bytes);
        ProgressRecord progress;
        const OpenedGraph read = readDimacs(bytes, kDimacsName, &progress);
        QTEST(read.ok(), "ok");
        QCOMPARE(progress.begun, 1);
        QCOMPARE(progress.finished, 1);
        QCOMPARE(progress.maximum, 1000);
        QVERIFY(progress.positions.size() > 10);
        QVERIFY(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        QCOMPARE(progress.positions.last(), 1000);
    }

    void smallFilesShowNoProgress() {
        ProgressRecord progress;
        QVERIFY(readEdgeList("a b\n", kListName, &progress).ok());
        QVERIFY(readDimacs("p edge 1 0\n", kDimacsName, &progress).ok());
        QCOMPARE(progress.begun, 0);
        QVERIFY(progress.positions.isEmpty());
    }

    void writesDimacs() {
        const GraphStore store =
            storeOf({"1", "Berlin", "3", "", "1"}, {"1-Berlin", "3-", "Berlin-3", "x-1", "1"});
        const DimacsText text = dimacsText(store);
        QCOMPARE(text.problem, QString());
        // "1" has no dash, so the store reads it as joining "" and "1", and ""
        // is vertex 4 here; only "x-1" joins no two vertices.
        QCOMPARE(text.bytes, QByteArray("c Graph aus Mandorin\n"
                                        "p edge 4 4\n"
                                        "c Knoten 2: Berlin\n"
                                        "c Knoten 4: \n"
                                        "e 1 2\n"
                                        "e 3 4\n"
                                        "e 2 3\n"
                                        "e 4 1\n"));
        QCOMPARE(text.edgesLeftOut, 1);
    }

    void dimacsRoundTrip_data() {
        QTest::addColumn<Texts>("vertices");
        QTest::addColumn<Texts>("edges");
        const SampleGraph& sample = sampleGraph(1);
        QTest::newRow("sample graph 1, labels from 0")
            << Texts(sample.labels.begin(), sample.labels.end())
            << Texts(sample.edges.begin(), sample.edges.end());
        QTest::newRow("labels are their numbers") << numbers(1, 4) << Texts{"4-1", "2-3", "3-3"};
        QTest::newRow("numbers in another order") << Texts{"3", "1", "2"} << Texts{"3-1", "2-1"};
        QTest::newRow("names, blanks, bytes")
            << Texts{"Köln", " a b ", "", "\x01\x7f", "M\xfcnchen"}
            << Texts{"Köln- a b ", "-\x01\x7f", "M\xfcnchen-Köln"};
        QTest::newRow("dashed labels at second ends")
            << Texts{"a", "b-c", "-", "d"} << Texts{"a-b-c", "d--", "a-d"};
        QTest::newRow("no edges") << Texts{"x"} << Texts{};
    }
    void dimacsRoundTrip() {
        QFETCH(Texts, vertices);
        QFETCH(Texts, edges);
        const GraphStore store = storeOf(vertices, edges);
        QTemporaryDir dir;
        const QString fileName = dir.filePath("round.clq");
        const DimacsSaving saving = saveDimacsFile(fileName, store);
        QVERIFY2(saving.saved, qPrintable(saving.error));
        QCOMPARE(saving.note, QString());
        const OpenedGraph read = openGraphFile(fileName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.graph.vertices, store.vertices);
        QCOMPARE(read.graph.edges, store.edges);
        QCOMPARE(read.graph.vertexCount, store.vertexCount);
        QCOMPARE(read.graph.edgeCount, store.edgeCount);
    }

    void dimacsLeavesOutWhatIsNoEdge_data() {
        QTest::addColumn<Texts>("edges");
        QTest::addColumn<Texts>("read");
        QTest::addColumn<QString>("note");
        const QString one = QStringLiteral("1 Kante wurde nicht gespeichert: Sie wiederholt eine "
                                           "Kante oder verbindet nicht zwei Knoten.");
        const QString three = QStringLiteral("3 Kanten wurden nicht gespeichert: Sie wiederholen "
                                             "eine Kante oder verbinden nicht zwei Knoten.");
        QTest::newRow("repeat") << Texts{"a-b", "b-a"} << Texts{"a-b"} << one;
        QTest::newRow("unknown ends and no dash")
            << Texts{"a-x", "b-c", "y-b", "a"} << Texts{"b-c"} << three;
    }
    void dimacsLeavesOutWhatIsNoEdge() {
        QFETCH(Texts, edges);
        QTemporaryDir dir;
        const QString fileName = dir.filePath("left.dimacs");
        const DimacsSaving saving = saveDimacsFile(fileName, storeOf({"a", "b", "c"}, edges));
        QVERIFY(saving.saved);
        QTEST(saving.note, "note");
        const OpenedGraph read = openGraphFile(fileName);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QTEST(read.graph.edges.entries(), "read");
    }

    void dimacsRefusals_data() {
        QTest::addColumn<Texts>("vertices");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no vertices") << Texts{} << "Der Graph hat keine Knoten.";
        QTest::newRow("line break in a label")
            << Texts{"a", "b\rc"}
            << "Der Knotenname \"b\rc\" enthält einen Zeilenumbruch oder ein Nullzeichen und "
               "passt in keine Zeile.";
        QTest::newRow("NUL in a label")
            << Texts{QByteArray("a\0b", 3)}
            << "Der Knotenname \"" + QString::fromUtf8("a\0b", 3) +
                   "\" enthält einen Zeilenumbruch oder ein Nullzeichen und passt in keine Zeile.";
    }
    void dimacsRefusals() {
        QFETCH(Texts, vertices);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString fileName = dir.filePath("kept.clq");
        QVERIFY(writeFile(fileName, "old"));
        const DimacsSaving saving = saveDimacsFile(fileName, storeOf(vertices, {}));
        QVERIFY(!saving.saved);
        QCOMPARE(saving.error,
                 QStringLiteral("Die Datei \"kept.clq\" wurde nicht geschrieben: %1").arg(problem) +
                     "\nOrdner: " + QDir::toNativeSeparators(dir.path()));
        QCOMPARE(fileBytes(fileName), QByteArray("old"));
        QCOMPARE(dimacsText(storeOf(vertices, {})).bytes, QByteArray());
    }

    // Saving onto a named pipe is refused and leaves the pipe as it is.
    void dimacsRefusesANamedPipe() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("pipe.clq");
        QVERIFY(makeNamedPipe(fileName));
        const DimacsSaving saving = saveDimacsFile(fileName, storeOf({"a", "b"}, {"a-b"}));
        QVERIFY(!saving.saved);
        QVERIFY(namesFile(saving.error, fileName));
        QVERIFY(isNamedPipe(fileName));
    }

    void dimacsWriteFailureKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("full.clq");
        QVERIFY(writeFile(fileName, "old"));
        QByteArray label(4096, 'x');
        FileSizeLimit limit(1024);
        QVERIFY(limit.active());
        const DimacsSaving saving = saveDimacsFile(fileName, storeOf({label}, {}));
        QVERIFY(!saving.saved);
        QVERIFY(namesFile(saving.error, fileName));
        QCOMPARE(fileBytes(fileName), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestGraphFormats)
#include "tst_graph_formats.moc"
