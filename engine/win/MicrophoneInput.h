// Chooses and enables the microphone line of a sound capture device.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Makes a microphone input the engine's mixer, enables it and gives it the
// engine's audio volume. E_FAIL when no input takes the level.
HRESULT EnableMicrophoneInput(CaptureEngineState& state, IBaseFilter* audioCapture);

}  // namespace camera
