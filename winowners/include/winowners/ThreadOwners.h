// Stopping a worker thread: wait for it within a bound, and only when it
// does not end by then terminate it as the last resort. The owner of the
// thread's handle stays with the caller (a UniqueHandle), which closes it
// when it no longer asks whether the thread has ended.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace winowners {

enum class ThreadWait {
    // Only for threads that never send a message to the waiting one.
    Plain,
    // Messages other threads send to this one are answered while waiting:
    // a worker that SendMessages to a window of the waiting thread would
    // otherwise never return, and the wait would always run to its bound.
    AnsweringSentMessages,
};

// Waits up to timeoutMs for handle; true when it was signalled.
inline bool WaitForHandle(HANDLE handle, DWORD timeoutMs, ThreadWait how) {
    if (how == ThreadWait::Plain) {
        return ::WaitForSingleObject(handle, timeoutMs) == WAIT_OBJECT_0;
    }
    const DWORD started = ::GetTickCount();
    for (;;) {
        const DWORD spent = ::GetTickCount() - started;
        if (spent >= timeoutMs) {
            return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - spent, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) {
            return true;
        }
        if (result != WAIT_OBJECT_0 + 1) {
            return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        // Peeking answers the sent messages; posted ones stay queued.
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

struct ThreadStop {
    DWORD waitMs;
    ThreadWait how = ThreadWait::Plain;
    // How long to wait for a terminated thread to be gone: termination is
    // asynchronous, and whoever frees what the thread used must wait.
    DWORD afterTerminateMs = 0;
};

// The thread must already have been asked to stop. True when it did not
// end within the bound and had to be terminated.
inline bool StopThread(HANDLE thread, const ThreadStop& stop) {
    if (WaitForHandle(thread, stop.waitMs, stop.how)) {
        return false;
    }
    ::TerminateThread(thread, 1);
    if (stop.afterTerminateMs > 0) {
        ::WaitForSingleObject(thread, stop.afterTerminateMs);
    }
    return true;
}

}  // namespace winowners
