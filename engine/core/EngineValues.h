// The plain values of the engine's global state: flags, modes, indexes and
// settings. The Windows layer keeps its COM objects beside this record; this
// part carries no Windows types so that its rules can be checked natively.
#pragma once

namespace camera {

// What the main program asks the engine to show (ModeId).
enum ModeId : int {
    kModeVideo = 0,      // preview, video with sound
    kModeVideoOnly = 1,  // preview, video without sound
    kModeAudio = 2,      // sound only, no preview
    kModeImage = 3,      // preview, still pictures
    kModeBrowse = 4,     // no preview, the caller plays files
    kModeMonitor = 5,    // preview, motion monitoring
};
constexpr int kModeCount = 6;
constexpr int kNoAppliedMode = -1;

// What runs right now (EngineCaptureState).
enum CaptureActivity : int {
    kIdle = 0,
    kRecordingVideoOnly = 1,
    kRecordingAudio = 2,
    kRecordingVideoWithSound = 3,
    kMonitoring = 4,
};

constexpr int kNoDeviceSelected = -1;
constexpr int kDeviceSelectionFailed = -2;
constexpr int kNoFormatIndex = -1;

// Modes whose graph is the live preview.
constexpr bool IsPreviewMode(int mode) {
    return mode == kModeVideo || mode == kModeVideoOnly || mode == kModeImage || mode == kModeMonitor;
}

constexpr bool IsValidMode(int mode) { return mode >= 0 && mode < kModeCount; }

struct EngineValues {
    bool ready = false;
    int requestedMode = kModeVideo;
    int appliedMode = kModeVideo;  // Initialize sets kNoAppliedMode
    int captureState = kIdle;

    int shootMode = 5;
    float zoomFactor = 1.0f;
    int mirror = 0;
    long savedGamma = -1;
    long savedExposure = -1;

    int selectedVideoDevice = kNoDeviceSelected;
    int selectedAudioDevice = kNoDeviceSelected;
    int currentFormatIndex = kNoFormatIndex;
    // Whether the current format is what the camera runs; a failed switch
    // clears it so that asking for the same format again does the work.
    bool currentFormatApplied = true;

    double audioVolume = 1.0;
    double playbackVolume = 1.0;
    int jpegQuality = 75;
    int imageFileFormat = 1;
    int videoFileFormat = 0;
    int audioFileFormat = 2;
    int audioBitrateIndex = 0;
    int videoBitrateIndex = 0;

    // Set while the preview graph is not built: until the first build, and
    // again whenever the preview was emptied and no build has succeeded
    // since, so that a mode switch builds it rather than runs it empty.
    bool rebuildPreview = true;

    bool IsReadyAndIdle() const { return ready && captureState == kIdle; }

    // Back to what a fresh load has, except what callers choose: the shoot
    // mode (settable before Initialize) with the camera values it saved,
    // the zoom and mirror, the volumes, the JPEG quality and the bitrates.
    // Devices, formats, modes and graph flags describe objects that are
    // being let go, so they start over.
    void ForgetDevicesAndGraphs() {
        EngineValues fresh;
        fresh.shootMode = shootMode;
        fresh.savedGamma = savedGamma;
        fresh.savedExposure = savedExposure;
        fresh.zoomFactor = zoomFactor;
        fresh.mirror = mirror;
        fresh.audioVolume = audioVolume;
        fresh.playbackVolume = playbackVolume;
        fresh.jpegQuality = jpegQuality;
        fresh.audioBitrateIndex = audioBitrateIndex;
        fresh.videoBitrateIndex = videoBitrateIndex;
        *this = fresh;
    }
};

}  // namespace camera
