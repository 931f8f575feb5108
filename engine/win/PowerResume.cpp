#include "engine/win/PowerResume.h"

#include "engine/win/FormatSwitch.h"
#include "engine/win/ThreadSleeper.h"

namespace camera {

void ResumeAfterSuspend(CaptureEngineState& state) {
    CThreadSleeper sleeper;
    ResumeAfterSuspend(state, sleeper);
}

void ResumeAfterSuspend(CaptureEngineState& state, ISleeper& sleeper) {
    state.values.captureState = kIdle;
    if (!IsPreviewMode(state.values.requestedMode)) return;
    RetryWithWait(
        kResumeAttempts, kResumeWaitMs, sleeper,
        [&state] { return ApplyVideoFormat(state, state.values.currentFormatIndex, 1); },
        [](int done) { return done != 0; });
}

}  // namespace camera
