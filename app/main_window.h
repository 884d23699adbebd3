#pragma once

#include "app/clique_highlighter.h"
#include "app/dialogs.h"
#include "app/widgets.h"
#include "cliques/clique.h"
#include "cliques/clique_positions.h"
#include "editor/position_grid.h"
#include "files/graph_formats.h"
#include "graph/graph_layout.h"
#include "graph/graph_store.h"

#include <QListWidget>
#include <QToolButton>
#include <QWidget>

#include <optional>
#include <utility>

class PictureOutput;
class ProgressSink;
class QUndoStack;

// The main window: graph choice and editor on the left, the greedy clique
// search, its list operations and the decision question on the right. Its
// handlers are spread over main_window*.cpp by subject.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window that long computations report to; set once at start.
    void setProgress(ProgressSink* progress) { m_progress = progress; }

    // The one current graph, the clique list and the editor's grid.
    const GraphStore& graphStore() const { return m_store; }
    const CliqueList& cliqueList() const { return m_cliques; }
    const PositionGrid& positionGrid() const { return m_grid; }
    // The k that "Beantworten!" asks about.
    int decisionK() const;

    // Where the current graph's vertices stand in the picture, when known.
    std::optional<VertexPositions> vertexPositions() const;
    // Marks the clique on the graph's picture (never on what "Export" saves);
    // false, and no mark, when its vertices have no known positions.
    bool highlightClique(const Clique& clique);
    // Shows a colouring of the vertices (by colour class) the same way.
    bool showColouring(const QList<QList<QByteArray>>& classes);
    void clearHighlight();
    // A step of a play drawn over the picture, above any highlight; never
    // part of what "Export" saves.
    void showPlayOverlay(const QImage& overlay);
    void clearPlayOverlay();
    // The practice window's layers over the picture, never part of what
    // "Export" saves: the complement graph and the student's choice.
    void showComplementOverlay(const QImage& overlay);
    void clearComplementOverlay();
    void showChoiceOverlay(const QImage& overlay);
    void clearChoiceOverlay();
    QSize pictureSize() const;
    // The drawing as the user sees it: the picture with the highlight and the
    // play's step drawn over it; null when the drawing is empty.
    QImage shownPicture() const;
    // What other windows should leave in sight, on the screen: the drawing,
    // where plays draw their steps, and "Berechnen!".
    QList<QRect> areasToKeepClear() const;
    // The picture as drawn, without any layer.
    const QImage& picture() const;
    // While wanted, a left click on the picture is reported by
    // pictureClicked() and does nothing else.
    void setPictureClicksWanted(bool wanted);
    // Makes graph the current graph as an opened file does: the editor's
    // graph (the editor is chosen first when another graph is shown), an
    // undo step named stepName, the clique list emptied. Drawn at the
    // layout's positions, or laid out by Mandorin when none is given.
    void openGraphStore(GraphStore graph, const QString& stepName,
                        const std::optional<GraphLayout>& layout = std::nullopt);

signals:
    void helpRequested();
    void versionRequested();
    void heuristicRequested();
    void exactAnalysisRequested();
    void stepPlayRequested();
    void tryRequested();
    // A left click on the picture, in picture coordinates, while wanted.
    void pictureClicked(QPoint point);
    void hardnessRequested();
    // A clique of "Gefundene Cliquen" was clicked or reached by keyboard.
    void cliqueChosen(const Clique& clique);
    // The graph store changed: another graph, a vertex or edge more, or
    // vertices without edges dropped by the search.
    void graphChanged();

public slots:
    // Copies the list lengths into the store's counts, as a reader must first.
    void refreshGraphCounts();

    // Graph choice and the bottom row (main_window.cpp).
    void chooseGraph();
    void resetAll();

    // Clique analysis (main_window_cliques.cpp).
    void computeCliques();
    void removeRepeatedCliques();
    void sortAscending();
    void sortDescending();
    void saveCliqueList();
    void showK();
    void answerDecision();

    // Graph editor (main_window_editor.cpp).
    void showVertexPosition();
    void addVertex();
    void finishPlacing();
    void showV1();
    void showV2();
    void joinVertices();
    void exportGraph();
    void importGraph();
    // "Öffnen…": a DIMACS file or an edge list in place of the graph.
    void openGraph();
    // "Als DIMACS…".
    void saveDimacs();
    // The editor's history: every vertex, edge, "DelPos", import and opened file.
    void undoStep();
    void redoStep();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend struct MainWindowTestAccess;

    void buildLayout();
    void connectHandlers();
    void setUpInitialGraph();
    // Loads picture and lists of sample graph k; false when the picture
    // could not be loaded (reported, lists left as they were).
    bool loadSampleGraph(int k);
    bool loadPicture(const QString& fileName);
    void setEditorToolsVisible(bool visible);
    // The editor branch of the graph choice (main_window_editor.cpp).
    void enterEditorMode();
    void setLamps(const QColor& repeats, const QColor& ascending, const QColor& descending);
    // "Gefundene Cliquen" shows exactly the texts of the clique list.
    void showCliqueList();
    void chooseCliqueRow(int row);
    // Tells screen readers what the picture shows.
    void describePicture();
    // Clicks the first enabled default button; false when there is none.
    bool pressDefaultButton();

    // What an editor step changes, kept whole before and after each step so
    // that undo gives back exactly what was shown (graphs here are small).
    // A picture kept for undo: drawings compress well, so a long history
    // stays small.
    struct StoredPicture {
        QByteArray png;
        QImage image; // kept as it is where PNG would not give back the same format
        QImage::Format format = QImage::Format_Invalid;
        static StoredPicture of(const QImage& picture);
        QImage picture() const;
    };
    struct EditorState {
        GraphStore store;
        PositionGrid grid;
        StoredPicture picture;
        CliqueHighlighter::EditorPlacement placement;
        int position = 0;
        int v1 = 0;
        int v2 = 0;
        QString positionText;
        QString v1Text;
        QString v2Text;
        bool placing = true; // "DelPos" not yet pressed: edge entry closed
    };
    StoredPicture storedPicture() const;
    EditorState editorState() const;
    void restoreEditorState(const EditorState& state);
    // Records the step from before to the current state.
    void recordEditorStep(const QString& name, EditorState before);
    void showHistory();
    // Reads the file into the store (the editor's graph stays on failure).
    void openGraphFromFile(const QString& fileName);
    // Draws the store's graph itself, for a graph whose positions nobody
    // chose, at the given layout or at one Mandorin works out.
    void drawLaidOutGraph(const std::optional<GraphLayout>& layout = std::nullopt);

    GraphStore m_store;
    PositionGrid m_grid;
    // The picture last kept for undo, by its cache key.
    mutable std::pair<qint64, StoredPicture> m_lastStored{-1, {}};
    CliqueList m_cliques;
    ProgressSink* m_progress = nullptr;
    bool m_pictureClicksWanted = false;
    CliqueHighlighter* m_highlighter = nullptr;
    QUndoStack* m_history = nullptr;
    PictureOutput* m_pictureOutput = nullptr;

    // Graph choice, picture and bottom row.
    PictureArea* graphPicture;
    ChoiceGroup* graphChoice;
    QPushButton* helpButton;
    QPushButton* versionButton;
    QPushButton* resetButton;
    QPushButton* exactAnalysisButton;
    QPushButton* stepPlayButton;
    QPushButton* tryButton;
    QPushButton* hardnessButton;
    QPushButton* heuristicButton;
    QPushButton* importButton;
    QPushButton* exportButton;
    QPushButton* openButton;
    QPushButton* saveDimacsButton;

    // Editor tools.
    QGroupBox* editorToolsGroup;
    QLabel* v1Label;
    QLabel* v2Label;
    QLabel* positionLabel;
    QPushButton* edgeButton;
    QPushButton* vertexButton;
    QPushButton* delPosButton;
    QLineEdit* v1Field;
    QLineEdit* v2Field;
    QLineEdit* positionField;
    StepArrows* v1Spinner;
    StepArrows* v2Spinner;
    StepArrows* vertexPositionSpinner;
    QToolButton* undoButton;
    QToolButton* redoButton;

    // Clique search and list operations.
    QListWidget* cliqueListBox;
    QPushButton* computeButton;
    QPushButton* saveButton;
    QPushButton* removeRepeatsButton;
    QPushButton* ascendingButton;
    QPushButton* descendingButton;
    Lamp* repeatsLamp;
    Lamp* ascendingLamp;
    Lamp* descendingLamp;

    // Decision question.
    QLineEdit* kField;
    StepArrows* kSpinner;
    QPushButton* answerButton;
    QLineEdit* existenceField;
    QLineEdit* largestCliqueField;

    FileDialog pictureOpenDialog{
        FileDialog::Open,
        QStringLiteral("*bmp|*bmp|Bilder (*.bmp *.png *.jpg *.jpeg *.gif)|*.bmp *.png *.jpg "
                       "*.jpeg *.gif"),
        {}};
    FileDialog listOpenDialog{
        FileDialog::Open, QStringLiteral("Knoten/ Kante: Text-Datei *.txt|*.txt"), {}};
    FileDialog pictureSaveDialog{FileDialog::Save, QStringLiteral("*bmp"), {}};
    FileDialog listSaveDialog{FileDialog::Save, QStringLiteral("Text-Datei *.txt|*txt"), {}};
    FileDialog graphOpenDialog{FileDialog::Open, kGraphFileFilter, {}};
    FileDialog dimacsSaveDialog{FileDialog::Save, kDimacsFileFilter, {}};
};

// The folder of the program file, with a trailing separator.
QString programDirectory();
