#include "CHiddenMessageWindow.h"

#include "CallGuard.h"

namespace vimbrel::mainwindow {

CHiddenMessageWindow::~CHiddenMessageWindow() { Destroy(); }

bool CHiddenMessageWindow::Create(HWND owner, ButtonHandler onButton) {
    Destroy();
    message_ = RegisterWindowMessageW(kCameraButtonMessageName);
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &CHiddenMessageWindow::Procedure;
    windowClass.hInstance = module;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kHiddenWindowClass;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    onButton_ = std::move(onButton);
    // The object rides in the creation parameter, so the procedure knows it
    // from the first message on.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenWindowClass, kHiddenWindowTitle, WS_POPUP, 0, 0, 0, 0, owner,
                            nullptr, module, this);
    return hwnd_ != nullptr;
}

void CHiddenMessageWindow::Destroy() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

LRESULT CALLBACK CHiddenMessageWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    auto* self = reinterpret_cast<CHiddenMessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->message_ != 0 && message == self->message_ && self->onButton_) {
        const HardwareButton button = HardwareButtonOf(wParam);
        // The handler reaches the whole controller; a press it throws on is
        // lost, not the program.
        if (button != HardwareButton::kNone) {
            return boundary::GuardedMessage(message, [&]() -> LRESULT {
                self->onButton_(button);
                return DefWindowProcW(hwnd, message, wParam, lParam);
            });
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace vimbrel::mainwindow
