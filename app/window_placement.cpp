#include "app/window_placement.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

qint64 coveredArea(const QRect& window, const QList<QRect>& areas) {
    qint64 covered = 0;
    for (const QRect& area : areas) {
        const QRect common = window.intersected(area);
        if (!common.isEmpty())
            covered += qint64(common.width()) * common.height();
    }
    return covered;
}

// The starts along one axis worth trying: the screen's edges and every place
// where the window begins or ends to overlap an area, or to span it whole.
// Between two neighbouring starts the covered area changes linearly along
// each axis, so the least lies at a pair of them.
QList<int> candidateStarts(int length, int screenStart, int screenLength,
                           const QList<std::pair<int, int>>& spans) {
    const int first = screenStart;
    const int last = std::max(first, screenStart + screenLength - length);
    QList<int> starts{first, last};
    for (const auto& [start, spanLength] : spans)
        for (int at : {start - length, start, start + spanLength - length, start + spanLength})
            starts.append(std::clamp(at, first, last));
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

} // namespace

QRect placeWindow(const QSize& size, const QRect& screen, const QList<QRect>& keepClear,
                  const QList<QRect>& ratherClear) {
    QList<std::pair<int, int>> columns;
    QList<std::pair<int, int>> rows;
    for (const QList<QRect>* areas : {&keepClear, &ratherClear}) {
        for (const QRect& area : *areas) {
            columns.append({area.left(), area.width()});
            rows.append({area.top(), area.height()});
        }
    }
    QRect best(screen.topLeft(), size);
    std::optional<std::tuple<qint64, qint64, int, int>> bestCost;
    for (int x : candidateStarts(size.width(), screen.left(), screen.width(), columns)) {
        for (int y : candidateStarts(size.height(), screen.top(), screen.height(), rows)) {
            const QRect place(QPoint(x, y), size);
            const std::tuple cost{coveredArea(place, keepClear), coveredArea(place, ratherClear),
                                  -x, y};
            if (!bestCost || cost < *bestCost) {
                best = place;
                bestCost = cost;
            }
        }
    }
    return best;
}
