#include "CWorkerThread.h"

#include "winowners/ThreadOwners.h"

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

bool CWorkerThread::Running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

bool CWorkerThread::Pause(DWORD ms) const { return WaitForSingleObject(quit_.get(), ms) == WAIT_TIMEOUT; }

bool CWorkerThread::Stop(const std::function<void()>& wake, DWORD waitMs) {
    if (!thread_) return true;
    SetEvent(quit_.get());
    if (wake) wake();
    // Every pause of the thread ends at once on the quit event.
    const bool ended = !winowners::StopThread(thread_.get(), {waitMs});
    thread_.reset();
    quit_.reset();
    body_ = nullptr;
    return ended;
}

}  // namespace vimbrel::ui
