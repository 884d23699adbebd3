#include "app/main_window.h"

#include "editor/edge_entry.h"
#include "editor/editor_drawing.h"
#include "editor/graph_files.h"

#include <QScopeGuard>

namespace {

void enableWidgets(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

} // namespace

void MainWindow::enterEditorMode() {
    setEditorToolsVisible(true);
    delPosButton->setEnabled(true);
    // Edge entry stays closed until "DelPos".
    enableWidgets({edgeButton, v1Spinner, v2Spinner}, false);
    graphPicture->clear();
    m_grid.reset();
    vertexPositionSpinner->setPosition(0);
    positionField->setText(QString::number(vertexPositionSpinner->position()));
    drawEmptyGrid(graphPicture->canvas(), m_grid);
    graphPicture->changed();
}

void MainWindow::showVertexPosition() {
    const int p = vertexPositionSpinner->position();
    positionField->setText(QString::number(p) + (m_grid.taken[p] == 1 ? "!" : ""));
}

void MainWindow::addVertex() {
    const int p = vertexPositionSpinner->position();
    const Placement placement = placeVertex(m_grid, m_store.vertices, p);
    switch (placement.outcome) {
    case PlacementOutcome::NoNumberLeft:
        dialogs().message(this, Texts::ErrorCaption, "Maximal 15 Knoten!");
        return;
    case PlacementOutcome::PositionTaken:
        dialogs().message(this, Texts::ErrorCaption, "Position schon belegt!");
        return;
    case PlacementOutcome::Placed:
        break;
    }
    positionField->setText(positionField->text() + "!");
    drawVertex(graphPicture->canvas(), m_grid, p, m_store.vertices.last());
    graphPicture->changed();
    emit graphChanged();
}

void MainWindow::finishPlacing() {
    blankFreePositions(graphPicture->canvas(), m_grid);
    graphPicture->changed();
    delPosButton->setEnabled(false);
    enableWidgets({edgeButton, v1Spinner, v2Spinner}, true);
}

void MainWindow::showV1() {
    v1Field->setText(QString::number(v1Spinner->position()));
}

void MainWindow::showV2() {
    v2Field->setText(QString::number(v2Spinner->position()));
}

void MainWindow::joinVertices() {
    const std::optional<QLine> line =
        addEdge(m_grid, m_store.edges, v1Spinner->position(), v2Spinner->position());
    if (!line) {
        dialogs().message(this, Texts::ErrorCaption, "Ungültige Kante!");
        return;
    }
    drawEdgeLine(graphPicture->canvas(), *line);
    graphPicture->changed();
    emit graphChanged();
}

void MainWindow::exportGraph() {
    if (std::optional<QString> name = pictureSaveDialog.execute(this)) {
        const QString fileName = *name + ".bmp";
        const QByteArray bitmap = encodeBitmap(graphPicture->picture());
        if (bitmap.isEmpty() || !writeFileAtomically(fileName, bitmap)) {
            dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
            return;
        }
    }
    // The vertex file, then the edge file, each through the same dialog.
    const std::pair<QString, const TextList*> lists[] = {
        {"Knoten-Datei erstellen!", &m_store.vertices},
        {"Kanten-Datei erstellen!", &m_store.edges}};
    for (const auto& [prompt, list] : lists) {
        dialogs().message(this, Texts::MeldungCaption, prompt);
        if (std::optional<QString> name = listSaveDialog.execute(this)) {
            const QString fileName = *name + ".txt";
            if (!saveTextList(fileName, *list)) {
                dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
                return;
            }
        }
    }
}

void MainWindow::importGraph() {
    // The lists are emptied first, so every way out leaves another graph.
    const auto announce = qScopeGuard([this] { emit graphChanged(); });
    m_store.vertices.clear();
    m_store.edges.clear();
    dialogs().message(this, Texts::MeldungCaption, "Graphen öffnen!");
    if (std::optional<QString> name = pictureOpenDialog.execute(this)) {
        if (!loadPicture(*name))
            return;
    }
    // The vertex file, then the edge file; each count is refreshed right after its list.
    const std::tuple<QString, TextList*, qsizetype*> lists[] = {
        {"Knoten-Datei öffnen!", &m_store.vertices, &m_store.vertexCount},
        {"Kanten-Datei öffnen!", &m_store.edges, &m_store.edgeCount}};
    for (const auto& [prompt, list, count] : lists) {
        dialogs().message(this, Texts::MeldungCaption, prompt);
        if (std::optional<QString> name = listOpenDialog.execute(this)) {
            std::optional<TextList> loaded = loadTextList(*name);
            if (!loaded) {
                dialogs().message(this, Texts::FehlerCaption, Texts::cannotRead(*name));
                return;
            }
            *list = std::move(*loaded);
        }
        *count = list->count();
    }
    if (m_store.vertexCount != 0 && m_store.edgeCount != 0)
        return;

    // Failed: back to sample graph 1, as if the user had chosen it.
    dialogs().message(this, Texts::FehlerCaption, "Import gescheitert!");
    m_store.vertices.clear();
    m_store.edges.clear();
    if (!loadSampleGraph(1))
        return;
    m_store.refreshEdgeCount();
    m_store.refreshVertexCount();
    setEditorToolsVisible(false);
    graphChoice->setItemIndex(0);
}
