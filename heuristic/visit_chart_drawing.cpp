#include "visit_chart_drawing.h"

#include "graph/style_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kAxisX = 10;
constexpr int kAxisTop = 20;
constexpr int kBaseY = 320;
constexpr int kMaxHeight = 300;
constexpr int kFirstBarX = 20;
constexpr int kLastBarX = 605;
constexpr int kLabelY = 330;
// Up to this many vertices the classic widths stay at least one pixel.
constexpr qsizetype kClassicLimit = 33;

QFont chartFont() {
    return sansFont(11);
}

// Columns of one bar, both ends included.
struct Span {
    int left;
    int right;
};

void drawText(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// The columns of each of n bars, both ends included.
std::vector<Span> barSpans(qsizetype n) {
    std::vector<Span> bars(static_cast<size_t>(n));
    if (n <= kClassicLimit) {
        const int width = int(580 / n - n / 2);
        for (qsizetype i = 0; i < n; ++i) {
            const int left = kFirstBarX + int(i) * (width + 2);
            bars[size_t(i)] = {left, left + width};
        }
        return bars;
    }
    // Slots split the axis evenly; a bar leaves the last column of its slot
    // free where the slot has room for it.
    const qint64 room = kLastBarX - kFirstBarX + 1;
    for (qsizetype i = 0; i < n; ++i) {
        const int slot = kFirstBarX + int(i * room / n);
        const int slotEnd = kFirstBarX + int((i + 1) * room / n) - 1;
        bars[size_t(i)] = {slot, std::max(slot, slotEnd - 1)};
    }
    return bars;
}

} // namespace

void drawVisitChart(QImage& surface, const TextList& labels, const std::vector<qint64>& counts) {
    QPainter painter(&surface);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.setFont(chartFont());

    drawText(painter, 5, 5, QStringLiteral("WSK"));
    painter.drawLine(kAxisX, kAxisTop, kAxisX, kBaseY);
    painter.drawLine(kAxisX, kBaseY, kLastBarX, kBaseY);
    drawText(painter, 610, 310, QStringLiteral("v"));

    const qsizetype n = labels.count();
    if (n == 0)
        return;
    auto countOf = [&](qsizetype i) { return i < qsizetype(counts.size()) ? counts[i] : 0; };

    qint64 maxCount = 0;
    qsizetype maxIndex = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (countOf(i) > maxCount) {
            maxCount = countOf(i);
            maxIndex = i;
        }
    }

    const std::vector<Span> bars = barSpans(n);
    const QFontMetrics metrics(painter.font());
    if (n <= kClassicLimit) {
        const int width = int(580 / n - n / 2);
        int labelX = int(290 / n) + kFirstBarX;
        for (qsizetype i = 0; i < n; ++i) {
            drawText(painter, labelX, kLabelY, displayText(labels[i]));
            labelX += width + 1;
        }
    } else {
        int nextFree = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const Span span = bars[size_t(i)];
            const QString text = displayText(labels[i]);
            const int textWidth = metrics.horizontalAdvance(text);
            const int x = std::max(0, (span.left + span.right + 1) / 2 - textWidth / 2);
            if (x >= nextFree && x + textWidth <= surface.width()) {
                drawText(painter, x, kLabelY, text);
                nextFree = x + textWidth + 3;
            }
        }
    }

    auto drawBar = [&](qsizetype i) {
        const QColor fill = i == maxIndex ? Colours::Aqua : Colours::Silver;
        const int height = maxCount > 0 ? int(countOf(i) * kMaxHeight / maxCount) : 0;
        const Span span = bars[size_t(i)];
        if (span.right - span.left >= 2) {
            painter.setBrush(fill);
            painter.drawRect(span.left, kBaseY - height, span.right - span.left, height);
        } else if (height > 0) {
            // Too narrow for an outline: the fill alone, above the axis.
            painter.fillRect(span.left, kBaseY - height, span.right - span.left + 1, height, fill);
        }
    };
    // The highest bar last, so that no neighbour sharing its columns hides it.
    for (qsizetype i = 0; i < n; ++i) {
        if (i != maxIndex)
            drawBar(i);
    }
    drawBar(maxIndex);
}

QImage drawShareMarkers(const QSize& size, const std::vector<qint64>& counts,
                        const std::vector<double>& shares) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    const qint64 maxCount = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    if (maxCount == 0 || shares.size() != counts.size())
        return overlay;
    const double total = double(std::accumulate(counts.begin(), counts.end(), qint64(0)));
    const std::vector<Span> bars = barSpans(qsizetype(counts.size()));
    QPainter painter(&overlay);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        // The count the share stands for, on the bars' own scale.
        const double height = shares[i] * total * kMaxHeight / double(maxCount);
        const int y = kBaseY - int(std::lround(std::min(height, double(kBaseY - kAxisTop))));
        // A pixel wider than its bar on each side, but never past the axis.
        const int left = std::max(bars[i].left - 1, kAxisX + 1);
        const int right = std::min(bars[i].right + 1, kLastBarX);
        painter.fillRect(left, y - 1, right - left + 1, 2, kMarkerColour);
    }
    return overlay;
}
