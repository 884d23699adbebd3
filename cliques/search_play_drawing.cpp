#include "search_play_drawing.h"

#include "cliques/clique_highlight_drawing.h"
#include "graph/style_drawing.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <iterator>

namespace {

constexpr qreal kRing = 5.0;

// Apart from each other and from the clique's green, the best clique's
// orange and the yellow of uncoloured candidates.
const QColor kClassColours[] = {QColor(0, 90, 255),   QColor(200, 0, 200), QColor(0, 170, 170),
                                QColor(150, 90, 30),  QColor(170, 30, 60), QColor(110, 60, 200),
                                QColor(255, 80, 160), QColor(120, 140, 0)};

// From circle to circle, so that the labels stay readable.
QLineF betweenCircles(QPointF a, QPointF b, qreal radius) {
    QLineF line(a, b);
    const qreal length = line.length();
    if (length <= 2 * radius)
        return QLineF();
    const QPointF step = (b - a) * (radius / length);
    return QLineF(a + step, b - step);
}

} // namespace

QColor colourClassColour(int colourClass) {
    const int k = (std::max(colourClass, 1) - 1) % colourClassColourCount();
    return kClassColours[std::size_t(k)];
}

int colourClassColourCount() {
    return int(std::size(kClassColours));
}

QColor playRoleColour(PlayRole role) {
    switch (role) {
    case PlayRole::Member:
        return QColor(0, 150, 0);
    case PlayRole::Candidate:
        return QColor(0, 90, 255);
    case PlayRole::Waiting:
        return QColor(230, 170, 0);
    case PlayRole::Refused:
    case PlayRole::Excluded:
        return QColor(128, 128, 128);
    case PlayRole::Pivot:
        return QColor(170, 0, 170);
    case PlayRole::Coloured:
        return colourClassColour(1);
    case PlayRole::Best:
        return kHighlightColour;
    }
    return Qt::black;
}

QString playRoleName(PlayRole role, bool bronKerbosch) {
    switch (role) {
    case PlayRole::Member:
        return bronKerbosch ? "R: die Clique bisher" : "Clique bisher";
    case PlayRole::Candidate:
        return bronKerbosch ? "der Knoten, um den R wächst" : "Kandidat in der Prüfung";
    case PlayRole::Waiting:
        return bronKerbosch ? "P: Kandidaten" : "noch zu prüfen";
    case PlayRole::Refused:
        return "in dieser Runde draußen";
    case PlayRole::Excluded:
        return "X: schon bearbeitet";
    case PlayRole::Pivot:
        return "Pivot";
    case PlayRole::Coloured:
        return "Kandidat, nach Farbe";
    case PlayRole::Best:
        return "beste Clique bisher";
    }
    return QString();
}

QString cliqueNumberPlayLegend() {
    const auto dot = [](const QColor& colour, const QString& glyph = "&#9679;") {
        return QString("<span style=\"color:%1\">%2</span>").arg(colour.name(), glyph);
    };
    QString legend = dot(playRoleColour(PlayRole::Member)) + " Clique<br>" +
                     dot(playRoleColour(PlayRole::Best), "&#9711;") + " beste Clique bisher<br>" +
                     dot(playRoleColour(PlayRole::Waiting)) + " Kandidat, noch ungefärbt<br>" +
                     "Kandidaten nach Farbe:<br>";
    for (int k = 1; k <= colourClassColourCount(); ++k)
        legend += dot(colourClassColour(k)) + QString::number(k) + " ";
    return legend;
}

QImage drawPlayFrame(const QSize& size, const PlayFrame& frame, const VertexPositions& positions) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ring = positions.radius + kRing / 2 + 1;

    for (const PlayEdge& edge : frame.edges) {
        if (!positions.centres.contains(edge.from) || !positions.centres.contains(edge.to))
            continue;
        QPen pen(edge.present ? playRoleColour(PlayRole::Candidate) : Colours::Red, 3.0);
        if (!edge.present)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(betweenCircles(positions.centres.value(edge.from),
                                        positions.centres.value(edge.to), ring));
    }
    // Later marks win: the candidate is drawn over the role it also has.
    for (const PlayMark& mark : frame.marks) {
        if (!positions.centres.contains(mark.label))
            continue;
        const QPointF centre = positions.centres.value(mark.label);
        const QColor colour = playRoleColour(mark.role);
        if (mark.role == PlayRole::Refused || mark.role == PlayRole::Excluded) {
            QColor veil = colour;
            veil.setAlpha(150);
            painter.setPen(Qt::NoPen);
            painter.setBrush(veil);
            painter.drawEllipse(centre, qreal(positions.radius), qreal(positions.radius));
        }
        painter.setBrush(Qt::NoBrush);
        if (mark.role == PlayRole::Best) {
            // Around the ring of its other role.
            painter.setPen(QPen(colour, 3.0));
            painter.drawEllipse(centre, ring + kRing, ring + kRing);
            continue;
        }
        painter.setPen(
            QPen(mark.role == PlayRole::Coloured ? colourClassColour(mark.colourClass) : colour,
                 mark.role == PlayRole::Waiting ? 3.0 : kRing));
        painter.drawEllipse(centre, ring, ring);
    }
    return overlay;
}
