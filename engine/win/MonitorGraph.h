// The monitor graph: camera, effect (switched off), motion filter and
// grabber, in its own graph object so that the preview can be restored.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// At Initialize: the monitor graph, its media control and the motion filter.
HRESULT CreateMonitorObjects(CaptureEngineState& state);

// Fills the monitor graph; motion events go to the hidden window.
HRESULT BuildMonitorGraph(CaptureEngineState& state);

}  // namespace camera
