#pragma once
// A worker that runs one step at a fixed period until it is stopped. It
// waits on a stop signal rather than sleeping, so stopping takes no longer
// than the step in progress and the thread is never killed mid-call.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vimbrel::controller {

class CRotationPoll {
public:
    using Step = std::function<void()>;
    // Run on the worker before its first step and after its last (the
    // Windows layer enters and leaves COM there).
    struct ThreadHooks {
        std::function<void()> enter;
        std::function<void()> leave;
    };

    explicit CRotationPoll(std::chrono::milliseconds period, ThreadHooks hooks = {})
        : m_period(period), m_hooks(std::move(hooks)) {}
    ~CRotationPoll() { Stop(); }
    CRotationPoll(const CRotationPoll&) = delete;
    CRotationPoll& operator=(const CRotationPoll&) = delete;

    // Ends a running worker, then starts one over makeStep()'s step (made
    // on the worker, after enter). false when no thread could be made.
    bool Restart(std::function<Step()> makeStep);
    void Stop();
    bool IsRunning() const;
    // How many workers were started in all.
    int StartCount() const { return m_starts; }

private:
    // The poll thread's procedure.
    void ModulePollThread(std::function<Step()> makeStep);

    std::chrono::milliseconds m_period;
    ThreadHooks m_hooks;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
    int m_starts = 0;
};

}  // namespace vimbrel::controller
