#include "FolderWatch.h"

#include "BrowserMessages.h"
#include "CacheFiles.h"
#include "ThumbList.h"

#include "winowners/ThreadOwners.h"

namespace vimbrel::browser {

void FolderListing::Put(std::vector<ThumbEntry> entries) {
    auto fresh = std::make_unique<std::vector<ThumbEntry>>(std::move(entries));
    const std::lock_guard<std::mutex> hold(lock_);
    entries_ = std::move(fresh);
}

std::unique_ptr<std::vector<ThumbEntry>> FolderListing::Take() {
    const std::lock_guard<std::mutex> hold(lock_);
    return std::move(entries_);
}

bool CFolderWatch::Start(HWND owner, const std::wstring& folder, std::shared_ptr<FolderListing> listing,
                         bool listAtOnce) {
    Stop();
    owner_ = owner;
    folder_ = folder;
    listing_ = std::move(listing);
    listAtOnce_ = listAtOnce && listing_;
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) return false;
    thread_.reset(CreateThread(nullptr, 0, &CFolderWatch::ThreadMain, this, 0, nullptr));
    if (!thread_) {
        stop_.reset();
        return false;
    }
    return true;
}

void CFolderWatch::Stop() {
    if (thread_) {
        SetEvent(stop_.get());
        winowners::StopThread(thread_.get(), {5000});
        thread_.reset();
    }
    stop_.reset();
}

bool CFolderWatch::Running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

DWORD WINAPI CFolderWatch::ThreadMain(void* self) {
    static_cast<CFolderWatch*>(self)->Run();
    return 0;
}

void CFolderWatch::Run() {
    // Armed before the first listing, so a change made while it runs
    // brings another one.
    const winowners::UniqueChangeNotification change(
        FindFirstChangeNotificationW(folder_.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    if (listAtOnce_ && !PostListing()) return;
    if (!change) return;
    const HANDLE waits[2] = {stop_.get(), change.get()};
    bool first = true;
    for (;;) {
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
        if (!first && WaitForSingleObject(stop_.get(), 100) == WAIT_OBJECT_0) break;
        first = false;
        // Armed again before the listing, likewise.
        const bool armed = FindNextChangeNotification(change.get()) != FALSE;
        if (listing_) {
            if (!PostListing()) break;
        } else {
            PostMessageW(owner_, WM_BROWSE_REFRESH, 0, 0);
        }
        if (!armed) break;
    }
}

bool CFolderWatch::PostListing() {
    std::optional<std::vector<std::u16string>> names = ListFolderFiles(folder_, stop_.get());
    if (!names) return false;
    listing_->Put(ListFromNames(*names));
    PostMessageW(owner_, WM_BROWSE_REFRESH, kRefreshListed, 0);
    return true;
}

}  // namespace vimbrel::browser
