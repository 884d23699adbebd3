#include "file_access.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

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

bool isBinaryByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    const bool blankOrBreak =
        c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
    return (u < 0x20 && !blankOrBreak) || u == 0x7f;
}

InputFile::InputFile(const QString& fileName, qint64 largest) {
    if (pathKind(fileName) != PathKind::RegularFile) {
        m_refusal = FileRefusal::CannotRead;
        return;
    }
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly)) {
        m_refusal = FileRefusal::CannotRead;
        return;
    }
    m_size = file->size();
    if (m_size > largest) {
        m_refusal = FileRefusal::TooLarge;
        return;
    }
    m_file = std::move(file);
}

InputFile::~InputFile() = default;

QIODevice& InputFile::device() {
    return *m_file;
}

QByteArray InputFile::readAll() {
    if (m_refusal != FileRefusal::None)
        return {};
    QByteArray bytes = m_file->readAll();
    if (static_cast<QFile&>(*m_file).error() != QFileDevice::NoError) {
        m_refusal = FileRefusal::CannotRead;
        return {};
    }
    return bytes;
}

QByteArray InputFile::readUpToNul() {
    if (m_refusal != FileRefusal::None)
        return {};
    constexpr qint64 kPiece = 1 << 20;
    QByteArray bytes;
    while (!m_file->atEnd()) {
        const QByteArray piece = m_file->read(kPiece);
        if (static_cast<QFile&>(*m_file).error() != QFileDevice::NoError) {
            m_refusal = FileRefusal::CannotRead;
            return {};
        }
        if (piece.isEmpty())
            break;
        const qsizetype nul = piece.indexOf('\0');
        if (nul >= 0) {
            bytes += piece.first(nul);
            break;
        }
        bytes += piece;
    }
    return bytes;
}

namespace FileTexts {

QString quotedName(const QString& fileName) {
    return QLatin1Char('"') + QFileInfo(fileName).fileName() + QLatin1Char('"');
}

QString folderLine(const QString& fileName) {
    const QString folder = QFileInfo(fileName).path();
    if (folder.isEmpty() || folder == QLatin1String("."))
        return {};
    return QStringLiteral("\nOrdner: ") + QDir::toNativeSeparators(folder);
}

QString cannotRead(const QString& fileName) {
    return QStringLiteral("Die Datei %1 konnte nicht gelesen werden.%2")
        .arg(quotedName(fileName), folderLine(fileName));
}

QString cannotWrite(const QString& fileName) {
    return QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.%2")
        .arg(quotedName(fileName), folderLine(fileName));
}

QString cannotLoadPicture(const QString& fileName) {
    return QStringLiteral("Das Bild %1 konnte nicht geladen werden.%2")
        .arg(quotedName(fileName), folderLine(fileName));
}

QString tooLarge(const QString& fileName, qint64 size) {
    const QLocale german(QLocale::German);
    return QStringLiteral("Die Datei %1 ist mit %2 zu groß: Mandorin liest Dateien bis %3.")
        .arg(quotedName(fileName),
             german.formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat),
             german.formattedDataSize(kLargestReadableFile, 0, QLocale::DataSizeTraditionalFormat));
}

QString notText(const QString& fileName) {
    return QStringLiteral("Die Datei %1 ist keine Textdatei: Sie enthält Steuer- oder "
                          "Nullzeichen, wie Bilder und Programme.")
        .arg(quotedName(fileName));
}

QString refusal(FileRefusal refusal, const QString& fileName, qint64 size) {
    switch (refusal) {
    case FileRefusal::None:
        break;
    case FileRefusal::CannotRead:
        return cannotRead(fileName);
    case FileRefusal::TooLarge:
        return tooLarge(fileName, size);
    case FileRefusal::NotText:
        return notText(fileName);
    }
    return {};
}

} // namespace FileTexts
