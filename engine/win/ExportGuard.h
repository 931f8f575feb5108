// No C++ exception may leave the flat API: a failure there is a refusal.
#pragma once

#include <new>

namespace camera {

template <class Body>
int GuardedExport(Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

} // namespace camera
