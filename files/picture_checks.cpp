#include "picture_checks.h"

#include <QtEndian>

namespace {

// Callers have checked that the bytes reach that far.
template <typename T> T readLittle(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<T>(QByteArrayView(bytes).sliced(offset, sizeof(T)).data());
}

template <typename T> T readBig(const QByteArray& bytes, qsizetype offset) {
    return qFromBigEndian<T>(QByteArrayView(bytes).sliced(offset, sizeof(T)).data());
}

quint8 byteAt(const QByteArray& bytes, qsizetype offset) {
    return quint8(bytes[offset]);
}

// Bytes of a GIF colour table announced by a flags byte.
qsizetype gifColourTableBytes(quint8 flags) {
    return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0;
}

// Moves pos past a chain of GIF data sub-blocks; false when the bytes end
// before its terminating empty block.
bool skipGifSubBlocks(const QByteArray& bytes, qsizetype& pos) {
    while (pos < bytes.size()) {
        const quint8 length = byteAt(bytes, pos);
        pos += 1 + length;
        if (length == 0)
            return true;
    }
    return false;
}

// Follows the blocks up to the end of the first image's data.
bool isTruncatedGif(const QByteArray& bytes) {
    constexpr qsizetype screenDescriptorEnd = 13;
    if (bytes.size() < screenDescriptorEnd)
        return true;
    qsizetype pos = screenDescriptorEnd + gifColourTableBytes(byteAt(bytes, 10));
    while (pos < bytes.size()) {
        switch (byteAt(bytes, pos)) {
        case 0x21: // extension: label, then sub-blocks
            pos += 2;
            if (!skipGifSubBlocks(bytes, pos))
                return true;
            break;
        case 0x2c: { // image: descriptor, colour table, code size, sub-blocks
            constexpr qsizetype descriptor = 10;
            if (pos + descriptor > bytes.size())
                return true;
            pos += descriptor + gifColourTableBytes(byteAt(bytes, pos + 9)) + 1;
            return !skipGifSubBlocks(bytes, pos);
        }
        default: // the trailer before any image, or no block at all
            return false;
        }
    }
    return true;
}

// Follows the marker segments up to the end-of-image marker. In the coded
// data of a scan 0xff is followed only by 0x00 (a stuffed byte) or a restart
// marker, so the next other marker ends the scan.
bool isTruncatedJpeg(const QByteArray& bytes) {
    constexpr quint8 endOfImage = 0xd9;
    constexpr quint8 startOfScan = 0xda;
    const auto isRestart = [](quint8 marker) { return marker >= 0xd0 && marker <= 0xd7; };
    qsizetype pos = 2;
    while (true) {
        if (pos + 2 > bytes.size())
            return true;
        if (byteAt(bytes, pos) != 0xff)
            return false; // not a marker: broken, not cut off
        const quint8 marker = byteAt(bytes, pos + 1);
        if (marker == 0xff) { // fill byte
            ++pos;
            continue;
        }
        pos += 2;
        if (marker == endOfImage)
            return false;
        if (marker == 0x01 || isRestart(marker))
            continue; // markers without a segment
        if (pos + 2 > bytes.size())
            return true;
        const quint16 length = readBig<quint16>(bytes, pos);
        if (length < 2)
            return false;
        pos += length;
        if (marker != startOfScan)
            continue;
        while (true) {
            if (pos + 2 > bytes.size())
                return true;
            const quint8 next = byteAt(bytes, pos + 1);
            if (byteAt(bytes, pos) == 0xff && next != 0x00 && next != 0xff && !isRestart(next))
                break;
            ++pos;
        }
    }
}

// Follows the chunks up to the end chunk.
bool isTruncatedPng(const QByteArray& bytes) {
    qsizetype pos = 8;
    while (true) {
        constexpr qsizetype lengthAndType = 8;
        constexpr qsizetype checksum = 4;
        if (pos + lengthAndType > bytes.size())
            return true;
        const quint32 length = readBig<quint32>(bytes, pos);
        const bool end = bytes.mid(pos + 4, 4) == "IEND";
        pos += lengthAndType + qsizetype(length) + checksum;
        if (pos > bytes.size())
            return true;
        if (end)
            return false;
    }
}

} // namespace

bool isTruncatedBitmap(const QByteArray& bytes) {
    constexpr qsizetype fileHeader = 14;
    if (!bytes.startsWith("BM"))
        return false;
    if (bytes.size() < fileHeader + 4)
        return true;
    const quint32 dataOffset = readLittle<quint32>(bytes, 10);
    const quint32 infoSize = readLittle<quint32>(bytes, fileHeader);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bitCount = 0;
    quint32 compression = 0;
    if (infoSize == 12) { // the old core header: 16-bit sizes, never compressed
        if (bytes.size() < fileHeader + 12)
            return true;
        width = readLittle<quint16>(bytes, 18);
        height = readLittle<quint16>(bytes, 20);
        bitCount = readLittle<quint16>(bytes, 24);
    } else {
        if (infoSize < 40 || bytes.size() < fileHeader + 40)
            return true;
        width = readLittle<qint32>(bytes, 18);
        height = readLittle<qint32>(bytes, 22);
        bitCount = readLittle<quint16>(bytes, 28);
        compression = readLittle<quint32>(bytes, 30);
    }
    constexpr quint32 plainRgb = 0;
    constexpr quint32 bitFields = 3;
    if (compression != plainRgb && compression != bitFields)
        return false; // run-length data has no fixed size to check against
    if (width < 0)
        width = -width;
    if (height < 0)
        height = -height; // top-down rows
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    // Divided rather than multiplied: a forged header's rows times height can
    // pass the 64-bit range.
    const qint64 pixelBytes = qint64(bytes.size()) - qint64(dataOffset);
    if (pixelBytes < 0)
        return true;
    return rowBytes != 0 && height > pixelBytes / rowBytes;
}

bool isTruncatedPicture(const QByteArray& bytes) {
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return isTruncatedGif(bytes);
    if (bytes.startsWith("\xff\xd8"))
        return isTruncatedJpeg(bytes);
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return isTruncatedPng(bytes);
    return isTruncatedBitmap(bytes);
}
