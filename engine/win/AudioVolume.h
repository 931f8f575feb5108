// The microphone level and the audio control filter's mute.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Tells the audio control filter, when one was found, to mute for level 0
// and to let sound through for any other level.
void ApplyAudioControlMute(CaptureEngineState& state, double level);

}  // namespace camera
