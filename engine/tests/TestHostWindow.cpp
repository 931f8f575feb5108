#include "engine/tests/TestHostWindow.h"

#include "MessagePump.h"

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
    testbench::PumpFor(10);
}

CTestHostWindow::~CTestHostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

}  // namespace enginetest
