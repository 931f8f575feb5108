#include "CCameraController.h"

#include "ButtonKeys.h"

namespace vimbrel::controller {

CCameraController::CCameraController(const ControllerPorts& ports)
    : view_(ports.view),
      windows_(&ports.windows),
      sequences_(&ports.sequences),
      media_(&ports.media),
      browse_(&ports.browse),
      cameraModule_(&ports.cameraModule),
      clock_(ports.clock),
      codePage_(ports.codePage),
      engine_(callbacks_, ports.codePage),
      settings_(engine_, ports.store, callbacks_, ports.programFolder),
      devices_(engine_, settings_, ports.catalog, callbacks_) {}

// The workers go first: they call the engine and draw on the overlay, and
// neither may vanish under them.
void CCameraController::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    sequences_->StopWorkers();
    cameraModule_->StopRotationPoll();
    if (engine_.IsLoaded() && engine_.Api().Uninitialize) engine_.Api().Uninitialize();
    windows_->DestroyWindows();
    overlay_ = nullptr;
    functionPanel_ = nullptr;
}

void CCameraController::InitLook(unsigned uiLanguage) {
    skinColors_ = kSkinColors;
    uiFont_ = MakeUiFont(uiLanguage);
    buttonKeys_ = kButtonKeys;
}

int CCameraController::SetMainWindow(ControllerWindow window) {
    if (window == nullptr) return 0;
    mainWindow_ = window;
    return 1;
}

int CCameraController::SetBannerRect(int x, int y, int width, int height) {
    bannerRect_ = ControllerRect{x, y, x + width, y + height};
    return 1;
}

// --- Panels ------------------------------------------------------------------

ControllerWindow CCameraController::Panel(int panel) const {
    if (panel < 0 || panel >= kModeCount) return nullptr;
    return panels_[static_cast<std::size_t>(panel)];
}

int CCameraController::EnablePanelButton(int panel, std::uint32_t key, int enable) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && view_.EnableButton(window, key, enable != 0) ? 1 : 0;
}

int CCameraController::SetPanelToggle(int panel, std::uint32_t key, int state) {
    ControllerWindow window = Panel(panel);
    if (window == nullptr || state < 0 || state > 1) return 0;
    return view_.SetToggle(window, key, state == 1) ? 1 : 0;
}

int CCameraController::ResetPanelToggles(int panel) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && view_.ResetToggles(window) ? 1 : 0;
}

int CCameraController::DisablePanel(int panel) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && view_.DisableAll(window) ? 1 : 0;
}

// --- Overlay, wheel, mode picture, function panel ------------------------------

ControllerWindow CCameraController::CreateStatusOverlay(ControllerWindow parent, const ControllerRect& rect,
                                                        int modeId) {
    overlay_ = windows_->CreateStatusOverlay(parent, rect, modeId);
    return overlay_;
}

int CCameraController::RefreshOverlay() {
    if (overlay_ == nullptr) return 0;
    return view_.Send(overlay_, kStatusRefreshMessage, 0, 0) ? 1 : 0;
}

int CCameraController::SetOverlayMode(int modeId) {
    if (overlay_ == nullptr) return 0;
    return view_.Send(overlay_, kModeChangedMessage, modeId, 0) ? 1 : 0;
}

int CCameraController::SetOverlayTime(int seconds) {
    return overlay_ != nullptr ? windows_->SetOverlayTime(seconds) : 0;
}

int CCameraController::SetOverlayIcon(int icon) { return overlay_ != nullptr ? windows_->SetOverlayIcon(icon) : 0; }

ControllerWindow CCameraController::CreateModeWheel(ControllerWindow parent, const ControllerRect& rect) {
    wheel_ = windows_->CreateModeWheel(parent, rect);
    return wheel_;
}

int CCameraController::SetWheelMode(int modeId, int animate) {
    return wheel_ != nullptr ? windows_->SetWheelMode(modeId, animate) : 0;
}

ControllerWindow CCameraController::CreateModePicture(ControllerWindow parent, const ControllerRect& rect) {
    modePicture_ = windows_->CreateModePicture(parent, rect);
    return modePicture_;
}

int CCameraController::ShowModePicture(int modeId) {
    return modePicture_ != nullptr ? windows_->ShowModePicture(modeId) : 0;
}

ControllerWindow CCameraController::CreateFunctionPanel(ControllerWindow parent, const ControllerRect& rect) {
    functionPanel_ = windows_->CreateFunctionPanel(parent, rect);
    if (functionPanel_ != nullptr) windows_->SetFunctionPanelMode(kModeVideo);
    return functionPanel_;
}

int CCameraController::RelayoutFunctionPanel() {
    return functionPanel_ != nullptr ? windows_->RelayoutFunctionPanel() : 0;
}

int CCameraController::SetFunctionPanelMode(int modeId) {
    return functionPanel_ != nullptr ? windows_->SetFunctionPanelMode(modeId) : 0;
}

int CCameraController::UpdateItemPopup(int settingId) {
    return functionPanel_ != nullptr ? windows_->UpdateItemPopup(settingId) : 0;
}

// --- Browse tabs and canvas -------------------------------------------------

int CCameraController::SetBrowseWindow(ControllerWindow tabs, const char16_t* imageFolder, const char16_t* videoFolder,
                                       const char16_t* audioFolder, const char16_t* monitorFolder) {
    const char16_t* folders[] = {imageFolder, videoFolder, audioFolder, monitorFolder};
    if (tabs == nullptr) return 0;
    for (const char16_t* folder : folders) {
        if (folder == nullptr) return 0;
    }
    browseTabs_ = tabs;
    for (std::size_t kind = 0; kind < mediaFolders_.size(); ++kind) {
        std::u16string folder(folders[kind]);
        // The folders are kept in 260 units, as every path of the program.
        if (folder.size() >= kDeviceNameCapacity) folder.resize(kDeviceNameCapacity - 1);
        mediaFolders_[kind] = std::move(folder);
    }
    view_.Send(browseTabs_, kModeChangedMessage, kModeVideo, 0);
    return 1;
}

const std::u16string& CCameraController::MediaFolder(int mediaKind) const {
    static const std::u16string kNone;
    if (mediaKind < 0 || mediaKind >= static_cast<int>(mediaFolders_.size())) return kNone;
    return mediaFolders_[static_cast<std::size_t>(mediaKind)];
}

int CCameraController::SelectBrowseTab(int modeId) {
    // Tabs in MediaKind order: image, video, audio, monitor.
    static constexpr int kTabOfMode[kModeCount] = {1, 1, 2, 0, -1, 3};
    if (modeId < 0 || modeId >= kModeCount || browseTabs_ == nullptr) return 0;
    int tab = kTabOfMode[modeId];
    if (tab < 0) return 1;  // browsing keeps whatever tab the user is on
    return windows_->SelectBrowseTab(tab);
}

int CCameraController::RefreshBrowser() {
    if (browseTabs_ == nullptr) return 0;
    return view_.Send(browseTabs_, kBrowseRefreshMessage, 0, 0) ? 1 : 0;
}

int CCameraController::QueryLeaveBrowse() { return browseTabs_ != nullptr ? windows_->QueryLeaveBrowse() : 7; }

int CCameraController::SetPhotoCanvas(ControllerWindow canvas) {
    if (canvas == nullptr) return 0;
    canvas_ = canvas;
    // The canvas starts with the pen the user last chose.
    const SettingsBlock& block = settings_.Block();
    settings_.ApplySetting(kSettingPenSize, block.penSize, 0);
    settings_.ApplySetting(kSettingColor, block.color, 0);
    return 1;
}

int CCameraController::ShowBrowseFile(const char16_t* path, int mediaClass) {
    return browse_->ShowMediaFile(path, mediaClass);
}

// --- Slider listeners -----------------------------------------------------------

int CCameraController::RegisterSliderListener(ControllerWindow window, int kind, unsigned message) {
    return listeners_.Register(window, kind, message);
}

int CCameraController::NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) {
    return listeners_.Notify(view_, kind, wParam, lParam);
}

// --- Callbacks of the settings and device code ----------------------------------

void CCameraController::CCallbacks::RefreshOverlay() { owner_.RefreshOverlay(); }
void CCameraController::CCallbacks::RelayoutFunctionPanel() { owner_.RelayoutFunctionPanel(); }
void CCameraController::CCallbacks::UpdateItemPopup(int settingId) { owner_.UpdateItemPopup(settingId); }
void CCameraController::CCallbacks::UpdateDateOverlay(int dateType) { owner_.sequences_->UpdateDateOverlay(dateType); }
void CCameraController::CCallbacks::ClearLastDateText() { owner_.sequences_->ClearLastDateText(); }
void CCameraController::CCallbacks::NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) {
    owner_.NotifySliderListeners(kind, wParam, lParam);
}
void CCameraController::CCallbacks::ApplyPhotoEffect(int entry) { owner_.browse_->ApplyPhotoEffect(entry); }
void CCameraController::CCallbacks::SetPhotoFrame(int entry) { owner_.browse_->SetPhotoFrame(entry); }
void CCameraController::CCallbacks::SetPenColor(int value) { owner_.browse_->SetPenColor(value); }
void CCameraController::CCallbacks::SetStamp(int value) { owner_.browse_->SetStamp(value); }
void CCameraController::CCallbacks::SetCanvasTool(int tool) { owner_.browse_->SetCanvasTool(tool); }
void CCameraController::CCallbacks::SetCanvasPenWidth(int width) { owner_.browse_->SetCanvasPenWidth(width); }
int CCameraController::CCallbacks::BindVideoQuality() { return owner_.cameraModule_->BindVideoQuality(); }
void CCameraController::CCallbacks::RebindCameraModule() { owner_.cameraModule_->RebindCameraModule(); }

}  // namespace vimbrel::controller
