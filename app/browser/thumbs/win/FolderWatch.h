// The folder-watch thread of one cache: posts WM_BROWSE_REFRESH to the
// owner whenever a file in the folder is created, deleted or renamed. The
// first change is posted at once, later ones after a 100 ms pause so a
// burst of changes settles first.
//
// Given a FolderListing, the thread also lists the folder after each change
// and leaves the sorted list there before it posts (wParam kRefreshListed):
// listing and sorting a monitor folder of tens of thousands of pictures
// then never holds up the user-interface thread.
#pragma once

#include "ThumbEntry.h"
#include "winowners/KernelOwners.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vimbrel::browser {

// The newest listing of a watched folder, from the watch thread to the
// user-interface thread. A newer listing replaces one not yet taken.
class FolderListing {
public:
    void Put(std::vector<ThumbEntry> entries);
    // The waiting listing, or null.
    std::unique_ptr<std::vector<ThumbEntry>> Take();

private:
    std::mutex lock_;
    std::unique_ptr<std::vector<ThumbEntry>> entries_;
};

class CFolderWatch {
public:
    CFolderWatch() = default;
    ~CFolderWatch() { Stop(); }
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;

    // False when the thread cannot start; a folder that cannot be watched
    // ends the thread at once.
    bool Start(HWND owner, const std::wstring& folder, std::shared_ptr<FolderListing> listing = nullptr);
    // Wakes the thread, waits a bounded time, terminates it only when it
    // does not end by then.
    void Stop();
    bool Running() const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    HWND owner_ = nullptr;
    std::wstring folder_;
    std::shared_ptr<FolderListing> listing_;
    winowners::UniqueHandle stop_;
    winowners::UniqueHandle thread_;
};

}  // namespace vimbrel::browser
