// The mode switch, the preview window and the graph state box.
#include "engine/include/CameraApi.h"
#include "engine/win/EngineMessages.h"
#include "engine/win/ExportGuard.h"
#include "engine/core/ModeTransition.h"
#include "engine/win/PreviewGraph.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

int SetModeNow(int mode) {
    CaptureEngineState& state = Engine();
    const ModeStep step = PlanModeChange(state.values, mode);
    if (step == ModeStep::Refuse) return 0;
    state.values.requestedMode = mode;
    switch (step) {
    case ModeStep::AlreadyApplied:
    case ModeStep::KeepPreview: return 1;
    case ModeStep::StopCapture:
        StopCaptureGraphs(state);
        state.values.appliedMode = mode;
        return 1;
    case ModeStep::StartPreview:
        StopCaptureGraphs(state);
        if (state.values.rebuildPreview) {
            RETURN_VALUE_IF_FAILED(0, BuildPreviewGraph(state, true));
            state.values.rebuildPreview = false;
        }
        RETURN_VALUE_IF_FAILED(0, RunPreview(state));
        state.values.appliedMode = mode;
        return 1;
    case ModeStep::Refuse: break;
    }
    return 0;
}

const char* PreviewStateText(CaptureEngineState& state) {
    if (!state.previewControl) return "nothing";
    OAFilterState graphState = State_Stopped;
    if (FAILED(state.previewControl->GetState(100, &graphState))) return "nothing";
    switch (graphState) {
    case State_Paused: return "paused";
    case State_Running: return "running";
    default: return "stopped";
    }
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL SetMode(int mode) {
    return GuardedExport([=] { return SetModeNow(mode); });
}

CAMERA_API int CAMERA_CALL SetPreviewWnd(HWND window) {
    if (window == nullptr) return 0;
    Engine().previewWindow = window;
    return 1;
}

CAMERA_API int CAMERA_CALL GetGraphStatus(void) {
    return GuardedExport([] {
        ShowGraphStatus(PreviewStateText(Engine()));
        return 1;
    });
}
