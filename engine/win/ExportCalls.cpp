#include "engine/win/ExportCalls.h"

#include <atomic>

namespace camera {

namespace {

// Counted before the door is looked at, and the door shut before the count
// is read, so that a call either sees the door shut or is waited for.
std::atomic<long> g_inside{0};
// The thread ending the engine; 0 while the door is open. Its own calls
// still pass.
std::atomic<DWORD> g_closedBy{0};

constexpr DWORD kPollMs = 10;

}  // namespace

CExportCall::CExportCall() noexcept {
    ++g_inside;
    const DWORD closer = g_closedBy.load();
    admitted_ = closer == 0 || closer == GetCurrentThreadId();
    if (!admitted_) --g_inside;
}

CExportCall::~CExportCall() {
    if (admitted_) --g_inside;
}

bool CloseExportsAndDrain(DWORD timeoutMs) {
    g_closedBy.store(GetCurrentThreadId());
    const DWORD start = GetTickCount();
    // The closing call itself is one of those inside.
    while (g_inside.load() > 1) {
        if (GetTickCount() - start >= timeoutMs) return false;
        // A call inside may be waiting for a window of this thread (a video
        // window put into the caller's window): sent messages are served.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

void ReopenExports() { g_closedBy.store(0); }

}  // namespace camera
