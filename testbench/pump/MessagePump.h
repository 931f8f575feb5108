// The message pump of the Windows tests: windows made on the test's thread
// get their posted and sent messages only while the thread takes them.
// Every test program links it (vimbrel_test adds it).
#pragma once

#include <windows.h>

#include <functional>

namespace testbench {

// Dispatches every message waiting for this thread, translated as a
// message loop does, and returns once none is left.
void PumpWaiting();

// Takes this thread's messages for `ms` milliseconds, asleep between them.
void PumpFor(DWORD ms);

// Takes this thread's messages until `condition` holds or `boundMs`
// milliseconds passed, and answers whether it held. The condition is looked
// at after each batch of messages and at least every `lookEveryMs`, since
// another thread may change it without a message. One that holds already
// returns at once, with nothing pumped.
bool PumpUntil(const std::function<bool()>& condition, DWORD boundMs, DWORD lookEveryMs = 10);

}  // namespace testbench
