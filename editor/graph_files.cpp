#include "graph_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

PathKind pathKind(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.isFile())
        return PathKind::RegularFile;
    // A dangling symbolic link counts as missing, as it reads as missing.
    return info.exists() ? PathKind::Other : PathKind::Missing;
}

bool writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
    return writeFileAtomically(fileName, bytes, {});
}

bool writeFileAtomically(const QString& fileName, const QByteArray& bytes,
                         const std::function<void(QSaveFile&)>& beforeCommit) {
    // The commit would put a regular file in place of a named pipe or device.
    if (pathKind(fileName) == PathKind::Other)
        return false;
    QSaveFile file(fileName);
    // Unbuffered, so that a short write (a full disk) shows here: a buffered
    // write hides it and the commit would put a cut-off file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Without a commit the temporary file is dropped and the old file stays.
    if (file.write(bytes) != bytes.size())
        return false;
    if (beforeCommit)
        beforeCommit(file);
    return file.commit();
}

std::optional<QByteArray> readWholeFile(const QString& fileName) {
    if (pathKind(fileName) != PathKind::RegularFile)
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool saveTextList(const QString& fileName, const TextList& list) {
    return writeFileAtomically(fileName, list.toBytes());
}

std::optional<TextList> loadTextList(const QString& fileName) {
    const std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        return std::nullopt;
    return TextList::fromBytes(*bytes);
}

namespace {

template <typename T> T readLittle(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
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
