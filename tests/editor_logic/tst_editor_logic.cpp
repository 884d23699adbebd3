#include "editor/edge_entry.h"
#include "editor/position_grid.h"
#include "files/file_access.h"
#include "files/list_files.h"
#include "files/picture_checks.h"
#include "support/file_size_limit.h"
#include "support/special_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

PositionGrid freshGrid() {
    PositionGrid grid;
    grid.fillCoordinates();
    grid.reset();
    return grid;
}

TextList numbers(int count) {
    TextList list;
    for (int i = 0; i < count; ++i)
        list.append(QByteArray::number(i));
    return list;
}

// A bitmap header for width x height at bitCount bits per pixel, with
// pixelBytes bytes of pixel data behind it.
QByteArray bitmap(qint32 width, qint32 height, quint16 bitCount, quint32 compression,
                  qsizetype pixelBytes) {
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    char* d = bytes.data();
    qToLittleEndian<quint32>(quint32(54 + pixelBytes), d + 2);
    qToLittleEndian<quint32>(54, d + 10);
    qToLittleEndian<quint32>(40, d + 14);
    qToLittleEndian<qint32>(width, d + 18);
    qToLittleEndian<qint32>(height, d + 22);
    qToLittleEndian<quint16>(1, d + 26);
    qToLittleEndian<quint16>(bitCount, d + 28);
    qToLittleEndian<quint32>(compression, d + 30);
    return bytes + QByteArray(pixelBytes, '\x7f');
}

// The kinds of name a file dialog can hand back besides a regular file.
enum class Special { Missing, Folder, Fifo, Device, Socket, LinkToFifo, DanglingLink };

// Makes a name of that kind in dir (the device is the system's null device);
// empty when the system refuses.
QString makeSpecial(const QTemporaryDir& dir, Special kind) {
    const QString name = dir.filePath("knoten.txt");
    switch (kind) {
    case Special::Missing:
        return name;
    case Special::Folder:
        return QDir(dir.path()).mkdir("knoten.txt") ? name : QString();
    case Special::Fifo:
        return makeNamedPipe(name) ? name : QString();
    case Special::Device:
        return QStringLiteral("/dev/null");
    case Special::Socket:
        return makeSocket(name) ? name : QString();
    case Special::LinkToFifo:
        return makeNamedPipe(dir.filePath("pipe")) && QFile::link(dir.filePath("pipe"), name)
                   ? name
                   : QString();
    case Special::DanglingLink:
        return QFile::link(dir.filePath("fehlt"), name) ? name : QString();
    }
    return {};
}

} // namespace

class EditorLogicTest : public QObject {
    Q_OBJECT

private slots:
    void gridRowAndColumn_data() {
        QTest::addColumn<QByteArray>("position");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("0") << QByteArray("0") << 1 << 1;
        QTest::newRow("4") << QByteArray("4") << 1 << 5;
        QTest::newRow("5") << QByteArray("5") << 2 << 1;
        QTest::newRow("9") << QByteArray("9") << 2 << 5;
        QTest::newRow("10") << QByteArray("10") << 3 << 1;
        QTest::newRow("12") << QByteArray("12") << 3 << 3;
        QTest::newRow("14") << QByteArray("14") << 3 << 5;
        QTest::newRow("15") << QByteArray("15") << 0 << 0;
        QTest::newRow("258 wraps to 2") << QByteArray("258") << 1 << 3;
    }
    void gridRowAndColumn() {
        QFETCH(QByteArray, position);
        QFETCH(int, row);
        QFETCH(int, column);
        QCOMPARE(int(gridRow(position)), row);
        QCOMPARE(int(gridColumn(position)), column);
    }

    void numberForNewVertex_data() {
        QTest::addColumn<TextList>("vertices");
        QTest::addColumn<QList<int>>("placed"); // vertex numbers that have a position
        QTest::addColumn<int>("expected");
        QTest::newRow("empty graph") << TextList() << QList<int>() << 0;
        QTest::newRow("editor graph 0..3") << numbers(4) << QList<int>{0, 1, 2, 3} << 4;
        QTest::newRow("imported 0..8") << numbers(9) << QList<int>() << 9;
        // The clique search dropped "0": the list length would repeat "2".
        QTest::newRow("search dropped 0") << TextList{"1", "2"} << QList<int>{0, 1, 2} << 3;
        QTest::newRow("gap in imported labels") << TextList{"0", "2"} << QList<int>() << 1;
        QTest::newRow("letters") << TextList{"A", "B"} << QList<int>() << 0;
        QTest::newRow("imported 0..14") << numbers(15) << QList<int>() << -1;
        QTest::newRow("imported 20") << numbers(20) << QList<int>() << -1;
        QTest::newRow("all placed, some dropped")
            << TextList{"3"} << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14} << -1;
    }
    void numberForNewVertex() {
        QFETCH(TextList, vertices);
        QFETCH(QList<int>, placed);
        QFETCH(int, expected);
        PositionGrid grid = freshGrid();
        for (int i = 0; i < placed.size(); ++i) {
            grid.vertexPosition[placed[i]] = i;
            grid.taken[i] = 1;
        }
        QCOMPARE(newVertexNumber(grid, vertices), expected);
    }

    void placeVertexChangesNothingWhenRefused() {
        PositionGrid grid = freshGrid();
        TextList vertices;
        Placement first = placeVertex(grid, vertices, 7);
        QCOMPARE(first.outcome, PlacementOutcome::Placed);
        QCOMPARE(first.vertex, 0);
        QCOMPARE(grid.vertexPosition[0], 7);
        QCOMPARE(int(grid.taken[7]), 1);
        QCOMPARE(vertices, TextList{"0"});

        const PositionGrid before = grid;
        QCOMPARE(placeVertex(grid, vertices, 7).outcome, PlacementOutcome::PositionTaken);
        QCOMPARE(vertices, TextList{"0"});
        QCOMPARE(grid.vertexPosition, before.vertexPosition);

        // With no number left the limit is what the user is told, whatever the position.
        TextList full = numbers(15);
        QCOMPARE(placeVertex(grid, full, 7).outcome, PlacementOutcome::NoNumberLeft);
        QCOMPARE(placeVertex(grid, full, 3).outcome, PlacementOutcome::NoNumberLeft);
        QCOMPARE(full.count(), 15);
        QCOMPARE(grid.taken, before.taken);
    }

    void edgeValidity_data() {
        QTest::addColumn<TextList>("edges");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("valid");
        QTest::newRow("fresh pair") << TextList() << 3 << 7 << true;
        QTest::newRow("second unplaced") << TextList() << 0 << 8 << false;
        QTest::newRow("both unplaced") << TextList() << 9 << 10 << false;
        QTest::newRow("stored") << TextList{"3-7"} << 3 << 7 << false;
        QTest::newRow("stored the other way") << TextList{"7-3"} << 3 << 7 << false;
        // Only the two whole texts count as the same edge.
        QTest::newRow("blanks around dash") << TextList{"3 - 7"} << 3 << 7 << true;
        QTest::newRow("leading zero") << TextList{"03-7"} << 3 << 7 << true;
    }
    void edgeValidity() {
        QFETCH(TextList, edges);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, valid);
        PositionGrid grid = freshGrid();
        for (int v = 0; v < 8; ++v) {
            grid.vertexPosition[v] = 14 - v;
            grid.taken[14 - v] = 1;
        }
        const TextList before = edges;
        const std::optional<QLine> line = addEdge(grid, edges, a, b);
        QCOMPARE(line.has_value(), valid);
        QCOMPARE(edges.count(), before.count() + (valid ? 1 : 0));
        if (valid)
            QCOMPARE(edges.last(), editorEdgeText(a, b));
    }

    void textFilesKeepTheirBytes() {
        QTemporaryDir dir;
        const QByteArray bytes("A\r\n\xc4rger\r\n \xc3\x9c \r\n\r\n9-10\r\n");
        const QString in = dir.filePath("in.txt");
        QVERIFY(writeFile(in, bytes));
        const std::optional<TextList> list = loadTextList(in);
        QVERIFY(list);
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->at(1), QByteArray("\xc4rger"));
        QCOMPARE(list->at(3), QByteArray());
        const QString out = dir.filePath("out.txt");
        QVERIFY(saveTextList(out, *list));
        QCOMPARE(fileBytes(out), bytes);

        QVERIFY(saveTextList(out, TextList()));
        QCOMPARE(fileBytes(out), QByteArray());
        QCOMPARE(loadTextList(out), TextList());
    }

    void unreadableFiles_data() {
        QTest::addColumn<Special>("kind");
        QTest::addColumn<PathKind>("pathKind");
        QTest::newRow("missing") << Special::Missing << PathKind::Missing;
        QTest::newRow("folder") << Special::Folder << PathKind::Other;
        QTest::newRow("named pipe") << Special::Fifo << PathKind::Other;
        QTest::newRow("device") << Special::Device << PathKind::Other;
        QTest::newRow("socket") << Special::Socket << PathKind::Other;
        QTest::newRow("link to a named pipe") << Special::LinkToFifo << PathKind::Other;
        QTest::newRow("dangling link") << Special::DanglingLink << PathKind::Missing;
    }
    // Anything but a regular file is refused before it is opened: a named
    // pipe would block the reader until another program writes into it.
    void unreadableFiles() {
        QFETCH(Special, kind);
        QTemporaryDir dir;
        const QString name = makeSpecial(dir, kind);
        if (name.isEmpty())
            QSKIP("the system does not make this kind of name here");
        QTEST(pathKind(name), "pathKind");
        const PipeRescue rescue(name);
        QCOMPARE(readWholeFile(name), std::nullopt);
        QCOMPARE(loadTextList(name), std::nullopt);
        QVERIFY(!rescue.rescued());
    }

    void writesRefuseSpecialNames_data() {
        QTest::addColumn<Special>("kind");
        QTest::newRow("folder") << Special::Folder;
        QTest::newRow("named pipe") << Special::Fifo;
        QTest::newRow("socket") << Special::Socket;
        QTest::newRow("link to a named pipe") << Special::LinkToFifo;
    }
    // Saving under such a name leaves it as it was: the commit would put a
    // regular file in place of a named pipe.
    void writesRefuseSpecialNames() {
        QFETCH(Special, kind);
        QTemporaryDir dir;
        const QString name = makeSpecial(dir, kind);
        if (name.isEmpty())
            QSKIP("the system does not make this kind of name here");
        QVERIFY(!writeFileAtomically(name, "0\r\n"));
        QCOMPARE(pathKind(name), PathKind::Other);
        QVERIFY(!saveTextList(name, TextList{"0"}));
        QCOMPARE(pathKind(name), PathKind::Other);
    }

    void failedWritesLeaveTheOldFile() {
        QTemporaryDir dir;
        const QString target = dir.filePath("knoten.txt");
        QVERIFY(writeFile(target, "alt\r\n"));
        {
            FileSizeLimit limit(4);
            QVERIFY(limit.active());
            QVERIFY(!writeFileAtomically(target, "0\r\n1\r\n2\r\n"));
        }
        QCOMPARE(fileBytes(target), QByteArray("alt\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"knoten.txt"});

        QVERIFY(QDir(dir.path()).mkdir("ordner.txt"));
        QVERIFY(!writeFileAtomically(dir.filePath("ordner.txt"), "x"));
        QVERIFY(QFileInfo(dir.filePath("ordner.txt")).isDir());
        QVERIFY(!writeFileAtomically(dir.filePath("fehlt/knoten.txt"), "x"));

        QVERIFY(writeFileAtomically(target, "0\r\n"));
        QCOMPARE(fileBytes(target), QByteArray("0\r\n"));
    }

    // Everything written, then the commit fails: reported, the old file as it
    // was, no temporary file left behind.
    void failedCommitLeavesTheOldFile() {
        QTemporaryDir dir;
        const QString target = dir.filePath("cliquen.txt");
        QVERIFY(writeFile(target, "(0-1)\r\n"));
        bool reachedCommit = false;
        QVERIFY(!writeFileAtomically(target, "(0-1-2)\r\n", [&](QSaveFile& file) {
            reachedCommit = true;
            file.cancelWriting();
        }));
        QVERIFY(reachedCommit);
        QCOMPARE(fileBytes(target), QByteArray("(0-1)\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"cliquen.txt"});
    }

    void truncatedBitmaps_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("truncated");
        // 3 x 2 pixels at 24 bits: rows of 9 bytes padded to 12.
        QTest::newRow("complete") << bitmap(3, 2, 24, 0, 24) << false;
        QTest::newRow("one byte short") << bitmap(3, 2, 24, 0, 23) << true;
        QTest::newRow("top-down complete") << bitmap(3, -2, 24, 0, 24) << false;
        QTest::newRow("top-down short") << bitmap(3, -2, 24, 0, 12) << true;
        QTest::newRow("1 bit, 33 wide") << bitmap(33, 4, 1, 0, 32) << false;
        QTest::newRow("1 bit, 33 wide, short") << bitmap(33, 4, 1, 0, 31) << true;
        QTest::newRow("header cut") << bitmap(3, 2, 24, 0, 24).left(30) << true;
        QTest::newRow("run-length not judged") << bitmap(100, 100, 8, 1, 10) << false;
        QTest::newRow("not a bitmap") << QByteArray("\x89PNG\r\n\x1a\n") << false;
        QTest::newRow("text") << QByteArray("Hallo") << false;
    }
    void truncatedBitmaps() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, truncated);
        QCOMPARE(isTruncatedBitmap(bytes), truncated);
    }
};

QTEST_GUILESS_MAIN(EditorLogicTest)
#include "tst_editor_logic.moc"
