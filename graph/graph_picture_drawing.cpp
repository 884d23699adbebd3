#include "graph_picture_drawing.h"

#include "graph/label_numbers.h"
#include "graph/progress.h"
#include "graph/sample_graphs.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

const QColor kEdgeColour(40, 40, 40);
const QColor kCircleFill(255, 255, 210);
const QColor kLabelColour(200, 0, 0);
const QColor kCountColour(70, 70, 70);
constexpr int kCountPixelSize = 11;
constexpr qsizetype kSmoothEdgesUpTo = 20'000;
// Stores with this many edge texts show the progress of their drawing.
constexpr qsizetype kDrawingProgressEdges = 100'000;

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

namespace {

// One pixel per step along the longer axis, the other axis following the
// error term (Bresenham); major is the step along the longer axis, minor the
// one along the shorter, both in pixels of the image's memory.
void drawThinLine(QRgb* start, int longer, int shorter, qsizetype major, qsizetype minor,
                  QRgb colour) {
    QRgb* pixel = start;
    int error = 2 * shorter - longer;
    for (int i = 0; i <= longer; ++i) {
        *pixel = colour;
        if (error > 0) {
            pixel += minor;
            error -= 2 * longer;
        }
        error += 2 * shorter;
        pixel += major;
    }
}

// Reports a drawing's share done to the progress window, for stores with
// enough edges to take a noticeable time: first looking up the edge texts,
// then drawing the lines.
class DrawingProgress {
public:
    DrawingProgress(ProgressSink* sink, qsizetype edges)
        : m_shown(edges >= kDrawingProgressEdges ? sink : nullptr, kSteps) {}

    // Called for every item; reports every few thousand.
    void textsLookedUp(qsizetype done, qsizetype total) { report(0, kLookUpSteps, done, total); }
    void linesDrawn(qsizetype done, qsizetype total) {
        report(kLookUpSteps, kSteps - kLookUpSteps, done, total);
    }

private:
    static constexpr int kSteps = 1000;
    static constexpr int kLookUpSteps = 400;

    void report(int from, int steps, qsizetype done, qsizetype total) {
        if (m_shown.shown() && done % 8192 == 0 && total > 0)
            m_shown.setPosition(from + int(steps * done / total));
    }

    ProgressShown m_shown;
};

// One-pixel lines written straight into the picture's pixels: for hundreds
// of thousands of lines the painter's general machinery takes many times as
// long. Every end must lie inside the image.
void drawThinLines(QImage& image, const std::vector<std::pair<QPoint, QPoint>>& lines, QRgb colour,
                   DrawingProgress& progress) {
    QRgb* const pixels = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        progress.linesDrawn(qsizetype(i), qsizetype(lines.size()));
        const auto& [from, to] = lines[i];
        const int dx = std::abs(to.x() - from.x());
        const int dy = std::abs(to.y() - from.y());
        const qsizetype sx = to.x() < from.x() ? -1 : 1;
        const qsizetype sy = to.y() < from.y() ? -stride : stride;
        QRgb* const start = pixels + from.y() * stride + from.x();
        if (dx >= dy)
            drawThinLine(start, dx, dy, sx, sy, colour);
        else
            drawThinLine(start, dy, dx, sy, sx, colour);
    }
}

// The edges of the store between two vertices with a position. Drawn smooth
// they are drawn as the store lists them; otherwise each pair once, and the
// store's texts are looked up in place, as huge graphs have millions of them.
void drawEdges(QPainter& painter, QImage& image, const GraphStore& store, const GraphLayout& layout,
               int stroke, ProgressSink* progress) {
    const QHash<QByteArray, QPoint>& centres = layout.positions.centres;
    if (store.edges.count() <= kSmoothEdgesUpTo) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(graphEdgePen(layout.positions.radius));
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
        return;
    }

    // Smooth lines take several times as long; among tens of thousands of
    // lines nobody sees the difference.
    const qsizetype total = store.edges.count();
    DrawingProgress reports(progress, total);
    const LabelNumbers ids(centres.keys());
    std::vector<QPoint> points;
    points.reserve(std::size_t(ids.count()));
    for (const QByteArray& label : ids.labels())
        points.push_back(centres.value(label));
    // A bit per pair while that stays small; beyond, repeats are drawn again.
    constexpr std::size_t kMostPairBits = std::size_t(1) << 24;
    const std::size_t n = points.size();
    std::vector<bool> drawn(n * n <= kMostPairBits ? n * n : 0, false);
    const QRect inside = image.rect();
    std::vector<std::pair<QPoint, QPoint>> thin;
    QList<QLine> others;
    for (qsizetype i = 0; i < total; ++i) {
        reports.textsLookedUp(i, total);
        const EdgeEndViews ends = splitEdgeView(store.edges[i]);
        const int a = ids.numberOf(ends.first);
        const int b = ids.numberOf(ends.second);
        if (a < 0 || b < 0)
            continue;
        if (!drawn.empty()) {
            const std::size_t key = std::size_t(std::min(a, b)) * n + std::size_t(std::max(a, b));
            if (drawn[key])
                continue;
            drawn[key] = true;
        }
        const QPoint& from = points[std::size_t(a)];
        const QPoint& to = points[std::size_t(b)];
        if (stroke == 1 && inside.contains(from) && inside.contains(to))
            thin.emplace_back(from, to);
        else
            others.append(QLine(from, to));
    }
    drawThinLines(image, thin, kEdgeColour.rgb(), reports);
    painter.setPen(QPen(kEdgeColour, stroke));
    painter.drawLines(others);
}

} // namespace

QImage drawGraphPicture(const GraphStore& store, const GraphLayout& layout,
                        ProgressSink* progress) {
    QImage image(kSamplePictureWidth, kSamplePictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QHash<QByteArray, QPoint>& centres = layout.positions.centres;
    const int r = layout.positions.radius;
    const int stroke = strokeFor(r);
    drawEdges(painter, image, store, layout, stroke, progress);

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

    const QFont labelFont = graphLabelFont(layout.labelPixelSize);
    const QFontMetrics metrics(labelFont);
    painter.setFont(labelFont);
    painter.setPen(kLabelColour);
    // Among circles smaller than the samples', a label wider than its circle
    // lies across its neighbours: a backdrop in the circles' colour keeps it
    // readable there.
    const bool crowded = r < kSampleVertexRadius;
    for (const auto& [label, centre] : vertices) {
        if (!layout.legibleLabels.contains(label))
            continue;
        const QString text = displayText(label);
        const QRect box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        if (crowded && metrics.horizontalAdvance(text) > 2 * r) {
            const QSize size(metrics.horizontalAdvance(text) + 2, metrics.height());
            painter.fillRect(QRect(centre - QPoint(size.width() / 2, size.height() / 2), size),
                             kCircleFill);
        }
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
    }

    if (!layout.countText.isEmpty()) {
        QFont font("DejaVu Sans");
        font.setPixelSize(kCountPixelSize);
        painter.setFont(font);
        painter.setPen(kCountColour);
        const QRect strip(0, kSamplePictureHeight - kCountStripHeight, kSamplePictureWidth - 4,
                          kCountStripHeight);
        painter.drawText(strip, Qt::AlignRight | Qt::AlignVCenter, layout.countText);
    }
    return image;
}
