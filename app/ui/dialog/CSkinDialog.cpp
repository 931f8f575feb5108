#include "CSkinDialog.h"

#include "SkinMask.h"

#include <windowsx.h>

#include <optional>

namespace vimbrel::ui {

CSkinDialog::CSkinDialog(UINT templateId, HWND parent, std::wstring skinSource, std::wstring configName)
    : CDialog(templateId, parent),
      source_(std::move(skinSource), kDialogSkinType),
      configName_(std::move(configName)) {}

CSkinDialog::~CSkinDialog() {
    Destroy();
    ReleaseSkin();
}

void CSkinDialog::ReleaseSkin() {
    surface_.reset();
    windowDC_.reset();
    controlBrush_.reset();
    controlBrushDirty_ = true;
    memory_.Release();
    back_ = {};
    areas_.clear();
    keys_.clear();
}

BOOL CSkinDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~WS_CAPTION) | WS_MINIMIZEBOX | WS_SYSMENU);

    if (!LoadSkin()) {
        ReleaseSkin();
        EndDialog(-1);
        return FALSE;
    }
    SetWindowPos(Handle(), nullptr, 0, 0, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

bool CSkinDialog::LoadSkin() {
    gdiplus_ = std::make_unique<CGdiplusSession>();
    if (!gdiplus_->Ok()) return false;
    windowDC_ = winowners::UniqueWindowDC(Handle());
    if (windowDC_) surface_ = std::make_unique<Gdiplus::Graphics>(windowDC_.get());

    DialogSkinConfig config;
    if (!source_.ReadDialogConfig(configName_.c_str(), config)) return false;
    auto back = source_.LoadSkinImage(config.back);
    auto map = source_.LoadSkinImage(config.map);
    std::optional<CSkinMask> mask = map ? CSkinMask::FromBitmap(*map) : std::nullopt;
    if (!back || !mask) return false;
    width_ = static_cast<int>(back->GetWidth());
    height_ = static_cast<int>(back->GetHeight());
    back_ = PatternBrushOf(*back);
    if (!back_) return false;

    keys_ = mask->KeyColours(kDialogKeyLimit);
    for (Colour key : keys_) areas_.push_back(mask->Region(key, RegionMode::SameColour));

    // The dialog's whole background, which child controls show through.
    if (!memory_.Make(nullptr, width_, height_)) return false;
    RECT all{0, 0, width_, height_};
    FillRect(memory_.Dc(), &all, back_.get());

    winowners::UniqueRegion outline = mask->Region(kBlack, RegionMode::OtherColour);
    if (!outline) return false;
    SetWindowRgn(Handle(), outline.release(), TRUE);  // the window owns it now
    return true;
}

bool CSkinDialog::GetRegionRect(Colour key, AreaRect& out) const {
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] != key || !areas_[i]) continue;
        RECT box{};
        if (GetRgnBox(areas_[i].get(), &box) == NULLREGION || IsRectEmpty(&box)) return false;
        out = AreaRect{box.left, box.top, box.right - box.left, box.bottom - box.top};
        return true;
    }
    return false;
}

bool CSkinDialog::InClickableRect(POINT p) const {
    return p.x > clickable_.left && p.x < clickable_.right && p.y > clickable_.top && p.y < clickable_.bottom;
}

HBRUSH CSkinDialog::ControlBrush(HDC dc, HWND control) {
    if (controlBrushDirty_ || !controlBrush_) {
        controlBrush_.reset(memory_ ? CreatePatternBrush(memory_.Bitmap()) : nullptr);
        controlBrushDirty_ = false;
    }
    // The pattern starts at the dialog's corner, so a control shows the
    // part of the background it covers.
    POINT origin{0, 0};
    if (control && control != Handle()) MapWindowPoints(control, Handle(), &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return controlBrush_.get();
}

LRESULT CSkinDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST: {
        if (!memory_) break;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &p);
        // Everywhere but the clickable rectangle drags the window.
        return InClickableRect(p) ? HTCLIENT : HTCAPTION;
    }
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!hand_) hand_ = LoadCursor(nullptr, IDC_HAND);
        if (!arrow_) arrow_ = LoadCursor(nullptr, IDC_ARROW);
        if (InClickableRect(p)) {
            if (GetCapture() != Handle()) SetCapture(Handle());
            SetCursor(hand_);
        } else {
            if (GetCapture() == Handle()) ReleaseCapture();
            SetCursor(arrow_);
        }
        break;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        if (!memory_) break;
        CDialog::WindowProc(message, wParam, lParam);  // the default colours first
        return reinterpret_cast<LRESULT>(ControlBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY: {
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        ReleaseSkin();
        return result;
    }
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
