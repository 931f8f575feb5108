#include "CSkinSlider.h"
#include "winowners/GdiOwners.h"

#include "PanelMessages.h"
#include "SkinMask.h"
#include "SkinPictures.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vimbrel::ui {
namespace {
constexpr Colour kAudioVolumeKey = MakeColour(0x00, 0x32, 0xFA);       // "0032FA"
constexpr Colour kPlaybackPositionKey = MakeColour(0x00, 0x96, 0xFA);  // "0096FA"
}  // namespace

CSkinSlider::CSkinSlider(IPanelController& controller) : controller_(controller) {}

CSkinSlider::~CSkinSlider() {
    Destroy();
    Release();
}

void CSkinSlider::Release() {
    memory_.Release();
    back_.reset();
    strip_.reset();
    hoverStrip_.reset();
    disabled_.reset();
    steps_.clear();
}

bool CSkinSlider::Create(HWND panel, int x, int y, const SliderSkin& skin, const CSkinSource& source,
                         double startValue) {
    if (Handle()) return false;
    key_ = skin.key;
    auto maskImage = source.LoadSkinImage(skin.mask);
    back_ = source.LoadSkinImage(skin.back);
    strip_ = source.LoadSkinImage(skin.strip);
    hoverStrip_ = source.LoadSkinImage(skin.overStrip);
    if (!skin.disabled.empty()) {
        disabled_ = source.LoadSkinImage(skin.disabled);
        if (!disabled_) {
            Release();
            return false;
        }
    }
    std::optional<CSkinMask> mask = maskImage ? CSkinMask::FromBitmap(*maskImage) : std::nullopt;
    if (!mask || !back_ || !strip_ || !hoverStrip_) {
        Release();
        return false;
    }
    const std::vector<Colour> levels = mask->Steps();
    if (static_cast<int>(levels.size()) < kMinSliderSteps) {
        Release();
        return false;
    }
    for (Colour level : levels) steps_.push_back(mask->Region(level, RegionMode::SameColour));
    width_ = static_cast<int>(back_->GetWidth());
    height_ = static_cast<int>(back_->GetHeight());

    if (!memory_.Make(nullptr, width_, height_)) {
        Release();
        return false;
    }

    const wchar_t* cls = framework::RegisterAnonymousClass(0, LoadCursor(nullptr, IDC_ARROW),
                                                           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                    RECT{x, y, x + width_, y + height_}, panel, 0)) {
        Release();
        return false;
    }
    if (winowners::UniqueRegion shape = mask->Region(skin.transparent, RegionMode::OtherColour))
        SetWindowRgn(Handle(), shape.release(), TRUE);  // the window owns it now

    logic_.emplace(static_cast<int>(steps_.size()), startValue, static_cast<ISliderEffects&>(*this));
    logic_->DrawCurrent(SliderStrip::Normal);

    if (key_ == kAudioVolumeKey)
        controller_.RegisterSliderListener(Handle(), kAudioVolumeListener, WM_SLIDER_SHOW_IF_PARENT_HIDDEN);
    else if (key_ == kPlaybackPositionKey)
        controller_.RegisterSliderListener(Handle(), kPlaybackPositionListener, WM_SLIDER_SHOW);

    tooltip_ = CreateSkinTooltip(Handle());
    AddSkinTool(tooltip_, Handle(), 1, RECT{0, 0, width_, height_}, controller_.GetButtonTip(key_));
    return true;
}

HRGN CSkinSlider::StepRegion(int step) const {
    return step >= 0 && static_cast<size_t>(step) < steps_.size() ? steps_[step].get() : nullptr;
}

int CSkinSlider::HitTest(LPARAM point) const {
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    for (size_t i = 0; i < steps_.size(); ++i)
        if (steps_[i] && PtInRegion(steps_[i].get(), x, y)) return static_cast<int>(i);
    return CSliderLogic::kNoStep;
}

void CSkinSlider::DrawStep(int step, SliderStrip strip) {
    if (!memory_) return;
    {
        Gdiplus::Graphics surface(memory_.Dc());
        surface.DrawImage(back_.get(), 0, 0, width_, height_);
        Gdiplus::Bitmap* source = strip == SliderStrip::Hover ? hoverStrip_.get() : strip_.get();
        surface.DrawImage(source, Gdiplus::Rect(0, 0, width_, height_), step * width_, 0, width_, height_,
                          Gdiplus::UnitPixel);
        if (!logic_->Enabled() && disabled_) surface.DrawImage(disabled_.get(), 0, 0, width_, height_);
    }
    if (const auto dc = winowners::GetDCOwner(Handle())) {
        memory_.CopyTo(dc.get(), RECT{0, 0, width_, height_});
    }
}

void CSkinSlider::Report(double value) { controller_.OnSliderChanged(key_, value); }

void CSkinSlider::CaptureMouse() { SetCapture(Handle()); }

void CSkinSlider::ReleaseMouse() {
    if (GetCapture() == Handle()) ReleaseCapture();
}

void CSkinSlider::OnShowMessage(UINT message, WPARAM percent, LPARAM show) {
    if (!show) {
        ShowWindow(Handle(), SW_HIDE);
        return;
    }
    ShowWindow(Handle(), SW_SHOWNA);
    // The volume broadcast moves the slider only while its panel is hidden:
    // a visible panel's slider is the one the user is moving.
    if (message == WM_SLIDER_SHOW_IF_PARENT_HIDDEN && IsWindowVisible(GetParent(Handle()))) return;
    logic_->ShowPosition(static_cast<int>(static_cast<INT_PTR>(percent)));
}

bool CSkinSlider::PreTranslateMessage(MSG& msg) {
    RelayToTooltip(tooltip_, msg);
    return false;
}

void CSkinSlider::OnDestroy() {
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}

LRESULT CSkinSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (logic_) {
        switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: memory_.Paint(Handle()); return 0;
        case WM_LBUTTONDOWN: logic_->ButtonDown(HitTest(lParam)); return 0;
        case WM_MOUSEMOVE: logic_->MouseMove(HitTest(lParam)); return 0;
        case WM_LBUTTONUP: logic_->ButtonUp(); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) logic_->CaptureLost();
            return 0;
        case WM_SLIDER_SHOW_IF_PARENT_HIDDEN:
        case WM_SLIDER_SHOW: OnShowMessage(message, wParam, lParam); return 0;
        case WM_PANEL_SET_SLIDER: logic_->SetEnabled(lParam != 0); return 0;
        default: break;
        }
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
