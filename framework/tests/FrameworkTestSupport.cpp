#include "FrameworkTestSupport.h"

namespace frameworktest {

void CStepScript::Start(HWND target, std::function<void()> onStuck, UINT timeoutMs) {
    target_ = target;
    onStuck_ = std::move(onStuck);
    SetTimer(target_, kWatchdogTimer, timeoutMs, nullptr);
    SetTimer(target_, kStepTimer, 20, nullptr);
}

bool CStepScript::Handle(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kWatchdogTimer) {
        KillTimer(target_, kWatchdogTimer);
        if (!Done()) {
            timedOut_ = true;
            if (onStuck_) onStuck_();
        }
        return true;
    }
    if (message != WM_TIMER || wParam != kStepTimer) return false;
    KillTimer(target_, kStepTimer);
    if (next_ < steps_.size()) {
        // Advance first: a step may end the loop, and no step runs twice.
        Step& step = steps_[next_++];
        step();
        if (next_ < steps_.size()) SetTimer(target_, kStepTimer, 20, nullptr);
    }
    return true;
}

HWND MakePlainWindow(const wchar_t* title, DWORD style) {
    static const wchar_t* const kClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrameworkTestPlain";
        RegisterClassW(&wc);
        return L"FrameworkTestPlain";
    }();
    return CreateWindowExW(0, kClass, title, style, 10, 10, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace frameworktest
