#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

// Stop requests for one search after another that come by themselves once the
// search's time is up, or as soon as the whole run is cancelled. The searches
// check their stop token at every step; one watcher thread for the whole run
// sleeps until the time of the current search is up, so that timing a search
// starts no thread that could compete with it.
class TimeLimits {
public:
    explicit TimeLimits(const std::stop_token& cancel);
    ~TimeLimits();
    TimeLimits(const TimeLimits&) = delete;
    TimeLimits& operator=(const TimeLimits&) = delete;

    // A search starts: its token is stopped once limit has passed.
    std::stop_token begin(std::chrono::nanoseconds limit);
    // The search has ended; true when its time had run out.
    bool end();

private:
    void watch(const std::stop_token& done);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::stop_source m_search;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    std::uint64_t m_change = 0; // counts begin() and end(), which wake the watcher
    bool m_reached = false;
    bool m_cancelled = false;
    std::optional<std::stop_callback<std::function<void()>>> m_forward;
    std::jthread m_watcher;
};
