#include "CPopupWindow.h"

#include "UiFont.h"

namespace vimbrel::ui {

namespace {
constexpr DWORD kFadeMs = 100;
constexpr UINT_PTR kPointerWatchTimer = 0x7077;
constexpr UINT kPointerWatchMs = 100;
}  // namespace

CPopupWindow::CPopupWindow(IPopupController& controller) : controller_(controller) {}

bool CPopupWindow::Rebuild(const RECT&, RECT&) { return false; }

int CPopupWindow::ReadSetting(int settingId) {
    int value = 0;
    return controller_.GetSetting(settingId, value) ? value : -1;
}

bool CPopupWindow::MakeWindow(const RECT& buttonOnScreen, int width, int height, DWORD exStyle, DWORD style, HWND owner,
                              HBRUSH background, RECT& placed) {
    const wchar_t* className = framework::RegisterAnonymousClass(0, nullptr, background, nullptr);
    if (!className) return false;
    width_ = width;
    height_ = height;
    placed = RECT{buttonOnScreen.left, buttonOnScreen.top - height, buttonOnScreen.left + width, buttonOnScreen.top};
    KeepButtonRect(buttonOnScreen, placed);
    return framework::CWindow::Create(exStyle, className, L"", style, placed, owner, 0);
}

void CPopupWindow::KeepButtonRect(const RECT& buttonOnScreen, const RECT& placed) {
    // Relative to where the popup belongs, not where it happens to be now:
    // the button moves it there right after a rebuild.
    buttonRect_ = RECT{buttonOnScreen.left - placed.left, buttonOnScreen.top - placed.top,
                       buttonOnScreen.right - placed.left, buttonOnScreen.bottom - placed.top};
}

void CPopupWindow::FadeIn(const RECT& buttonOnScreen, const RECT& placed) {
    if (!IsWindowVisible(Handle())) AnimateWindow(Handle(), kFadeMs, AW_BLEND);
    // Some systems only animate and leave the window hidden.
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    KeepButtonRect(buttonOnScreen, placed);
}

bool CPopupWindow::InButton(int x, int y) const {
    return x >= buttonRect_.left && x < buttonRect_.right && y >= buttonRect_.top && y < buttonRect_.bottom;
}

void CPopupWindow::LeaveTo(int x, int y) {
    if (!InButton(x, y)) Hide();
    if (GetCapture() == Handle()) ReleaseCapture();
}

void CPopupWindow::Hide() {
    if (!Handle()) return;
    KillTimer(Handle(), kPointerWatchTimer);
    ShowWindow(Handle(), SW_HIDE);
    if (GetCapture() == Handle()) ReleaseCapture();
}

void CPopupWindow::WatchPointer() {
    if (!IsWindowVisible(Handle())) {
        KillTimer(Handle(), kPointerWatchTimer);
        return;
    }
    // A child that holds the mouse (the trackbar dragging its thumb) keeps
    // the popup open until it lets go, wherever the pointer is.
    HWND capture = GetCapture();
    if (capture && capture != Handle() && IsChild(Handle(), capture)) return;
    POINT at{};
    if (!GetCursorPos(&at)) return;
    ScreenToClient(Handle(), &at);
    if (!Inside(at.x, at.y) && !InButton(at.x, at.y)) Hide();
}

void CPopupWindow::OnDestroy() { Release(); }

LRESULT CPopupWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        OnMouseMove(MouseX(lParam), MouseY(lParam));
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        PaintTo(dc, ps.rcPaint);
        EndPaint(Handle(), &ps);
        return 0;
    }
    if (message == WM_PRINT || message == WM_PRINTCLIENT) {
        if (PrintsItself()) PaintTo(reinterpret_cast<HDC>(wParam), RECT{0, 0, width_, height_});
        return 0;
    }
    if (message == WM_WINDOWPOSCHANGING) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((position->flags & SWP_SHOWWINDOW) && !IsWindowVisible(Handle())) OnShowing();
    }
    if (message == WM_WINDOWPOSCHANGED) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (position->flags & SWP_SHOWWINDOW) SetTimer(Handle(), kPointerWatchTimer, kPointerWatchMs, nullptr);
        if (position->flags & SWP_HIDEWINDOW) {
            KillTimer(Handle(), kPointerWatchTimer);
            // Hidden by its button or the panel: a hidden window must not
            // keep the mouse from the others.
            if (GetCapture() == Handle()) ReleaseCapture();
        }
    }
    if (message == WM_TIMER && wParam == kPointerWatchTimer) {
        WatchPointer();
        return 0;
    }
    if (message == WM_LBUTTONUP) {
        OnButtonUp(MouseX(lParam), MouseY(lParam));
        return 0;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

Gdiplus::Color CPopupWindow::Skin(int index) { return OpaqueColour(controller_.SkinColour(index)); }

std::wstring CPopupWindow::Title() {
    std::wstring title;
    return controller_.ItemTitle(settingId_, title) ? title : std::wstring();
}

const CPopupText& CPopupWindow::Text() {
    if (!text_) text_ = std::make_unique<CPopupText>(controller_.UiFont());
    return *text_;
}

void CPopupWindow::FillBars(Gdiplus::Graphics& graphics) {
    Gdiplus::SolidBrush title(Skin(kPopupTitleColour));
    Gdiplus::SolidBrush body(Skin(kPopupBodyColour));
    graphics.FillRectangle(&title, 0, 0, width_, 16);
    graphics.FillRectangle(&body, 0, 16, width_, height_ - 16);
}

void CPopupWindow::DrawTitle(Gdiplus::Graphics& graphics, float top) {
    Text().Draw(graphics, Title(), Gdiplus::RectF(0.0f, top, static_cast<float>(width_), 16.0f),
                Skin(kPopupTitleTextColour));
}

void CPopupWindow::DrawBorder(Gdiplus::Graphics& graphics) {
    Gdiplus::Pen white(Gdiplus::Color(popup_colours::kWhiteLine), 1.0f);
    graphics.DrawRectangle(&white, 0, 0, width_ - 1, height_ - 1);
}

void CPopupWindow::DrawLine(Gdiplus::Graphics& graphics, int y) {
    Gdiplus::Pen white(Gdiplus::Color(popup_colours::kWhiteLine), 1.0f);
    graphics.DrawLine(&white, 0, y, width_, y);
}

}  // namespace vimbrel::ui
