#include "graph_layout.h"

#include "graph/label_numbers.h"
#include "graph/sample_graphs.h"

#include <QHash>
#include <QLocale>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = kSamplePictureWidth;
constexpr int kHeight = kSamplePictureHeight;
// Graphs of at least this many vertices and edges report their layout's progress.
constexpr qsizetype kProgressSize = 100'000;

// Reports a layout's share done to the progress window, for graphs large
// enough to take a noticeable time: first reading the edge texts, then the
// rounds of the force-directed layout.
class LayoutProgress {
public:
    LayoutProgress(ProgressSink* sink, qsizetype size)
        : m_shown(size >= kProgressSize ? sink : nullptr, kSteps) {}

    // done of total of the edge texts read.
    void edgesRead(qsizetype done, qsizetype total) { report(kReadingSteps, done, total); }
    // done of total rounds.
    void roundsDone(int done, int total) {
        m_shown.setPosition(kReadingSteps + (kSteps - kReadingSteps) * done / total);
    }

private:
    static constexpr int kSteps = 1000;
    static constexpr int kReadingSteps = 200;

    void report(int steps, qsizetype done, qsizetype total) {
        if (total > 0)
            m_shown.setPosition(int(steps * done / total));
    }

    ProgressShown m_shown;
};

// The labels once each, in store order, and the distinct edges between two
// of them as index pairs (loops and edges to unknown ends left out).
struct IndexedGraph {
    QList<QByteArray> labels;
    std::vector<std::pair<int, int>> edges;
};

// Keeps the first of every edge between the same two of n vertices: a bit for
// every pair while they fit in a few MB, else a hash set.
class EdgeRepeats {
public:
    explicit EdgeRepeats(qsizetype n) : m_n(quint64(n)) {
        if (n <= kMostForBits)
            m_bits.assign(std::size_t(n) * std::size_t(n), false);
    }
    bool isNew(int a, int b) {
        const quint64 key = quint64(std::min(a, b)) * m_n + quint64(std::max(a, b));
        if (!m_bits.empty()) {
            if (m_bits[key])
                return false;
            m_bits[key] = true;
            return true;
        }
        return m_keys.insert(key).second;
    }

private:
    static constexpr qsizetype kMostForBits = 4096;
    quint64 m_n;
    std::vector<bool> m_bits;
    std::unordered_set<quint64> m_keys;
};

IndexedGraph indexedGraph(const GraphStore& store, LayoutProgress& progress) {
    const LabelNumbers numbers(store.vertices.entries());
    IndexedGraph graph;
    graph.labels = numbers.labels();
    EdgeRepeats repeats(graph.labels.size());
    const qsizetype total = store.edges.count();
    for (qsizetype i = 0; i < total; ++i) {
        const EdgeEndViews ends = splitEdgeView(store.edges[i]);
        const int a = numbers.numberOf(ends.first);
        const int b = numbers.numberOf(ends.second);
        if (a >= 0 && b >= 0 && a != b && repeats.isNew(a, b))
            graph.edges.emplace_back(a, b);
        if (i % 65536 == 65535)
            progress.edgesRead(i + 1, total);
    }
    return graph;
}

// The kMostShownVertices vertices with the most edges (of equals the first
// in store order), in store order, with the edges between them.
IndexedGraph mostJoined(const IndexedGraph& graph) {
    const std::size_t n = std::size_t(graph.labels.size());
    std::vector<int> degree(n, 0);
    for (const auto& [a, b] : graph.edges) {
        ++degree[std::size_t(a)];
        ++degree[std::size_t(b)];
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const auto kept = order.begin() + kMostShownVertices;
    std::partial_sort(order.begin(), kept, order.end(), [&](int a, int b) {
        return degree[std::size_t(a)] != degree[std::size_t(b)]
                   ? degree[std::size_t(a)] > degree[std::size_t(b)]
                   : a < b;
    });
    std::sort(order.begin(), kept);
    std::vector<int> newId(n, -1);
    IndexedGraph shown;
    for (auto v = order.begin(); v != kept; ++v) {
        newId[std::size_t(*v)] = int(shown.labels.size());
        shown.labels.append(graph.labels[*v]);
    }
    for (const auto& [a, b] : graph.edges) {
        const int na = newId[std::size_t(a)];
        const int nb = newId[std::size_t(b)];
        if (na >= 0 && nb >= 0)
            shown.edges.emplace_back(na, nb);
    }
    return shown;
}

QString counted(qsizetype n, const char* one, const char* many) {
    return QLocale(QLocale::German).toString(qlonglong(n)) + ' ' +
           QLatin1String(n == 1 ? one : many);
}

QString countText(const IndexedGraph& whole, const IndexedGraph& shown) {
    if (shown.labels.size() == whole.labels.size())
        return counted(whole.labels.size(), "Knoten", "Knoten") + ", " +
               counted(qsizetype(whole.edges.size()), "Kante", "Kanten");
    const QLocale german(QLocale::German);
    return QStringLiteral("zeigt %1 von %2, %3 von %4")
        .arg(german.toString(qlonglong(shown.labels.size())),
             counted(whole.labels.size(), "Knoten", "Knoten"),
             german.toString(qlonglong(shown.edges.size())),
             counted(qsizetype(whole.edges.size()), "Kante", "Kanten"));
}

// Up to the ring limit the circles of the sample pictures; beyond, circles
// that leave room between neighbours at an even spread.
int radiusFor(qsizetype vertexCount) {
    if (vertexCount <= kRingLayoutLimit)
        return kSampleVertexRadius;
    const double room = std::sqrt(double(kWidth) * kHeight / double(vertexCount));
    return std::clamp(int(0.35 * room), kSmallestLaidOutRadius, kSampleVertexRadius);
}

// Where the centres may go: every circle inside the picture with the margin,
// above the strip at the bottom when there is one.
QRectF centreArea(int radius, int strip) {
    const int inset = radius + kLayoutMargin;
    return QRectF(inset, inset, kWidth - 2 * inset, kHeight - strip - 2 * inset);
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
// Bounds the work of the force-directed layout for large graphs: the number
// of rounds shrinks with vertices and edges. Dense graphs gain little from
// more rounds: their vertices end up evenly spread whatever the edges pull.
constexpr double kLayoutWork = 1.2e7;
constexpr int kMostRounds = 300;
constexpr int kFewestRounds = 30;
// Strength of the pull to the middle, relative to the push between vertices.
constexpr double kGravity = 1.0;
constexpr double kDenseDegree = 16.0;

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
                                   LayoutProgress& progress) {
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

    // Hundreds of edges a vertex would pull everything into a knot in the
    // middle, where every vertex pushes every other (and the push costs as
    // many pairs as there are vertices squared); pulls weaken so that a
    // vertex pulls as hard as one of kDenseDegree edges.
    const double averageDegree = 2.0 * double(graph.edges.size()) / double(n);
    const double pullScale = std::min(1.0, kDenseDegree / std::max(averageDegree, 1.0)) / k;

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
        // The hot loop of dense graphs: plain numbers, no temporaries.
        for (const auto& [a, b] : graph.edges) {
            QPointF& pa = position[std::size_t(a)];
            QPointF& pb = position[std::size_t(b)];
            const double dx = pa.x() - pb.x();
            const double dy = pa.y() - pb.y();
            const double scale = std::sqrt(dx * dx + dy * dy) * pullScale;
            QPointF& sa = shift[std::size_t(a)];
            QPointF& sb = shift[std::size_t(b)];
            sa.rx() -= dx * scale;
            sa.ry() -= dy * scale;
            sb.rx() += dx * scale;
            sb.ry() += dy * scale;
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
        progress.roundsDone(round + 1, rounds);
    }
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
// overlap each, for a few rounds or until none overlaps. False when some
// still do.
bool separate(std::vector<QPointF>& points, const QRectF& area, int radius) {
    const double wanted = 2 * radius + 2;
    CellGrid grid(area, wanted);
    std::vector<QPointF> shift(points.size());
    constexpr int kRounds = 50;
    for (int round = 0; round <= kRounds; ++round) {
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
            return true;
        if (round == kRounds)
            return false;
        for (std::size_t v = 0; v < points.size(); ++v) {
            points[v] += shift[v];
            keepInside(points[v], area);
        }
    }
    return false;
}

// Where pushing apart leaves overlaps (crowded pictures), every point moves to
// a place of its own on a hexagonal lattice whose places are a diameter and
// two pixels apart, the nearest one free, taken in store order. The area stays
// as it was when the lattice has too few places.
void settleOnLattice(std::vector<QPointF>& points, const QRectF& area, int radius) {
    const double pitch = 2 * radius + 2;
    const double rowStep = pitch * std::sqrt(3.0) / 2;
    const int columns = int(area.width() / pitch) + 1;
    const int rows = int(area.height() / rowStep) + 1;
    // Every other row half a place to the right; its last place may not fit.
    const auto place = [&](int r, int c) {
        return QPointF(area.left() + c * pitch + (r % 2 == 1 ? pitch / 2 : 0.0),
                       area.top() + r * rowStep);
    };
    std::vector<char> taken(std::size_t(rows * columns), 0);
    qsizetype free = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const bool fits = place(r, c).x() <= area.right() + 1e-9;
            taken[std::size_t(r * columns + c)] = fits ? 0 : 1;
            free += fits;
        }
    if (free < qsizetype(points.size()))
        return;

    for (QPointF& p : points) {
        const int r0 = std::clamp(int(std::lround((p.y() - area.top()) / rowStep)), 0, rows - 1);
        const int c0 = std::clamp(int(std::lround((p.x() - area.left()) / pitch)), 0, columns - 1);
        int best = -1;
        double bestDistance = 0;
        // Rings of places around the nearest; a place in ring d lies at least
        // (d - 1) row steps away, so the search ends once that passes the best.
        for (int d = 0; d <= std::max(rows, columns); ++d) {
            if (best >= 0 && (d - 1) * rowStep > bestDistance)
                break;
            for (int r = r0 - d; r <= r0 + d; ++r) {
                if (r < 0 || r >= rows)
                    continue;
                const bool edgeRow = r == r0 - d || r == r0 + d;
                for (int c = c0 - d; c <= c0 + d; c += edgeRow ? 1 : 2 * std::max(d, 1)) {
                    if (c < 0 || c >= columns || taken[std::size_t(r * columns + c)])
                        continue;
                    const double distance = length(place(r, c) - p);
                    if (best < 0 || distance < bestDistance) {
                        best = r * columns + c;
                        bestDistance = distance;
                    }
                }
            }
        }
        taken[std::size_t(best)] = 1;
        p = place(best / columns, best % columns);
    }
}

// The labels whose text, centred on the vertex, stays inside the picture and
// keeps clear of every label taken before it; found through a grid of cells.
QSet<QByteArray> legibleLabels(const QList<QByteArray>& labels, const VertexPositions& positions,
                               int pixelSize, const LabelMeasure& measure, int strip) {
    constexpr int kCell = 32;
    constexpr int kColumns = (kWidth + kCell - 1) / kCell;
    constexpr int kRows = (kHeight + kCell - 1) / kCell;
    std::vector<std::vector<QRect>> cells(kColumns * kRows);
    const QRect picture(0, 0, kWidth, kHeight - strip);
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
    LayoutProgress reports(progress, store.vertices.count() + store.edges.count());
    const IndexedGraph whole = indexedGraph(store, reports);
    GraphLayout layout;
    if (whole.labels.isEmpty())
        return layout;
    const IndexedGraph graph =
        whole.labels.size() > kMostShownVertices ? mostJoined(whole) : IndexedGraph();
    const IndexedGraph& shown = graph.labels.isEmpty() ? whole : graph;
    const qsizetype n = shown.labels.size();
    const int radius = radiusFor(n);
    const int strip = n <= kRingLayoutLimit ? 0 : kCountStripHeight;
    const QRectF area = centreArea(radius, strip);
    std::vector<QPointF> centres;
    if (n <= kRingLayoutLimit) {
        centres = ring(n, area);
    } else {
        centres = forceDirected(shown, area, reports);
        fill(centres, area);
        if (!separate(centres, area, radius))
            settleOnLattice(centres, area, radius);
        layout.countText = countText(whole, shown);
    }
    layout.positions.radius = radius;
    layout.positions.centres.reserve(n);
    for (qsizetype v = 0; v < n; ++v)
        layout.positions.centres.insert(shown.labels[v], centres[std::size_t(v)].toPoint());
    layout.labelPixelSize =
        std::clamp(int(std::lround(double(kLabelPixelSize) * radius / kSampleVertexRadius)), 8,
                   kLabelPixelSize);
    layout.legibleLabels =
        legibleLabels(shown.labels, layout.positions, layout.labelPixelSize, measure, strip);
    return layout;
}
