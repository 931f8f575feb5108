#include "CSkinPanel.h"
#include "winowners/GdiOwners.h"

#include "PanelMessages.h"
#include "SkinMask.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vimbrel::ui {
namespace {
constexpr Colour kAudioVolumeKey = MakeColour(0x00, 0x32, 0xFA);     // "0032FA"
constexpr Colour kPlaybackVolumeKey = MakeColour(0x00, 0xC8, 0x00);  // "00C800"

RECT BoundsOf(HRGN region) {
    RECT box{};
    if (region) GetRgnBox(region, &box);
    return box;
}
}  // namespace

CSkinPanel::CSkinPanel(IPanelController& controller) : controller_(controller) {}

CSkinPanel::~CSkinPanel() {
    Destroy();
    Release();
}

void CSkinPanel::Release() {
    sliders_.clear();
    logic_.reset();
    buttons_.clear();
    toggles_.clear();
    memory_.Release();
    back_ = {};
    down_ = {};
    over_ = {};
    disable_ = {};
}

bool CSkinPanel::Create(HWND parent, int x, int y, const std::wstring& panelName, const std::wstring& skinSource) {
    if (Handle()) return false;
    source_ = CSkinSource(skinSource, panelName);
    PanelSkinConfig config;
    if (!ReadConfiguration(panelName, config)) return false;

    auto backImage = source_.LoadSkinImage(config.back);
    auto maskImage = source_.LoadSkinImage(config.mask);
    std::optional<CSkinMask> mask = maskImage ? CSkinMask::FromBitmap(*maskImage) : std::nullopt;
    if (!backImage || !mask) return false;
    width_ = static_cast<int>(backImage->GetWidth());
    height_ = static_cast<int>(backImage->GetHeight());

    back_ = PatternBrushOf(*backImage);
    down_ = LoadPatternBrush(source_, config.down);
    over_ = LoadPatternBrush(source_, config.over);
    disable_ = LoadPatternBrush(source_, config.disable);

    // The resting picture of the whole panel, which painting copies.
    if (!back_ || !memory_.Hold(nullptr, HBitmapOf(*backImage))) {
        Release();
        return false;
    }

    for (Colour key : mask->KeyColours(kPanelKeyLimit)) {
        Button button;
        button.key = key;
        button.region = mask->Region(key, RegionMode::SameColour);
        button.bounds = BoundsOf(button.region.get());
        buttons_.push_back(std::move(button));
    }
    for (const ToggleSkin& skin : config.toggles) {
        Toggle toggle;
        toggle.key = skin.key;
        toggle.faces[0] = LoadPatternBrush(source_, skin.normal);
        toggle.faces[1] = LoadPatternBrush(source_, skin.over);
        toggle.faces[2] = LoadPatternBrush(source_, skin.down);
        toggle.faces[3] = LoadPatternBrush(source_, skin.disabled);
        // A toggle without all four pictures cannot show its states.
        bool usable = true;
        for (const CPatternBrush& face : toggle.faces) usable = usable && face;
        if (!usable) continue;
        for (Button& button : buttons_)
            if (button.key == skin.key && button.toggle < 0) button.toggle = static_cast<int>(toggles_.size());
        toggles_.push_back(std::move(toggle));
    }

    if (!CreatePanelWindow(parent, x, y, width_, height_)) {
        Release();
        return false;
    }
    if (CreatesSliders()) MakeSliders(config.sliders, *mask);

    std::vector<PanelButtonTraits> traits;
    for (const Button& button : buttons_)
        traits.push_back(PanelButtonTraits{button.key, button.toggle >= 0, SliderFor(button.key) != nullptr});
    logic_.emplace(std::move(traits), static_cast<IPanelEffects&>(*this));

    tooltip_ = CreateSkinTooltip(Handle());
    for (size_t i = 0; i < buttons_.size(); ++i)
        AddSkinTool(tooltip_, Handle(), ToolIdOf(i), buttons_[i].bounds, controller_.GetButtonTip(buttons_[i].key));

    if (winowners::UniqueRegion shape = mask->Region(kBlack, RegionMode::OtherColour))
        SetWindowRgn(Handle(), shape.release(), TRUE);  // the window owns it now
    return true;
}

bool CSkinPanel::ReadConfiguration(const std::wstring& panelName, PanelSkinConfig& config) {
    return source_.ReadPanelConfig((panelName + L".txt").c_str(), config);
}

bool CSkinPanel::CreatePanelWindow(HWND parent, int x, int y, int width, int height) {
    const wchar_t* cls = framework::RegisterAnonymousClass(0, nullptr,
                                                           static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                      RECT{x, y, x + width, y + height}, parent, 0);
}

bool CSkinPanel::MakeSliders(const std::vector<SliderSkin>& sliders, const CSkinMask& mask) {
    for (const SliderSkin& skin : sliders) {
        winowners::UniqueRegion area = mask.Region(skin.key, RegionMode::SameColour);
        RECT box = BoundsOf(area.get());
        if (IsRectEmpty(&box)) continue;  // the mask has no place for it
        double start = 0.0;
        if (skin.key == kAudioVolumeKey)
            start = controller_.GetAudioVolume();
        else if (skin.key == kPlaybackVolumeKey)
            start = controller_.GetPlaybackVolume();
        auto slider = std::make_unique<CSkinSlider>(controller_);
        if (slider->Create(Handle(), box.left, box.top, skin, source_, start)) sliders_.push_back(std::move(slider));
    }
    return true;
}

CSkinSlider* CSkinPanel::SliderFor(Colour key) const {
    for (const auto& slider : sliders_)
        if (slider->Key() == key) return slider.get();
    return nullptr;
}

int CSkinPanel::HitTest(LPARAM point) const {
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].region && PtInRegion(buttons_[i].region.get(), x, y)) return static_cast<int>(i);
    return CPanelLogic::kNoButton;
}

HBRUSH CSkinPanel::BrushFor(size_t button, ButtonFace face) const {
    const Button& b = buttons_[button];
    switch (face) {
    case ButtonFace::AlternateNormal:
    case ButtonFace::AlternateHover:
    case ButtonFace::AlternatePressed:
    case ButtonFace::AlternateDisabled:
        if (b.toggle < 0) return nullptr;
        return toggles_[b.toggle].faces[static_cast<int>(face) - static_cast<int>(ButtonFace::AlternateNormal)].get();
    default: break;
    }
    // A disabled button keeps its disabled look whatever is asked of it.
    if (logic_ && !logic_->Enabled(button)) return disable_.get();
    switch (face) {
    case ButtonFace::Pressed: return down_.get();
    case ButtonFace::Hover: return over_.get();
    case ButtonFace::Disabled: return disable_.get();
    default: return back_.get();
    }
}

void CSkinPanel::DrawFace(size_t button, ButtonFace face, bool lasting) {
    HBRUSH brush = BrushFor(button, face);
    if (!brush) return;  // an optional picture the skin does not have
    const Button& b = buttons_[button];
    // Whole-panel pictures line up with the panel; a toggle's own pictures
    // start at its button.
    const bool own = face >= ButtonFace::AlternateNormal;
    const POINT origin = own ? POINT{b.bounds.left, b.bounds.top} : POINT{0, 0};
    if (const auto dc = winowners::GetDCOwner(Handle())) {
        FillWithPattern(dc.get(), b.region.get(), brush, origin);
    }
    if (lasting) FillWithPattern(memory_.Dc(), b.region.get(), brush, origin);
}

void CSkinPanel::CaptureMouse() {
    if (GetCapture() != Handle()) SetCapture(Handle());
}

void CSkinPanel::ReleaseMouse() {
    if (GetCapture() == Handle()) ReleaseCapture();
}

void CSkinPanel::StartRepeat() { SetTimer(Handle(), kPanelRepeatTimer, kPanelRepeatPeriodMs, nullptr); }

void CSkinPanel::StopRepeat() { KillTimer(Handle(), kPanelRepeatTimer); }

void CSkinPanel::ButtonPressed(Colour key) { controller_.OnButton(key); }

void CSkinPanel::ButtonReleased(Colour key) { controller_.OnButtonUp(key); }

void CSkinPanel::SetTip(size_t button, bool pauseTip) {
    SetSkinToolText(tooltip_, Handle(), ToolIdOf(button),
                    pauseTip ? controller_.LanguageText("IDS_TIP_PAUSE")
                             : controller_.GetButtonTip(buttons_[button].key));
}

bool CSkinPanel::PreTranslateMessage(MSG& msg) {
    RelayToTooltip(tooltip_, msg);
    return false;
}

void CSkinPanel::OnDestroy() {
    StopRepeat();
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}

LRESULT CSkinPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!logic_) return CSkinControl::WindowProc(message, wParam, lParam);
    const Colour key = static_cast<Colour>(wParam);
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: memory_.Paint(Handle()); return 0;
    case WM_MOUSEMOVE: logic_->MouseMove(HitTest(lParam)); return 0;
    case WM_LBUTTONDOWN: logic_->ButtonDown(HitTest(lParam)); return 0;
    case WM_LBUTTONUP: logic_->ButtonUp(HitTest(lParam)); return 0;
    case WM_TIMER:
        if (wParam != kPanelRepeatTimer) break;
        logic_->RepeatTick();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) logic_->CaptureLost();
        return 0;
    case WM_PANEL_RESET_TOGGLES: logic_->ResetToggles(); return 0;
    case WM_PANEL_ENABLE_BUTTON: logic_->EnableButton(key, lParam != 0); return 0;
    case WM_PANEL_SET_TOGGLE: logic_->SetToggle(key, lParam != 0); return 0;
    case WM_PANEL_SET_SLIDER:
        if (CSkinSlider* slider = SliderFor(key)) SendMessageW(slider->Handle(), message, wParam, lParam);
        return 0;
    case WM_PANEL_DISABLE_ALL: logic_->DisableAll(); return 0;
    case WM_NCDESTROY: {
        LRESULT result = CSkinControl::WindowProc(message, wParam, lParam);
        // The sliders' windows went with the panel's; their objects follow.
        sliders_.clear();
        return result;
    }
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
