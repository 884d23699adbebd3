#include "app/program.h"
#include "graph/random.h"
#include "graph/text_list.h"
#include "monkey_dialogs.h"
#include "support/main_window_driver.h"
#include "support/quiet_raise.h"
#include "support/resident_memory.h"
#include "support/scripted_dialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kActions = 5000;
// The long-use check: this many actions in one process, resident memory
// taken after the first kWarmUpActions and at the end.
constexpr int kLongUseActions = 20000;
constexpr int kWarmUpActions = 2000;
constexpr qint64 kLongUseGrowthLimit = 10 * 1024 * 1024;
constexpr quint64 kDefaultSeed = 20240611;
constexpr qsizetype kLogLength = 20;
// An action that takes longer than this counts as a hang.
constexpr qint64 kActionLimitMs = 30000;
// When an action does not come back at all, the watchdog ends the process
// after this long, with the log.
constexpr auto kHangLimit = std::chrono::seconds(120);
// No list the file pool or the editor can produce is longer.
constexpr qsizetype kMaxListLength = 20000;

// Set MANDORIN_MONKEY_SEED to repeat a failed run.
quint64 monkeySeed() {
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("MANDORIN_MONKEY_SEED").toULongLong(&ok);
    return ok ? seed : kDefaultSeed;
}

class Watchdog {
public:
    Watchdog() : m_thread([this] { run(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    // The report is printed if the action started now does not end in time.
    void arm(std::string report) {
        std::lock_guard lock(m_mutex);
        m_report = std::move(report);
        m_deadline = std::chrono::steady_clock::now() + kHangLimit;
        m_armed = true;
    }
    void disarm() {
        std::lock_guard lock(m_mutex);
        m_armed = false;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::milliseconds(500));
            if (m_armed && std::chrono::steady_clock::now() > m_deadline) {
                std::fprintf(stderr, "FAIL! monkey: action did not return within %lld s\n%s\n",
                             static_cast<long long>(kHangLimit.count()), m_report.c_str());
                std::fflush(stderr);
                std::_Exit(EXIT_FAILURE);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_armed = false;
    std::chrono::steady_clock::time_point m_deadline;
    std::string m_report;
    std::thread m_thread; // last: starts once the rest exists
};

QString widgetName(const QWidget* widget) {
    QStringList parts;
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (!w->objectName().isEmpty())
            parts.prepend(w->objectName());
        else if (w == widget)
            parts.prepend(QString::fromLatin1(w->metaObject()->className()));
    }
    QString name = parts.join('/');
    if (auto* button = qobject_cast<const QAbstractButton*>(widget);
        button && !button->text().isEmpty())
        name += " \"" + button->text() + '"';
    return name;
}

// Every spinner and track bar agrees with the fields that show it, in both
// windows that have them.
QString displayFault(const Program& p) {
    const MainWindow& f = p.mainWindow;
    const auto number = [](int value) { return QString::number(value); };
    const int position = control<StepArrows>(f, "UpDown4")->position();
    const QString positionText =
        number(position) + (gridOf(f).taken[size_t(position)] == 1 ? "!" : "");
    const QList<std::pair<QString, QString>> main{
        {control<QLineEdit>(f, "Edit1")->text(),
         number(control<StepArrows>(f, "UpDown1")->position())},
        {control<QLineEdit>(f, "Edit4")->text(),
         number(control<StepArrows>(f, "UpDown2")->position())},
        {control<QLineEdit>(f, "Edit5")->text(),
         number(control<StepArrows>(f, "UpDown3")->position())},
        {control<QLineEdit>(f, "Edit6")->text(), positionText}};
    for (const auto& [shown, expected] : main)
        if (shown != expected)
            return QString("the main window shows \"%1\" where \"%2\" belongs")
                .arg(shown, expected);

    const HeuristicWindow& h = p.heuristicWindow;
    const int exponent = control<QSlider>(h, "TrackBar1")->value();
    const int factor = control<StepArrows>(h, "UpDown1")->position();
    int power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    const QColor colour = exponent <= 2   ? Colours::Red
                          : exponent <= 4 ? Colours::Yellow
                                          : Colours::Green;
    if (h.iterations() != factor * power ||
        control<QLabel>(h, "Label1")->text() != number(h.iterations()) ||
        control<QLabel>(h, "Label2")->text() != number(exponent) ||
        control<QLabel>(h, "Label3")->text() != number(factor) ||
        control<StepArrows>(h, "UpDown2")->position() != exponent ||
        control<Lamp>(h, "Shape1")->colour() != colour)
        return QString("the heuristic window shows %1 iterations (\"%2\"), exponent \"%3\" "
                       "(spinner %4, track bar %5, circle %6), factor \"%7\" (spinner %8)")
            .arg(h.iterations())
            .arg(control<QLabel>(h, "Label1")->text(), control<QLabel>(h, "Label2")->text())
            .arg(control<StepArrows>(h, "UpDown2")->position())
            .arg(exponent)
            .arg(control<Lamp>(h, "Shape1")->colour().name(), control<QLabel>(h, "Label3")->text())
            .arg(factor);
    return {};
}

// What must hold after every user action: the progress window is closed
// again, ListBox1 shows exactly the clique list, and the counts of the graph
// store are sane (equal to the list lengths where they were just refreshed).
QString programFault(const Program& p, bool countsRefreshed) {
    const MainWindow& form1 = p.mainWindow;
    if (p.progressWindow.isVisible())
        return "the progress window is still shown";

    const QListWidget* list = control<QListWidget>(form1, "ListBox1");
    if (list->count() != cliquesOf(form1).size())
        return QString("ListBox1 has %1 entries, the clique list %2")
            .arg(list->count())
            .arg(cliquesOf(form1).size());
    for (int i = 0; i < list->count(); ++i) {
        const QString expected = cliqueDisplayText(cliquesOf(form1)[i]);
        if (list->item(i)->text() != expected)
            return QString("ListBox1 entry %1 is \"%2\", the clique list has \"%3\"")
                .arg(i)
                .arg(list->item(i)->text().left(80), expected.left(80));
    }

    const GraphStore& store = storeOf(form1);
    for (qsizetype count :
         {store.vertexCount, store.edgeCount, store.vertices.count(), store.edges.count()})
        if (count < 0 || count > kMaxListLength)
            return QString("a count of the graph store is %1").arg(count);
    if (countsRefreshed &&
        (store.vertexCount != store.vertices.count() || store.edgeCount != store.edges.count()))
        return QString("counts %1/%2 for lists of %3/%4")
            .arg(store.vertexCount)
            .arg(store.edgeCount)
            .arg(store.vertices.count())
            .arg(store.edges.count());
    return displayFault(p);
}

bool usable(const QWidget* widget) {
    return widget->isVisible() && widget->isEnabled();
}

// The controls of one kind a user could reach in a window.
template <typename Control> QList<Control*> usableChildren(QWidget* window) {
    QList<Control*> controls;
    for (Control* control : window->findChildren<Control*>())
        if (usable(control))
            controls.append(control);
    return controls;
}

// Where a user clicks a button: on the indicator of a radio item or check box,
// in the middle of anything else.
QPoint clickPoint(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    if (qobject_cast<QRadioButton*>(button))
        return button->style()
            ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
            .center();
    if (qobject_cast<QCheckBox*>(button))
        return button->style()
            ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, button)
            .center();
    return button->rect().center();
}

// Keystrokes are this far apart, so that no two join into one list search.
constexpr int kKeyGapMs = 2;
const Qt::Key kSliderKeys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                               Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
struct KeyPress {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
// Enter and Esc reach the default and cancel buttons, Alt with a letter the
// buttons' access keys ("S&chließen"), the rest typing and moving around.
const KeyPress kKeys[] = {{Qt::Key_Return},
                          {Qt::Key_Enter},
                          {Qt::Key_Escape},
                          {Qt::Key_Space},
                          {Qt::Key_Tab},
                          {Qt::Key_Up},
                          {Qt::Key_Down},
                          {Qt::Key_PageDown},
                          {Qt::Key_Home},
                          {Qt::Key_End},
                          {Qt::Key_Delete},
                          {Qt::Key_Backspace},
                          {Qt::Key_A},
                          {Qt::Key_1},
                          {Qt::Key_Minus},
                          {Qt::Key_Adiaeresis},
                          {Qt::Key_C, Qt::AltModifier},
                          {Qt::Key_H, Qt::AltModifier}};

class Monkey {
public:
    explicit Monkey(quint64 seed)
        : m_seed(seed), m_random(seed), m_dialogs(m_random),
          m_keyboardInterval(QApplication::keyboardInputInterval()) {
        // Typed letters search the lists; keystrokes a few milliseconds
        // apart must not join into one search, or the walk would depend on
        // the speed of the machine.
        QApplication::setKeyboardInputInterval(0);
    }
    ~Monkey() { QApplication::setKeyboardInputInterval(m_keyboardInterval); }

    bool ready() const { return m_dialogs.isValid(); }

    // Runs the walk; returns the first fault with the seed and the log, or
    // nothing. afterEach is called with the number of each action that passed.
    QString run(int actions, const std::function<void(int)>& afterEach = {});
    QString statistics() const;

private:
    void start();
    QList<QWidget*> visibleWindows() const;
    QString act();
    QString clickButton(QWidget* window);
    QString moveSlider(QWidget* window);
    QString clickRow(QWidget* window);
    QString pressKey(QWidget* window);
    QString check() const;
    // Lets a click that an access key started (it completes on a timer)
    // finish within the action that started it.
    void settle();
    // Tells the watchdog what the action about to run is.
    void announce(const QString& what);
    QString report(int action, const QString& fault) const;
    void log(const QString& line);

    template <typename T> T* pick(const QList<T*>& list) {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(m_random));
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    quint64 m_seed;
    std::mt19937_64 m_random;
    MonkeyDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
    QList<QPointer<QWidget>> m_windows;
    std::deque<QString> m_log;
    Watchdog* m_watchdog = nullptr;
    int m_actions = 0;
    int m_action = 0;
    // The button clicked by the current action, if it was a click.
    QWidget* m_clicked = nullptr;

    int m_keyboardInterval;
    int m_starts = 0;
    int m_clicks = 0;
    int m_slides = 0;
    int m_rows = 0;
    int m_keys = 0;
    int m_messages = 0;
    int m_searches = 0;
    int m_walks = 0;
    int m_longestWalk = 0;
    qsizetype m_longestList = 0;
    qsizetype m_mostVertices = 0;
    qint64 m_slowestMs = 0;
    QString m_slowest;
};

void Monkey::start() {
    m_program.reset();
    const QWidgetList before = QApplication::topLevelWidgets();
    m_program = std::make_unique<Program>();
    // Every window the program made, whatever it calls them.
    m_windows.clear();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && !before.contains(widget) && type != Qt::Popup &&
            type != Qt::ToolTip && type != Qt::Desktop)
            m_windows.append(widget);
    }
    // The application keeps its windows in no particular order; the walk must
    // not depend on where they lie in memory.
    std::sort(m_windows.begin(), m_windows.end(), [](const auto& a, const auto& b) {
        return std::pair(a->objectName(), a->windowTitle()) <
               std::pair(b->objectName(), b->windowTitle());
    });
    // The clock seeded the program's generator; the walk should repeat.
    seedRandom(std::uint32_t(m_seed + quint64(m_starts)));
    m_program->mainWindow.show();
    ++m_starts;
}

QList<QWidget*> Monkey::visibleWindows() const {
    QList<QWidget*> windows;
    for (const QPointer<QWidget>& window : m_windows) {
        if (window && window->isVisible())
            windows.append(window);
    }
    return windows;
}

QString Monkey::clickButton(QWidget* window) {
    const QList<QAbstractButton*> buttons = usableChildren<QAbstractButton>(window);
    if (buttons.isEmpty())
        return {};
    QAbstractButton* button = pick(buttons);
    // Closing the main window ends the program and the walk starts afresh;
    // done at every chance it would leave little time for anything else.
    if (button == control<QPushButton>(m_program->mainWindow, "BitBtn3") && chance(0.9))
        button = pick(buttons);
    m_clicked = button;
    if (button == control<QPushButton>(m_program->mainWindow, "BitBtn6"))
        ++m_searches;
    if (button == control<QPushButton>(m_program->heuristicWindow, "BitBtn1")) {
        ++m_walks;
        m_longestWalk = std::max(m_longestWalk, m_program->heuristicWindow.iterations());
    }
    const QString name = widgetName(button);
    announce("click " + name);
    QTest::mouseClick(button, Qt::LeftButton, {}, clickPoint(button));
    ++m_clicks;
    return "click " + name;
}

QString Monkey::moveSlider(QWidget* window) {
    const QList<QAbstractSlider*> sliders = usableChildren<QAbstractSlider>(window);
    if (sliders.isEmpty())
        return {};
    QAbstractSlider* slider = pick(sliders);
    const QString name = widgetName(slider);
    ++m_slides;
    const int way = std::uniform_int_distribution<int>(0, 2)(m_random);
    if (way == 0) {
        const Qt::Key key = kSliderKeys[std::uniform_int_distribution<int>(0, 7)(m_random)];
        announce("key on " + name);
        QTest::keyClick(slider, key, Qt::NoModifier, kKeyGapMs);
        return QString("key %1 on %2").arg(QKeySequence(key).toString(), name);
    }
    if (way == 1) {
        // A click on the groove pages towards the click.
        const QPoint point(std::uniform_int_distribution<int>(0, slider->width() - 1)(m_random),
                           std::uniform_int_distribution<int>(0, slider->height() - 1)(m_random));
        announce("click on " + name);
        QTest::mouseClick(slider, Qt::LeftButton, {}, point);
        return QString("click %1 at %2,%3").arg(name).arg(point.x()).arg(point.y());
    }
    // A drag: the handle goes down, moves to a place within the range, comes up.
    const int value =
        std::uniform_int_distribution<int>(slider->minimum(), slider->maximum())(m_random);
    announce("drag " + name);
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
    return QString("drag %1 to %2").arg(name).arg(value);
}

QString Monkey::clickRow(QWidget* window) {
    QList<QAbstractItemView*> views;
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>())
        if (usable(view) && view->model() && view->model()->rowCount(view->rootIndex()) > 0)
            views.append(view);
    if (views.isEmpty())
        return {};
    QAbstractItemView* view = pick(views);
    const QString name = widgetName(view);
    QAbstractItemModel* model = view->model();
    const int row =
        std::uniform_int_distribution<int>(0, model->rowCount(view->rootIndex()) - 1)(m_random);
    const int column = std::uniform_int_distribution<int>(
        0, std::max(0, model->columnCount(view->rootIndex()) - 1))(m_random);
    const QModelIndex index = model->index(row, column, view->rootIndex());
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    if (!rect.isValid())
        return {};
    announce("click row of " + name);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    ++m_rows;
    return QString("click row %1 column %2 of %3").arg(row).arg(column).arg(name);
}

QString Monkey::pressKey(QWidget* window) {
    QList<QWidget*> targets{window};
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (usable(widget) && widget->focusPolicy() != Qt::NoFocus)
            targets.append(widget);
    QWidget* widget = pick(targets);
    const QString name = widgetName(widget);
    const KeyPress press =
        kKeys[std::uniform_int_distribution<int>(0, std::size(kKeys) - 1)(m_random)];
    announce("key on " + name);
    QTest::keyClick(widget, press.key, press.modifiers, kKeyGapMs);
    ++m_keys;
    return QString("key %1 on %2")
        .arg(QKeySequence(QKeyCombination(press.modifiers, press.key)).toString(), name);
}

QString Monkey::act() {
    QList<QWidget*> windows = visibleWindows();
    // The main window is where most of the work happens.
    if (windows.contains(&m_program->mainWindow) && chance(0.4))
        windows = {&m_program->mainWindow};
    QWidget* window = pick(windows);
    const int kind = std::uniform_int_distribution<int>(0, 99)(m_random);
    QString done;
    if (kind < 10)
        done = moveSlider(window);
    else if (kind < 20)
        done = clickRow(window);
    else if (kind < 30)
        done = pressKey(window);
    else if (kind < 32 && (window != &m_program->mainWindow || chance(0.1))) {
        // The close box in the title bar.
        done = "close box of " + widgetName(window);
        announce(done);
        window->close();
    }
    if (done.isEmpty())
        done = clickButton(window);
    if (done.isEmpty())
        done = pressKey(window);
    return done;
}

void Monkey::settle() {
    const auto anyButtonDown = [this] {
        for (const QPointer<QWidget>& window : m_windows) {
            if (!window)
                continue;
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (button->isDown())
                    return true;
        }
        return false;
    };
    QElapsedTimer timer;
    timer.start();
    while (anyButtonDown() && timer.elapsed() < 2000)
        QTest::qWait(10);
}

QString Monkey::check() const {
    // Both the clique search and the walk refresh the counts before they read them.
    return programFault(
        *m_program, m_clicked == control<QPushButton>(m_program->mainWindow, "BitBtn6") ||
                        m_clicked == control<QPushButton>(m_program->heuristicWindow, "BitBtn1"));
}

void Monkey::announce(const QString& what) {
    m_watchdog->arm(report(m_action, "no answer to: " + what).toStdString());
}

void Monkey::log(const QString& line) {
    m_log.push_back(line);
    while (qsizetype(m_log.size()) > kLogLength)
        m_log.pop_front();
}

QString Monkey::report(int action, const QString& fault) const {
    QString text = QString("monkey seed %1 (MANDORIN_MONKEY_SEED=%1 repeats it), action %2 of %3: "
                           "%4\nlast actions:")
                       .arg(m_seed)
                       .arg(action)
                       .arg(m_actions)
                       .arg(fault);
    for (const QString& line : m_log)
        text += '\n' + line;
    return text;
}

QString Monkey::run(int actions, const std::function<void(int)>& afterEach) {
    m_actions = actions;
    Watchdog watchdog;
    m_watchdog = &watchdog;
    start();
    for (int n = 1; n <= actions; ++n) {
        m_action = n;
        if (!m_program->mainWindow.isVisible()) {
            // The main window was closed: the program has ended. Start it again.
            start();
            log(QString("#%1 program started again").arg(n));
        }
        m_dialogs.beginAction();
        m_clicked = nullptr;
        announce("choosing the action");

        QElapsedTimer timer;
        timer.start();
        QString done;
        QString fault;
        try {
            done = act();
            settle();
        } catch (const std::exception& e) {
            fault = QString("exception: %1").arg(e.what());
        } catch (...) {
            fault = "an unknown exception";
        }
        // The program still answers: a queued call comes through. (The call
        // dies with its context if it does not.)
        bool answered = false;
        {
            QObject context;
            QMetaObject::invokeMethod(
                &context, [&answered] { answered = true; }, Qt::QueuedConnection);
            QCoreApplication::processEvents();
        }
        const qint64 ms = timer.elapsed();
        watchdog.disarm();

        log(QString("#%1 %2 (%3 ms)").arg(n).arg(done).arg(ms));
        for (const QString& line : m_dialogs.describeEvents())
            log(line);
        m_messages += int(std::count_if(
            m_dialogs.events().begin(), m_dialogs.events().end(),
            [](const auto& event) { return event.kind == MonkeyDialogs::Event::Message; }));
        m_longestList = std::max(m_longestList, cliquesOf(m_program->mainWindow).size());
        m_mostVertices = std::max(m_mostVertices, storeOf(m_program->mainWindow).vertices.count());
        if (ms > m_slowestMs) {
            m_slowestMs = ms;
            m_slowest = done;
        }

        if (fault.isEmpty() && !answered)
            fault = "queued events are no longer delivered";
        if (fault.isEmpty() && ms > kActionLimitMs)
            fault = QString("the action took %1 ms").arg(ms);
        if (fault.isEmpty())
            fault = m_dialogs.checkAction();
        if (fault.isEmpty())
            fault = check();
        if (!fault.isEmpty()) {
            m_watchdog = nullptr;
            return report(n, fault);
        }
        if (afterEach)
            afterEach(n);
    }
    m_program.reset();
    m_watchdog = nullptr;
    return {};
}

QString Monkey::statistics() const {
    return QString("seed %1: %2 clicks, %3 slider moves, %4 row clicks, %5 keys, %6 messages, "
                   "%7 program starts; %8 searches, longest clique list %9, most vertices %10; "
                   "%11 walks, longest %12; slowest action %13 ms (%14)")
        .arg(m_seed)
        .arg(m_clicks)
        .arg(m_slides)
        .arg(m_rows)
        .arg(m_keys)
        .arg(m_messages)
        .arg(m_starts)
        .arg(m_searches)
        .arg(m_longestList)
        .arg(m_mostVertices)
        .arg(m_walks)
        .arg(m_longestWalk)
        .arg(m_slowestMs)
        .arg(m_slowest);
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
    const QuietRaise m_quietRaise;

private slots:
    void checksNoticeFaults_data();
    void checksNoticeFaults();
    void silentFileFailuresAreNoticed();
    void randomUserActions();
    void heaviestInputs_data();
    void heaviestInputs();
    void longUseKeepsMemoryFlat();
};

using Spoil = std::function<void(Program&)>;

void TestMonkey::checksNoticeFaults_data() {
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<bool>("countsRefreshed");
    QTest::newRow("intact") << Spoil([](Program&) {}) << true;
    QTest::newRow("extra list entry") << Spoil([](Program& p) {
        control<QListWidget>(p.mainWindow, "ListBox1")->addItem("(0-1)");
    }) << false;
    QTest::newRow("other list text") << Spoil([](Program& p) {
        control<QPushButton>(p.mainWindow, "BitBtn6")->click();
        control<QListWidget>(p.mainWindow, "ListBox1")->item(2)->setText("(9)");
    }) << false;
    QTest::newRow("progress window left open")
        << Spoil([](Program& p) { p.progressWindow.show(); }) << false;
    QTest::newRow("stale count") << Spoil([](Program& p) {
        storeOf(p.mainWindow).vertices.append("9");
    }) << true;
    QTest::newRow("k not shown") << Spoil([](Program& p) {
        control<StepArrows>(p.mainWindow, "UpDown1")->setPosition(4);
    }) << false;
    QTest::newRow("position mark missing")
        << Spoil([](Program& p) { gridOf(p.mainWindow).taken[0] = 1; }) << false;
    QTest::newRow("exponent not followed") << Spoil([](Program& p) {
        const QSignalBlocker quiet(control<QSlider>(p.heuristicWindow, "TrackBar1"));
        control<QSlider>(p.heuristicWindow, "TrackBar1")->setValue(5);
    }) << false;
    QTest::newRow("factor not shown") << Spoil([](Program& p) {
        control<StepArrows>(p.heuristicWindow, "UpDown1")->setPosition(3);
    }) << false;
}

// The monkey's checks are what make its walk worth running: each must
// notice the fault it is there for.
void TestMonkey::checksNoticeFaults() {
    QFETCH(Spoil, spoil);
    QFETCH(bool, countsRefreshed);
    ScriptedDialogs dialogs;
    Program p;
    spoil(p);
    const QString fault = programFault(p, countsRefreshed);
    QCOMPARE(fault.isEmpty(), QByteArray(QTest::currentDataTag()) == "intact");
}

void TestMonkey::silentFileFailuresAreNoticed() {
    std::mt19937_64 random(7);
    MonkeyDialogs dialogs(random);
    QVERIFY(dialogs.isValid());
    using Outcome = MonkeyDialogs::Outcome;
    const auto expected = [&] { return dialogs.events().last().expected; };
    // Each kind of answer, left unreported, is a fault; reported, it is fine.
    QSet<QString> seen;
    for (int i = 0; i < 2000 && seen.size() < 3; ++i) {
        dialogs.beginAction();
        if (const std::optional<QString> name = dialogs.openFile(nullptr, "*.txt", {});
            name && expected() == Outcome::Fails) {
            QVERIFY(!dialogs.checkAction().isEmpty());
            dialogs.message(nullptr, Texts::FehlerCaption, Texts::cannotRead(*name));
            QCOMPARE(dialogs.checkAction(), QString());
            seen.insert("unreadable");
        }
        dialogs.beginAction();
        if (const std::optional<QString> name = dialogs.saveFile(nullptr, "*.txt", {})) {
            const QString kind = expected() == Outcome::Fails ? "unwritable" : "not written";
            QVERIFY2(!dialogs.checkAction().isEmpty(), qPrintable(kind));
            dialogs.message(nullptr, Texts::FehlerCaption, Texts::cannotWrite(*name + ".txt"));
            QCOMPARE(dialogs.checkAction(), QString());
            seen.insert(kind);
        }
    }
    QCOMPARE(seen.size(), 3);
    dialogs.beginAction();
    dialogs.message(nullptr, "Mandorin", "Text");
    QVERIFY(!dialogs.checkAction().isEmpty());
}

// Random clicks, drags and keys on every window of the program, with file
// dialogs answered from a pool of good and bad files. After every action the
// program must answer, show exactly its clique list and report every failed
// file operation.
void TestMonkey::randomUserActions() {
    Monkey monkey(monkeySeed());
    QVERIFY(monkey.ready());
    QElapsedTimer timer;
    timer.start();
    const QString fault = monkey.run(kActions);
    qInfo("%s; %d actions in %lld ms", qPrintable(monkey.statistics()), kActions,
          static_cast<long long>(timer.elapsed()));
    if (!fault.isEmpty())
        QFAIL(qPrintable(fault));
}

void TestMonkey::heaviestInputs_data() {
    QTest::addColumn<QString>("vertexFile");
    QTest::addColumn<QString>("edgeFile");
    QTest::addColumn<int>("vertices");
    QTest::newRow("10,000 labels, no edge between them") << "lines10000.txt"
                                                         << "lines10000.txt" << 10000;
    QTest::newRow("10,000 labels, a few edges") << "lines10000.txt"
                                                << "v_edges.txt" << 10000;
    QTest::newRow("40 vertices, half of all pairs joined") << "dense_vertices.txt"
                                                           << "dense_edges.txt" << 40;
    QTest::newRow("one label of 120,001 bytes") << "long_line.txt"
                                                << "long_line.txt" << 1;
    QTest::newRow("empty labels and dashes") << "weird.txt"
                                             << "weird.txt" << 10;
}

// The costliest things the monkey can run into, each done on purpose: every
// operation on the largest graphs of the pool, up to a walk of 9,000,000 steps,
// must stay within the time bound and keep the same rules.
void TestMonkey::heaviestInputs() {
    QFETCH(QString, vertexFile);
    QFETCH(QString, edgeFile);
    QFETCH(int, vertices);

    std::mt19937_64 random(1);
    MonkeyDialogs pool(random);
    QVERIFY(pool.isValid());
    ScriptedDialogs dialogs;
    Program p;
    MainWindow& f = p.mainWindow;
    HeuristicWindow& heuristic = p.heuristicWindow;
    f.show();
    const auto click = [](QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, clickPoint(button));
    };

    click(control<ChoiceGroup>(f, "RadioGroup1")->item(2));
    dialogs.answerEach({std::nullopt, pool.poolFile(vertexFile), pool.poolFile(edgeFile)});
    click(control<QPushButton>(f, "BitBtn4"));
    QCOMPARE(storeOf(f).vertices.count(), vertices);

    const QString saved = pool.poolFile("out/heavy");
    struct Step {
        QString what;
        std::function<void()> action;
        bool countsRefreshed = false;
    };
    const QList<Step> steps{
        {"Berechnen!", [&] { click(control<QPushButton>(f, "BitBtn6")); }, true},
        {"Redundanz vermeiden", [&] { click(control<QPushButton>(f, "Button3")); }},
        {"Aufsteigend", [&] { click(control<QPushButton>(f, "Button4")); }},
        {"Absteigend", [&] { click(control<QPushButton>(f, "Button5")); }},
        {"Beantworten!", [&] { click(control<QPushButton>(f, "BitBtn7")); }},
        {"Exakte Analyse",
         [&] {
             if (control<QPushButton>(f, "ButtonExact"))
                 click(control<QPushButton>(f, "ButtonExact"));
         }},
        {"first row of ListBox1",
         [&] {
             if (control<QListWidget>(f, "ListBox1")->count() > 0)
                 QTest::mouseClick(
                     control<QListWidget>(f, "ListBox1")->viewport(), Qt::LeftButton, {},
                     control<QListWidget>(f, "ListBox1")
                         ->visualItemRect(control<QListWidget>(f, "ListBox1")->item(0))
                         .center());
         }},
        {"Speichern",
         [&] {
             dialogs.answer(saved);
             click(control<QPushButton>(f, "BitBtn9"));
         }},
        {"Heuristik", [&] { click(control<QPushButton>(f, "BitBtn10")); }},
        {"9,000,000 steps",
         [&] {
             control<QSlider>(heuristic, "TrackBar1")->setSliderDown(true);
             control<QSlider>(heuristic, "TrackBar1")
                 ->setSliderPosition(control<QSlider>(heuristic, "TrackBar1")->maximum());
             control<QSlider>(heuristic, "TrackBar1")->setSliderDown(false);
             for (int i = 0; i < 8; ++i)
                 click(control<StepArrows>(heuristic, "UpDown1")->upButton());
         }},
        {"Ausführen", [&] { click(control<QPushButton>(heuristic, "BitBtn1")); }, true},
        {"Reset", [&] { click(control<QPushButton>(f, "BitBtn8")); }},
    };
    QStringList times;
    for (const Step& step : steps) {
        QElapsedTimer timer;
        timer.start();
        step.action();
        QCoreApplication::processEvents();
        const qint64 ms = timer.elapsed();
        times.append(QString("%1 %2 ms").arg(step.what).arg(ms));
        QVERIFY2(ms <= kActionLimitMs, qPrintable(times.last()));
        const QString fault = programFault(p, step.countsRefreshed);
        QVERIFY2(fault.isEmpty(), qPrintable(step.what + ": " + fault));
    }
    qInfo("%s", qPrintable(times.join(", ")));
    QCOMPARE(heuristic.iterations(), 9000000);
    QVERIFY(QFileInfo(saved + ".txt").isFile());
}

// A long session in one process: memory that grows with the number of
// actions (a list, cache or window that is never let go) shows as the
// difference between the resident size after the first actions, once the
// program has warmed up, and at the end.
void TestMonkey::longUseKeepsMemoryFlat() {
    if (!qEnvironmentVariableIsSet("MANDORIN_MONKEY_LONG_USE"))
        QSKIP("runs as the monkey_long_use test (MANDORIN_MONKEY_LONG_USE=1)");
    Monkey monkey(monkeySeed());
    QVERIFY(monkey.ready());
    qint64 warm = -1;
    qint64 end = -1;
    const QString fault = monkey.run(kLongUseActions, [&](int action) {
        if (action == kWarmUpActions)
            warm = residentBytes();
        if (action == kLongUseActions)
            end = residentBytes();
    });
    if (!fault.isEmpty())
        QFAIL(qPrintable(fault));
    QVERIFY(warm > 0 && end > 0);
    const QString figures = QString("resident memory after %1 actions %2 KiB, after %3 actions %4 "
                                    "KiB (%5 KiB more)")
                                .arg(kWarmUpActions)
                                .arg(warm / 1024)
                                .arg(kLongUseActions)
                                .arg(end / 1024)
                                .arg((end - warm) / 1024);
    qInfo("%s; %s", qPrintable(monkey.statistics()), qPrintable(figures));
    QVERIFY2(qAbs(end - warm) < kLongUseGrowthLimit, qPrintable(figures));
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
