// The calls inside the library right now. Uninitialize closes the door to
// the calls of other threads and lets those already inside finish before it
// takes the engine apart: the caller's timer and poll threads may be half-way
// through a call that uses what it releases.
#pragma once

#include <windows.h>

namespace camera {

// One call through a flat export, from entry to return.
class CExportCall {
public:
    CExportCall() noexcept;
    ~CExportCall();
    CExportCall(const CExportCall&) = delete;
    CExportCall& operator=(const CExportCall&) = delete;

    // False while another thread is ending the engine: the call is refused.
    bool Admitted() const { return admitted_; }

private:
    bool admitted_ = false;
};

// Refuses the calls of other threads from now on and waits up to timeoutMs
// for those inside to return, serving the messages they send to this
// thread's windows meanwhile. True when none is left inside.
bool CloseExportsAndDrain(DWORD timeoutMs);

// Admits every thread's calls again.
void ReopenExports();

}  // namespace camera
