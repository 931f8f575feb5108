#include "SlideShowWorker.h"

#include "FilmStrip.h"
#include "PlayMode.h"
#include "PlayerEvent.h"
#include "PlayerFlags.h"
#include "PlayerMessages.h"
#include "PlayerRules.h"
#include "ScreenBuffers.h"
#include "WindowSlideStage.h"

#include "CallGuard.h"
#include "winowners/ThreadOwners.h"

namespace slideshow {

namespace {

constexpr DWORD kShowAnimationMs = 200;

void PlayOnce() {
    const int mode = SharedPlayMode();
    if (mode == kPlayFilmStrip) {
        FilmStrip();
    } else if (IsTransitionMode(mode)) {
        PlaySlides(mode, static_cast<int>(SlideIntervalFor(mode)));
    }
}

// A turn that threw (a picture that found no memory, say) is dropped: the
// cursor has moved past it. The wait keeps a turn that throws every time
// from spinning, and still answers a stop at once.
void PlayGuarded(void (*play)(), HANDLE event) {
    const bool played = boundary::GuardedValue(false, [play] {
        play();
        return true;
    });
    if (played) return;
    OutputDebugStringA("slide show turn dropped: it threw\n");
    WaitForPlayerEvent(event, kPausedWaitMs);
}

void RunShow(const WorkerWindows& windows) {
    PlayerFlags& flags = SharedPlayerFlags();
    HANDLE event = SharedPlayerEvent();
    Sleep(windows.initialSleepMs);

    if (CreateScreenBuffers(windows.player)) {
        flags.workerRunning = true;
        SetWindowPos(windows.player, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     SWP_SHOWWINDOW);
        AnimateWindow(windows.player, kShowAnimationMs, AW_BLEND);
        if (windows.bar) AnimateWindow(windows.bar, kShowAnimationMs, AW_BLEND);

        for (;;) {
            const WorkerStep step = NextWorkerStep(SharedPlayMode(), flags.paused, flags.navigated);
            if (step == WorkerStep::Leave) break;
            if (step == WorkerStep::WaitWhilePaused) {
                WaitForPlayerEvent(event, kPausedWaitMs);
                continue;
            }
            if (step == WorkerStep::WaitAfterNavigation) {
                if (WaitForPlayerEvent(event, kNavigationHoldMs)) {
                    // Another navigation (or a stop): hold again from the top.
                    if (event) ResetEvent(event);
                    continue;
                }
                flags.navigated = false;
                if (event) ResetEvent(event);
            }
            PlayGuarded(windows.play ? windows.play : &PlayOnce, event);
            if (event) ResetEvent(event);
        }
    }
}

}  // namespace

DWORD WINAPI SlideShowThreadProc(LPVOID parameter) {
    const WorkerWindows windows = *static_cast<const WorkerWindows*>(parameter);
    // An exception leaving a thread ends the program; here it ends the show.
    boundary::GuardedValue(0, [&] {
        RunShow(windows);
        return 0;
    });
    PostMessageW(windows.player, WM_PLAYER_REFRESH, 0, 0);
    return 0;
}

CWorkerThread::~CWorkerThread() { Join(10000); }

bool CWorkerThread::Start(HWND player, HWND bar, DWORD initialSleepMs) {
    if (thread_) return false;
    windows_ = WorkerWindows{player, bar, initialSleepMs};
    thread_.reset(CreateThread(nullptr, 0, &SlideShowThreadProc, &windows_, 0, nullptr));
    return static_cast<bool>(thread_);
}

bool CWorkerThread::Running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }

bool CWorkerThread::Join(DWORD timeoutMs) {
    if (!thread_) return true;
    // The worker shows windows of this thread, so the wait serves what it
    // sends. One stuck in the platform past every wait of its own must
    // still not outlive the list and buffers it draws with.
    const bool terminated = winowners::StopThread(thread_.get(),
                                                  {timeoutMs, winowners::ThreadWait::AnsweringSentMessages, 1000});
    thread_.reset();
    return !terminated;
}

}  // namespace slideshow
