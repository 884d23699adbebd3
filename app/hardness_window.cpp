#include "app/hardness_window.h"

#include "app/growth_charts.h"
#include "app/main_window.h"
#include "cliques/hardness/reduction_drawing.h"
#include "files/file_access.h"
#include "graph/sample_graphs.h"

#include <QBuffer>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>

namespace {

const QString kNoGraphYet = "Noch kein Graph: „Graph bauen“ zeichnet ihn.";
const QString kTakeOverHint = "Danach arbeiten „Berechnen!“, „Exakte Analyse“, „Schritt für "
                              "Schritt“ und „Selbst probieren“ im Hauptfenster auf diesem Graphen.";
const QString kProgressFormat = "%v von %m Graphen";

QSpinBox* makeSpin(QWidget* parent, const char* name, const QRect& geometry, int minimum,
                   int maximum, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setGeometry(geometry);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

// A caption left of its control, which screen readers then name by it.
QLabel* caption(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                QWidget* control) {
    QLabel* label = makeText(parent, name, geometry, text, courierFont(13));
    label->setBuddy(control);
    control->setAccessibleName(text.chopped(1));
    return label;
}

QLabel* wrappedText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                    const QFont& font) {
    QLabel* label = makeText(parent, name, geometry, text, font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

HardnessWindow::HardnessWindow(MainWindow& mainWindow, QWidget* parent)
    : QWidget(parent), m_mainWindow(mainWindow) {
    setObjectName("FormHardness");
    buildLayout();
    connect(&m_mainWindow, &MainWindow::hardnessRequested, this, &HardnessWindow::open);
    connect(buildButton, &QPushButton::clicked, this, &HardnessWindow::buildGraph);
    connect(formulaField, &QLineEdit::returnPressed, this, &HardnessWindow::buildGraph);
    connect(satisfiableButton, &QPushButton::clicked, this,
            &HardnessWindow::showSatisfiableExample);
    connect(unsatisfiableButton, &QPushButton::clicked, this,
            &HardnessWindow::showUnsatisfiableExample);
    connect(searchButton, &QPushButton::clicked, this, &HardnessWindow::searchClique);
    connect(takeOverButton, &QPushButton::clicked, this, &HardnessWindow::takeOverGraph);

    connect(measureButton, &QPushButton::clicked, this, &HardnessWindow::measureGrowth);
    connect(cancelButton, &QPushButton::clicked, this, &HardnessWindow::cancelMeasurement);
    connect(csvButton, &QPushButton::clicked, this, &HardnessWindow::saveCsv);
    connect(imageButton, &QPushButton::clicked, this, &HardnessWindow::saveImage);
    connect(&m_runner, &GrowthRunner::measured, this, &HardnessWindow::addRow);
    connect(&m_runner, &GrowthRunner::finished, this, &HardnessWindow::measurementEnded);
    // "bis" never below "von".
    connect(fromSpin, &QSpinBox::valueChanged, toSpin, &QSpinBox::setMinimum);
}

void HardnessWindow::buildLayout() {
    setUpWindow(this, "Mandorin: Warum ist das Cliquenproblem schwer?", 120, 60, 976, 758);
    QFrame* panel = makePanel(this, "Panel1", {0, 0, 960, 720});
    panel->setFont(courierFont(12));

    tabs = new QTabWidget(panel);
    tabs->setObjectName("TabsHardness");
    tabs->setGeometry(8, 8, 944, 672);
    tabs->setFont(courierFont(13, true));
    auto* reductionPage = new QWidget;
    reductionPage->setObjectName("PageReduction");
    reductionPage->setFont(courierFont(12));
    buildReductionPage(reductionPage);
    tabs->addTab(reductionPage, "Von 3-SAT zur Clique");
    auto* growthPage = new QWidget;
    growthPage->setObjectName("PageGrowth");
    growthPage->setFont(courierFont(12));
    buildGrowthPage(growthPage);
    tabs->addTab(growthPage, "Wachstum");

    QPushButton* closeButton =
        makeGlyphButton(panel, "ButtonClose", GlyphKind::Close, {855, 688, 97, 25}, "S&chließen");
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    orderTabsByRows(this);
}

void HardnessWindow::buildReductionPage(QWidget* page) {
    formulaField = new QLineEdit(page);
    formulaField->setObjectName("EditFormula");
    formulaField->setGeometry(8, 32, 700, 28);
    formulaField->setFont(courierFont(16));
    QLabel* formulaCaption =
        makeText(page, "LabelFormula", {8, 8, 918, 20},
                 "Formel in konjunktiver Normalform (höchstens 3 Literale je Klausel, höchstens "
                 "8 Klauseln):",
                 courierFont(13));
    formulaCaption->setBuddy(formulaField);
    formulaField->setAccessibleName("Formel");
    buildButton =
        makeGlyphButton(page, "ButtonBuild", GlyphKind::Ok, {716, 32, 210, 28}, "Graph bauen");
    buildButton->setFont(courierFont(15, true));
    setTextColour(buildButton, Colours::Red);

    wrappedText(page, "LabelNotation", {8, 66, 560, 34},
                "Schreibweise: (a ∨ ¬b ∨ c) ∧ (¬a ∨ b) oder (a | !b | c) & (!a | b); "
                "auch „-b“ und „~b“ verneinen.",
                courierFont(12));
    satisfiableButton =
        makeButton(page, "ButtonExampleSatisfiable", {576, 68, 170, 25}, "Beispiel: erfüllbar");
    unsatisfiableButton =
        makeButton(page, "ButtonExampleUnsatisfiable", {756, 68, 170, 25}, "Beispiel: unerfüllbar");
    errorLabel = makeText(page, "LabelFormulaError", {8, 102, 918, 20}, QString(),
                          courierFont(13, true), Colours::Red);

    reductionPicture = new PictureArea(page);
    reductionPicture->setObjectName("ImageReduction");
    reductionPicture->setGeometry(8, 128, kSamplePictureWidth, kSamplePictureHeight);
    reductionPicture->setAccessibleName("Graph der Reduktion");
    clausesLabel =
        wrappedText(page, "LabelClauses", {576, 128, 350, 150}, kNoGraphYet, courierFont(14));
    searchButton =
        makeGlyphButton(page, "ButtonSearch", GlyphKind::Ok, {576, 286, 350, 28}, "Clique suchen");
    searchButton->setEnabled(false);
    describe(searchButton, "Sucht exakt eine größte Clique und liest daraus eine Belegung ab");
    resultLabel =
        wrappedText(page, "LabelResult", {576, 320, 350, 108}, QString(), courierFont(13, true));
    setTextColour(resultLabel, Colours::Navy);

    wrappedText(page, "LabelExplanation", {8, 436, 918, 60},
                "Ein Knoten je Literal jeder Klausel, in einer Spalte je Klausel. Eine Kante "
                "verbindet zwei Literale verschiedener Klauseln, außer das eine verneint das "
                "andere. Eine Clique aus k Knoten (k = Zahl der Klauseln) nimmt aus jeder Klausel "
                "ein Literal, und alle können zugleich wahr sein: Genau dann ist die Formel "
                "erfüllbar.",
                courierFont(12));
    takeOverButton = makeGlyphButton(page, "ButtonTakeOver", GlyphKind::Retry, {8, 504, 250, 28},
                                     "In Mandorin übernehmen");
    takeOverButton->setEnabled(false);
    describe(takeOverButton, "Macht den Graphen der Reduktion zum Graphen des Hauptfensters");
    takeOverLabel =
        wrappedText(page, "LabelTakeOver", {266, 504, 660, 40}, kTakeOverHint, courierFont(12));
}

void HardnessWindow::buildGrowthPage(QWidget* page) {
    const GrowthSettings defaults;
    fromSpin = makeSpin(page, "SpinFrom", {64, 8, 60, 26}, kFewestGrowthVertices,
                        kMostGrowthVertices, defaults.from);
    caption(page, "LabelFrom", {8, 12, 56, 20}, "n von:", fromSpin);
    toSpin =
        makeSpin(page, "SpinTo", {168, 8, 60, 26}, defaults.from, kMostGrowthVertices, defaults.to);
    caption(page, "LabelTo", {132, 12, 36, 20}, "bis:", toSpin);
    stepSpin = makeSpin(page, "SpinStep", {304, 8, 60, 26}, 1,
                        kMostGrowthVertices - kFewestGrowthVertices, defaults.step);
    caption(page, "LabelStep", {236, 12, 68, 20}, "Schritt:", stepSpin);
    densitySpin = new QDoubleSpinBox(page);
    densitySpin->setObjectName("SpinDensity");
    densitySpin->setGeometry(448, 8, 70, 26);
    densitySpin->setLocale(QLocale(QLocale::German));
    densitySpin->setRange(0.01, 0.99);
    densitySpin->setSingleStep(0.05);
    densitySpin->setDecimals(2);
    densitySpin->setValue(defaults.density);
    caption(page, "LabelDensity", {372, 12, 76, 20}, "Dichte p:", densitySpin);
    repetitionsSpin = makeSpin(page, "SpinRepetitions", {650, 8, 52, 26}, 1, kMostRepetitions,
                               defaults.repetitions);
    caption(page, "LabelRepetitions", {526, 12, 124, 20}, "Wiederholungen:", repetitionsSpin);
    seedSpin = makeSpin(page, "SpinSeed", {794, 8, 80, 26}, 0, 999'999, int(defaults.seed));
    caption(page, "LabelSeed", {710, 12, 84, 20}, "Startwert:", seedSpin);

    timeLimitSpin = makeSpin(page, "SpinTimeLimit", {100, 40, 72, 26}, 1, 600,
                             int(defaults.timeLimit.count() / 1000));
    timeLimitSpin->setSuffix(" s");
    caption(page, "LabelTimeLimit", {8, 44, 92, 20}, "Zeitgrenze:", timeLimitSpin);
    describe(timeLimitSpin, "Höchstens so lange darf jede Suche an einem Graphen rechnen");
    measureButton =
        makeGlyphButton(page, "ButtonMeasure", GlyphKind::Ok, {180, 40, 110, 26}, "Messen");
    measureButton->setFont(courierFont(15, true));
    setTextColour(measureButton, Colours::Red);
    cancelButton =
        makeGlyphButton(page, "ButtonCancel", GlyphKind::No, {298, 40, 120, 26}, "Abbrechen");
    cancelButton->setEnabled(false);
    progressBar = new QProgressBar(page);
    progressBar->setObjectName("ProgressGrowth");
    progressBar->setGeometry(426, 42, 500, 22);
    progressBar->setAccessibleName("Fortschritt der Messung");
    progressBar->setRange(0, 1);
    progressBar->setValue(0);
    progressBar->setFormat(kProgressFormat);

    charts = new GrowthCharts(page);
    charts->setObjectName("Charts");
    charts->setGeometry(8, 72, 918, 264);
    readingLabel =
        wrappedText(page, "LabelReading", {8, 340, 918, 52}, QString(), courierFont(12, true));
    setTextColour(readingLabel, Colours::Navy);

    growthTable = new QTableWidget(0, int(growthColumnTitles().size()), page);
    growthTable->setObjectName("TableGrowth");
    growthTable->setAccessibleName("Messwerte");
    growthTable->setGeometry(8, 394, 918, 208);
    growthTable->setFont(courierFont(12));
    // Two lines a title: "Gierig:" above "größte Clique", "Maximale" above "Cliquen".
    QStringList titles = growthColumnTitles();
    for (QString& title : titles)
        title.replace(title.contains(':') ? ": " : " ", title.contains(':') ? ":\n" : "\n");
    growthTable->setHorizontalHeaderLabels(titles);
    growthTable->horizontalHeader()->setFont(courierFont(11, true));
    growthTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    growthTable->verticalHeader()->hide();
    growthTable->verticalHeader()->setDefaultSectionSize(20);
    growthTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    growthTable->setSelectionBehavior(QAbstractItemView::SelectRows);

    csvButton = makeGlyphButton(page, "ButtonSaveCsv", GlyphKind::Retry, {8, 610, 180, 26},
                                "Als CSV speichern");
    imageButton = makeGlyphButton(page, "ButtonSaveImage", GlyphKind::Retry, {196, 610, 180, 26},
                                  "Als Bild speichern");
    for (QPushButton* button : {csvButton, imageButton})
        button->setEnabled(false);
}

void HardnessWindow::open() {
    bringToFront(this);
}

void HardnessWindow::showSatisfiableExample() {
    formulaField->setText(kSatisfiableExample);
    buildGraph();
}

void HardnessWindow::showUnsatisfiableExample() {
    formulaField->setText(kUnsatisfiableExample);
    buildGraph();
}

void HardnessWindow::buildGraph() {
    const ParsedFormula parsed = parseFormula(formulaField->text());
    if (parsed.error) {
        showFormulaError(*parsed.error);
        return;
    }
    errorLabel->clear();
    m_reduction = reduceToClique(parsed.formula);
    m_layout = reductionLayoutForPicture(*m_reduction);
    m_answer.reset();
    reductionPicture->clearOverlay();
    reductionPicture->setPicture(drawReductionPicture(*m_reduction, m_layout));
    QStringList clauses{QString("k = %1 Klauseln:").arg(m_reduction->k())};
    for (int c = 0; c < m_reduction->k(); ++c)
        clauses.append(clauseName(c) + ": " + clauseText(m_reduction->formula.clauses[c]));
    clausesLabel->setText(clauses.join('\n'));
    resultLabel->clear();
    takeOverLabel->setText(kTakeOverHint);
    for (QPushButton* button : {searchButton, takeOverButton})
        button->setEnabled(true);
}

void HardnessWindow::showFormulaError(const FormulaError& error) {
    errorLabel->setText(error.message);
    formulaField->setFocus();
    const int at = error.position - 1;
    if (at < formulaField->text().size())
        formulaField->setSelection(at, 1);
    else
        formulaField->setCursorPosition(at);
}

void HardnessWindow::searchClique() {
    if (!m_reduction)
        return;
    m_answer = answerReduction(*m_reduction);
    resultLabel->setText(answerText(*m_reduction, *m_answer));
    if (m_answer->satisfiable())
        reductionPicture->setOverlay(
            drawReductionHighlight(reductionPicture->size(), m_layout, m_answer->clique));
    else
        reductionPicture->clearOverlay();
}

void HardnessWindow::takeOverGraph() {
    if (!m_reduction)
        return;
    m_mainWindow.openGraphStore(m_reduction->graph, "3-SAT-Graph übernehmen", m_layout);
    if (m_answer && m_answer->satisfiable())
        m_mainWindow.highlightClique(m_answer->clique);
    takeOverLabel->setText("Der Graph ist jetzt der Graph des Hauptfensters. " + kTakeOverHint);
}

GrowthSettings HardnessWindow::growthSettings() const {
    GrowthSettings settings;
    settings.from = fromSpin->value();
    settings.to = std::max(toSpin->value(), settings.from);
    settings.step = stepSpin->value();
    settings.density = densitySpin->value();
    settings.repetitions = repetitionsSpin->value();
    settings.seed = std::uint64_t(seedSpin->value());
    settings.timeLimit = std::chrono::seconds(timeLimitSpin->value());
    return settings;
}

void HardnessWindow::measureGrowth() {
    const GrowthSettings settings = growthSettings();
    m_rows.clear();
    growthTable->setRowCount(0);
    charts->showSizes({});
    readingLabel->clear();
    progressBar->setRange(0, growthGraphCount(settings));
    progressBar->setValue(0);
    progressBar->setFormat(kProgressFormat);
    measureButton->setEnabled(false);
    cancelButton->setEnabled(true);
    for (QPushButton* button : {csvButton, imageButton})
        button->setEnabled(false);
    m_runner.start(settings);
}

void HardnessWindow::cancelMeasurement() {
    m_runner.cancel();
}

void HardnessWindow::addRow(const GrowthRow& row) {
    m_rows.append(row);
    const int at = growthTable->rowCount();
    growthTable->insertRow(at);
    const QStringList cells = growthCells(row);
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        growthTable->setItem(at, column, item);
    }
    growthTable->scrollToBottom();
    progressBar->setValue(int(m_rows.size()));
    charts->showSizes(summariesPerSize(m_rows));
    readingLabel->setText(growthReading(m_rows));
    for (QPushButton* button : {csvButton, imageButton})
        button->setEnabled(true);
}

void HardnessWindow::measurementEnded(bool complete) {
    measureButton->setEnabled(true);
    cancelButton->setEnabled(false);
    if (!complete)
        progressBar->setFormat("abgebrochen: " + kProgressFormat);
}

void HardnessWindow::saveCsv() {
    const std::optional<QString> name = csvDialog.execute(this);
    if (!name)
        return;
    QString fileName = *name;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += ".csv";
    if (!writeFileAtomically(fileName, growthCsv(m_rows)))
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
}

void HardnessWindow::saveImage() {
    const std::optional<QString> name = imageDialog.execute(this);
    if (!name)
        return;
    QString fileName = *name;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != "svg" && suffix != "png")
        fileName += ".png";
    const QString reading = readingLabel->text();
    const QSize size = charts->pictureSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle("Mandorin: Wachstum der Cliquensuche");
        svg.setDescription(reading);
        QPainter painter(&svg);
        charts->paintPicture(painter, reading);
    } else {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        charts->paintPicture(painter, reading);
        painter.end();
        image.save(&buffer, "PNG");
    }
    if (!writeFileAtomically(fileName, bytes))
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
}

void HardnessWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnEscape(this, event))
        QWidget::keyPressEvent(event);
}
