#pragma once

#include <QFile>
#include <QList>

#include <unistd.h>

// AddressSanitizer holds freed memory back on purpose, so resident sizes
// bound nothing under it: a file read in pieces stays resident in its
// quarantine.
#ifdef __SANITIZE_ADDRESS__
inline constexpr bool kResidentSizesMeaningful = false;
#else
inline constexpr bool kResidentSizesMeaningful = true;
#endif

// Resident memory of this process in bytes; -1 when the system does not say.
inline qint64 residentBytes() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> pages = statm.readAll().simplified().split(' ');
    return pages.size() > 1 ? pages[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// The most resident memory this process has held so far, in bytes; -1 when
// the system does not say.
inline qint64 peakResidentBytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}
