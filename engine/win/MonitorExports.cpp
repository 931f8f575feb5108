// Motion monitoring: the monitor graph takes the camera over from the
// preview while the motion filter watches, and gives it back when
// monitoring ends. Motion events reach the caller through the hidden
// window (OnMonitorGraphEvent).
#include "engine/include/CameraApi.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/GraphTeardown.h"
#include "filters/motion/include/IMotionControl.h"
#include "engine/win/MonitorGraph.h"
#include "engine/core/MonitorRules.h"
#include "engine/win/PreviewGraph.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// Dynamic base frame: the scene may change slowly (light, a moved chair)
// without raising alarms for ever after.
constexpr int kDynamicBaseFrame = MOTION_MODE_DYNAMIC;

constexpr int kDoTheWork = -1;

// What a start or stop answers when the plan needs no graph work.
int AnswerWithoutWork(MonitorStep step) {
    switch (step) {
    case MonitorStep::Refuse: return 0;
    case MonitorStep::AlreadyDone: return 1;
    case MonitorStep::Proceed: break;
    }
    return kDoTheWork;
}

HRESULT QueryMotionControl(CaptureEngineState& state, ComPtr<IMotionControl>& control) {
    return QueryTo(state.motion.Get(), IID_IMotionControl, control);
}

// Detection without marks: the pictures taken on an alarm must show the
// scene as it is.
HRESULT StartDetection(CaptureEngineState& state) {
    ComPtr<IMotionControl> control;
    RETURN_IF_FAILED(QueryMotionControl(state, control));
    // The filter refuses only when it could not set up detection for the
    // stream it got; monitoring would then never raise an alarm.
    RETURN_IF_FAILED(control->StartDetect());
    int noMarks = 0;
    return control->MarkMotionOnVideo(&noMarks);
}

HRESULT StopMonitorGraph(CaptureEngineState& state) {
    return state.monitorControl ? state.monitorControl->Stop() : S_OK;
}

void EmptyMonitorGraph(CaptureEngineState& state) {
    DetachVideoWindow(state.monitorGraph.Get());
    TearDownGraph(state.monitorGraph.Get());
}

// A monitor that did not come up must not keep the camera: what it built
// goes, and the preview comes back as the caller last saw it. The monitor
// build has already told the user what went wrong.
void GiveCameraBackToPreview(CaptureEngineState& state) {
    StopMonitorGraph(state);
    EmptyMonitorGraph(state);
    if (SUCCEEDED(BuildPreviewGraph(state, false))) RunPreview(state);
}

int StartMonitorNow(HWND notifyWindow) {
    CaptureEngineState& state = Engine();
    const int answer = AnswerWithoutWork(PlanMonitorStart(state.values, notifyWindow != nullptr));
    if (answer != kDoTheWork) return answer;
    state.monitorNotifyWindow = notifyWindow;

    StopAndEmptyPreview(state);
    StopMonitorGraph(state);
    EmptyMonitorGraph(state);
    HRESULT hr = BuildMonitorGraph(state);
    if (SUCCEEDED(hr)) hr = state.monitorControl ? state.monitorControl->Run() : E_FAIL;
    if (SUCCEEDED(hr)) hr = StartDetection(state);
    if (FAILED(hr)) {
        GiveCameraBackToPreview(state);
        return 0;
    }
    state.values.captureState = kMonitoring;
    return 1;
}

int StopMonitorNow() {
    CaptureEngineState& state = Engine();
    const int answer = AnswerWithoutWork(PlanMonitorStop(state.values));
    if (answer != kDoTheWork) return answer;
    RETURN_VALUE_IF_FAILED(0, StopMonitorGraph(state));
    EmptyMonitorGraph(state);
    // Still monitoring as far as the caller knows: it may stop again.
    RETURN_VALUE_IF_FAILED(0, BuildPreviewGraph(state, true));
    RunPreview(state);
    state.values.captureState = kIdle;
    return 1;
}

int SetSensitivityNow(int level) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready) return 0;
    ComPtr<IMotionControl> control;
    RETURN_VALUE_IF_FAILED(0, QueryMotionControl(state, control));
    return SUCCEEDED(control->SetDetectParams(level, kDynamicBaseFrame, nullptr)) ? 1 : 0;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL StartMonitor(HWND notifyWindow) {
    return GuardedExport([=] { return StartMonitorNow(notifyWindow); });
}

CAMERA_API int CAMERA_CALL StopMonitor(void) {
    return GuardedExport([] { return StopMonitorNow(); });
}

CAMERA_API int CAMERA_CALL SetSensitivity(int level) {
    return GuardedExport([=] { return SetSensitivityNow(level); });
}
