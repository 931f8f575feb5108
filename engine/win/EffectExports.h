// The effect settings the engine sends on its own, not on a caller's
// request.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// The shoot-mode tint of the picture (on) or the neutral tables (off).
// 0 before the engine is ready or without the effects filter.
int ApplyShootGamma(CaptureEngineState& state, bool on);

}  // namespace camera
