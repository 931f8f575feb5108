#include "CProgressThread.h"

#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {

CProgressThread::CProgressThread(DWORD stopBoundMs)
    : stopBoundMs_(stopBoundMs), stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgressThread::~CProgressThread() { Stop(); }

bool CProgressThread::Start(ProgressBody body) {
    Stop();
    if (!stopEvent_ || !body) return false;
    body_ = std::move(body);
    stopRequested_ = false;
    ResetEvent(stopEvent_.get());
    thread_.reset(CreateThread(nullptr, 0, &CProgressThread::ThreadMain, this, 0, &threadId_));
    if (!thread_) {
        body_ = nullptr;
        return false;
    }
    return true;
}

void CProgressThread::Stop() {
    if (!thread_) return;
    stopRequested_ = true;
    SetEvent(stopEvent_.get());
    // The worker cannot wait for itself; the next Start or Stop from
    // outside collects it.
    if (GetCurrentThreadId() == threadId_) return;
    // A worker stuck inside the engine past the bound would keep reporting
    // over the next playback: it is given up.
    if (winowners::StopThread(thread_.get(), {stopBoundMs_, winowners::ThreadWait::AnsweringSentMessages})) {
        ++terminated_;
    }
    thread_.reset();
    threadId_ = 0;
    body_ = nullptr;
}

bool CProgressThread::IsRunning() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

bool CProgressThread::Sleep(int ms) {
    return WaitForSingleObject(stopEvent_.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT && !stopRequested_;
}

DWORD WINAPI CProgressThread::ThreadMain(LPVOID self) {
    auto* owner = static_cast<CProgressThread*>(self);
    owner->body_(*owner);
    return 0;
}

}  // namespace vimbrel::controller
