// Fitting the WM ASF writer's profile to a recording: the system profile
// of the chosen video bitrate with the camera's frame size, or a sound-only
// profile at the chosen audio bitrate.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// E_FAIL when the writer has no profile configuration; otherwise the first
// failing call's code.
HRESULT ConfigureAsfVideoProfile(CaptureEngineState& state, IBaseFilter* writer);
HRESULT ConfigureAsfAudioProfile(CaptureEngineState& state, IBaseFilter* writer);

}  // namespace camera
