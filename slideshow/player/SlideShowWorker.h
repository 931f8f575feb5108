// The player's worker thread: it makes the screen buffers, shows the player
// and its bar, then plays the slides or the film strip until the play mode
// is stop. The dialog owns the thread's handle, so that it can wait for the
// worker to leave before the list and the buffers go.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace slideshow {

struct WorkerWindows {
    HWND player = nullptr;
    HWND bar = nullptr;
    DWORD initialSleepMs = 0;
    // One turn of the show; null plays the film strip or the slides as the
    // play mode says.
    void (*play)() = nullptr;
};

// The thread's procedure; `parameter` is a WorkerWindows that outlives it.
DWORD WINAPI SlideShowThreadProc(LPVOID parameter);

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    bool Start(HWND player, HWND bar, DWORD initialSleepMs = 0);
    // Waits for the worker to leave, serving the messages it sends to this
    // thread's windows meanwhile; after `timeoutMs` the thread is
    // terminated as a last resort. True when it left by itself.
    bool Join(DWORD timeoutMs);
    bool Running() const;
    HANDLE Handle() const { return thread_.get(); }

private:
    WorkerWindows windows_;
    winowners::UniqueHandle thread_;
};

}  // namespace slideshow
