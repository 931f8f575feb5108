// Playing a recorded file back: start, position, pause and resume, stop,
// and the playback volume. None of these needs the engine to be started,
// except the volume calls, which need its audio renderer.
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/GraphEvents.h"
#include "engine/win/MediaProbe.h"
#include "engine/win/PlaybackGraphs.h"
#include "engine/core/PlaybackRules.h"
#include "engine/core/PlaybackVolume.h"
#include "engine/win/ThreadCom.h"
#include "failtrail/FailTrail.h"

#include <cmath>

namespace camera {

namespace {

void EndPlayback(CaptureEngineState& state) {
    // Taken out in one step: whichever thread gets it takes it apart.
    DisposePlaybackGraph(TakePlaybackGraph(state));
}

// The playing graph's own interface, or nothing. The reference is the
// caller's for the whole call: a stop on another thread cannot free the
// graph under it.
template <class T>
ComPtr<T> PlaybackInterface(const CaptureEngineState& state, REFIID iid) {
    ComPtr<T> result;
    QueryTo(state.playbackGraph.Get().Get(), iid, result);
    return result;
}

// Where a graph is or is heading; never waits for a transition to finish.
bool CurrentState(IMediaControl* control, OAFilterState& filterState) {
    filterState = State_Stopped;
    return SUCCEEDED(control->GetState(0, &filterState));
}

ComPtr<IBasicAudio> RendererAudio(const CaptureEngineState& state) {
    ComPtr<IBasicAudio> audio;
    QueryTo(state.dsoundRenderer.Get(), IID_IBasicAudio, audio);
    return audio;
}

int PlayFileNow(const wchar_t* path, HWND videoWindow, float* durationSeconds, HDC* dc, int width, int height,
                int* hasVideo) {
    if (path == nullptr || durationSeconds == nullptr || dc == nullptr) return 0;
    CaptureEngineState& state = Engine();
    EndPlayback(state);

    EnsureComOnThisThread();
    MediaProbeResult probe;
    HRESULT hr = hasVideo == nullptr ? E_POINTER : ProbeMediaFile(path, *dc, width, height, probe);
    // A length that is no number, negative or beyond 64-bit media units is
    // refused before it is narrowed: the caller gets it as a float and
    // positions by percent of it, so the engine's duration is made from
    // that same float.
    int64_t duration = 0;
    bool usable = SUCCEEDED(hr) && DurationFromSeconds(probe.seconds, &duration);
    const float seconds = usable ? static_cast<float>(probe.seconds) : 0.0f;
    usable = usable && DurationFromSeconds(seconds, &duration);
    if (!usable) {
        state.playbackDuration = 0;
        return 0;
    }
    *durationSeconds = seconds;
    *hasVideo = probe.hasVideo ? 1 : 0;
    state.playbackDuration = duration;

    if (IsWindowsMediaFile(AsUtf16(path)))
        hr = BuildAsfPlaybackGraph(state, path, videoWindow, probe.hasVideo);
    else
        hr = BuildFilePlaybackGraph(state, path, videoWindow, probe.hasVideo);
    return SUCCEEDED(hr) ? 1 : 0;
}

int GetCurrentPlaybackTimeNow(float* seconds) {
    if (seconds == nullptr) return 0;
    ComPtr<IMediaSeeking> seeking = PlaybackInterface<IMediaSeeking>(Engine(), IID_IMediaSeeking);
    LONGLONG position = 0;
    if (!seeking || FAILED(seeking->GetCurrentPosition(&position))) return 0;
    *seconds = SecondsFromMediaUnits(position);
    return 1;
}

// Pause and resume move a paused or running graph to the other state; a
// graph that is there already needs nothing, a stopped one is refused.
// Held in order with a stop: a graph stopped and taken out meanwhile would
// otherwise be run again, outside the caller's window.
int MovePlayback(OAFilterState target) {
    CaptureEngineState& state = Engine();
    std::lock_guard<std::mutex> hold(state.playbackOrder);
    ComPtr<IMediaControl> control = PlaybackInterface<IMediaControl>(state, IID_IMediaControl);
    OAFilterState filterState;
    if (!control || !CurrentState(control.Get(), filterState) || filterState == State_Stopped) return 0;
    if (filterState == target) return 1;
    const HRESULT hr = target == State_Paused ? control->Pause() : control->Run();
    return SUCCEEDED(hr) ? 1 : 0;
}

int SetPlaybackPositionNow(float percent) {
    CaptureEngineState& state = Engine();
    // A seek runs a paused graph through its states: not one a stop took.
    std::lock_guard<std::mutex> hold(state.playbackOrder);
    ComPtr<IGraphBuilder> graph = state.playbackGraph.Get();
    if (!graph) return 1;
    LONGLONG position = 0;
    if (!SeekPositionForPercent(percent, state.playbackDuration, &position)) return 0;
    ComPtr<IMediaSeeking> seeking;
    RETURN_VALUE_IF_FAILED(0, QueryTo(graph.Get(), IID_IMediaSeeking, seeking));
    LONGLONG stop = state.playbackDuration;
    return SUCCEEDED(
               seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning))
               ? 1
               : 0;
}

int GetPlaybackVolumeNow(double* volume) {
    if (volume == nullptr) return 0;
    CaptureEngineState& state = Engine();
    ComPtr<IBasicAudio> audio = RendererAudio(state);
    long rendererValue = 0;
    double mapped = 0.0;
    if (!audio || FAILED(audio->get_Volume(&rendererValue)) || !PlaybackVolumeFor(rendererValue, &mapped)) return 0;
    *volume = mapped;
    state.values.playbackVolume = mapped;
    return 1;
}

int SetPlaybackVolumeNow(double volume) {
    // A value that is not a number would poison every later reading.
    if (!std::isfinite(volume)) return 0;
    CaptureEngineState& state = Engine();
    state.values.playbackVolume = volume;
    ComPtr<IBasicAudio> audio = RendererAudio(state);
    long rendererValue = 0;
    if (!audio || !RendererVolumeFor(volume, &rendererValue)) return 0;
    return SUCCEEDED(audio->put_Volume(rendererValue)) ? 1 : 0;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL PlayFile(const wchar_t* path, HWND videoWindow, float* durationSeconds, HDC* dc, int width,
                                    int height, int* hasVideo) {
    return GuardedExport([=] { return PlayFileNow(path, videoWindow, durationSeconds, dc, width, height, hasVideo); });
}

CAMERA_API int CAMERA_CALL GetCurrentPlaybackTime(float* seconds) {
    return GuardedExport([=] { return GetCurrentPlaybackTimeNow(seconds); });
}

CAMERA_API int CAMERA_CALL ResumePlayback(void) {
    return GuardedExport([] { return MovePlayback(State_Running); });
}

CAMERA_API int CAMERA_CALL PausePlayback(void) {
    return GuardedExport([] { return MovePlayback(State_Paused); });
}

CAMERA_API int CAMERA_CALL StopPlayback(void) {
    return GuardedExport([] {
        EndPlayback(Engine());
        return 1;
    });
}

CAMERA_API int CAMERA_CALL SetPlaybackPosition(float percent) {
    return GuardedExport([=] { return SetPlaybackPositionNow(percent); });
}

CAMERA_API int CAMERA_CALL GetPlaybackVolume(double* volume) {
    return GuardedExport([=] { return GetPlaybackVolumeNow(volume); });
}

CAMERA_API int CAMERA_CALL SetPlaybackVolume(double volume) {
    return GuardedExport([=] { return SetPlaybackVolumeNow(volume); });
}
