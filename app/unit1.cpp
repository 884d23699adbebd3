#include "app/unit1.h"

#include "app/unit2.h"
#include "app/unit3.h"
#include "app/unit4.h"
#include "app/unit6.h"
#include "editor/editor_drawing.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QStyledItemDelegate>

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

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    buildLayout();
    connectHandlers();
    FormCreate();
}

void TForm1::buildLayout() {
    setUpWindow(this, "Mandorin", -5, 262, 1220, 679);
    setAutoFillBackground(true);

    Panel1 = makePanel(this, "Panel1", {8, 8, 1185, 625});
    Panel1->setFont(courierFont(11));
    const QFont panelFont = Panel1->font();

    StaticText1 = makeText(Panel1, "StaticText1", {328, 16, 587, 26},
                           "Berechnung maximaler Cliquen in ungerichteten Graphen",
                           courierFont(19, true, true), Colours::Green);
    StaticText2 = makeText(Panel1, "StaticText2", {944, 600, 228, 18},
                           "Lernprogramm Cliquenproblem", panelFont);
    GroupBox1 = makeGroup(Panel1, "GroupBox1", {8, 48, 569, 529}, "Graphen");
    GroupBox2 = makeGroup(Panel1, "GroupBox2", {584, 48, 585, 529}, "Algorithmus");
    BitBtn1 = makeBitBtn(Panel1, "BitBtn1", GlyphKind::Help, {584, 592, 75, 25}, "&Hilfe");
    BitBtn2 = makeBitBtn(Panel1, "BitBtn2", GlyphKind::Help, {664, 592, 81, 25}, "Version");
    BitBtn3 = makeBitBtn(Panel1, "BitBtn3", GlyphKind::Close, {832, 592, 97, 25}, "S&chließen");
    BitBtn8 = makeBitBtn(Panel1, "BitBtn8", GlyphKind::Retry, {752, 592, 75, 25}, "Reset");

    // Group "Graphen".
    Image1 = new TImage(GroupBox1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 184, 550, 300);
    RadioGroup1 = new TRadioGroup("Graphen-Auswahl",
                                  {"Beispiel-Graph (1): 9 Knoten", "Beispiel-Graph (2): 5 Knoten",
                                   "Graph erstellen: max. 15 Knoten"},
                                  GroupBox1);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(8, 24, 257, 113);
    RadioGroup1->setItemIndex(0);
    StaticText3 = makeText(GroupBox1, "StaticText3", {8, 152, 220, 21},
                           "Darstellung des Graphen:", courierFont(15, false, true), Colours::Red);
    GroupBox7 = makeGroup(GroupBox1, "GroupBox7", {280, 16, 281, 121}, "Graphen-Werkzeuge");
    BitBtn10 =
        makeBitBtn(GroupBox1, "BitBtn10", GlyphKind::Ignore, {232, 496, 97, 25}, "Heuristik");
    BitBtn4 = makeBitBtn(GroupBox1, "BitBtn4", GlyphKind::Retry, {8, 496, 97, 25}, "Import");
    BitBtn5 = makeBitBtn(GroupBox1, "BitBtn5", GlyphKind::Retry, {120, 496, 97, 25}, "Export");

    // Group "Graphen-Werkzeuge".
    Label1 = makeText(GroupBox7, "Label1", {8, 92, 33, 21}, "v1=", courierFont(19));
    Label3 = makeText(GroupBox7, "Label3", {120, 92, 33, 21}, "v2=", courierFont(19));
    Label2 = makeText(GroupBox7, "Label2", {8, 28, 99, 21}, "Position:", courierFont(19));
    Button2 = makeButton(GroupBox7, "Button2", {144, 56, 97, 25}, "Kante");
    Button1 = makeButton(GroupBox7, "Button1", {176, 24, 97, 25}, "Knoten");
    Edit4 = makeEdit(GroupBox7, "Edit4", {48, 88, 33, 25}, "0", courierFont(15));
    Edit5 = makeEdit(GroupBox7, "Edit5", {160, 88, 33, 25}, "0", courierFont(15));
    UpDown2 = makeUpDown(GroupBox7, "UpDown2", {80, 88, 17, 25}, 0, 14, 0);
    UpDown3 = makeUpDown(GroupBox7, "UpDown3", {192, 88, 17, 25}, 0, 14, 0);
    Edit6 = makeEdit(GroupBox7, "Edit6", {112, 24, 33, 25}, "0", courierFont(15));
    UpDown4 = makeUpDown(GroupBox7, "UpDown4", {152, 24, 17, 25}, 0, 14, 0);
    BitBtn11 = makeBitBtn(GroupBox7, "BitBtn11", GlyphKind::None, {8, 56, 97, 25}, "DelPos");
    for (QWidget* tool : {static_cast<QWidget*>(GroupBox7), static_cast<QWidget*>(BitBtn4),
                          static_cast<QWidget*>(BitBtn5), static_cast<QWidget*>(Label1),
                          static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label2),
                          static_cast<QWidget*>(Button2), static_cast<QWidget*>(Button1),
                          static_cast<QWidget*>(Edit4), static_cast<QWidget*>(Edit5),
                          static_cast<QWidget*>(UpDown2), static_cast<QWidget*>(UpDown3),
                          static_cast<QWidget*>(Edit6)})
        tool->hide();

    // Group "Algorithmus".
    ListBox1 = new QListWidget(GroupBox2);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 48, 201, 441);
    ListBox1->setFont(courierFont(16));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new FixedRowHeight(18, ListBox1));
    {
        QPalette palette = ListBox1->palette();
        palette.setColor(QPalette::Base, Colours::Navy);
        palette.setColor(QPalette::Text, Colours::Yellow);
        ListBox1->setPalette(palette);
    }
    ListBox1->installEventFilter(this);
    StaticText4 = makeText(GroupBox2, "StaticText4", {8, 24, 166, 21},
                           "Gefundene Cliquen:", courierFont(15, false, true), Colours::Red);
    GroupBox3 = makeGroup(GroupBox2, "GroupBox3", {216, 376, 361, 137}, "Sortierparameter");
    BitBtn6 = makeBitBtn(GroupBox2, "BitBtn6", GlyphKind::Ok, {216, 320, 361, 33}, "Berechnen!");
    BitBtn6->setFont(courierFont(15, true));
    setTextColour(BitBtn6, Colours::Red);
    GroupBox5 = makeGroup(GroupBox2, "GroupBox5", {216, 16, 361, 289}, "Mandorin");
    BitBtn9 = makeBitBtn(GroupBox2, "BitBtn9", GlyphKind::Retry, {64, 496, 97, 25}, "Speichern");

    // Group "Sortierparameter".
    GroupBox4 = makeGroup(GroupBox3, "GroupBox4", {152, 16, 201, 105}, "Verwendung");
    Button3 = makeButton(GroupBox3, "Button3", {8, 24, 137, 25}, "Redundanz vermeiden");
    Button4 = makeButton(GroupBox3, "Button4", {8, 56, 137, 25}, "Aufsteigend");
    Button5 = makeButton(GroupBox3, "Button5", {8, 88, 137, 25}, "Absteigend");
    for (QPushButton* button : {Button3, Button4, Button5})
        button->setEnabled(false);

    // Group "Verwendung".
    Shape1 = makeShape(GroupBox4, "Shape1", {8, 24, 17, 17});
    Shape2 = makeShape(GroupBox4, "Shape2", {8, 48, 17, 17});
    Shape3 = makeShape(GroupBox4, "Shape3", {8, 72, 17, 17});
    StaticText7 =
        makeText(GroupBox4, "StaticText7", {32, 24, 144, 18}, "Redundanzvermeidung ", panelFont);
    StaticText8 = makeText(GroupBox4, "StaticText8", {32, 48, 81, 18}, "Aufsteigend", panelFont);
    StaticText9 = makeText(GroupBox4, "StaticText9", {32, 72, 74, 18}, "Absteigend", panelFont);

    // Group "Mandorin": the decision question.
    StaticText5 = makeText(GroupBox5, "StaticText5", {8, 24, 180, 26},
                           "Mandorin:", courierFont(19, true, true), Colours::Red);
    StaticText6 = makeText(GroupBox5, "StaticText6", {8, 96, 32, 31}, "k=", courierFont(24, true));
    Edit1 = makeEdit(GroupBox5, "Edit1", {48, 88, 41, 35}, "1", courierFont(24));
    UpDown1 = makeUpDown(GroupBox5, "UpDown1", {96, 88, 25, 33}, 1, 15, 1);
    GroupBox6 = makeGroup(GroupBox5, "GroupBox6", {8, 176, 345, 105}, "Ausgabe");
    BitBtn7 = makeBitBtn(GroupBox5, "BitBtn7", GlyphKind::Ok, {32, 136, 305, 33}, "Beantworten!");
    BitBtn7->setFont(courierFont(15, true));
    setTextColour(BitBtn7, Colours::Red);
    BitBtn7->setEnabled(false);
    StaticText12 = makeText(GroupBox5, "StaticText12", {8, 56, 238, 21},
                            "Mindestgröße einer Clique:", courierFont(15));

    // Group "Ausgabe".
    StaticText10 =
        makeText(GroupBox6, "StaticText10", {8, 72, 164, 22}, "Maximale Clique:", courierFont(16));
    StaticText11 =
        makeText(GroupBox6, "StaticText11", {8, 32, 94, 22}, "Existenz:", courierFont(16));
    Edit2 = makeEdit(GroupBox6, "Edit2", {104, 24, 65, 26}, QString(), courierFont(16));
    Edit3 = makeEdit(GroupBox6, "Edit3", {176, 64, 65, 26}, QString(), courierFont(16));
}

void TForm1::connectHandlers() {
    connect(RadioGroup1, &TRadioGroup::Click, this, &TForm1::RadioGroup1Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TForm1::BitBtn8Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn10, &QPushButton::clicked, this, &TForm1::BitBtn10Click);

    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(BitBtn9, &QPushButton::clicked, this, &TForm1::BitBtn9Click);
    connect(UpDown1, &TUpDown::Click, this, &TForm1::UpDown1Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);

    connect(UpDown4, &TUpDown::Click, this, &TForm1::UpDown4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(BitBtn11, &QPushButton::clicked, this, &TForm1::BitBtn11Click);
    connect(UpDown2, &TUpDown::Click, this, &TForm1::UpDown2Click);
    connect(UpDown3, &TUpDown::Click, this, &TForm1::UpDown3Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
}

void TForm1::setAuxiliaryWindows(TForm2* help, TForm3* version, TForm4* progress,
                                 TForm6* heuristic) {
    Form2 = help;
    Form3 = version;
    Form4 = progress;
    Form6 = heuristic;
}

bool TForm1::loadPicture(const QString& fileName) {
    const QImage picture = readPicture(fileName);
    if (picture.isNull()) {
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotLoadPicture(fileName));
        return false;
    }
    Image1->setPicture(picture);
    return true;
}

bool TForm1::loadSampleGraph(int k) {
    if (!loadPicture(programDirectory() + QString::fromLatin1(sampleGraph(k).pictureFile)))
        return false;
    appendSampleGraph(Store, k);
    return true;
}

void TForm1::FormCreate() {
    seedRandomFromClock();
    const QString iconFile = programDirectory() + "icon.ico";
    const QIcon icon(iconFile);
    if (icon.isNull() || icon.availableSizes().isEmpty())
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotLoadPicture(iconFile));
    else
        QApplication::setWindowIcon(icon);
    Grid.fillCoordinates();
    Grid.reset();
    // A missing picture is reported; the graph is loaded all the same so the
    // program stays usable.
    if (!loadSampleGraph(1))
        appendSampleGraph(Store, 1);
    Store.refreshCounts();
}

void TForm1::setLamps(const QColor& one, const QColor& two, const QColor& three) {
    Shape1->setBrushColor(one);
    Shape2->setBrushColor(two);
    Shape3->setBrushColor(three);
}

void TForm1::showCliqueList() {
    ListBox1->clear();
    QStringList texts;
    texts.reserve(Cliques.size());
    for (const Clique& clique : Cliques)
        texts.append(displayText(clique.text()));
    ListBox1->addItems(texts);
}

void TForm1::hideEditorTools() {
    for (QWidget* tool :
         {static_cast<QWidget*>(GroupBox7), static_cast<QWidget*>(Button1),
          static_cast<QWidget*>(Button2), static_cast<QWidget*>(BitBtn4),
          static_cast<QWidget*>(BitBtn5), static_cast<QWidget*>(BitBtn11),
          static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
          static_cast<QWidget*>(Label3), static_cast<QWidget*>(Edit4), static_cast<QWidget*>(Edit5),
          static_cast<QWidget*>(Edit6), static_cast<QWidget*>(UpDown2),
          static_cast<QWidget*>(UpDown3), static_cast<QWidget*>(UpDown4)})
        tool->hide();
}

void TForm1::RadioGroup1Click() {
    Store.clear();
    Cliques.clear();
    ListBox1->clear();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    switch (RadioGroup1->itemIndex()) {
    case 0:
    case 1:
        if (!loadSampleGraph(RadioGroup1->itemIndex() + 1))
            return;
        break;
    case 2:
        enterEditorMode();
        return;
    default:
        return;
    }
    hideEditorTools();
    Store.refreshCounts();
}

void TForm1::BitBtn8Click() {
    RadioGroup1->setItemIndex(-1);
    Image1->clear();
    ListBox1->clear();
    for (QPushButton* button : {Button3, Button4, Button5})
        button->setEnabled(false);
    Edit1->setText("1");
    UpDown1->setPosition(1);
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    Edit2->clear();
    Edit3->clear();
    BitBtn7->setEnabled(false);
    for (QWidget* tool : {static_cast<QWidget*>(GroupBox7), static_cast<QWidget*>(Button2),
                          static_cast<QWidget*>(Button1), static_cast<QWidget*>(BitBtn4),
                          static_cast<QWidget*>(BitBtn5)})
        tool->hide();
    Edit4->setText("0");
    Edit4->hide();
    Label1->hide();
    Label3->hide();
    Edit5->setText("0");
    Edit5->hide();
    UpDown2->hide();
    UpDown2->setPosition(0);
    UpDown3->hide();
    UpDown3->setPosition(0);
    vertices.clear();
    edges.clear();
    Cliques.clear();
    Store.vertexCount = 0;
    Store.edgeCount = 0;
}

void TForm1::BitBtn1Click() {
    if (!Form2)
        return;
    bringToFront(Form2);
}

void TForm1::BitBtn2Click() {
    if (!Form3)
        return;
    bringToFront(Form3);
}

void TForm1::BitBtn10Click() {
    if (!Form6)
        return;
    bringToFront(Form6);
    Form6->Image1->clear();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Enter goes to the default button before the list sees a character.
        if ((keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) &&
            pressDefaultButton())
            return true;
        if (!keyEvent->text().isEmpty()) {
            QChar key = keyEvent->text().front();
            ListBox1KeyPress(key);
            if (key.isNull())
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm1::pressDefaultButton() {
    // "Berechnen!" comes first when both default buttons are enabled.
    for (QPushButton* button : {BitBtn6, BitBtn7}) {
        if (button->isEnabled() && button->isVisible()) {
            button->click();
            return true;
        }
    }
    return false;
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter presses a default button when the focus is not on a button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !qobject_cast<QPushButton*>(focusWidget()) && pressDefaultButton())
        return;
    QWidget::keyPressEvent(event);
}
