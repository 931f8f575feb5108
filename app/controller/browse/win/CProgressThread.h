#pragma once
// The playback-progress worker as a real thread: one at a time, asked to
// stop through a flag and an event that also cuts its sleeps short, and
// waited for within a bound. While waiting, messages sent to this thread
// are handled, because the worker draws the panel through sent messages.

#include <windows.h>

#include <atomic>
#include <memory>

#include "winowners/KernelOwners.h"

#include "BrowsePorts.h"

namespace vimbrel::controller {

class CProgressThread final : public IProgressWorker, private IProgressContext {
public:
    // stopBoundMs: how long Stop waits before it gives the thread up.
    explicit CProgressThread(DWORD stopBoundMs = 3000);
    ~CProgressThread() override;
    CProgressThread(const CProgressThread&) = delete;
    CProgressThread& operator=(const CProgressThread&) = delete;

    bool Start(ProgressBody body) override;
    void Stop() override;
    bool IsRunning() const override;
    // How many threads had to be terminated after the bound; for tests.
    int TerminatedCount() const { return terminated_; }

private:
    struct Run;
    bool Sleep(int ms) override;
    bool StopRequested() const override { return stopRequested_.load(); }
    static DWORD WINAPI ThreadMain(LPVOID run);

    DWORD stopBoundMs_;
    winowners::UniqueHandle stopEvent_;
    winowners::UniqueHandle thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> stopRequested_{false};
    int terminated_ = 0;
};

}  // namespace vimbrel::controller
