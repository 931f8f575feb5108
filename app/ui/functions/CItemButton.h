// One small setting button of the function panel: two pre-drawn faces,
// hover with the mouse captured, and the item's popup opened right above
// it while the mouse rests on it (or, for the "Advanced Settings" button,
// the settings sheet on a click).
#pragma once

#include "CMemoryPicture.h"
#include "FunctionPanelLogic.h"
#include "IFunctionPanelController.h"
#include "IItemPopup.h"
#include "CSkinControl.h"

#include <windows.h>
#include <gdiplus.h>

#include <functional>
#include <memory>

namespace vimbrel::ui {

// Skin colour behind the item pictures.
constexpr int kItemButtonColourIndex = 0;

class CItemButton : public CSkinControl {
public:
    CItemButton(IFunctionPanelController& controller, IItemPopupFactory& popups);
    ~CItemButton() override;

    // A hidden child of `parent` at `rect`, showing the normal face. The
    // disabled picture is taken and not used. False when the window or a
    // face cannot be made.
    bool Create(HWND parent, const RECT& rect, Gdiplus::Bitmap& normal, Gdiplus::Bitmap& hover,
                Gdiplus::Bitmap* disabled, int settingId, int itemType);
    // For an open icon popup: rebuilds its rows against this button and
    // keeps its new place; 0 when the icon popup is not open.
    int UpdatePopup();

    int SettingId() const { return settingId_; }
    int ItemType() const { return itemType_; }
    bool Hovered() const { return hover_; }
    // Where the popup was last put, in this button's client coordinates.
    const PanelRect& PopupRect() const { return popupRect_; }
    // The popup of the button's own kind, or null before it is first needed.
    IItemPopup* Popup() const;
    // Hides every popup of this button.
    void HidePopups();
    // Called just before this button shows its popup, so that the panel
    // can hide the others: one popup at a time.
    void SetOnPopupOpening(std::function<void(CItemButton&)> opening) { opening_ = std::move(opening); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    bool DrawFace(CMemoryPicture& face, HDC compatible, Gdiplus::Bitmap& picture);
    void ShowFace(bool hover);
    void OnMouseMove(int x, int y);
    void OpenPopup();
    void KeepPopupRect(const RECT& onScreen);
    void Release();

    IFunctionPanelController& controller_;
    IItemPopupFactory& factory_;
    int settingId_ = 0;
    int itemType_ = kItemTypeList;
    int width_ = 0, height_ = 0;
    bool hover_ = false;
    PanelRect popupRect_;
    std::unique_ptr<IItemPopup> popups_[kItemPopupKinds];
    CMemoryPicture normalFace_;
    CMemoryPicture hoverFace_;
    HCURSOR hand_ = nullptr;
    HCURSOR arrow_ = nullptr;
    std::function<void(CItemButton&)> opening_;
};

}  // namespace vimbrel::ui
