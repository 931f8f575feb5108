#include "CSplashWindow.h"

#include "MainWindowMessages.h"
#include "ProgramPicture.h"
#include "ProgramPictures.h"

namespace vimbrel::ui {

constexpr DWORD kFadeMs = 500;

CSplashWindow::~CSplashWindow() {
    Destroy();
    Release();
}

void CSplashWindow::Release() {
    if (memory_ && old_) SelectObject(memory_.get(), old_);
    old_ = nullptr;
    memory_.reset();
    bitmap_.reset();
}

bool CSplashWindow::Create(HWND owner) {
    if (Handle()) return false;
    owner_ = owner;
    const wchar_t* cls =
        framework::RegisterAnonymousClass(0, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    auto picture = gdiplus_.Ok() ? LoadProgramPicture(kAboutPictureName) : nullptr;
    if (!cls || !picture) return false;
    width_ = static_cast<int>(picture->GetWidth());
    height_ = static_cast<int>(picture->GetHeight());
    const PictureRect at =
        CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width_, height_);
    if (!framework::CWindow::Create(WS_EX_TOOLWINDOW, cls, nullptr, WS_POPUP,
                                    RECT{at.left, at.top, at.right, at.bottom}, owner, 0))
        return false;

    bitmap_ = PictureBitmap(*picture, 0xFF000000);
    if (HDC window = GetDC(Handle())) {
        memory_.reset(CreateCompatibleDC(window));
        if (memory_ && bitmap_) {
            old_ = SelectObject(memory_.get(), bitmap_.get());
            BitBlt(window, 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
        }
        ReleaseDC(Handle(), window);
    }
    if (!old_) {
        Destroy();
        Release();
        return false;
    }
    // Where the system cannot blend a window in, it is shown plainly.
    if (!AnimateWindow(Handle(), kFadeMs, AW_BLEND | AW_ACTIVATE) || !IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_SHOW);
    return true;
}

LRESULT CSplashWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(Handle(), &paint)) {
            const RECT& r = paint.rcPaint;
            if (memory_)
                BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_.get(), r.left, r.top, SRCCOPY);
            EndPaint(Handle(), &paint);
        }
        return 0;
    }
    case WM_PRINT:
        if (memory_ && wParam)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
        return 0;
    case WM_SHOW_MAIN_WINDOW:
        ShowWindow(Handle(), wParam ? SW_SHOW : SW_HIDE);
        if (owner_ && IsWindow(owner_)) SendMessageW(owner_, message, wParam, lParam);
        break;
    default:
        break;
    }
    return framework::CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
