#include "CCameraController.h"

#include "ButtonKeys.h"

namespace vimbrel::controller {

CCameraController::CCameraController(const ControllerPorts& ports)
    : m_view(ports.view),
      m_windows(&ports.windows),
      m_sequences(&ports.sequences),
      m_media(&ports.media),
      m_browse(&ports.browse),
      m_cameraModule(&ports.cameraModule),
      m_clock(ports.clock),
      m_codePage(ports.codePage),
      m_engine(m_callbacks, ports.codePage),
      m_settings(m_engine, ports.store, m_callbacks, ports.programFolder),
      m_devices(m_engine, m_settings, ports.catalog, m_callbacks) {}

// The workers go first: they call the engine and draw on the overlay, and
// neither may vanish under them.
void CCameraController::Shutdown() {
    if (m_shutDown) return;
    m_shutDown = true;
    m_sequences->StopWorkers();
    m_cameraModule->StopRotationPoll();
    if (m_engine.IsLoaded() && m_engine.Api().Uninitialize) m_engine.Api().Uninitialize();
    m_windows->DestroyWindows();
    m_overlay = nullptr;
    m_functionPanel = nullptr;
}

void CCameraController::InitLook(unsigned uiLanguage) {
    m_skinColors = kSkinColors;
    m_uiFont = MakeUiFont(uiLanguage);
    m_buttonKeys = kButtonKeys;
}

int CCameraController::SetMainWindow(ControllerWindow window) {
    if (window == nullptr) return 0;
    m_mainWindow = window;
    return 1;
}

int CCameraController::SetBannerRect(int x, int y, int width, int height) {
    m_bannerRect = ControllerRect{x, y, x + width, y + height};
    return 1;
}

// --- Panels ------------------------------------------------------------------

ControllerWindow CCameraController::Panel(int panel) const {
    if (panel < 0 || panel >= kModeCount) return nullptr;
    return m_panels[static_cast<std::size_t>(panel)];
}

int CCameraController::EnablePanelButton(int panel, std::uint32_t key, int enable) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && m_view.EnableButton(window, key, enable != 0) ? 1 : 0;
}

int CCameraController::SetPanelToggle(int panel, std::uint32_t key, int state) {
    ControllerWindow window = Panel(panel);
    if (window == nullptr || state < 0 || state > 1) return 0;
    return m_view.SetToggle(window, key, state == 1) ? 1 : 0;
}

int CCameraController::ResetPanelToggles(int panel) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && m_view.ResetToggles(window) ? 1 : 0;
}

int CCameraController::DisablePanel(int panel) {
    ControllerWindow window = Panel(panel);
    return window != nullptr && m_view.DisableAll(window) ? 1 : 0;
}

// --- Overlay, wheel, mode picture, function panel ------------------------------

ControllerWindow CCameraController::CreateStatusOverlay(ControllerWindow parent,
                                                        const ControllerRect& rect, int modeId) {
    m_overlay = m_windows->CreateStatusOverlay(parent, rect, modeId);
    return m_overlay;
}

int CCameraController::RefreshOverlay() {
    if (m_overlay == nullptr) return 0;
    return m_view.Send(m_overlay, kStatusRefreshMessage, 0, 0) ? 1 : 0;
}

int CCameraController::SetOverlayMode(int modeId) {
    if (m_overlay == nullptr) return 0;
    return m_view.Send(m_overlay, kModeChangedMessage, modeId, 0) ? 1 : 0;
}

int CCameraController::SetOverlayTime(int seconds) {
    return m_overlay != nullptr ? m_windows->SetOverlayTime(seconds) : 0;
}

int CCameraController::SetOverlayIcon(int icon) {
    return m_overlay != nullptr ? m_windows->SetOverlayIcon(icon) : 0;
}

ControllerWindow CCameraController::CreateModeWheel(ControllerWindow parent,
                                                    const ControllerRect& rect) {
    m_wheel = m_windows->CreateModeWheel(parent, rect);
    return m_wheel;
}

int CCameraController::SetWheelMode(int modeId, int animate) {
    return m_wheel != nullptr ? m_windows->SetWheelMode(modeId, animate) : 0;
}

ControllerWindow CCameraController::CreateModePicture(ControllerWindow parent,
                                                      const ControllerRect& rect) {
    m_modePicture = m_windows->CreateModePicture(parent, rect);
    return m_modePicture;
}

int CCameraController::ShowModePicture(int modeId) {
    return m_modePicture != nullptr ? m_windows->ShowModePicture(modeId) : 0;
}

ControllerWindow CCameraController::CreateFunctionPanel(ControllerWindow parent,
                                                        const ControllerRect& rect) {
    m_functionPanel = m_windows->CreateFunctionPanel(parent, rect);
    if (m_functionPanel != nullptr) m_windows->SetFunctionPanelMode(kModeVideo);
    return m_functionPanel;
}

int CCameraController::RelayoutFunctionPanel() {
    return m_functionPanel != nullptr ? m_windows->RelayoutFunctionPanel() : 0;
}

int CCameraController::SetFunctionPanelMode(int modeId) {
    return m_functionPanel != nullptr ? m_windows->SetFunctionPanelMode(modeId) : 0;
}

int CCameraController::UpdateItemPopup(int settingId) {
    return m_functionPanel != nullptr ? m_windows->UpdateItemPopup(settingId) : 0;
}

// --- Browse tabs and canvas -------------------------------------------------

int CCameraController::SetBrowseWindow(ControllerWindow tabs, const char16_t* imageFolder,
                                       const char16_t* videoFolder, const char16_t* audioFolder,
                                       const char16_t* monitorFolder) {
    const char16_t* folders[] = {imageFolder, videoFolder, audioFolder, monitorFolder};
    if (tabs == nullptr) return 0;
    for (const char16_t* folder : folders) {
        if (folder == nullptr) return 0;
    }
    m_browseTabs = tabs;
    for (std::size_t kind = 0; kind < m_mediaFolders.size(); ++kind) {
        std::u16string folder(folders[kind]);
        // The folders are kept in 260 units, as every path of the program.
        if (folder.size() >= kDeviceNameCapacity) folder.resize(kDeviceNameCapacity - 1);
        m_mediaFolders[kind] = std::move(folder);
    }
    m_view.Send(m_browseTabs, kModeChangedMessage, kModeVideo, 0);
    return 1;
}

const std::u16string& CCameraController::MediaFolder(int mediaKind) const {
    static const std::u16string kNone;
    if (mediaKind < 0 || mediaKind >= static_cast<int>(m_mediaFolders.size())) return kNone;
    return m_mediaFolders[static_cast<std::size_t>(mediaKind)];
}

int CCameraController::SelectBrowseTab(int modeId) {
    // Tabs in MediaKind order: image, video, audio, monitor.
    static constexpr int kTabOfMode[kModeCount] = {1, 1, 2, 0, -1, 3};
    if (modeId < 0 || modeId >= kModeCount || m_browseTabs == nullptr) return 0;
    int tab = kTabOfMode[modeId];
    if (tab < 0) return 1;  // browsing keeps whatever tab the user is on
    return m_windows->SelectBrowseTab(tab);
}

int CCameraController::RefreshBrowser() {
    if (m_browseTabs == nullptr) return 0;
    return m_view.Send(m_browseTabs, kBrowseRefreshMessage, 0, 0) ? 1 : 0;
}

int CCameraController::QueryLeaveBrowse() {
    return m_browseTabs != nullptr ? m_windows->QueryLeaveBrowse() : 7;
}

int CCameraController::SetPhotoCanvas(ControllerWindow canvas) {
    if (canvas == nullptr) return 0;
    m_canvas = canvas;
    // The canvas starts with the pen the user last chose.
    const SettingsBlock& block = m_settings.Block();
    m_settings.ApplySetting(kSettingPenSize, block.penSize, 0);
    m_settings.ApplySetting(kSettingColor, block.color, 0);
    return 1;
}

int CCameraController::ShowBrowseFile(const char16_t* path, int mediaClass) {
    return m_browse->ShowMediaFile(path, mediaClass);
}

// --- Slider listeners -----------------------------------------------------------

int CCameraController::RegisterSliderListener(ControllerWindow window, int kind, unsigned message) {
    return m_listeners.Register(window, kind, message);
}

int CCameraController::NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) {
    return m_listeners.Notify(m_view, kind, wParam, lParam);
}

// --- Callbacks of the settings and device code ----------------------------------

void CCameraController::CCallbacks::RefreshOverlay() { m_owner.RefreshOverlay(); }
void CCameraController::CCallbacks::RelayoutFunctionPanel() { m_owner.RelayoutFunctionPanel(); }
void CCameraController::CCallbacks::UpdateItemPopup(int settingId) {
    m_owner.UpdateItemPopup(settingId);
}
void CCameraController::CCallbacks::UpdateDateOverlay(int dateType) {
    m_owner.m_sequences->UpdateDateOverlay(dateType);
}
void CCameraController::CCallbacks::ClearLastDateText() {
    m_owner.m_sequences->ClearLastDateText();
}
void CCameraController::CCallbacks::NotifySliderListeners(int kind, std::intptr_t wParam,
                                                          std::intptr_t lParam) {
    m_owner.NotifySliderListeners(kind, wParam, lParam);
}
void CCameraController::CCallbacks::ApplyPhotoEffect(int entry) {
    m_owner.m_browse->ApplyPhotoEffect(entry);
}
void CCameraController::CCallbacks::SetPhotoFrame(int entry) { m_owner.m_browse->SetPhotoFrame(entry); }
void CCameraController::CCallbacks::SetPenColor(int value) { m_owner.m_browse->SetPenColor(value); }
void CCameraController::CCallbacks::SetStamp(int value) { m_owner.m_browse->SetStamp(value); }
void CCameraController::CCallbacks::SetCanvasTool(int tool) { m_owner.m_browse->SetCanvasTool(tool); }
void CCameraController::CCallbacks::SetCanvasPenWidth(int width) {
    m_owner.m_browse->SetCanvasPenWidth(width);
}
int CCameraController::CCallbacks::BindVideoQuality() {
    return m_owner.m_cameraModule->BindVideoQuality();
}
void CCameraController::CCallbacks::RebindCameraModule() {
    m_owner.m_cameraModule->RebindCameraModule();
}

}  // namespace vimbrel::controller
