// Starting a recording graph and cleaning up after a start that failed.
#pragma once

#include "engine/win/ComHelpers.h"

namespace camera {

// Hands the graph's clock to every filter in it. A graph that chose its
// clock on an earlier run may not give it to filters added since; a source
// without a clock stamps no times, and a timed stream start then never
// comes. Without a clock yet, the graph chooses one when it runs and gives
// it to all.
HRESULT ShareGraphClock(IGraphBuilder* graph);

// Runs the graph and, when the run completes later (S_FALSE), waits a
// bounded time to learn whether it did: a filter that fails its part, a
// writer that cannot create its file, reports only then.
HRESULT RunAndConfirm(IMediaControl* control);

// Stops the graph and then every filter in it. A graph whose run failed
// half-way may count itself stopped while some filters were already
// paused: their streaming threads would keep the devices, the graph would
// refuse to give the filters up, and releasing it could wait for ever.
// Stopping a stopped filter does nothing, so this is safe whatever state
// the graph is in.
void ForceGraphStopped(IGraphBuilder* graph);

}  // namespace camera
