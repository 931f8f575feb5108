#include "CItemButton.h"
#include "winowners/GdiOwners.h"

#include "ClassBrush.h"

#include <windowsx.h>

namespace vimbrel::ui {
namespace {

constexpr DWORD kPopupFadeMs = 100;

RECT ToRect(const PanelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
PanelRect ToPanelRect(const RECT& r) { return PanelRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CItemButton::CItemButton(IFunctionPanelController& controller, IItemPopupFactory& popups)
    : controller_(controller), factory_(popups) {}

CItemButton::~CItemButton() {
    Destroy();
    Release();
}

bool CItemButton::Create(HWND parent, const RECT& rect, Gdiplus::Bitmap& normal, Gdiplus::Bitmap& hover,
                         Gdiplus::Bitmap* /*disabled*/, int settingId, int itemType) {
    if (Handle()) return false;
    settingId_ = settingId;
    itemType_ = itemType;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    const Colour face = controller_.SkinColour(kItemButtonColourIndex);
    const wchar_t* cls = framework::RegisterAnonymousClass(0, nullptr, KeptClassBrush(face));
    if (!cls || !framework::CWindow::Create(0, cls, nullptr, WS_CHILD, rect, parent, 0)) return false;
    bool made = false;
    if (const auto window = winowners::GetDCOwner(Handle())) {
        made = DrawFace(normalFace_, window.get(), normal) && DrawFace(hoverFace_, window.get(), hover);
    }
    if (!made) {
        Destroy();
        Release();
        return false;
    }
    ShowFace(false);
    return true;
}

bool CItemButton::DrawFace(CMemoryPicture& face, HDC compatible, Gdiplus::Bitmap& picture) {
    if (!face.Make(compatible, width_, height_)) return false;
    RECT all{0, 0, width_, height_};
    FillRect(face.Dc(), &all, KeptClassBrush(controller_.SkinColour(kItemButtonColourIndex)));
    Gdiplus::Graphics graphics(face.Dc());
    if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
    // In pixels, whatever resolution the picture states.
    return graphics.DrawImage(&picture, 0, 0, static_cast<INT>(picture.GetWidth()),
                              static_cast<INT>(picture.GetHeight())) == Gdiplus::Ok;
}

void CItemButton::ShowFace(bool hover) {
    hover_ = hover;
    if (!Handle()) return;
    if (const auto dc = winowners::GetDCOwner(Handle())) {
        (hover ? hoverFace_ : normalFace_).CopyTo(dc.get(), RECT{0, 0, width_, height_});
    }
}

IItemPopup* CItemButton::Popup() const {
    return itemType_ >= 0 && itemType_ < kItemPopupKinds ? popups_[itemType_].get() : nullptr;
}

int CItemButton::UpdatePopup() {
    IItemPopup* icons = popups_[kItemTypeList].get();
    if (!icons || !icons->Window() || !IsWindowVisible(icons->Window())) return 0;
    RECT button{};
    GetWindowRect(Handle(), &button);
    RECT placed{};
    if (!icons->Rebuild(button, placed)) return 0;
    KeepPopupRect(placed);
    return 1;
}

void CItemButton::KeepPopupRect(const RECT& onScreen) {
    RECT button{};
    GetWindowRect(Handle(), &button);
    popupRect_ = ToClient(ToPanelRect(onScreen), button.left, button.top);
}

void CItemButton::OnMouseMove(int x, int y) {
    const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
    if (inside) {
        const bool entering = !hover_;
        if (GetCapture() != Handle()) SetCapture(Handle());
        if (entering) ShowFace(true);
        if (itemType_ == kItemTypeButton) {
            if (!hand_) hand_ = LoadCursorW(nullptr, IDC_HAND);
            SetCursor(hand_);
            return;
        }
        // Once per visit: moves within the button leave an open popup be.
        IItemPopup* popup = Popup();
        if (entering || !popup || !popup->Window() || !IsWindowVisible(popup->Window())) OpenPopup();
        return;
    }
    if (GetCapture() == Handle()) ReleaseCapture();
    ShowFace(false);
    if (itemType_ == kItemTypeButton) {
        if (!arrow_) arrow_ = LoadCursorW(nullptr, IDC_ARROW);
        SetCursor(arrow_);
    }
    // Up into the open popup keeps it, so the mouse can reach it.
    IItemPopup* popup = Popup();
    if (popup && popup->Window() && popupRect_.Contains(x, y)) return;
    HidePopups();
}

void CItemButton::OpenPopup() {
    if (itemType_ < 0 || itemType_ >= kItemPopupKinds) return;
    std::unique_ptr<IItemPopup>& popup = popups_[itemType_];
    if (!popup) popup = factory_.MakePopup(itemType_);
    if (!popup) return;
    if (opening_) opening_(*this);
    RECT button{};
    GetWindowRect(Handle(), &button);
    RECT placed{};
    if (!popup->Window()) {
        if (popup->Create(Handle(), button, settingId_, placed)) KeepPopupRect(placed);
        return;
    }
    HWND window = popup->Window();
    if (settingId_ == kPanelDateId) popup->Rebuild(button, placed);
    RECT now{};
    GetWindowRect(window, &now);
    const PanelRect above = PopupAboveButton(ToPanelRect(button), now.right - now.left, now.bottom - now.top);
    SetWindowPos(window, HWND_TOP, above.left, above.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsWindowVisible(window)) AnimateWindow(window, kPopupFadeMs, AW_BLEND);
    KeepPopupRect(ToRect(above));
}

void CItemButton::HidePopups() {
    for (const auto& popup : popups_)
        if (popup && popup->Window()) ShowWindow(popup->Window(), SW_HIDE);
}

void CItemButton::Release() {
    for (auto& popup : popups_) popup.reset();
    normalFace_.Release();
    hoverFace_.Release();
}

void CItemButton::OnDestroy() { Release(); }

LRESULT CItemButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(Handle(), &paint);
        if (dc) (hover_ ? hoverFace_ : normalFace_).CopyTo(dc, RECT{0, 0, width_, height_});
        EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_LBUTTONUP:
        if (itemType_ == kItemTypeButton) {
            ShowFace(false);
            // The sheet is modal: it must have the mouse, not this button.
            if (GetCapture() == Handle()) ReleaseCapture();
            controller_.ShowAdvancedSettings();
        }
        break;
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
