#pragma once

#include "app/widgets.h"
#include "cliques/clique.h"
#include "cliques/clique_positions.h"
#include "editor/position_grid.h"
#include "graph/graph_store.h"

#include <QObject>

#include <optional>

// Marks a clique on the main window's picture. The mark is an overlay, never
// part of the picture that "Export" saves, and it is dropped as soon as the
// graph it was drawn for changes.
class CliqueHighlighter : public QObject {
    Q_OBJECT
public:
    // choice is the graph choice group: which graph the picture shows.
    CliqueHighlighter(PictureArea* picture, const ChoiceGroup* choice, const GraphStore& store,
                      const PositionGrid& grid, QObject* parent = nullptr);

    // Where the editor's graph (the third choice) stands: on the grid, where
    // the program drew it itself, or unknown (a picture that came with an
    // import, which no table describes).
    struct EditorPlacement {
        enum Source { Grid, Drawn, Unknown };
        Source source = Grid;
        VertexPositions drawn; // for Drawn
    };

    // Where the current graph's vertices stand in the picture, when known.
    std::optional<VertexPositions> positions() const;
    const EditorPlacement& editorPlacement() const { return m_placement; }
    // The editor's graph was replaced or restored; drops a stale mark.
    void setEditorPlacement(const EditorPlacement& placement);
    // Marks the clique; false (and no mark) when its vertices have no known
    // positions.
    bool highlight(const Clique& clique);
    // Shows a colouring, the vertices by colour class, in place of a mark;
    // false (and nothing shown) when some vertex has no known position.
    bool showColouring(const QList<QList<QByteArray>>& classes);
    void clear();
    bool isShown() const;

public slots:
    // Drops the mark when the graph differs from the one it was drawn for.
    void checkGraph();
    // A graph was chosen: its positions are known again where it has any.
    void graphChosen();
    // An import keeps the editor's grid, which then no longer says where
    // the vertices are (unless the import had the graph drawn).
    void importStarted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct GraphState {
        TextList vertices;
        TextList edges;
        int item = -1;
        bool operator==(const GraphState&) const = default;
    };
    GraphState currentState() const;

    PictureArea* m_picture;
    const ChoiceGroup* m_choice;
    const GraphStore& m_store;
    const PositionGrid& m_grid;
    EditorPlacement m_placement;
    GraphState m_markedState;
};
