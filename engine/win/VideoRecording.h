// Video recordings: the preview graph object rebuilt as a recording graph
// that still shows the preview, and back again.
#pragma once

#include "engine/win/CaptureEngineState.h"
#include "engine/core/RecordingRules.h"

namespace camera {

// Stops the preview and runs a recording graph writing to path in the
// engine's video file format. On failure the preview comes back (as far as
// it can) and the caller stays idle.
HRESULT StartVideoRecording(CaptureEngineState& state, RecordingKind kind, const wchar_t* path);

// Stops the recording and runs a new preview. On failure the recording
// counts as still running, so that the caller may try again.
HRESULT StopVideoRecording(CaptureEngineState& state);

// The microphone level and the audio control filter's mute for a
// recording. Without a microphone mixer the level cannot be set, but the
// control filter must still follow it: a silenced earlier recording would
// otherwise leave every later one mute.
void ApplyRecordingLevel(CaptureEngineState& state, double level);

}  // namespace camera
