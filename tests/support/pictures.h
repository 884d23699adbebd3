#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPainter>

// Pictures for the tests, in the formats the program reads.

// The picture in one format, so that pictures drawn or read differently
// compare pixel for pixel.
inline QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// Four colours, so that the GIF writer below can take them as they are.
inline QImage fourColourPicture() {
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(4, 4, 20, 12, Qt::red);
    painter.fillRect(30, 10, 14, 18, Qt::blue);
    painter.setPen(Qt::black);
    painter.drawLine(0, 31, 47, 0);
    return image;
}

inline QByteArray encodedPicture(const QImage& image, const char* format) {
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
inline QByteArray gifFile(const QImage& image) {
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
