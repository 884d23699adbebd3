#include "app/main_window.h"

#include "app/clique_highlighter.h"
#include "app/picture_output.h"
#include "editor/editor_drawing.h"
#include "files/picture_files_drawing.h"
#include "graph/picture_descriptions.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QUndoStack>

QString programDirectory() {
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
}

namespace {

// List rows of a fixed height, whatever the font's line spacing.
class FixedRowHeight : public QStyledItemDelegate {
public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    buildLayout();
    m_highlighter = new CliqueHighlighter(graphPicture, graphChoice, m_store, m_grid, this);
    // Right click or the menu key on the drawing: "Bild speichern…", "Drucken…".
    m_pictureOutput = new PictureOutput(this, [this] { return graphPicture->shownPicture(); });
    m_pictureOutput->addContextMenu(graphPicture);
    m_history = new QUndoStack(this);
    // Each step keeps two whole states; a long session keeps the last ones.
    m_history->setUndoLimit(50);
    connectHandlers();
    setUpInitialGraph();
}

MainWindow::~MainWindow() {
    // The controls go while the stores they show still exist: their last
    // signals (a list emptied, a picture dropped) must find them.
    delete m_highlighter;
    // The history's steps hold states, not controls; it goes quietly.
    m_history->disconnect(this);
    delete m_history;
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void MainWindow::buildLayout() {
    setUpWindow(this, "Mandorin", -5, 262, 1220, 679);

    QFrame* panel = makePanel(this, "Panel1", {8, 8, 1185, 625});
    panel->setFont(courierFont(11));
    const QFont panelFont = panel->font();

    makeText(panel, "StaticText1", {328, 16, 587, 26},
             "Berechnung maximaler Cliquen in ungerichteten Graphen", courierFont(19, true, true),
             Colours::Green);
    makeText(panel, "StaticText2", {944, 600, 228, 18}, "Lernprogramm Cliquenproblem", panelFont);
    QGroupBox* graphGroup = makeGroup(panel, "GroupBox1", {8, 48, 569, 529}, "Graphen");
    QGroupBox* algorithmGroup = makeGroup(panel, "GroupBox2", {584, 48, 585, 529}, "Algorithmus");
    helpButton = makeGlyphButton(panel, "BitBtn1", GlyphKind::Help, {584, 592, 75, 25}, "&Hilfe");
    versionButton =
        makeGlyphButton(panel, "BitBtn2", GlyphKind::Help, {664, 592, 81, 25}, "Version");
    makeGlyphButton(panel, "BitBtn3", GlyphKind::Close, {832, 592, 97, 25}, "S&chließen");
    resetButton = makeGlyphButton(panel, "BitBtn8", GlyphKind::Retry, {752, 592, 75, 25}, "Reset");

    // Group "Graphen".
    graphPicture = new PictureArea(graphGroup);
    graphPicture->setObjectName("Image1");
    graphPicture->setGeometry(8, 184, 550, 300);
    graphPicture->setAccessibleName("Darstellung des Graphen");
    graphChoice = new ChoiceGroup("Graphen-Auswahl",
                                  {"Beispiel-Graph (1): 9 Knoten", "Beispiel-Graph (2): 5 Knoten",
                                   "Graph erstellen: max. 15 Knoten"},
                                  graphGroup);
    graphChoice->setObjectName("RadioGroup1");
    graphChoice->setGeometry(8, 24, 257, 113);
    graphChoice->setItemIndex(0);
    QLabel* pictureCaption =
        makeText(graphGroup, "StaticText3", {8, 152, 220, 21},
                 "Darstellung des Graphen:", courierFont(15, false, true), Colours::Red);
    pictureCaption->setBuddy(graphPicture);
    editorToolsGroup = makeGroup(graphGroup, "GroupBox7", {280, 16, 281, 121}, "Graphen-Werkzeuge");
    heuristicButton =
        makeGlyphButton(graphGroup, "BitBtn10", GlyphKind::Ignore, {232, 496, 97, 25}, "Heuristik");
    importButton =
        makeGlyphButton(graphGroup, "BitBtn4", GlyphKind::Retry, {8, 496, 97, 25}, "Import");
    exportButton =
        makeGlyphButton(graphGroup, "BitBtn5", GlyphKind::Retry, {120, 496, 97, 25}, "Export");
    openButton =
        makeGlyphButton(graphGroup, "ButtonOpen", GlyphKind::None, {344, 496, 97, 25}, "Öffnen…");
    openButton->setToolTip("Graph aus DIMACS-Datei oder Kantenliste öffnen");
    saveDimacsButton = makeGlyphButton(graphGroup, "ButtonSaveDimacs", GlyphKind::None,
                                       {456, 496, 97, 25}, "Als DIMACS…");
    saveDimacsButton->setToolTip("Graph als DIMACS-Datei speichern");
    // A graph file dropped on the drawing opens as "Öffnen…" would.
    graphPicture->setAcceptDrops(true);
    graphPicture->installEventFilter(this);

    // Group "Graphen-Werkzeuge".
    v1Label = makeText(editorToolsGroup, "Label1", {8, 92, 33, 21}, "v1=", courierFont(19));
    v2Label = makeText(editorToolsGroup, "Label3", {120, 92, 33, 21}, "v2=", courierFont(19));
    positionLabel =
        makeText(editorToolsGroup, "Label2", {8, 28, 99, 21}, "Position:", courierFont(19));
    edgeButton = makeButton(editorToolsGroup, "Button2", {144, 56, 97, 25}, "Kante");
    vertexButton = makeButton(editorToolsGroup, "Button1", {176, 24, 97, 25}, "Knoten");
    v1Field = makeOutputField(editorToolsGroup, "Edit4", {48, 88, 33, 25}, "0", courierFont(15),
                              "v1-Anzeige");
    v2Field = makeOutputField(editorToolsGroup, "Edit5", {160, 88, 33, 25}, "0", courierFont(15),
                              "v2-Anzeige");
    v1Spinner = makeStepArrows(editorToolsGroup, "UpDown2", {80, 88, 17, 25}, 0, 14, 0, "v1");
    describe(v1Spinner, "Erster Knoten der nächsten Kante", v1Label);
    v2Spinner = makeStepArrows(editorToolsGroup, "UpDown3", {192, 88, 17, 25}, 0, 14, 0, "v2");
    describe(v2Spinner, "Zweiter Knoten der nächsten Kante", v2Label);
    positionField = makeOutputField(editorToolsGroup, "Edit6", {112, 24, 33, 25}, "0",
                                    courierFont(15), "Positionsanzeige");
    describe(positionField, "Ein Ausrufezeichen heißt: Die Position ist belegt.");
    vertexPositionSpinner =
        makeStepArrows(editorToolsGroup, "UpDown4", {152, 24, 17, 25}, 0, 14, 0, "Position");
    describe(vertexPositionSpinner, "Rasterfeld 0 bis 14 für den nächsten Knoten", positionLabel);
    delPosButton =
        makeGlyphButton(editorToolsGroup, "BitBtn11", GlyphKind::None, {8, 56, 97, 25}, "DelPos");
    // Undo and redo at the right end of the v1/v2 row; they hide with their group.
    const auto makeHistoryButton = [this](const char* name, QStyle::StandardPixmap arrow, int left,
                                          const QString& accessibleName) {
        auto* button = new QToolButton(editorToolsGroup);
        button->setObjectName(name);
        button->setGeometry(left, 88, 25, 25);
        button->setIcon(style()->standardIcon(arrow));
        button->setAccessibleName(accessibleName);
        button->setToolTip(accessibleName);
        button->setEnabled(false);
        return button;
    };
    undoButton = makeHistoryButton("ButtonUndo", QStyle::SP_ArrowBack, 216, "Rückgängig");
    redoButton = makeHistoryButton("ButtonRedo", QStyle::SP_ArrowForward, 246, "Wiederholen");
    describe(delPosButton, "Beendet das Setzen der Knoten; danach lassen sich Kanten ziehen");
    // Hidden as the window starts; the position spinner and DelPos hide only
    // through their group.
    setEditorToolsVisible(false);
    vertexPositionSpinner->setVisible(true);
    delPosButton->setVisible(true);

    // Group "Algorithmus".
    cliqueListBox = new QListWidget(algorithmGroup);
    cliqueListBox->setObjectName("ListBox1");
    cliqueListBox->setAccessibleName("Gefundene Cliquen");
    cliqueListBox->setGeometry(8, 48, 201, 441);
    cliqueListBox->setFont(courierFont(16));
    cliqueListBox->setUniformItemSizes(true);
    cliqueListBox->setItemDelegate(new FixedRowHeight(18, cliqueListBox));
    {
        QPalette palette = cliqueListBox->palette();
        palette.setColor(QPalette::Base, Colours::Navy);
        palette.setColor(QPalette::Text, Colours::Yellow);
        cliqueListBox->setPalette(palette);
    }
    cliqueListBox->installEventFilter(this);
    QLabel* listCaption =
        makeText(algorithmGroup, "StaticText4", {8, 24, 166, 21},
                 "Gefundene Cliquen:", courierFont(15, false, true), Colours::Red);
    describe(cliqueListBox, "Eine gewählte Clique wird im Bild des Graphen hervorgehoben.",
             listCaption);
    QGroupBox* sortGroup =
        makeGroup(algorithmGroup, "GroupBox3", {216, 376, 361, 137}, "Sortierparameter");
    computeButton = makeGlyphButton(algorithmGroup, "BitBtn6", GlyphKind::Ok, {216, 320, 361, 33},
                                    "Berechnen!");
    computeButton->setFont(courierFont(15, true));
    setTextColour(computeButton, Colours::Red);
    describe(computeButton, "Sucht von jedem Knoten aus gierig nach Cliquen");
    QGroupBox* decisionGroup =
        makeGroup(algorithmGroup, "GroupBox5", {216, 16, 361, 289}, "Mandorin");
    saveButton = makeGlyphButton(algorithmGroup, "BitBtn9", GlyphKind::Retry, {64, 496, 97, 25},
                                 "Speichern");
    describe(saveButton, "Speichert die Liste der gefundenen Cliquen als Text-Datei");

    // Group "Sortierparameter".
    QGroupBox* lampGroup = makeGroup(sortGroup, "GroupBox4", {152, 16, 201, 105}, "Verwendung");
    removeRepeatsButton = makeButton(sortGroup, "Button3", {8, 24, 137, 25}, "Redundanz vermeiden");
    ascendingButton = makeButton(sortGroup, "Button4", {8, 56, 137, 25}, "Aufsteigend");
    descendingButton = makeButton(sortGroup, "Button5", {8, 88, 137, 25}, "Absteigend");
    for (QPushButton* button : {removeRepeatsButton, ascendingButton, descendingButton})
        button->setEnabled(false);
    describe(removeRepeatsButton, "Entfernt doppelte Cliquen aus der Liste");
    describe(ascendingButton, "Sortiert die Cliquen nach Größe, die kleinsten zuerst");
    describe(descendingButton, "Sortiert die Cliquen nach Größe, die größten zuerst");

    // Group "Verwendung". The lamps are named by their captions; "Lampe"
    // tells them from the buttons of the same words.
    const Lamp::StateTexts applied{{Colours::Green, "angewendet"},
                                   {Colours::Red, "nicht angewendet"}};
    repeatsLamp =
        makeLamp(lampGroup, "Shape1", {8, 24, 17, 17}, "Lampe Redundanzvermeidung", applied);
    ascendingLamp = makeLamp(lampGroup, "Shape2", {8, 48, 17, 17}, "Lampe Aufsteigend", applied);
    descendingLamp = makeLamp(lampGroup, "Shape3", {8, 72, 17, 17}, "Lampe Absteigend", applied);
    makeText(lampGroup, "StaticText7", {32, 24, 144, 18}, "Redundanzvermeidung ", panelFont)
        ->setBuddy(repeatsLamp);
    makeText(lampGroup, "StaticText8", {32, 48, 81, 18}, "Aufsteigend", panelFont)
        ->setBuddy(ascendingLamp);
    makeText(lampGroup, "StaticText9", {32, 72, 74, 18}, "Absteigend", panelFont)
        ->setBuddy(descendingLamp);

    // Group "Mandorin": the decision question.
    makeText(decisionGroup, "StaticText5", {8, 24, 180, 26},
             "Mandorin:", courierFont(19, true, true), Colours::Red);
    QLabel* kCaption =
        makeText(decisionGroup, "StaticText6", {8, 96, 32, 31}, "k=", courierFont(24, true));
    kField = makeOutputField(decisionGroup, "Edit1", {48, 88, 41, 35}, "1", courierFont(24),
                             "k-Anzeige");
    kSpinner = makeStepArrows(decisionGroup, "UpDown1", {96, 88, 25, 33}, 1, 15, 1, "k");
    describe(kSpinner, "Mindestgröße einer Clique", kCaption);
    QGroupBox* outputGroup = makeGroup(decisionGroup, "GroupBox6", {8, 176, 345, 105}, "Ausgabe");
    answerButton = makeGlyphButton(decisionGroup, "BitBtn7", GlyphKind::Ok, {32, 136, 305, 33},
                                   "Beantworten!");
    answerButton->setFont(courierFont(15, true));
    setTextColour(answerButton, Colours::Red);
    describe(answerButton, "Beantwortet, ob es eine Clique mit mindestens k Knoten gibt");
    answerButton->setEnabled(false);
    makeText(decisionGroup, "StaticText12", {8, 56, 238, 21},
             "Mindestgröße einer Clique:", courierFont(15));

    // Group "Ausgabe".
    QLabel* largestCaption = makeText(outputGroup, "StaticText10", {8, 72, 164, 22},
                                      "Maximale Clique:", courierFont(16));
    QLabel* existenceCaption =
        makeText(outputGroup, "StaticText11", {8, 32, 94, 22}, "Existenz:", courierFont(16));
    existenceField = makeOutputField(outputGroup, "Edit2", {104, 24, 65, 26}, QString(),
                                     courierFont(16), "Existenz");
    describe(existenceField, "Gibt es eine Clique mit mindestens k Knoten? Ja oder Nein",
             existenceCaption);
    largestCliqueField = makeOutputField(outputGroup, "Edit3", {176, 64, 65, 26}, QString(),
                                         courierFont(16), "Maximale Clique");
    describe(largestCliqueField, "Größe der größten gefundenen Clique", largestCaption);

    // The exact analysis, beside the greedy search, in the bottom row.
    exactAnalysisButton =
        makeGlyphButton(panel, "ButtonExact", GlyphKind::None, {8, 592, 145, 25}, "Exakte Analyse");
    // The step-by-step play of both searches beside it.
    stepPlayButton = makeGlyphButton(panel, "ButtonSteps", GlyphKind::None, {161, 592, 145, 25},
                                     "Schritt für Schritt");
    // Choosing and checking cliques oneself, beside the play.
    tryButton = makeGlyphButton(panel, "ButtonTry", GlyphKind::None, {314, 592, 129, 25},
                                "Selbst probieren");
    describe(tryButton, "Cliquen im Bild selbst wählen, prüfen lassen und Aufgaben lösen");
    // Why the problem is hard: the reduction from 3-SAT and measured growth.
    hardnessButton =
        makeGlyphButton(panel, "ButtonHard", GlyphKind::None, {451, 592, 125, 25}, "Warum schwer?");

    orderTabsByRows(this);
}

void MainWindow::connectHandlers() {
    connect(graphChoice, &ChoiceGroup::choiceChanged, this, &MainWindow::chooseGraph);
    connect(resetButton, &QPushButton::clicked, this, &MainWindow::resetAll);
    connect(helpButton, &QPushButton::clicked, this, &MainWindow::helpRequested);
    connect(versionButton, &QPushButton::clicked, this, &MainWindow::versionRequested);
    connect(heuristicButton, &QPushButton::clicked, this, &MainWindow::heuristicRequested);
    connect(exactAnalysisButton, &QPushButton::clicked, this, &MainWindow::exactAnalysisRequested);
    connect(stepPlayButton, &QPushButton::clicked, this, &MainWindow::stepPlayRequested);
    connect(tryButton, &QPushButton::clicked, this, &MainWindow::tryRequested);
    connect(hardnessButton, &QPushButton::clicked, this, &MainWindow::hardnessRequested);

    connect(computeButton, &QPushButton::clicked, this, &MainWindow::computeCliques);
    connect(removeRepeatsButton, &QPushButton::clicked, this, &MainWindow::removeRepeatedCliques);
    connect(ascendingButton, &QPushButton::clicked, this, &MainWindow::sortAscending);
    connect(descendingButton, &QPushButton::clicked, this, &MainWindow::sortDescending);
    connect(saveButton, &QPushButton::clicked, this, &MainWindow::saveCliqueList);
    connect(kSpinner, &StepArrows::stepped, this, &MainWindow::showK);
    connect(answerButton, &QPushButton::clicked, this, &MainWindow::answerDecision);

    connect(vertexPositionSpinner, &StepArrows::stepped, this, &MainWindow::showVertexPosition);
    connect(vertexButton, &QPushButton::clicked, this, &MainWindow::addVertex);
    connect(delPosButton, &QPushButton::clicked, this, &MainWindow::finishPlacing);
    connect(v1Spinner, &StepArrows::stepped, this, &MainWindow::showV1);
    connect(v2Spinner, &StepArrows::stepped, this, &MainWindow::showV2);
    connect(edgeButton, &QPushButton::clicked, this, &MainWindow::joinVertices);
    connect(exportButton, &QPushButton::clicked, this, &MainWindow::exportGraph);
    connect(importButton, &QPushButton::clicked, this, &MainWindow::importGraph);
    connect(openButton, &QPushButton::clicked, this, &MainWindow::openGraph);
    connect(saveDimacsButton, &QPushButton::clicked, this, &MainWindow::saveDimacs);
    connect(undoButton, &QToolButton::clicked, this, &MainWindow::undoStep);
    connect(redoButton, &QToolButton::clicked, this, &MainWindow::redoStep);
    connect(m_history, &QUndoStack::indexChanged, this, &MainWindow::showHistory);
    const std::pair<QKeySequence, void (MainWindow::*)()> historyKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::undoStep},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::redoStep},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::redoStep}};
    for (const auto& [keys, step] : historyKeys)
        connect(new QShortcut(keys, this), &QShortcut::activated, this, step);

    // The highlight hears of a change after the handler that made it.
    connect(graphChoice, &ChoiceGroup::choiceChanged, m_highlighter,
            &CliqueHighlighter::graphChosen);
    connect(importButton, &QPushButton::clicked, m_highlighter, &CliqueHighlighter::importStarted);
    // The clique search refills the list after dropping isolated vertices.
    connect(cliqueListBox->model(), &QAbstractItemModel::rowsInserted, m_highlighter,
            &CliqueHighlighter::checkGraph);
    connect(cliqueListBox->model(), &QAbstractItemModel::modelReset, m_highlighter,
            &CliqueHighlighter::checkGraph);
    connect(cliqueListBox, &QListWidget::currentRowChanged, this, &MainWindow::chooseCliqueRow);
    connect(this, &MainWindow::graphChanged, this, &MainWindow::describePicture);
    connect(graphPicture, &PictureArea::pictureReplaced, this, &MainWindow::describePicture);
    connect(cliqueListBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseCliqueRow(cliqueListBox->row(item)); });
}

bool MainWindow::loadPicture(const QString& fileName) {
    QString problem;
    const QImage picture = readPicture(fileName, &problem);
    if (picture.isNull()) {
        dialogs().message(this, Texts::FehlerCaption, problem);
        return false;
    }
    graphPicture->setPicture(picture);
    return true;
}

bool MainWindow::loadSampleGraph(int k) {
    if (!loadPicture(programDirectory() + QString::fromLatin1(sampleGraph(k).pictureFile)))
        return false;
    appendSampleGraph(m_store, k);
    return true;
}

void MainWindow::setUpInitialGraph() {
    seedRandomFromClock();
    const QString iconFile = programDirectory() + "icon.ico";
    const QIcon icon(iconFile);
    if (icon.isNull() || icon.availableSizes().isEmpty())
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotLoadPicture(iconFile));
    else
        QApplication::setWindowIcon(icon);
    m_grid.fillCoordinates();
    m_grid.reset();
    // A missing picture is reported; the graph is loaded all the same so the
    // program stays usable.
    if (!loadSampleGraph(1))
        appendSampleGraph(m_store, 1);
    m_store.refreshCounts();
    describePicture();
}

void MainWindow::refreshGraphCounts() {
    m_store.refreshCounts();
}

int MainWindow::decisionK() const {
    return kSpinner->position();
}

void MainWindow::setLamps(const QColor& repeats, const QColor& ascending,
                          const QColor& descending) {
    repeatsLamp->setColour(repeats);
    ascendingLamp->setColour(ascending);
    descendingLamp->setColour(descending);
}

void MainWindow::showCliqueList() {
    cliqueListBox->clear();
    QStringList texts;
    texts.reserve(m_cliques.size());
    for (const Clique& clique : m_cliques)
        texts.append(cliqueDisplayText(clique));
    cliqueListBox->addItems(texts);
}

void MainWindow::describePicture() {
    graphPicture->setAccessibleDescription(
        graphPicture->isEmpty()
            ? QStringLiteral("leer")
            : graphDescription(m_store.vertices.count(), m_store.edges.count()));
}

void MainWindow::chooseCliqueRow(int row) {
    // The list box shows the texts of the clique list one for one.
    if (row < 0 || row >= m_cliques.size() || row >= cliqueListBox->count())
        return;
    highlightClique(m_cliques[row]);
    emit cliqueChosen(m_cliques[row]);
}

std::optional<VertexPositions> MainWindow::vertexPositions() const {
    return m_highlighter->positions();
}

bool MainWindow::highlightClique(const Clique& clique) {
    return m_highlighter->highlight(clique);
}

bool MainWindow::showColouring(const QList<QList<QByteArray>>& classes) {
    return m_highlighter->showColouring(classes);
}

void MainWindow::clearHighlight() {
    m_highlighter->clear();
}

void MainWindow::showPlayOverlay(const QImage& overlay) {
    graphPicture->setPlayOverlay(overlay);
}

void MainWindow::clearPlayOverlay() {
    graphPicture->clearPlayOverlay();
}

void MainWindow::showComplementOverlay(const QImage& overlay) {
    graphPicture->setComplementOverlay(overlay);
}

void MainWindow::clearComplementOverlay() {
    graphPicture->clearComplementOverlay();
}

void MainWindow::showChoiceOverlay(const QImage& overlay) {
    graphPicture->setChoiceOverlay(overlay);
}

void MainWindow::clearChoiceOverlay() {
    graphPicture->clearChoiceOverlay();
}

QSize MainWindow::pictureSize() const {
    return graphPicture->size();
}

QImage MainWindow::shownPicture() const {
    return graphPicture->shownPicture();
}

QList<QRect> MainWindow::areasToKeepClear() const {
    return {screenGeometry(graphPicture), screenGeometry(computeButton)};
}

const QImage& MainWindow::picture() const {
    return graphPicture->picture();
}

void MainWindow::setPictureClicksWanted(bool wanted) {
    m_pictureClicksWanted = wanted;
    if (wanted)
        graphPicture->setCursor(Qt::PointingHandCursor);
    else
        graphPicture->unsetCursor();
}

void MainWindow::setEditorToolsVisible(bool visible) {
    for (QWidget* tool : std::initializer_list<QWidget*>{
             editorToolsGroup, vertexButton, edgeButton, importButton, exportButton, openButton,
             saveDimacsButton, delPosButton, v1Label, positionLabel, v2Label, v1Field, v2Field,
             positionField, v1Spinner, v2Spinner, vertexPositionSpinner})
        tool->setVisible(visible);
}

void MainWindow::chooseGraph() {
    // Leaving the editor, or entering it afresh, ends its history.
    m_history->clear();
    showHistory();
    m_store.clear();
    m_cliques.clear();
    cliqueListBox->clear();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    const int item = graphChoice->itemIndex();
    if (item == 2) {
        enterEditorMode();
    } else if ((item == 0 || item == 1) && loadSampleGraph(item + 1)) {
        setEditorToolsVisible(false);
        m_store.refreshCounts();
    }
    emit graphChanged();
}

void MainWindow::resetAll() {
    graphChoice->setItemIndex(-1);
    graphPicture->clear();
    cliqueListBox->clear();
    for (QPushButton* button : {removeRepeatsButton, ascendingButton, descendingButton})
        button->setEnabled(false);
    kField->setText("1");
    kSpinner->setPosition(1);
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    existenceField->clear();
    largestCliqueField->clear();
    answerButton->setEnabled(false);
    setEditorToolsVisible(false);
    v1Field->setText("0");
    v2Field->setText("0");
    v1Spinner->setPosition(0);
    v2Spinner->setPosition(0);
    m_store.clear();
    m_cliques.clear();
    m_history->clear();
    showHistory();
    emit graphChanged();
}

namespace {

// The one local file a drag carries, if it carries exactly one.
std::optional<QString> droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 ||
        !mime->urls().front().isLocalFile())
        return std::nullopt;
    return mime->urls().front().toLocalFile();
}

} // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == graphPicture &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<QString> file = droppedFile(drop->mimeData());
        // Only the editor takes graphs.
        if (!file || graphChoice->itemIndex() != 2) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            openGraphFromFile(*file);
        return true;
    }
    if (watched == graphPicture && event->type() == QEvent::MouseButtonPress &&
        m_pictureClicksWanted) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            emit pictureClicked(press->position().toPoint());
        return true;
    }
    if (watched == cliqueListBox && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Enter goes to the default button before the list sees a character.
        if ((keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) &&
            pressDefaultButton())
            return true;
        // The list only displays: typed characters are dropped. Tab and
        // Escape are no typing; kept from the window, Tab would trap the
        // keyboard in the list.
        const bool leaving = keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab ||
                             keyEvent->key() == Qt::Key_Escape;
        if (!keyEvent->text().isEmpty() && !leaving)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::pressDefaultButton() {
    // "Berechnen!" comes first when both default buttons are enabled.
    for (QPushButton* button : {computeButton, answerButton}) {
        if (button->isEnabled() && button->isVisible()) {
            button->click();
            return true;
        }
    }
    return false;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter presses a default button when the focus is not on a button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !qobject_cast<QPushButton*>(focusWidget()) && pressDefaultButton())
        return;
    QWidget::keyPressEvent(event);
}
