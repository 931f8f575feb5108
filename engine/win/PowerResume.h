// Bringing the preview back after the machine wakes up.
#pragma once

#include "engine/win/CaptureEngineState.h"
#include "engine/core/RetryWithWait.h"

namespace camera {


constexpr int kResumeAttempts = 6;
constexpr unsigned kResumeWaitMs = 500;

// Any recording or monitoring ended with the suspend. In a preview mode the
// current format is applied again, with time for a camera that wakes slowly.
void ResumeAfterSuspend(CaptureEngineState& state);
void ResumeAfterSuspend(CaptureEngineState& state, ISleeper& sleeper);

}  // namespace camera
