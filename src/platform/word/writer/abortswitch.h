#pragma once

#include <chrono>
#include <com/sun/star/lang/XComponent.hpp>
#include <condition_variable>
#include <mutex>
#include <vector>

// Lets another thread give up on an office that does not answer: it marks the work as aborted,
// ends the UNO bridges in use (a remote call in progress then returns with an exception) and wakes
// a poll that is waiting for the office to start.
class AbortSwitch {
public:
    using Bridge = css::uno::Reference<css::lang::XComponent>;

    void abort();
    bool isAborted() const;
    // Throws RuntimeError (user interrupt) once aborted.
    void throwIfAborted() const;
    // Waits for the given time; returns early, false, when aborted meanwhile.
    bool sleep(std::chrono::milliseconds duration) const;

    // A bridge that abort() ends; one added after abort() is ended at once.
    void watch(const Bridge& bridge);
    void unwatch(const Bridge& bridge);

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_woken;
    bool m_aborted = false;
    std::vector<Bridge> m_bridges;
};
