// A worker thread with its own quit event: pauses end early when the
// thread is told to stop, so stopping rarely needs the last resort of
// terminating it.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

#include <functional>

namespace vimbrel::ui {

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Stop(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts `body` on a new thread at `priority`; false when the thread
    // or its quit event cannot be made.
    bool Start(std::function<void()> body, int priority);
    bool Running() const;

    // Waits up to `ms`; false when a stop was asked meanwhile (or before).
    bool Pause(DWORD ms) const;
    HANDLE QuitEvent() const { return quit_.get(); }

    // Asks the thread to stop, calls `wake` (so a thread blocked on its own
    // event sees the request), waits up to `waitMs` and then terminates it.
    // True when the thread ended by itself. A body that may be ended so
    // must not draw or take locks others need: it only waits, keeps time
    // and posts.
    bool Stop(const std::function<void()>& wake = nullptr, DWORD waitMs = 50);

private:
    static DWORD WINAPI Main(void* self);

    std::function<void()> body_;
    winowners::UniqueHandle quit_;
    winowners::UniqueHandle thread_;
};

}  // namespace vimbrel::ui
