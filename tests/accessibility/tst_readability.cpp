#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QLineEdit>
#include <QTest>

#include <cmath>

namespace {

// WCAG relative luminance of an sRGB colour.
double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The contrast of a field's text as painted: the pixels that its text
// changes, each against the same pixel of the field without text. 0 when
// the text paints nothing.
double textContrast(QLineEdit* field) {
    const QString text = field->text();
    const QImage withText = grabbed(field);
    field->clear();
    const QImage without = grabbed(field);
    field->setText(text);
    double best = 0;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            if (withText.pixel(x, y) != without.pixel(x, y))
                best = std::max(best, contrast(withText.pixel(x, y), without.pixel(x, y)));
    return best;
}

int redPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) >= 180 && qGreen(p) <= 90 && qBlue(p) <= 90)
                ++count;
        }
    return count;
}

// Every window with its output fields filled: sample graph 2 searched and
// answered, the exact analysis open, then the editor chosen so that its
// fields show too.
struct Filled : MainWindowDriver {
    Filled() {
        choose(1);
        click(control<QPushButton>(f, "BitBtn6"));
        click(control<QPushButton>(f, "BitBtn7"));
        click(control<QPushButton>(f, "ButtonExact"));
        // The analysis computes off the user-interface thread.
        QTRY_VERIFY_WITH_TIMEOUT(!p.exactAnalysisWindow.isComputing(), 60000);
        choose(2);
    }
    ScriptedDialogs dialogs;
};

} // namespace

class TestReadability : public QObject {
    Q_OBJECT
private slots:
    void outputFields_data();
    void outputFields();
    void disabledButtonCaptionGreys_data();
    void disabledButtonCaptionGreys();
};

void TestReadability::outputFields_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("main") << "Form1";
    QTest::newRow("exact analysis") << "FormExact";
}

// The fields only display: no typing, no tab stop, and text that reads at
// least 4.5 : 1 against its ground (WCAG AA).
void TestReadability::outputFields() {
    QFETCH(QString, window);
    Filled s;
    QWidget* w = window == "Form1" ? static_cast<QWidget*>(&s.f) : &s.p.exactAnalysisWindow;
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QList<QLineEdit*> fields = w->findChildren<QLineEdit*>();
    QVERIFY(fields.size() >= 3);
    for (QLineEdit* field : fields) {
        const QByteArray nameBytes = field->objectName().toLatin1();
        const char* name = nameBytes.constData();
        QVERIFY2(field->isVisible(), name);
        QVERIFY2(!field->text().isEmpty(), name);
        QVERIFY2(!field->isEnabled() || field->isReadOnly(), name);
        QCOMPARE(field->focusPolicy(), Qt::NoFocus);
        const double ratio = textContrast(field);
        qInfo("%s: %.2f : 1", name, ratio);
        QVERIFY2(ratio >= 4.5, qPrintable(QString("%1: %2 : 1").arg(name).arg(ratio, 0, 'f', 2)));
    }
}

void TestReadability::disabledButtonCaptionGreys_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Berechnen!") << "BitBtn6";
    QTest::newRow("Beantworten!") << "BitBtn7";
}

// A red caption is red only while its button can be pressed.
void TestReadability::disabledButtonCaptionGreys() {
    QFETCH(QString, button);
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    QPushButton* b = control<QPushButton>(d.f, qPrintable(button));
    b->setEnabled(true);
    QVERIFY(redPixels(grabbed(b)) > 20);
    b->setEnabled(false);
    const QImage disabled = grabbed(b);
    QCOMPARE(redPixels(disabled), 0);
    // The caption is still drawn, in grey.
    const QString caption = b->text();
    b->setText(QString());
    QVERIFY(grabbed(b) != disabled);
    b->setText(caption);
}

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
