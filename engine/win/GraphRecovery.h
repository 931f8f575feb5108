// Bringing a graph back to a clean stop after a start that failed.
#pragma once

#include "ComHelpers.h"

namespace camera {

// Stops the graph and then every filter in it. A graph whose run failed
// half-way may count itself stopped while some filters were already
// paused: their streaming threads would keep the devices, the graph would
// refuse to give the filters up, and releasing it could wait for ever.
// Stopping a stopped filter does nothing, so this is safe whatever state
// the graph is in.
void ForceGraphStopped(IGraphBuilder* graph);

} // namespace camera
