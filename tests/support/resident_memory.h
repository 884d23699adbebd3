#pragma once

#include <QFile>
#include <QList>

#include <unistd.h>

// Resident memory of this process in bytes; -1 when the system does not say.
inline qint64 residentBytes() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> pages = statm.readAll().simplified().split(' ');
    return pages.size() > 1 ? pages[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}
