#include "abortswitch.h"

#include "wordprocessor.h"

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

void AbortSwitch::abort() {
    std::vector<Bridge> bridges;
    {
        const std::lock_guard lock(m_mutex);
        m_aborted = true;
        bridges = m_bridges;
    }
    m_woken.notify_all();
    // Ended outside the lock: disposing waits for the bridge's own threads.
    std::for_each(bridges.begin(), bridges.end(), endBridge);
}

bool AbortSwitch::isAborted() const {
    const std::lock_guard lock(m_mutex);
    return m_aborted;
}

void AbortSwitch::throwIfAborted() const {
    if (isAborted())
        throw wordProcessorError(WordErrorNumber::UserInterrupt);
}

bool AbortSwitch::sleep(std::chrono::milliseconds duration) const {
    std::unique_lock lock(m_mutex);
    return !m_woken.wait_for(lock, duration, [this] { return m_aborted; });
}

void AbortSwitch::watch(const Bridge& bridge) {
    {
        const std::lock_guard lock(m_mutex);
        if (!m_aborted) {
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
