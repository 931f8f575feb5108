// COM on threads the engine does not own. The main program calls some
// exports from its worker threads, which may never have initialised COM;
// the engine joins such a thread to a single-threaded apartment the first
// time it creates objects there and leaves it joined for the thread's life,
// since the objects it makes may outlive the call.
#pragma once

#include <objbase.h>

namespace camera {

inline void EnsureComOnThisThread() {
    static thread_local bool joined = false;
    if (joined) return;
    // A thread already in the multithreaded apartment answers
    // RPC_E_CHANGED_MODE; COM works there too, so that is as good.
    CoInitialize(nullptr);
    joined = true;
}

}  // namespace camera
