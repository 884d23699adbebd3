#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// The whole file, or "<missing>" when it cannot be read, so that a comparison
// with expected bytes fails with a readable difference.
inline QByteArray fileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A message names a file by its name in quotes on its first line and, where
// the name has a folder, the folder on a line of its own; never by a long path
// that wraps the sentence.
inline bool namesFile(const QString& message, const QString& fileName) {
    const QFileInfo info(fileName);
    const QStringList lines = message.split('\n');
    return lines.first().contains('"' + info.fileName() + '"') &&
           !lines.first().contains(QDir::toNativeSeparators(info.path())) &&
           lines.contains("Ordner: " + QDir::toNativeSeparators(info.path()));
}
