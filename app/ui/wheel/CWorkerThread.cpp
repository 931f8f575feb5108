#include "CWorkerThread.h"

namespace vimbrel::ui {

bool CWorkerThread::Start(std::function<void()> body, int priority) {
    if (thread_) return false;
    quit_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!quit_) return false;
    body_ = std::move(body);
    thread_.reset(CreateThread(nullptr, 0, &CWorkerThread::Main, this, 0, nullptr));
    if (!thread_) {
        quit_.reset();
        return false;
    }
    SetThreadPriority(thread_.get(), priority);
    return true;
}

DWORD WINAPI CWorkerThread::Main(void* self) {
    static_cast<CWorkerThread*>(self)->body_();
    return 0;
}

bool CWorkerThread::Running() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

bool CWorkerThread::Pause(DWORD ms) const {
    return WaitForSingleObject(quit_.get(), ms) == WAIT_TIMEOUT;
}

bool CWorkerThread::Stop(const std::function<void()>& wake, DWORD politeMs, DWORD graceMs) {
    if (!thread_) return true;
    SetEvent(quit_.get());
    if (wake) wake();
    bool ended = WaitForSingleObject(thread_.get(), politeMs) == WAIT_OBJECT_0;
    // The thread wakes at once from every pause; what is left is at most
    // one drawing, which a busy machine can stretch past the first wait.
    // Terminating it inside the heap or GDI+ could leave their locks held
    // for the rest of the process, so it gets a second chance first.
    if (!ended) ended = WaitForSingleObject(thread_.get(), graceMs) == WAIT_OBJECT_0;
    if (!ended) TerminateThread(thread_.get(), 1);
    thread_.reset();
    quit_.reset();
    body_ = nullptr;
    return ended;
}

}  // namespace vimbrel::ui
