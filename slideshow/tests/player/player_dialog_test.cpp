// The player dialog in real windows under the test's own modal loop: keys
// and bar commands navigate, pause and switch the effect, the buttons
// follow the cursor, Esc ends the player; an empty folder gives the
// message; the worker starts and stops many times without a thread left.
#include "CPlayerDialog.h"

#include "BarButtons.h"
#include "CDialogDismisser.h"
#include "DrawingSupport.h"
#include "MessagePump.h"
#include "PlayMode.h"
#include "PlayerFlags.h"
#include "PlayerMessages.h"
#include "PlayerScript.h"
#include "ScreenBuffers.h"
#include "SlideList.h"
#include "SlideShowWorker.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <atomic>
#include <new>

using namespace slideshow;
using namespace slidetest;
using playertest::CPlayerScript;
using playertest::WindowPixel;

namespace {


// Sorted newest first: red, green, blue.
void WritePictures(const CScratchFolder& folder) {
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"image200601010001.bmp"), 640, 480, kRed));
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"image200512310009.bmp"), 320, 240, kGreen));
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"image200512300001.bmp"), 1280, 960, kBlue));
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

class PlayerDialog : public ::testing::Test {
protected:
    PlayerDialog() : folder(L"vimbrel-player-dialog") {}
    void SetUp() override {
        WritePictures(folder);
        player = std::make_unique<CPlayerDialog>(folder.Path());
    }
    // Runs the dialog with the script; the result of DoModal.
    INT_PTR Run() {
        script.Start([this] { return player ? player->Handle() : nullptr; });
        const INT_PTR result = player->DoModal();
        script.Stop();
        EXPECT_FALSE(script.TimedOut());
        EXPECT_TRUE(script.Done());
        return result;
    }
    bool Playing() const {
        return player->Handle() && SharedPlayerFlags().workerRunning && IsWindowVisible(player->Handle());
    }
    void Key(WPARAM key) { SendMessageW(player->Handle(), WM_KEYDOWN, key, 0); }
    void Command(WPARAM command) { SendMessageW(player->Handle(), WM_PLAYER_COMMAND, command, 0); }
    unsigned Centre() const { return WindowPixel(player->Handle(), 512, 384); }
    bool Enabled(std::uint32_t key) { return player->ControlBar().ButtonEnabled(key); }

    CScratchFolder folder;
    std::unique_ptr<CPlayerDialog> player;
    CPlayerScript script;
};

}  // namespace

TEST_F(PlayerDialog, KeysNavigateAndTheButtonsFollowTheCursor) {
    unsigned home = 0, edgeAtHome = 0, next = 0, besideNext = 0, end = 0, edgeAtEnd = 0, back = 0;
    bool firstAtHome = true, nextAtHome = false, firstAtEnd = false, nextAtEnd = true;
    bool navigated = false, paused = false;
    int toggleWhilePaused = 0, toggleAfter = 0;
    LONG_PTR style = 0;
    RECT rect{};
    script.When([this] { return Playing(); },
                [&] {
                    style = GetWindowLongPtrW(player->Handle(), GWL_STYLE);
                    GetWindowRect(player->Handle(), &rect);
                    // Pause first, so the worker only waits while the keys navigate.
                    Command(4);
                    paused = SharedPlayerFlags().paused;
                    toggleWhilePaused = player->ControlBar().ButtonState(kBarPlayPauseKey);
                });
    script.After(100, [&] {
        Key(VK_HOME);
        navigated = SharedPlayerFlags().navigated;
    });
    script.After(100, [&] {
        home = Centre();
        edgeAtHome = WindowPixel(player->Handle(), 150, 384);
        firstAtHome = Enabled(kBarFirstKey) || Enabled(kBarPreviousKey);
        nextAtHome = Enabled(kBarNextKey) && Enabled(kBarLastKey);
        Key(VK_NEXT);
    });
    script.After(100, [&] {
        next = Centre();
        besideNext = WindowPixel(player->Handle(), 340, 384);
        Key(VK_END);
    });
    script.After(100, [&] {
        end = Centre();
        edgeAtEnd = WindowPixel(player->Handle(), 5, 384);
        firstAtEnd = Enabled(kBarFirstKey) && Enabled(kBarPreviousKey);
        nextAtEnd = Enabled(kBarNextKey) || Enabled(kBarLastKey);
        Key(VK_PRIOR);
    });
    script.After(100, [&] {
        back = Centre();
        Command(4);  // play again
        toggleAfter = player->ControlBar().ButtonState(kBarPlayPauseKey);
    });
    script.After(50, [&] { Key(VK_ESCAPE); });

    EXPECT_EQ(IDCANCEL, Run());
    // Spread over the whole screen without caption or frame.
    EXPECT_EQ(0, style & WS_CAPTION);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_TRUE(paused);
    EXPECT_EQ(1, toggleWhilePaused);
    EXPECT_TRUE(navigated);
    // Home: red 640 x 480 unscaled at (192, 144); no previous picture.
    EXPECT_EQ(kRed, home);
    EXPECT_EQ(0u, edgeAtHome);
    EXPECT_FALSE(firstAtHome);
    EXPECT_TRUE(nextAtHome);
    // PageDown: green 320 x 240 at (352, 264).
    EXPECT_EQ(kGreen, next);
    EXPECT_EQ(0u, besideNext);
    // End: blue 1280 x 960 scaled to the whole 4:3 screen.
    EXPECT_EQ(kBlue, end);
    EXPECT_EQ(kBlue, edgeAtEnd);
    EXPECT_TRUE(firstAtEnd);
    EXPECT_FALSE(nextAtEnd);
    EXPECT_EQ(kGreen, back);
    EXPECT_EQ(2, toggleAfter);
    // Esc stopped the show and let the list go.
    EXPECT_EQ(kPlayStop, SharedPlayMode().load());
    EXPECT_EQ(0, SharedSlideList().Count());
    EXPECT_EQ(nullptr, player->Worker().Handle());
}

TEST_F(PlayerDialog, SwitchEffectAlternatesAndPauseInTheStripShowsThePreviousPicture) {
    int modeAfterSwitch = 0, modeAfterSecond = 0;
    unsigned shown = 0, corner = 0;
    script.When([this] { return Playing(); },
                [&] {
                    Command(5);
                    modeAfterSwitch = SharedPlayMode();
                });
    // The strip starts: the cursor moves on from red to green.
    script.After(900, [&] { Command(4); });
    script.After(150, [&] {
        // Paused in the strip: red, the picture before the cursor, alone.
        shown = Centre();
        corner = WindowPixel(player->Handle(), 100, 100);
        Command(5);
        modeAfterSecond = SharedPlayMode();
        Command(6);  // exit
    });
    EXPECT_EQ(IDCANCEL, Run());
    EXPECT_EQ(kPlayFilmStrip, modeAfterSwitch);
    EXPECT_EQ(kPlayCrossFade, modeAfterSecond);
    EXPECT_EQ(kRed, shown);
    EXPECT_EQ(0u, corner);
}

TEST_F(PlayerDialog, ANavigationHoldsTheShowForThreeSecondsThenItGoesOn) {
    unsigned held = 0, resumed = 0;
    bool navigatedWhileHeld = false, navigatedAfter = true;
    // Home on the first picture, during its cross-fade: the fade ends and
    // the show holds although the picture does not change. Home again while
    // the show holds: the hold starts anew.
    script.When([this] { return Playing(); }, [] {});
    script.After(400, [this] { Key(VK_HOME); });
    script.After(1000, [this] { Key(VK_HOME); });
    script.After(2000, [&] {
        held = Centre();
        navigatedWhileHeld = SharedPlayerFlags().navigated;
    });
    // 3 s after the key the show goes on with the picture after red: green,
    // faded in from black within a second.
    script.After(2600, [&] {
        resumed = Centre();
        navigatedAfter = SharedPlayerFlags().navigated;
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, Run());
    EXPECT_EQ(kRed, held);
    EXPECT_TRUE(navigatedWhileHeld);
    EXPECT_EQ(kGreen, resumed);
    EXPECT_FALSE(navigatedAfter);
}

TEST_F(PlayerDialog, AboutBoxOpensFromTheSystemMenu) {
    std::wstring version;
    bool hasItem = false;
    script.When([this] { return Playing(); },
                [&] {
                    HMENU menu = GetSystemMenu(player->Handle(), FALSE);
                    wchar_t text[64] = {};
                    hasItem = GetMenuStringW(menu, 0x10, text, 64, MF_BYCOMMAND) > 0 &&
                              std::wstring(text) == L"&About Flickwand...";
                    PostMessageW(player->Handle(), WM_SYSCOMMAND, 0x10, 0);
                });
    script.When([] { return FindWindowW(L"#32770", L"About Flickwand") != nullptr; },
                [&] {
                    HWND about = FindWindowW(L"#32770", L"About Flickwand");
                    wchar_t text[64] = {};
                    GetDlgItemTextW(about, 1001, text, 64);
                    version = text;
                    PostMessageW(about, WM_COMMAND, IDOK, 0);
                });
    script.When([] { return FindWindowW(L"#32770", L"About Flickwand") == nullptr; }, [this] { Key(VK_ESCAPE); });
    EXPECT_EQ(IDCANCEL, Run());
    EXPECT_TRUE(hasItem);
    EXPECT_EQ(L"Flickwand Version 1.0", version);
}

TEST_F(PlayerDialog, StartsAndStopsManyTimesWithoutAThreadLeft) {
    const int threadsBefore = ThreadCount();
    for (int round = 0; round < 5; ++round) {
        player = std::make_unique<CPlayerDialog>(folder.Path());
        CPlayerScript rounds;
        // Stop at different points: during the first cross-fade, later on.
        rounds.When([this] { return Playing(); }, [] {});
        rounds.After(static_cast<DWORD>(100 + round * 250), [this] { Key(VK_ESCAPE); });
        rounds.Start([this] { return player ? player->Handle() : nullptr; }, 15000);
        const DWORD start = GetTickCount();
        EXPECT_EQ(IDCANCEL, player->DoModal()) << round;
        rounds.Stop();
        EXPECT_FALSE(rounds.TimedOut()) << round;
        EXPECT_LT(GetTickCount() - start, 8000u) << round;
        EXPECT_EQ(nullptr, player->Worker().Handle()) << round;
        player.reset();
    }
    EXPECT_LE(ThreadCount(), threadsBefore);
}

TEST(PlayerDialogEmpty, NoPictureGivesTheMessageAndEndsTheDialog) {
    CScratchFolder folder(L"vimbrel-player-empty");
    // A subfolder is not a picture.
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));
    testbench::CDialogDismisser dismisser(IDOK);
    CPlayerDialog player(folder.Path());
    EXPECT_EQ(-1, player.DoModal());
    ASSERT_EQ(1u, dismisser.WaitFor(1, 2000));
    const auto boxes = dismisser.Dismissed();
    EXPECT_EQ(L"Vim Brel", boxes[0].caption);
    EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"There is no file."));
    EXPECT_EQ(nullptr, player.Worker().Handle());
}

namespace {

std::atomic<int> turns{0};

// The first turn finds no memory; the second stops the show.
void ThrowOnceThenStop() {
    if (++turns == 1) throw std::bad_alloc();
    SharedPlayMode() = kPlayStop;
}

}  // namespace

TEST(SlideShowWorker, ATurnThatThrowsIsDroppedAndTheShowGoesOnUntilItsStop) {
    HWND player = CreateWindowExW(0, L"STATIC", L"player", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(player);
    SharedPlayerFlags().Reset();
    SharedPlayMode() = kPlayCut;
    WorkerWindows windows;
    windows.player = player;
    windows.play = &ThrowOnceThenStop;
    HANDLE thread = CreateThread(nullptr, 0, &SlideShowThreadProc, &windows, 0, nullptr);
    ASSERT_TRUE(thread);
    // The worker shows the window it was given: serve what it sends. The
    // wait is on the thread's end as well as on messages, so it stays here
    // rather than in the test bench's pump.
    DWORD waited = WAIT_TIMEOUT;
    for (DWORD start = GetTickCount(); waited != WAIT_OBJECT_0 && GetTickCount() - start < 10000;) {
        waited = MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_ALLINPUT);
        testbench::PumpWaiting();
    }
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited);
    EXPECT_EQ(2, turns.load());
    CloseHandle(thread);
    ReleaseScreenBuffers();
    SharedPlayerFlags().Reset();
    DestroyWindow(player);
}
