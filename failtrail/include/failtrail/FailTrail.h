// Early returns that say where they happened. A step that fails hands its
// result back to the caller as before; on the way out the macro tells the
// module's failure hook the file, the line, the result and the text of the
// step, so a test that sees only "E_FAIL" from a long builder can be shown
// which call gave it.
//
// The hook is off unless something installs one: the deliverables never do,
// so there each macro costs a load of a null pointer and a branch that is
// always taken the same way, and behaves exactly as the plain
// `if (FAILED(hr)) return hr;` it stands for. The test bench installs a hook
// in every test program that keeps the last steps and prints them when a
// test fails.
//
// The hook lives in this header, so every EXE and DLL has a copy of its
// own. A test program links the code under test statically and sees its
// failures; a DLL the test loads (a filter through CoCreateInstance, the
// engine through LoadLibrary) keeps its own hook, which nobody installs, so
// its steps are not in the program's trail.
#pragma once

#include "failtrail/ResultCode.h"

#include <atomic>

namespace failtrail {

// E_OUTOFMEMORY's bit pattern, for allocations that come back empty.
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);

struct Failure {
    const char* file;
    int line;
    HResult result;
    const char* expression;
};

using Hook = void (*)(const Failure& failure);

namespace detail {
// Constant-initialised, so a hook installed while the program starts up
// cannot be overwritten by this variable's own initialisation.
inline std::atomic<Hook> hook{nullptr};
}  // namespace detail

// Installs a hook for this module (nullptr turns reporting off); answers the
// one it replaces.
inline Hook SetHook(Hook hook) { return detail::hook.exchange(hook); }

inline void Report(const char* file, int line, HResult result, const char* expression) {
    const Hook hook = detail::hook.load(std::memory_order_acquire);
    if (hook != nullptr) {
        hook(Failure{file, line, result, expression});
    }
}

}  // namespace failtrail

// Each macro evaluates its arguments once and only returns; cleanup belongs
// to the owners of what the function holds.

// Evaluates expr once; when it is a failure, reports it as text and
// returns value (the caller stringises expr, so that what is reported is
// the step as written, not its expansion).
#define FAILTRAIL_RETURN_ON_FAILURE(expr, text, value)                                                                 \
    do {                                                                                                               \
        const auto failtrailResult = (expr);                                                                           \
        if (failtrailResult < 0) {                                                                                     \
            ::failtrail::Report(__FILE__, __LINE__, static_cast<::failtrail::HResult>(failtrailResult), text);         \
            return value;                                                                                              \
        }                                                                                                              \
    } while (false)

// Returns the result of expr when it is a failure.
#define RETURN_IF_FAILED(expr) FAILTRAIL_RETURN_ON_FAILURE(expr, #expr, failtrailResult)

// Returns hr when condition holds; reports it when it is a failure.
#define RETURN_HR_IF(hr, condition)                                                                                    \
    do {                                                                                                               \
        if (condition) {                                                                                               \
            const auto failtrailResult = (hr);                                                                         \
            if (failtrailResult < 0) {                                                                                 \
                ::failtrail::Report(__FILE__, __LINE__, static_cast<::failtrail::HResult>(failtrailResult),            \
                                    #condition);                                                                       \
            }                                                                                                          \
            return failtrailResult;                                                                                    \
        }                                                                                                              \
    } while (false)

// Returns E_OUTOFMEMORY when pointer (or an owner) holds nothing.
#define RETURN_IF_NULL_ALLOC(pointer)                                                                                  \
    do {                                                                                                               \
        if (!(pointer)) {                                                                                              \
            ::failtrail::Report(__FILE__, __LINE__, ::failtrail::kOutOfMemory, #pointer);                              \
            return ::failtrail::kOutOfMemory;                                                                          \
        }                                                                                                              \
    } while (false)

// For flat exports that answer 0 or FALSE: returns value when expr fails,
// reporting the failure's own result.
#define RETURN_VALUE_IF_FAILED(value, expr) FAILTRAIL_RETURN_ON_FAILURE(expr, #expr, value)
