// Draining the events that the monitor and playback graphs post to the
// hidden window.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

constexpr UINT WM_MOTION_EVENT = WM_USER + 300;  // 0x52C
constexpr long EC_MOTION_DETECTED = 0x8064;

// Each motion event becomes one WM_MOTION_EVENT to the monitor's window.
int OnMonitorGraphEvent(CaptureEngineState& state);

// The end of a file ends its playback graph.
int OnPlaybackGraphEvent(CaptureEngineState& state);

// Stops a playback graph that no other thread can reach any more, takes
// its video window out of the caller's window and empties it.
void DisposePlaybackGraph(const ComPtr<IGraphBuilder>& graph);

// Takes the engine's playback graph out of its slot (ordered against
// pause, resume and seek); the caller disposes of it.
ComPtr<IGraphBuilder> TakePlaybackGraph(CaptureEngineState& state);

// Ends the engine's playback graph when it is still graph: the slot is
// cleared first and only the thread that cleared it takes the graph apart,
// so that a stop and the file's end on two threads never empty one graph
// at the same time. A newer graph that took its place is left alone.
void ReleasePlaybackGraph(CaptureEngineState& state, const ComPtr<IGraphBuilder>& graph);

}  // namespace camera
