// The objects Initialize creates besides the preview and monitor graphs.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// The sound graph with its capture builder, joined.
HRESULT CreateAudioGraphObjects(CaptureEngineState& state);

// The one audio renderer every playback graph uses, so that its volume
// carries over from file to file.
HRESULT CreateAudioRenderer(CaptureEngineState& state);

}  // namespace camera
