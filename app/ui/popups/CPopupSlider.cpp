#include "CPopupSlider.h"
#include "winowners/GdiOwners.h"

#include <commctrl.h>

#include <string>

namespace vimbrel::ui {

namespace {

// The trackbar's place (left, top, right, bottom) and the number's box.
constexpr RECT kTrackbarRect{5, 17, 30, 117};
const Gdiplus::Rect kValueRect(34, 60, 24, 15);
constexpr int kLineSize = 2;

}  // namespace

CPopupSlider::CPopupSlider(IPopupController& controller) : CPopupWindow(controller) {}

CPopupSlider::~CPopupSlider() {
    Destroy();
    trackbar_.reset();
}

void CPopupSlider::ReadVideoQuality() {
    const int property = VideoQualityProperty(settingId_);
    int minimum = 0, maximum = 100;
    // A camera that cannot tell its range gets the plain 0..100 scale,
    // still with the highest value at the top.
    if (!controller_.VideoQualityRange(property, minimum, maximum) || maximum < minimum) {
        minimum = 0;
        maximum = 100;
    }
    mapping_ = SliderMappingFor(settingId_, minimum, maximum);
    int value = 0;
    currentValue_ = controller_.GetVideoQuality(property, value) ? value : -1;
    position_ = currentValue_ >= 0 ? mapping_.PositionForValue(currentValue_) : mapping_.maximum;
}

bool CPopupSlider::Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) {
    if (Handle()) return false;
    settingId_ = settingId;
    std::wstring title;
    if (!controller_.ItemTitle(settingId, title)) return false;
    if (VideoQualityProperty(settingId) >= 0) {
        ReadVideoQuality();
    } else {
        mapping_ = SliderMappingFor(settingId, 0, 0);
        currentValue_ = ReadSetting(settingId);
        // An unreadable value starts at the bottom, the lowest value.
        position_ = currentValue_ >= 0 ? mapping_.PositionForValue(currentValue_) : mapping_.maximum;
    }
    if (!MakeWindow(buttonOnScreen, kSliderPopupWidth, kSliderPopupHeight, 0, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                    owner, nullptr, placed))
        return false;
    trackbar_ = std::make_unique<CPopupSliderCtrl>(controller_.SkinColour(kPopupBodyColour));
    if (!trackbar_->Create(Handle(), kTrackbarRect)) {
        trackbar_.reset();
        Destroy();
        return false;
    }
    SetUpTrackbar();
    FadeIn(buttonOnScreen, placed);
    return true;
}

void CPopupSlider::SetUpTrackbar() {
    HWND bar = Trackbar();
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, mapping_.minimum);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, mapping_.maximum);
    SendMessageW(bar, TBM_SETPAGESIZE, 0, mapping_.page);
    SendMessageW(bar, TBM_SETLINESIZE, 0, kLineSize);
    SendMessageW(bar, TBM_SETPOS, TRUE, position_);
    // The trackbar keeps a stored value that lies outside its range at
    // the nearer end; the number shown follows where it really is.
    position_ = static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0));
}

void CPopupSlider::DrawNumber(Gdiplus::Graphics& graphics) {
    Gdiplus::SolidBrush body(Skin(kPopupBodyColour));
    graphics.FillRectangle(&body, kValueRect);
    Text().Draw(graphics, std::to_wstring(ShownNumber()),
                Gdiplus::RectF(static_cast<float>(kValueRect.X), static_cast<float>(kValueRect.Y),
                               static_cast<float>(kValueRect.Width), static_cast<float>(kValueRect.Height)),
                Gdiplus::Color(popup_colours::kSliderNumber));
}

void CPopupSlider::PaintTo(HDC dc, const RECT&) {
    Gdiplus::Graphics graphics(dc);
    Gdiplus::SolidBrush body(Skin(kPopupBodyColour));
    Gdiplus::SolidBrush title(Skin(kPopupTitleColour));
    graphics.FillRectangle(&body, 0, 0, width_, height_);
    graphics.FillRectangle(&title, 0, 0, width_, 16);
    if (Trackbar()) SendMessageW(Trackbar(), TBM_SETPOS, TRUE, position_);
    Text().Draw(graphics, Title(), Gdiplus::RectF(0.0f, 2.0f, 60.0f, 16.0f), Skin(kPopupTitleTextColour));
    DrawBorder(graphics);
    DrawLine(graphics, 16);
    const Gdiplus::Color white(popup_colours::kWhiteLine);
    Text().Draw(graphics, L"High", Gdiplus::RectF(33.0f, 20.0f, 25.0f, 15.0f), white);
    Text().Draw(graphics, L"Low", Gdiplus::RectF(33.0f, 100.0f, 25.0f, 15.0f), white);
    DrawNumber(graphics);
}

void CPopupSlider::RedrawNumber() {
    if (!Handle()) return;
    const auto dc = winowners::GetDCOwner(Handle());
    Gdiplus::Graphics graphics(dc.get());
    DrawNumber(graphics);
}

void CPopupSlider::OnScroll() {
    position_ = static_cast<int>(SendMessageW(Trackbar(), TBM_GETPOS, 0, 0));
    currentValue_ = mapping_.ValueForPosition(position_);
    controller_.ApplySetting(settingId_, currentValue_);
    RedrawNumber();
}

void CPopupSlider::OnMouseMove(int x, int y) {
    if (GetCapture() != Handle()) SetCapture(Handle());
    if (!Inside(x, y)) {
        LeaveTo(x, y);
        return;
    }
    const POINT at{x, y};
    if (PtInRect(&kTrackbarRect, at) && GetCapture() == Handle()) ReleaseCapture();
}

LRESULT CPopupSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_WINDOWPOSCHANGING: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & SWP_SHOWWINDOW) && Trackbar()) {
            if (VideoQualityProperty(settingId_) >= 0) {
                // The camera may have changed since, or be another one.
                ReadVideoQuality();
                SetUpTrackbar();
                RedrawNumber();
            }
            SetFocus(Trackbar());
        }
        break;
    }
    case WM_VSCROLL:
        if (Trackbar() && reinterpret_cast<HWND>(lParam) == Trackbar()) {
            OnScroll();
            return 0;
        }
        break;
    default: break;
    }
    return CPopupWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
