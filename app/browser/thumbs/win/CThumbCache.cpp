#include "CThumbCache.h"

#include "BrowserMessages.h"
#include "CacheFiles.h"
#include "CacheIndexFormat.h"
#include "MediaNames.h"
#include "SkinImageLoader.h"
#include "ThumbGeometry.h"
#include "ThumbList.h"

#include <framework/CWindow.h>

namespace vimbrel::browser {

// A message-only window on the user-interface thread where video workers
// hand in their frames.
class CVideoResultReceiver : public framework::CWindow {
public:
    explicit CVideoResultReceiver(CThumbCache& cache) : cache_(cache) {}

    bool Create() {
        const wchar_t* cls = framework::RegisterAnonymousClass(0);
        const RECT none = {0, 0, 0, 0};
        return cls && CWindow::Create(0, cls, L"", 0, none, HWND_MESSAGE, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_VIDEO_THUMB_RESULT && lParam) {
            cache_.AcceptVideoResult(*reinterpret_cast<const VideoThumbResult*>(lParam));
            return 1;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }

private:
    CThumbCache& cache_;
};

CThumbCache::CThumbCache() = default;

CThumbCache::~CThumbCache() {
    if (open_) Close();
}

int CThumbCache::Open(const wchar_t* folder, long first, long count, HWND owner, int mediaKind) {
    if (!folder || mediaKind < 0 || mediaKind > 3) return 0;
    // folder + "\" + a name must still fit a path.
    const std::wstring folderPath(folder);
    if (folderPath.empty() || folderPath.size() >= MAX_PATH - 2) return 0;
    if (open_) Close();

    const std::wstring root = dataRoot_.empty() ? CacheDataRoot() : dataRoot_;
    indexPath_ = root.empty() ? std::wstring() : IndexFilePath(root, mediaKind);
    stripPath_ = root.empty() ? std::wstring() : StripFilePath(root, mediaKind);
    folder_ = folderPath;
    owner_ = owner;
    mediaKind_ = mediaKind;
    board_ = std::make_shared<VideoJobBoard>();
    listing_ = std::make_shared<FolderListing>();
    open_ = true;

    // The index's list is shown at once; the folder's own, listed and
    // sorted on the watch thread (a monitor folder holds tens of thousands
    // of pictures), follows in a WM_BROWSE_REFRESH and is taken then.
    fromIndex_ = Load() != 0;
    if (!fromIndex_) ScanIntoEmptyList();
    if (!watch_.Start(owner_, folder_, listing_, fromIndex_) && fromIndex_) {
        Adopt(ListFromNames(ListFolderFiles(folder_)));
    }

    // The picture every sound gets.
    std::unique_ptr<Gdiplus::Bitmap> audio = ui::LoadSkinImage(L"audio.jpg", ui::SkinSourceKind::OwnResources, nullptr,
                                                               L"BROWSE");
    if (!audio || !audio_.Create(1) || !audio_.DrawIntoCell(*audio, 0, 100, 75)) return 0;

    receiver_ = std::make_unique<CVideoResultReceiver>(*this);
    if (!receiver_->Create()) return 0;
    board_->receiver = receiver_->Handle();

    for (long i = first; i >= 0 && i < first + count && i < GetCount(); ++i) MakeThumb(i);
    return 1;
}

void CThumbCache::ScanIntoEmptyList() {
    // No thumbnail yet: a list of any length needs no cells.
    entries_ = ListFromNames(ListFolderFiles(folder_));
    cells_.Clear();
}

int CThumbCache::Load() {
    if (indexPath_.empty() || stripPath_.empty()) return 0;
    std::vector<uint8_t> stripBytes;
    std::vector<uint8_t> indexBytes;
    if (!ReadWholeFile(stripPath_, stripBytes, kMaxPictureBytes)) return 0;
    if (!ReadWholeFile(indexPath_, indexBytes, kMaxIndexBytes)) return 0;
    std::unique_ptr<Gdiplus::Bitmap> image = ui::DecodeSkinImage(stripBytes.data(), stripBytes.size());
    if (!image) return 0;

    DecodedIndex index = DecodeCacheIndex(indexBytes.data(), indexBytes.size());
    // A record we refuse would shift every later cell against its entry,
    // and a strip without a cell for a record marked made belongs to
    // another list. Either way the pair is rebuilt rather than showing one
    // file's picture for another. Records past the strip's cells (a list
    // longer than a JPEG can hold) are fine when they claim no thumbnail.
    if (index.refused != 0 || image->GetWidth() != 100) return 0;
    for (ThumbEntry& entry : index.entries) {
        // A video kept as a sound by an earlier run, when the grabber once
        // found no pictures in it: ask again, it may have been a recording
        // still being written.
        if (entry.mediaClass != kAudio || MediaClassOfName(entry.name) != kVideo) continue;
        entry.mediaClass = kVideo;
        Unmake(entry);
    }
    const long stripCells = static_cast<long>(image->GetHeight() / 75);
    CThumbCells cells;
    for (size_t i = 0; i < index.entries.size(); ++i) {
        ThumbEntry& entry = index.entries[i];
        if (!entry.made) continue;
        if (static_cast<long>(i) >= stripCells) return 0;
        long evicted = -1;
        entry.cell = cells.Take(static_cast<long>(i), evicted);
        if (evicted >= 0) {
            ThumbEntry& gone = index.entries[static_cast<size_t>(evicted)];
            gone.cell = -1;  // the cell is this entry's now
            Unmake(gone);
        }
        if (entry.cell < 0 || !cells.LoadFrom(entry.cell, *image, static_cast<long>(i))) return 0;
    }
    entries_ = std::move(index.entries);
    cells_ = std::move(cells);
    return 1;
}

int CThumbCache::Save() {
    if (indexPath_.empty() || stripPath_.empty()) return 0;
    // The strip file holds the cells of the first entries, as many as a
    // JPEG can be tall; the records of later entries, and of entries whose
    // thumbnail is not at hand, are stored as not made.
    const long stripCells = GetCount() < kStripFileCells ? GetCount() : kStripFileCells;
    CThumbStrip strip;
    const bool haveStrip = stripCells > 0 && strip.Create(stripCells);
    std::vector<ThumbEntry> stored = entries_;
    for (size_t i = 0; i < stored.size(); ++i) {
        ThumbEntry& entry = stored[i];
        const auto it = verdicts_.find(entry.name);
        const bool askAgain = it != verdicts_.end() && it->second.noVideo;
        // A video found without pictures: the next run asks the grabber
        // again, under the name's own class.
        if (askAgain) entry.mediaClass = MediaClassOfName(entry.name);
        if (askAgain || !haveStrip || static_cast<long>(i) >= stripCells || !entry.HasThumb()) {
            entry.made = 0;
            entry.thumbWidth = 0;
            entry.thumbHeight = 0;
            continue;
        }
        cells_.CopyTo(entry.cell, strip, static_cast<long>(i));
    }
    // The two files are one pair: a stop at any point of the writing must
    // leave a matching pair or none. The old strip goes first (an index
    // without a strip is never loaded), then the index is written, then the
    // strip under a name of its own, which is renamed into place last.
    if (!DeleteFileW(stripPath_.c_str()) && GetFileAttributesW(stripPath_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return 0;  // the old pair stays as it was
    }
    if (!WriteIndexFile(indexPath_, EncodeCacheIndex(stored)) || !haveStrip) return 0;
    const std::wstring fresh = stripPath_ + L".new";
    if (!strip.SaveJpeg(fresh) ||
        !MoveFileExW(fresh.c_str(), stripPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(fresh.c_str());
        return 0;
    }
    return 1;
}

int CThumbCache::Rescan() {
    fromIndex_ = false;
    Replace(ListFromNames(ListFolderFiles(folder_)));
    return 1;
}

int CThumbCache::TakeWatchListing() {
    std::unique_ptr<std::vector<ThumbEntry>> fresh = listing_ ? listing_->Take() : nullptr;
    if (!fresh) return 0;
    Adopt(std::move(*fresh));
    return 1;
}

void CThumbCache::Adopt(std::vector<ThumbEntry> fresh) {
    fromIndex_ = false;
    if (!SameNames(entries_, fresh)) Replace(std::move(fresh));
}

void CThumbCache::Replace(std::vector<ThumbEntry> fresh) {
    // Entries keep their cells across the new list: nothing is copied.
    const std::vector<long> from = CarryOverThumbs(entries_, fresh);
    std::vector<bool> carried(entries_.size(), false);
    for (size_t i = 0; i < fresh.size(); ++i) {
        fresh[i].cell = -1;
        if (from[i] < 0) continue;
        const long cell = entries_[static_cast<size_t>(from[i])].cell;
        if (!fresh[i].made || cell < 0) {
            fresh[i].made = 0;
            fresh[i].thumbWidth = 0;
            fresh[i].thumbHeight = 0;
            continue;
        }
        fresh[i].cell = cell;
        cells_.SetOwner(cell, static_cast<long>(i));
        carried[static_cast<size_t>(from[i])] = true;
    }
    for (size_t j = 0; j < entries_.size(); ++j) {
        if (!carried[j] && entries_[j].cell >= 0) cells_.Free(entries_[j].cell);
    }
    entries_ = std::move(fresh);
    // The files are written at each change only while the whole list fits
    // the strip file; a larger folder writes them when the cache closes,
    // not at every new picture on the user-interface thread.
    if (GetCount() <= kStripFileCells) Save();
}

long CThumbCache::CellFor(long index) {
    long evicted = -1;
    const long cell = cells_.Take(index, evicted);
    if (evicted >= 0 && evicted < GetCount()) {
        ThumbEntry& gone = entries_[static_cast<size_t>(evicted)];
        gone.cell = -1;  // the cell is the new owner's now
        Unmake(gone);
    }
    return cell;
}

void CThumbCache::Unmake(ThumbEntry& entry) {
    if (entry.cell >= 0) cells_.Free(entry.cell);
    entry.cell = -1;
    entry.made = 0;
    entry.thumbWidth = 0;
    entry.thumbHeight = 0;
}

int CThumbCache::GetClass(long index) const {
    if (index < 0 || index >= GetCount()) return -1;
    const ThumbEntry& e = entries_[static_cast<size_t>(index)];
    return (e.mediaClass >= kPicture && e.mediaClass <= kAudio) ? e.mediaClass : MediaClassOfName(e.name);
}

int CThumbCache::GetPath(long index, std::wstring& path) const {
    if (index < 0 || index >= GetCount()) return 0;
    path = JoinFolderName(folder_, entries_[static_cast<size_t>(index)].name);
    return path.empty() ? 0 : 1;
}

int CThumbCache::MakeThumb(long index) {
    if (index < 0 || index >= GetCount()) return 0;
    ThumbEntry& entry = entries_[static_cast<size_t>(index)];
    ForgetStaleVerdict(entry);
    if (entry.HasThumb()) {
        cells_.Touch(entry.cell);
        return 1;
    }
    switch (GetClass(index)) {
    case kPicture: return MakePictureThumb(index, entry) ? 1 : 0;
    case kVideo: return StartVideoJob(entry) ? 1 : 0;
    case kAudio: return audio_.Exists() && PutAudioPicture(index, entry) ? 1 : 0;
    default: return 0;
    }
}

int CThumbCache::GetThumb(long index, int* width, int* height, HDC target) {
    if (!target || MakeThumb(index) == 0) return 0;
    const ThumbEntry& entry = entries_[static_cast<size_t>(index)];
    // A video whose worker has not answered yet has no size.
    if (!entry.HasThumb()) return 0;
    if (!cells_.CopyOut(entry.cell, entry.thumbWidth, entry.thumbHeight, target)) return 0;
    if (width) *width = entry.thumbWidth;
    if (height) *height = entry.thumbHeight;
    return 1;
}

bool CThumbCache::MakePictureThumb(long index, ThumbEntry& entry) {
    const std::wstring path = JoinFolderName(folder_, entry.name);
    if (path.empty()) return false;
    // A file that failed as it stands is not read again at every paint.
    if (verdicts_.count(entry.name)) return false;
    std::unique_ptr<Gdiplus::Bitmap> picture;
    // A picture still being written may fail once; a second try follows.
    for (int attempt = 0; attempt < 2 && !picture; ++attempt) {
        std::vector<uint8_t> bytes;
        if (ReadWholeFile(path, bytes, kMaxPictureBytes)) picture = ui::DecodeSkinImage(bytes.data(), bytes.size());
    }
    const int width = picture ? static_cast<int>(picture->GetWidth()) : 0;
    const int height = picture ? static_cast<int>(picture->GetHeight()) : 0;
    const std::optional<ThumbSize> fit = FitThumb(width, height);
    if (!fit) {
        RememberVerdict(entry, false);
        return false;
    }
    entry.cell = CellFor(index);
    if (entry.cell < 0) return false;
    if (!cells_.Draw(entry.cell, *picture, fit->width, fit->height)) {
        Unmake(entry);
        return false;
    }
    entry.sourceWidth = width;
    entry.sourceHeight = height;
    entry.thumbWidth = fit->width;
    entry.thumbHeight = fit->height;
    entry.made = 1;
    return true;
}

bool CThumbCache::StartVideoJob(const ThumbEntry& entry) {
    if (!board_ || board_->closed.load()) return false;
    // One worker per file at a time: repaints while it waits for its turn
    // would otherwise queue a worker per paint.
    if (pendingVideos_.count(entry.name)) return true;
    if (!holdsSnapFrame_) {
        if (!CSnapFrameModule::Acquire()) return false;
        holdsSnapFrame_ = true;
    }
    const std::wstring path = JoinFolderName(folder_, entry.name);
    if (path.empty() || !StartVideoThumbJob(board_, path, entry.name)) return false;
    pendingVideos_.insert(entry.name);
    return true;
}

bool CThumbCache::PutAudioPicture(long index, ThumbEntry& entry) {
    if (entry.cell < 0) entry.cell = CellFor(index);
    if (entry.cell < 0) return false;
    cells_.CopyFrom(entry.cell, audio_, 0);
    entry.thumbWidth = 100;
    entry.thumbHeight = 75;
    entry.made = 1;
    return true;
}

void CThumbCache::AcceptVideoResult(const VideoThumbResult& result) {
    pendingVideos_.erase(result.name);
    if (!result.drawn || !open_ || board_->closed.load()) return;
    // The list may have been rebuilt since the worker started.
    const long index = FindByName(entries_, result.name);
    if (index < 0) return;
    ThumbEntry& entry = entries_[static_cast<size_t>(index)];
    if (entry.HasThumb()) return;
    if (result.found && result.pixels.size() == static_cast<size_t>(CThumbStrip::kStride) * 75) {
        if (entry.cell < 0) entry.cell = CellFor(index);
        if (entry.cell < 0) return;
        cells_.Put(entry.cell, result.pixels.data());
        entry.thumbWidth = 100;
        entry.thumbHeight = 75;
        entry.made = 1;
        SendMessageW(owner_, WM_THUMBNAIL_READY, 0, index);
    } else if (!result.found && audio_.Exists()) {
        // No video stream: the file is a sound recording in a video's name.
        if (!PutAudioPicture(index, entry)) return;
        entry.mediaClass = kAudio;
        RememberVerdict(entry, true);
        PostMessageW(owner_, WM_BROWSE_REFRESH, 0, 0);
    }
}

void CThumbCache::RememberVerdict(const ThumbEntry& entry, bool noVideo) {
    Verdict verdict;
    verdict.noVideo = noVideo;
    if (ReadFileStamp(JoinFolderName(folder_, entry.name), verdict.stamp)) verdicts_[entry.name] = verdict;
}

void CThumbCache::ForgetStaleVerdict(ThumbEntry& entry) {
    const auto it = verdicts_.find(entry.name);
    if (it == verdicts_.end()) return;
    FileStamp now;
    if (ReadFileStamp(JoinFolderName(folder_, entry.name), now) && now == it->second.stamp) return;
    if (it->second.noVideo) {
        // Changed since the grabber found no video in it (a recording that
        // was still being written): a video again, to be asked anew.
        Unmake(entry);
        entry.mediaClass = MediaClassOfName(entry.name);
    }
    verdicts_.erase(it);
}

void CThumbCache::WaitForVideoJobs(DWORD timeoutMs) {
    // Workers send their results; while waiting, take those sends so a
    // worker blocked in SendMessage can finish.
    const DWORD start = GetTickCount();
    while (board_ && board_->running.load() > 0 && GetTickCount() - start < timeoutMs) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
    }
}

int CThumbCache::Close() {
    if (!open_) return 0;
    watch_.Stop();
    if (board_) board_->closed.store(true);
    // A worker inside SnapFrame finishes its call; one waiting for its
    // turn gives up within its own wait. Past this, results are dropped.
    WaitForVideoJobs(kVideoTurnWaitMs + 5000);
    Save();
    receiver_.reset();
    pendingVideos_.clear();
    verdicts_.clear();
    entries_.clear();
    cells_.Clear();
    if (listing_) listing_->Take();
    fromIndex_ = false;
    audio_.Release();
    if (holdsSnapFrame_) {
        CSnapFrameModule::Release();
        holdsSnapFrame_ = false;
    }
    open_ = false;
    return 1;
}

}  // namespace vimbrel::browser
