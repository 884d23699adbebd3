#include "editor/editor_drawing.h"
#include "editor/graph_files.h"
#include "graph/sample_graphs.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

// Four colours, so that the GIF writer below can take them as they are.
QImage somePicture() {
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(4, 4, 20, 12, Qt::red);
    painter.fillRect(30, 10, 14, 18, Qt::blue);
    painter.setPen(Qt::black);
    painter.drawLine(0, 31, 47, 0);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot encode a %s picture", format);
    return bytes;
}

// Qt reads GIF files but does not write them. This writer keeps the LZW
// codes at three bits: a clear code before every two pixels stops the code
// table from ever growing past eight entries.
QByteArray gifFile(const QImage& image) {
    const QList<QRgb> palette{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
    QByteArray bytes("GIF89a");
    const auto word = [&bytes](int value) {
        bytes += char(value & 0xff);
        bytes += char(value >> 8);
    };
    word(image.width());
    word(image.height());
    bytes += QByteArray("\x91\x00\x00", 3); // a global table of four colours
    for (QRgb colour : palette) {
        bytes += char(qRed(colour));
        bytes += char(qGreen(colour));
        bytes += char(qBlue(colour));
    }
    bytes += '\x2c';
    word(0);
    word(0);
    word(image.width());
    word(image.height());
    bytes += '\x00';
    bytes += '\x02'; // smallest code size

    QByteArray codes;
    quint32 pending = 0;
    int pendingBits = 0;
    const auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        pendingBits += 3;
        while (pendingBits >= 8) {
            codes += char(pending & 0xff);
            pending >>= 8;
            pendingBits -= 8;
        }
    };
    constexpr int clearCode = 4;
    constexpr int endCode = 5;
    int index = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x, ++index) {
            if (index % 2 == 0)
                put(clearCode);
            const qsizetype colour = palette.indexOf(image.pixel(x, y) | 0xff000000u);
            if (colour < 0)
                qFatal("a colour outside the GIF palette");
            put(int(colour));
        }
    }
    put(endCode);
    if (pendingBits > 0)
        codes += char(pending & 0xff);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        bytes += char(block.size());
        bytes += block;
    }
    bytes += '\x00';
    bytes += '\x3b';
    return bytes;
}

QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

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
    const QImage picture = somePicture();
    const QList<std::pair<const char*, QByteArray>> files{{"GIF", gifFile(picture)},
                                                          {"JPEG", encoded(picture, "JPEG")},
                                                          {"PNG", encoded(picture, "PNG")},
                                                          {"BMP", encoded(picture, "BMP")}};
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
    const QImage expected = somePicture();
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
