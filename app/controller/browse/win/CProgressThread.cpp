#include "CProgressThread.h"

#include "winowners/ThreadOwners.h"

namespace vimbrel::controller {

CProgressThread::CProgressThread(DWORD stopBoundMs)
    : m_stopBoundMs(stopBoundMs), m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgressThread::~CProgressThread() {
    Stop();
}

bool CProgressThread::Start(ProgressBody body) {
    Stop();
    if (!m_stopEvent || !body) return false;
    m_body = std::move(body);
    m_stopRequested = false;
    ResetEvent(m_stopEvent.get());
    m_thread.reset(CreateThread(nullptr, 0, &CProgressThread::ThreadMain, this, 0, &m_threadId));
    if (!m_thread) {
        m_body = nullptr;
        return false;
    }
    return true;
}

void CProgressThread::Stop() {
    if (!m_thread) return;
    m_stopRequested = true;
    SetEvent(m_stopEvent.get());
    // The worker cannot wait for itself; the next Start or Stop from
    // outside collects it.
    if (GetCurrentThreadId() == m_threadId) return;
    // A worker stuck inside the engine past the bound would keep reporting
    // over the next playback: it is given up.
    if (winowners::StopThread(m_thread.get(), {m_stopBoundMs, winowners::ThreadWait::AnsweringSentMessages})) {
        ++m_terminated;
    }
    m_thread.reset();
    m_threadId = 0;
    m_body = nullptr;
}

bool CProgressThread::IsRunning() const {
    return m_thread && WaitForSingleObject(m_thread.get(), 0) == WAIT_TIMEOUT;
}

bool CProgressThread::Sleep(int ms) {
    return WaitForSingleObject(m_stopEvent.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT && !m_stopRequested;
}

DWORD WINAPI CProgressThread::ThreadMain(LPVOID self) {
    auto* owner = static_cast<CProgressThread*>(self);
    owner->m_body(*owner);
    return 0;
}

}  // namespace vimbrel::controller
