#include "app/practice_window.h"

#include "app/main_window.h"
#include "app/picture_output.h"
#include "cliques/practice/choice.h"
#include "cliques/practice/choice_drawing.h"
#include "graph/random.h"

#include <QKeyEvent>

namespace {

const QString kClickHint = "Ein Klick auf einen Knoten im Bild des Hauptfensters wählt ihn oder "
                           "nimmt ihn wieder heraus.";
const QString kPositionsUnknown =
    "Die Knotenpositionen dieses Graphen sind unbekannt (importiert ohne Bild): Wähle die Knoten "
    "im Feld „Auswahl“.";
const int kLargestNumber = 99999;

QLabel* wrappedText(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    QLabel* label = makeText(parent, name, geometry, QString(), font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

PracticeWindow::PracticeWindow(MainWindow& mainWindow, QWidget* parent)
    : QWidget(parent), m_mainWindow(mainWindow) {
    setObjectName("FormTry");
    buildLayout();
    connect(&m_mainWindow, &MainWindow::tryRequested, this, &PracticeWindow::openFresh);
    connect(&m_mainWindow, &MainWindow::graphChanged, this, &PracticeWindow::graphChanged);
    connect(&m_mainWindow, &MainWindow::pictureClicked, this, &PracticeWindow::chooseAt);
    connect(choiceField, &QLineEdit::textEdited, this, &PracticeWindow::readChoiceField);
    connect(clearButton, &QPushButton::clicked, this, &PracticeWindow::clearChoice);
    connect(complementBox, &QCheckBox::toggled, this, &PracticeWindow::showComplement);
    connect(kindChoice, &QComboBox::currentIndexChanged, this,
            &PracticeWindow::showExerciseControls);
    connect(setButton, &QPushButton::clicked, this, &PracticeWindow::setExercise);
    connect(newButton, &QPushButton::clicked, this, &PracticeWindow::setNewExercise);
    connect(checkButton, &QPushButton::clicked, this, &PracticeWindow::checkAnswer);
    connect(tipButton, &QPushButton::clicked, this, &PracticeWindow::showTip);
    connect(solutionButton, &QPushButton::clicked, this, &PracticeWindow::showSolution);
    connect(&m_graphFacts, &CliqueFactsRunner::factsChanged, this, &PracticeWindow::showChoice);
    connect(&m_complementFacts, &CliqueFactsRunner::factsChanged, this,
            &PracticeWindow::showChoice);
    showExerciseControls();
    showScore();
}

void PracticeWindow::buildLayout() {
    setUpWindow(this, "Mandorin: Selbst probieren", 320, 100, 576, 672);

    QFrame* panel = makePanel(this, "Panel1", {0, 0, 560, 634});
    panel->setFont(courierFont(11));

    makeText(panel, "LabelTitle", {8, 8, 544, 24}, "Cliquen selbst wählen und prüfen",
             courierFont(17, true, true), Colours::Red);
    QLabel* choiceCaption =
        makeText(panel, "LabelChoice", {8, 44, 92, 22}, "Auswahl:", courierFont(15));
    choiceField = new QLineEdit(panel);
    choiceField->setObjectName("EditChoice");
    choiceField->setGeometry(100, 40, 344, 28);
    choiceField->setFont(courierFont(15));
    choiceField->setAccessibleName(
        "Auswahl: Knoten eintippen, durch Komma oder Leerzeichen getrennt (so wählt man mit "
        "Tastatur und Bildschirmleser)");
    describe(choiceField,
             "Dieselbe Auswahl wie die Klicks auf Knoten im Bild; das Urteil steht darunter.",
             choiceCaption);
    clearButton = makeButton(panel, "ButtonClear", {452, 41, 100, 26}, "Leeren");
    describe(clearButton, "Nimmt alle Knoten aus der Auswahl");
    messageLabel =
        makeText(panel, "LabelMessage", {8, 72, 544, 20}, QString(), courierFont(12), Colours::Red);
    verdictLabel = wrappedText(panel, "LabelVerdict", {8, 96, 544, 92}, courierFont(13, true));
    verdictLabel->setAccessibleName("Urteil");
    complementBox = new QCheckBox("Komplement zeigen", panel);
    complementBox->setObjectName("CheckComplement");
    complementBox->setGeometry(8, 192, 188, 22);
    complementBox->setFont(courierFont(13));
    describe(complementBox, "Zeichnet das Komplement des Graphen auf denselben Positionen und "
                            "beurteilt die Auswahl dort");
    complementLabel =
        makeText(panel, "LabelComplement", {200, 194, 352, 20}, QString(), courierFont(11));

    QGroupBox* exerciseGroup = makeGroup(panel, "GroupExercise", {8, 220, 544, 340}, "Aufgabe");
    QLabel* kindCaption =
        makeText(exerciseGroup, "LabelKind", {8, 26, 60, 22}, "Art:", courierFont(14));
    kindChoice = new QComboBox(exerciseGroup);
    kindChoice->setObjectName("ComboKind");
    kindChoice->setGeometry(72, 24, 464, 25);
    kindChoice->addItems(exerciseKindNames());
    kindChoice->setAccessibleName("Art der Aufgabe");
    kindCaption->setBuddy(kindChoice);
    QLabel* levelCaption =
        makeText(exerciseGroup, "LabelLevel", {8, 58, 60, 22}, "Stufe:", courierFont(14));
    levelChoice = new QComboBox(exerciseGroup);
    levelChoice->setObjectName("ComboLevel");
    levelChoice->setGeometry(72, 56, 120, 25);
    for (ExerciseLevel level : {ExerciseLevel::Easy, ExerciseLevel::Medium, ExerciseLevel::Hard})
        levelChoice->addItem(levelName(level));
    levelChoice->setAccessibleName("Stufe");
    describe(levelChoice, "leicht, mittel oder schwer: wie groß der neue Graph wird", levelCaption);
    QLabel* numberCaption =
        makeText(exerciseGroup, "LabelNumber", {208, 58, 120, 22}, "Aufgabe Nr.:", courierFont(14));
    numberSpinner = new QSpinBox(exerciseGroup);
    numberSpinner->setObjectName("SpinNumber");
    numberSpinner->setGeometry(332, 56, 100, 25);
    numberSpinner->setRange(1, kLargestNumber);
    numberSpinner->setValue(1);
    numberSpinner->setAccessibleName("Aufgabe Nr.");
    describe(numberSpinner, "Dieselbe Nummer gibt allen dieselbe Aufgabe", numberCaption);
    setButton = makeButton(exerciseGroup, "ButtonSet", {8, 90, 170, 25}, "Aufgabe stellen");
    describe(setButton, "Stellt die Aufgabe mit der eingestellten Art, Stufe und Nummer");
    newButton = makeButton(exerciseGroup, "ButtonNew", {186, 90, 170, 25}, "Neue Aufgabe");
    describe(newButton, "Stellt eine Aufgabe mit einer zufälligen Nummer");
    taskLabel = wrappedText(exerciseGroup, "LabelTask", {8, 122, 528, 44}, courierFont(14, true));
    taskLabel->setAccessibleName("Aufgabe");

    answerChoice = new ChoiceGroup("Antwort", {"Ja", "Nein"}, exerciseGroup);
    answerChoice->setObjectName("RadioAnswer");
    answerChoice->setGeometry(8, 166, 180, 60);
    QLabel* countCaption =
        makeText(exerciseGroup, "LabelCount", {204, 186, 80, 22}, "Anzahl:", courierFont(14));
    countSpinner = new QSpinBox(exerciseGroup);
    countSpinner->setObjectName("SpinCount");
    countSpinner->setGeometry(288, 184, 90, 25);
    countSpinner->setRange(0, int(kMaximalCliqueCap));
    countSpinner->setAccessibleName("Anzahl");
    describe(countSpinner, "Wie viele maximale Cliquen den Knoten enthalten", countCaption);

    checkButton = makeButton(exerciseGroup, "ButtonCheck", {8, 232, 120, 25}, "Prüfen");
    tipButton = makeButton(exerciseGroup, "ButtonTip", {136, 232, 120, 25}, "Tipp");
    solutionButton =
        makeButton(exerciseGroup, "ButtonSolution", {264, 232, 160, 25}, "Lösung zeigen");
    feedbackLabel = wrappedText(exerciseGroup, "LabelFeedback", {8, 262, 528, 52}, courierFont(12));
    feedbackLabel->setAccessibleName("Rückmeldung");
    scoreLabel =
        makeText(exerciseGroup, "LabelScore", {8, 316, 528, 20}, QString(), courierFont(13, true));
    scoreLabel->setAccessibleName("Gelöste Aufgaben");

    hintLabel = wrappedText(panel, "LabelHint", {8, 564, 544, 34}, courierFont(11));
    // The drawing with the choice, for worksheets.
    (new PictureOutput(this, [this] {
        return m_mainWindow.shownPicture();
    }))->addButtons(panel, {8, 602, 250, 25});
    makeGlyphButton(panel, "ButtonClose", GlyphKind::Close, {455, 602, 97, 25}, "S&chließen");

    orderTabsByRows(this);
}

bool PracticeWindow::isSearching() const {
    return m_graphFacts.isRunning() || m_complementFacts.isRunning();
}

void PracticeWindow::openFresh() {
    bringToFront(this);
    choiceField->setFocus();
}

void PracticeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_mainWindow.setPictureClicksWanted(true);
    if (m_stale)
        refreshGraph();
    else
        showChoice();
    showComplementLayer();
}

void PracticeWindow::hideEvent(QHideEvent* event) {
    // A search nobody waits for stops; showing the window starts it again.
    if (isSearching()) {
        m_graphFacts.stop();
        m_complementFacts.stop();
        m_stale = true;
    }
    m_mainWindow.setPictureClicksWanted(false);
    m_mainWindow.clearChoiceOverlay();
    m_mainWindow.clearComplementOverlay();
    QWidget::hideEvent(event);
}

void PracticeWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnEscape(this, event))
        QWidget::keyPressEvent(event);
}

void PracticeWindow::graphChanged() {
    const GraphStore& store = m_mainWindow.graphStore();
    if (m_exercise &&
        (store.vertices != m_exerciseGraph.vertices || store.edges != m_exerciseGraph.edges))
        endExercise("Der Graph hat sich geändert: Die Aufgabe gilt nicht mehr. „Aufgabe "
                    "stellen“ stellt eine neue.");
    m_stale = true;
    if (isVisible()) {
        refreshGraph();
        showComplementLayer();
    }
}

void PracticeWindow::refreshGraph() {
    m_stale = false;
    m_graph = buildExactGraph(m_mainWindow.graphStore());
    m_graphFacts.start(m_graph, true);
    m_complementFacts.stop();
    if (complementBox->isChecked()) {
        m_complement = complementGraph(m_graph);
        m_complementFacts.start(m_complement, false);
    }
    // Vertices that are gone leave the choice.
    QList<QByteArray> kept;
    for (const QByteArray& label : std::as_const(m_choice))
        if (m_graph.labels.contains(label))
            kept.append(label);
    m_choice = kept;
    choiceField->setText(choiceText(m_choice));
    messageLabel->clear();
    if (m_graph.size() == 0)
        hintLabel->setText("Der Graph hat keine Knoten: Wähle im Hauptfenster einen Graphen.");
    else
        hintLabel->setText(m_mainWindow.vertexPositions() ? kClickHint : kPositionsUnknown);
    showChoice();
}

void PracticeWindow::chooseAt(QPoint point) {
    const std::optional<VertexPositions> positions = m_mainWindow.vertexPositions();
    if (!isVisible() || !positions)
        return;
    const std::optional<QByteArray> label = vertexAt(*positions, point);
    if (!label)
        return;
    m_choice = toggledChoice(m_choice, *label);
    choiceField->setText(choiceText(m_choice));
    messageLabel->clear();
    showChoice();
}

void PracticeWindow::readChoiceField() {
    const ParsedChoice parsed = parseChoice(choiceField->text(), m_graph);
    messageLabel->setText(parsed.message);
    if (!parsed.ok())
        return;
    m_choice = parsed.labels;
    showChoice();
}

void PracticeWindow::clearChoice() {
    m_choice.clear();
    choiceField->clear();
    messageLabel->clear();
    showChoice();
}

void PracticeWindow::showComplement() {
    if (complementBox->isChecked()) {
        m_complement = complementGraph(m_graph);
        m_complementFacts.start(m_complement, false);
    } else {
        m_complementFacts.stop();
    }
    showComplementLayer();
    showChoice();
}

void PracticeWindow::showChoice() {
    const bool inComplement = complementBox->isChecked();
    const ExactGraph& judged = inComplement ? m_complement : m_graph;
    const CliqueFactsRunner& facts = inComplement ? m_complementFacts : m_graphFacts;
    const ChoiceAnalysis analysis = analyseChoice(judged, m_choice);
    verdictLabel->setText(choiceVerdict(analysis, facts.facts().cliqueNumber(), inComplement));
    const std::optional<VertexPositions> positions = m_mainWindow.vertexPositions();
    if (isVisible() && positions && !analysis.members.isEmpty())
        m_mainWindow.showChoiceOverlay(
            drawChoice(m_mainWindow.pictureSize(), *positions, analysis));
    else
        m_mainWindow.clearChoiceOverlay();
}

void PracticeWindow::showComplementLayer() {
    complementLabel->clear();
    if (!complementBox->isChecked()) {
        m_mainWindow.clearComplementOverlay();
        return;
    }
    const qsizetype n = m_graph.size();
    complementLabel->setText(QString("Komplement: %1 Kanten (%2 mögliche − %3 im Graphen)")
                                 .arg(edgeCount(m_complement))
                                 .arg(n * (n - 1) / 2)
                                 .arg(edgeCount(m_graph)));
    const std::optional<VertexPositions> positions = m_mainWindow.vertexPositions();
    if (!isVisible() || !positions || m_mainWindow.picture().isNull() || n > kComplementDrawLimit) {
        m_mainWindow.clearComplementOverlay();
        if (positions && n > kComplementDrawLimit)
            hintLabel->setText(
                QString("Das Komplement wird für Graphen bis %1 Knoten gezeichnet; die Auswahl "
                        "wird auch so darin beurteilt.")
                    .arg(kComplementDrawLimit));
        return;
    }
    m_mainWindow.showComplementOverlay(
        drawComplement(m_mainWindow.picture(), *positions, edgeList(m_complement)));
}

void PracticeWindow::showExerciseControls() {
    levelChoice->setEnabled(ExerciseKind(kindChoice->currentIndex()) ==
                            ExerciseKind::PlantedClique);
    const std::optional<ExerciseKind> kind =
        m_exercise ? std::optional(m_exercise->kind) : std::nullopt;
    answerChoice->setEnabled(kind == ExerciseKind::GreedyRound);
    countSpinner->setEnabled(kind == ExerciseKind::MaximalCount);
    for (QPushButton* button : {checkButton, tipButton, solutionButton})
        button->setEnabled(kind.has_value());
}

void PracticeWindow::setExercise() {
    const auto kind = ExerciseKind(kindChoice->currentIndex());
    const int number = numberSpinner->value();
    // The exercise before is over; its graph may be about to go.
    m_exercise.reset();
    if (kind == ExerciseKind::PlantedClique) {
        PlantedExercise planted =
            plantedExercise(ExerciseLevel(levelChoice->currentIndex()), number);
        m_mainWindow.openGraphStore(std::move(planted.graph),
                                    QString("Aufgabe Nr. %1").arg(number));
        startExercise(planted.exercise);
        return;
    }
    const ExerciseOnGraph set = exerciseOnGraph(kind, number, m_mainWindow.graphStore());
    if (!set.exercise) {
        endExercise(set.message);
        return;
    }
    startExercise(*set.exercise);
}

void PracticeWindow::setNewExercise() {
    numberSpinner->setValue(1 + randomBelow(kLargestNumber));
    setExercise();
}

void PracticeWindow::startExercise(const Exercise& exercise) {
    if (m_stale)
        refreshGraph();
    m_exercise = exercise;
    m_exerciseGraph = m_mainWindow.graphStore();
    m_solved = false;
    m_revealed = false;
    ++m_exercisesSet;
    m_mainWindow.clearHighlight();
    answerChoice->setItemIndex(-1);
    countSpinner->setValue(0);
    taskLabel->setText(exercise.task());
    feedbackLabel->clear();
    clearChoice();
    showExerciseControls();
    showScore();
}

void PracticeWindow::endExercise(const QString& reason) {
    m_exercise.reset();
    taskLabel->setText(reason);
    feedbackLabel->clear();
    showExerciseControls();
}

void PracticeWindow::showScore() {
    scoreLabel->setText(
        m_exercisesSet == 0
            ? QString("Noch keine Aufgabe gestellt.")
            : QString("%1 von %2 gelöst").arg(m_exercisesSolved).arg(m_exercisesSet));
}

void PracticeWindow::checkAnswer() {
    if (!m_exercise)
        return;
    ExerciseAnswer answer;
    answer.choice = m_choice;
    if (answerChoice->itemIndex() >= 0)
        answer.yes = answerChoice->itemIndex() == 0;
    answer.count = countSpinner->value();
    const ExerciseCheck check = checkExercise(*m_exercise, m_graph, m_graphFacts.facts(), answer);
    feedbackLabel->setText(check.text);
    // An exercise counts once, and not after its solution was shown.
    if (check.outcome == ExerciseCheck::Right && !m_solved && !m_revealed) {
        m_solved = true;
        ++m_exercisesSolved;
    }
    showScore();
}

void PracticeWindow::showTip() {
    if (m_exercise)
        feedbackLabel->setText(exerciseTip(*m_exercise, m_graph, m_graphFacts.facts(), m_choice));
}

void PracticeWindow::showSolution() {
    if (!m_exercise)
        return;
    const ExerciseSolution solution = exerciseSolution(*m_exercise, m_graph, m_graphFacts.facts());
    feedbackLabel->setText(solution.text);
    if (!solution.shown.members.isEmpty()) {
        m_revealed = true;
        m_mainWindow.highlightClique(solution.shown);
    }
    if (!solution.playFrom.isEmpty()) {
        m_revealed = true;
        emit greedyRoundRequested(solution.playFrom);
    }
}
