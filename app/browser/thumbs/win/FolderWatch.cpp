#include "FolderWatch.h"

#include "BrowserMessages.h"

namespace vimbrel::browser {

bool CFolderWatch::Start(HWND owner, const std::wstring& folder)
{
    Stop();
    owner_ = owner;
    folder_ = folder;
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stop_) return false;
    thread_ = CreateThread(nullptr, 0, &CFolderWatch::ThreadMain, this, 0, nullptr);
    if (!thread_) {
        CloseHandle(stop_);
        stop_ = nullptr;
        return false;
    }
    return true;
}

void CFolderWatch::Stop()
{
    if (thread_) {
        SetEvent(stop_);
        if (WaitForSingleObject(thread_, 5000) != WAIT_OBJECT_0) TerminateThread(thread_, 1);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (stop_) {
        CloseHandle(stop_);
        stop_ = nullptr;
    }
}

bool CFolderWatch::Running() const
{
    return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

DWORD WINAPI CFolderWatch::ThreadMain(void* self)
{
    static_cast<CFolderWatch*>(self)->Run();
    return 0;
}

void CFolderWatch::Run()
{
    HANDLE change = FindFirstChangeNotificationW(folder_.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (change == INVALID_HANDLE_VALUE) return;
    const HANDLE waits[2] = {stop_, change};
    bool first = true;
    for (;;) {
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
        if (!first && WaitForSingleObject(stop_, 100) == WAIT_OBJECT_0) break;
        first = false;
        PostMessageW(owner_, WM_BROWSE_REFRESH, 0, 0);
        if (!FindNextChangeNotification(change)) break;
    }
    FindCloseChangeNotification(change);
}

}  // namespace vimbrel::browser
