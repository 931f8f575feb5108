// The camera's picture properties (brightness ... gain) and its camera
// controls (pan ... focus), passed through to the capture filter.
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"

namespace camera {

namespace {

constexpr int kVideoProcAmpProperties = 10;  // brightness .. gain
constexpr int kCameraControlProperties = 7;  // pan .. focus
constexpr long kManual = 2;                  // the Flags_Manual of both families

bool InRange(int property, int count) { return property >= 0 && property < count; }

// Asked afresh each time: the capture filter changes with the device.
ComPtr<IAMVideoProcAmp> VideoProcAmp(const CaptureEngineState& state) {
    ComPtr<IAMVideoProcAmp> procAmp;
    if (state.values.ready) QueryTo(state.videoCapture.Get(), IID_IAMVideoProcAmp, procAmp);
    return procAmp;
}

// The interface the last selection by index queried; a camera opened by
// name has none.
IAMCameraControl* CameraControl(const CaptureEngineState& state) {
    return state.values.ready ? state.cameraControl.Get() : nullptr;
}

int GetQualityRange(int property, long* minimum, long* maximum, long* defaultValue) {
    ComPtr<IAMVideoProcAmp> procAmp = VideoProcAmp(Engine());
    if (!procAmp || !InRange(property, kVideoProcAmpProperties) || !minimum || !maximum || !defaultValue) return 0;
    long step = 0;
    long flags = 0;
    return SUCCEEDED(procAmp->GetRange(property, minimum, maximum, &step, defaultValue, &flags)) ? 1 : 0;
}

int GetQuality(int property, long* value) {
    ComPtr<IAMVideoProcAmp> procAmp = VideoProcAmp(Engine());
    if (!procAmp || !InRange(property, kVideoProcAmpProperties) || value == nullptr) return 0;
    long flags = 0;
    return SUCCEEDED(procAmp->Get(property, value, &flags)) ? 1 : 0;
}

int SetQuality(int property, long value) {
    ComPtr<IAMVideoProcAmp> procAmp = VideoProcAmp(Engine());
    if (!procAmp || !InRange(property, kVideoProcAmpProperties)) return 0;
    return SUCCEEDED(procAmp->Set(property, value, kManual)) ? 1 : 0;
}

int SetDefaultQuality(int property) {
    ComPtr<IAMVideoProcAmp> procAmp = VideoProcAmp(Engine());
    if (!procAmp || (property != -1 && !InRange(property, kVideoProcAmpProperties))) return 0;
    const int first = property == -1 ? 0 : property;
    const int last = property == -1 ? kVideoProcAmpProperties - 1 : property;
    for (int p = first; p <= last; ++p) {
        long minimum = 0, maximum = 0, step = 0, defaultValue = 0, flags = 0;
        if (SUCCEEDED(procAmp->GetRange(p, &minimum, &maximum, &step, &defaultValue, &flags)))
            procAmp->Set(p, defaultValue, flags);
    }
    return 1;
}

int GetControlRange(int property, long* minimum, long* maximum) {
    IAMCameraControl* control = CameraControl(Engine());
    if (!control || !InRange(property, kCameraControlProperties) || !minimum || !maximum) return 0;
    long step = 0, defaultValue = 0, flags = 0;
    return SUCCEEDED(control->GetRange(property, minimum, maximum, &step, &defaultValue, &flags)) ? 1 : 0;
}

int GetControl(int property, long* value) {
    IAMCameraControl* control = CameraControl(Engine());
    if (!control || !InRange(property, kCameraControlProperties) || value == nullptr) return 0;
    long flags = 0;
    return SUCCEEDED(control->Get(property, value, &flags)) ? 1 : 0;
}

int SetControl(int property, long value) {
    IAMCameraControl* control = CameraControl(Engine());
    if (!control || !InRange(property, kCameraControlProperties)) return 0;
    return SUCCEEDED(control->Set(property, value, kManual)) ? 1 : 0;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL GetVideoQualityRange(int property, long* minimum, long* maximum, long* defaultValue) {
    return GuardedExport([=] { return GetQualityRange(property, minimum, maximum, defaultValue); });
}

CAMERA_API int CAMERA_CALL GetVideoQuality(int property, long* value) {
    return GuardedExport([=] { return GetQuality(property, value); });
}

CAMERA_API int CAMERA_CALL SetVideoQuality(int property, long value) {
    return GuardedExport([=] { return SetQuality(property, value); });
}

CAMERA_API int CAMERA_CALL SetDefaultVideoQuality(int property) {
    return GuardedExport([=] { return SetDefaultQuality(property); });
}

CAMERA_API int CAMERA_CALL GetCameraControlRange(int property, long* minimum, long* maximum) {
    return GuardedExport([=] { return GetControlRange(property, minimum, maximum); });
}

CAMERA_API int CAMERA_CALL GetCameraControl(int property, long* value) {
    return GuardedExport([=] { return GetControl(property, value); });
}

CAMERA_API int CAMERA_CALL SetCameraControl(int property, long value) {
    return GuardedExport([=] { return SetControl(property, value); });
}
