#include "app/unit7.h"

#include "app/unit1.h"
#include "cliques/clique_highlight_drawing.h"

#include <QEvent>
#include <QHeaderView>
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

} // namespace

CliqueHighlighter::CliqueHighlighter(TForm1& form1, QObject* parent)
    : QObject(parent), m_form1(form1) {
    TImage* image = m_form1.Image1;
    connect(image, &TImage::pictureReplaced, this, &CliqueHighlighter::clear);
    // Every repaint checks first, so a stale mark is never shown.
    image->installEventFilter(this);
    connect(m_form1.RadioGroup1, &TRadioGroup::Click, this, &CliqueHighlighter::graphChosen);
    connect(m_form1.BitBtn4, &QPushButton::clicked, this, &CliqueHighlighter::importStarted);
    // The clique search refills the list after dropping isolated vertices.
    connect(m_form1.ListBox1->model(), &QAbstractItemModel::rowsInserted, this,
            &CliqueHighlighter::checkGraph);
    connect(m_form1.ListBox1->model(), &QAbstractItemModel::modelReset, this,
            &CliqueHighlighter::checkGraph);
    connect(m_form1.ListBox1, &QListWidget::currentRowChanged, this,
            &CliqueHighlighter::ListBox1RowChosen);
    connect(m_form1.ListBox1, &QListWidget::itemClicked, this,
            &CliqueHighlighter::ListBox1ItemClicked);
}

CliqueHighlighter::GraphState CliqueHighlighter::currentState() const {
    return {m_form1.vertices, m_form1.edges, m_form1.RadioGroup1->itemIndex()};
}

std::optional<VertexPositions> CliqueHighlighter::positions() const {
    const int item = m_form1.RadioGroup1->itemIndex();
    switch (item) {
    case 0:
    case 1:
        return sampleGraphPositions(m_form1.Store, item + 1);
    case 2:
        if (m_imported)
            return std::nullopt;
        return editorPositions(m_form1.Store, m_form1.Grid);
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
    const ExactGraph graph = buildExactGraph(m_form1.Store);
    QList<QLine> edges;
    for (qsizetype i = 0; i < clique.members.size(); ++i) {
        const int a = int(graph.labels.indexOf(clique.members[i]));
        for (qsizetype j = i + 1; j < clique.members.size(); ++j) {
            const int b = int(graph.labels.indexOf(clique.members[j]));
            if (a >= 0 && b >= 0 && graph.adjacent(a, b))
                edges.append(QLine(centres[i], centres[j]));
        }
    }
    m_form1.Image1->setOverlay(
        drawCliqueHighlight(m_form1.Image1->size(), centres, known->radius, edges));
    m_markedState = currentState();
    return true;
}

void CliqueHighlighter::clear() {
    m_form1.Image1->clearOverlay();
}

bool CliqueHighlighter::isShown() const {
    return !m_form1.Image1->overlay().isNull();
}

void CliqueHighlighter::checkGraph() {
    if (isShown() && !(currentState() == m_markedState))
        clear();
}

bool CliqueHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form1.Image1 && event->type() == QEvent::Paint)
        checkGraph();
    return QObject::eventFilter(watched, event);
}

void CliqueHighlighter::graphChosen() {
    m_imported = false;
    checkGraph();
}

void CliqueHighlighter::importStarted() {
    m_imported = true;
    checkGraph();
}

void CliqueHighlighter::ListBox1RowChosen(int row) {
    // ListBox1 shows the texts of the clique list one for one.
    if (row < 0 || row >= m_form1.Cliques.size() || row >= m_form1.ListBox1->count())
        return;
    highlight(m_form1.Cliques[row]);
}

void CliqueHighlighter::ListBox1ItemClicked(QListWidgetItem* item) {
    ListBox1RowChosen(m_form1.ListBox1->row(item));
}

TFormExact::TFormExact(TForm1& form1, QWidget* parent)
    : QWidget(parent), Highlighter(form1), m_form1(form1) {
    setObjectName("FormExact");
    buildLayout();
    connect(ButtonRefresh, &QPushButton::clicked, this, &TFormExact::ButtonRefreshClick);
    connect(TableCliques, &QTableWidget::cellClicked, this, &TFormExact::TableCliquesCellClicked);
    connect(TableCliques, &QTableWidget::currentCellChanged, this,
            &TFormExact::TableCliquesCurrentCellChanged);
}

void TFormExact::buildLayout() {
    setUpWindow(this, "Mandorin: Exakte Analyse", 240, 140, 560, 640);
    setAutoFillBackground(true);

    Panel1 = makePanel(this, "Panel1", {0, 0, 544, 602});
    Panel1->setFont(courierFont(11));

    LabelTitle =
        makeText(Panel1, "LabelTitle", {8, 8, 528, 24}, "Exakte Analyse des aktuellen Graphen",
                 courierFont(17, true, true), Colours::Red);
    LabelCliqueNumber = makeText(Panel1, "LabelCliqueNumber", {8, 42, 400, 22},
                                 "Cliquenzahl (größte Clique):", courierFont(15));
    EditCliqueNumber =
        makeEdit(Panel1, "EditCliqueNumber", {416, 38, 65, 26}, QString(), courierFont(16));
    LabelMaximal = makeText(Panel1, "LabelMaximal", {8, 74, 528, 22},
                            "Maximale Cliquen, größte zuerst:", courierFont(15));

    TableCliques = new QTableWidget(0, 2, Panel1);
    TableCliques->setObjectName("TableCliques");
    TableCliques->setGeometry(8, 98, 528, 238);
    TableCliques->setFont(courierFont(15));
    TableCliques->setHorizontalHeaderLabels({"Clique", "In „Gefundene Cliquen“"});
    TableCliques->horizontalHeader()->setFont(courierFont(12, true));
    TableCliques->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    TableCliques->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    TableCliques->setColumnWidth(1, 200);
    TableCliques->verticalHeader()->hide();
    TableCliques->verticalHeader()->setDefaultSectionSize(20);
    TableCliques->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableCliques->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableCliques->setSelectionMode(QAbstractItemView::SingleSelection);
    {
        QPalette palette = TableCliques->palette();
        palette.setColor(QPalette::Base, Colours::Navy);
        palette.setColor(QPalette::Text, Colours::Yellow);
        TableCliques->setPalette(palette);
    }

    LabelCount = makeText(Panel1, "LabelCount", {8, 340, 528, 22}, QString(), courierFont(13));

    GroupDecision =
        makeGroup(Panel1, "GroupDecision", {8, 366, 528, 90}, "Entscheidungsfrage, exakt");
    LabelQuestion =
        makeText(GroupDecision, "LabelQuestion", {8, 22, 512, 22}, QString(), courierFont(15));
    EditAnswer = makeEdit(GroupDecision, "EditAnswer", {8, 52, 65, 26}, QString(), courierFont(16));
    LabelExample =
        makeText(GroupDecision, "LabelExample", {88, 56, 96, 22}, "Beispiel:", courierFont(15));
    EditExample =
        makeEdit(GroupDecision, "EditExample", {184, 52, 336, 26}, QString(), courierFont(16));

    LabelComparison =
        makeText(Panel1, "LabelComparison", {8, 462, 528, 66}, QString(), courierFont(13));
    LabelComparison->setWordWrap(true);
    LabelComparison->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelHighlight =
        makeText(Panel1, "LabelHighlight", {8, 530, 528, 36}, QString(), courierFont(11));
    LabelHighlight->setWordWrap(true);
    LabelHighlight->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ButtonRefresh =
        makeBitBtn(Panel1, "ButtonRefresh", GlyphKind::Retry, {8, 570, 145, 25}, "Aktualisieren");
    ButtonClose =
        makeBitBtn(Panel1, "ButtonClose", GlyphKind::Close, {439, 570, 97, 25}, "S&chließen");
}

void TFormExact::refresh() {
    m_analysis = analyseExactly(m_form1.Store, m_form1.Cliques, m_form1.UpDown1->position());
    m_vertices = m_form1.vertices;
    m_edges = m_form1.edges;

    EditCliqueNumber->setText(cliqueNumberText(m_analysis));
    // Refilling moves the current cell; that is no choice of the user's.
    const QSignalBlocker quiet(TableCliques);
    TableCliques->clearContents();
    TableCliques->setRowCount(int(m_analysis.maximalCliques.size()));
    for (int row = 0; row < m_analysis.maximalCliques.size(); ++row) {
        const MaximalCliqueEntry& entry = m_analysis.maximalCliques[row];
        TableCliques->setItem(row, 0, new QTableWidgetItem(displayText(entry.clique.text())));
        TableCliques->setItem(row, 1, new QTableWidgetItem(entry.inGreedyList ? "ja" : "nein"));
    }
    LabelCount->setText(maximalCliqueCountText(m_analysis));
    LabelQuestion->setText(decisionQuestionText(m_analysis));
    EditAnswer->setText(exactDecisionText(m_analysis));
    EditExample->setText(exampleText(m_analysis));
    LabelComparison->setText(comparisonText(m_analysis));
    LabelHighlight->setText(Highlighter.positions() ? kHighlightHint : kPositionsUnknown);
}

void TFormExact::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void TFormExact::ButtonExactClick() {
    // showEvent refreshes a hidden window as it appears.
    if (isVisible())
        refresh();
    bringToFront(this);
}

void TFormExact::ButtonRefreshClick() {
    refresh();
}

void TFormExact::TableCliquesRowChosen(int row) {
    if (row < 0 || row >= m_analysis.maximalCliques.size())
        return;
    if (m_form1.vertices != m_vertices || m_form1.edges != m_edges) {
        // The list belongs to a graph that is gone; its cliques mean nothing there.
        Highlighter.clear();
        LabelHighlight->setText(kGraphChanged);
        return;
    }
    const bool marked = Highlighter.highlight(m_analysis.maximalCliques[row].clique);
    LabelHighlight->setText(marked ? kHighlightHint : kPositionsUnknown);
}

void TFormExact::TableCliquesCellClicked(int row, int) {
    TableCliquesRowChosen(row);
}

void TFormExact::TableCliquesCurrentCellChanged(int row, int, int, int) {
    TableCliquesRowChosen(row);
}

void AttachExactAnalysis(TForm1& form1, TFormExact& window) {
    form1.ButtonExact = makeBitBtn(form1.Panel1, "ButtonExact", GlyphKind::None, {8, 592, 145, 25},
                                   "Exakte Analyse");
    QObject::connect(form1.ButtonExact, &QPushButton::clicked, &window,
                     &TFormExact::ButtonExactClick);
}
