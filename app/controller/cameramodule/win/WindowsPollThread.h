#pragma once
// The rotation poll's thread on Windows: a plain thread, stopped like every
// other worker of the program through the shared bounded stop, so that a
// camera module stuck in a call cannot keep a camera change or the
// program's end waiting.

#include <memory>

#include "PollThread.h"

namespace vimbrel::controller {

// How long a stop waits for the poll before it terminates the thread. The
// poll answers within its step; only a step stuck in the module lasts longer.
inline constexpr unsigned long kPollStopBoundMs = 1000;

std::unique_ptr<IPollThread> WindowsPollThread(unsigned long stopBoundMs = kPollStopBoundMs);

}  // namespace vimbrel::controller
