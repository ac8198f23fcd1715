#include "wordprocessor/writer/abortswitch.h"

#include "wordprocessor/api/wordprocessor.h"

#include <algorithm>

namespace {

void endBridge(const AbortSwitch::Bridge& bridge) {
    try {
        bridge->dispose();
    } catch (const css::uno::Exception&) {
        // A bridge that is already gone needs no ending.
    }
}

} // namespace

AbortSwitch::AbortSwitch(std::chrono::milliseconds answerTimeout)
    : m_answerTimeout(answerTimeout)
    , m_watcher([this] { watchDeadlines(); }) {}

AbortSwitch::~AbortSwitch() {
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_woken.notify_all();
    m_watcher.join();
}

void AbortSwitch::abort() {
    giveUp(Reason::Cancelled);
}

bool AbortSwitch::isAborted() const {
    const std::lock_guard lock(m_mutex);
    return m_reason != Reason::None;
}

std::optional<RuntimeError> AbortSwitch::abortError() const {
    const std::lock_guard lock(m_mutex);
    switch (m_reason) {
    case Reason::None:
        return std::nullopt;
    case Reason::Cancelled:
        return RuntimeError(ErrorNumber::UserInterrupt);
    case Reason::Unanswered:
        return RuntimeError(ErrorNumber::ServerUnavailable,
                            QStringLiteral("LibreOffice did not answer within %1 seconds")
                                .arg(std::chrono::duration<double>(m_answerTimeout).count()));
    }
    return std::nullopt;
}

void AbortSwitch::throwIfAborted() const {
    if (auto error = abortError())
        throw *std::move(error);
}

bool AbortSwitch::sleep(std::chrono::milliseconds duration) const {
    std::unique_lock lock(m_mutex);
    return !m_woken.wait_for(lock, duration, [this] { return m_reason != Reason::None; });
}

void AbortSwitch::watch(const Bridge& bridge) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_reason == Reason::None) {
            m_bridges.push_back(bridge);
            return;
        }
    }
    endBridge(bridge);
}

void AbortSwitch::unwatch(const Bridge& bridge) {
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_bridges, [&bridge](const Bridge& each) { return each.get() == bridge.get(); });
}

void AbortSwitch::giveUp(Reason reason) {
    std::vector<Bridge> bridges;
    {
        const std::lock_guard lock(m_mutex);
        if (m_reason == Reason::None)
            m_reason = reason;
        bridges = m_bridges;
    }
    m_woken.notify_all();
    // Ended outside the lock: disposing waits for the bridge's own threads.
    std::for_each(bridges.begin(), bridges.end(), endBridge);
}

void AbortSwitch::watchDeadlines() {
    std::unique_lock lock(m_mutex);
    while (!m_closing) {
        if (!m_deadline) {
            m_woken.wait(lock);
        } else if (std::chrono::steady_clock::now() < *m_deadline) {
            m_woken.wait_until(lock, *m_deadline);
        } else {
            m_deadline.reset();
            lock.unlock();
            giveUp(Reason::Unanswered);
            lock.lock();
        }
    }
}

AbortSwitch::Deadline::Deadline(AbortSwitch& owner)
    : m_owner(owner) {
    {
        const std::lock_guard lock(m_owner.m_mutex);
        m_owner.m_deadline = std::chrono::steady_clock::now() + m_owner.m_answerTimeout;
    }
    m_owner.m_woken.notify_all();
}

AbortSwitch::Deadline::~Deadline() {
    const std::lock_guard lock(m_owner.m_mutex);
    m_owner.m_deadline.reset();
}
