#include "files/list_files.h"
#include "graph/graph_picture_drawing.h"
#include "support/file_size_limit.h"
#include "support/main_window_driver.h"
#include "support/numbered_graphs.h"
#include "support/pictures.h"
#include "support/scripted_dialogs.h"
#include "support/special_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QPainter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;

QPoint gridPoint(int position) {
    return {71 + 101 * (position % 5), 60 + 90 * (position / 5)};
}

QRgb pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000;
}

// Non-white pixels in the rectangle.
int ink(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += pixel(image, x, y) != kWhite;
    return count;
}

QRect redBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixel(image, x, y) == kRed)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The square that "DelPos" wipes at a position.
QRect wipeSquare(int position) {
    return QRect(gridPoint(position) - QPoint(5, 5), QSize(20, 20));
}

QStringList shown(const ScriptedDialogs& dialogs) {
    QStringList texts;
    for (const ScriptedDialogs::Message& message : dialogs.messages)
        texts.append(message.caption + ": " + message.text);
    return texts;
}

QStringList listBoxTexts(const QListWidget* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->item(i)->text());
    return texts;
}

const QString meldung = "Mandorin: Meldung: ";
const QString error = "Mandorin: Error: ";
const QString fehler = "Mandorin: Fehler: ";

// The main window driven through its real controls.
struct Editor : MainWindowDriver {
    void enter() { choose(2); }
    // The editor entered, vertices placed at the positions, "DelPos", then the edges.
    bool draw(std::initializer_list<int> positions,
              std::initializer_list<std::pair<int, int>> edges) {
        enter();
        for (int position : positions)
            if (!place(position))
                return false;
        click(control<QPushButton>(f, "BitBtn11"));
        for (auto [a, b] : edges)
            if (!edge(a, b))
                return false;
        return true;
    }
    QImage picture() const { return control<PictureArea>(f, "Image1")->picture(); }
    QList<QWidget*> tools() const {
        return {control<QGroupBox>(f, "GroupBox7"), control<QPushButton>(f, "Button1"),
                control<QPushButton>(f, "Button2"), control<QPushButton>(f, "BitBtn4"),
                control<QPushButton>(f, "BitBtn5"), control<QPushButton>(f, "BitBtn11"),
                control<QLabel>(f, "Label1"),       control<QLabel>(f, "Label2"),
                control<QLabel>(f, "Label3"),       control<QLineEdit>(f, "Edit4"),
                control<QLineEdit>(f, "Edit5"),     control<QLineEdit>(f, "Edit6"),
                control<StepArrows>(f, "UpDown2"),  control<StepArrows>(f, "UpDown3"),
                control<StepArrows>(f, "UpDown4")};
    }
    int visibleTools() const {
        int count = 0;
        for (QWidget* tool : tools())
            count += tool->isVisibleTo(&f);
        return count;
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void emptySurface() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        const QImage image = e.picture();
        QCOMPARE(image.size(), QSize(550, 300));
        for (int x = 0; x < 550; ++x) {
            QCOMPARE(pixel(image, x, 0), kBlack);
            QCOMPARE(pixel(image, x, 299), kBlack);
        }
        for (int y = 0; y < 300; ++y) {
            QCOMPARE(pixel(image, 0, y), kBlack);
            QCOMPARE(pixel(image, 549, y), kBlack);
        }
        // Every number is drawn, black, from its grid point, and nothing else.
        int numberInk = 0;
        for (int p = 0; p < 15; ++p) {
            const QRect number(gridPoint(p), QSize(15, 15));
            QVERIFY2(ink(image, number) > 0, qPrintable(QString::number(p)));
            QVERIFY(!redBounds(image, number).isValid());
            numberInk += ink(image, number);
        }
        QCOMPARE(ink(image, QRect(1, 1, 548, 298)), numberInk);

        QCOMPARE(control<QLineEdit>(e.f, "Edit6")->text(), "0");
        QCOMPARE(e.visibleTools(), 15);
        QVERIFY(control<QPushButton>(e.f, "BitBtn11")->isEnabled());
        QVERIFY(!control<QPushButton>(e.f, "Button2")->isEnabled());
        QVERIFY(!control<StepArrows>(e.f, "UpDown2")->isEnabled());
        QVERIFY(!control<StepArrows>(e.f, "UpDown3")->isEnabled());
        QCOMPARE(storeOf(e.f).vertexCount, 0);
        QCOMPARE(storeOf(e.f).edgeCount, 0);
        QVERIFY(storeOf(e.f).vertices.isEmpty());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void firstVertexAtSeven() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(spinTo(control<StepArrows>(e.f, "UpDown4"), 7));
        QCOMPARE(control<QLineEdit>(e.f, "Edit6")->text(), "7");
        click(control<QPushButton>(e.f, "Button1"));
        QCOMPARE(listTexts(storeOf(e.f).vertices), QStringList{"0"});
        QCOMPARE(gridOf(e.f).vertexPosition[0], 7);
        QCOMPARE(int(gridOf(e.f).taken[7]), 1);
        QCOMPARE(control<QLineEdit>(e.f, "Edit6")->text(), "7!");

        const QImage image = e.picture();
        // The circle's box runs from (243, 120) to (303, 180), right and bottom exclusive.
        QCOMPARE(pixel(image, 243, 150), kBlack);
        QCOMPARE(pixel(image, 302, 150), kBlack);
        QCOMPARE(pixel(image, 273, 120), kBlack);
        QCOMPARE(pixel(image, 273, 179), kBlack);
        QCOMPARE(pixel(image, 242, 150), kWhite);
        QCOMPARE(pixel(image, 303, 150), kWhite);
        QCOMPARE(pixel(image, 273, 119), kWhite);
        QCOMPARE(pixel(image, 273, 180), kWhite);
        // Inside: the red label centred on the grid point and nothing black
        // (the number 7 is covered).
        const QRect inside(250, 127, 47, 47);
        const QRect label = redBounds(image, inside);
        QVERIFY(label.isValid());
        QVERIFY2(
            qAbs(label.center().x() - 273) <= 1 && qAbs(label.center().y() - 150) <= 1,
            qPrintable(
                QString("label centred on %1,%2").arg(label.center().x()).arg(label.center().y())));
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (QLineF(x, y, 273, 150).length() < 28)
                    QVERIFY(pixel(image, x, y) == kWhite || pixel(image, x, y) == kRed);

        // A second click without moving the spinner is refused and changes nothing.
        click(control<QPushButton>(e.f, "Button1"));
        QCOMPARE(shown(dialogs), QStringList{error + "Position schon belegt!"});
        QCOMPARE(listTexts(storeOf(e.f).vertices), QStringList{"0"});
        QCOMPARE(control<QLineEdit>(e.f, "Edit6")->text(), "7!");
        QCOMPARE(e.picture(), image);
    }

    void positionShownWhileSpinning() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(7));
        QStringList texts;
        for (int target : {6, 7, 6, 5})
            if (spinTo(control<StepArrows>(e.f, "UpDown4"), target))
                texts.append(control<QLineEdit>(e.f, "Edit6")->text());
        QCOMPARE(texts, (QStringList{"6", "7!", "6", "5"}));
    }

    void fifteenVerticesThenLimit() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        const int order[] = {14, 0, 7, 3, 11, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13};
        for (int p : order)
            QVERIFY(e.place(p));
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(storeOf(e.f).vertices.count(), 15);
        for (int v = 0; v < 15; ++v) {
            QCOMPARE(storeOf(e.f).vertices[v], QByteArray::number(v));
            QCOMPARE(gridOf(e.f).vertexPosition[v], order[v]);
        }
        const QImage full = e.picture();
        click(control<QPushButton>(e.f, "Button1"));
        QCOMPARE(shown(dialogs), QStringList{error + "Maximal 15 Knoten!"});
        QCOMPARE(storeOf(e.f).vertices.count(), 15);
        QCOMPARE(e.picture(), full);
    }

    void labelAfterCliqueSearch() {
        ScriptedDialogs dialogs;
        Editor e;
        QVERIFY(e.draw({0, 1, 2}, {{1, 2}}));
        click(control<QPushButton>(e.f, "BitBtn6"));
        QCOMPARE(listTexts(storeOf(e.f).vertices), (QStringList{"1", "2"}));
        QCOMPARE(listBoxTexts(control<QListWidget>(e.f, "ListBox1")),
                 (QStringList{"(1-2)", "(2-1)"}));
        // The list's length would give "2" a second time.
        QVERIFY(e.place(5));
        QCOMPARE(listTexts(storeOf(e.f).vertices), (QStringList{"1", "2", "3"}));
        QCOMPARE(gridOf(e.f).vertexPosition[3], 5);
        QVERIFY(e.edge(3, 2));
        QCOMPARE(listTexts(storeOf(e.f).edges), (QStringList{"1-2", "2-3"}));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void delPosWipesFreePositionsOnly() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(3));
        QVERIFY(e.place(12));
        QImage image = e.picture();
        for (int p = 0; p < 15; ++p) {
            if (p == 3 || p == 12)
                continue;
            // All of a number's ink lies inside its square, two-digit ones included.
            const QRect square = wipeSquare(p);
            const QRect around = square.adjusted(0, 0, 16, 10);
            QVERIFY2(ink(image, square) > 0, qPrintable(QString::number(p)));
            QCOMPARE(ink(image, around), ink(image, square));
        }
        click(control<QPushButton>(e.f, "BitBtn11"));
        image = e.picture();
        for (int p = 0; p < 15; ++p) {
            if (p == 3 || p == 12)
                continue;
            QVERIFY2(ink(image, wipeSquare(p)) == 0, qPrintable(QString::number(p)));
        }
        QCOMPARE(ink(image, QRect(1, 1, 548, 298)),
                 ink(image, QRect(344, 30, 60, 60)) + ink(image, QRect(243, 210, 60, 60)));
        for (int p : {3, 12}) {
            const QPoint c = gridPoint(p);
            QCOMPARE(pixel(image, c.x() - 30, c.y()), kBlack);
            QCOMPARE(pixel(image, c.x() + 29, c.y()), kBlack);
            QVERIFY(redBounds(image, QRect(c - QPoint(20, 20), QSize(40, 40))).isValid());
        }
        QVERIFY(!control<QPushButton>(e.f, "BitBtn11")->isEnabled());
        QVERIFY(control<QPushButton>(e.f, "Button2")->isEnabled());
        QVERIFY(control<StepArrows>(e.f, "UpDown2")->isEnabled());
        QVERIFY(control<StepArrows>(e.f, "UpDown3")->isEnabled());
        // Placing still works after "DelPos".
        QVERIFY(e.place(7));
        QCOMPARE(storeOf(e.f).vertices.count(), 3);
    }

    void rejectedEdges_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::newRow("same vertex") << 2 << 2;
        QTest::newRow("second unplaced") << 0 << 8;
        QTest::newRow("first unplaced") << 8 << 0;
        QTest::newRow("both unplaced") << 9 << 10;
        QTest::newRow("stored 3-7") << 3 << 7;
        QTest::newRow("stored, reversed") << 7 << 3;
    }
    void rejectedEdges() {
        QFETCH(int, a);
        QFETCH(int, b);
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        for (int p = 0; p < 8; ++p)
            QVERIFY(e.place(p));
        click(control<QPushButton>(e.f, "BitBtn11"));
        QVERIFY(e.edge(3, 7));
        QVERIFY(dialogs.messages.isEmpty());
        const QImage before = e.picture();
        QVERIFY(e.edge(a, b));
        QCOMPARE(shown(dialogs), QStringList{error + "Ungültige Kante!"});
        QCOMPARE(listTexts(storeOf(e.f).edges), QStringList{"3-7"});
        QCOMPARE(e.picture(), before);
    }

    void edgeOrderIsNumeric() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        for (int p = 0; p < 11; ++p)
            QVERIFY(e.place(p));
        click(control<QPushButton>(e.f, "BitBtn11"));
        QVERIFY(spinTo(control<StepArrows>(e.f, "UpDown2"), 10));
        QVERIFY(spinTo(control<StepArrows>(e.f, "UpDown3"), 9));
        QCOMPARE(control<QLineEdit>(e.f, "Edit4")->text(), "10");
        QCOMPARE(control<QLineEdit>(e.f, "Edit5")->text(), "9");
        click(control<QPushButton>(e.f, "Button2"));
        QCOMPARE(listTexts(storeOf(e.f).edges), QStringList{"9-10"});
        QVERIFY(dialogs.messages.isEmpty());
    }

    void edgeLines_data() {
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<QLine>("line");
        QTest::newRow("0 to 1") << 0 << 1 << QLine(101, 60, 142, 60);
        QTest::newRow("6 to 0") << 6 << 0 << QLine(142, 120, 101, 90);
        QTest::newRow("below left") << 7 << 3 << QLine(303, 120, 344, 90);
        QTest::newRow("left, same row") << 7 << 8 << QLine(303, 150, 344, 150);
        QTest::newRow("above left") << 7 << 13 << QLine(303, 180, 344, 210);
        QTest::newRow("above, same column") << 7 << 12 << QLine(273, 180, 273, 210);
        QTest::newRow("above right") << 7 << 11 << QLine(243, 180, 202, 210);
        QTest::newRow("right, same row") << 7 << 6 << QLine(243, 150, 202, 150);
        QTest::newRow("below right") << 7 << 1 << QLine(243, 120, 202, 90);
        QTest::newRow("below, same column") << 7 << 2 << QLine(273, 120, 273, 90);
    }
    void edgeLines() {
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(QLine, line);
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(p1));
        QVERIFY(e.place(p2));
        click(control<QPushButton>(e.f, "BitBtn11"));
        const QImage before = e.picture();
        QVERIFY(e.edge(0, 1));
        QCOMPARE(listTexts(storeOf(e.f).edges), QStringList{"0-1"});
        const QImage image = e.picture();
        // Every step of the line is black; the two ends are exact.
        const int steps = std::max(qAbs(line.dx()), qAbs(line.dy()));
        QCOMPARE(pixel(image, line.x1(), line.y1()), kBlack);
        QCOMPARE(pixel(image, line.x2(), line.y2()), kBlack);
        for (int i = 1; i < steps; ++i) {
            // Along the long axis every pixel is set, the other axis within rounding.
            const QPointF ideal = QLineF(line).pointAt(double(i) / steps);
            const QRect near = qAbs(line.dx()) >= qAbs(line.dy())
                                   ? QRect(qRound(ideal.x()), int(ideal.y()), 1, 2)
                                   : QRect(int(ideal.x()), qRound(ideal.y()), 2, 1);
            QVERIFY2(ink(image, near) > 0,
                     qPrintable(QString("%1,%2").arg(ideal.x()).arg(ideal.y())));
        }
        const QPoint step(line.dx() / steps, line.dy() / steps);
        if (step.x() != 0 && step.y() != 0) {
            // A diagonal ends on the corners of the circles' boxes, in the white.
            QCOMPARE(pixel(before, line.x1(), line.y1()), kWhite);
            QCOMPARE(pixel(image, line.x1() - step.x(), line.y1() - step.y()), kWhite);
            QCOMPARE(pixel(image, line.x2() + step.x(), line.y2() + step.y()), kWhite);
        }
        // Only the line was added.
        QCOMPARE(ink(image, image.rect()) - ink(before, before.rect()), [&] {
            int added = 0;
            for (int y = 0; y < 300; ++y)
                for (int x = 0; x < 550; ++x)
                    added += pixel(image, x, y) != pixel(before, x, y);
            return added;
        }());
    }

    void exportImportRoundTrip() {
        QTemporaryDir dir;
        Editor e;
        QVERIFY(e.draw({0, 1, 6}, {{1, 0}, {2, 1}}));
        const QImage drawn = e.picture();
        {
            ScriptedDialogs dialogs;
            dialogs.answerEach(
                {dir.filePath("bild"), dir.filePath("knoten"), dir.filePath("kanten")});
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(shown(dialogs), (QStringList{meldung + "Knoten-Datei erstellen!",
                                                  meldung + "Kanten-Datei erstellen!"}));
            QCOMPARE(dialogs.requests.size(), 3);
            QCOMPARE(dialogs.requests[0].filter, "*bmp");
            QCOMPARE(dialogs.requests[1].filter, "Text-Datei *.txt|*txt");
            QVERIFY(dialogs.requests[0].save && dialogs.requests[1].save);
            // The text dialog offers the name chosen in it before.
            QCOMPARE(dialogs.requests[2].initialName, dir.filePath("knoten"));
        }
        QCOMPARE(fileBytes(dir.filePath("knoten.txt")), QByteArray("0\r\n1\r\n2\r\n"));
        QCOMPARE(fileBytes(dir.filePath("kanten.txt")), QByteArray("0-1\r\n1-2\r\n"));
        QCOMPARE(rgb(QImage(dir.filePath("bild.bmp"))), drawn);
        QCOMPARE(listTexts(storeOf(e.f).vertices), (QStringList{"0", "1", "2"}));
        QCOMPARE(e.picture(), drawn);

        e.choose(0);
        e.enter();
        {
            ScriptedDialogs dialogs;
            dialogs.answerEach(
                {dir.filePath("bild.bmp"), dir.filePath("knoten.txt"), dir.filePath("kanten.txt")});
            click(control<QPushButton>(e.f, "BitBtn4"));
            QCOMPARE(shown(dialogs),
                     (QStringList{meldung + "Graphen öffnen!", meldung + "Knoten-Datei öffnen!",
                                  meldung + "Kanten-Datei öffnen!"}));
            QCOMPARE(dialogs.requests.size(), 3);
            // "*bmp" first, then the other picture formats that import too.
            QCOMPARE(dialogs.requests[0].filter,
                     "*bmp|*bmp|Bilder (*.bmp *.png *.jpg *.jpeg *.gif)|*.bmp *.png *.jpg *.jpeg "
                     "*.gif");
            QCOMPARE(dialogs.requests[1].filter, "Knoten/ Kante: Text-Datei *.txt|*.txt");
            QVERIFY(!dialogs.requests[0].save && !dialogs.requests[2].save);
        }
        QCOMPARE(listTexts(storeOf(e.f).vertices), (QStringList{"0", "1", "2"}));
        QCOMPARE(listTexts(storeOf(e.f).edges), (QStringList{"0-1", "1-2"}));
        QCOMPARE(storeOf(e.f).vertexCount, 3);
        QCOMPARE(storeOf(e.f).edgeCount, 2);
        QCOMPARE(rgb(e.picture()), drawn);
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
        QCOMPARE(e.visibleTools(), 15);
        {
            // Exporting the imported graph writes the same bytes again.
            ScriptedDialogs dialogs;
            dialogs.answerEach(
                {dir.filePath("bild2"), dir.filePath("knoten2"), dir.filePath("kanten2")});
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(dialogs.messages.size(), 2);
        }
        for (const char* name : {"bild.bmp", "knoten.txt", "kanten.txt"}) {
            const QString again = QString(name).replace(".", "2.");
            QCOMPARE(fileBytes(dir.filePath(again)), fileBytes(dir.filePath(name)));
        }
        // The grid stays as the fresh editor left it; the next vertex is 3.
        QVERIFY(e.place(4));
        QCOMPARE(storeOf(e.f).vertices.last(), QByteArray("3"));
        QCOMPARE(gridOf(e.f).vertexPosition[3], 4);
        QCOMPARE(gridOf(e.f).vertexPosition[0], -1);
    }

    void suffixAlwaysAppended() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(0));
        dialogs.answerEach({std::nullopt, dir.filePath("graph.txt"), dir.filePath("graph.txt")});
        click(control<QPushButton>(e.f, "BitBtn5"));
        // Confirming the name offered again replaces the vertex file by the edge file.
        QCOMPARE(dialogs.requests[2].initialName, dir.filePath("graph.txt"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"graph.txt.txt"});
        QCOMPARE(fileBytes(dir.filePath("graph.txt.txt")), QByteArray());
    }

    void cancelledDialogs() {
        QTemporaryDir dir;
        Editor e;
        QVERIFY(e.draw({0, 1}, {{0, 1}}));
        const QImage drawn = e.picture();
        {
            ScriptedDialogs dialogs;
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(dialogs.requests.size(), 3);
            QCOMPARE(dialogs.messages.size(), 2);
            QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
        }
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n1\r\n"));
        QVERIFY(writeFile(dir.filePath("e.txt"), "0-1\r\n"));
        {
            // Without a picture the import succeeds and the program draws the graph.
            ScriptedDialogs dialogs;
            dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
            click(control<QPushButton>(e.f, "BitBtn4"));
            QCOMPARE(dialogs.messages.size(), 3);
            QVERIFY(e.picture() != drawn);
            QCOMPARE(rgb(e.picture()),
                     rgb(drawGraphPicture(storeOf(e.f), layoutGraphForPicture(storeOf(e.f)))));
            QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
            QCOMPARE(storeOf(e.f).edgeCount, 1);
        }
        {
            // Without a vertex file the import fails.
            ScriptedDialogs dialogs;
            dialogs.answerEach({std::nullopt, std::nullopt, dir.filePath("e.txt")});
            click(control<QPushButton>(e.f, "BitBtn4"));
            QCOMPARE(dialogs.messages.last().text, "Import gescheitert!");
            QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 0);
        }
    }

    void labelsNeedNotBeNumbers() {
        QTemporaryDir dir;
        // Odd bytes survive: a Latin-1 umlaut, a UTF-8 one, blanks.
        const QByteArray vertices("A\r\nB\r\n\xc4rger\r\n \xc3\x9c \r\n");
        QVERIFY(writeFile(dir.filePath("v.txt"), vertices));
        QVERIFY(writeFile(dir.filePath("e.txt"), "A-B\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(dialogs.messages.size(), 3);
        QCOMPARE(storeOf(e.f).vertices.count(), 4);
        QCOMPARE(listTexts(storeOf(e.f).edges), QStringList{"A-B"});
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);

        dialogs.answerEach({std::nullopt, dir.filePath("v2"), dir.filePath("e2")});
        click(control<QPushButton>(e.f, "BitBtn5"));
        QCOMPARE(fileBytes(dir.filePath("v2.txt")), vertices);
        QCOMPARE(fileBytes(dir.filePath("e2.txt")), QByteArray("A-B\r\n"));

        click(control<QPushButton>(e.f, "BitBtn6"));
        QCOMPARE(listBoxTexts(control<QListWidget>(e.f, "ListBox1")),
                 (QStringList{"(A-B)", "(B-A)"}));
    }

    void importPlacesNextNumber_data() {
        QTest::addColumn<QByteArray>("vertexFile");
        QTest::addColumn<QString>("expected"); // label of the next vertex, or the refusal
        QTest::newRow("0 to 8") << QByteArray("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n")
                                << "9";
        QTest::newRow("letters") << QByteArray("A\r\nB\r\n") << "0";
        QByteArray fifteen;
        for (int i = 0; i < 15; ++i)
            fifteen += QByteArray::number(i) + "\r\n";
        QTest::newRow("0 to 14") << fifteen << "Maximal 15 Knoten!";
        QTest::newRow("0 to 19") << fifteen + "15\r\n16\r\n17\r\n18\r\n19\r\n"
                                 << "Maximal 15 Knoten!";
    }
    void importPlacesNextNumber() {
        QFETCH(QByteArray, vertexFile);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("v.txt"), vertexFile));
        QVERIFY(writeFile(dir.filePath("e.txt"), "0-1\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(dialogs.messages.size(), 3);
        const qsizetype before = storeOf(e.f).vertices.count();
        QVERIFY(e.place(6));
        if (expected.size() > 2) {
            QCOMPARE(dialogs.messages.last().text, expected);
            QCOMPARE(storeOf(e.f).vertices.count(), before);
            QCOMPARE(int(gridOf(e.f).taken[6]), 0);
        } else {
            QCOMPARE(dialogs.messages.size(), 3);
            QCOMPARE(QString::fromLatin1(storeOf(e.f).vertices.last()), expected);
            QCOMPARE(gridOf(e.f).vertexPosition[expected.toInt()], 6);
        }
    }

    void emptyEdgeFileFallsBackToSampleGraph() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n1\r\n"));
        QVERIFY(writeFile(dir.filePath("e.txt"), ""));
        // The same start in both windows: an editor graph with search results shown.
        Editor byHand;
        Editor failed;
        for (Editor* e : {&byHand, &failed}) {
            ScriptedDialogs dialogs;
            QVERIFY(e->draw({0, 1}, {{0, 1}}));
            click(control<QPushButton>(e->f, "BitBtn6"));
            QCOMPARE(control<QListWidget>(e->f, "ListBox1")->count(), 2);
        }
        byHand.choose(0);
        ScriptedDialogs dialogs;
        dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(failed.f, "BitBtn4"));
        QCOMPARE(shown(dialogs),
                 (QStringList{meldung + "Graphen öffnen!", meldung + "Knoten-Datei öffnen!",
                              meldung + "Kanten-Datei öffnen!", fehler + "Import gescheitert!"}));

        const MainWindow& a = byHand.f;
        const MainWindow& b = failed.f;
        QCOMPARE(control<ChoiceGroup>(b, "RadioGroup1")->itemIndex(), 0);
        QCOMPARE(storeOf(b).vertices, storeOf(a).vertices);
        QCOMPARE(storeOf(b).edges, storeOf(a).edges);
        QCOMPARE(storeOf(b).vertices.count(), 9);
        QCOMPARE(storeOf(b).edges.count(), 13);
        QCOMPARE(storeOf(b).vertexCount, 9);
        QCOMPARE(storeOf(b).edgeCount, 13);
        QCOMPARE(control<PictureArea>(b, "Image1")->picture(),
                 control<PictureArea>(a, "Image1")->picture());
        QCOMPARE(control<PictureArea>(b, "Image1")->picture().size(), QSize(550, 300));
        QVERIFY(cliquesOf(b).isEmpty());
        QCOMPARE(control<QListWidget>(b, "ListBox1")->count(), 0);
        for (Lamp* lamp :
             {control<Lamp>(b, "Shape1"), control<Lamp>(b, "Shape2"), control<Lamp>(b, "Shape3")})
            QCOMPARE(lamp->colour(), QColor(255, 0, 0));
        QCOMPARE(failed.visibleTools(), 0);
        QCOMPARE(byHand.visibleTools(), 0);
    }

    void vertexFileOf256Lines() {
        QTemporaryDir dir;
        QByteArray lines;
        for (int i = 0; i < 256; ++i)
            lines += "v" + QByteArray::number(i) + "\r\n";
        QVERIFY(writeFile(dir.filePath("v.txt"), lines));
        QVERIFY(writeFile(dir.filePath("e.txt"), "v0-v255\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(dialogs.messages.size(), 3);
        QCOMPARE(storeOf(e.f).vertexCount, 256);
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
    }

    void badPictures_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << "ordner";
        QTest::newRow("missing") << "fehlt.bmp";
        QTest::newRow("text named .bmp") << "text.bmp";
        QTest::newRow("truncated bitmap") << "halb.bmp";
        QTest::newRow("truncated GIF") << "halb.gif";
        QTest::newRow("truncated JPEG") << "halb.jpg";
        QTest::newRow("truncated PNG") << "halb.png";
        QTest::newRow("named pipe") << "pipe.bmp";
        QTest::newRow("socket") << "socket.bmp";
        QTest::newRow("device") << "/dev/null";
    }
    void badPictures() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("ordner"));
        QVERIFY(writeFile(dir.filePath("text.bmp"), "Das ist kein Bild.\r\n"));
        QImage image(550, 300, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(dir.filePath("ganz.bmp"), "BMP"));
        const QByteArray whole = fileBytes(dir.filePath("ganz.bmp"));
        QVERIFY(writeFile(dir.filePath("halb.bmp"), whole.left(whole.size() / 2)));
        // Cut where Qt's own readers show the part they got without a word.
        const QImage small = fourColourPicture();
        for (const auto& [file, bytes] : {std::pair{"halb.gif", gifFile(small)},
                                          std::pair{"halb.jpg", encodedPicture(small, "JPEG")},
                                          std::pair{"halb.png", encodedPicture(small, "PNG")}})
            QVERIFY(writeFile(dir.filePath(file), bytes.left(bytes.size() * 2 / 3)));
        QVERIFY(makeNamedPipe(dir.filePath("pipe.bmp")));
        QVERIFY(makeSocket(dir.filePath("socket.bmp")));
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n"));

        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(0));
        const QImage drawn = e.picture();
        // QDir keeps an absolute name (the device) as it is.
        const QString fileName = QDir(dir.path()).filePath(name);
        dialogs.answer(fileName);
        dialogs.answer(dir.filePath("v.txt"));
        {
            // Refused before it is opened: reading would wait for a writer.
            const PipeRescue rescue(dir.filePath("pipe.bmp"));
            click(control<QPushButton>(e.f, "BitBtn4"));
            QVERIFY(!rescue.rescued());
        }
        QCOMPARE(shown(dialogs), (QStringList{meldung + "Graphen öffnen!",
                                              fehler + Texts::cannotLoadPicture(fileName)}));
        QVERIFY2(namesFile(dialogs.messages.last().text, fileName),
                 qPrintable(dialogs.messages.last().text));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(e.picture(), drawn);
        QVERIFY(storeOf(e.f).vertices.isEmpty());
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
        QCOMPARE(e.visibleTools(), 15);
    }

    void badTextFiles_data() {
        QTest::addColumn<bool>("edgeFile"); // else the vertex file is the bad one
        QTest::addColumn<QString>("name");
        QTest::newRow("vertex file missing") << false << "fehlt.txt";
        QTest::newRow("vertex file is a folder") << false << "ordner";
        QTest::newRow("edge file missing") << true << "fehlt.txt";
        QTest::newRow("edge file is a folder") << true << "ordner";
        QTest::newRow("vertex file is a named pipe") << false << "pipe.txt";
        QTest::newRow("edge file is a named pipe") << true << "pipe.txt";
        QTest::newRow("vertex file is a socket") << false << "socket.txt";
        QTest::newRow("edge file is a device") << true << "/dev/null";
    }
    void badTextFiles() {
        QFETCH(bool, edgeFile);
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("ordner"));
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n1\r\n"));
        QImage picture(100, 80, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(dir.filePath("bild.bmp")));
        QVERIFY(makeNamedPipe(dir.filePath("pipe.txt")));
        QVERIFY(makeSocket(dir.filePath("socket.txt")));

        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        const QString fileName = dir.filePath(name);
        dialogs.answerEach(
            {dir.filePath("bild.bmp"), edgeFile ? dir.filePath("v.txt") : fileName, fileName});
        {
            const PipeRescue rescue(dir.filePath("pipe.txt"));
            click(control<QPushButton>(e.f, "BitBtn4"));
            QVERIFY(!rescue.rescued());
        }
        const QString last = fehler + Texts::cannotRead(fileName);
        QCOMPARE(shown(dialogs).last(), last);
        QCOMPARE(dialogs.messages.size(), edgeFile ? 4 : 3);
        // What was done stays done; no fallback.
        QCOMPARE(rgb(e.picture()), picture);
        QCOMPARE(storeOf(e.f).vertices.count(), edgeFile ? 2 : 0);
        QCOMPARE(storeOf(e.f).vertexCount, edgeFile ? 2 : 0);
        QVERIFY(storeOf(e.f).edges.isEmpty());
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
        QCOMPARE(e.visibleTools(), 15);
    }

    void unwritableExportTargets() {
        QTemporaryDir dir;
        Editor e;
        e.enter();
        for (int p : {0, 1, 2})
            QVERIFY(e.place(p));
        {
            // The picture's name is taken by a folder: reported, the export stops.
            QVERIFY(QDir(dir.path()).mkdir("bild.bmp"));
            ScriptedDialogs dialogs;
            dialogs.answer(dir.filePath("bild"));
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(shown(dialogs),
                     QStringList{fehler + Texts::cannotWrite(dir.filePath("bild.bmp"))});
            QVERIFY(QFileInfo(dir.filePath("bild.bmp")).isDir());
        }
        {
            // The picture's name is a named pipe: reported at once, the pipe left as it is.
            QVERIFY(makeNamedPipe(dir.filePath("pipe.bmp")));
            ScriptedDialogs dialogs;
            dialogs.answer(dir.filePath("pipe"));
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(shown(dialogs),
                     QStringList{fehler + Texts::cannotWrite(dir.filePath("pipe.bmp"))});
            QVERIFY(isNamedPipe(dir.filePath("pipe.bmp")));
            QVERIFY(QFile::remove(dir.filePath("pipe.bmp")));
        }
        {
            // A full disk while writing the vertex file: the old file stays as it was.
            QVERIFY(writeFile(dir.filePath("knoten.txt"), "alt\r\n"));
            ScriptedDialogs dialogs;
            dialogs.answer(std::nullopt);
            dialogs.answer(dir.filePath("knoten"));
            {
                FileSizeLimit limit(4);
                QVERIFY(limit.active());
                click(control<QPushButton>(e.f, "BitBtn5"));
            }
            QCOMPARE(shown(dialogs),
                     (QStringList{meldung + "Knoten-Datei erstellen!",
                                  fehler + Texts::cannotWrite(dir.filePath("knoten.txt"))}));
            QCOMPARE(fileBytes(dir.filePath("knoten.txt")), QByteArray("alt\r\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"knoten.txt"});
        }
        {
            // The edge file's folder is missing: what was written before stays.
            ScriptedDialogs dialogs;
            dialogs.answerEach(
                {dir.filePath("bild2"), dir.filePath("knoten"), dir.filePath("fehlt/kanten")});
            click(control<QPushButton>(e.f, "BitBtn5"));
            QCOMPARE(shown(dialogs).last(),
                     fehler + Texts::cannotWrite(dir.filePath("fehlt/kanten.txt")));
            QCOMPARE(dialogs.messages.size(), 3);
            QCOMPARE(fileBytes(dir.filePath("knoten.txt")), QByteArray("0\r\n1\r\n2\r\n"));
            QCOMPARE(rgb(QImage(dir.filePath("bild2.bmp"))), e.picture());
        }
    }

    void importsOtherPictureFormats_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << "bild.png" << QByteArray("PNG");
        QTest::newRow("png named .bmp") << "bild.bmp" << QByteArray("PNG");
        QTest::newRow("ico") << "bild.ico" << QByteArray("ICO");
    }
    void importsOtherPictureFormats() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        QImage picture(240, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            painter.fillRect(20, 30, 100, 50, Qt::red);
            painter.fillRect(150, 90, 60, 60, Qt::black);
        }
        if (!picture.save(dir.filePath(name), format.constData()))
            QSKIP("This Qt cannot write the format");
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n1\r\n"));
        QVERIFY(writeFile(dir.filePath("e.txt"), "0-1\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        dialogs.answerEach({dir.filePath(name), dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(dialogs.messages.size(), 3);
        QCOMPARE(rgb(e.picture()), picture);
        // Export writes a bitmap whatever was imported.
        dialogs.answer(dir.filePath("aus"));
        click(control<QPushButton>(e.f, "BitBtn5"));
        QVERIFY(fileBytes(dir.filePath("aus.bmp")).startsWith("BM"));
        QCOMPARE(rgb(QImage(dir.filePath("aus.bmp"))), picture);
    }

    // A large graph, opened or imported, keeps the window answering: events
    // are handled while it is laid out and drawn, in one run of the progress
    // window whose bar never goes back, and the drawing is the graph's.
    void largeGraphKeepsTheWindowAnswering_data() {
        QTest::addColumn<bool>("open"); // else "Import"
        QTest::newRow("Öffnen…") << true;
        QTest::newRow("Import") << false;
    }
    void largeGraphKeepsTheWindowAnswering() {
        QFETCH(bool, open);
        QTemporaryDir dir;
        const GraphStore graph = randomGraph(500, 0.85, 9u); // over 100,000 edges
        QVERIFY(writeFile(dir.filePath("gross.clq"), dimacsText(graph).bytes));
        QVERIFY(writeFile(dir.filePath("v.txt"), listFileBytes(graph.vertices)));
        QVERIFY(writeFile(dir.filePath("e.txt"), listFileBytes(graph.edges)));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        const PictureArea* picture = control<PictureArea>(e.f, "Image1");
        const qint64 before = picture->picture().cacheKey();
        const QProgressBar* bar = control<QProgressBar>(e.p.progressWindow, "ProgressBar1");
        QList<int> barWhileDrawing;
        QTimer events;
        events.setInterval(0);
        connect(&events, &QTimer::timeout, this, [&] {
            if (storeOf(e.f).edges.count() == graph.edges.count() &&
                picture->picture().cacheKey() == before)
                barWhileDrawing.append(bar->value());
        });
        events.start();
        if (open) {
            dialogs.answer(dir.filePath("gross.clq"));
            click(control<QPushButton>(e.f, "ButtonOpen"));
        } else {
            dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
            click(control<QPushButton>(e.f, "BitBtn4"));
        }
        events.stop();
        QVERIFY(!barWhileDrawing.isEmpty());
        QVERIFY(std::is_sorted(barWhileDrawing.begin(), barWhileDrawing.end()));
        QVERIFY(e.p.progressWindow.isHidden());
        QCOMPARE(storeOf(e.f).vertices.count(), graph.vertices.count());
        QCOMPARE(rgb(picture->picture()),
                 rgb(drawGraphPicture(storeOf(e.f), layoutGraphForPicture(storeOf(e.f)))));
    }

    void cliqueSearchOnEditorGraph() {
        ScriptedDialogs dialogs;
        Editor e;
        QVERIFY(e.draw({0, 2, 12, 10, 14}, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}}));
        QCOMPARE(listTexts(storeOf(e.f).edges), (QStringList{"0-1", "1-2", "2-3", "0-3", "0-2"}));
        click(control<QPushButton>(e.f, "BitBtn6"));
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(listTexts(storeOf(e.f).vertices), (QStringList{"0", "1", "2", "3"}));
        QCOMPARE(listBoxTexts(control<QListWidget>(e.f, "ListBox1")),
                 (QStringList{"(0-1-2)", "(0-1)", "(1-0-2)", "(1-0)", "(2-0-1)", "(2-0-3)",
                              "(3-0-2)", "(3-0)"}));
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
