#include "app/heuristic_window.h"

#include "app/dialogs.h"
#include "graph/picture_descriptions.h"
#include "graph/random.h"
#include "heuristic/random_walk.h"
#include "heuristic/visit_chart_drawing.h"
#include "heuristic/walk_shares.h"

#include <QLocale>

#include <QKeyEvent>

namespace {

const QColor& exponentColour(int exponent) {
    if (exponent <= 2)
        return Colours::Red;
    if (exponent <= 4)
        return Colours::Yellow;
    return Colours::Green;
}

} // namespace

HeuristicWindow::HeuristicWindow(const GraphStore& store, ProgressSink* progress, QWidget* parent)
    : QWidget(parent), m_store(store), m_progress(progress) {
    setObjectName("Form6");
    buildLayout();
    connectHandlers();
    seedRandomFromClock();
}

void HeuristicWindow::buildLayout() {
    setUpWindow(this, "Mandorin: Heuristik", 167, 157, 1071, 498);

    QFrame* panel = makePanel(this, "Panel1", {8, 8, 1041, 441});

    makeText(panel, "StaticText5", {8, 8, 191, 25}, "Graphen-Heuristik",
             courierFont(19, false, true), Colours::Red);
    chart = new PictureArea(panel);
    chart->setObjectName("Image1");
    chart->setGeometry(8, 40, 625, 345);
    chart->setAccessibleName("Diagramm der Besuchshäufigkeit");
    chart->setAccessibleDescription("leer");

    // Group "Iterationen": the walk length.
    QGroupBox* lengthGroup = makeGroup(panel, "GroupBox1", {648, 40, 385, 233}, "Iterationen");
    lengthGroup->setFont(courierFont(11));
    makeText(lengthGroup, "StaticText12", {8, 24, 124, 22}, "Iterationen:", courierFont(16));
    iterationsLabel = makeText(lengthGroup, "Label1", {136, 24, 30, 18}, "100", courierFont(16));
    iterationsLabel->adjustSize();
    describe(iterationsLabel, "Iterationen");
    QLabel* exponentCaption =
        makeText(lengthGroup, "StaticText1", {8, 56, 134, 22}, "Zehnerpotenz:", courierFont(16));
    exponentLabel = makeText(lengthGroup, "Label2", {152, 56, 10, 18}, "2", courierFont(16));
    describe(exponentLabel, "Zehnerpotenz");
    makeText(lengthGroup, "StaticText2", {136, 72, 20, 20}, "10", courierFont(13));
    exponentLamp =
        makeLamp(lengthGroup, "Shape1", {304, 16, 65, 65}, "Lampe Zehnerpotenz",
                 {{Colours::Red, "rot"}, {Colours::Yellow, "gelb"}, {Colours::Green, "grün"}});

    exponentSlider = new QSlider(Qt::Horizontal, lengthGroup);
    exponentSlider->setObjectName("TrackBar1");
    exponentSlider->setGeometry(8, 96, 289, 45);
    exponentSlider->setRange(2, 6);
    exponentSlider->setValue(2);
    exponentSlider->setSingleStep(1);
    exponentSlider->setPageStep(1);
    exponentSlider->setTickPosition(QSlider::TicksBelow);
    exponentSlider->setTickInterval(1);
    exponentSlider->setAccessibleName("Zehnerpotenz-Regler");
    exponentSpinner =
        makeStepArrows(lengthGroup, "UpDown2", {304, 96, 17, 33}, 2, 6, 2, "Zehnerpotenz");
    describe(exponentSpinner, "Exponent der Zehnerpotenz, 2 bis 6", exponentCaption);

    const QFont tickFont = courierFont(13);
    makeText(lengthGroup, "StaticText6", {16, 128, 12, 20}, "2", tickFont);
    makeText(lengthGroup, "StaticText7", {80, 128, 12, 20}, "3", tickFont);
    makeText(lengthGroup, "StaticText8", {144, 128, 12, 20}, "4", tickFont);
    makeText(lengthGroup, "StaticText9", {208, 128, 12, 20}, "5", tickFont);
    makeText(lengthGroup, "StaticText10", {280, 128, 12, 20}, "6", tickFont);

    QLabel* factorCaption =
        makeText(lengthGroup, "StaticText4", {8, 152, 74, 22}, "Faktor:", courierFont(16));
    factorLabel = makeText(lengthGroup, "Label3", {88, 152, 10, 18}, "1", courierFont(16));
    describe(factorLabel, "Faktor");
    factorSpinner = makeStepArrows(lengthGroup, "UpDown1", {112, 144, 17, 25}, 1, 9, 1, "Faktor");
    describe(factorSpinner, "Faktor vor der Zehnerpotenz, 1 bis 9", factorCaption);
    makeText(lengthGroup, "StaticText3", {48, 200, 319, 21}, "Iterationen = Faktor * Zehnerpotenz",
             courierFont(15));

    // Group "Steuerung".
    QGroupBox* controlGroup = makeGroup(panel, "GroupBox2", {648, 312, 385, 73}, "Steuerung");
    controlGroup->setFont(courierFont(11));
    runButton =
        makeGlyphButton(controlGroup, "BitBtn1", GlyphKind::Ok, {24, 32, 97, 25}, "Ausführen");
    resetButton =
        makeGlyphButton(controlGroup, "BitBtn2", GlyphKind::No, {144, 32, 97, 25}, "Reset");
    makeGlyphButton(controlGroup, "BitBtn3", GlyphKind::Close, {264, 32, 97, 25}, "S&chließen");

    makeText(panel, "StaticText11", {8, 400, 616, 21},
             "v... Vertex (Knoten), WSK... Besuchshäufigkeit, clAqua...   max. WSK",
             courierFont(15));
    explanationLabel =
        makeText(panel, "LabelExplanation", {8, 421, 1025, 18}, QString(), courierFont(12));

    orderTabsByRows(this);
}

void HeuristicWindow::connectHandlers() {
    connect(exponentSlider, &QSlider::valueChanged, this, &HeuristicWindow::showExponent);
    connect(exponentSpinner, &StepArrows::stepped, this, &HeuristicWindow::stepExponent);
    connect(factorSpinner, &StepArrows::stepped, this, &HeuristicWindow::showFactor);
    connect(resetButton, &QPushButton::clicked, this, &HeuristicWindow::resetWalk);
    connect(runButton, &QPushButton::clicked, this, &HeuristicWindow::runWalk);
    // Markers belong to the chart they were drawn for.
    connect(chart, &PictureArea::pictureReplaced, chart, &PictureArea::clearOverlay);
    // An emptied chart says so; a drawn one is described where it is drawn.
    connect(chart, &PictureArea::pictureReplaced, this, [this] {
        if (chart->isEmpty())
            chart->setAccessibleDescription("leer");
    });
}

void HeuristicWindow::showIterations() {
    m_iterations = factorSpinner->position() * powerOfTen(exponentSlider->value());
    iterationsLabel->setText(QString::number(m_iterations));
    iterationsLabel->adjustSize();
}

void HeuristicWindow::showExponent() {
    exponentSpinner->setPosition(exponentSlider->value());
    exponentLabel->setText(QString::number(exponentSlider->value()));
    showIterations();
    exponentLamp->setColour(exponentColour(exponentSpinner->position()));
}

void HeuristicWindow::stepExponent() {
    exponentSlider->setValue(exponentSpinner->position());
}

void HeuristicWindow::showFactor() {
    factorLabel->setText(QString::number(factorSpinner->position()));
    showIterations();
}

void HeuristicWindow::resetWalk() {
    exponentSpinner->setPosition(2);
    factorSpinner->setPosition(1);
    exponentLamp->setColour(Colours::Red);
    chart->clear();
    explanationLabel->clear();
    exponentSlider->setValue(2);
    m_iterations = 100;
    iterationsLabel->setText("100");
    iterationsLabel->adjustSize();
    exponentLabel->setText("2");
    factorLabel->setText("1");
}

void HeuristicWindow::openWithEmptyChart() {
    bringToFront(this);
    chart->clear();
    explanationLabel->clear();
}

void HeuristicWindow::runWalk() {
    chart->clear();
    explanationLabel->clear();
    emit walkStarting();
    // A copy shares the lists; the walk refreshes only the copy's counts.
    GraphStore walked = m_store;
    const WalkResult result = randomWalk(walked, m_iterations, m_progress);
    if (result.refusal != WalkRefusal::None) {
        dialogs().message(this, Texts::FehlerCaption, walkRefusalText(result.refusal));
        return;
    }
    const std::vector<double> shares = longRunShares(WalkGraph(walked), result.start);
    drawVisitChart(chart->canvas(), m_store.vertices, result.visitCounts);
    chart->changed();
    // The markers stay out of the chart's own picture.
    chart->setOverlay(drawShareMarkers(chart->size(), result.visitCounts, shares));
    explanationLabel->setText(
        QString("Die dunkelblauen Striche zeigen den Anteil, dem jeder Knoten auf lange Sicht "
                "zustrebt; "
                "größte Abweichung: %1 Prozentpunkte.")
            .arg(QLocale(QLocale::German)
                     .toString(largestDeviation(result.visitCounts, shares), 'f', 2)));
    chart->setAccessibleDescription(visitChartDescription(m_store.vertices, result.visitCounts));
}

void HeuristicWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runButton->click();
        return;
    case Qt::Key_Escape:
        resetButton->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
