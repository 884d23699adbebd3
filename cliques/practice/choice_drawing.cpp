#include "choice_drawing.h"

#include "graph/graph_picture_drawing.h"
#include "graph/style_drawing.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal kStroke = 5.0;

// From ring to ring, so that the labels stay readable.
QLineF betweenRings(QPointF a, QPointF b, qreal ring) {
    QLineF line(a, b);
    const qreal length = line.length();
    if (length <= 2 * ring)
        return QLineF();
    const QPointF step = (b - a) * (ring / length);
    return QLineF(a + step, b - step);
}

} // namespace

QImage drawChoice(const QSize& size, const VertexPositions& positions,
                  const ChoiceAnalysis& analysis) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ring = positions.radius + kStroke / 2 + 1;
    const auto drawEdges = [&](const QList<LabelPair>& edges, const QPen& pen) {
        painter.setPen(pen);
        for (const auto& [a, b] : edges)
            if (positions.centres.contains(a) && positions.centres.contains(b))
                painter.drawLine(
                    betweenRings(positions.centres.value(a), positions.centres.value(b), ring));
    };
    drawEdges(analysis.presentEdges, QPen(kChoiceEdgeColour, kStroke));
    QPen dashed(Colours::Red, 3.0);
    dashed.setStyle(Qt::DashLine);
    drawEdges(analysis.missingEdges, dashed);
    painter.setPen(QPen(kChoiceRingColour, kStroke));
    painter.setBrush(Qt::NoBrush);
    for (const QByteArray& label : analysis.members)
        if (positions.centres.contains(label))
            painter.drawEllipse(QPointF(positions.centres.value(label)), ring, ring);
    return overlay;
}

QImage drawComplement(const QImage& picture, const VertexPositions& positions,
                      const QList<LabelPair>& edges) {
    QImage overlay(picture.size(), QImage::Format_RGB32);
    overlay.fill(Qt::white);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(graphEdgePen(positions.radius));
    for (const auto& [a, b] : edges)
        if (positions.centres.contains(a) && positions.centres.contains(b))
            painter.drawLine(positions.centres.value(a), positions.centres.value(b));
    // The circles with their outlines and labels, as the picture has them.
    QPainterPath circles;
    const qreal reach = positions.radius + 2;
    for (const QPoint& centre : positions.centres)
        circles.addEllipse(QPointF(centre), reach, reach);
    painter.setClipPath(circles);
    painter.drawImage(0, 0, picture);
    return overlay;
}
