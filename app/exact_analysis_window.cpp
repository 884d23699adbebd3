#include "app/exact_analysis_window.h"

#include "app/main_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QShowEvent>
#include <QSignalBlocker>

namespace {

const QString kHighlightHint =
    "Ein Klick auf eine Clique, hier oder in „Gefundene Cliquen“, hebt sie im Bild des "
    "Hauptfensters hervor.";
const QString kPositionsUnknown =
    "Hervorheben im Bild braucht bekannte Knotenpositionen (Beispiel-Graph oder im Editor "
    "erstellt); für diesen Graphen sind sie unbekannt.";
const QString kGraphChanged =
    "Der Graph hat sich seit der Analyse geändert: „Aktualisieren“ zeigt seine Cliquen.";
const QString kWhyHint = "Ein Klick begründet, warum keine Clique mehr Knoten hat als die "
                         "Cliquenzahl.";
const QString kColouringUnseen =
    " Das Bild kann die Färbung nicht zeigen: Die Knotenpositionen dieses Graphen sind unbekannt.";

} // namespace

ExactAnalysisWindow::ExactAnalysisWindow(MainWindow& mainWindow, QWidget* parent)
    : QWidget(parent), m_mainWindow(mainWindow) {
    setObjectName("FormExact");
    buildLayout();
    connect(&m_mainWindow, &MainWindow::exactAnalysisRequested, this,
            &ExactAnalysisWindow::openFresh);
    connect(refreshButton, &QPushButton::clicked, this, &ExactAnalysisWindow::refresh);
    connect(cancelButton, &QPushButton::clicked, this, &ExactAnalysisWindow::cancel);
    connect(whyButton, &QPushButton::clicked, this, &ExactAnalysisWindow::explainCliqueNumber);
    connect(&m_runner, &ExactAnalysisRunner::progressed, this, &ExactAnalysisWindow::progressed);
    connect(&m_runner, &ExactAnalysisRunner::finished, this, &ExactAnalysisWindow::showAnalysis);
    connect(&m_mainWindow, &MainWindow::graphChanged, this, &ExactAnalysisWindow::graphChanged);
    m_ticker.setInterval(200);
    connect(&m_ticker, &QTimer::timeout, this, &ExactAnalysisWindow::showProgress);
    connect(cliqueTable, &QTableWidget::cellClicked, this,
            [this](int row, int) { chooseClique(row); });
    connect(cliqueTable, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { chooseClique(row); });
}

void ExactAnalysisWindow::buildLayout() {
    setUpWindow(this, "Mandorin: Exakte Analyse", 240, 140, 560, 888);

    QFrame* panel = makePanel(this, "Panel1", {0, 0, 544, 850});
    panel->setFont(courierFont(11));

    makeText(panel, "LabelTitle", {8, 8, 528, 24}, "Exakte Analyse des aktuellen Graphen",
             courierFont(17, true, true), Colours::Red);
    QLabel* cliqueNumberCaption = makeText(panel, "LabelCliqueNumber", {8, 42, 400, 22},
                                           "Cliquenzahl (größte Clique):", courierFont(15));
    cliqueNumberField = makeOutputField(panel, "EditCliqueNumber", {416, 38, 65, 26}, QString(),
                                        courierFont(16), "Cliquenzahl");
    describe(cliqueNumberField, "Größe der größten Clique des Graphen", cliqueNumberCaption);
    QLabel* tableCaption = makeText(panel, "LabelMaximal", {8, 74, 528, 22},
                                    "Maximale Cliquen, größte zuerst:", courierFont(15));

    cliqueTable = new QTableWidget(0, 2, panel);
    cliqueTable->setObjectName("TableCliques");
    cliqueTable->setAccessibleName("Maximale Cliquen");
    describe(cliqueTable,
             "Jede maximale Clique und ob die gierige Suche sie gefunden hat; eine gewählte "
             "Clique wird im Hauptfenster hervorgehoben.",
             tableCaption);
    cliqueTable->setGeometry(8, 98, 528, 238);
    cliqueTable->setFont(courierFont(15));
    cliqueTable->setHorizontalHeaderLabels({"Clique", "In „Gefundene Cliquen“"});
    cliqueTable->horizontalHeader()->setFont(courierFont(12, true));
    cliqueTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    cliqueTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    cliqueTable->setColumnWidth(1, 200);
    cliqueTable->verticalHeader()->hide();
    cliqueTable->verticalHeader()->setDefaultSectionSize(20);
    cliqueTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cliqueTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    cliqueTable->setSelectionMode(QAbstractItemView::SingleSelection);
    {
        QPalette palette = cliqueTable->palette();
        palette.setColor(QPalette::Base, Colours::Navy);
        palette.setColor(QPalette::Text, Colours::Yellow);
        cliqueTable->setPalette(palette);
    }
    // Below the analysis, one column wide, so that the window fits beside the
    // main window: why there is no larger clique.
    whyButton = makeButton(panel, "ButtonWhyNotLarger", {8, 572, 220, 26}, "Warum nicht größer?");
    whyButton->setEnabled(false);
    whyLabel = makeText(panel, "LabelWhy", {8, 604, 528, 96}, kWhyHint, courierFont(13));
    whyLabel->setWordWrap(true);
    whyLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    branchTable = new QTableWidget(0, 3, panel);
    branchTable->setObjectName("TableBranches");
    branchTable->setAccessibleName("Zweige der Suche je Tiefe");
    branchTable->setGeometry(8, 704, 528, 106);
    branchTable->setFont(courierFont(12));
    branchTable->setHorizontalHeaderLabels(branchTableHeader());
    branchTable->horizontalHeader()->setFont(courierFont(11, true));
    branchTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    branchTable->verticalHeader()->hide();
    branchTable->verticalHeader()->setDefaultSectionSize(20);
    branchTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    branchTable->hide();

    countLabel = makeText(panel, "LabelCount", {8, 340, 528, 22}, QString(), courierFont(13));

    QGroupBox* decisionGroup =
        makeGroup(panel, "GroupDecision", {8, 366, 528, 90}, "Entscheidungsfrage, exakt");
    questionLabel =
        makeText(decisionGroup, "LabelQuestion", {8, 22, 512, 22}, QString(), courierFont(15));
    answerField = makeOutputField(decisionGroup, "EditAnswer", {8, 52, 65, 26}, QString(),
                                  courierFont(16), "Antwort");
    describe(answerField, "Exakte Antwort auf die Entscheidungsfrage", questionLabel);
    QLabel* exampleCaption =
        makeText(decisionGroup, "LabelExample", {88, 56, 96, 22}, "Beispiel:", courierFont(15));
    exampleField = makeOutputField(decisionGroup, "EditExample", {184, 52, 336, 26}, QString(),
                                   courierFont(16), "Beispiel");
    describe(exampleField, "Eine Clique, die die Antwort belegt", exampleCaption);

    comparisonLabel =
        makeText(panel, "LabelComparison", {8, 462, 528, 66}, QString(), courierFont(13));
    comparisonLabel->setWordWrap(true);
    comparisonLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    highlightLabel =
        makeText(panel, "LabelHighlight", {8, 530, 528, 36}, QString(), courierFont(11));
    highlightLabel->setWordWrap(true);
    highlightLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    refreshButton = makeGlyphButton(panel, "ButtonRefresh", GlyphKind::Retry, {8, 818, 145, 25},
                                    "Aktualisieren");
    cancelButton =
        makeGlyphButton(panel, "ButtonCancel", GlyphKind::No, {161, 818, 120, 25}, "Abbrechen");
    cancelButton->setEnabled(false);
    makeGlyphButton(panel, "ButtonClose", GlyphKind::Close, {439, 818, 97, 25}, "S&chließen");

    orderTabsByRows(this);
}

void ExactAnalysisWindow::refresh() {
    // The run works on a copy; a run still going belongs to a graph that is
    // gone and is cancelled.
    m_vertices = m_mainWindow.graphStore().vertices;
    m_edges = m_mainWindow.graphStore().edges;
    m_runner.start(m_mainWindow.graphStore(), m_mainWindow.cliqueList(), m_mainWindow.decisionK());
    m_largestSoFar = Clique();
    cancelButton->setEnabled(true);
    whyButton->setEnabled(false);
    whyLabel->setText(kWhyHint);
    branchTable->hide();
    cliqueNumberField->setText(QStringLiteral("…"));
    for (QLineEdit* field : {answerField, exampleField})
        field->clear();
    comparisonLabel->clear();
    showProgress();
    m_ticker.start();
}

void ExactAnalysisWindow::cancel() {
    m_runner.cancel();
}

void ExactAnalysisWindow::progressed(const ExactProgress& progress) {
    m_largestSoFar = progress.largestClique;
    showProgress();
}

void ExactAnalysisWindow::showProgress() {
    if (!m_runner.isRunning())
        return;
    const QString seconds =
        QLocale(QLocale::German).toString(double(m_runner.elapsed()) / 1000.0, 'f', 1);
    countLabel->setText(m_largestSoFar.members.isEmpty()
                            ? QString("Die exakte Suche läuft seit %1 s …").arg(seconds)
                            : QString("Die exakte Suche läuft seit %1 s; größte Clique bisher: %2")
                                  .arg(seconds, displayText(m_largestSoFar.text())));
}

void ExactAnalysisWindow::showAnalysis(const ExactAnalysis& analysis) {
    m_ticker.stop();
    cancelButton->setEnabled(false);
    whyButton->setEnabled(true);
    m_analysis = analysis;
    cliqueNumberField->setText(cliqueNumberText(m_analysis));
    // Refilling moves the current cell; that is no choice of the user's.
    const QSignalBlocker quiet(cliqueTable);
    cliqueTable->clearContents();
    cliqueTable->setRowCount(int(m_analysis.maximalCliques.size()));
    for (int row = 0; row < m_analysis.maximalCliques.size(); ++row) {
        const MaximalCliqueEntry& entry = m_analysis.maximalCliques[row];
        cliqueTable->setItem(row, 0, new QTableWidgetItem(cliqueDisplayText(entry.clique)));
        cliqueTable->setItem(row, 1, new QTableWidgetItem(entry.inGreedyList ? "ja" : "nein"));
    }
    countLabel->setText(maximalCliqueCountText(m_analysis));
    questionLabel->setText(decisionQuestionText(m_analysis));
    answerField->setText(exactDecisionText(m_analysis));
    exampleField->setText(exampleText(m_analysis));
    comparisonLabel->setText(comparisonText(m_analysis));
    highlightLabel->setText(m_mainWindow.vertexPositions() ? kHighlightHint : kPositionsUnknown);
}

void ExactAnalysisWindow::graphChanged() {
    // A finished analysis stays until "Aktualisieren"; a running one would
    // only finish for a graph that is gone.
    if (m_runner.isRunning())
        refresh();
}

void ExactAnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void ExactAnalysisWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnEscape(this, event))
        QWidget::keyPressEvent(event);
}

void ExactAnalysisWindow::openFresh() {
    // showEvent refreshes a hidden window as it appears.
    if (isVisible())
        refresh();
    bringToFront(this);
}

bool ExactAnalysisWindow::showsCurrentGraph() const {
    return m_mainWindow.graphStore().vertices == m_vertices &&
           m_mainWindow.graphStore().edges == m_edges;
}

void ExactAnalysisWindow::explainCliqueNumber() {
    branchTable->hide();
    if (!showsCurrentGraph()) {
        m_mainWindow.clearHighlight();
        whyLabel->setText(kGraphChanged);
        return;
    }
    const CliqueNumberReason reason = ::explainCliqueNumber(m_mainWindow.graphStore(), m_analysis);
    QString text = reason.text;
    if (!reason.colourClasses.isEmpty() && !m_mainWindow.showColouring(reason.colourClasses))
        text += kColouringUnseen;
    whyLabel->setText(text);
    if (reason.levels.empty())
        return;
    branchTable->setRowCount(int(reason.levels.size()));
    for (std::size_t depth = 0; depth < reason.levels.size(); ++depth) {
        const QStringList row = branchTableRow(depth, reason.levels[depth]);
        for (int column = 0; column < row.size(); ++column) {
            auto* item = new QTableWidgetItem(row[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            branchTable->setItem(int(depth), column, item);
        }
    }
    branchTable->show();
}

void ExactAnalysisWindow::chooseClique(int row) {
    if (row < 0 || row >= m_analysis.maximalCliques.size())
        return;
    if (!showsCurrentGraph()) {
        // The list belongs to a graph that is gone; its cliques mean nothing there.
        m_mainWindow.clearHighlight();
        highlightLabel->setText(kGraphChanged);
        return;
    }
    const bool marked = m_mainWindow.highlightClique(m_analysis.maximalCliques[row].clique);
    highlightLabel->setText(marked ? kHighlightHint : kPositionsUnknown);
}
