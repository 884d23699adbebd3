#include "app/step_play_window.h"

#include "app/main_window.h"
#include "app/picture_output.h"
#include "cliques/search_play_drawing.h"

#include <QLocale>
#include <QShortcut>

namespace {

// Steps a second at each slider position: half a step up to 20.
constexpr int kSpeedMin = 1;
constexpr int kSpeedMax = 40;
constexpr int kSpeedStart = 10;

double stepsPerSecond(int sliderValue) {
    return sliderValue / 2.0;
}

const QString kGreedyChoice = QStringLiteral("Gierige Suche (wie „Berechnen!“)");
const QString kBronKerboschChoice = QStringLiteral("Exakte Suche (Bron–Kerbosch mit Pivot)");
const QString kCliqueNumberChoice = QStringLiteral("Exakte Suche mit Farbschranke (größte Clique)");

enum SearchChoice { GreedyChoice, BronKerboschChoice, CliqueNumberChoice };

} // namespace

StepPlayWindow::StepPlayWindow(MainWindow& mainWindow, QWidget* parent)
    : QWidget(parent), m_mainWindow(mainWindow) {
    setObjectName("FormSteps");
    buildLayout();
    connect(&m_mainWindow, &MainWindow::stepPlayRequested, this, &StepPlayWindow::openFresh);
    connect(&m_mainWindow, &MainWindow::graphChanged, this, &StepPlayWindow::graphChanged);
    connect(searchChoice, &QComboBox::currentIndexChanged, this, &StepPlayWindow::rebuild);
    connect(startButton, &QPushButton::clicked, this, &StepPlayWindow::goToStart);
    connect(backButton, &QPushButton::clicked, this, &StepPlayWindow::stepBack);
    connect(playButton, &QPushButton::clicked, this, &StepPlayWindow::togglePlaying);
    connect(forwardButton, &QPushButton::clicked, this, &StepPlayWindow::stepForward);
    connect(endButton, &QPushButton::clicked, this, &StepPlayWindow::goToEnd);
    connect(speedSlider, &QSlider::valueChanged, this, &StepPlayWindow::updateSpeed);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_play && m_position < m_play->stepCount())
            showPosition(m_position + 1);
        if (!m_play || m_position >= m_play->stepCount())
            setPlaying(false);
    });
    // The keys work wherever the focus is in this window.
    const std::pair<QKeySequence, void (StepPlayWindow::*)()> keys[] = {
        {Qt::Key_Left, &StepPlayWindow::stepBack},
        {Qt::Key_Right, &StepPlayWindow::stepForward},
        {Qt::Key_Space, &StepPlayWindow::togglePlaying},
        {Qt::Key_Home, &StepPlayWindow::goToStart},
        {Qt::Key_End, &StepPlayWindow::goToEnd}};
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, action);
    }
    updateSpeed();
}

StepPlayWindow::~StepPlayWindow() = default;

void StepPlayWindow::buildLayout() {
    setUpWindow(this, "Mandorin: Schritt für Schritt", 300, 120, 776, 640);

    QFrame* panel = makePanel(this, "Panel1", {0, 0, 760, 602});
    panel->setFont(courierFont(11));

    makeText(panel, "LabelTitle", {8, 8, 744, 24}, "Die Suche Schritt für Schritt",
             courierFont(17, true, true), Colours::Red);
    // The label names the choice for screen readers, which otherwise read
    // out its current item as its name.
    QLabel* choiceCaption =
        makeText(panel, "LabelSearch", {8, 42, 96, 20}, "Verfahren:", courierFont(13));
    searchChoice = new QComboBox(panel);
    searchChoice->setObjectName("ComboSearch");
    searchChoice->setGeometry(108, 40, 420, 25);
    searchChoice->addItems({kGreedyChoice, kBronKerboschChoice, kCliqueNumberChoice});
    searchChoice->setAccessibleName("Verfahren");
    choiceCaption->setBuddy(searchChoice);

    startButton = makeButton(panel, "ButtonStart", {8, 74, 110, 25}, "Zum Anfang");
    backButton = makeButton(panel, "ButtonBack", {124, 74, 120, 25}, "Schritt zurück");
    playButton = makeButton(panel, "ButtonPlay", {250, 74, 100, 25}, "Abspielen");
    forwardButton = makeButton(panel, "ButtonForward", {356, 74, 110, 25}, "Schritt vor");
    endButton = makeButton(panel, "ButtonEnd", {472, 74, 100, 25}, "Zum Ende");

    makeText(panel, "LabelSpeed", {584, 44, 56, 20}, "Tempo:", courierFont(13));
    speedSlider = new QSlider(Qt::Horizontal, panel);
    speedSlider->setObjectName("SliderSpeed");
    speedSlider->setGeometry(584, 74, 168, 25);
    speedSlider->setRange(kSpeedMin, kSpeedMax);
    speedSlider->setValue(kSpeedStart);
    speedSlider->setAccessibleName("Tempo");
    speedLabel = makeText(panel, "LabelSpeedValue", {640, 44, 112, 20}, QString(), courierFont(13));

    stepLabel = makeText(panel, "LabelStep", {8, 108, 744, 22}, QString(), courierFont(15, true));

    makeText(panel, "LabelCode", {8, 136, 500, 20}, "Das Verfahren:", courierFont(13));
    pseudoCodeList = new QListWidget(panel);
    pseudoCodeList->setObjectName("ListCode");
    pseudoCodeList->setGeometry(8, 158, 500, 230);
    pseudoCodeList->setFont(courierFont(12));
    pseudoCodeList->setSelectionMode(QAbstractItemView::NoSelection);
    pseudoCodeList->setFocusPolicy(Qt::NoFocus);
    pseudoCodeList->setAccessibleName("Das Verfahren");

    makeText(panel, "LabelFoundTitle", {516, 136, 236, 20},
             "Bisher gefundene Cliquen:", courierFont(13));
    foundList = new QListWidget(panel);
    foundList->setObjectName("ListFound");
    foundList->setGeometry(516, 158, 236, 230);
    foundList->setFont(courierFont(14));
    foundList->setAccessibleName("Bisher gefundene Cliquen");
    {
        QPalette palette = foundList->palette();
        palette.setColor(QPalette::Base, Colours::Navy);
        palette.setColor(QPalette::Text, Colours::Yellow);
        foundList->setPalette(palette);
    }

    sentenceLabel =
        makeText(panel, "LabelSentence", {8, 396, 744, 44}, QString(), courierFont(15, true));
    sentenceLabel->setWordWrap(true);
    sentenceLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    stateLabel = makeText(panel, "LabelState", {8, 444, 500, 84}, QString(), courierFont(13));
    stateLabel->setWordWrap(true);
    stateLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    legendLabel = makeText(panel, "LabelLegend", {516, 444, 236, 100}, QString(), courierFont(12));
    legendLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    legendLabel->setTextFormat(Qt::RichText);
    noteLabel = makeText(panel, "LabelNote", {8, 532, 500, 36}, QString(), courierFont(11));
    noteLabel->setWordWrap(true);
    noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The main window's drawing with the step on it, for worksheets.
    auto* pictureOutput = new PictureOutput(this, [this] { return m_mainWindow.shownPicture(); });
    pictureOutput->addButtons(panel, {8, 570, 250, 25});
    makeGlyphButton(panel, "ButtonClose", GlyphKind::Close, {655, 570, 97, 25}, "S&chließen");
}

void StepPlayWindow::openFresh() {
    bringToFront(this);
}

void StepPlayWindow::playGreedyRoundFrom(const QByteArray& label) {
    // Choosing the search rebuilds the play, and showing the window a stale one.
    searchChoice->setCurrentIndex(0);
    bringToFront(this);
    setPlaying(false);
    if (m_play)
        showPosition(std::max(0, m_play->startOfRound(label)));
}

void StepPlayWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        rebuild();
    else
        showPosition(m_position);
}

void StepPlayWindow::hideEvent(QHideEvent* event) {
    setPlaying(false);
    m_mainWindow.clearPlayOverlay();
    QWidget::hideEvent(event);
}

void StepPlayWindow::graphChanged() {
    m_stale = true;
    if (isVisible())
        rebuild();
}

void StepPlayWindow::rebuild() {
    setPlaying(false);
    const int choice = searchChoice->currentIndex();
    const bool bronKerbosch = choice == BronKerboschChoice;
    const GraphStore& store = m_mainWindow.graphStore();
    m_play = choice == CliqueNumberChoice ? playCliqueNumber(store)
             : bronKerbosch               ? playBronKerbosch(store)
                                          : playGreedySearch(store);
    m_stale = false;

    pseudoCodeList->clear();
    pseudoCodeList->addItems(m_play->pseudoCode());

    QString legend;
    const PlayRole roles[] = {PlayRole::Member, PlayRole::Candidate, PlayRole::Waiting,
                              bronKerbosch ? PlayRole::Excluded : PlayRole::Refused,
                              PlayRole::Pivot};
    for (PlayRole role : roles) {
        if (role == PlayRole::Pivot && !bronKerbosch)
            continue;
        legend += QString("<span style=\"color:%1\">&#9679;</span> %2<br>")
                      .arg(playRoleColour(role).name(), playRoleName(role, bronKerbosch));
    }
    legend += QString("<span style=\"color:#ff0000\">- - -</span> fehlende Kante");
    legendLabel->setText(choice == CliqueNumberChoice ? cliqueNumberPlayLegend() : legend);

    QStringList notes;
    if (!m_mainWindow.vertexPositions())
        notes << "Die Knotenpositionen dieses Graphen sind unbekannt (importiert ohne Bild): "
                 "Die Zeichnung zeigt nichts, der Text spielt jeden Schritt.";
    if (m_play->truncated())
        notes << m_play->truncationNote();
    noteLabel->setText(notes.join(' '));
    showPosition(0);
}

void StepPlayWindow::showPosition(int position) {
    if (!m_play)
        return;
    m_position = std::clamp(position, 0, m_play->stepCount());
    const PlayFrame frame = m_play->frameAt(m_position);

    stepLabel->setText(QString("Schritt %1 von %2").arg(m_position).arg(m_play->stepCount()));
    for (int line = 0; line < pseudoCodeList->count(); ++line) {
        QListWidgetItem* item = pseudoCodeList->item(line);
        const bool current = line == frame.pseudoCodeLine;
        item->setBackground(current ? QColor(255, 255, 0) : QColor(Qt::transparent));
        QFont font = item->font();
        font.setBold(current);
        item->setFont(font);
    }
    stateLabel->setText(frame.state.join('\n'));
    sentenceLabel->setText(frame.sentence);
    if (foundList->count() != frame.found.size()) {
        foundList->clear();
        for (const Clique& clique : frame.found)
            foundList->addItem(displayText(clique.text()));
        foundList->scrollToBottom();
    }

    if (const std::optional<VertexPositions> positions = m_mainWindow.vertexPositions())
        m_mainWindow.showPlayOverlay(drawPlayFrame(m_mainWindow.pictureSize(), frame, *positions));
    else
        m_mainWindow.clearPlayOverlay();
}

void StepPlayWindow::goToStart() {
    setPlaying(false);
    showPosition(0);
}

void StepPlayWindow::stepBack() {
    setPlaying(false);
    showPosition(m_position - 1);
}

void StepPlayWindow::stepForward() {
    setPlaying(false);
    showPosition(m_position + 1);
}

void StepPlayWindow::goToEnd() {
    setPlaying(false);
    if (m_play)
        showPosition(m_play->stepCount());
}

void StepPlayWindow::togglePlaying() {
    setPlaying(!isPlaying());
}

void StepPlayWindow::setPlaying(bool playing) {
    if (playing && (!m_play || m_position >= m_play->stepCount()))
        playing = false;
    if (playing)
        m_timer.start();
    else
        m_timer.stop();
    playButton->setText(playing ? "Pause" : "Abspielen");
}

void StepPlayWindow::updateSpeed() {
    const double rate = stepsPerSecond(speedSlider->value());
    m_timer.setInterval(int(1000 / rate));
    speedLabel->setText(QString("%1 Schritte/s").arg(QLocale(QLocale::German).toString(rate)));
}
