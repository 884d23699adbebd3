#include "support/main_window_driver.h"
#include "support/scripted_dialogs.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

namespace {

// Roles that carry information or take input: each must have a name.
bool informative(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Window:
    case QAccessible::Grouping:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Graphic:
    case QAccessible::StatusBar:
    case QAccessible::ProgressBar:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::ScrollBar:
    case QAccessible::Button:
    case QAccessible::RadioButton:
    case QAccessible::CheckBox:
    case QAccessible::ComboBox:
    // A frame or pane without a name is announced as just that.
    case QAccessible::Border:
    case QAccessible::Pane:
        return true;
    default:
        return false;
    }
}

struct Found {
    QString name;
    QString control;
};

// The shown controls of a window that a screen reader must be able to name:
// focusable or informative ones. Items of lists and tables are content, not
// controls, and are left out.
void collect(QAccessibleInterface* node, QList<Found>& found) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->state().invisible || !qobject_cast<QWidget*>(child->object()))
            continue;
        if (child->state().focusable || informative(child->role())) {
            const QObject* object = child->object();
            QString control = object->objectName();
            if (object->parent() && control.size() <= 4)
                control = object->parent()->objectName() + '/' + control;
            found.append({child->text(QAccessible::Name).trimmed(), control});
        }
        if (child->role() != QAccessible::List && child->role() != QAccessible::Table)
            collect(child, found);
    }
}

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString name(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

QString description(QObject* object) {
    return accessible(object)->text(QAccessible::Description);
}

// What screen readers were told, as "object event" lines.
QStringList announced;
void recordAnnouncement(QAccessibleEvent* event) {
    if (event->object())
        announced.append(event->object()->objectName() + ' ' + QString::number(event->type()));
}

// Qt passes announcements on only while an accessibility bus listens, as
// it does when CTest runs this suite (run_with_accessibility_bus.sh).
struct RecordedAnnouncements {
    RecordedAnnouncements() {
        if (!QAccessible::isActive())
            qFatal("No accessibility bus listens: run this suite through CTest.");
        announced.clear();
        previous = QAccessible::installUpdateHandler(recordAnnouncement);
    }
    ~RecordedAnnouncements() { QAccessible::installUpdateHandler(previous); }
    QAccessible::UpdateHandler previous;
};

QString line(const char* object, QAccessible::Event event) {
    return QString::fromLatin1(object) + ' ' + QString::number(event);
}

// Every window shown, with its controls in view: the editor's tools
// (sample graph 1 searched first), the exact analysis, help, version,
// progress and heuristic windows.
struct AllShown : MainWindowDriver {
    AllShown() {
        click(control<QPushButton>(f, "BitBtn6"));
        click(control<QPushButton>(f, "ButtonExact"));
        click(control<QPushButton>(f, "BitBtn1"));
        click(control<QPushButton>(f, "BitBtn2"));
        click(control<QPushButton>(f, "BitBtn10"));
        click(control<QPushButton>(f, "ButtonSteps"));
        p.progressWindow.show();
        click(control<QPushButton>(f, "ButtonTry"));
        choose(2);
    }
    QWidget* window(const QString& name) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 &f, &p.helpWindow, &p.versionWindow, &p.progressWindow, &p.heuristicWindow,
                 &p.exactAnalysisWindow, &p.stepPlayWindow, &p.practiceWindow})
            if (w->objectName() == name)
                return w;
        qFatal("no window %s", qPrintable(name));
    }
    ScriptedDialogs dialogs;
};

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT
private slots:
    void everyControlNamed_data();
    void everyControlNamed();
    void textsApart_data();
    void textsApart();
    void namesFromLabels_data();
    void namesFromLabels();
    void searchChoiceLabelled();
    void lampsAnnounceState_data();
    void lampsAnnounceState();
    void exponentLampState_data();
    void exponentLampState();
    void stepArrowsValue_data();
    void stepArrowsValue();
    void pictureDescriptions();
};

void TestScreenReader::everyControlNamed_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("main") << "Form1"
                          << "Mandorin";
    QTest::newRow("help") << "Form2"
                          << "Mandorin: Hilfe";
    QTest::newRow("version") << "Form3"
                             << "Mandorin: Version";
    QTest::newRow("progress") << "Form4"
                              << "Mandorin: Fortschritt";
    QTest::newRow("heuristic") << "Form6"
                               << "Mandorin: Heuristik";
    QTest::newRow("exact analysis") << "FormExact"
                                    << "Mandorin: Exakte Analyse";
    QTest::newRow("steps") << "FormSteps"
                           << "Mandorin: Schritt für Schritt";
    QTest::newRow("practice") << "FormTry"
                              << "Mandorin: Selbst probieren";
}

// Walks the window's tree as a screen reader does: the window is a window
// with its title, no control goes without a name, and no two share one.
void TestScreenReader::everyControlNamed() {
    QFETCH(QString, window);
    QFETCH(QString, title);
    AllShown s;
    QWidget* w = s.window(window);
    QVERIFY(w->isVisible());
    QAccessibleInterface* root = accessible(w);
    QCOMPARE(root->role(), QAccessible::Window);
    QCOMPARE(root->text(QAccessible::Name), title);

    QList<Found> found;
    collect(root, found);
    QVERIFY(!found.isEmpty());
    QHash<QString, QString> named;
    for (const Found& f : found) {
        QVERIFY2(!f.name.isEmpty(), qPrintable(f.control + " has no name"));
        QVERIFY2(!named.contains(f.name),
                 qPrintable(QString("%1 and %2 are both called \"%3\"")
                                .arg(named.value(f.name), f.control, f.name)));
        named.insert(f.name, f.control);
    }
}

// The windows whose layout is the program's own; the classic windows keep
// their texts where they always stood, a few of them touching.
void TestScreenReader::textsApart_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("exact analysis") << "FormExact";
    QTest::newRow("steps") << "FormSteps";
}

// No two texts of a window share pixels: each stays readable, to the eye and
// to a screen reader's magnifier.
void TestScreenReader::textsApart() {
    QFETCH(QString, window);
    AllShown s;
    QWidget* w = s.window(window);
    QList<QLabel*> texts;
    for (QLabel* label : w->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            texts.append(label);
    for (qsizetype i = 0; i < texts.size(); ++i)
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QRect a(texts[i]->mapTo(w, QPoint()), texts[i]->size());
            const QRect b(texts[j]->mapTo(w, QPoint()), texts[j]->size());
            QVERIFY2(!a.intersects(b), qPrintable(texts[i]->objectName() + " and " +
                                                  texts[j]->objectName() + " overlap"));
        }
}

void TestScreenReader::namesFromLabels_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* window, const char* control, const char* name) {
        QTest::addRow("%s %s", window, control) << window << control << QString(name);
    };
    row("Form1", "ListBox1", "Gefundene Cliquen");
    row("Form1", "Edit2", "Existenz");
    row("Form1", "Edit3", "Maximale Clique");
    row("Form1", "UpDown1", "k");
    row("Form1", "UpDown4", "Position");
    row("Form1", "UpDown2", "v1");
    row("Form1", "UpDown3", "v2");
    row("Form1", "Shape1", "Lampe Redundanzvermeidung");
    row("Form1", "Shape2", "Lampe Aufsteigend");
    row("Form1", "Shape3", "Lampe Absteigend");
    row("Form1", "Image1", "Darstellung des Graphen");
    row("Form1", "RadioGroup1", "Graphen-Auswahl");
    row("Form1", "GroupBox7", "Graphen-Werkzeuge");
    row("Form6", "UpDown1", "Faktor");
    row("Form6", "UpDown2", "Zehnerpotenz");
    row("Form4", "ProgressBar1", "Berechnungs-Fortschritt");
    row("FormExact", "EditCliqueNumber", "Cliquenzahl");
    row("FormExact", "EditAnswer", "Antwort");
    row("FormExact", "EditExample", "Beispiel");
    row("FormExact", "TableCliques", "Maximale Cliquen");
}

void TestScreenReader::namesFromLabels() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    AllShown s;
    QCOMPARE(::name(::control(*s.window(window), qPrintable(control))), name);
}

// Screen readers on Linux name a choice box by its current item and find
// what it is for through the label that names it.
void TestScreenReader::searchChoiceLabelled() {
    AllShown s;
    QStringList labels;
    const auto relations =
        accessible(control(*s.window("FormSteps"), "ComboSearch"))->relations(QAccessible::Label);
    for (const auto& [label, relation] : relations)
        labels.append(label->text(QAccessible::Name));
    QCOMPARE(labels, QStringList{"Verfahren:"});
}

void TestScreenReader::lampsAnnounceState_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("lamp");
    QTest::newRow("Redundanz vermeiden") << "Button3"
                                         << "Shape1";
    QTest::newRow("Aufsteigend") << "Button4"
                                 << "Shape2";
    QTest::newRow("Absteigend") << "Button5"
                                << "Shape3";
}

// The state is part of what a lamp says, and a change is announced.
void TestScreenReader::lampsAnnounceState() {
    QFETCH(QString, button);
    QFETCH(QString, lamp);
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    Lamp* shape = control<Lamp>(d.f, qPrintable(lamp));
    QCOMPARE(accessible(shape)->role(), QAccessible::StatusBar);
    click(control<QPushButton>(d.f, "BitBtn6"));
    QCOMPARE(description(shape), QString("nicht angewendet"));

    RecordedAnnouncements record;
    click(control<QPushButton>(d.f, qPrintable(button)));
    QCOMPARE(description(shape), QString("angewendet"));
    QCOMPARE(announced.count(line(qPrintable(lamp), QAccessible::DescriptionChanged)), 1);

    announced.clear();
    d.choose(1);
    QCOMPARE(description(shape), QString("nicht angewendet"));
    QCOMPARE(announced.count(line(qPrintable(lamp), QAccessible::DescriptionChanged)), 1);
}

void TestScreenReader::exponentLampState_data() {
    QTest::addColumn<int>("exponent");
    QTest::addColumn<QString>("state");
    QTest::newRow("2") << 2 << "rot";
    QTest::newRow("3") << 3 << "gelb";
    QTest::newRow("4") << 4 << "gelb";
    QTest::newRow("5") << 5 << "grün";
    QTest::newRow("6") << 6 << "grün";
}

void TestScreenReader::exponentLampState() {
    QFETCH(int, exponent);
    QFETCH(QString, state);
    ScriptedDialogs dialogs;
    Program p;
    control<QSlider>(p.heuristicWindow, "TrackBar1")->setValue(exponent);
    QCOMPARE(description(control<Lamp>(p.heuristicWindow, "Shape1")), state);
}

void TestScreenReader::stepArrowsValue_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("arrows");
    QTest::addColumn<QString>("shownIn");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("k") << "Form1"
                       << "UpDown1"
                       << "Edit1" << 1 << 15;
    QTest::newRow("v1") << "Form1"
                        << "UpDown2"
                        << "Edit4" << 0 << 14;
    QTest::newRow("v2") << "Form1"
                        << "UpDown3"
                        << "Edit5" << 0 << 14;
    QTest::newRow("Position") << "Form1"
                              << "UpDown4"
                              << "Edit6" << 0 << 14;
    QTest::newRow("Faktor") << "Form6"
                            << "UpDown1"
                            << "Label3" << 1 << 9;
    QTest::newRow("Zehnerpotenz") << "Form6"
                                  << "UpDown2"
                                  << "Label2" << 2 << 6;
}

// A screen reader reads the value with its range, sets it, and hears of
// every change; the window shows what was set, as after the user's clicks.
void TestScreenReader::stepArrowsValue() {
    QFETCH(QString, window);
    QFETCH(QString, arrows);
    QFETCH(QString, shownIn);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    AllShown s;
    click(control<QPushButton>(s.f, "BitBtn11")); // DelPos opens the edge arrows
    QWidget* w = s.window(window);
    StepArrows* upDown = control<StepArrows>(*w, qPrintable(arrows));
    const auto shown = [&] { return control<QWidget>(*w, qPrintable(shownIn))->property("text"); };
    QAccessibleInterface* iface = accessible(upDown);
    QCOMPARE(iface->role(), QAccessible::SpinBox);
    QAccessibleValueInterface* value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->minimumValue().toInt(), minimum);
    QCOMPARE(value->maximumValue().toInt(), maximum);
    QCOMPARE(value->currentValue().toInt(), minimum);
    QCOMPARE(iface->text(QAccessible::Value), QString::number(minimum));

    RecordedAnnouncements record;
    QSignalSpy stepped(upDown, &StepArrows::stepped);
    value->setCurrentValue(minimum + 3);
    QCOMPARE(upDown->position(), minimum + 3);
    QCOMPARE(shown().toString(), QString::number(minimum + 3));
    QCOMPARE(stepped.size(), 1);
    QCOMPARE(announced.count(line(qPrintable(arrows), QAccessible::ValueChanged)), 1);

    // Beyond the range it stops at the end; the actions step by one.
    value->setCurrentValue(maximum + 5);
    QCOMPARE(value->currentValue().toInt(), maximum);
    QVERIFY(iface->actionInterface());
    iface->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(value->currentValue().toInt(), maximum - 1);
    QCOMPARE(shown().toString(), QString::number(maximum - 1));
    QCOMPARE(stepped.size(), 3);

    // Set from code, the value is announced but no step is taken.
    upDown->setPosition(minimum);
    QCOMPARE(stepped.size(), 3);
    QCOMPARE(announced.count(line(qPrintable(arrows), QAccessible::ValueChanged)), 4);
}

// A picture says what it shows, and says it anew when that changes.
void TestScreenReader::pictureDescriptions() {
    ScriptedDialogs dialogs;
    MainWindowDriver d;
    PictureArea* graph = control<PictureArea>(d.f, "Image1");
    QCOMPARE(accessible(graph)->role(), QAccessible::Graphic);
    QCOMPARE(description(graph), QString("Graph mit 9 Knoten und 13 Kanten"));
    d.choose(1);
    QCOMPARE(description(graph), QString("Graph mit 5 Knoten und 8 Kanten"));
    click(control<QPushButton>(d.f, "BitBtn8"));
    QCOMPARE(description(graph), QString("leer"));
    d.choose(2);
    QCOMPARE(description(graph), QString("Graph ohne Knoten"));
    QVERIFY(d.place(0));
    QVERIFY(d.place(1));
    click(control<QPushButton>(d.f, "BitBtn11"));
    QVERIFY(d.edge(0, 1));
    QCOMPARE(description(graph), QString("Graph mit 2 Knoten und 1 Kante"));

    HeuristicWindow& h = d.p.heuristicWindow;
    PictureArea* chart = control<PictureArea>(h, "Image1");
    click(control<QPushButton>(d.f, "BitBtn10"));
    QCOMPARE(description(chart), QString("leer"));
    click(control<QPushButton>(h, "BitBtn1"));
    QVERIFY(!chart->isEmpty());
    QVERIFY2(description(chart).startsWith("Besuche von 2 Knoten; am häufigsten besucht: Knoten "),
             qPrintable(description(chart)));
    click(control<QPushButton>(h, "BitBtn2"));
    QCOMPARE(description(chart), QString("leer"));
}

QTEST_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
