#include "app/clique_highlighter.h"

#include "cliques/clique_highlight_drawing.h"
#include "cliques/exact_graph.h"

#include <QEvent>

CliqueHighlighter::CliqueHighlighter(PictureArea* picture, const ChoiceGroup* choice,
                                     const GraphStore& store, const PositionGrid& grid,
                                     QObject* parent)
    : QObject(parent), m_picture(picture), m_choice(choice), m_store(store), m_grid(grid) {
    connect(m_picture, &PictureArea::pictureReplaced, this, &CliqueHighlighter::clear);
    // Every repaint checks first, so a stale mark is never shown.
    m_picture->installEventFilter(this);
}

CliqueHighlighter::GraphState CliqueHighlighter::currentState() const {
    return {m_store.vertices, m_store.edges, m_choice->itemIndex()};
}

std::optional<VertexPositions> CliqueHighlighter::positions() const {
    const int item = m_choice->itemIndex();
    switch (item) {
    case 0:
    case 1:
        return sampleGraphPositions(m_store, item + 1);
    case 2:
        switch (m_placement.source) {
        case EditorPlacement::Grid:
            return editorPositions(m_store, m_grid);
        case EditorPlacement::Drawn:
            return m_placement.drawn;
        case EditorPlacement::Unknown:
            return std::nullopt;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool CliqueHighlighter::highlight(const Clique& clique) {
    const std::optional<VertexPositions> known = positions();
    if (!known || clique.members.isEmpty()) {
        clear();
        return false;
    }
    QList<QPoint> centres;
    for (const QByteArray& label : clique.members) {
        if (!known->centres.contains(label)) {
            clear();
            return false;
        }
        centres.append(known->centres.value(label));
    }
    // Only edges the graph really has: a list entry may be stale.
    const ExactGraph graph = buildExactGraph(m_store);
    QList<QLine> edges;
    for (qsizetype i = 0; i < clique.members.size(); ++i) {
        const int a = int(graph.labels.indexOf(clique.members[i]));
        for (qsizetype j = i + 1; j < clique.members.size(); ++j) {
            const int b = int(graph.labels.indexOf(clique.members[j]));
            if (a >= 0 && b >= 0 && graph.adjacent(a, b))
                edges.append(QLine(centres[i], centres[j]));
        }
    }
    m_picture->setOverlay(drawCliqueHighlight(m_picture->size(), centres, known->radius, edges));
    m_markedState = currentState();
    return true;
}

bool CliqueHighlighter::showColouring(const QList<QList<QByteArray>>& classes) {
    const std::optional<VertexPositions> known = positions();
    if (!known || classes.isEmpty()) {
        clear();
        return false;
    }
    QList<QList<QPoint>> centres;
    for (const QList<QByteArray>& members : classes) {
        centres.append(QList<QPoint>());
        for (const QByteArray& label : members) {
            if (!known->centres.contains(label)) {
                clear();
                return false;
            }
            centres.last().append(known->centres.value(label));
        }
    }
    m_picture->setOverlay(drawColouring(m_picture->size(), centres, known->radius));
    m_markedState = currentState();
    return true;
}

void CliqueHighlighter::clear() {
    m_picture->clearOverlay();
}

bool CliqueHighlighter::isShown() const {
    return !m_picture->overlay().isNull();
}

void CliqueHighlighter::checkGraph() {
    if (isShown() && !(currentState() == m_markedState))
        clear();
}

bool CliqueHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::Paint)
        checkGraph();
    return QObject::eventFilter(watched, event);
}

void CliqueHighlighter::graphChosen() {
    m_placement = {};
    checkGraph();
}

void CliqueHighlighter::importStarted() {
    if (m_placement.source == EditorPlacement::Grid)
        m_placement.source = EditorPlacement::Unknown;
    checkGraph();
}

void CliqueHighlighter::setEditorPlacement(const EditorPlacement& placement) {
    m_placement = placement;
    checkGraph();
}
