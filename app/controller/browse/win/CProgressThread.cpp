#include "CProgressThread.h"

namespace vimbrel::controller {

CProgressThread::CProgressThread(DWORD stopBoundMs)
    : m_stopBoundMs(stopBoundMs), m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgressThread::~CProgressThread() {
    Stop();
    if (m_stopEvent) CloseHandle(m_stopEvent);
}

bool CProgressThread::Start(ProgressBody body) {
    Stop();
    if (!m_stopEvent || !body) return false;
    m_body = std::move(body);
    m_stopRequested = false;
    ResetEvent(m_stopEvent);
    m_thread = CreateThread(nullptr, 0, &CProgressThread::ThreadMain, this, 0, &m_threadId);
    if (!m_thread) {
        m_body = nullptr;
        return false;
    }
    return true;
}

void CProgressThread::Stop() {
    if (!m_thread) return;
    m_stopRequested = true;
    SetEvent(m_stopEvent);
    // The worker cannot wait for itself; the next Start or Stop from
    // outside collects it.
    if (GetCurrentThreadId() == m_threadId) return;
    if (!WaitForThread()) {
        // A worker stuck inside the engine for this long would keep
        // reporting over the next playback: it is given up.
        TerminateThread(m_thread, 1);
        ++m_terminated;
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
    m_threadId = 0;
    m_body = nullptr;
}

bool CProgressThread::IsRunning() const {
    return m_thread && WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CProgressThread::Sleep(int ms) {
    return WaitForSingleObject(m_stopEvent, static_cast<DWORD>(ms)) == WAIT_TIMEOUT && !m_stopRequested;
}

DWORD WINAPI CProgressThread::ThreadMain(LPVOID self) {
    auto* owner = static_cast<CProgressThread*>(self);
    owner->m_body(*owner);
    return 0;
}

bool CProgressThread::WaitForThread() {
    const DWORD started = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - started;
        if (elapsed >= m_stopBoundMs) return WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
        DWORD result = MsgWaitForMultipleObjects(1, &m_thread, FALSE, m_stopBoundMs - elapsed, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
        // Handles the messages sent to this thread; posted ones stay queued.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace vimbrel::controller
