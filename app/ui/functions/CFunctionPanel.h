// The strip of small setting buttons in the main window: one item button
// per catalogue item, made at the first layout; a mode shows the buttons
// whose mode mask holds it (and whose file-type rule allows them), side by
// side from the left.
#pragma once

#include "CItemButton.h"
#include "FunctionPanelLogic.h"
#include "GdiplusSession.h"
#include "IFunctionPanelController.h"
#include "IItemPopup.h"
#include "CSkinControl.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vimbrel::ui {

class CFunctionPanel : public CSkinControl {
public:
    CFunctionPanel(IFunctionPanelController& controller, IItemPopupFactory& popups);
    ~CFunctionPanel() override;

    // A visible child of `parent` at `rect` with its tooltip control; 0
    // when the window cannot be made.
    int Create(HWND parent, const RECT& rect);
    // Shows the mode's buttons; 0 for a mode outside 0..5 (nothing changes).
    int SetMode(int mode);
    // The current mode laid out again (after a file type changed); 1.
    int Relayout();
    // Rebuilds the open icon popup of the button of `settingId`; 1 when it
    // was open, 0 when it was not or no button has the id.
    int UpdatePopupById(int settingId);
    // Hides the popup of every button (Esc, a modal box, a mode change).
    void HidePopups();

    bool PreTranslateMessage(MSG& msg) override;

    int CurrentMode() const { return mode_; }
    HWND Tooltip() const { return tooltip_; }
    // The button of a setting id, or null.
    CItemButton* ButtonById(int settingId) const;
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void LayOut(const std::vector<PanelCatalogItem>& items);
    bool MakeButtons(const std::vector<PanelCatalogItem>& items);
    PanelFileTypes ReadFileTypes();
    void DestroyButtons();

    CGdiplusSession gdiplus_;
    IFunctionPanelController& controller_;
    IItemPopupFactory& popups_;
    HWND tooltip_ = nullptr;
    SIZE item_{20, 20};
    RECT rect_{};
    int mode_ = 0;
    int modeBit_ = 1;
    // One button per catalogue item (at most kItemButtonSlots), catalogue
    // order. Kept per panel: a panel made after another never sees the
    // first one's buttons.
    std::vector<std::unique_ptr<CItemButton>> buttons_;
    bool buttonsPending_ = true;
};

}  // namespace vimbrel::ui
