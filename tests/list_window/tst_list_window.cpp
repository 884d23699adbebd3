#include "clique_list/clique_texts.h"
#include "support/file_size_limit.h"
#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"
#include "support/special_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(CliqueList)

namespace {

QByteArrayList listTexts(const QListWidget* list) {
    QByteArrayList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text().toUtf8());
    return texts;
}

// The lamps as three letters: G green, R red, ? anything else.
QString lamps(const MainWindow& f) {
    QString text;
    for (const Lamp* shape :
         {control<Lamp>(f, "Shape1"), control<Lamp>(f, "Shape2"), control<Lamp>(f, "Shape3")})
        text += shape->colour() == Colours::Green ? 'G'
                : shape->colour() == Colours::Red ? 'R'
                                                  : '?';
    return text;
}

QByteArray crlfLines(const QByteArrayList& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A program with the main window shown and one search run on sample graph k.
struct Searched {
    explicit Searched(int k) {
        showAndWait(f);
        if (k != 1)
            clickItem(control<ChoiceGroup>(f, "RadioGroup1"), k - 1);
        click(control<QPushButton>(f, "BitBtn6"));
    }
    // Puts these cliques in place of the search's, as the list box shows them.
    void replaceCliques(const CliqueList& cliques) {
        cliquesOf(f) = cliques;
        showCliqueListOf(f);
    }
    ScriptedDialogs dialogs;
    Program p;
    MainWindow& f = p.mainWindow;
};

QAbstractButton* operation(const MainWindow& f, QChar key) {
    return key == '3'   ? control<QPushButton>(f, "Button3")
           : key == '4' ? control<QPushButton>(f, "Button4")
                        : control<QPushButton>(f, "Button5");
}

} // namespace

class TestListWindow : public QObject {
    Q_OBJECT
private slots:
    void operations_data();
    void operations();
    void searchAgainTurnsLampsRed();
    void emptyList();
    void decision_data();
    void decision();
    void spinner();
    void answerSurvivesListOperations();
    void save_data();
    void save();
    void saveSearchResult();
    void saveCancelled();
    void failedSave_data();
    void failedSave();
    void listBoxDiscardsTyping();
};

void TestListWindow::operations_data() {
    QTest::addColumn<int>("graph");
    QTest::addColumn<QString>("presses"); // 3, 4, 5: the buttons pressed in turn
    QTest::addColumn<QStringList>("lampsAfter");
    QTest::addColumn<QByteArrayList>("expected");
    const QByteArrayList ascending2{"(0-2)",   "(0-3)",   "(0-4)",    "(0-1-2)",
                                    "(0-1-3)", "(0-1-4)", "(0-1-3-4)"};
    const QByteArrayList descending2{"(0-1-3-4)", "(0-1-2)", "(0-1-3)", "(0-1-4)",
                                     "(0-2)",     "(0-3)",   "(0-4)"};
    const QByteArrayList ascending1{"(0-1)", "(2-4)", "(0-3)",   "(0-4)",   "(2-5)",   "(6-7)",
                                    "(4-7)", "(5-8)", "(0-1-3)", "(2-4-5)", "(0-1-4)", "(0-1-3-4)"};
    const QByteArrayList descending1{"(0-1-3-4)", "(0-1-3)", "(2-4-5)", "(0-1-4)",
                                     "(0-1)",     "(2-4)",   "(0-3)",   "(0-4)",
                                     "(2-5)",     "(6-7)",   "(4-7)",   "(5-8)"};
    QTest::newRow("graph 2: redundancy") << 2 << "3" << QStringList{"GRR"} << kUnique2;
    QTest::newRow("graph 2: redundancy, up")
        << 2 << "34" << QStringList{"GRR", "GGR"} << ascending2;
    QTest::newRow("graph 2: redundancy, up, down")
        << 2 << "345" << QStringList{"GRR", "GGR", "GRG"} << descending2;
    QTest::newRow("graph 2: up, then redundancy keeps the order")
        << 2 << "43" << QStringList{"RGR", "GGR"} << ascending2;
    QTest::newRow("graph 2: up keeps repeats")
        << 2 << "4" << QStringList{"RGR"}
        << QByteArrayList{"(0-2)",   "(0-3)",   "(0-4)",     "(0-1-2)",   "(0-1-2)",   "(0-1-2)",
                          "(0-1-3)", "(0-1-4)", "(0-1-3-4)", "(0-1-3-4)", "(0-1-3-4)", "(0-1-3-4)"};
    QTest::newRow("graph 1: redundancy") << 1 << "3" << QStringList{"GRR"} << kUnique1;
    QTest::newRow("graph 1: down, redundancy, up")
        << 1 << "534" << QStringList{"RRG", "GRG", "GGR"} << ascending1;
    QTest::newRow("graph 1: redundancy, down")
        << 1 << "35" << QStringList{"GRR", "GRG"} << descending1;
    QTest::newRow("graph 1: every operation twice")
        << 1 << "335544" << QStringList{"GRR", "GRR", "GRG", "GRG", "GGR", "GGR"} << ascending1;
}

void TestListWindow::operations() {
    QFETCH(int, graph);
    QFETCH(QString, presses);
    QFETCH(QStringList, lampsAfter);
    QFETCH(QByteArrayList, expected);
    Searched s(graph);
    QCOMPARE(lamps(s.f), QString("RRR"));
    QCOMPARE(cliquesOf(s.f).size(), graph == 1 ? 19 : 12);
    for (int i = 0; i < presses.size(); ++i) {
        click(operation(s.f, presses[i]));
        QCOMPARE(lamps(s.f), lampsAfter[i]);
        // The list box shows exactly the list, after every step.
        QCOMPARE(listTexts(control<QListWidget>(s.f, "ListBox1")), textsOf(cliquesOf(s.f)));
    }
    QCOMPARE(textsOf(cliquesOf(s.f)), expected);
    QVERIFY(s.dialogs.messages.isEmpty());
}

void TestListWindow::searchAgainTurnsLampsRed() {
    Searched s(2);
    click(control<QPushButton>(s.f, "Button3"));
    click(control<QPushButton>(s.f, "Button5"));
    QCOMPARE(lamps(s.f), QString("GRG"));
    click(control<QPushButton>(s.f, "BitBtn6"));
    QCOMPARE(lamps(s.f), QString("RRR"));
    // The new search appends to the reduced list.
    QCOMPARE(
        textsOf(cliquesOf(s.f)).mid(0, 7),
        QByteArrayList({"(0-1-3-4)", "(0-1-2)", "(0-1-3)", "(0-1-4)", "(0-2)", "(0-3)", "(0-4)"}));
    QCOMPARE(control<QListWidget>(s.f, "ListBox1")->count(), 7 + 12);
}

void TestListWindow::emptyList() {
    // A new graph choice empties the list and leaves the buttons enabled.
    Searched s(1);
    clickItem(control<ChoiceGroup>(s.f, "RadioGroup1"), 1);
    QVERIFY(cliquesOf(s.f).isEmpty());
    const std::pair<QChar, QString> steps[] = {{'3', "GRR"}, {'4', "GGR"}, {'5', "GRG"}};
    for (const auto& [key, expected] : steps) {
        click(operation(s.f, key));
        QCOMPARE(lamps(s.f), expected);
        QVERIFY(cliquesOf(s.f).isEmpty());
        QCOMPARE(control<QListWidget>(s.f, "ListBox1")->count(), 0);
    }
    for (int ups : {0, 14}) {
        for (int i = 0; i < ups; ++i)
            click(control<StepArrows>(s.f, "UpDown1")->upButton());
        click(control<QPushButton>(s.f, "BitBtn7"));
        QCOMPARE(control<QLineEdit>(s.f, "Edit3")->text(), QString("0"));
        QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Nein"));
        QVERIFY(s.p.progressWindow.isHidden());
        QCOMPARE(control<QProgressBar>(s.p.progressWindow, "ProgressBar1")->maximum(), 0);
    }
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString("15"));
}

void TestListWindow::decision_data() {
    QTest::addColumn<int>("graph");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<int>("ups");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("answer");
    const CliqueList three = cliquesOf({"(0-1-4)", "(4-5)", "(2-4-5)"});
    QTest::newRow("k=3 of 3") << 1 << true << three << 2 << "3"
                              << "Ja";
    QTest::newRow("k=4 of 3") << 1 << true << three << 3 << "3"
                              << "Nein";
    QTest::newRow("k=1 of 3") << 1 << true << three << 0 << "3"
                              << "Ja";
    QTest::newRow("graph 1, k=4") << 1 << false << CliqueList{} << 3 << "4"
                                  << "Ja";
    QTest::newRow("graph 1, k=5") << 1 << false << CliqueList{} << 4 << "4"
                                  << "Nein";
    QTest::newRow("graph 2, k=4") << 2 << false << CliqueList{} << 3 << "4"
                                  << "Ja";
    QTest::newRow("graph 2, k=5") << 2 << false << CliqueList{} << 4 << "4"
                                  << "Nein";
    QTest::newRow("empty list") << 1 << true << CliqueList{} << 0 << "0"
                                << "Nein";
    // Two-digit labels count once each; labels without digits count too.
    QTest::newRow("multi-digit labels, k=3")
        << 1 << true << cliquesOf({"(13-2-10)", "(11-12)"}) << 2 << "3"
        << "Ja";
    QTest::newRow("multi-digit labels, k=4")
        << 1 << true << cliquesOf({"(13-2-10)", "(11-12)"}) << 3 << "3"
        << "Nein";
    QTest::newRow("names, k=2") << 1 << true << cliquesOf({"(Anna-Bert)", "(A)"}) << 1 << "2"
                                << "Ja";
    QTest::newRow("k stops at 15") << 1 << true << three << 20 << "3"
                                   << "Nein";
    CliqueList many(299, cliqueOf("(0-1)"));
    many.append(cliqueOf("(0-1-2)"));
    QTest::newRow("300 entries") << 1 << true << many << 2 << "3"
                                 << "Ja";
}

void TestListWindow::decision() {
    QFETCH(int, graph);
    QFETCH(bool, replace);
    QFETCH(CliqueList, cliques);
    QFETCH(int, ups);
    QFETCH(QString, size);
    QFETCH(QString, answer);
    Searched s(graph);
    if (replace)
        s.replaceCliques(cliques);
    const QByteArrayList before = textsOf(cliquesOf(s.f));
    for (int i = 0; i < ups; ++i)
        click(control<StepArrows>(s.f, "UpDown1")->upButton());
    const int k = std::min(1 + ups, 15);
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString::number(k));
    QVERIFY(control<QPushButton>(s.f, "BitBtn7")->isEnabled());
    click(control<QPushButton>(s.f, "BitBtn7"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit3")->text(), size);
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), answer);
    // The bar was sized to the list and stopped at the last index; the window is closed again.
    const int n = int(cliquesOf(s.f).size());
    QCOMPARE(control<QProgressBar>(s.p.progressWindow, "ProgressBar1")->maximum(), n);
    if (n > 0)
        QCOMPARE(control<QProgressBar>(s.p.progressWindow, "ProgressBar1")->value(), n - 1);
    QVERIFY(s.p.progressWindow.isHidden());
    QCOMPARE(textsOf(cliquesOf(s.f)), before);
    QCOMPARE(lamps(s.f), QString("RRR"));
}

void TestListWindow::spinner() {
    Searched s(1);
    click(control<StepArrows>(s.f, "UpDown1")->downButton());
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString("1"));
    click(control<StepArrows>(s.f, "UpDown1")->upButton());
    click(control<StepArrows>(s.f, "UpDown1")->upButton());
    click(control<StepArrows>(s.f, "UpDown1")->upButton());
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString("4"));
    click(control<QPushButton>(s.f, "BitBtn7"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Ja"));
    // Moving the spinner does not answer again.
    click(control<StepArrows>(s.f, "UpDown1")->upButton());
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString("5"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Ja"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit3")->text(), QString("4"));
    click(control<QPushButton>(s.f, "BitBtn7"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Nein"));
    click(control<StepArrows>(s.f, "UpDown1")->downButton());
    QCOMPARE(control<QLineEdit>(s.f, "Edit1")->text(), QString("4"));
    QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Nein"));
}

void TestListWindow::answerSurvivesListOperations() {
    Searched s(2);
    for (int i = 0; i < 3; ++i)
        click(control<StepArrows>(s.f, "UpDown1")->upButton());
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             control<QPushButton>(s.f, "BitBtn7"), control<QPushButton>(s.f, "Button3"),
             control<QPushButton>(s.f, "Button4"), control<QPushButton>(s.f, "Button5")}) {
        click(button);
        const QString lampsBefore = lamps(s.f);
        const QByteArrayList listBefore = textsOf(cliquesOf(s.f));
        click(control<QPushButton>(s.f, "BitBtn7"));
        QCOMPARE(control<QLineEdit>(s.f, "Edit3")->text(), QString("4"));
        QCOMPARE(control<QLineEdit>(s.f, "Edit2")->text(), QString("Ja"));
        QCOMPARE(lamps(s.f), lampsBefore);
        QCOMPARE(textsOf(cliquesOf(s.f)), listBefore);
    }
}

void TestListWindow::save_data() {
    QTest::addColumn<CliqueList>("cliques");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("bytes");
    const CliqueList two = cliquesOf({"(0-1-4)", "(4-5)"});
    QTest::newRow("name without suffix") << two << "liste"
                                         << "liste.txt" << QByteArray("(0-1-4)\r\n(4-5)\r\n");
    QTest::newRow("suffix appended again") << two << "liste.txt"
                                           << "liste.txt.txt" << QByteArray("(0-1-4)\r\n(4-5)\r\n");
    QTest::newRow("empty list") << CliqueList{} << "leer"
                                << "leer.txt" << QByteArray();
    QTest::newRow("replaces a file") << two << "alt"
                                     << "alt.txt" << QByteArray("(0-1-4)\r\n(4-5)\r\n");
    QTest::newRow("label bytes unchanged")
        << CliqueList{Clique{{"J\xfcrgen", "\xc3\x84nne", "10"}}} << "namen"
        << "namen.txt" << QByteArray("(J\xfcrgen-\xc3\x84nne-10)\r\n");
}

void TestListWindow::save() {
    QFETCH(CliqueList, cliques);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath("alt.txt"), "ein langer alter Inhalt\r\n"));
    Searched s(1);
    s.replaceCliques(cliques);
    s.dialogs.answer(dir.filePath(chosen));
    click(control<QPushButton>(s.f, "BitBtn9"));
    QCOMPARE(fileBytes(dir.filePath(written)), bytes);
    QVERIFY(s.dialogs.messages.isEmpty());
    QCOMPARE(s.dialogs.requests.size(), 1);
    QVERIFY(s.dialogs.requests[0].save);
    QCOMPARE(s.dialogs.requests[0].filter, QString("Text-Datei *.txt|*txt"));
    // The dialog starts with the name chosen last.
    click(control<QPushButton>(s.f, "BitBtn9"));
    QCOMPARE(s.dialogs.requests.size(), 2);
    QCOMPARE(s.dialogs.requests[1].initialName, dir.filePath(chosen));
    QCOMPARE(textsOf(cliquesOf(s.f)), textsOf(cliques));
}

void TestListWindow::saveSearchResult() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Searched s(2);
    click(control<QPushButton>(s.f, "Button3"));
    s.dialogs.answer(dir.filePath("cliquen"));
    click(control<QPushButton>(s.f, "BitBtn9"));
    const QByteArray bytes = fileBytes(dir.filePath("cliquen.txt"));
    QCOMPARE(bytes, crlfLines(kUnique2));
    QCOMPARE(bytes, crlfLines(listTexts(control<QListWidget>(s.f, "ListBox1"))));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cliquen.txt"});
}

void TestListWindow::saveCancelled() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Searched s(2);
    click(control<QPushButton>(s.f, "BitBtn9"));
    QCOMPARE(s.dialogs.requests.size(), 1);
    QVERIFY(s.dialogs.messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
    QCOMPARE(control<QListWidget>(s.f, "ListBox1")->count(), 12);
}

void TestListWindow::failedSave_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("name of a folder") << "folder";
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("disk full") << "full";
    QTest::newRow("read-only folder") << "read-only";
    QTest::newRow("name of a named pipe") << "pipe";
}

void TestListWindow::failedSave() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath("ablage");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old = "(alt)\r\n";
    QString chosen = folder + "/liste";
    if (kind == "folder")
        QVERIFY(QDir().mkpath(chosen + ".txt"));
    else if (kind == "missing")
        chosen = folder + "/fehlt/liste";
    else if (kind == "pipe")
        QVERIFY(makeNamedPipe(chosen + ".txt"));
    else
        QVERIFY(writeFile(chosen + ".txt", old));
    const QString fileName = chosen + ".txt";

    Searched s(2);
    click(control<QPushButton>(s.f, "Button3"));
    s.dialogs.answer(chosen);
    if (kind == "full") {
        FileSizeLimit limit(8);
        QVERIFY(limit.active());
        click(control<QPushButton>(s.f, "BitBtn9"));
    } else if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = QFile(folder + "/probe").open(QIODevice::WriteOnly);
        if (writable) {
            QFile::remove(folder + "/probe");
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("folder permissions do not bind a privileged user");
        }
        click(control<QPushButton>(s.f, "BitBtn9"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        click(control<QPushButton>(s.f, "BitBtn9"));
    }
    QCOMPARE(s.dialogs.messages.size(), 1);
    QCOMPARE(s.dialogs.messages[0].caption, Texts::FehlerCaption);
    QCOMPARE(s.dialogs.messages[0].text, Texts::cannotWrite(fileName));
    QVERIFY(namesFile(s.dialogs.messages[0].text, fileName));
    if (kind == "full" || kind == "read-only") {
        QCOMPARE(fileBytes(fileName), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"liste.txt"});
    }
    if (kind == "folder")
        QVERIFY(QFileInfo(fileName).isDir());
    if (kind == "pipe")
        QVERIFY(isNamedPipe(fileName));
    // Nothing else changes.
    QCOMPARE(textsOf(cliquesOf(s.f)), kUnique2);
    QCOMPARE(listTexts(control<QListWidget>(s.f, "ListBox1")), kUnique2);
    QCOMPARE(lamps(s.f), QString("GRR"));
}

void TestListWindow::listBoxDiscardsTyping() {
    Searched s(2);
    QListWidget* list = control<QListWidget>(s.f, "ListBox1");
    list->setFocus();
    list->setCurrentRow(3);
    const QByteArrayList before = listTexts(list);
    // Typed text would otherwise jump to the entry that starts with it.
    QTest::keyClicks(list, "(4-0)");
    QTest::keyClicks(list, "x");
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(listTexts(list), before);
    QCOMPARE(textsOf(cliquesOf(s.f)), before);
    // Moving with the arrow keys still works.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 4);
}

QTEST_MAIN(TestListWindow)
#include "tst_list_window.moc"
