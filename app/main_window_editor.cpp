#include "app/main_window.h"

#include "editor/edge_entry.h"
#include "editor/editor_drawing.h"
#include "files/file_access.h"
#include "files/list_files.h"
#include "files/picture_files_drawing.h"
#include "graph/graph_picture_drawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

namespace {

void enableWidgets(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

// One step of the editor, as the states before and after it. The step has
// already been done when it is recorded, so the first redo does nothing.
template <class State> class EditorStep final : public QUndoCommand {
public:
    EditorStep(const QString& name, State before, State after,
               std::function<void(const State&)> restore)
        : QUndoCommand(name), m_before(std::move(before)), m_after(std::move(after)),
          m_restore(std::move(restore)) {}
    void undo() override { m_restore(m_before); }
    void redo() override {
        if (m_done)
            m_restore(m_after);
        m_done = true;
    }

private:
    State m_before;
    State m_after;
    std::function<void(const State&)> m_restore;
    bool m_done = false;
};

} // namespace

MainWindow::StoredPicture MainWindow::StoredPicture::of(const QImage& picture) {
    StoredPicture stored;
    stored.format = picture.format();
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32) {
        QBuffer buffer(&stored.png);
        buffer.open(QIODevice::WriteOnly);
        if (picture.save(&buffer, "PNG"))
            return stored;
        stored.png.clear();
    }
    stored.image = picture;
    return stored;
}

QImage MainWindow::StoredPicture::picture() const {
    if (png.isEmpty())
        return image;
    return QImage::fromData(png, "PNG").convertToFormat(format);
}

MainWindow::StoredPicture MainWindow::storedPicture() const {
    // The picture after one step is the picture before the next: encoded once.
    const QImage& picture = graphPicture->picture();
    if (m_lastStored.first != picture.cacheKey())
        m_lastStored = {picture.cacheKey(), StoredPicture::of(picture)};
    return m_lastStored.second;
}

MainWindow::EditorState MainWindow::editorState() const {
    return {m_store,
            m_grid,
            storedPicture(),
            m_highlighter->editorPlacement(),
            vertexPositionSpinner->position(),
            v1Spinner->position(),
            v2Spinner->position(),
            positionField->text(),
            v1Field->text(),
            v2Field->text(),
            delPosButton->isEnabled()};
}

void MainWindow::restoreEditorState(const EditorState& state) {
    m_store = state.store;
    m_grid = state.grid;
    const QImage picture = state.picture.picture();
    if (picture.isNull())
        graphPicture->clear();
    else
        graphPicture->setPicture(picture);
    m_highlighter->setEditorPlacement(state.placement);
    vertexPositionSpinner->setPosition(state.position);
    v1Spinner->setPosition(state.v1);
    v2Spinner->setPosition(state.v2);
    positionField->setText(state.positionText);
    v1Field->setText(state.v1Text);
    v2Field->setText(state.v2Text);
    delPosButton->setEnabled(state.placing);
    enableWidgets({edgeButton, v1Spinner, v2Spinner}, !state.placing);
    emit graphChanged();
}

void MainWindow::recordEditorStep(const QString& name, EditorState before) {
    // A step that ended outside the editor (a failed import) is no step of it.
    if (graphChoice->itemIndex() != 2)
        return;
    m_history->push(new EditorStep<EditorState>(
        name, std::move(before), editorState(),
        [this](const EditorState& state) { restoreEditorState(state); }));
}

void MainWindow::undoStep() {
    if (graphChoice->itemIndex() == 2)
        m_history->undo();
}

void MainWindow::redoStep() {
    if (graphChoice->itemIndex() == 2)
        m_history->redo();
}

void MainWindow::showHistory() {
    undoButton->setEnabled(m_history->canUndo());
    redoButton->setEnabled(m_history->canRedo());
    undoButton->setToolTip(m_history->canUndo() ? "Rückgängig: " + m_history->undoText()
                                                : QStringLiteral("Rückgängig"));
    redoButton->setToolTip(m_history->canRedo() ? "Wiederholen: " + m_history->redoText()
                                                : QStringLiteral("Wiederholen"));
}

void MainWindow::drawLaidOutGraph(const std::optional<GraphLayout>& given) {
    // A large graph's layout and drawing show as one run of the progress window.
    ProgressStages stages(m_progress, 2);
    const GraphLayout layout = given ? *given : layoutGraphForPicture(m_store, stages.sink());
    stages.nextStage();
    graphPicture->setPicture(drawGraphPicture(m_store, layout, stages.sink()));
    m_highlighter->setEditorPlacement(
        {CliqueHighlighter::EditorPlacement::Drawn, layout.positions});
}

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
    EditorState before = editorState();
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
    recordEditorStep("Knoten " + QString::fromLatin1(m_store.vertices.last()), std::move(before));
    emit graphChanged();
}

void MainWindow::finishPlacing() {
    EditorState before = editorState();
    blankFreePositions(graphPicture->canvas(), m_grid);
    graphPicture->changed();
    delPosButton->setEnabled(false);
    enableWidgets({edgeButton, v1Spinner, v2Spinner}, true);
    recordEditorStep(QStringLiteral("DelPos"), std::move(before));
}

void MainWindow::showV1() {
    v1Field->setText(QString::number(v1Spinner->position()));
}

void MainWindow::showV2() {
    v2Field->setText(QString::number(v2Spinner->position()));
}

void MainWindow::joinVertices() {
    EditorState before = editorState();
    const std::optional<QLine> line =
        addEdge(m_grid, m_store.edges, v1Spinner->position(), v2Spinner->position());
    if (!line) {
        dialogs().message(this, Texts::ErrorCaption, "Ungültige Kante!");
        return;
    }
    drawEdgeLine(graphPicture->canvas(), *line);
    graphPicture->changed();
    recordEditorStep("Kante " + QString::fromLatin1(m_store.edges.last()), std::move(before));
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
    // Every way out is a step that undo takes back.
    const auto record = qScopeGuard(
        [this, before = editorState()] { recordEditorStep(QStringLiteral("Import"), before); });
    m_store.vertices.clear();
    m_store.edges.clear();
    m_highlighter->setEditorPlacement({CliqueHighlighter::EditorPlacement::Unknown, {}});
    dialogs().message(this, Texts::MeldungCaption, "Graphen öffnen!");
    bool pictureChosen = false;
    if (std::optional<QString> name = pictureOpenDialog.execute(this)) {
        if (!loadPicture(*name))
            return;
        pictureChosen = true;
    }
    // The vertex file, then the edge file; each count is refreshed right after its list.
    const std::tuple<QString, TextList*, qsizetype*> lists[] = {
        {"Knoten-Datei öffnen!", &m_store.vertices, &m_store.vertexCount},
        {"Kanten-Datei öffnen!", &m_store.edges, &m_store.edgeCount}};
    for (const auto& [prompt, list, count] : lists) {
        dialogs().message(this, Texts::MeldungCaption, prompt);
        if (std::optional<QString> name = listOpenDialog.execute(this)) {
            QString problem;
            std::optional<TextList> loaded = loadTextList(*name, &problem, m_progress);
            if (!loaded) {
                dialogs().message(this, Texts::FehlerCaption, problem);
                return;
            }
            *list = std::move(*loaded);
        }
        *count = list->count();
    }
    if (m_store.vertexCount != 0 && m_store.edgeCount != 0) {
        // Without a picture of its own the graph is drawn, so that a clique
        // can be marked on it.
        if (!pictureChosen)
            drawLaidOutGraph();
        return;
    }

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

void MainWindow::openGraph() {
    if (std::optional<QString> name = graphOpenDialog.execute(this))
        openGraphFromFile(*name);
}

void MainWindow::openGraphFromFile(const QString& fileName) {
    OpenedGraph opened = ::openGraphFile(fileName, m_progress);
    if (!opened.ok()) {
        dialogs().message(this, Texts::FehlerCaption, opened.message);
        return;
    }
    openGraphStore(std::move(opened.graph), "Öffnen " + QFileInfo(fileName).fileName());
}

void MainWindow::openGraphStore(GraphStore graph, const QString& stepName,
                                const std::optional<GraphLayout>& layout) {
    if (graphChoice->itemIndex() != 2)
        graphChoice->setItemIndex(2);
    EditorState before = editorState();
    m_store = std::move(graph);
    m_store.refreshCounts();
    // The list found on the graph before says nothing about this one.
    m_cliques.clear();
    cliqueListBox->clear();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    drawLaidOutGraph(layout);
    recordEditorStep(stepName, std::move(before));
    emit graphChanged();
}

void MainWindow::saveDimacs() {
    std::optional<QString> name = dimacsSaveDialog.execute(this);
    if (!name)
        return;
    QString fileName = *name;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += ".clq";
    m_store.refreshCounts();
    const DimacsSaving saving = saveDimacsFile(fileName, m_store);
    if (!saving.saved)
        dialogs().message(this, Texts::FehlerCaption, saving.error);
    else if (!saving.note.isEmpty())
        dialogs().message(this, Texts::MeldungCaption, saving.note);
}
