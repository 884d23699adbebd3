#include "support/main_window_driver.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// Answers the program's real dialogs as they come up: confirms every message
// box and cancels every file dialog, after noting what it offers to filter by
// and the ending it gives a name without one.
class DialogAnswerer : public QObject {
public:
    DialogAnswerer() {
        connect(&m_look, &QTimer::timeout, this, &DialogAnswerer::answer);
        m_look.start(5);
    }

    QStringList fileDialogs; // "open" or "save", then the name filters
    QStringList messages;

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            const QString kind = dialog->acceptMode() == QFileDialog::AcceptOpen ? "open" : "save";
            // A name typed without an ending gets this one.
            const QString suffix = dialog->defaultSuffix();
            fileDialogs.append(kind + ": " + dialog->nameFilters().join(" ; ") +
                               (suffix.isEmpty() ? "" : " ." + suffix));
            dialog->reject();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages.append(box->text());
            box->accept();
        }
    }

    QTimer m_look;
};

} // namespace

class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void nameFiltersOfEveryDialog_data();
    void nameFiltersOfEveryDialog();
};

void TestFileDialogs::nameFiltersOfEveryDialog_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QStringList>("expected");
    const QString pictures = "*bmp (*bmp) ; Bilder (*.bmp *.png *.jpg *.jpeg *.gif) (*.bmp *.png "
                             "*.jpg *.jpeg *.gif)";
    const QString savedPicture = "*bmp (*bmp)";
    const QString lists = "Knoten/ Kante: Text-Datei *.txt (*.txt)";
    const QString savedList = "Text-Datei *.txt (*txt)";
    QTest::newRow("Import") << "BitBtn4" << true
                            << QStringList{"open: " + pictures, "open: " + lists, "open: " + lists};
    QTest::newRow("Export") << "BitBtn5" << true
                            << QStringList{"save: " + savedPicture, "save: " + savedList,
                                           "save: " + savedList};
    QTest::newRow("Speichern") << "BitBtn9" << false << QStringList{"save: " + savedList};
    QTest::newRow("Öffnen…") << "ButtonOpen" << false
                             << QStringList{"open: Graph-Dateien (DIMACS, Kantenliste) (*.clq "
                                            "*.col *.dimacs *.txt *.edges *.csv)"};
    QTest::newRow("Als DIMACS…") << "ButtonSaveDimacs" << false
                                 << QStringList{"save: DIMACS-Datei (*.clq) .clq"};
}

// The filters as Qt's own file dialog takes them, description and patterns,
// for each file dialog that each button opens in turn (all of them cancelled):
// every file dialog of the program.
void TestFileDialogs::nameFiltersOfEveryDialog() {
    QFETCH(QString, button);
    QFETCH(bool, editor);
    QFETCH(QStringList, expected);
    Program program;
    MainWindow& window = program.mainWindow;
    showAndWait(window);
    if (editor)
        clickItem(control<ChoiceGroup>(window, "RadioGroup1"), 2);
    DialogAnswerer answerer;
    click(control<QPushButton>(window, button.toLatin1().constData()));
    QCOMPARE(answerer.fileDialogs, expected);
}

QTEST_MAIN(TestFileDialogs)
#include "tst_file_dialogs.moc"
