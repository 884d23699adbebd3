#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

// Pictures of the drawing for worksheets and slides, as PNG, SVG or PDF.

enum class PictureFileKind { Png, Svg, Pdf };

// The file dialog's filter, in the classic "description|pattern" form.
inline const QString kPictureFileFilter =
    QStringLiteral("PNG-Bild (*.png)|*.png|SVG-Grafik (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf");

// The kind a file name asks for by its ending, in any case; nothing for
// another ending or none.
std::optional<PictureFileKind> pictureFileKind(const QString& fileName);
// The name a picture is saved under: the chosen one when it ends in one of
// the kinds, else the chosen one with ".png".
QString pictureFileName(const QString& chosenName);

// The picture as a file of that kind. SVG and PDF hold it as an image at its
// size in pixels (a pixel a point in PDF), since the drawing itself is a
// raster; empty when it cannot be encoded.
QByteArray encodePictureFile(const QImage& picture, PictureFileKind kind, const QString& title);

// Draws the picture as large as fits the page, its proportions kept, at the
// top and in the middle.
void paintPictureOnPage(QPainter& painter, const QRect& page, const QImage& picture);
