#include "CFlashWindow.h"

#include "PanelAcpiPacking.h"

namespace vimbrel::controller {

CFlashWindow::~CFlashWindow() {
    if (on_) Flash(false, -1);
    Destroy();
}

bool CFlashWindow::Create(HWND parent, BYTE red, BYTE green, BYTE blue) {
    if (Handle()) return true;
    if (!brush_) brush_.reset(CreateSolidBrush(RGB(red, green, blue)));
    const wchar_t* windowClass = framework::RegisterAnonymousClass(0, LoadCursorW(nullptr, IDC_ARROW), brush_.get());
    if (!windowClass || !brush_) return false;
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    savedBrightness_ = -1;
    on_ = false;
    if (!framework::CWindow::Create(0, windowClass, L"", WS_POPUP, RECT{0, 0, width_, height_}, parent, 0))
        return false;
    ShowWindow(Handle(), SW_HIDE);
    return true;
}

void CFlashWindow::Flash(bool on, int milliseconds) {
    HWND window = Handle();
    if (!window || on == on_) return;
    on_ = on;
    if (on) {
        ShowCursor(FALSE);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        savedBrightness_ = acpi_.Read(kAcpiReadBrightness);
        if (savedBrightness_ >= 0) acpi_.Set(kAcpiSetBrightness, kFlashBrightness);
        ShowWindow(window, SW_SHOW);
        if (milliseconds > 0) SetTimer(window, kOffTimer, static_cast<UINT>(milliseconds), nullptr);
    } else {
        KillTimer(window, kOffTimer);
        if (savedBrightness_ >= 0) acpi_.Set(kAcpiSetBrightness, savedBrightness_);
        savedBrightness_ = -1;
        ShowWindow(window, SW_HIDE);
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowCursor(TRUE);
    }
}

LRESULT CFlashWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kOffTimer) {
            KillTimer(Handle(), kOffTimer);
            Flash(false, -1);
            return 0;
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: Flash(false, -1); return 0;
    case WM_WINDOWPOSCHANGING: reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOMOVE; return 0;
    case WM_NCHITTEST: return HTCAPTION;
    default: break;
    }
    return framework::CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::controller
