// Recordings, the motion monitor with its alarm pictures, and the zoom.
#include <string>

#include "ButtonKeys.h"
#include "CCameraController.h"
#include "ZoomSteps.h"

namespace vimbrel::controller {
namespace {

// Capture names live in 128-unit buffers, and so do their ANSI forms.
constexpr std::size_t kCaptureNameCapacity = 128;

bool IsRecordingMode(int modeId) { return modeId == kModeVideo || modeId == kModeVideoOnly || modeId == kModeAudio; }

}  // namespace

CCameraController::Recording CCameraController::RecordingOf(int modeId) const {
    const EngineApi& api = engine_.Api();
    switch (modeId) {
    case kModeVideo: return {api.CaptureAV, 1, KeyOf(Button::CaptureVideo)};
    case kModeVideoOnly: return {api.CaptureVideo, 1, KeyOf(Button::CaptureVideoOnly)};
    case kModeAudio: return {api.CaptureAudio, 2, KeyOf(Button::CaptureAudio)};
    default: return {nullptr, -1, 0};
    }
}

// A name that could not be made, or that has no ANSI form within the
// engine's buffer, is refused here: the engine would otherwise be asked to
// write to an empty or a different path.
int CCameraController::CaptureNamed(int mediaKind, CaptureEntry entry) {
    std::lock_guard<std::mutex> hold(captureLock_);
    std::u16string name;
    if (!media_->MakeCaptureName(mediaKind, &name) || name.empty() || name.size() >= kCaptureNameCapacity) return 0;
    auto ansi = codePage_.WideToAnsi(name);
    if (!ansi || ansi->size() >= kCaptureNameCapacity) return 0;
    return entry(ansi->c_str()) == 1 ? 1 : 0;
}

int CCameraController::StartRecording(int modeId) {
    Recording recording = RecordingOf(modeId);
    if (settings_.ModeId() != modeId || captureState_.load() != kCaptureIdle || !engine_.IsLoaded() ||
        recording.entry == nullptr)
        return 0;
    if (!CaptureNamed(recording.mediaKind, recording.entry)) return 0;
    // The state first: the recording-time display ends as soon as it sees
    // no recording.
    captureState_ = modeId + 1;
    sequences_->StartRecordingTime();
    return 1;
}

int CCameraController::StartVideoRecording() { return StartRecording(kModeVideo); }
int CCameraController::StartVideoOnlyRecording() { return StartRecording(kModeVideoOnly); }
int CCameraController::StartAudioRecording() { return StartRecording(kModeAudio); }

int CCameraController::PauseRecording() {
    const int mode = settings_.ModeId();
    const int state = captureState_.load();
    if (!IsRecordingMode(mode) || state < kCaptureVideo || state > kCaptureAudio || !engine_.IsLoaded() ||
        !engine_.Api().Pause)
        return 0;
    if (engine_.Api().Pause() != 1) return 0;
    captureState_ = kCapturePaused;
    return 1;
}

int CCameraController::ResumeRecording() {
    const int mode = settings_.ModeId();
    if (!IsRecordingMode(mode) || captureState_.load() != kCapturePaused || !engine_.IsLoaded() ||
        !engine_.Api().Resume)
        return 0;
    if (engine_.Api().Resume() != 1) return 0;
    captureState_ = mode + 1;
    return 1;
}

int CCameraController::StopRecording() {
    if (!engine_.IsLoaded()) return 0;
    const int mode = settings_.ModeId();
    if (!IsRecordingMode(mode)) return 1;
    const int state = captureState_.load();
    if (state == mode + 1 || state == kCapturePaused) {
        Recording recording = RecordingOf(mode);
        // A null path ends the recording in the engine.
        if (recording.entry == nullptr || recording.entry(nullptr) != 1) return 0;
        // The folder watch does not always see a recording end; sound
        // files are left to it.
        if (mode != kModeAudio) RefreshBrowser();
    }
    captureState_ = kCaptureIdle;
    return 1;
}

int CCameraController::StartMonitor() {
    if (settings_.ModeId() != kModeMonitor || captureState_.load() != kCaptureIdle || !engine_.IsLoaded() ||
        !engine_.Api().StartMonitor)
        return 0;
    if (engine_.Api().StartMonitor(mainWindow_) != 1) return 0;
    // Monitor pictures carry the time as well as the date.
    sequences_->ClearLastDateText();
    sequences_->UpdateDateOverlay(2);
    captureState_ = kCaptureMonitor;
    return 1;
}

int CCameraController::StopMonitor() {
    if (settings_.ModeId() != kModeMonitor || captureState_.load() != kCaptureMonitor || !engine_.IsLoaded() ||
        !engine_.Api().StopMonitor)
        return 0;
    if (engine_.Api().StopMonitor() != 1) return 0;
    sequences_->UpdateDateOverlay(settings_.Block().date);
    captureState_ = kCaptureIdle;
    return 1;
}

int CCameraController::SetSensitivity(int level) {
    if (level < 0 || level > 10 || !engine_.IsLoaded() || !engine_.Api().SetSensitivity) return 0;
    return engine_.Api().SetSensitivity(level);
}

int CCameraController::CaptureMonitorImage() {
    if (settings_.ModeId() != kModeMonitor || captureState_.load() != kCaptureMonitor || !engine_.IsLoaded() ||
        !engine_.Api().CaptureImage)
        return 0;
    return CaptureNamed(3, engine_.Api().CaptureImage);
}

int CCameraController::OnMotionEvent() {
    if (!motionGate_.Admit(clock_.MillisecondOfMinute())) return 0;
    return CaptureMonitorImage();
}

// The zoom the controller keeps is the one the engine took.
int CCameraController::ApplyZoom(float zoom) {
    if (!engine_.IsLoaded() || !engine_.Api().Zoom) return 0;
    if (engine_.Api().Zoom(zoom) != 1) return 0;
    zoom_ = zoom;
    return 1;
}

int CCameraController::ZoomIn() { return ApplyZoom(ZoomInStep(zoom_)); }
int CCameraController::ZoomOut() { return ApplyZoom(ZoomOutStep(zoom_)); }
int CCameraController::ZoomRestore() { return ApplyZoom(kZoomMinimum); }
int CCameraController::OnHardwareZoomButton() { return ApplyZoom(HardwareZoomStep(zoom_)); }

}  // namespace vimbrel::controller
