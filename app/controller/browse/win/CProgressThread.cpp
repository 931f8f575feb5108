#include "CProgressThread.h"

#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {
namespace {

// How long a terminated worker is given to be gone before the stop returns.
constexpr DWORD kAfterTerminateMs = 1000;

}  // namespace

// What one worker runs. The thread owns it: a worker that had to be
// terminated leaves it behind rather than have it freed under it.
struct CProgressThread::Run {
    CProgressThread* owner;
    ProgressBody body;
};

CProgressThread::CProgressThread(DWORD stopBoundMs)
    : stopBoundMs_(stopBoundMs), stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgressThread::~CProgressThread() { Stop(); }

bool CProgressThread::Start(ProgressBody body) {
    Stop();
    if (!stopEvent_ || !body) return false;
    stopRequested_ = false;
    ResetEvent(stopEvent_.get());
    auto run = std::make_unique<Run>(Run{this, std::move(body)});
    thread_.reset(CreateThread(nullptr, 0, &CProgressThread::ThreadMain, run.get(), 0, &threadId_));
    if (!thread_) return false;
    run.release();
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
    // over the next playback: it is given up, and waited for until it is
    // gone, since it still uses this object.
    if (winowners::StopThread(thread_.get(),
                              {stopBoundMs_, winowners::ThreadWait::AnsweringSentMessages, kAfterTerminateMs})) {
        ++terminated_;
    }
    thread_.reset();
    threadId_ = 0;
}

bool CProgressThread::IsRunning() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

bool CProgressThread::Sleep(int ms) {
    return WaitForSingleObject(stopEvent_.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT && !stopRequested_;
}

DWORD WINAPI CProgressThread::ThreadMain(LPVOID run) {
    const std::unique_ptr<Run> owned(static_cast<Run*>(run));
    owned->body(*owned->owner);
    return 0;
}

}  // namespace vimbrel::controller
