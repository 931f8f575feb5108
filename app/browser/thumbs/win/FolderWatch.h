// The folder-watch thread of one cache: posts WM_BROWSE_REFRESH to the
// owner whenever a file in the folder is created, deleted or renamed. The
// first change is posted at once, later ones after a 100 ms pause so a
// burst of changes settles first.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

#include <string>

namespace vimbrel::browser {

class CFolderWatch {
public:
    CFolderWatch() = default;
    ~CFolderWatch() { Stop(); }
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;

    // False when the thread cannot start; a folder that cannot be watched
    // ends the thread at once.
    bool Start(HWND owner, const std::wstring& folder);
    // Wakes the thread, waits a bounded time, terminates it only when it
    // does not end by then.
    void Stop();
    bool Running() const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    HWND owner_ = nullptr;
    std::wstring folder_;
    winowners::UniqueHandle stop_;
    winowners::UniqueHandle thread_;
};

}  // namespace vimbrel::browser
