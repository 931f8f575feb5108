// The folder-watch thread of one cache: posts WM_BROWSE_REFRESH to the
// owner whenever a file in the folder is created, deleted or renamed. The
// first change is posted at once, later ones after a 100 ms pause so a
// burst of changes settles first.
//
// Given a FolderListing, the thread also lists the folder after each change
// and leaves the sorted list there before it posts (wParam kRefreshListed):
// listing and sorting a monitor folder of tens of thousands of pictures
// then never holds up the user-interface thread. Asked to list at once, it
// also lists the folder as soon as it starts, before any change: a cache
// that opened with the list of its index shows that list at once and takes
// the folder's own when it is posted.
//
// Stop ends the thread before it returns (a listing gives up half-way), so
// nothing is posted to the owner once Stop has returned.
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
    // ends the thread at once (after the listing asked for at once).
    // listAtOnce needs a listing.
    bool Start(HWND owner, const std::wstring& folder, std::shared_ptr<FolderListing> listing = nullptr,
               bool listAtOnce = false);
    // Wakes the thread, waits a bounded time, terminates it only when it
    // does not end by then.
    void Stop();
    bool Running() const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    // Lists and sorts the folder into listing_ and posts kRefreshListed;
    // false when Stop came first.
    bool PostListing();

    HWND owner_ = nullptr;
    std::wstring folder_;
    std::shared_ptr<FolderListing> listing_;
    bool listAtOnce_ = false;
    winowners::UniqueHandle stop_;
    winowners::UniqueHandle thread_;
};

}  // namespace vimbrel::browser
