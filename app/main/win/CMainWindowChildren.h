// The controller's windows of the main window, made and kept here: the
// status strip, the mode wheel, the mode picture and the function panel.
// The controller creates them on the main dialog's areas and drives them
// through this object; each window is owned by it and goes with it.
#pragma once

#include "CFunctionPanel.h"
#include "CModePicture.h"
#include "CModeWheel.h"
#include "CStatusOverlay.h"
#include "ControllerUiAdapters.h"
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
    // The media tab strip is not part of this program yet: no tab to
    // select, and nothing edited that leaving could lose.
    int SelectBrowseTab(int) override { return 0; }
    int QueryLeaveBrowse() override { return 7; }
    void DestroyWindows() override;

private:
    COverlayControllerAdapter overlayAdapter_;
    CWheelControllerAdapter wheelAdapter_;
    CFunctionPanelControllerAdapter panelAdapter_;
    CNoItemPopups popups_;
    std::unique_ptr<ui::CStatusOverlay> overlay_;
    std::unique_ptr<ui::CModeWheel> wheel_;
    std::unique_ptr<ui::CModePicture> modePicture_;
    std::unique_ptr<ui::CFunctionPanel> functionPanel_;
};

}  // namespace vimbrel::mainwindow
