#include "support/main_window_driver.h"
#include "support/pictures.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Sample graph 1 with its first clique marked and the play's second step
// drawn over it.
struct Session : MainWindowDriver {
    StepPlayWindow& w = p.stepPlayWindow;
    PictureArea* drawing = control<PictureArea>(f, "Image1");

    Session() {
        click(control<QPushButton>(f, "BitBtn6"));
        control<QListWidget>(f, "ListBox1")->setCurrentRow(0);
        click(control<QPushButton>(f, "ButtonSteps"));
        QTest::keyClick(&w, Qt::Key_Right);
        QTest::keyClick(&w, Qt::Key_Right);
    }
    // The drawing's layers, composed here.
    QImage layers() const {
        QImage shown = rgb(drawing->picture());
        QPainter painter(&shown);
        painter.drawImage(0, 0, drawing->overlay());
        painter.drawImage(0, 0, drawing->playOverlay());
        return shown;
    }
    // Chooses entry 0 ("Bild speichern…") or 1 ("Drucken…") of the drawing's
    // menu, opened as named, or of the step window's buttons.
    void take(const QString& how, int entry) {
        if (how == "button")
            return click(control<QPushButton>(w, entry == 0 ? "ButtonSavePicture" : "ButtonPrint"));
        if (how == "right click") {
            const QPoint at(40, 40);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, drawing->mapToGlobal(at));
            QApplication::sendEvent(drawing, &event);
        } else {
            f.activateWindow(); // keys go to the active window
            QVERIFY(QTest::qWaitForWindowActive(&f));
            QTest::keyClick(&f, how == "Shift+F10" ? Qt::Key_F10 : Qt::Key_Menu,
                            how == "Shift+F10" ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QMenu* menu = control<QMenu>(f, "MenuPicture");
        QTRY_VERIFY(menu->isVisible());
        for (int i = 0; i <= entry; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    }
};

QSize pdfPage(const QByteArray& pdf) {
    const QRegularExpressionMatch box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                                            .match(QString::fromLatin1(pdf));
    return QSize(qRound(box.captured(1).toDouble()), qRound(box.captured(2).toDouble()));
}

} // namespace

class TestWorksheetPictures : public QObject {
    Q_OBJECT
private slots:
    void savesAndPrintsAsShown_data();
    void savesAndPrintsAsShown();
};

void TestWorksheetPictures::savesAndPrintsAsShown_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("entry");       // 0 "Bild speichern…", 1 "Drucken…"
    QTest::addColumn<QString>("answer");  // empty: cancelled
    QTest::addColumn<QString>("written"); // empty: nothing
    QTest::addColumn<QString>("message"); // %1: the folder of the answer
    const auto row = [](const char* name, const char* how, int entry, const char* answer,
                        const char* written, const QString& message = {}) {
        QTest::newRow(name) << QString(how) << entry << QString(answer) << QString(written)
                            << message;
    };
    const QString unwritten =
        "Fehler: Die Datei \"%1\" konnte nicht geschrieben werden.\nOrdner: %2";
    row("PNG, right click", "right click", 0, "a.png", "a.png");
    row("SVG, Shift+F10", "Shift+F10", 0, "a.SVG", "a.SVG");
    row("PDF, step window", "button", 0, "a.pdf", "a.pdf");
    row("no ending, menu key", "menu key", 0, "a", "a.png");
    row("other ending", "button", 0, "a.jpg", "a.jpg.png");
    row("print, right click", "right click", 1, "p.pdf", "p.pdf");
    row("save cancelled", "button", 0, "", "");
    row("print cancelled", "right click", 1, "", "");
    row("a folder's name", "button", 0, "d.png", "", unwritten.arg("d.png", "%1"));
    row("missing folder", "button", 0, "x/a.svg", "", unwritten.arg("a.svg", "%1/x"));
    row("printer fails", "button", 1, "x/p.pdf", "",
        "Fehler: Das Bild konnte nicht gedruckt werden.");
    row("empty drawing", "empty", 0, "a.png", "", "Meldung: Die Zeichnung ist leer.");
}

// The file holds the drawing with both marks, in the kind its name asks for;
// whatever goes wrong is said in German and leaves no file behind.
void TestWorksheetPictures::savesAndPrintsAsShown() {
    QFETCH(QString, how);
    QFETCH(int, entry);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("d.png"));
    ScriptedDialogs dialogs;
    Session s;
    if (how == "empty")
        click(control<QPushButton>(s.f, "BitBtn8"));
    const QImage shown = s.layers();
    QVERIFY(s.drawing->isEmpty() ||
            (!s.drawing->overlay().isNull() && !s.drawing->playOverlay().isNull()));
    dialogs.answer(answer.isEmpty() ? std::nullopt : std::optional(dir.filePath(answer)));
    s.take(how == "empty" ? "button" : how, entry);
    QStringList messages;
    for (const ScriptedDialogs::Message& m : dialogs.messages)
        messages.append(m.caption.section(": ", 1) + ": " + m.text);
    QCOMPARE(messages, QStringList{message.replace("%1", dir.path())}.filter(":"));
    QCOMPARE(dialogs.printRequests, QStringList{"Mandorin: Graph"}.mid(0, entry));
    QStringList files = QStringList{"d.png", written}.filter(".");
    files.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             files);
    const QByteArray bytes = fileBytes(dir.filePath(written));
    const QString kind = written.section('.', -1).toLower();
    if (kind == "pdf") {
        // Saved at the drawing's size; printed across the page, as the drawing is wide.
        const QSize page = pdfPage(bytes);
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(entry == 0 ? page == shown.size() : page.width() > page.height());
    } else if (kind == "svg") {
        const QString image = QRegularExpression("base64,([^\"]+)").match(bytes).captured(1);
        QVERIFY(bytes.contains("<svg"));
        QCOMPARE(rgb(QImage::fromData(QByteArray::fromBase64(image.toLatin1()))), shown);
    } else if (kind == "png") {
        QVERIFY(bytes.startsWith("\x89PNG"));
        QCOMPARE(rgb(QImage::fromData(bytes)), shown);
    }
}

QTEST_MAIN(TestWorksheetPictures)
#include "tst_worksheet_pictures.moc"
