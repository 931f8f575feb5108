// Switching the camera to another entry of the format list.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Stops and empties the preview, sets the format on the capture pin and
// builds and runs the preview again. force re-applies an unchanged format
// and keeps the build quiet (the power-resume path). 1 done, 0 refused or
// failed.
int ApplyVideoFormat(CaptureEngineState& state, int index, int force);

}  // namespace camera
