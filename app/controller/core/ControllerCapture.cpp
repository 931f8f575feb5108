// Recordings, the motion monitor with its alarm pictures, and the zoom.
#include <string>

#include "ButtonKeys.h"
#include "CCameraController.h"
#include "ZoomSteps.h"

namespace vimbrel::controller {
namespace {

// Capture names live in 128-unit buffers, and so do their ANSI forms.
constexpr std::size_t kCaptureNameCapacity = 128;

bool IsRecordingMode(int modeId) {
    return modeId == kModeVideo || modeId == kModeVideoOnly || modeId == kModeAudio;
}

}  // namespace

CCameraController::Recording CCameraController::RecordingOf(int modeId) const {
    const EngineApi& api = m_engine.Api();
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
    std::lock_guard<std::mutex> hold(m_captureLock);
    std::u16string name;
    if (!m_media->MakeCaptureName(mediaKind, &name) || name.empty() ||
        name.size() >= kCaptureNameCapacity)
        return 0;
    auto ansi = m_codePage.WideToAnsi(name);
    if (!ansi || ansi->size() >= kCaptureNameCapacity) return 0;
    return entry(ansi->c_str()) == 1 ? 1 : 0;
}

int CCameraController::StartRecording(int modeId) {
    Recording recording = RecordingOf(modeId);
    if (m_settings.ModeId() != modeId || m_captureState.load() != kCaptureIdle ||
        !m_engine.IsLoaded() || recording.entry == nullptr)
        return 0;
    if (!CaptureNamed(recording.mediaKind, recording.entry)) return 0;
    // The state first: the recording-time display ends as soon as it sees
    // no recording.
    m_captureState = modeId + 1;
    m_sequences->StartRecordingTime();
    return 1;
}

int CCameraController::StartVideoRecording() { return StartRecording(kModeVideo); }
int CCameraController::StartVideoOnlyRecording() { return StartRecording(kModeVideoOnly); }
int CCameraController::StartAudioRecording() { return StartRecording(kModeAudio); }

int CCameraController::PauseRecording() {
    const int mode = m_settings.ModeId();
    const int state = m_captureState.load();
    if (!IsRecordingMode(mode) || state < kCaptureVideo || state > kCaptureAudio ||
        !m_engine.IsLoaded() || !m_engine.Api().Pause)
        return 0;
    if (m_engine.Api().Pause() != 1) return 0;
    m_captureState = kCapturePaused;
    return 1;
}

int CCameraController::ResumeRecording() {
    const int mode = m_settings.ModeId();
    if (!IsRecordingMode(mode) || m_captureState.load() != kCapturePaused ||
        !m_engine.IsLoaded() || !m_engine.Api().Resume)
        return 0;
    if (m_engine.Api().Resume() != 1) return 0;
    m_captureState = mode + 1;
    return 1;
}

int CCameraController::StopRecording() {
    if (!m_engine.IsLoaded()) return 0;
    const int mode = m_settings.ModeId();
    if (!IsRecordingMode(mode)) return 1;
    const int state = m_captureState.load();
    if (state == mode + 1 || state == kCapturePaused) {
        Recording recording = RecordingOf(mode);
        // A null path ends the recording in the engine.
        if (recording.entry == nullptr || recording.entry(nullptr) != 1) return 0;
        // The folder watch does not always see a recording end; sound
        // files are left to it.
        if (mode != kModeAudio) RefreshBrowser();
    }
    m_captureState = kCaptureIdle;
    return 1;
}

int CCameraController::StartMonitor() {
    if (m_settings.ModeId() != kModeMonitor || m_captureState.load() != kCaptureIdle ||
        !m_engine.IsLoaded() || !m_engine.Api().StartMonitor)
        return 0;
    if (m_engine.Api().StartMonitor(m_mainWindow) != 1) return 0;
    // Monitor pictures carry the time as well as the date.
    m_sequences->ClearLastDateText();
    m_sequences->UpdateDateOverlay(2);
    m_captureState = kCaptureMonitor;
    return 1;
}

int CCameraController::StopMonitor() {
    if (m_settings.ModeId() != kModeMonitor || m_captureState.load() != kCaptureMonitor ||
        !m_engine.IsLoaded() || !m_engine.Api().StopMonitor)
        return 0;
    if (m_engine.Api().StopMonitor() != 1) return 0;
    m_sequences->UpdateDateOverlay(m_settings.Block().date);
    m_captureState = kCaptureIdle;
    return 1;
}

int CCameraController::SetSensitivity(int level) {
    if (level < 0 || level > 10 || !m_engine.IsLoaded() || !m_engine.Api().SetSensitivity) return 0;
    return m_engine.Api().SetSensitivity(level);
}

int CCameraController::CaptureMonitorImage() {
    if (m_settings.ModeId() != kModeMonitor || m_captureState.load() != kCaptureMonitor ||
        !m_engine.IsLoaded() || !m_engine.Api().CaptureImage)
        return 0;
    return CaptureNamed(3, m_engine.Api().CaptureImage);
}

int CCameraController::OnMotionEvent() {
    if (!m_motionGate.Admit(m_clock.MillisecondOfMinute())) return 0;
    return CaptureMonitorImage();
}

// The zoom the controller keeps is the one the engine took.
int CCameraController::ApplyZoom(float zoom) {
    if (!m_engine.IsLoaded() || !m_engine.Api().Zoom) return 0;
    if (m_engine.Api().Zoom(zoom) != 1) return 0;
    m_zoom = zoom;
    return 1;
}

int CCameraController::ZoomIn() { return ApplyZoom(ZoomInStep(m_zoom)); }
int CCameraController::ZoomOut() { return ApplyZoom(ZoomOutStep(m_zoom)); }
int CCameraController::ZoomRestore() { return ApplyZoom(kZoomMinimum); }
int CCameraController::OnHardwareZoomButton() { return ApplyZoom(HardwareZoomStep(m_zoom)); }

}  // namespace vimbrel::controller
