// The thumbnail cache of one media folder: the sorted list of its media
// files and the 100 x 75 thumbnails of those near the view, kept between
// runs in config%i.cfg (every entry) and tmp%i.img (the cells of the first
// 873 entries) of the data root. Thumbnails are made when their cell is
// first drawn: pictures and sounds here, videos on workers. The folder
// watch lists the folder on its own thread after each change, and at once
// when the list came from the index. All calls come from the user-interface
// thread.
#pragma once

#include "CacheFiles.h"
#include "FolderWatch.h"
#include "ThumbCells.h"
#include "ThumbEntry.h"
#include "ThumbStrip.h"
#include "VideoThumbWorker.h"

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vimbrel::browser {

class CVideoResultReceiver;

class CThumbCache {
public:
    CThumbCache();
    ~CThumbCache();
    CThumbCache(const CThumbCache&) = delete;
    CThumbCache& operator=(const CThumbCache&) = delete;

    // Where the cache files go instead of the data root (tests); before Open.
    void SetDataRoot(const std::wstring& root) { dataRoot_ = root; }

    // Opens the cache of `folder` for `mediaKind` (0..3), makes the
    // thumbnails of entries first..first+count-1 and starts the folder
    // watch, which posts to `owner`. The list is the index's when the cache
    // files load; the folder's own listing then follows (see ListFromIndex).
    // 1 done, 0 refused or failed.
    int Open(const wchar_t* folder, long first, long count, HWND owner, int mediaKind);
    int Load();
    int Save();
    int Rescan();
    // Takes the listing the folder watch made after its last change (see
    // kRefreshListed); 0 when none is waiting.
    int TakeWatchListing();
    // True from an Open whose list came from the index until a listing of
    // the folder has been taken (or the folder read again).
    bool ListFromIndex() const { return fromIndex_; }
    int MakeThumb(long index);
    int GetThumb(long index, int* width, int* height, HDC target);
    int GetClass(long index) const;
    int GetPath(long index, std::wstring& path) const;
    long GetCount() const { return static_cast<long>(entries_.size()); }
    int Close();

    // For tests and the browser's drawing checks.
    const std::vector<ThumbEntry>& Entries() const { return entries_; }
    const std::wstring& IndexPath() const { return indexPath_; }
    const std::wstring& StripPath() const { return stripPath_; }
    bool WatchRunning() const { return watch_.Running(); }
    long VideoJobsRunning() const { return board_ ? board_->running.load() : 0; }

private:
    friend class CVideoResultReceiver;
    void AcceptVideoResult(const VideoThumbResult& result);
    bool MakePictureThumb(long index, ThumbEntry& entry);
    bool StartVideoJob(const ThumbEntry& entry);
    bool PutAudioPicture(long index, ThumbEntry& entry);
    long CellFor(long index);
    void Unmake(ThumbEntry& entry);
    void Replace(std::vector<ThumbEntry> fresh);
    // A listing of the folder: replaces the list when its names differ.
    void Adopt(std::vector<ThumbEntry> fresh);
    void ScanIntoEmptyList();
    void WaitForVideoJobs(DWORD timeoutMs);
    void ForgetStaleVerdict(ThumbEntry& entry);
    void RememberVerdict(const ThumbEntry& entry, bool noVideo);

    std::vector<ThumbEntry> entries_;
    CThumbCells cells_;
    CThumbStrip audio_;  // one cell: the picture of sounds
    int mediaKind_ = -1;
    std::wstring indexPath_, stripPath_, folder_;
    std::wstring dataRoot_;
    HWND owner_ = nullptr;
    CFolderWatch watch_;
    std::shared_ptr<FolderListing> listing_;
    std::shared_ptr<VideoJobBoard> board_;
    std::unique_ptr<CVideoResultReceiver> receiver_;
    std::set<std::u16string> pendingVideos_;  // names with a worker out
    // Files found unusable as they stand: pictures that would not decode,
    // and videos without a video stream (shown as sounds). Each holds until
    // its file changes, and the second kind only for this session: a
    // recording still being written when it was asked gets asked again.
    struct Verdict {
        FileStamp stamp;
        bool noVideo = false;
    };
    std::map<std::u16string, Verdict> verdicts_;
    bool holdsSnapFrame_ = false;
    bool fromIndex_ = false;
    bool open_ = false;
};

}  // namespace vimbrel::browser
