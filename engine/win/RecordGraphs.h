// The recording graphs, built into the emptied preview graph object: the
// camera through the effect and Smart Tee, its preview still shown, and
// its capture branch written to a file.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Windows Media file through the WM ASF writer; the microphone's sound
// goes through the audio control filter whenever a microphone exists.
HRESULT BuildAsfRecordGraph(CaptureEngineState& state, const wchar_t* path);

// AVI file through AVI Mux and the File writer; sound only when asked.
HRESULT BuildAviRecordGraph(CaptureEngineState& state, const wchar_t* path, int withAudio);

}  // namespace camera
