#pragma once

#include "platform/runtimeerror.h"

#include <chrono>
#include <com/sun/star/lang/XComponent.hpp>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Gives up on an office that does not answer: when another thread aborts the work (Cancel), or
// by itself when a call into the office waits longer than the answer timeout. Giving up marks the
// work as aborted, ends the UNO bridges in use (a remote call in progress then returns with an
// exception) and wakes a poll that is waiting for the office to start.
class AbortSwitch {
public:
    using Bridge = css::uno::Reference<css::lang::XComponent>;

    // Short enough that an office that stops answering ends the export within 30 seconds.
    static constexpr std::chrono::seconds defaultAnswerTimeout{20};

    explicit AbortSwitch(std::chrono::milliseconds answerTimeout = defaultAnswerTimeout);
    ~AbortSwitch();
    AbortSwitch(const AbortSwitch&) = delete;
    AbortSwitch& operator=(const AbortSwitch&) = delete;

    void abort();
    bool isAborted() const;
    // The error the work ends with once aborted: 18 (user interrupt) after abort(), 462 (server
    // unavailable) after a call that went unanswered.
    std::optional<RuntimeError> abortError() const;
    // Throws abortError(), if any.
    void throwIfAborted() const;
    // Waits for the given time; returns early, false, when aborted meanwhile.
    bool sleep(std::chrono::milliseconds duration) const;

    // Runs one call into the office (one at a time) under the answer timeout.
    template <class Call> auto awaitAnswer(Call call) -> decltype(call()) {
        const Deadline deadline(*this);
        return call();
    }

    // A bridge that giving up ends; one added after that is ended at once.
    void watch(const Bridge& bridge);
    void unwatch(const Bridge& bridge);

private:
    enum class Reason { None, Cancelled, Unanswered };

    class Deadline {
    public:
        explicit Deadline(AbortSwitch& owner);
        ~Deadline();
        Deadline(const Deadline&) = delete;
        Deadline& operator=(const Deadline&) = delete;

    private:
        AbortSwitch& m_owner;
    };

    void giveUp(Reason reason);
    void watchDeadlines();

    const std::chrono::milliseconds m_answerTimeout;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_woken;
    Reason m_reason = Reason::None;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    bool m_closing = false;
    std::vector<Bridge> m_bridges;
    std::thread m_watcher; // last: starts once everything above is ready
};
