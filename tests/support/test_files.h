#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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
