#pragma once
// A worker that runs one step at a fixed period until it is stopped. It
// waits on a stop signal rather than sleeping, so stopping takes no longer
// than the step in progress; only a step that never returns (a camera
// module stuck in a call) leaves the thread to its port's last resort.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "PollThread.h"

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

    // thread: where the steps run; a standard thread when null.
    explicit CRotationPoll(std::chrono::milliseconds period, ThreadHooks hooks = {},
                           std::unique_ptr<IPollThread> thread = nullptr)
        : period_(period), hooks_(std::move(hooks)), thread_(thread ? std::move(thread) : StandardPollThread()) {}
    ~CRotationPoll() { Stop(); }
    CRotationPoll(const CRotationPoll&) = delete;
    CRotationPoll& operator=(const CRotationPoll&) = delete;

    // Ends a running worker, then starts one over makeStep()'s step (made
    // on the worker, after enter). false when no thread could be made.
    bool Restart(std::function<Step()> makeStep);
    void Stop();
    bool IsRunning() const;
    // How many workers were started in all.
    int StartCount() const { return starts_; }
    // How many workers did not answer their stop and were terminated.
    int TerminatedCount() const { return terminated_; }

private:
    // The poll thread's procedure.
    void ModulePollThread(std::function<Step()> makeStep);

    std::chrono::milliseconds period_;
    ThreadHooks hooks_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::unique_ptr<IPollThread> thread_;
    int starts_ = 0;
    int terminated_ = 0;
};

}  // namespace vimbrel::controller
