// The mode panels, the start of the controller and the switch between modes.
#include "CCameraController.h"

#include <initializer_list>

#include "ButtonKeys.h"

namespace vimbrel::controller {

int CCameraController::SetModePanels(const std::array<ControllerWindow, kModeCount>& panels) {
    for (ControllerWindow panel : panels) {
        if (panel == nullptr) return 0;
    }
    m_panels = panels;
    // Nothing runs yet, so nothing can be stopped.
    for (int panel : {kModeVideo, kModeVideoOnly, kModeAudio, kModeMonitor})
        EnablePanelButton(panel, KeyOf(Button::Stop), 0);
    EnablePanelButton(kModeBrowse, KeyOf(Button::StopPlaying), 0);
    ShowOnlyPanel(kModeVideo);

    int volume = 0;
    if (m_settings.LoadSettingValue(kSettingMicrophoneVolume, &volume))
        m_settings.SetAudioVolume(volume * 0.01);

    // Modes that need a device the engine did not find cannot be used.
    if (m_engine.videoDeviceCount == 0) {
        for (int panel : {kModeVideo, kModeVideoOnly, kModeImage, kModeMonitor}) DisablePanel(panel);
    }
    if (m_engine.audioDeviceCount == 0) {
        for (int panel : {kModeVideo, kModeAudio}) DisablePanel(panel);
    }
    return 1;
}

void CCameraController::ShowOnlyPanel(int modeId) {
    for (int panel = 0; panel < kModeCount; ++panel) {
        if (ControllerWindow window = Panel(panel)) m_view.Show(window, panel == modeId);
    }
}

// A saved resolution index that no longer names an entry (another camera,
// an empty list) leaves the engine's format alone.
void CCameraController::SetFormatOfMode(int modeId) {
    const SettingsBlock& block = m_settings.Block();
    const ResolutionEntry* entry = nullptr;
    if (modeId == kModeVideo || modeId == kModeVideoOnly)
        entry = m_engine.videoList.At(block.videoResolutionIndex);
    else if (modeId == kModeImage || modeId == kModeMonitor)
        entry = m_engine.imageList.At(block.imageResolutionIndex);
    if (entry != nullptr) m_engine.SetVideoFormat(entry->formatIndex);
}

// The audio mode shows its picture on the canvas, the browse mode the
// file of the tab strip; every other mode the live picture.
void CCameraController::ShowPictureArea(int modeId) {
    ControllerWindow preview = m_devices.PreviewWindow();
    bool onCanvas = modeId == kModeAudio || modeId == kModeBrowse;
    if (preview != nullptr) m_view.Show(preview, !onCanvas);
    if (m_canvas != nullptr) m_view.Show(m_canvas, onCanvas);
    if (modeId == kModeAudio) m_browse->ShowAudioPicture();
}

// The tab strip's current file on the canvas; nothing is edited yet.
void CCameraController::ShowBrowsedFile() {
    m_browse->ShowMediaFile(nullptr, -1);
    EnablePanelButton(kModeBrowse, KeyOf(Button::SaveAs), 0);
}

void CCameraController::ReapplyLiveLook(int modeId) {
    if (modeId == kModeAudio || modeId == kModeBrowse || modeId == kModeMonitor) {
        m_settings.SetEffect(0);
        m_settings.SetFrame(0);
        return;
    }
    if (m_settings.LiveEffectEntry() != 0) m_settings.SetEffect(m_settings.LiveEffectEntry());
    if (m_settings.LiveFrameEntry() != 0) m_settings.SetFrame(m_settings.LiveFrameEntry());
}

int CCameraController::Start() {
    const int mode = m_settings.ModeId();
    SetFormatOfMode(mode == kModeVideo || mode == kModeVideoOnly ? kModeVideo : kModeImage);
    if (mode != kModeVideo) {
        SetWheelMode(mode, 0);
        ShowModePicture(mode);
        ShowPictureArea(mode);
        // Browsing opens on the pictures.
        SelectBrowseTab(mode == kModeBrowse ? kModeImage : mode);
        if (mode == kModeBrowse) ShowBrowsedFile();
        SetFunctionPanelMode(mode);
        SetOverlayMode(mode);
        ShowOnlyPanel(mode);
        if (!ApplyEngineMode(mode)) return 0;
    }
    m_started = 1;
    return 1;
}

// After a stop that a mode change made, the panel of the old mode shows
// its resting faces again, as the stop key leaves it.
void CCameraController::ResetPanelAfterStop(int modeId) {
    if (modeId == kModeMonitor) {
        EnablePanelButton(kModeMonitor, KeyOf(Button::Stop), 0);
        EnablePanelButton(kModeMonitor, KeyOf(Button::StartMonitor), 1);
        return;
    }
    ResetPanelToggles(modeId);
    EnablePanelButton(modeId, KeyOf(Button::Stop), 0);
}

int CCameraController::SetMode(int modeId) {
    if (modeId < 0 || modeId >= kModeCount) return 0;
    const int old = m_settings.ModeId();
    if (modeId == old) return 1;

    const int stateBefore = m_captureState.load();
    StopRecording();
    StopMonitor();
    m_browse->StopPlayback();
    if (stateBefore != kCaptureIdle) ResetPanelAfterStop(old);
    // No capture state may follow into another mode: even when the engine
    // refused the stop, a state kept here would refuse every later capture.
    m_captureState = kCaptureIdle;

    m_settings.SetModeId(modeId);
    ShowModePicture(modeId);
    ShowPictureArea(modeId);
    if (modeId == kModeBrowse) ShowBrowsedFile();
    ReapplyLiveLook(modeId);
    SetFunctionPanelMode(modeId);
    SelectBrowseTab(modeId);
    SetOverlayMode(modeId);
    ShowOnlyPanel(modeId);
    if (!ApplyEngineMode(modeId)) return 0;
    m_settings.SaveSettingValue(kSettingModeId, modeId);
    return 1;
}

int CCameraController::ApplyEngineMode(int modeId) {
    if (modeId < 0 || modeId >= kModeCount || !m_engine.IsLoaded() || !m_engine.Api().SetMode)
        return 0;
    if (m_engine.Api().SetMode(modeId) != 1) return 0;
    SetFormatOfMode(modeId);
    return 1;
}

}  // namespace vimbrel::controller
