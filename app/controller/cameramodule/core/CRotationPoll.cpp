#include "CRotationPoll.h"

#include <system_error>

namespace vimbrel::controller {

bool CRotationPoll::Restart(std::function<Step()> makeStep) {
    Stop();
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = false;
    }
    try {
        m_thread = std::thread(&CRotationPoll::ModulePollThread, this, std::move(makeStep));
    } catch (const std::system_error&) {
        return false;
    }
    ++m_starts;
    return true;
}

void CRotationPoll::Stop() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

bool CRotationPoll::IsRunning() const { return m_thread.joinable(); }

void CRotationPoll::ModulePollThread(std::function<Step()> makeStep) {
    if (m_hooks.enter) m_hooks.enter();
    Step step = makeStep();
    std::unique_lock<std::mutex> hold(m_lock);
    while (!m_stop) {
        hold.unlock();
        step();
        hold.lock();
        m_wake.wait_for(hold, m_period, [this] { return m_stop; });
    }
    hold.unlock();
    if (m_hooks.leave) m_hooks.leave();
}

}  // namespace vimbrel::controller
