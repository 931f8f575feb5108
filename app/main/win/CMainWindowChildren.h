// The controller's windows of the main window, made and kept here: the
// status strip, the mode wheel, the mode picture, the function panel and
// the media tab strip, with the selection and the media actions of the
// strip's browsers. The controller creates them on the main dialog's areas
// and drives them through this object; each window is owned by it and goes
// with it.
#pragma once

#include "BrowseAdapters.h"
#include "CBrowseModeLink.h"
#include "CBrowseTabs.h"
#include "CMediaActions.h"
#include "CTabsMediaSelection.h"
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
    // The actions' services are used, not owned, and outlive this object.
    CMainWindowChildren(controller::CCameraController& owner, controller::CControllerCatalog& catalog,
                        MediaActionServices mediaServices);
    ~CMainWindowChildren() override;

    controller::ControllerWindow CreateStatusOverlay(controller::ControllerWindow parent,
                                                     const controller::ControllerRect& rect, int modeId) override;
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
    // Hides the function panel's open popup (Esc, a modal box over the
    // window).
    void HideItemPopups();
    int SelectBrowseTab(int mediaKind) override;
    // Leaving browse mode drops the canvas's picture: an edited one is
    // asked about first (1 saved, 2 stay, 7 go on).
    int QueryLeaveBrowse() override;
    // The about box, modal over owner.
    int ShowAbout(controller::ControllerWindow owner) override;
    void DestroyWindows() override;

    // Browse mode, made by the main dialog after these windows and gone
    // before them: null until it exists and once it has gone.
    void SetBrowseControl(controller::CBrowseControl* control) { browseMode_.SetControl(control); }
    // The browse panel's keys act through the same actions as the menu.
    CMediaActions& MediaActions() { return actions_; }
    // Where the strip makes the media folders instead of the data root
    // (tests); before CreateBrowseTabs.
    void SetMediaRoot(const std::wstring& root) { mediaRoot_ = root; }

    // The media tab strip, made by the main dialog: it fills the four media
    // folders (image, video, audio, monitor; MAX_PATH units each). Null
    // when it cannot be made.
    browser::CBrowseTabs* Tabs() const { return tabs_.get(); }
    HWND CreateBrowseTabs(HWND parent, const RECT& rect, wchar_t* imageFolder, wchar_t* videoFolder,
                          wchar_t* audioFolder, wchar_t* monitorFolder);

private:
    CBrowseModeLink browseMode_;
    CTabsMediaSelection selection_;
    CMediaActions actions_;
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
    std::wstring mediaRoot_;
};

}  // namespace vimbrel::mainwindow
