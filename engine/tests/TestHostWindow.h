// A plain top-level window for the engine to put its video windows into,
// and a message pump for tests that wait while windows need their messages.
#pragma once

#include <windows.h>

namespace enginetest {

class CTestHostWindow {
public:
    CTestHostWindow(int width = 320, int height = 240);
    ~CTestHostWindow();
    CTestHostWindow(const CTestHostWindow&) = delete;
    CTestHostWindow& operator=(const CTestHostWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Dispatches this thread's messages for the given time.
void PumpMessagesFor(DWORD milliseconds);

// Pumps messages until condition holds or the time is up; answers whether
// it held.
template <class Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpMessagesFor(10);
    }
    return true;
}

}  // namespace enginetest
