#include "CSplashWindow.h"
#include "winowners/GdiOwners.h"

#include "MainWindowMessages.h"
#include "ProgramPicture.h"
#include "ProgramPictures.h"

namespace vimbrel::ui {

constexpr DWORD kFadeMs = 500;

bool CSplashWindow::Create(HWND owner) {
    if (Handle()) return false;
    owner_ = owner;
    const wchar_t* cls = framework::RegisterAnonymousClass(0, nullptr,
                                                           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    auto picture = gdiplus_.Ok() ? LoadProgramPicture(kAboutPictureName) : nullptr;
    if (!cls || !picture) return false;
    width_ = static_cast<int>(picture->GetWidth());
    height_ = static_cast<int>(picture->GetHeight());
    const PictureRect at = CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width_,
                                           height_);
    if (!framework::CWindow::Create(WS_EX_TOOLWINDOW, cls, nullptr, WS_POPUP,
                                    RECT{at.left, at.top, at.right, at.bottom}, owner, 0))
        return false;

    if (const auto window = winowners::GetDCOwner(Handle())) {
        if (memory_.Hold(window.get(), PictureBitmap(*picture, 0xFF000000)))
            memory_.CopyTo(window.get(), RECT{0, 0, width_, height_});
    }
    if (!memory_) {
        Destroy();
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
            memory_.CopyTo(dc, paint.rcPaint);
            EndPaint(Handle(), &paint);
        }
        return 0;
    }
    case WM_PRINT: memory_.CopyTo(reinterpret_cast<HDC>(wParam), RECT{0, 0, width_, height_}); return 0;
    case WM_SHOW_MAIN_WINDOW:
        ShowWindow(Handle(), wParam ? SW_SHOW : SW_HIDE);
        if (owner_ && IsWindow(owner_)) SendMessageW(owner_, message, wParam, lParam);
        break;
    default: break;
    }
    return framework::CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
