#include "engine/tests/MotionMessageWindow.h"

namespace enginetest {

namespace {

const wchar_t kClassName[] = L"VimbrelMotionMessageWindow";
constexpr UINT kMotionMessage = 0x52C;

}  // namespace

CMotionMessageWindow::CMotionMessageWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(kClassName, L"motion messages", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
}

CMotionMessageWindow::~CMotionMessageWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK CMotionMessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CMotionMessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kMotionMessage && self != nullptr) {
        ++self->count_;
        self->sawParameters_ = self->sawParameters_ || wParam != 0 || lParam != 0;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace enginetest
