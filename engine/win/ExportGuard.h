// No C++ exception may leave the flat API: a failure there is a refusal.
// Every call is counted while it is inside (ExportCalls.h), and refused
// while another thread ends the engine.
#pragma once

#include "CallGuard.h"
#include "engine/win/ExportCalls.h"

namespace camera {

template <class Result, class Body>
Result GuardedExportOr(Result refused, Body body) noexcept {
    const CExportCall call;
    if (!call.Admitted()) return refused;
    return boundary::GuardedValue(refused, body);
}

template <class Body>
int GuardedExport(Body body) noexcept {
    return GuardedExportOr(0, body);
}

}  // namespace camera
