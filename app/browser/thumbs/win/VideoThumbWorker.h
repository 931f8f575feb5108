// Video thumbnails are made on short-lived worker threads through
// snapframe.dll's SnapFrame. The workers take turns on the process-wide
// named event "Zavu SnapFrame Thread Event", so only one SnapFrame call
// runs at a time over all caches.
//
// A worker never touches its cache: it draws into a bitmap of its own and
// sends the pixels with the entry's name to the cache's receiver window on
// the user-interface thread, which finds the entry again by name. A rescan
// or a close while the worker runs therefore cannot make it write into
// freed entries or a released strip.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vimbrel::browser {

// Sent (wParam 0, lParam VideoThumbResult*) to a cache's receiver window.
constexpr UINT WM_VIDEO_THUMB_RESULT = WM_APP + 0x4DD;

struct VideoThumbResult {
    std::u16string name;
    bool drawn = false;           // SnapFrame ran and gave an answer
    bool found = false;           // the file has a video stream; pixels hold its frame
    std::vector<uint8_t> pixels;  // 100 x 75, 24-bit, top-down, stride 300
};

// What a cache shares with its running workers.
struct VideoJobBoard {
    std::atomic<bool> closed{false};
    std::atomic<long> running{0};
    HWND receiver = nullptr;
};

// Starts one worker for the file folder\name. False when no thread starts
// (the module or its export is missing, the path does not fit).
bool StartVideoThumbJob(const std::shared_ptr<VideoJobBoard>& board, const std::wstring& path,
                        const std::u16string& name);

// The process-wide snapframe module: loaded by the first cache that needs
// it, freed when the last holder (open caches and running workers) lets
// go, so no worker can be inside SnapFrame when it goes.
class CSnapFrameModule {
public:
    static bool Acquire();  // loads it on first use; false when it cannot
    static void Release();
    static bool Loaded();
};

// How long a worker waits for its turn.
constexpr DWORD kVideoTurnWaitMs = 10000;

}  // namespace vimbrel::browser
