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

// Stops a playback graph, takes its video window out of the caller's
// window, empties it and drops the engine's reference, unless a newer
// graph took its place meanwhile.
void ReleasePlaybackGraph(CaptureEngineState& state, const ComPtr<IGraphBuilder>& graph);

} // namespace camera
