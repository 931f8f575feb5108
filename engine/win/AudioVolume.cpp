#include "engine/win/AudioVolume.h"

#include "engine/win/AudioControlInterface.h"
#include "engine/include/CameraApi.h"
#include "engine/win/ExportGuard.h"
#include "engine/core/RecordingSettings.h"
#include "failtrail/FailTrail.h"

namespace camera {

void ApplyAudioControlMute(CaptureEngineState& state, double level) {
    ComPtr<IAudioControlFilter> control;
    if (FAILED(QueryTo(state.audioControl.Get(), kIidAudioControlFilter, control))) return;
    control->SetMute(level == 0.0 ? 1 : 0);
}

namespace {

int GetAudioVolumeNow(double* level) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready || level == nullptr || !state.microphoneMixer) return 0;
    double current = 0.0;
    RETURN_VALUE_IF_FAILED(0, state.microphoneMixer->get_MixLevel(&current));
    *level = current;
    state.values.audioVolume = current;
    return 1;
}

int SetAudioVolumeNow(double level) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready || !IsValidMixLevel(level) || !state.microphoneMixer) return 0;
    state.values.audioVolume = level;
    if (FAILED(state.microphoneMixer->put_MixLevel(level))) {
        // Some devices take the level only on the whole filter.
        ComPtr<IAMAudioInputMixer> filterMixer;
        if (SUCCEEDED(QueryTo(state.audioCapture.Get(), IID_IAMAudioInputMixer, filterMixer)))
            filterMixer->put_MixLevel(level);
    }
    ApplyAudioControlMute(state, level);
    return 1;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL GetAudioVolume(double* level) {
    return GuardedExport([=] { return GetAudioVolumeNow(level); });
}

CAMERA_API int CAMERA_CALL SetAudioVolume(double level) {
    return GuardedExport([=] { return SetAudioVolumeNow(level); });
}
