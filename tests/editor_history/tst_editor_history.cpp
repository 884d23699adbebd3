#include "app/main_window.h"
#include "files/graph_formats.h"
#include "graph/graph_picture_drawing.h"
#include "support/main_window_driver.h"
#include "support/pictures.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

// Graphs that come from files or imports without a picture, the buttons that
// open and save them, and the editor's undo and redo.

namespace {

// The picture the program draws itself for a store.
QImage laidOutPicture(const GraphStore& store) {
    return rgb(drawGraphPicture(store, layoutGraphForPicture(store)));
}

// Everything an editor step may change, as the user sees it.
struct Shown {
    QStringList vertices;
    QStringList edges;
    qsizetype vertexCount;
    qsizetype edgeCount;
    std::array<std::uint8_t, PositionGrid::kPositions> taken;
    std::array<int, PositionGrid::kPositions> vertexPosition;
    QStringList fields;
    QList<int> spinners;
    bool delPosEnabled;
    bool edgeEnabled;
    QImage picture;
    bool operator==(const Shown&) const = default;
};

// Which parts of two states differ, for a failure message.
QString differences(const Shown& a, const Shown& b) {
    QStringList parts;
    if (a.vertices != b.vertices || a.edges != b.edges)
        parts.append("lists " + a.vertices.join(',') + " / " + b.vertices.join(','));
    if (a.vertexCount != b.vertexCount || a.edgeCount != b.edgeCount)
        parts.append("counts");
    if (a.taken != b.taken || a.vertexPosition != b.vertexPosition)
        parts.append("grid");
    if (a.fields != b.fields)
        parts.append("fields " + a.fields.join(',') + " / " + b.fields.join(','));
    if (a.spinners != b.spinners)
        parts.append("spinners");
    if (a.delPosEnabled != b.delPosEnabled || a.edgeEnabled != b.edgeEnabled)
        parts.append("buttons");
    if (a.picture != b.picture)
        parts.append("picture");
    return parts.join("; ");
}

struct Editor : MainWindowDriver {
    void enter() { choose(2); }
    PictureArea* drawing() const { return control<PictureArea>(f, "Image1"); }
    QImage picture() const { return rgb(drawing()->picture()); }
    Shown shown() const {
        const GraphStore& store = storeOf(f);
        const PositionGrid& grid = gridOf(f);
        QStringList fields;
        for (const char* name : {"Edit4", "Edit5", "Edit6"})
            fields.append(control<QLineEdit>(f, name)->text());
        QList<int> spinners;
        for (const char* name : {"UpDown2", "UpDown3", "UpDown4"})
            spinners.append(control<StepArrows>(f, name)->position());
        return {listTexts(store.vertices),
                listTexts(store.edges),
                store.vertexCount,
                store.edgeCount,
                grid.taken,
                grid.vertexPosition,
                fields,
                spinners,
                control<QPushButton>(f, "BitBtn11")->isEnabled(),
                control<QPushButton>(f, "Button2")->isEnabled(),
                picture()};
    }
    QToolButton* undoButton() const { return control<QToolButton>(f, "ButtonUndo"); }
    QToolButton* redoButton() const { return control<QToolButton>(f, "ButtonRedo"); }
};

// Sends a drag of one local file onto the drawing; true when it was taken.
bool dropFile(PictureArea* drawing, const QString& fileName) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(fileName)});
    const QPoint centre = drawing->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(drawing, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(drawing, &drop);
    return drop.isAccepted();
}

} // namespace

class EditorHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void importWithoutPictureIsDrawn() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("v.txt"), "a\r\nb\r\nc\r\nd\r\n"));
        QVERIFY(writeFile(dir.filePath("e.txt"), "a-b\r\nb-c\r\na-c\r\nc-d\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        dialogs.answerEach({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(e.picture(), laidOutPicture(storeOf(e.f)));

        // The drawn positions serve the highlight, the exact window and the play.
        const std::optional<VertexPositions> positions = e.f.vertexPositions();
        QVERIFY(positions.has_value());
        QCOMPARE(positions->centres, layoutGraphForPicture(storeOf(e.f)).positions.centres);
        QVERIFY(e.f.highlightClique(Clique{{"a", "b", "c"}}));
        QVERIFY(!e.drawing()->overlay().isNull());
        e.f.clearHighlight();
        // A row of the exact window marks its clique on the drawing.
        click(control<QPushButton>(e.f, "ButtonExact"));
        QTableWidget* table = control<QTableWidget>(e.p.exactAnalysisWindow, "TableCliques");
        QTRY_VERIFY(table->rowCount() > 0);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(0, 0)).center());
        QTRY_VERIFY(!e.drawing()->overlay().isNull());
        e.p.exactAnalysisWindow.close();

        // A picture of its own is kept, and no positions are made up for it.
        const QImage own = laidOutPicture(GraphStore{{"x"}, {}, 1, 0});
        QVERIFY(own.save(dir.filePath("own.png")));
        dialogs.answerEach({dir.filePath("own.png"), dir.filePath("v.txt"), dir.filePath("e.txt")});
        click(control<QPushButton>(e.f, "BitBtn4"));
        QCOMPARE(e.picture(), own);
        QVERIFY(!e.f.vertexPositions().has_value());
        QVERIFY(!e.f.highlightClique(Clique{{"a", "b", "c"}}));
    }

    void openGoodFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("vertices");
        QTest::addColumn<QStringList>("edges");
        QTest::newRow("dimacs") << "k.clq"
                                << QByteArray("c triangle\np edge 4 3\ne 1 2\ne 2 3\ne 1 3\n")
                                << QStringList{"1", "2", "3", "4"}
                                << QStringList{"1-2", "2-3", "1-3"};
        QTest::newRow("edge list") << "k.edges" << QByteArray("# pairs\nx y\ny,z\nw\n")
                                   << QStringList{"x", "y", "z", "w"} << QStringList{"x-y", "y-z"};
    }
    void openGoodFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, vertices);
        QFETCH(QStringList, edges);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(name), bytes));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(0) && e.place(1));
        click(control<QPushButton>(e.f, "BitBtn11"));
        QVERIFY(e.edge(0, 1));
        click(control<QPushButton>(e.f, "BitBtn6"));
        QVERIFY(!cliquesOf(e.f).isEmpty());

        QSignalSpy changed(&e.f, &MainWindow::graphChanged);
        dialogs.answer(dir.filePath(name));
        click(control<QPushButton>(e.f, "ButtonOpen"));
        QCOMPARE(dialogs.messages.size(), 0);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].filter, kGraphFileFilter);
        QCOMPARE(listTexts(storeOf(e.f).vertices), vertices);
        QCOMPARE(listTexts(storeOf(e.f).edges), edges);
        QCOMPARE(storeOf(e.f).vertexCount, vertices.size());
        QCOMPARE(storeOf(e.f).edgeCount, edges.size());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(control<ChoiceGroup>(e.f, "RadioGroup1")->itemIndex(), 2);
        QVERIFY(cliquesOf(e.f).isEmpty());
        QCOMPARE(control<QListWidget>(e.f, "ListBox1")->count(), 0);
        QCOMPARE(e.picture(), laidOutPicture(storeOf(e.f)));
        QVERIFY(e.f.vertexPositions().has_value());
        QCOMPARE(e.f.vertexPositions()->centres.size(), vertices.size());

        // Dropped on the drawing, the file opens the same way.
        e.choose(0);
        e.enter();
        QVERIFY(dropFile(e.drawing(), dir.filePath(name)));
        QCOMPARE(listTexts(storeOf(e.f).vertices), vertices);
        QCOMPARE(e.picture(), laidOutPicture(storeOf(e.f)));
    }

    void openBadFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lineMention");
        QTest::newRow("unknown ending") << "g.xyz" << QByteArray("1 2\n") << QString();
        QTest::newRow("malformed line") << "g.clq" << QByteArray("p edge 2 1\nx 1 2\n") << "2";
        QTest::newRow("vertex out of range")
            << "g.dimacs" << QByteArray("c\nc\np edge 2 1\ne 1 3\n") << "4";
        QTest::newRow("count mismatch")
            << "g.col" << QByteArray("p edge 3 2\ne 1 2\n") << QString();
        QTest::newRow("binary") << "g.txt" << QByteArray("a b\n\x01\x02\x00\n", 9) << QString();
        QTest::newRow("missing") << "none.edges" << QByteArray() << QString();
    }
    void openBadFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lineMention);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(name);
        if (!bytes.isEmpty())
            QVERIFY(writeFile(fileName, bytes));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(3) && e.place(7));
        const Shown before = e.shown();
        QSignalSpy changed(&e.f, &MainWindow::graphChanged);

        dialogs.answer(fileName);
        click(control<QPushButton>(e.f, "ButtonOpen"));
        QVERIFY(dropFile(e.drawing(), fileName));
        QCOMPARE(dialogs.messages.size(), 2);
        for (const ScriptedDialogs::Message& message : dialogs.messages) {
            QCOMPARE(message.caption, Texts::FehlerCaption);
            QVERIFY2(message.text.contains(name), qPrintable(message.text));
            if (!lineMention.isEmpty())
                QVERIFY2(message.text.contains("Zeile " + lineMention), qPrintable(message.text));
        }
        QVERIFY(e.shown() == before);
        QCOMPARE(changed.count(), 0);
        // A refused file is no step.
        QCOMPARE(e.undoButton()->toolTip(), QString("Rückgängig: Knoten 1"));
    }

    void dropOutsideEditorIsRefused() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("g.clq"), "p edge 2 1\ne 1 2\n"));
        ScriptedDialogs dialogs;
        Editor e;
        const QStringList sample = listTexts(storeOf(e.f).vertices);
        QVERIFY(!dropFile(e.drawing(), dir.filePath("g.clq")));
        QCOMPARE(listTexts(storeOf(e.f).vertices), sample);
    }

    void dimacsSaveAndReopen() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        for (int position : {0, 4, 7, 12})
            QVERIFY(e.place(position));
        click(control<QPushButton>(e.f, "BitBtn11"));
        for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {0, 2}, {3, 2}})
            QVERIFY(e.edge(a, b));
        const GraphStore drawn = storeOf(e.f);

        // Without an ending the name gets ".clq".
        dialogs.answer(dir.filePath("graph"));
        click(control<QPushButton>(e.f, "ButtonSaveDimacs"));
        QCOMPARE(dialogs.messages.size(), 0);
        QCOMPARE(dialogs.requests.last().filter, kDimacsFileFilter);
        QVERIFY(dialogs.requests.last().save);
        QCOMPARE(fileBytes(dir.filePath("graph.clq")), dimacsText(drawn).bytes);

        e.choose(1);
        e.enter();
        dialogs.answer(dir.filePath("graph.clq"));
        click(control<QPushButton>(e.f, "ButtonOpen"));
        QCOMPARE(listTexts(storeOf(e.f).vertices), listTexts(drawn.vertices));
        QCOMPARE(listTexts(storeOf(e.f).edges), listTexts(drawn.edges));

        // A folder that does not exist is reported and nothing is written.
        dialogs.answer(dir.filePath("nowhere/graph.clq"));
        click(control<QPushButton>(e.f, "ButtonSaveDimacs"));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].caption, Texts::FehlerCaption);
        QVERIFY(dialogs.messages[0].text.contains("graph.clq"));
        QVERIFY(!QFile::exists(dir.filePath("nowhere/graph.clq")));
    }

    void newButtonsShowWithImportOnly() {
        ScriptedDialogs dialogs;
        Editor e;
        const auto shownButtons = [&e] {
            int count = 0;
            for (const char* name : {"BitBtn4", "BitBtn5", "ButtonOpen", "ButtonSaveDimacs"})
                count += control<QPushButton>(e.f, name)->isVisibleTo(&e.f);
            count += e.undoButton()->isVisibleTo(&e.f) + e.redoButton()->isVisibleTo(&e.f);
            return count;
        };
        QCOMPARE(shownButtons(), 0);
        e.enter();
        QCOMPARE(shownButtons(), 6);
        click(control<QPushButton>(e.f, "BitBtn8"));
        QCOMPARE(shownButtons(), 0);
    }

    // The steps, each undone and redone through the buttons and all three keys.
    void undoRedoSequence_data() {
        QTest::addColumn<bool>("byKeys");
        QTest::newRow("buttons") << false;
        QTest::newRow("keys") << true;
    }
    void undoRedoSequence() {
        QFETCH(bool, byKeys);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("g.clq"), "p edge 5 4\ne 1 2\ne 2 3\ne 3 4\ne 4 5\n"));
        QVERIFY(writeFile(dir.filePath("v.txt"), "0\r\n1\r\n2\r\n"));
        QVERIFY(writeFile(dir.filePath("e.txt"), "0-1\r\n1-2\r\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.f));
        e.enter();

        // Each step: the spinners set as its click needs them, then the click.
        // Undo gives back what was shown just before the click, redo what
        // was shown just after it.
        QList<Shown> before;
        QList<Shown> after;
        QStringList names;
        const auto step = [&](const QString& name, const std::function<bool()>& prepare,
                              const std::function<void()>& act) {
            QVERIFY(prepare());
            before.append(e.shown());
            act();
            after.append(e.shown());
            names.append(name);
            QVERIFY(!(after.last() == before.last()));
            QCOMPARE(e.undoButton()->toolTip(), "Rückgängig: " + name);
        };
        const auto spin = [&e](const char* name, int to) {
            return [&e, name, to] { return spinTo(control<StepArrows>(e.f, name), to); };
        };
        const auto both = [](auto a, auto b) { return [a, b] { return a() && b(); }; };
        const auto press = [&e](const char* name) {
            return [&e, name] { click(control<QPushButton>(e.f, name)); };
        };
        const auto answered = [&](std::initializer_list<std::optional<QString>> names) {
            return [&dialogs, list = QList<std::optional<QString>>(names)] {
                for (const std::optional<QString>& name : list)
                    dialogs.answer(name);
                return true;
            };
        };
        step("Knoten 0", spin("UpDown4", 3), press("Button1"));
        step("Knoten 1", spin("UpDown4", 9), press("Button1"));
        step("Knoten 2", spin("UpDown4", 10), press("Button1"));
        step(
            "DelPos", [] { return true; }, press("BitBtn11"));
        step("Kante 0-2", both(spin("UpDown2", 2), spin("UpDown3", 0)), press("Button2"));
        step("Kante 1-2", both(spin("UpDown2", 1), spin("UpDown3", 2)), press("Button2"));
        step("Öffnen g.clq", answered({dir.filePath("g.clq")}), press("ButtonOpen"));
        step("Import", answered({std::nullopt, dir.filePath("v.txt"), dir.filePath("e.txt")}),
             press("BitBtn4"));
        QVERIFY(!e.redoButton()->isEnabled());

        const auto undo = [&] {
            if (byKeys)
                QTest::keyClick(&e.f, Qt::Key_Z, Qt::ControlModifier);
            else
                click(e.undoButton());
        };
        const auto redo = [&](qsizetype i) {
            if (!byKeys)
                click(e.redoButton());
            else if (i % 2 == 0)
                QTest::keyClick(&e.f, Qt::Key_Y, Qt::ControlModifier);
            else
                QTest::keyClick(&e.f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        };
        for (qsizetype i = names.size() - 1; i >= 0; --i) {
            undo();
            QVERIFY2(e.shown() == before[i],
                     qPrintable("undo " + names[i] + ": " + differences(e.shown(), before[i])));
            QCOMPARE(e.redoButton()->toolTip(), "Wiederholen: " + names[i]);
        }
        QVERIFY(!e.undoButton()->isEnabled());
        undo(); // nothing left: no change
        QVERIFY(e.shown() == before[0]);
        for (qsizetype i = 0; i < names.size(); ++i) {
            redo(i);
            QVERIFY2(e.shown() == after[i],
                     qPrintable("redo " + names[i] + ": " + differences(e.shown(), after[i])));
        }
        // Undone halfway, a new step drops what could have been redone.
        for (int i = 0; i < 5; ++i)
            undo();
        QVERIFY(e.shown() == before[3]);
        QVERIFY(e.place(14));
        QCOMPARE(e.undoButton()->toolTip(), QString("Rückgängig: Knoten 3"));
        QVERIFY(!e.redoButton()->isEnabled());

        // Leaving the editor ends the history.
        e.choose(0);
        e.enter();
        QVERIFY(!e.undoButton()->isEnabled());
        QVERIFY(!e.redoButton()->isEnabled());
        const Shown fresh = e.shown();
        undo();
        QVERIFY(e.shown() == fresh);
    }

    void undoneHighlightPositions() {
        // An undone open gives the grid its positions back.
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("g.edges"), "p q\n"));
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        QVERIFY(e.place(0) && e.place(2));
        const VertexPositions onGrid = *e.f.vertexPositions();
        dialogs.answer(dir.filePath("g.edges"));
        click(control<QPushButton>(e.f, "ButtonOpen"));
        QVERIFY(e.f.vertexPositions()->centres.contains("p"));
        click(e.undoButton());
        QCOMPARE(e.f.vertexPositions()->centres, onGrid.centres);
    }

    void fileDialogFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qtFilters");
        QTest::newRow("lone pattern") << "*bmp" << QStringList{"*bmp (*bmp)"};
        QTest::newRow("pair") << "Text-Datei *.txt|*txt" << QStringList{"Text-Datei *.txt (*txt)"};
        QTest::newRow("two pairs")
            << "*bmp|*bmp|Bilder (*.bmp *.png)|*.bmp *.png"
            << QStringList{"*bmp (*bmp)", "Bilder (*.bmp *.png) (*.bmp *.png)"};
    }
    void fileDialogFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, qtFilters);
        QCOMPARE(qtNameFilters(filter), qtFilters);
    }

    void importOffersPictureFilters() {
        ScriptedDialogs dialogs;
        Editor e;
        e.enter();
        click(control<QPushButton>(e.f, "BitBtn4"));
        QVERIFY(!dialogs.requests.isEmpty());
        const QStringList filters = qtNameFilters(dialogs.requests[0].filter);
        QCOMPARE(filters.size(), 2);
        QCOMPARE(filters[0], "*bmp (*bmp)");
        QVERIFY(filters[1].startsWith("Bilder (*.bmp *.png *.jpg *.jpeg *.gif)"));
    }

    // A dialog starts in the documents folder (named here by the user's
    // folder settings) until a name was chosen in it, then where that name is.
    void dialogsStartInDocuments() {
        QTemporaryDir dir;
        const QString documents = dir.filePath("Dokumente");
        QVERIFY(writeFile(dir.filePath("user-dirs.dirs"),
                          "XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n"));
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            if (configHome.isEmpty())
                qunsetenv("XDG_CONFIG_HOME");
            else
                qputenv("XDG_CONFIG_HOME", configHome);
        });
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        QVERIFY(QDir().mkpath(documents));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents);
        QCOMPARE(fileDialogFolder(QString()), documents);
        QVERIFY(QDir().mkpath(dir.filePath("elsewhere")));
        QCOMPARE(fileDialogFolder(dir.filePath("elsewhere/graph.clq")), dir.filePath("elsewhere"));
        // Without the documents folder the dialog starts where the program runs.
        QVERIFY(QDir(documents).removeRecursively());
        QCOMPARE(fileDialogFolder(QString()), QDir::currentPath());
    }
};

QTEST_MAIN(EditorHistoryTest)
#include "tst_editor_history.moc"
