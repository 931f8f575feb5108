// State that every detector of a process shares: the base-frame countdown
// and the pacing gate. Several filters in one process (one per graph)
// therefore pace and refresh together; the state is guarded so that their
// streaming threads may call in at the same time.
#pragma once

#include <cstdint>

#include "DetectorPorts.h"

namespace motion {

enum class BaseSource {
    TakeNow,      // the frame itself, now
    CurrentGray,  // the pass's current gray, when the countdown allows
};

// One base-frame decision against the shared countdown; true when the base
// is to be taken. The countdown reloads to 100 whenever a refresh is refused.
bool DecideBaseFrame(BaseSource source, bool refresh);

// The pacing gate: true when this frame's pass may run. With interval N ms at
// a measured rate of F frames a second (at most 32) it lets one frame in
// max(1, N x F / 1000) through.
bool IntervalGateAllows(std::uint32_t intervalMs, ITickSource& ticks);

// Puts the shared state back to how a fresh process starts. For tests only;
// the filter module never calls or exports it.
void ResetProcessWideMotionState();

}  // namespace motion
