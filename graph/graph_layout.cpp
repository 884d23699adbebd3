#include "graph_layout.h"

#include "graph/sample_graphs.h"

#include <QHash>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = kSamplePictureWidth;
constexpr int kHeight = kSamplePictureHeight;

// The labels once each, in store order, and the edges between two of them
// as index pairs (loops and edges to unknown ends left out).
struct IndexedGraph {
    QList<QByteArray> labels;
    std::vector<std::pair<int, int>> edges;
};

IndexedGraph indexedGraph(const GraphStore& store) {
    IndexedGraph graph;
    QHash<QByteArray, int> ids;
    for (const QByteArray& label : store.vertices) {
        if (!ids.contains(label)) {
            ids.insert(label, int(graph.labels.size()));
            graph.labels.append(label);
        }
    }
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const int a = ids.value(ends.first, -1);
        const int b = ids.value(ends.second, -1);
        if (a >= 0 && b >= 0 && a != b)
            graph.edges.emplace_back(a, b);
    }
    return graph;
}

// Up to the ring limit the circles of the sample pictures; beyond, circles
// that leave room between neighbours at an even spread.
int radiusFor(qsizetype vertexCount) {
    if (vertexCount <= kRingLayoutLimit)
        return kSampleVertexRadius;
    const double room = std::sqrt(double(kWidth) * kHeight / double(vertexCount));
    return std::clamp(int(0.35 * room), 2, kSampleVertexRadius);
}

// Where the centres may go: every circle inside the picture with the margin.
QRectF centreArea(int radius) {
    const int inset = radius + kLayoutMargin;
    return QRectF(inset, inset, kWidth - 2 * inset, kHeight - 2 * inset);
}

// n points at equal distances along the ellipse that fills the area, by arc
// length, starting at the top and going clockwise.
std::vector<QPointF> ring(qsizetype n, const QRectF& area) {
    if (n == 1)
        return {area.center()};
    const double a = area.width() / 2;
    const double b = area.height() / 2;
    const QPointF centre = area.center();
    const auto at = [&](double t) { return centre + QPointF(a * std::cos(t), b * std::sin(t)); };
    constexpr int kSamples = 4096;
    const double start = -std::numbers::pi / 2;
    const double step = 2 * std::numbers::pi / kSamples;
    std::vector<double> lengths(kSamples + 1, 0.0); // arc length up to sample i
    for (int i = 1; i <= kSamples; ++i) {
        const QPointF d = at(start + i * step) - at(start + (i - 1) * step);
        lengths[std::size_t(i)] = lengths[std::size_t(i - 1)] + std::hypot(d.x(), d.y());
    }
    std::vector<QPointF> points;
    points.reserve(std::size_t(n));
    for (qsizetype k = 0; k < n; ++k) {
        const double wanted = lengths.back() * double(k) / double(n);
        const auto above = std::lower_bound(lengths.begin(), lengths.end(), wanted);
        const auto i = std::max<std::ptrdiff_t>(1, above - lengths.begin());
        const double before = lengths[std::size_t(i - 1)];
        const double span = lengths[std::size_t(i)] - before;
        const double share = span > 0 ? (wanted - before) / span : 0.0;
        points.push_back(at(start + (double(i - 1) + share) * step));
    }
    return points;
}

// A small generator whose numbers are the same on every platform, unlike the
// standard distributions.
class SplitMix {
public:
    explicit SplitMix(quint64 seed) : m_state(seed) {}
    double unit() { // in [0, 1)
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return double(z >> 11) * 0x1.0p-53;
    }

private:
    quint64 m_state;
};

constexpr quint64 kLayoutSeed = 20240611;
// Bounds the work of the force-directed layout for very large graphs: the
// number of rounds shrinks with vertices and edges.
constexpr double kLayoutWork = 4e7;
constexpr int kMostRounds = 300;
constexpr int kFewestRounds = 30;
constexpr qsizetype kProgressSize = 100'000;
// Strength of the pull to the middle, relative to the push between vertices.
constexpr double kGravity = 1.0;

double squared(const QPointF& p) {
    return p.x() * p.x() + p.y() * p.y();
}

double length(const QPointF& p) {
    return std::sqrt(squared(p));
}

// Finds the pairs of points closer than a cell's side through a grid of such
// cells over the area.
class CellGrid {
public:
    CellGrid(const QRectF& area, double cell)
        : m_area(area), m_cell(cell), m_columns(int(area.width() / cell) + 1),
          m_rows(int(area.height() / cell) + 1), m_start(std::size_t(m_columns * m_rows) + 1) {}

    // visit(v, u, v - u) once for every pair closer than a cell's side.
    template <typename Visit> void forNearPairs(const std::vector<QPointF>& points, Visit visit) {
        sortIntoCells(points);
        const double reach = m_cell * m_cell;
        const auto meet = [&](int v, int u) {
            const QPointF d = points[std::size_t(v)] - points[std::size_t(u)];
            if (squared(d) < reach)
                visit(v, u, d);
        };
        // Each pair once: within a cell, and with the cells right, below left,
        // below and below right.
        constexpr int kAhead[4][2] = {{1, 0}, {-1, 1}, {0, 1}, {1, 1}};
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_columns; ++c) {
                const std::size_t here = std::size_t(r * m_columns + c);
                for (int i = m_start[here]; i < m_start[here + 1]; ++i) {
                    const int v = m_byCell[std::size_t(i)];
                    for (int j = i + 1; j < m_start[here + 1]; ++j)
                        meet(v, m_byCell[std::size_t(j)]);
                    for (const auto& [dc, dr] : kAhead) {
                        if (c + dc < 0 || c + dc >= m_columns || r + dr >= m_rows)
                            continue;
                        const std::size_t there = std::size_t((r + dr) * m_columns + c + dc);
                        for (int j = m_start[there]; j < m_start[there + 1]; ++j)
                            meet(v, m_byCell[std::size_t(j)]);
                    }
                }
            }
        }
    }

private:
    int cellOf(const QPointF& p) const {
        const int c = std::clamp(int((p.x() - m_area.left()) / m_cell), 0, m_columns - 1);
        const int r = std::clamp(int((p.y() - m_area.top()) / m_cell), 0, m_rows - 1);
        return r * m_columns + c;
    }

    // A counting sort of the point indices by cell.
    void sortIntoCells(const std::vector<QPointF>& points) {
        std::fill(m_start.begin(), m_start.end(), 0);
        for (const QPointF& p : points)
            ++m_start[std::size_t(cellOf(p)) + 1];
        std::partial_sum(m_start.begin(), m_start.end(), m_start.begin());
        std::vector<int> next(m_start.begin(), m_start.end() - 1);
        m_byCell.resize(points.size());
        for (std::size_t v = 0; v < points.size(); ++v)
            m_byCell[std::size_t(next[std::size_t(cellOf(points[v]))]++)] = int(v);
    }

    QRectF m_area;
    double m_cell;
    int m_columns;
    int m_rows;
    std::vector<int> m_start; // by cell: where its points begin in m_byCell
    std::vector<int> m_byCell;
};

void keepInside(QPointF& p, const QRectF& area) {
    p.setX(std::clamp(p.x(), area.left(), area.right()));
    p.setY(std::clamp(p.y(), area.top(), area.bottom()));
}

// Points on top of each other are moved apart along x.
QPointF apart(const QPointF& d) {
    return squared(d) < 1e-12 ? QPointF(1e-3, 0) : d;
}

// Fruchterman-Reingold: edges pull with d^2/k, vertices closer than 2k push
// apart with k^2/d, each move limited by a temperature that falls to zero.
// Positions stay inside the area.
std::vector<QPointF> forceDirected(const IndexedGraph& graph, const QRectF& area,
                                   ProgressSink* progress) {
    const std::size_t n = std::size_t(graph.labels.size());
    const double k = std::sqrt(area.width() * area.height() / double(n));
    CellGrid grid(area, 2 * k);

    SplitMix random(kLayoutSeed);
    std::vector<QPointF> position(n);
    for (QPointF& p : position) {
        const double x = area.left() + random.unit() * area.width();
        p = QPointF(x, area.top() + random.unit() * area.height());
    }

    const double cost = 16.0 * double(n) + double(graph.edges.size());
    const int rounds = std::clamp(int(kLayoutWork / cost), kFewestRounds, kMostRounds);
    const bool reports = progress && qsizetype(n + graph.edges.size()) >= kProgressSize;
    if (reports) {
        progress->setMaximum(rounds);
        progress->setPosition(0);
        progress->begin();
    }

    std::vector<QPointF> shift(n);
    const double hottest = area.width() / 4;
    for (int round = 0; round < rounds; ++round) {
        std::fill(shift.begin(), shift.end(), QPointF());
        grid.forNearPairs(position, [&](int v, int u, QPointF d) {
            d = apart(d);
            const QPointF force = d * (k * k / squared(d));
            shift[std::size_t(v)] += force;
            shift[std::size_t(u)] -= force;
        });
        for (const auto& [a, b] : graph.edges) {
            const QPointF d = position[std::size_t(a)] - position[std::size_t(b)];
            const QPointF pull = d * (length(d) / k);
            shift[std::size_t(a)] -= pull;
            shift[std::size_t(b)] += pull;
        }
        // A weak pull to the middle keeps loose parts off the border.
        const double gravity = kGravity * k / area.width();
        for (std::size_t v = 0; v < n; ++v)
            shift[v] += (area.center() - position[v]) * gravity;
        const double temperature = hottest * double(rounds - round) / double(rounds);
        for (std::size_t v = 0; v < n; ++v) {
            const double moved = length(shift[v]);
            if (moved > 0)
                position[v] += shift[v] * (std::min(moved, temperature) / moved);
            keepInside(position[v], area);
        }
        if (reports)
            progress->setPosition(round + 1);
    }
    if (reports)
        progress->finish();
    return position;
}

// Stretches the points so that their bounds fill the area.
void fill(std::vector<QPointF>& points, const QRectF& area) {
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    const auto [left, right] = std::minmax_element(points.begin(), points.end(), byX);
    const auto [top, bottom] = std::minmax_element(points.begin(), points.end(), byY);
    const QRectF bounds(QPointF(left->x(), top->y()), QPointF(right->x(), bottom->y()));
    const double sx = bounds.width() > 1e-9 ? area.width() / bounds.width() : 0.0;
    const double sy = bounds.height() > 1e-9 ? area.height() / bounds.height() : 0.0;
    for (QPointF& p : points) {
        const QPointF offset = p - bounds.center();
        p = area.center() + QPointF(offset.x() * sx, offset.y() * sy);
    }
}

// Pushes apart circles that overlap (or come closer than two pixels), half the
// overlap each, for a few rounds or until none overlaps.
void separate(std::vector<QPointF>& points, const QRectF& area, int radius) {
    const double wanted = 2 * radius + 2;
    CellGrid grid(area, wanted);
    std::vector<QPointF> shift(points.size());
    constexpr int kRounds = 50;
    for (int round = 0; round < kRounds; ++round) {
        std::fill(shift.begin(), shift.end(), QPointF());
        bool overlaps = false;
        grid.forNearPairs(points, [&](int v, int u, QPointF d) {
            d = apart(d);
            const double distance = length(d);
            const QPointF half = d * ((wanted - distance) / (2 * distance));
            shift[std::size_t(v)] += half;
            shift[std::size_t(u)] -= half;
            overlaps = true;
        });
        if (!overlaps)
            return;
        for (std::size_t v = 0; v < points.size(); ++v) {
            points[v] += shift[v];
            keepInside(points[v], area);
        }
    }
}

// The labels whose text, centred on the vertex, stays inside the picture and
// keeps clear of every label taken before it; found through a grid of cells.
QSet<QByteArray> legibleLabels(const QList<QByteArray>& labels, const VertexPositions& positions,
                               int pixelSize, const LabelMeasure& measure) {
    constexpr int kCell = 32;
    constexpr int kColumns = (kWidth + kCell - 1) / kCell;
    constexpr int kRows = (kHeight + kCell - 1) / kCell;
    std::vector<std::vector<QRect>> cells(kColumns * kRows);
    const QRect picture(0, 0, kWidth, kHeight);
    QSet<QByteArray> legible;
    for (const QByteArray& label : labels) {
        const QSize size = measure(label, pixelSize);
        const QPoint centre = positions.centres.value(label);
        const QRect box(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
                        size.height());
        if (!picture.contains(box))
            continue;
        // One pixel of space around each text, so that two labels never touch.
        const QRect spaced = box.adjusted(-1, -1, 1, 1);
        const int c0 = std::max(0, spaced.left() / kCell);
        const int c1 = std::min(kColumns - 1, spaced.right() / kCell);
        const int r0 = std::max(0, spaced.top() / kCell);
        const int r1 = std::min(kRows - 1, spaced.bottom() / kCell);
        bool clear = true;
        for (int r = r0; r <= r1 && clear; ++r)
            for (int c = c0; c <= c1 && clear; ++c)
                clear = std::none_of(cells[std::size_t(r * kColumns + c)].begin(),
                                     cells[std::size_t(r * kColumns + c)].end(),
                                     [&](const QRect& taken) { return taken.intersects(spaced); });
        if (!clear)
            continue;
        legible.insert(label);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cells[std::size_t(r * kColumns + c)].push_back(spaced);
    }
    return legible;
}

} // namespace

QSize estimatedLabelSize(const QByteArray& label, int pixelSize) {
    const qsizetype characters = displayText(label).size();
    return QSize(int(std::ceil(0.75 * pixelSize * double(characters))),
                 int(std::ceil(1.2 * pixelSize)));
}

GraphLayout layoutGraph(const GraphStore& store, const LabelMeasure& measure,
                        ProgressSink* progress) {
    const IndexedGraph graph = indexedGraph(store);
    const qsizetype n = graph.labels.size();
    GraphLayout layout;
    if (n == 0)
        return layout;
    const int radius = radiusFor(n);
    const QRectF area = centreArea(radius);
    std::vector<QPointF> centres;
    if (n <= kRingLayoutLimit) {
        centres = ring(n, area);
    } else {
        centres = forceDirected(graph, area, progress);
        fill(centres, area);
        separate(centres, area, radius);
    }
    layout.positions.radius = radius;
    layout.positions.centres.reserve(n);
    for (qsizetype v = 0; v < n; ++v)
        layout.positions.centres.insert(graph.labels[v], centres[std::size_t(v)].toPoint());
    layout.labelPixelSize =
        std::clamp(int(std::lround(double(kLabelPixelSize) * radius / kSampleVertexRadius)), 8,
                   kLabelPixelSize);
    layout.legibleLabels =
        legibleLabels(graph.labels, layout.positions, layout.labelPixelSize, measure);
    return layout;
}
