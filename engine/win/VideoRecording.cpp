#include "engine/win/VideoRecording.h"

#include "engine/win/AsfProfileConfig.h"
#include "engine/win/AudioVolume.h"
#include "engine/include/CameraApi.h"
#include "engine/win/GraphStarts.h"
#include "engine/win/PreviewGraph.h"
#include "engine/win/RecordGraphs.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// A video-only ASF file still carries the profile's sound stream; it is
// made silent, and the engine's level is kept for later recordings.
void SilenceRecordingSound(CaptureEngineState& state) {
    const double stored = state.values.audioVolume;
    ApplyRecordingLevel(state, 0.0);
    state.values.audioVolume = stored;
}

HRESULT BuildVideoRecordGraph(CaptureEngineState& state, RecordingKind kind, const wchar_t* path) {
    const bool withSound = kind == RecordingKind::VideoWithSound;
    HRESULT hr = E_INVALIDARG;
    switch (VideoContainerFor(state.values.videoFileFormat)) {
    case VideoContainer::Asf:
        hr = BuildAsfRecordGraph(state, path);
        if (SUCCEEDED(hr)) hr = ConfigureAsfVideoProfile(state, state.asfWriter.Get());
        if (SUCCEEDED(hr) && !withSound) SilenceRecordingSound(state);
        break;
    case VideoContainer::Avi: hr = BuildAviRecordGraph(state, path, withSound ? 1 : 0); break;
    case VideoContainer::Unknown: break;
    }
    if (SUCCEEDED(hr) && withSound) ApplyRecordingLevel(state, state.values.audioVolume);
    return hr;
}

// The first half second after the graph runs is not written.
HRESULT DelayCaptureStart(CaptureEngineState& state) {
    RETURN_HR_IF(E_FAIL, !state.previewBuilder);
    ComPtr<IAMStreamControl> control;
    RETURN_IF_FAILED(state.previewBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, state.videoCapture.Get(),
                                                         IID_IAMStreamControl,
                                                         reinterpret_cast<void**>(control.GetAddressOf())));
    RETURN_HR_IF(E_NOINTERFACE, !control);
    REFERENCE_TIME start = kRecordingStartOffset;
    return control->StartAt(&start, 0);
}

}  // namespace

void ApplyRecordingLevel(CaptureEngineState& state, double level) {
    if (SetAudioVolume(level) != 1) ApplyAudioControlMute(state, level);
}

HRESULT StartVideoRecording(CaptureEngineState& state, RecordingKind kind, const wchar_t* path) {
    const HRESULT stopped = state.previewControl ? state.previewControl->Stop() : E_FAIL;
    // A preview that would not stop still holds the camera as it was.
    if (FAILED(stopped) && kind == RecordingKind::VideoWithSound) return stopped;
    StopAndEmptyPreview(state);

    HRESULT hr = BuildVideoRecordGraph(state, kind, path);
    if (SUCCEEDED(hr)) hr = ShareGraphClock(state.previewGraph.Get().Get());
    if (SUCCEEDED(hr)) hr = DelayCaptureStart(state);
    if (SUCCEEDED(hr)) hr = RunAndConfirm(state.previewControl.Get());
    if (FAILED(hr)) {
        // What the failed build added would keep the camera from the
        // preview until some other call rebuilt it; the user gets the
        // picture back at once instead. The build has told what went
        // wrong, so the rebuild stays quiet.
        ForceGraphStopped(state.previewGraph.Get().Get());
        if (SUCCEEDED(BuildPreviewGraph(state, false))) RunPreview(state);
    }
    return hr;
}

HRESULT StopVideoRecording(CaptureEngineState& state) {
    RETURN_HR_IF(E_FAIL, !state.previewControl);
    HRESULT hr = state.previewControl->Stop();
    if (SUCCEEDED(hr)) hr = BuildPreviewGraph(state, true);
    if (SUCCEEDED(hr)) hr = RunPreview(state);
    return hr;
}

}  // namespace camera
