// A DLL with the runtime glue of the ones we ship, whose calls do on demand
// what the shipped ones do only on rare paths (a failed allocation caught
// at a boundary, a worker that keeps thread-local state): throw and catch a
// C++ exception, and run a thread that throws, catches and keeps a
// thread_local variable.
#include <windows.h>

#include <stdexcept>

#include "winowners/KernelOwners.h"

namespace {

int ThrowAndCatch(int value) {
    try {
        if (value >= 0) throw std::runtime_error("probe");
    } catch (const std::runtime_error&) {
        return 1;
    }
    return 0;
}

thread_local int callsOnThisThread = 0;

DWORD WINAPI Worker(void* result) {
    ++callsOnThisThread;
    *static_cast<int*>(result) = ThrowAndCatch(callsOnThisThread);
    return 0;
}

}  // namespace

extern "C" __declspec(dllexport) int ProbeThrowAndCatch() { return ThrowAndCatch(++callsOnThisThread); }

// 1 when a thread of its own threw and caught.
extern "C" __declspec(dllexport) int ProbeThreadThrowAndCatch() {
    int result = 0;
    const winowners::UniqueHandle thread(CreateThread(nullptr, 0, Worker, &result, 0, nullptr));
    if (!thread) return 0;
    WaitForSingleObject(thread.get(), INFINITE);
    return result;
}
