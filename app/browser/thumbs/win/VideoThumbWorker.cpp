#include "VideoThumbWorker.h"

#include "CacheFiles.h"
#include "ThumbStrip.h"
#include "winowners/ComOwners.h"
#include "winowners/GdiOwners.h"
#include "winowners/KernelOwners.h"

#include <oleauto.h>

#include <cstring>
#include <mutex>

namespace vimbrel::browser {
namespace {

using SnapFrameFn = int(__cdecl*)(BSTR, HDC*, long, long, int*);

// Process-wide state of the workers, behind one lock.
struct SharedState {
    std::mutex lock;
    winowners::UniqueModule module;
    SnapFrameFn snapFrame = nullptr;
    long holders = 0;
    HANDLE turn = nullptr;  // the named event, kept for the process
};

SharedState& Shared() {
    // Never destroyed: workers may still run when the process ends, and
    // the module is not unloaded at exit.
    static SharedState& state = *new SharedState;
    return state;
}

HANDLE TurnEvent() {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    if (!s.turn) s.turn = CreateEventW(nullptr, TRUE, TRUE, L"Zavu SnapFrame Thread Event");
    return s.turn;
}

// Waiting for the event and resetting it are two steps: two workers woken
// by one signal would both run. The reset is taken under the lock, and a
// worker that finds the event reset again goes back to waiting for the
// rest of its time.
bool TakeTurn(HANDLE turn, const VideoJobBoard& board) {
    SharedState& s = Shared();
    const DWORD start = GetTickCount();
    for (;;) {
        // In slices, so a closing cache does not wait for a worker that is
        // only queuing for its turn.
        if (board.closed.load()) return false;
        const DWORD spent = GetTickCount() - start;
        if (spent >= kVideoTurnWaitMs) return false;
        const DWORD slice = kVideoTurnWaitMs - spent < 100 ? kVideoTurnWaitMs - spent : 100;
        if (WaitForSingleObject(turn, slice) != WAIT_OBJECT_0) continue;
        std::lock_guard<std::mutex> hold(s.lock);
        if (WaitForSingleObject(turn, 0) == WAIT_OBJECT_0) {
            ResetEvent(turn);
            return true;
        }
    }
}

struct VideoThumbJob {
    std::shared_ptr<VideoJobBoard> board;
    std::wstring path;
    std::u16string name;
};

// A 100 x 75 24-bit top-down bitmap in a memory DC, for SnapFrame to draw on.
bool SnapInto(SnapFrameFn snapFrame, const std::wstring& path, VideoThumbResult& result) {
    winowners::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    void* bits = nullptr;
    winowners::UniqueBitmap bitmap(CreateStripDib(dc.get(), 75, &bits));
    if (!bitmap || !bits) return false;
    memset(bits, 0xFF, 300 * 75);
    winowners::UniqueSelection select(dc.get(), bitmap.get());
    winowners::UniqueBstr name(SysAllocString(path.c_str()));
    if (!name) return false;
    HDC target = dc.get();
    int found = 0;
    const int ok = snapFrame(name.get(), &target, 100, 75, &found);
    name.reset();
    if (!ok) return false;
    GdiFlush();
    result.drawn = true;
    result.found = found == 1;
    if (result.found) {
        const auto* p = static_cast<const uint8_t*>(bits);
        result.pixels.assign(p, p + 300 * 75);
    }
    return true;
}

void RunJob(VideoThumbJob& job) {
    VideoThumbResult result;
    result.name = job.name;
    HANDLE turn = TurnEvent();
    if (turn && TakeTurn(turn, *job.board)) {
        SnapFrameFn snapFrame = nullptr;
        {
            std::lock_guard<std::mutex> hold(Shared().lock);
            snapFrame = Shared().snapFrame;
        }
        if (snapFrame && !job.board->closed.load()) SnapInto(snapFrame, job.path, result);
        SetEvent(turn);
    }
    // Told on every path, a time-out in the queue included: the cache
    // stops counting this file as pending, so a later draw starts anew.
    if (!job.board->closed.load()) {
        SendMessageW(job.board->receiver, WM_VIDEO_THUMB_RESULT, 0, reinterpret_cast<LPARAM>(&result));
    }
}

DWORD WINAPI VideoThumbnailThread(void* context) {
    std::unique_ptr<VideoThumbJob> job(static_cast<VideoThumbJob*>(context));
    RunJob(*job);
    job->board->running.fetch_sub(1);
    job.reset();
    CSnapFrameModule::Release();
    return 0;
}

}  // namespace

bool CSnapFrameModule::Acquire() {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    if (!s.module) {
        const std::wstring folder = ProgramFolder();
        if (folder.empty()) return false;
        const std::wstring path = folder + L"\\snapframe.dll";
        s.module.reset(LoadLibraryW(path.c_str()));
        if (!s.module) return false;
        s.snapFrame = reinterpret_cast<SnapFrameFn>(
            reinterpret_cast<void*>(GetProcAddress(s.module.get(), "SnapFrame")));
    }
    ++s.holders;
    return true;
}

void CSnapFrameModule::Release() {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    if (s.holders > 0 && --s.holders == 0 && s.module) {
        s.module.reset();
        s.snapFrame = nullptr;
    }
}

bool CSnapFrameModule::Loaded() {
    std::lock_guard<std::mutex> hold(Shared().lock);
    return static_cast<bool>(Shared().module);
}

bool StartVideoThumbJob(const std::shared_ptr<VideoJobBoard>& board, const std::wstring& path,
                        const std::u16string& name) {
    if (!board || path.empty() || board->closed.load()) return false;
    if (!CSnapFrameModule::Acquire()) return false;
    auto job = std::make_unique<VideoThumbJob>();
    job->board = board;
    job->path = path;
    job->name = name;
    board->running.fetch_add(1);
    // The thread runs on by itself; its handle is not needed.
    const winowners::UniqueHandle thread(CreateThread(nullptr, 0, &VideoThumbnailThread, job.get(), 0, nullptr));
    if (!thread) {
        board->running.fetch_sub(1);
        CSnapFrameModule::Release();
        return false;
    }
    job.release();  // the thread owns it now
    return true;
}

}  // namespace vimbrel::browser
