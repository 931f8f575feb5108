// The controller's windows of the main window, made and kept here: the
// status strip, the mode wheel, the mode picture and the function panel.
// The controller creates them on the main dialog's areas and drives them
// through this object; each window is owned by it and goes with it.
#pragma once

#include "BrowseAdapters.h"
#include "CBrowseTabs.h"
#include "CFunctionPanel.h"
#include "CModePicture.h"
#include "CModeWheel.h"
#include "CStatusOverlay.h"
#include "CItemPopupFactory.h"
#include "ControllerUiAdapters.h"
#include "PopupControllerAdapter.h"
#include "ControllerView.h"

#include <memory>

namespace vimbrel::mainwindow {

class CMainWindowChildren final : public controller::IControllerWindows {
public:
    CMainWindowChildren(controller::CCameraController& owner, controller::CControllerCatalog& catalog);
    ~CMainWindowChildren() override;

    controller::ControllerWindow CreateStatusOverlay(controller::ControllerWindow parent,
                                                     const controller::ControllerRect& rect,
                                                     int modeId) override;
    controller::ControllerWindow CreateModeWheel(controller::ControllerWindow parent,
                                                 const controller::ControllerRect& rect) override;
    controller::ControllerWindow CreateModePicture(controller::ControllerWindow parent,
                                                   const controller::ControllerRect& rect) override;
    controller::ControllerWindow CreateFunctionPanel(controller::ControllerWindow parent,
                                                     const controller::ControllerRect& rect) override;
    int SetOverlayTime(int seconds) override;
    int SetOverlayIcon(int icon) override;
    int SetWheelMode(int modeId, int animate) override;
    int ShowModePicture(int modeId) override;
    int SetFunctionPanelMode(int modeId) override;
    int RelayoutFunctionPanel() override;
    int UpdateItemPopup(int settingId) override;
    int SelectBrowseTab(int mediaKind) override;
    // The strip never holds a switch up (nothing edited is kept yet):
    // continue.
    int QueryLeaveBrowse() override { return kNothingToSave; }
    // The about box, modal over owner.
    int ShowAbout(controller::ControllerWindow owner) override;
    void DestroyWindows() override;

    // The media tab strip, made by the main dialog: it fills the four media
    // folders (image, video, audio, monitor; MAX_PATH units each). Null
    // when it cannot be made.
    browser::CBrowseTabs* Tabs() const { return tabs_.get(); }
    HWND CreateBrowseTabs(HWND parent, const RECT& rect, wchar_t* imageFolder, wchar_t* videoFolder,
                          wchar_t* audioFolder, wchar_t* monitorFolder);

private:
    COverlayControllerAdapter overlayAdapter_;
    CWheelControllerAdapter wheelAdapter_;
    CFunctionPanelControllerAdapter panelAdapter_;
    CPopupControllerAdapter popupAdapter_;
    ui::CItemPopupFactory popups_;
    CBrowseTabsControllerAdapter tabsAdapter_;
    CBrowseControllerAdapter browseAdapter_;
    std::unique_ptr<browser::CBrowseTabs> tabs_;
    std::unique_ptr<ui::CStatusOverlay> overlay_;
    std::unique_ptr<ui::CModeWheel> wheel_;
    std::unique_ptr<ui::CModePicture> modePicture_;
    std::unique_ptr<ui::CFunctionPanel> functionPanel_;
};

}  // namespace vimbrel::mainwindow
