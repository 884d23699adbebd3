#include "time_limits.h"

TimeLimits::TimeLimits(const std::stop_token& cancel) {
    m_forward.emplace(cancel, [this] {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
        m_search.request_stop();
    });
    m_watcher = std::jthread([this](std::stop_token done) { watch(done); });
}

TimeLimits::~TimeLimits() {
    // No cancel may reach in while the watcher ends (the jthread's own
    // destructor stops and joins it).
    m_forward.reset();
}

std::stop_token TimeLimits::begin(std::chrono::nanoseconds limit) {
    std::stop_token token;
    {
        const std::lock_guard lock(m_mutex);
        m_search = std::stop_source();
        if (m_cancelled)
            m_search.request_stop();
        m_deadline = std::chrono::steady_clock::now() + limit;
        m_reached = false;
        ++m_change;
        token = m_search.get_token();
    }
    m_wake.notify_all();
    return token;
}

bool TimeLimits::end() {
    bool reached = false;
    {
        const std::lock_guard lock(m_mutex);
        m_deadline.reset();
        ++m_change;
        reached = m_reached;
    }
    m_wake.notify_all();
    return reached;
}

void TimeLimits::watch(const std::stop_token& done) {
    std::unique_lock lock(m_mutex);
    while (!done.stop_requested()) {
        const std::uint64_t seen = m_change;
        const auto changed = [&] { return m_change != seen; };
        if (!m_deadline) {
            m_wake.wait(lock, done, changed);
            continue;
        }
        if (m_wake.wait_until(lock, done, *m_deadline, changed) || done.stop_requested())
            continue;
        m_reached = true;
        m_search.request_stop();
        m_deadline.reset();
    }
}
