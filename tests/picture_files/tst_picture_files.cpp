#include "files/list_files.h"
#include "files/picture_checks.h"
#include "files/picture_files_drawing.h"
#include "graph/sample_graphs.h"
#include "support/pictures.h"
#include "support/test_files.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

QString samplePicture(int k) {
    return QDir(MANDORIN_ASSETS_DIR).filePath(QString::fromLatin1(sampleGraph(k).pictureFile));
}

// The colour the sample pictures fill their vertex circles with.
const QRgb kVertexFill = qRgb(255, 255, 210);

bool isInk(QRgb colour) {
    return qRed(colour) < 100 && qGreen(colour) < 100 && qBlue(colour) < 100;
}

} // namespace

class TestPictureFiles : public QObject {
    Q_OBJECT
private slots:
    void cutOffPicturesAreRefused_data();
    void cutOffPicturesAreRefused();
    void samplePicturesMatchTheTable_data();
    void samplePicturesMatchTheTable();
};

void TestPictureFiles::cutOffPicturesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    const QImage picture = fourColourPicture();
    const QList<std::pair<const char*, QByteArray>> files{{"GIF", gifFile(picture)},
                                                          {"JPEG", encodedPicture(picture, "JPEG")},
                                                          {"PNG", encodedPicture(picture, "PNG")},
                                                          {"BMP", encodedPicture(picture, "BMP")}};
    for (const auto& [format, bytes] : files) {
        QTest::addRow("%s complete", format) << bytes << true;
        for (int third = 1; third <= 2; ++third)
            QTest::addRow("%s cut after %d/3", format, third)
                << bytes.left(bytes.size() * third / 3) << false;
        QTest::addRow("%s cut after the header", format) << bytes.left(40) << false;
    }
    const QByteArray jpeg = files[1].second;
    QTest::newRow("JPEG without its end marker") << jpeg.left(jpeg.size() - 2) << false;
    const QByteArray png = files[2].second;
    QTest::newRow("PNG without its end chunk") << png.left(png.size() - 12) << false;
}

// A picture that ends early is refused as a whole, whatever its format: some
// readers show the part they got without a word.
void TestPictureFiles::cutOffPicturesAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QTemporaryDir dir;
    // Named as the program asks for them; the content decides the format.
    const QString name = dir.filePath("bild.bmp");
    QVERIFY(writeFile(name, bytes));
    QCOMPARE(isTruncatedPicture(bytes), !readable);
    const QImage read = readPicture(name);
    QCOMPARE(read.isNull(), !readable);
    if (!readable)
        return;
    const QImage expected = fourColourPicture();
    QCOMPARE(read.size(), expected.size());
    if (!bytes.startsWith("\xff\xd8")) // lossless
        QCOMPARE(rgb(read), expected);
}

void TestPictureFiles::samplePicturesMatchTheTable_data() {
    QTest::addColumn<int>("k");
    QTest::newRow("Beispiel-Graph (1)") << 1;
    QTest::newRow("Beispiel-Graph (2)") << 2;
}

// The committed pictures must show each vertex and edge where the table puts
// them, since the highlight of a clique is drawn from the table on top of them.
void TestPictureFiles::samplePicturesMatchTheTable() {
    QFETCH(int, k);
    const SampleGraph& graph = sampleGraph(k);
    const QImage picture = rgb(readPicture(samplePicture(k)));
    QVERIFY2(!picture.isNull(), qPrintable(samplePicture(k)));
    QCOMPARE(picture.size(), QSize(kSamplePictureWidth, kSamplePictureHeight));
    QCOMPARE(graph.centres.size(), graph.labels.size());

    // Inside each circle, clear of the label, all round: a circle off by a few
    // pixels leaves one side of this ring outside it.
    const int ring = kSampleVertexRadius * 2 / 3;
    for (size_t v = 0; v < graph.centres.size(); ++v) {
        for (int step = 0; step < 8; ++step) {
            const double angle = step * std::numbers::pi / 4;
            const QPoint at = graph.centres[v] + QPoint(int(std::lround(ring * std::cos(angle))),
                                                        int(std::lround(ring * std::sin(angle))));
            QVERIFY2(picture.pixel(at) == kVertexFill,
                     qPrintable(QString("vertex %1: #%2 at %3,%4")
                                    .arg(QString::fromLatin1(graph.labels[v]))
                                    .arg(picture.pixel(at) & 0xffffff, 6, 16, QChar('0'))
                                    .arg(at.x())
                                    .arg(at.y())));
        }
    }
    // The middle of each edge line: ink on one of the pixels that meet there.
    for (const QByteArray& edge : graph.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const QPoint a = graph.centres[size_t(ends.first.toInt())];
        const QPoint b = graph.centres[size_t(ends.second.toInt())];
        const QPoint middle((a.x() + b.x() + 1) / 2, (a.y() + b.y() + 1) / 2);
        bool inked = false;
        for (const QPoint& at :
             {middle, middle - QPoint(1, 0), middle - QPoint(0, 1), middle - QPoint(1, 1)})
            inked = inked || isInk(picture.pixel(at));
        QVERIFY2(inked, qPrintable(QString("edge %1: #%2 at %3,%4")
                                       .arg(QString::fromLatin1(edge))
                                       .arg(picture.pixel(middle) & 0xffffff, 6, 16, QChar('0'))
                                       .arg(middle.x())
                                       .arg(middle.y())));
    }
}

QTEST_MAIN(TestPictureFiles)
#include "tst_picture_files.moc"
