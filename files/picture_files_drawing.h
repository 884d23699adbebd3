#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files: the picture of a file in any format Qt reads, null when the
// file cannot be read or holds no readable picture (a cut-off one included);
// problem (optional) then receives the German reason.
QImage readPicture(const QString& fileName, QString* problem = nullptr);
// The picture as a Windows bitmap file; empty for a null picture.
QByteArray encodeBitmap(const QImage& picture);
