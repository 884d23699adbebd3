#include "app/window_places.h"

#include "app/main_window.h"
#include "app/widgets.h"
#include "app/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {

QString settingsKey(const QWidget* window, const char* what) {
    return QStringLiteral("windowPlaces/%1/%2").arg(window->objectName(), QLatin1String(what));
}

// Whether a window there could still be taken by its title bar.
bool titleBarReachable(const QPoint& position, const QSize& size) {
    const QPoint titleBar = position + QPoint(size.width() / 2, 10);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(titleBar))
            return true;
    return false;
}

} // namespace

WindowPlaces::WindowPlaces(const MainWindow& mainWindow, QSettings* settings, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow), m_settings(settings) {}

WindowPlaces::~WindowPlaces() {
    for (const QWidget* window : std::as_const(m_windows))
        if (window->isVisible())
            keep(window);
}

void WindowPlaces::add(QWidget* window) {
    if (!restore(window))
        window->move(freePlace(window, m_mainWindow.screen()->availableGeometry()).topLeft());
    m_windows.append(window);
    window->installEventFilter(this);
}

QRect WindowPlaces::freePlace(const QWidget* window, const QRect& screen) const {
    QList<QRect> keepClear = m_mainWindow.areasToKeepClear();
    for (const QWidget* before : m_windows) {
        if (before == window)
            break;
        keepClear.append(outerGeometry(before));
    }
    return placeWindow(outerGeometry(window).size(), screen, keepClear,
                       {outerGeometry(&m_mainWindow)});
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide)
        if (auto* window = qobject_cast<QWidget*>(watched); window && m_windows.contains(window))
            keep(window);
    return QObject::eventFilter(watched, event);
}

void WindowPlaces::keep(const QWidget* window) {
    if (!m_settings)
        return;
    m_settings->setValue(settingsKey(window, "position"), window->pos());
    m_settings->setValue(settingsKey(window, "size"), window->size());
}

bool WindowPlaces::restore(QWidget* window) {
    if (!m_settings)
        return false;
    const QVariant position = m_settings->value(settingsKey(window, "position"));
    const QSize size = m_settings->value(settingsKey(window, "size")).toSize();
    // A place on a screen that has gone, or shrunk, is given up.
    if (!position.canConvert<QPoint>() || !size.isValid() ||
        !titleBarReachable(position.toPoint(), size))
        return false;
    window->resize(size);
    window->move(position.toPoint());
    return true;
}
