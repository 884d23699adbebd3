#pragma once

#include <QList>
#include <QObject>
#include <QRect>

class MainWindow;
class QSettings;
class QWidget;

// Places the windows that have no fixed place of their own. Each starts
// where it hides neither what the main window keeps in sight nor a window
// placed before it, as far as the screen has room, and comes back where the
// user left it in the last run.
class WindowPlaces : public QObject {
    Q_OBJECT
public:
    // settings keeps the places between runs; without it none are kept.
    WindowPlaces(const MainWindow& mainWindow, QSettings* settings, QObject* parent = nullptr);
    // Keeps the places of the windows still shown.
    ~WindowPlaces() override;

    // Places the window where it was left, else on free ground beside the
    // windows added before it; from then on its place is kept whenever it
    // closes. Each window needs an objectName of its own.
    void add(QWidget* window);
    // Where the window starts on a screen of that free area when it has no
    // place kept: beside the main window and the windows added before it.
    QRect freePlace(const QWidget* window, const QRect& screen) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keep(const QWidget* window);
    bool restore(QWidget* window);

    const MainWindow& m_mainWindow;
    QSettings* m_settings;
    QList<QWidget*> m_windows;
};
