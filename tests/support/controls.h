#pragma once

#include <QObject>
#include <QString>

// The window's control with the given form name. Every control of a window
// has a name of its own; a missing or repeated one stops the test run.
template <class T = QWidget> T* control(const QObject& window, const char* name) {
    const QList<T*> found = window.findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1)
        qFatal("%s: %lld controls named %s", qPrintable(window.objectName()),
               qlonglong(found.size()), name);
    return found.front();
}
