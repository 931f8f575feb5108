#include "CFunctionPanel.h"

#include "ClassBrush.h"
#include "ModeMessages.h"
#include "SkinPictures.h"

#include <commctrl.h>

#include <algorithm>

namespace vimbrel::ui {
namespace {

// One tool per button, known by the button's window: the panel relays the
// mouse messages of its children to the control.
void AddButtonTool(HWND tooltip, HWND panel, HWND button, const std::wstring& text) {
    if (!tooltip) return;
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = panel;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

CFunctionPanel::CFunctionPanel(IFunctionPanelController& controller, IItemPopupFactory& popups)
    : controller_(controller), popups_(popups) {}

CFunctionPanel::~CFunctionPanel() {
    DestroyButtons();
    Destroy();
    if (tooltip_) DestroyWindow(tooltip_);
}

int CFunctionPanel::Create(HWND parent, const RECT& rect) {
    if (Handle()) return 0;
    const wchar_t* cls = framework::RegisterAnonymousClass(
        0, nullptr, KeptClassBrush(controller_.SkinColour(kItemButtonColourIndex)));
    if (!cls || !framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0))
        return 0;
    rect_ = rect;
    tooltip_ = CreateSkinTooltip(Handle());
    return 1;
}

int CFunctionPanel::SetMode(int mode) {
    if (mode < 0 || mode > 5) return 0;
    // The popups belong to the mode that was: none stays over the next.
    if (mode != mode_) HidePopups();
    mode_ = mode;
    modeBit_ = 1 << mode;
    LayOut(controller_.CatalogItems());
    return 1;
}

int CFunctionPanel::Relayout() {
    SetMode(mode_);
    return 1;
}

void CFunctionPanel::HidePopups() {
    for (const auto& button : buttons_) button->HidePopups();
}

CItemButton* CFunctionPanel::ButtonById(int settingId) const {
    for (const auto& button : buttons_)
        if (button->SettingId() == settingId) return button.get();
    return nullptr;
}

int CFunctionPanel::UpdatePopupById(int settingId) {
    CItemButton* button = ButtonById(settingId);
    return button ? button->UpdatePopup() : 0;
}

PanelFileTypes CFunctionPanel::ReadFileTypes() {
    PanelFileTypes types;
    int value = 0;
    if (controller_.GetSetting(kPanelImageFileTypeId, value)) types.image = value;
    if (controller_.GetSetting(kPanelVideoFileTypeId, value)) types.video = value;
    if (controller_.GetSetting(kPanelAudioFileTypeId, value)) types.audio = value;
    return types;
}

bool CFunctionPanel::MakeButtons(const std::vector<PanelCatalogItem>& items) {
    item_ = controller_.ItemPictureSize();
    const size_t count = std::min(items.size(), static_cast<size_t>(kItemButtonSlots));
    for (size_t i = 0; i < count; ++i) {
        const PanelCatalogItem& item = items[i];
        // A layout that stopped half-way made some already.
        if (ButtonById(item.settingId)) continue;
        auto normal = controller_.ItemPicture(item.settingId, kItemPictureNormal);
        auto hover = controller_.ItemPicture(item.settingId, kItemPictureHover);
        auto disabled = controller_.ItemPicture(item.settingId, kItemPictureDisabled);
        if (!normal || !hover || !disabled) return false;
        const int x = static_cast<int>(i) * item_.cx;
        auto button = std::make_unique<CItemButton>(controller_, popups_);
        if (!button->Create(Handle(), RECT{x, 0, x + item_.cx, item_.cy}, *normal, *hover, disabled.get(),
                            item.settingId, item.type))
            continue;
        const std::wstring tip = item.settingId == kPanelAdvancedSettingsId
                                     ? controller_.LanguageText("IDS_DLG_ADVSETTING")
                                     : L"";
        AddButtonTool(tooltip_, Handle(), button->Handle(), tip);
        button->SetOnPopupOpening([this](CItemButton& opening) {
            for (const auto& other : buttons_)
                if (other.get() != &opening) other->HidePopups();
        });
        buttons_.push_back(std::move(button));
    }
    return true;
}

void CFunctionPanel::LayOut(const std::vector<PanelCatalogItem>& items) {
    if (items.empty() || !Handle()) return;
    if (buttonsPending_) {
        if (!MakeButtons(items)) return;
        buttonsPending_ = false;
    }
    for (const auto& button : buttons_) ShowWindow(button->Handle(), SW_HIDE);

    const PanelFileTypes types = ReadFileTypes();
    std::vector<PanelItem> shown;
    shown.reserve(items.size());
    for (const PanelCatalogItem& item : items) shown.push_back({item.settingId, item.modeMask});
    for (const PlacedItemButton& place : LayOutItemButtons(shown, mode_, types, item_.cx)) {
        if (place.settingId == kPanelVideoBitrateId) {
            if (const char* key = VideoBitrateTitleKey(types))
                controller_.SetItemTitle(kPanelVideoBitrateId, controller_.LanguageText(key));
        }
        // Buttons are found by setting id: items the controller removes
        // after a device change must not shift the others' buttons.
        CItemButton* button = ButtonById(place.settingId);
        if (!button) continue;
        SetWindowPos(button->Handle(), nullptr, place.x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(button->Handle(), SW_SHOW);
    }
}

void CFunctionPanel::DestroyButtons() {
    for (auto& button : buttons_) button->Destroy();
    buttons_.clear();
}

bool CFunctionPanel::PreTranslateMessage(MSG& msg) {
    RelayToTooltip(tooltip_, msg);
    return framework::CWindow::PreTranslateMessage(msg);
}

void CFunctionPanel::OnDestroy() { DestroyButtons(); }

LRESULT CFunctionPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MODE_CHANGED: SetMode(static_cast<int>(static_cast<INT_PTR>(wParam))); break;
    case WM_PAINT: {
        // The class brush paints the background; the buttons paint
        // themselves. BeginPaint validates this window alone: ValidateRect
        // on a window without WS_CLIPCHILDREN validates its children too,
        // and the buttons then never got their first paint.
        PAINTSTRUCT paint{};
        BeginPaint(Handle(), &paint);
        EndPaint(Handle(), &paint);
        return 0;
    }
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
