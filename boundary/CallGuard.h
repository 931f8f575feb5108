// No C++ exception may leave a COM method, a window procedure or a flat
// export: the caller is the system or another compiler's code, and an
// exception unwinding through it ends the process. The places that can
// throw (containers and strings growing) run their body through here.
#pragma once

#include <windows.h>

#include <new>

namespace boundary {

// The body's result; E_OUTOFMEMORY when an allocation failed, E_UNEXPECTED
// for anything else thrown.
template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// For entry points whose failure is a plain value (a flat export's 0, a
// dialog procedure's FALSE): the body's result, else `failed`.
template <class Result, class Body>
Result GuardedValue(Result failed, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failed;
    }
}

}  // namespace boundary
