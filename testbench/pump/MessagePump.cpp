#include "MessagePump.h"

#include <algorithm>

namespace testbench {

namespace {

// Sleeps until a message is there for this thread or `ms` passed. Input
// that a filtered PeekMessage looked at and left also wakes it.
void SleepForMessages(DWORD ms) { MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE); }

}  // namespace

void PumpWaiting() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpWaiting();
        const DWORD passed = GetTickCount() - start;
        if (passed >= ms) return;
        SleepForMessages(ms - passed);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD boundMs, DWORD lookEveryMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        const DWORD passed = GetTickCount() - start;
        if (passed >= boundMs) return false;
        SleepForMessages(std::min(lookEveryMs, boundMs - passed));
        PumpWaiting();
    }
}

}  // namespace testbench
