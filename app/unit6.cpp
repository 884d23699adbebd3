#include "app/unit6.h"

#include "app/dialogs.h"
#include "app/unit4.h"
#include "graph/random.h"
#include "heuristic/random_walk.h"
#include "heuristic/visit_chart_drawing.h"

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

TForm6::TForm6(GraphStore& store, TForm4* progress, QWidget* parent)
    : QWidget(parent), m_store(store), m_progress(progress) {
    setObjectName("Form6");
    buildLayout();
    connectHandlers();
    FormCreate();
}

void TForm6::buildLayout() {
    setUpWindow(this, "Mandorin: Heuristik", 167, 157, 1071, 498);
    setAutoFillBackground(true);

    Panel1 = makePanel(this, "Panel1", {8, 8, 1041, 441});

    StaticText5 = makeText(Panel1, "StaticText5", {8, 8, 191, 25}, "Graphen-Heuristik",
                           courierFont(19, false, true));
    setTextColour(StaticText5, Colours::Red);
    Image1 = new TImage(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 40, 625, 345);

    // Group "Iterationen": the walk length.
    GroupBox1 = makeGroup(Panel1, "GroupBox1", {648, 40, 385, 233}, "Iterationen");
    GroupBox1->setFont(courierFont(11));
    StaticText12 =
        makeText(GroupBox1, "StaticText12", {8, 24, 124, 22}, "Iterationen:", courierFont(16));
    Label1 = makeText(GroupBox1, "Label1", {136, 24, 30, 18}, "100", courierFont(16));
    Label1->adjustSize();
    StaticText1 =
        makeText(GroupBox1, "StaticText1", {8, 56, 134, 22}, "Zehnerpotenz:", courierFont(16));
    Label2 = makeText(GroupBox1, "Label2", {152, 56, 10, 18}, "2", courierFont(16));
    StaticText2 = makeText(GroupBox1, "StaticText2", {136, 72, 20, 20}, "10", courierFont(13));
    Shape1 = new TShape(GroupBox1);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(304, 16, 65, 65);
    Shape1->setBrushColor(Colours::Red);

    TrackBar1 = new QSlider(Qt::Horizontal, GroupBox1);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setGeometry(8, 96, 289, 45);
    TrackBar1->setRange(2, 6);
    TrackBar1->setValue(2);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    UpDown2 = makeUpDown(GroupBox1, "UpDown2", {304, 96, 17, 33}, 2, 6, 2);

    const QFont tickFont = courierFont(13);
    StaticText6 = makeText(GroupBox1, "StaticText6", {16, 128, 12, 20}, "2", tickFont);
    StaticText7 = makeText(GroupBox1, "StaticText7", {80, 128, 12, 20}, "3", tickFont);
    StaticText8 = makeText(GroupBox1, "StaticText8", {144, 128, 12, 20}, "4", tickFont);
    StaticText9 = makeText(GroupBox1, "StaticText9", {208, 128, 12, 20}, "5", tickFont);
    StaticText10 = makeText(GroupBox1, "StaticText10", {280, 128, 12, 20}, "6", tickFont);

    StaticText4 = makeText(GroupBox1, "StaticText4", {8, 152, 74, 22}, "Faktor:", courierFont(16));
    Label3 = makeText(GroupBox1, "Label3", {88, 152, 10, 18}, "1", courierFont(16));
    UpDown1 = makeUpDown(GroupBox1, "UpDown1", {112, 144, 17, 25}, 1, 9, 1);
    StaticText3 = makeText(GroupBox1, "StaticText3", {48, 200, 319, 21},
                           "Iterationen = Faktor * Zehnerpotenz", courierFont(15));

    // Group "Steuerung".
    GroupBox2 = makeGroup(Panel1, "GroupBox2", {648, 312, 385, 73}, "Steuerung");
    GroupBox2->setFont(courierFont(11));
    BitBtn1 = makeBitBtn(GroupBox2, "BitBtn1", GlyphKind::Ok, {24, 32, 97, 25}, "Ausführen");
    BitBtn2 = makeBitBtn(GroupBox2, "BitBtn2", GlyphKind::No, {144, 32, 97, 25}, "Reset");
    BitBtn3 = makeBitBtn(GroupBox2, "BitBtn3", GlyphKind::Close, {264, 32, 97, 25}, "S&chließen");

    StaticText11 = makeText(Panel1, "StaticText11", {8, 400, 616, 21},
                            "v... Vertex (Knoten), WSK... Besuchshäufigkeit, clAqua...   max. WSK",
                            courierFont(15));
}

void TForm6::connectHandlers() {
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm6::TrackBar1Change);
    connect(UpDown2, &TUpDown::Click, this, &TForm6::UpDown2Click);
    connect(UpDown1, &TUpDown::Click, this, &TForm6::UpDown1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm6::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
}

void TForm6::FormCreate() {
    Iterations = 100;
    seedRandomFromClock();
}

void TForm6::showIterations() {
    Iterations = UpDown1->position() * powerOfTen(TrackBar1->value());
    Label1->setText(QString::number(Iterations));
    Label1->adjustSize();
}

void TForm6::TrackBar1Change() {
    UpDown2->setPosition(TrackBar1->value());
    Label2->setText(QString::number(TrackBar1->value()));
    showIterations();
    Shape1->setBrushColor(exponentColour(UpDown2->position()));
}

void TForm6::UpDown2Click() {
    TrackBar1->setValue(UpDown2->position());
}

void TForm6::UpDown1Click() {
    Label3->setText(QString::number(UpDown1->position()));
    showIterations();
}

void TForm6::BitBtn2Click() {
    UpDown2->setPosition(2);
    UpDown1->setPosition(1);
    Shape1->setBrushColor(Colours::Red);
    Image1->clear();
    TrackBar1->setValue(2);
    Iterations = 100;
    Label1->setText("100");
    Label1->adjustSize();
    Label2->setText("2");
    Label3->setText("1");
}

void TForm6::BitBtn1Click() {
    Image1->clear();
    const WalkResult result = randomWalk(m_store, Iterations, m_progress);
    if (result.refusal != WalkRefusal::None) {
        dialogs().message(this, Texts::FehlerCaption, walkRefusalText(result.refusal));
        return;
    }
    drawVisitChart(Image1->canvas(), m_store.vertices, result.visitCounts);
    Image1->changed();
}

void TForm6::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BitBtn1->click();
        return;
    case Qt::Key_Escape:
        BitBtn2->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
