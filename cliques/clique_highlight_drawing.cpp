#include "clique_highlight_drawing.h"

#include "cliques/search_play_drawing.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace {

constexpr qreal kStroke = 5.0;

} // namespace

QImage drawCliqueHighlight(const QSize& size, const QList<QPoint>& centres, int radius,
                           const QList<QLine>& edges) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(kHighlightColour, kStroke);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal ring = radius + kStroke / 2 + 1;
    for (const QLine& edge : edges) {
        QLineF line(edge);
        const qreal length = line.length();
        if (length <= 2 * ring)
            continue;
        const QPointF step = (line.p2() - line.p1()) * (ring / length);
        painter.drawLine(QLineF(line.p1() + step, line.p2() - step));
    }
    for (const QPoint& centre : centres)
        painter.drawEllipse(QPointF(centre), ring, ring);
    return overlay;
}

QImage drawColouring(const QSize& size, const QList<QList<QPoint>>& centresByClass, int radius) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const qreal ring = radius + kStroke / 2 + 1;
    for (qsizetype k = 0; k < centresByClass.size(); ++k) {
        const QColor colour = colourClassColour(int(k) + 1);
        for (const QPoint& centre : centresByClass[k]) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colour, kStroke));
            painter.drawEllipse(QPointF(centre), ring, ring);
            const QRectF number(centre.x() + ring - 2, centre.y() - ring - 12, 24, 14);
            painter.setPen(colour);
            painter.drawText(number, Qt::AlignLeft | Qt::AlignVCenter, QString::number(k + 1));
        }
    }
    return overlay;
}
