#include "files/picture_checks.h"
#include "fuzz/fuzz_checks.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <limits>

namespace {

const char* const kTargets[] = {"fuzz_import", "fuzz_graph", "fuzz_formats"};

QDir inputDir(const QString& kind, const QString& target) {
    return QDir(QStringLiteral(MANDORIN_FUZZ_DIR) + '/' + kind + '/' + target);
}

QStringList inputFiles(const QString& kind, const QString& target) {
    return inputDir(kind, target).entryList(QDir::Files, QDir::Name);
}

// A bitmap of `size` bytes whose header promises width x height pixels.
QByteArray bitmap(qint32 width, qint32 height, quint16 bitCount, qsizetype size) {
    QByteArray bytes(size, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    qToLittleEndian<quint32>(54, bytes.data() + 10); // pixel data offset
    qToLittleEndian<quint32>(40, bytes.data() + 14); // info header size
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    qToLittleEndian<quint16>(bitCount, bytes.data() + 28);
    return bytes;
}

} // namespace

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void inputsArePresent();
    void replay_data();
    void replay();
    void bitmapHeaders_data();
    void bitmapHeaders();
};

void TestFuzzRegressions::inputsArePresent() {
    for (const char* target : kTargets) {
        QVERIFY2(inputFiles("corpus", target).size() >= 5, target);
        QVERIFY2(inputDir("regressions", target).exists(), target);
    }
    QVERIFY(!inputFiles("regressions", "fuzz_graph").isEmpty());
}

void TestFuzzRegressions::replay_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("input");
    for (const QString kind : {"regressions", "corpus"}) {
        for (const char* target : kTargets) {
            const QDir dir = inputDir(kind, target);
            for (const QString& name : inputFiles(kind, target)) {
                QFile file(dir.filePath(name));
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                const QString row = kind + '/' + target + '/' + name;
                QTest::newRow(qPrintable(row)) << QString(target) << file.readAll();
            }
        }
    }
}

void TestFuzzRegressions::replay() {
    QFETCH(QString, target);
    QFETCH(QByteArray, input);
    const QByteArray failure = target == "fuzz_import"    ? CheckImportInput(input)
                               : target == "fuzz_formats" ? CheckFormatInput(input)
                                                          : CheckGraphInput(input);
    QVERIFY2(failure.isEmpty(), failure.constData());
}

// Headers whose pixel size passes the 64-bit range once wrapped to a small
// number and let a forged file pass as complete.
void TestFuzzRegressions::bitmapHeaders_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("truncated");
    const qint32 most = std::numeric_limits<qint32>::min();
    QTest::newRow("2^31 x 2^31 at 32 bits") << bitmap(most, most, 32, 60) << true;
    QTest::newRow("largest sizes, 65535 bits") << bitmap(most, most, 65535, 60) << true;
    QTest::newRow("1 x 1 complete") << bitmap(1, 1, 24, 58) << false;
    QTest::newRow("1 x 1 one byte short") << bitmap(1, 1, 24, 57) << true;
    QTest::newRow("top-down 2 x 2 complete") << bitmap(2, -2, 24, 70) << false;
    QTest::newRow("no pixels") << bitmap(0, 5, 24, 54) << false;
}

void TestFuzzRegressions::bitmapHeaders() {
    QFETCH(QByteArray, bytes);
    QTEST(isTruncatedBitmap(bytes), "truncated");
    QVERIFY(CheckImportInput(bytes).isEmpty());
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
