// Presses and releases of the skinned buttons, slider moves, the camera's
// hardware buttons and the power notices.
#include <cmath>
#include <initializer_list>

#include "ButtonKeys.h"
#include "CCameraController.h"

namespace vimbrel::controller {
namespace {

// Bursts of the ContShooting entries 0..3; entry 4 is a single picture.
constexpr int kBurstPictures[] = {3, 5, 12, 15};
constexpr int kSingleShot = 4;

}  // namespace

// A self-timer or a burst serves one capture, and the next start finds it
// off as well.
void CCameraController::UseSelfTimerOnce() {
    SettingsBlock& block = settings_.Block();
    block.timer = 2;
    block.timerSeconds = 0;
    settings_.SaveSettingValue(kSettingTimer, 2);
}

// The record key of panel 0, 1 or 2 records, pauses and resumes in turn.
void CCameraController::OnRecordKey(int panel, std::uint32_t key) {
    const int state = captureState_.load();
    // The key's face follows what the engine does: a refused pause keeps
    // the pause face of a running recording, a refused resume the record
    // face of a paused one.
    if (state == panel + 1) {
        SetPanelToggle(panel, key, 0);
        if (!PauseRecording()) SetPanelToggle(panel, key, 1);
        return;
    }
    if (state == kCapturePaused) {
        SetPanelToggle(panel, key, 1);
        if (!ResumeRecording()) SetPanelToggle(panel, key, 0);
        return;
    }
    if (state != kCaptureIdle) return;

    const std::uint32_t stop = KeyOf(Button::Stop);
    SetPanelToggle(panel, key, 1);
    EnablePanelButton(panel, key, 0);
    EnablePanelButton(panel, stop, 0);
    const int seconds = settings_.Block().timerSeconds;
    if (seconds != 0) {
        sequences_->StartRecordTimer(seconds + panel * 65536);
        UseSelfTimerOnce();
        return;
    }
    int started = panel == kModeVideo       ? StartVideoRecording()
                  : panel == kModeVideoOnly ? StartVideoOnlyRecording()
                                            : StartAudioRecording();
    EnablePanelButton(panel, key, 1);
    if (started) {
        EnablePanelButton(panel, stop, 1);
    } else {
        // Nothing records: the key shows its record face again and there
        // is nothing to stop.
        SetPanelToggle(panel, key, 0);
    }
}

void CCameraController::OnCaptureImageKey() {
    const std::uint32_t key = KeyOf(Button::CaptureImage);
    SettingsBlock& block = settings_.Block();
    EnablePanelButton(kModeImage, key, 0);
    const int burst = block.contShooting;
    if (block.timerSeconds != 0) {
        sequences_->StartImageTimer(block.timerSeconds + burst * 65536);
        UseSelfTimerOnce();
    } else if (burst >= 0 && burst < kSingleShot) {
        sequences_->StartBurst(kBurstPictures[burst]);
    } else {
        sequences_->CaptureImage();
        EnablePanelButton(kModeImage, key, 1);
        return;
    }
    if (burst != kSingleShot) {
        block.contShooting = kSingleShot;
        settings_.SaveSettingValue(kSettingContShooting, kSingleShot);
    }
}

void CCameraController::OnStopKey() {
    const int mode = settings_.ModeId();
    const std::uint32_t stop = KeyOf(Button::Stop);
    switch (mode) {
    case kModeVideo:
    case kModeVideoOnly:
    case kModeAudio:
        // A recording the engine would not end still runs: it keeps its
        // faces and its stop key.
        if (captureState_.load() != kCaptureIdle && !StopRecording()) break;
        ResetPanelToggles(mode);
        EnablePanelButton(mode, stop, 0);
        break;
    case kModeImage:
        ResetPanelToggles(mode);
        EnablePanelButton(mode, stop, 0);
        break;
    case kModeMonitor:
        if (captureState_.load() == kCaptureMonitor && !StopMonitor()) break;
        EnablePanelButton(mode, stop, 0);
        EnablePanelButton(mode, KeyOf(Button::StartMonitor), 1);
        break;
    default: break;
    }
}

void CCameraController::OnStartMonitorKey() {
    const std::uint32_t start = KeyOf(Button::StartMonitor);
    const std::uint32_t stop = KeyOf(Button::Stop);
    EnablePanelButton(kModeMonitor, start, 0);
    EnablePanelButton(kModeMonitor, stop, 1);
    if (!StartMonitor()) {
        // Not watching: offer the start again rather than a stop of nothing.
        EnablePanelButton(kModeMonitor, stop, 0);
        EnablePanelButton(kModeMonitor, start, 1);
    }
}

int CCameraController::OnButton(std::uint32_t key) {
    Button button{};
    if (!ButtonOfKey(key, &button)) return 1;
    switch (button) {
    case Button::CaptureVideo: OnRecordKey(kModeVideo, key); break;
    case Button::CaptureVideoOnly: OnRecordKey(kModeVideoOnly, key); break;
    case Button::CaptureAudio: OnRecordKey(kModeAudio, key); break;
    case Button::CaptureImage: OnCaptureImageKey(); break;
    case Button::Stop: OnStopKey(); break;
    case Button::ZoomIn: ZoomIn(); break;
    case Button::ZoomOut: ZoomOut(); break;
    case Button::ZoomRestore: ZoomRestore(); break;
    case Button::FirstItem:
    case Button::PreviousItem:
    case Button::NextItem:
    case Button::LastItem:
        if (browse_->QuerySaveModified() != 2)
            browse_->Navigate(static_cast<int>(button) - static_cast<int>(Button::FirstItem));
        break;
    case Button::SaveAs:
        view_.ReleaseMouseCapture();
        browse_->SaveModifiedPhoto();
        break;
    case Button::SlideShow: media_->StartSlideShow(); break;
    case Button::Mail:
        view_.ReleaseMouseCapture();
        media_->MailSelected();
        break;
    case Button::Print:
        view_.ReleaseMouseCapture();
        media_->PrintSelected();
        break;
    case Button::StartMonitor: OnStartMonitorKey(); break;
    case Button::PlayPause: browse_->PlayPause(); break;
    case Button::StopPlaying: browse_->StopPlayback(); break;
    default: break;  // minimize and close act on release; sliders move, not press
    }
    return 1;
}

int CCameraController::OnButtonUp(std::uint32_t key) {
    if (key == KeyOf(Button::Minimize)) {
        if (mainWindow_ != nullptr) view_.Minimize(mainWindow_);
    } else if (key == KeyOf(Button::Close)) {
        if (browse_->QuerySaveModified() != 2 && mainWindow_ != nullptr) view_.Close(mainWindow_);
    }
    return 1;
}

int CCameraController::OnSliderChanged(std::uint32_t key, double position) {
    if (std::isnan(position) || position < 0.0 || position > 1.0) return 0;
    if (key == KeyOf(Button::MicrophoneVolume)) {
        settings_.SetAudioVolume(position);
    } else if (key == KeyOf(Button::Search)) {
        browse_->SetPlaybackPosition(static_cast<int>(position * 100.0));
    } else if (key == KeyOf(Button::PlaybackVolume)) {
        settings_.SetPlaybackVolume(position);
    }
    return 1;
}

int CCameraController::OnHardwareCaptureButton() {
    const int mode = settings_.ModeId();
    if (mode == kModeImage) return sequences_->CaptureImage();
    if (mode == kModeBrowse) return media_->StartSlideShow();
    static constexpr Button kCaptureKeyOfMode[kModeCount] = {Button::CaptureVideo, Button::CaptureVideoOnly,
                                                             Button::CaptureAudio, Button::CaptureImage,
                                                             Button::SlideShow,    Button::StartMonitor};
    Button button = captureState_.load() != kCaptureIdle ? Button::Stop : kCaptureKeyOfMode[mode];
    return OnButton(KeyOf(button));
}

// The engine ends its own recording or monitor on a suspend; the panels
// are put back to match.
int CCameraController::OnPowerEvent() {
    const std::uint32_t stop = KeyOf(Button::Stop);
    for (int panel : {kModeVideo, kModeVideoOnly, kModeAudio, kModeImage}) {
        ResetPanelToggles(panel);
        EnablePanelButton(panel, stop, 0);
    }
    EnablePanelButton(kModeMonitor, stop, 0);
    EnablePanelButton(kModeMonitor, KeyOf(Button::StartMonitor), 1);
    captureState_ = kCaptureIdle;
    return 1;
}

// The box is modal: a mouse still captured by the main window would keep
// its clicks from reaching the box.
int CCameraController::ShowAbout() {
    if (mainWindow_ == nullptr) return 0;
    view_.ReleaseMouseCapture();
    return windows_->ShowAbout(mainWindow_);
}

}  // namespace vimbrel::controller
