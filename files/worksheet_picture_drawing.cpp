#include "files/worksheet_picture_drawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

std::optional<PictureFileKind> pictureFileKind(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFileKind::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFileKind::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFileKind::Pdf;
    return std::nullopt;
}

QString pictureFileName(const QString& chosenName) {
    return pictureFileKind(chosenName) ? chosenName : chosenName + QStringLiteral(".png");
}

namespace {

QByteArray pngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray svgBytes(const QImage& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.size());
    svg.setViewBox(picture.rect());
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    painter.drawImage(0, 0, picture);
    return painter.end() ? bytes : QByteArray();
}

QByteArray pdfBytes(const QImage& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    // A pixel a point: the page is exactly the picture, without rounding.
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(picture.size(), QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Mandorin"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    painter.drawImage(0, 0, picture);
    return painter.end() ? bytes : QByteArray();
}

} // namespace

QByteArray encodePictureFile(const QImage& picture, PictureFileKind kind, const QString& title) {
    if (picture.isNull())
        return {};
    switch (kind) {
    case PictureFileKind::Png:
        return pngBytes(picture);
    case PictureFileKind::Svg:
        return svgBytes(picture, title);
    case PictureFileKind::Pdf:
        return pdfBytes(picture, title);
    }
    return {};
}

void paintPictureOnPage(QPainter& painter, const QRect& page, const QImage& picture) {
    if (picture.isNull() || page.isEmpty())
        return;
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.left() + (page.width() - size.width()) / 2, page.top(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
}
