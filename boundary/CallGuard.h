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

// For window procedures: the body's result, else the answer that refuses
// the message: -1 to WM_CREATE and FALSE to WM_NCCREATE (the window is not
// made), 0 to any other (the message is dropped, and the debugger told).
template <class Body>
LRESULT GuardedMessage(UINT message, Body&& body) noexcept {
    bool answered = false;
    const LRESULT result = GuardedValue<LRESULT>(message == WM_CREATE ? -1 : 0, [&]() -> LRESULT {
        const LRESULT answer = body();
        answered = true;
        return answer;
    });
    if (!answered) OutputDebugStringA("window message dropped: its handler threw\n");
    return result;
}

}  // namespace boundary
