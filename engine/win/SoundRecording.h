// Sound recordings in the separate audio graph: WMA in ASF, AVI or WAV.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// The microphone through "WAV Dest" into a file writer that replaces the
// file at path. E_NOINTERFACE when either filter is not installed.
HRESULT BuildWavGraph(CaptureEngineState& state, const wchar_t* path);

// Builds the audio graph for the engine's audio file format and runs it.
// A start that fails leaves an empty audio graph, so that the next start
// finds the microphone free.
HRESULT StartSoundRecording(CaptureEngineState& state, const wchar_t* path);

// Stops the audio graph and lets go of it with its builder and file
// filters; the next recording makes new ones.
void EndSoundRecording(CaptureEngineState& state);

}  // namespace camera
