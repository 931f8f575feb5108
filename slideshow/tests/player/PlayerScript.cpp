#include "PlayerScript.h"

namespace playertest {

namespace {
CPlayerScript* g_running = nullptr;
}

void CPlayerScript::After(DWORD delayMs, Action action) {
    steps_.push_back({[] { return true; }, std::move(action), delayMs});
}

void CPlayerScript::Start(std::function<HWND()> window, DWORD timeoutMs) {
    window_ = std::move(window);
    timeoutMs_ = timeoutMs;
    started_ = lastStepAt_ = GetTickCount();
    g_running = this;
    timer_ = SetTimer(nullptr, 0, 50, &CPlayerScript::Tick);
}

void CPlayerScript::Stop() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    if (g_running == this) g_running = nullptr;
}

void CALLBACK CPlayerScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_running) g_running->OnTick();
}

void CPlayerScript::OnTick() {
    // A step may run a modal loop of its own; ticks meanwhile wait for it.
    if (running_) return;
    const DWORD now = GetTickCount();
    if (!Done() && now - started_ > timeoutMs_) {
        timedOut_ = true;
        Stop();
        if (HWND window = window_()) PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    if (Done()) return;
    Step& step = steps_[next_];
    if (now - lastStepAt_ < step.delayMs || !step.ready()) return;
    running_ = true;
    ++next_;
    step.action();
    lastStepAt_ = GetTickCount();
    running_ = false;
}

unsigned WindowPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return (unsigned{GetRValue(colour)} << 16) | (unsigned{GetGValue(colour)} << 8) | GetBValue(colour);
}

}  // namespace playertest
