#include "CMainWindowChildren.h"

#include "CAboutDialog.h"
#include "CBrowseControl.h"

namespace vimbrel::mainwindow {
namespace {

RECT ToRect(const controller::ControllerRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

CMainWindowChildren::CMainWindowChildren(controller::CCameraController& owner, controller::CControllerCatalog& catalog,
                                         MediaActionServices mediaServices)
    : actions_(
          selection_, [&owner] { return static_cast<HWND>(owner.MainWindow()); }, std::move(mediaServices)),
      overlayAdapter_(owner, browseMode_),
      wheelAdapter_(owner),
      panelAdapter_(owner, catalog),
      popupAdapter_(owner, catalog),
      popups_(popupAdapter_),
      tabsAdapter_(owner, browseMode_),
      browseAdapter_(owner, browseMode_, actions_) {}

CMainWindowChildren::~CMainWindowChildren() { DestroyWindows(); }

// Each create replaces a window made before, so the controller never
// drives one it no longer knows.
controller::ControllerWindow CMainWindowChildren::CreateStatusOverlay(controller::ControllerWindow parent,
                                                                      const controller::ControllerRect& rect,
                                                                      int modeId) {
    auto overlay = std::make_unique<ui::CStatusOverlay>(overlayAdapter_);
    if (!overlay->Create(parent, ToRect(rect), modeId)) return nullptr;
    overlay_ = std::move(overlay);
    return overlay_->Handle();
}

controller::ControllerWindow CMainWindowChildren::CreateModeWheel(controller::ControllerWindow parent,
                                                                  const controller::ControllerRect& rect) {
    auto wheel = std::make_unique<ui::CModeWheel>(wheelAdapter_);
    if (!wheel->Create(parent, ToRect(rect))) return nullptr;
    wheel_ = std::move(wheel);
    return wheel_->Handle();
}

controller::ControllerWindow CMainWindowChildren::CreateModePicture(controller::ControllerWindow parent,
                                                                    const controller::ControllerRect& rect) {
    auto picture = std::make_unique<ui::CModePicture>();
    if (!picture->Create(parent, ToRect(rect))) return nullptr;
    modePicture_ = std::move(picture);
    return modePicture_->Handle();
}

controller::ControllerWindow CMainWindowChildren::CreateFunctionPanel(controller::ControllerWindow parent,
                                                                      const controller::ControllerRect& rect) {
    auto panel = std::make_unique<ui::CFunctionPanel>(panelAdapter_, popups_);
    if (!panel->Create(parent, ToRect(rect))) return nullptr;
    functionPanel_ = std::move(panel);
    return functionPanel_->Handle();
}

int CMainWindowChildren::SetOverlayTime(int seconds) { return overlay_ ? overlay_->SetTime(seconds) : 0; }

int CMainWindowChildren::SetOverlayIcon(int icon) { return overlay_ ? overlay_->SetStateIcon(icon) : 0; }

int CMainWindowChildren::SetWheelMode(int modeId, int animate) {
    return wheel_ ? wheel_->SetMode(modeId, animate != 0) : 0;
}

int CMainWindowChildren::ShowModePicture(int modeId) { return modePicture_ ? modePicture_->ShowMode(modeId) : 0; }

int CMainWindowChildren::SetFunctionPanelMode(int modeId) {
    return functionPanel_ ? functionPanel_->SetMode(modeId) : 0;
}

int CMainWindowChildren::RelayoutFunctionPanel() { return functionPanel_ ? functionPanel_->Relayout() : 0; }

void CMainWindowChildren::HideItemPopups() {
    if (functionPanel_) functionPanel_->HidePopups();
}

int CMainWindowChildren::UpdateItemPopup(int settingId) {
    return functionPanel_ ? functionPanel_->UpdatePopupById(settingId) : 0;
}

int CMainWindowChildren::SelectBrowseTab(int mediaKind) { return tabs_ ? tabs_->SelectTab(mediaKind) : 0; }

// Coming back to browse mode loads the current file again and the other
// modes show the camera or the audio picture, so leaving drops any edit of
// the picture: the same question as before moving to another item. The
// strip itself has nothing to confirm.
int CMainWindowChildren::QueryLeaveBrowse() {
    if (!tabs_) return controller::kAnswerContinue;
    return browseMode_.QuerySaveModified();
}

int CMainWindowChildren::ShowAbout(controller::ControllerWindow owner) {
    ui::CAboutDialog about(LanguageTextOf("IDS_VERSION"), static_cast<HWND>(owner));
    return about.DoModal() == -1 ? 0 : 1;
}

HWND CMainWindowChildren::CreateBrowseTabs(HWND parent, const RECT& rect, wchar_t* imageFolder, wchar_t* videoFolder,
                                           wchar_t* audioFolder, wchar_t* monitorFolder) {
    auto tabs = std::make_unique<browser::CBrowseTabs>(tabsAdapter_, browseAdapter_);
    if (!mediaRoot_.empty()) tabs->SetDataRoot(mediaRoot_);
    if (!tabs->Create(parent, rect, imageFolder, videoFolder, audioFolder, monitorFolder)) return nullptr;
    tabs_ = std::move(tabs);
    selection_.SetTabs(tabs_.get());
    return tabs_->Handle();
}

void CMainWindowChildren::DestroyWindows() {
    // The wheel's thread and the overlay's workers end with their objects;
    // the browsers' folder watches and video workers with the strip.
    selection_.SetTabs(nullptr);
    tabs_.reset();
    functionPanel_.reset();
    overlay_.reset();
    wheel_.reset();
    modePicture_.reset();
}

}  // namespace vimbrel::mainwindow
