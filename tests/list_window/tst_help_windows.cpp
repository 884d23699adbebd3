#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

struct Shown {
    Shown() { showAndWait(f); }
    ScriptedDialogs dialogs;
    Program p;
    MainWindow& f = p.mainWindow;
};

// The window's text area and the main window's button that opens it.
struct Window {
    QWidget* window;
    ReadOnlyText* memo;
    QPushButton* opener;
};

Window window(Shown& s, int number) {
    if (number == 2)
        return {&s.p.helpWindow, control<ReadOnlyText>(s.p.helpWindow, "TMemo1"),
                control<QPushButton>(s.f, "BitBtn1")};
    return {&s.p.versionWindow, control<ReadOnlyText>(s.p.versionWindow, "Memo1"),
            control<QPushButton>(s.f, "BitBtn2")};
}

int visibleWindowsTitled(const QString& title) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle() == title)
            ++count;
    return count;
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void picture();
    void openOnceAndToFront_data();
    void openOnceAndToFront();
    void typingChangesNothing_data();
    void typingChangesNothing();
    void helpTextSections();
    void helpTextFitsItsArea();
    void versionNotesText();
};

void TestHelpWindows::layout_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("help Panel1") << 2 << "Panel1" << QRect(8, 8, 657, 353);
    QTest::newRow("help Image1") << 2 << "Image1" << QRect(520, 8, 121, 337);
    QTest::newRow("help BitBtn1") << 2 << "BitBtn1" << QRect(8, 320, 97, 25);
    QTest::newRow("help ScrollBox1") << 2 << "ScrollBox1" << QRect(8, 8, 505, 305);
    QTest::newRow("help TMemo1") << 2 << "TMemo1" << QRect(0, 0, 481, 985);
    QTest::newRow("version Panel1") << 3 << "Panel1" << QRect(0, 0, 465, 201);
    QTest::newRow("version Memo1") << 3 << "Memo1" << QRect(8, 8, 449, 153);
    QTest::newRow("version BitBtn1") << 3 << "BitBtn1" << QRect(8, 168, 97, 25);
}

void TestHelpWindows::layout() {
    QFETCH(int, form);
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    Shown s;
    QWidget* w = form == 2 ? static_cast<QWidget*>(&s.p.helpWindow) : &s.p.versionWindow;
    QWidget* child = w->findChild<QWidget*>(name);
    QVERIFY(child);
    QCOMPARE(child->geometry(), geometry);
    QCOMPARE(w->windowTitle(),
             form == 2 ? QString("Mandorin: Hilfe") : QString("Mandorin: Version"));
    QCOMPARE(w->pos(), form == 2 ? QPoint(399, 167) : QPoint(192, 125));
    auto* close = w->findChild<QPushButton*>("BitBtn1");
    QCOMPARE(close->text(), QString("S&chließen"));
    // The help text lies in the scroll box and scrolls only with it.
    QCOMPARE(control<QScrollArea>(s.p.helpWindow, "ScrollBox1")->widget(),
             control<ReadOnlyText>(s.p.helpWindow, "TMemo1"));
    QCOMPARE(control<ReadOnlyText>(s.p.helpWindow, "TMemo1")->verticalScrollBarPolicy(),
             Qt::ScrollBarAlwaysOff);
}

void TestHelpWindows::picture() {
    Shown s;
    const QImage image = control<PictureArea>(s.p.helpWindow, "Image1")->picture();
    QCOMPARE(image.size(), QSize(177, 337));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    QCOMPARE(colours.size(), 2);
    // The part beyond the area's 121 columns is cut off, not scaled in.
    QCOMPARE(control<PictureArea>(s.p.helpWindow, "Image1")->size(), QSize(121, 337));
    const QImage shown = control<PictureArea>(s.p.helpWindow, "Image1")
                             ->grab()
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QImage left = image.copy(0, 0, 121, 337).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, left);
}

void TestHelpWindows::openOnceAndToFront_data() {
    QTest::addColumn<int>("form");
    QTest::newRow("help") << 2;
    QTest::newRow("version") << 3;
}

void TestHelpWindows::openOnceAndToFront() {
    QFETCH(int, form);
    Shown s;
    const Window w = window(s, form);
    const Window other = window(s, form == 2 ? 3 : 2);
    QVERIFY(w.window->isHidden());
    QTest::mouseClick(w.opener, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    // The other window on top, then the first opened again: one window, in front.
    QTest::mouseClick(other.opener, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(other.window));
    QTest::mouseClick(w.opener, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(visibleWindowsTitled(w.window->windowTitle()), 1);
    // Its close button only hides it; it comes back as it was.
    const QString text = w.memo->toPlainText();
    w.memo->moveCursor(QTextCursor::End);
    const int cursor = w.memo->textCursor().position();
    QTest::mouseClick(w.window->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    QVERIFY(w.window->isHidden());
    QVERIFY(s.f.isVisible());
    QTest::mouseClick(w.opener, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(w.memo->toPlainText(), text);
    QCOMPARE(w.memo->textCursor().position(), cursor);
    QVERIFY(s.dialogs.messages.isEmpty());
}

void TestHelpWindows::typingChangesNothing_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("action");
    for (int form : {2, 3})
        for (const char* action :
             {"letters", "backspace", "enter", "delete", "paste keys", "paste", "cut", "tab"})
            QTest::addRow("%s: %s", form == 2 ? "help" : "version", action) << form << action;
}

void TestHelpWindows::typingChangesNothing() {
    QFETCH(int, form);
    QFETCH(QString, action);
    Shown s;
    const Window w = window(s, form);
    QTest::mouseClick(w.opener, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    ReadOnlyText* memo = w.memo;
    const QString before = memo->toPlainText();
    QVERIFY(!before.isEmpty());
    memo->setFocus();
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(20);
    memo->setTextCursor(cursor);
    QApplication::clipboard()->setText("EINGEFÜGT");
    if (action == "letters") {
        QTest::keyClicks(memo, "Hallo 123");
        QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_Adiaeresis, QString("ä"), Qt::NoModifier);
    } else if (action == "backspace") {
        QTest::keyClick(memo, Qt::Key_Backspace);
    } else if (action == "enter") {
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClick(memo, Qt::Key_Enter);
    } else if (action == "delete") {
        QTest::keyClick(memo, Qt::Key_Delete);
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Delete);
    } else if (action == "paste keys") {
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (action == "paste") {
        memo->paste(); // as from the context menu
    } else if (action == "cut") {
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
        memo->cut();
    } else if (action == "tab") {
        QTest::keyClick(memo, Qt::Key_Tab);
    }
    QCOMPARE(memo->toPlainText(), before);
    QVERIFY(!memo->document()->isUndoAvailable());
}

void TestHelpWindows::helpTextSections() {
    Shown s;
    const QStringList lines =
        control<ReadOnlyText>(s.p.helpWindow, "TMemo1")->toPlainText().split('\n');
    QVERIFY(lines.size() > 10);
    QCOMPARE(lines[0], QString("Berechnung maximaler Cliquen in einem ungerichteten Graphen"));
    QCOMPARE(lines[1], QString(67, '-'));
    QCOMPARE(lines.mid(2, 3), QStringList({"", "", ""}));
    QVERIFY(!lines[5].isEmpty());
    // Main headings with their dashes, sub-headings without, in this order.
    const std::pair<QString, int> headings[] = {{"Mandorin:", 26},
                                                {"Graphentheorie:", 26},
                                                {"Bedienungsanleitung:", 35},
                                                {"Graphen-Auswahl:", 0},
                                                {"Cliquen-Berechnung:", 0}};
    qsizetype previous = 1;
    for (const auto& [heading, dashes] : headings) {
        const qsizetype at = lines.indexOf(heading);
        QVERIFY2(at > previous, qPrintable(heading));
        if (dashes > 0)
            QCOMPARE(lines[at + 1], QString(dashes, '-'));
        else
            QVERIFY2(!lines[at + 1].startsWith('-') && !lines[at + 1].isEmpty(),
                     qPrintable(heading));
        previous = at;
    }
    const QString text = lines.join(' ');
    for (const char* term : {"NP-schwer", "Entscheidungsproblem", "(V, E)", "Knoten", "Kanten",
                             "ungeordnet", "benachbart", "Grad", "induzierte", "vollständig",
                             "paarweise", "Graphen-Werkzeuge", "Import", "Export", "dunkelblau",
                             "Redundanz vermeiden", "Aufsteigend", "Absteigend", "Mindestgröße"})
        QVERIFY2(text.contains(QString::fromUtf8(term)), term);
}

void TestHelpWindows::helpTextFitsItsArea() {
    Shown s;
    QTest::mouseClick(control<QPushButton>(s.f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(&s.p.helpWindow));
    ReadOnlyText* memo = control<ReadOnlyText>(s.p.helpWindow, "TMemo1");
    // The area has no scroll bars of its own: the whole text must fit in it,
    // each line of the text on one line of the area.
    QVERIFY2(memo->document()->size().height() <= memo->viewport()->height(),
             qPrintable(QString::number(memo->document()->size().height())));
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        QVERIFY2(block.layout()->lineCount() <= 1, qPrintable(block.text()));
    // The scroll box reaches the end of the text.
    QScrollBar* bar = control<QScrollArea>(s.p.helpWindow, "ScrollBox1")->verticalScrollBar();
    QCOMPARE(bar->maximum(),
             985 - control<QScrollArea>(s.p.helpWindow, "ScrollBox1")->viewport()->height());
}

void TestHelpWindows::versionNotesText() {
    Shown s;
    const QStringList lines = control<ReadOnlyText>(s.p.versionWindow, "Memo1")
                                  ->toPlainText()
                                  .split('\n', Qt::SkipEmptyParts, Qt::CaseSensitive);
    const QStringList all =
        control<ReadOnlyText>(s.p.versionWindow, "Memo1")->toPlainText().split('\n');
    QCOMPARE(all[0], QString("Versionshinweise:"));
    QVERIFY(all[1].size() >= 10 && all[1] == QString(all[1].size(), '-'));
    QCOMPARE(all[2], QString());
    QVERIFY(lines.size() >= 4);
    for (const QString& line : lines.mid(2))
        QVERIFY2(line.startsWith("- "), qPrintable(line));
}

QTEST_MAIN(TestHelpWindows)
#include "tst_help_windows.moc"
