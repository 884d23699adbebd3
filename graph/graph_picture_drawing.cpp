#include "graph_picture_drawing.h"

#include "graph/sample_graphs.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSet>

#include <utility>

namespace {

const QColor kEdgeColour(40, 40, 40);
const QColor kCircleFill(255, 255, 210);
const QColor kLabelColour(200, 0, 0);
constexpr qsizetype kSmoothEdgesUpTo = 20'000;

// Two-pixel strokes as in the sample pictures; one pixel once the circles get
// small, or the outlines would fill them.
int strokeFor(int radius) {
    return radius >= 12 ? 2 : 1;
}

} // namespace

QFont graphLabelFont(int pixelSize) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QPen graphEdgePen(int radius) {
    return QPen(kEdgeColour, strokeFor(radius));
}

QSize graphLabelSize(const QByteArray& label, int pixelSize) {
    const QFontMetrics metrics(graphLabelFont(pixelSize));
    return QSize(metrics.horizontalAdvance(displayText(label)), metrics.height());
}

GraphLayout layoutGraphForPicture(const GraphStore& store, ProgressSink* progress) {
    return layoutGraph(store, graphLabelSize, progress);
}

QImage drawGraphPicture(const GraphStore& store, const GraphLayout& layout) {
    QImage image(kSamplePictureWidth, kSamplePictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QHash<QByteArray, QPoint>& centres = layout.positions.centres;
    const int r = layout.positions.radius;
    const int stroke = strokeFor(r);

    // Smooth lines take several times as long; among tens of thousands of
    // lines nobody sees the difference.
    painter.setRenderHint(QPainter::Antialiasing, store.edges.count() <= kSmoothEdgesUpTo);
    painter.setPen(graphEdgePen(r));
    QList<QLine> lines;
    lines.reserve(store.edges.count());
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const auto a = centres.constFind(ends.first);
        const auto b = centres.constFind(ends.second);
        if (a != centres.cend() && b != centres.cend())
            lines.append(QLine(*a, *b));
    }
    painter.drawLines(lines);

    // In store order, so that overlapping circles always stack the same way.
    QList<std::pair<QByteArray, QPoint>> vertices;
    QSet<QByteArray> taken;
    for (const QByteArray& label : store.vertices) {
        const auto centre = centres.constFind(label);
        if (centre != centres.cend() && !taken.contains(label)) {
            taken.insert(label);
            vertices.append({label, *centre});
        }
    }

    // All circles before any label, so that no circle covers a label.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, stroke));
    painter.setBrush(kCircleFill);
    for (const auto& [label, centre] : vertices)
        painter.drawEllipse(centre, r, r);

    painter.setFont(graphLabelFont(layout.labelPixelSize));
    painter.setPen(kLabelColour);
    for (const auto& [label, centre] : vertices) {
        if (!layout.legibleLabels.contains(label))
            continue;
        const QRect box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, displayText(label));
    }
    return image;
}
