#pragma once

#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

// Names that are no regular file, as a file dialog can hand them back.

inline bool makeNamedPipe(const QString& name) {
    return mkfifo(QFile::encodeName(name).constData(), 0600) == 0;
}

inline bool isNamedPipe(const QString& name) {
    struct stat status {};
    return stat(QFile::encodeName(name).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// A Unix socket bound to the name and closed again: the name stays a socket
// until it is removed.
inline bool makeSocket(const QString& name) {
    const QByteArray local = QFile::encodeName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(local.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, local.constData(), size_t(local.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

// Should the code under test block reading a named pipe, this opens the pipe
// for writing every generous while and writes into it: each read returns, and
// the test fails on what it got instead of hanging until it is killed.
class PipeRescue {
public:
    explicit PipeRescue(QString name) : m_name(std::move(name)), m_thread([this] { run(); }) {}
    ~PipeRescue() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    // Whether a read had to be freed: it waited for a writer.
    bool rescued() const {
        std::lock_guard lock(m_mutex);
        return m_rescued;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        // Again and again: the code may read the pipe more than once.
        while (!m_wake.wait_for(lock, std::chrono::seconds(30), [this] { return m_done; })) {
            const int fd = open(QFile::encodeName(m_name).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_rescued = true;
                [[maybe_unused]] const ssize_t written = write(fd, "blockiert\n", 10);
                close(fd);
            }
        }
    }

    QString m_name;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    bool m_rescued = false;
    std::thread m_thread; // last: starts once the rest exists
};
