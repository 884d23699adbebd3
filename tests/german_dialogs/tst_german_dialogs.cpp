#include "app/qt_translation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

QString fileDialogTitle(QFileDialog::AcceptMode mode) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    return dialog.windowTitle();
}

QStringList fileDialogTexts(QFileDialog::AcceptMode mode) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts.append(button->text());
    return texts;
}

QString cancelButtonText() {
    QMessageBox box(QMessageBox::NoIcon, "Mandorin", "Text", QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

} // namespace

class TestGermanDialogs : public QObject {
    Q_OBJECT
private slots:
    void germanWithQtsTranslation();
    void englishWithoutIt();
};

void TestGermanDialogs::germanWithQtsTranslation() {
    QTranslator translator;
    QVERIFY2(loadGermanQtStrings(translator, qtTranslationsDirectory()),
             qPrintable("no qtbase_de.qm in " + qtTranslationsDirectory() +
                        ": scripts/deps.sh installs qt6-translations-l10n"));
    QVERIFY(QApplication::installTranslator(&translator));
    QCOMPARE(fileDialogTitle(QFileDialog::AcceptSave), QString("Speichern unter"));
    QCOMPARE(fileDialogTitle(QFileDialog::AcceptOpen), QString("Öffnen"));
    const QStringList texts = fileDialogTexts(QFileDialog::AcceptSave);
    for (const char* text : {"Datei&name:", "S&peichern", "Abbrechen"})
        QVERIFY2(texts.contains(QString(text)), text);
    QCOMPARE(cancelButtonText(), QString("Abbrechen"));
    QApplication::removeTranslator(&translator);
}

// A machine without Qt's translation still runs the program, in English dialogs.
void TestGermanDialogs::englishWithoutIt() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QTranslator translator;
    QVERIFY(!loadGermanQtStrings(translator, empty.path()));
    QCOMPARE(fileDialogTitle(QFileDialog::AcceptSave), QString("Save As"));
    QVERIFY(fileDialogTexts(QFileDialog::AcceptSave).contains("File &name:"));
    QCOMPARE(cancelButtonText(), QString("Cancel"));
}

QTEST_MAIN(TestGermanDialogs)
#include "tst_german_dialogs.moc"
