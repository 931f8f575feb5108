#include "engine/tests/TestHostWindow.h"

namespace enginetest {

namespace {

const wchar_t kClassName[] = L"VimbrelEngineTestHost";

void RegisterHostClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
}

}  // namespace

CTestHostWindow::CTestHostWindow(int width, int height) {
    RegisterHostClass();
    window_ = CreateWindowW(kClassName, L"engine test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    PumpMessagesFor(10);
}

CTestHostWindow::~CTestHostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

}  // namespace enginetest
