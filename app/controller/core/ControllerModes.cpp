// The mode panels, the start of the controller and the switch between modes.
#include "CCameraController.h"

#include <initializer_list>

#include "ButtonKeys.h"

namespace vimbrel::controller {

int CCameraController::SetModePanels(const std::array<ControllerWindow, kModeCount>& panels) {
    for (ControllerWindow panel : panels) {
        if (panel == nullptr) return 0;
    }
    panels_ = panels;
    // Nothing runs yet, so nothing can be stopped.
    for (int panel : {kModeVideo, kModeVideoOnly, kModeAudio, kModeMonitor})
        EnablePanelButton(panel, KeyOf(Button::Stop), 0);
    EnablePanelButton(kModeBrowse, KeyOf(Button::StopPlaying), 0);
    ShowOnlyPanel(kModeVideo);

    int volume = 0;
    if (settings_.LoadSettingValue(kSettingMicrophoneVolume, &volume)) settings_.SetAudioVolume(volume * 0.01);

    // Modes that need a device the engine did not find cannot be used.
    if (engine_.videoDeviceCount == 0) {
        for (int panel : {kModeVideo, kModeVideoOnly, kModeImage, kModeMonitor}) DisablePanel(panel);
    }
    if (engine_.audioDeviceCount == 0) {
        for (int panel : {kModeVideo, kModeAudio}) DisablePanel(panel);
    }
    return 1;
}

void CCameraController::ShowOnlyPanel(int modeId) {
    for (int panel = 0; panel < kModeCount; ++panel) {
        if (ControllerWindow window = Panel(panel)) view_.Show(window, panel == modeId);
    }
}

// A saved resolution index that no longer names an entry (another camera,
// an empty list) leaves the engine's format alone.
void CCameraController::SetFormatOfMode(int modeId) {
    const SettingsBlock& block = settings_.Block();
    const ResolutionEntry* entry = nullptr;
    if (modeId == kModeVideo || modeId == kModeVideoOnly)
        entry = engine_.videoList.At(block.videoResolutionIndex);
    else if (modeId == kModeImage || modeId == kModeMonitor)
        entry = engine_.imageList.At(block.imageResolutionIndex);
    if (entry != nullptr) engine_.SetVideoFormat(entry->formatIndex);
}

// The audio mode shows its picture on the canvas, the browse mode the
// file of the tab strip; every other mode the live picture.
void CCameraController::ShowPictureArea(int modeId) {
    ControllerWindow preview = devices_.PreviewWindow();
    bool onCanvas = modeId == kModeAudio || modeId == kModeBrowse;
    if (preview != nullptr) view_.Show(preview, !onCanvas);
    if (canvas_ != nullptr) view_.Show(canvas_, onCanvas);
    if (modeId == kModeAudio) browse_->ShowAudioPicture();
}

// The tab strip's current file on the canvas; nothing is edited yet.
void CCameraController::ShowBrowsedFile() {
    browse_->ShowMediaFile(nullptr, -1);
    EnablePanelButton(kModeBrowse, KeyOf(Button::SaveAs), 0);
}

void CCameraController::ReapplyLiveLook(int modeId) {
    if (modeId == kModeAudio || modeId == kModeBrowse || modeId == kModeMonitor) {
        settings_.SetEffect(0);
        settings_.SetFrame(0);
        return;
    }
    if (settings_.LiveEffectEntry() != 0) settings_.SetEffect(settings_.LiveEffectEntry());
    if (settings_.LiveFrameEntry() != 0) settings_.SetFrame(settings_.LiveFrameEntry());
}

int CCameraController::Start() {
    const int mode = settings_.ModeId();
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
    started_ = 1;
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
    const int old = settings_.ModeId();
    if (modeId == old) return 1;

    const int stateBefore = captureState_.load();
    StopRecording();
    StopMonitor();
    browse_->StopPlayback();
    if (stateBefore != kCaptureIdle) ResetPanelAfterStop(old);
    // No capture state may follow into another mode: even when the engine
    // refused the stop, a state kept here would refuse every later capture.
    captureState_ = kCaptureIdle;

    settings_.SetModeId(modeId);
    ShowModePicture(modeId);
    ShowPictureArea(modeId);
    if (modeId == kModeBrowse) ShowBrowsedFile();
    ReapplyLiveLook(modeId);
    SetFunctionPanelMode(modeId);
    SelectBrowseTab(modeId);
    SetOverlayMode(modeId);
    ShowOnlyPanel(modeId);
    if (!ApplyEngineMode(modeId)) return 0;
    settings_.SaveSettingValue(kSettingModeId, modeId);
    return 1;
}

int CCameraController::ApplyEngineMode(int modeId) {
    if (modeId < 0 || modeId >= kModeCount || !engine_.IsLoaded() || !engine_.Api().SetMode) return 0;
    if (engine_.Api().SetMode(modeId) != 1) return 0;
    SetFormatOfMode(modeId);
    return 1;
}

}  // namespace vimbrel::controller
