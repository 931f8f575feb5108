// The three recording toggles, pause and resume, and the recording time.
#include "engine/include/CameraApi.h"
#include "engine/win/ExportGuard.h"
#include "engine/core/RecordingRules.h"
#include "engine/win/SoundRecording.h"
#include "engine/win/ThreadCom.h"
#include "engine/win/VideoRecording.h"
#include "failtrail/FailTrail.h"

#include <string>

namespace camera {

namespace {

int StartRecording(CaptureEngineState& state, RecordingKind kind, const char* path) {
    const std::wstring widePath = AnsiToWide(path);
    // A path that does not fit the engine's buffers would be cut short,
    // and the recording would land in some other file.
    if (!RecordingPathFits(kind, widePath.size())) return 0;
    HRESULT hr = E_FAIL;
    if (kind == RecordingKind::Sound) {
        ApplyRecordingLevel(state, state.values.audioVolume);
        hr = StartSoundRecording(state, widePath.c_str());
    } else {
        hr = StartVideoRecording(state, kind, widePath.c_str());
    }
    RETURN_VALUE_IF_FAILED(0, hr);
    state.values.captureState = RecordingState(kind);
    return 1;
}

int StopRecording(CaptureEngineState& state, RecordingKind kind) {
    if (kind == RecordingKind::Sound) {
        EndSoundRecording(state);
    } else if (FAILED(StopVideoRecording(state))) {
        return 0;
    }
    state.values.captureState = kIdle;
    return 1;
}

int ToggleRecording(RecordingKind kind, const char* path) {
    CaptureEngineState& state = Engine();
    switch (PlanRecordingToggle(state.values, kind, path != nullptr)) {
    case RecordingStep::Refuse: return 0;
    case RecordingStep::Stop: return StopRecording(state, kind);
    case RecordingStep::Start: break;
    }
    // Recordings are started from the caller's timer threads too, which
    // may never have joined COM; the graphs are made on this thread.
    EnsureComOnThisThread();
    return StartRecording(state, kind, path);
}

// A counted reference to the graph of the running recording, taken under
// the slot's lock, so that a stop on another thread cannot free it while
// it is used.
ComPtr<IGraphBuilder> RecordingGraphOf(CaptureEngineState& state) {
    switch (GraphOfRecording(state.values.captureState)) {
    case RecordingGraph::Preview: return state.previewGraph.Get();
    case RecordingGraph::Sound: return state.audioGraph.Get();
    case RecordingGraph::None: break;
    }
    return nullptr;
}

template <class Change>
int ChangeRecordingGraph(Change change) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready) return 0;
    ComPtr<IMediaControl> control;
    ComPtr<IGraphBuilder> graph = RecordingGraphOf(state);
    if (!graph || FAILED(QueryTo(graph.Get(), IID_IMediaControl, control))) return 0;
    return SUCCEEDED(change(control.Get())) ? 1 : 0;
}

int ReadRecordingTime(float* seconds) {
    if (seconds == nullptr) return 0;
    ComPtr<IGraphBuilder> graph = RecordingGraphOf(Engine());
    ComPtr<IMediaSeeking> seeking;
    if (!graph || FAILED(QueryTo(graph.Get(), IID_IMediaSeeking, seeking))) return 0;
    LONGLONG position = 0;
    RETURN_VALUE_IF_FAILED(0, seeking->GetCurrentPosition(&position));
    *seconds = RecordingSeconds(position);
    return 1;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL CaptureAV(const char* path) {
    return GuardedExport([=] { return ToggleRecording(RecordingKind::VideoWithSound, path); });
}

CAMERA_API int CAMERA_CALL CaptureVideo(const char* path) {
    return GuardedExport([=] { return ToggleRecording(RecordingKind::VideoOnly, path); });
}

CAMERA_API int CAMERA_CALL CaptureAudio(const char* path) {
    return GuardedExport([=] { return ToggleRecording(RecordingKind::Sound, path); });
}

CAMERA_API int CAMERA_CALL Pause(void) {
    return GuardedExport([] { return ChangeRecordingGraph([](IMediaControl* control) { return control->Pause(); }); });
}

CAMERA_API int CAMERA_CALL Resume(void) {
    return GuardedExport([] { return ChangeRecordingGraph([](IMediaControl* control) { return control->Run(); }); });
}

CAMERA_API int CAMERA_CALL GetCurrentRecordingTime(float* seconds) {
    return GuardedExport([=] { return ReadRecordingTime(seconds); });
}
