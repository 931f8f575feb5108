// The graphs that play a recorded file into the caller's window: Windows
// Media files through the ASF reader, everything else through the async
// file source and automatic graph building.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Each builds a new graph for path, makes it the engine's playback graph
// and runs it. hasVideo asks for a frame grabber and a video window inside
// window. A graph that fails on the way is emptied and dropped, so that
// nothing of it stays in the caller's window.
HRESULT BuildAsfPlaybackGraph(CaptureEngineState& state, const wchar_t* path, HWND window, bool hasVideo);
HRESULT BuildFilePlaybackGraph(CaptureEngineState& state, const wchar_t* path, HWND window, bool hasVideo);

}  // namespace camera
