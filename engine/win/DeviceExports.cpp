// The caller's view of the two device lists.
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"

using namespace camera;

CAMERA_API int CAMERA_CALL GetVideoDevice(int* index, char* name) {
    return GuardedExport([=] {
        const CaptureEngineState& state = Engine();
        return state.values.ready && state.videoDevices.AnswerQuery(index, name) ? 1 : 0;
    });
}

CAMERA_API int CAMERA_CALL GetAudioDevice(int* index, char* name) {
    return GuardedExport([=] {
        const CaptureEngineState& state = Engine();
        return state.values.ready && state.audioDevices.AnswerQuery(index, name) ? 1 : 0;
    });
}
