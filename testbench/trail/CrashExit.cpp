// Linked into every Windows test program: a fault that nothing handles ends
// the program with the fault's code. Wine's crash debugger, which would
// otherwise take over, prints its report and lets the program end with exit
// code 0, so a test that crashes would count as passed.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI EndWithTheFault(EXCEPTION_POINTERS* fault) {
    const DWORD code = fault->ExceptionRecord->ExceptionCode;
    std::fprintf(stderr, "unhandled fault 0x%08lX at %p: the test program ends\n", static_cast<unsigned long>(code),
                 fault->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_CONTINUE_SEARCH;
}

[[maybe_unused]] const bool g_installed = [] {
    SetUnhandledExceptionFilter(&EndWithTheFault);
    return true;
}();

}  // namespace
