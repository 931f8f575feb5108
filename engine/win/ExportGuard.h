// No C++ exception may leave the flat API: a failure there is a refusal.
#pragma once

#include "CallGuard.h"

namespace camera {

template <class Body>
int GuardedExport(Body body) noexcept {
    return boundary::GuardedValue(0, body);
}

}  // namespace camera
