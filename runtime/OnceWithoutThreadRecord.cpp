// The unwinder registers each DLL's exception tables as the DLL starts, and
// guards that with a one-time initialisation. The thread library's own
// one-time call records the calling thread: it takes a thread-local slot for
// its records the first time, and a record for the thread. Neither is given
// back when the DLL is freed, so every load and free cost one of the
// process's 1088 thread-local slots and a few hundred bytes; after about a
// thousand loads the next one would abort.
//
// Every DLL we ship is linked with --wrap=pthread_once, so its one-time calls
// (the unwinder's, the C++ runtime's) come here instead: the same guarantee,
// one run and everyone else waiting for it to finish, kept in the caller's
// flag alone.

#include <windows.h>

namespace {

constexpr LONG kNotRun = 0;  // the flag's initial value, PTHREAD_ONCE_INIT
constexpr LONG kRunning = 1;
constexpr LONG kDone = 2;

}  // namespace

extern "C" int __wrap_pthread_once(long* flag, void (*init)(void)) {
    static_assert(sizeof(long) == sizeof(LONG), "the thread library's flag is a long");
    volatile LONG* state = reinterpret_cast<volatile LONG*>(flag);
    for (;;) {
        const LONG seen = InterlockedCompareExchange(state, kRunning, kNotRun);
        if (seen == kDone) {
            return 0;
        }
        if (seen == kNotRun) {
            try {
                init();
            } catch (...) {
                // A function that fails by throwing has not run: the next
                // caller (or a waiting one) tries again, as with the
                // library's own call.
                InterlockedExchange(state, kNotRun);
                throw;
            }
            InterlockedExchange(state, kDone);
            return 0;
        }
        // Another thread is running it; one-time initialisations are short.
        Sleep(0);
    }
}
