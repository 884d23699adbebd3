#include "picture_files_drawing.h"

#include "files/file_access.h"
#include "files/picture_checks.h"

#include <QBuffer>
#include <QImageReader>

QImage readPicture(const QString& fileName, QString* problem) {
    const auto fail = [&](const QString& reason) {
        if (problem)
            *problem = reason;
        return QImage();
    };
    InputFile file(fileName);
    QByteArray bytes = file.readAll();
    if (file.refusal() == FileRefusal::TooLarge)
        return fail(FileTexts::tooLarge(fileName, file.size()));
    if (file.refusal() != FileRefusal::None || isTruncatedPicture(bytes))
        return fail(FileTexts::cannotLoadPicture(fileName));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The content decides the format, whatever the file is named.
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage picture;
    // A reader that gives up part way may still hand back the rows it got.
    if (!reader.read(&picture))
        return fail(FileTexts::cannotLoadPicture(fileName));
    return picture;
}

QByteArray encodeBitmap(const QImage& picture) {
    QByteArray bytes;
    if (picture.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "BMP"))
        bytes.clear();
    return bytes;
}
