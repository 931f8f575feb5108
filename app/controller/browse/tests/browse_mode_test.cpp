// Browse mode on Windows: the real canvas, the message box answered by a
// script, the progress thread, and playback through the fake camera.dll.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "CBrowseControl.h"
#include "CBrowseMode.h"
#include "CCanvasBrowsePort.h"
#include "CDialogDismisser.h"
#include "CProgressThread.h"
#include "CSaveModifiedBox.h"
#include "CanvasTestSupport.h"
#include "EngineLibraryHelpers.h"
#include "EngineTestDoubles.h"
#include "ControllerTestRig.h"

namespace vimbrel::controller::test {
namespace {

// The controller side, safe to call from the progress thread.
class CLockedHost final : public IBrowseHost {
public:
    bool IsStarted() const override { return true; }
    int ModeId() const override { return 4; }
    const EngineApi* LoadedEngine() const override { return api; }
    ControllerWindow CanvasWindow() const override { return nullptr; }
    int EnablePanelButton(int, std::uint32_t, int) override { return Add("Enable"); }
    int SetPanelToggle(int, std::uint32_t, int state) override { return Add("Toggle(" + std::to_string(state) + ")"); }
    int NotifySliderListeners(int, std::intptr_t, std::intptr_t) override { return Add("Slider"); }
    int SetOverlayTime(int seconds) override { return Add("OverlayTime(" + std::to_string(seconds) + ")"); }
    int RefreshOverlay() override { return Add("RefreshOverlay"); }
    std::vector<std::string> Calls() const {
        std::lock_guard<std::mutex> hold(lock_);
        return calls_;
    }
    const EngineApi* api = nullptr;

private:
    int Add(std::string call) {
        std::lock_guard<std::mutex> hold(lock_);
        calls_.push_back(std::move(call));
        return 1;
    }
    mutable std::mutex lock_;
    std::vector<std::string> calls_;
};

class CNoTabs final : public IBrowseTabsPort {
public:
    bool GetCurrentFile(std::u16string*, int*) override { return false; }
    bool Navigate(int) override { return false; }
};

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    for (const auto& line : lines)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

class BrowseModeTest : public canvastest::CanvasWindowTest {
protected:
    void SetUp() override {
        CanvasWindowTest::SetUp();
        canvasPort.SetCanvas(canvas_.get());
        prompt.SetOwner(owner_);
    }
    void TearDown() override {
        progress.Stop();
        if (boundEngine) FreeEngine(engine);
        CanvasWindowTest::TearDown();
    }
    // The fake camera.dll from its own folder below the tests.
    CFakeLibrary BindFakeEngine() {
        EXPECT_EQ(BindEngine(engine, TestProgramFolder() + L"\\fakeengine"), 1);
        boundEngine = true;
        host.api = &engine.Api();
        return CFakeLibrary(EngineModule(engine));
    }
    CRecordingCallbacks callbacks;
    CLatin1CodePage codePage;
    CEngineBinding engine{callbacks, codePage};
    bool boundEngine = false;
    CLockedHost host;
    CNoTabs tabs;
    CCanvasBrowsePort canvasPort;
    CSaveModifiedBox prompt;
    CProgressThread progress;
    CBrowseControl browse{BrowsePorts{host, tabs, canvasPort, prompt, progress, u"C:\\Prog"}};
};

TEST_F(BrowseModeTest, AVideoPlaysThroughTheEngineAndTheWorkerEndsIt) {
    CFakeLibrary fake = BindFakeEngine();
    ASSERT_TRUE(fake.Usable());
    ASSERT_TRUE(fake.Script("video_devices=Cam;audio_devices=Mic"));
    fake.ClearLog();

    ASSERT_EQ(browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    // The fake's file lasts 0 s and its time reads 0: the worker reports
    // the end on its own thread and ends. That is waited for, not a guess
    // at how long a loaded machine takes to run it: a stop before it
    // reported would leave the keys to the stopper.
    for (int i = 0; i < 6000 && progress.IsRunning(); ++i) Sleep(10);
    ASSERT_FALSE(progress.IsRunning()) << "the worker did not end by itself within a minute";
    progress.Stop();
    EXPECT_EQ(browse.PlayStateNow(), kPlayStopped);
    EXPECT_EQ(progress.TerminatedCount(), 0);

    std::vector<std::string> log = fake.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().rfind("PlayFile(", 0), 0u) << log.front();
    EXPECT_TRUE(Contains(log, "clip.wmv")) << log.front();
    EXPECT_TRUE(Contains(log, ",385,288)")) << log.front();
    EXPECT_TRUE(Contains(log, "GetCurrentPlaybackTime"));
    std::vector<std::string> calls = host.Calls();
    EXPECT_TRUE(Contains(calls, "Toggle(1)"));
    std::string lastToggle;
    for (const auto& call : calls)
        if (call.rfind("Toggle", 0) == 0) lastToggle = call;
    EXPECT_EQ(lastToggle, "Toggle(0)");
    EXPECT_TRUE(Contains(calls, "OverlayTime(0)"));

    fake.ClearLog();
    EXPECT_EQ(browse.SetPlaybackPosition(30), 1);
    EXPECT_EQ(browse.SetPlaybackPosition(130), 0);
    EXPECT_EQ(browse.StopPlayback(), 1);
    log = fake.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("SetPlaybackPosition(30", 0), 0u) << log[0];
    EXPECT_EQ(log[1], "StopPlayback()");
}

TEST_F(BrowseModeTest, AnsweredYesSavesTheEditAsACopyAndKeepsTheOriginal) {
    std::wstring original = canvastest::WritePng(scratch_, L"a.png", 64, 48, 0xFFFF0000);
    ASSERT_EQ(browse.ShowMediaFile(U16(original).c_str(), kClassPicture), 1);
    browse.ApplyPhotoEffect(13);  // the photo list's sepia, effect 12
    ASSERT_EQ(browse.IsPhotoModified(), 1);

    testbench::CDialogDismisser dismisser(IDYES);
    EXPECT_EQ(browse.QuerySaveModified(), kAnswerSaved);
    ASSERT_EQ(dismisser.Dismissed().size(), 1u);
    EXPECT_EQ(dismisser.Dismissed()[0].caption, L"Vim Brel");
    EXPECT_NE(GetFileAttributesW(scratch_.Path(L"a_2.png").c_str()), INVALID_FILE_ATTRIBUTES);
    // The original is still plain red; the copy is not.
    canvastest::SavedPicture kept = canvastest::ReadBack(original);
    EXPECT_EQ(kept.width, 64);
    EXPECT_EQ(kept.At(32, 24), canvastest::kRed);
    canvastest::SavedPicture copy = canvastest::ReadBack(scratch_.Path(L"a_2.png"));
    EXPECT_EQ(copy.width, 64);
    EXPECT_NE(copy.At(32, 24), canvastest::kRed);
    EXPECT_EQ(browse.IsPhotoModified(), 0);
}

TEST_F(BrowseModeTest, NoAndCancelAreTheBoxsOtherAnswers) {
    testbench::CDialogDismisser dismisser(IDNO);
    EXPECT_EQ(prompt.Ask(), SaveAnswer::No);
    dismisser.SetButton(IDCANCEL);
    EXPECT_EQ(prompt.Ask(), SaveAnswer::Cancel);
    ASSERT_EQ(dismisser.Dismissed().size(), 2u);
    EXPECT_NE(dismisser.Dismissed()[0].text.find(CSaveModifiedBox::QuestionText()), std::wstring::npos);
}

TEST_F(BrowseModeTest, TheFirstFrameSurfaceIsARealPictureShownOnTheCanvas) {
    std::unique_ptr<IFrameSurface> surface = canvasPort.OpenFrameSurface(385, 288);
    ASSERT_TRUE(surface);
    ASSERT_NE(*surface->Dc(), nullptr);
    // Drawn black by "the engine", then shown.
    RECT all{0, 0, 385, 288};
    FillRect(*surface->Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(surface->ShowOnCanvas());
    EXPECT_FALSE(canvas_->Editable());
    canvasPort.SetCanvas(nullptr);
    EXPECT_FALSE(canvasPort.OpenFrameSurface(385, 288));
}

TEST(BrowseModeAttach, TheControllerCallsItUntilItGoes) {
    CameraControllerRig rig;
    ASSERT_EQ(rig.StartUp(), 1);
    {
        CBrowseMode browseMode(rig.controller, u"C:\\Prog");
        browseMode.Attach();
        // Outside browse mode the file is remembered and the call succeeds.
        EXPECT_EQ(rig.controller.ShowBrowseFile(u"C:\\I\\a.jpg", kClassPicture), 1);
        EXPECT_EQ(browseMode.Control().BrowseFile(), u"C:\\I\\a.jpg");
        // No canvas handed over yet: nothing is edited, so nothing is asked.
        EXPECT_EQ(browseMode.Control().QuerySaveModified(), kAnswerContinue);
    }
    // Gone: the controller's calls are refused instead of reaching it.
    EXPECT_EQ(rig.controller.ShowBrowseFile(u"C:\\I\\a.jpg", kClassPicture), 0);
}

// A window whose messages are sent from the worker: the stop must handle
// them while it waits, or the two threads would wait for each other.
std::atomic<int> g_sentMessages{0};
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_APP + 7) {
        ++g_sentMessages;
        return 1;
    }
    return DefWindowProcW(window, message, w, l);
}

TEST(ProgressThread, StopsAWorkerThatSendsToTheStoppingThread) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BrowseProgressTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"BrowseProgressTestWindow", L"", 0, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);

    CProgressThread worker(5000);
    std::atomic<bool> started{false};
    ASSERT_TRUE(worker.Start([&](IProgressContext& context) {
        started = true;
        do {
            SendMessageW(window, WM_APP + 7, 0, 0);
        } while (context.Sleep(1));
    }));
    while (!started) Sleep(1);
    Sleep(20);  // the worker is now inside a sleep or a send
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.TerminatedCount(), 0);  // it ended by itself
    EXPECT_GE(g_sentMessages.load(), 1);

    // A long sleep is cut short by the stop.
    std::atomic<int> slept{-1};
    ASSERT_TRUE(worker.Start([&](IProgressContext& context) { slept = context.Sleep(60000) ? 1 : 0; }));
    Sleep(20);
    worker.Stop();
    EXPECT_EQ(slept.load(), 0);
    EXPECT_EQ(worker.TerminatedCount(), 0);
    DestroyWindow(window);
}

// A worker that never answers is terminated as the last resort; what it
// runs must not be freed under it, nor may the stop return before the
// thread is gone.
TEST(ProgressThread, AWorkerThatNeverAnswersKeepsWhatItRuns) {
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const auto token = std::make_shared<int>(0);
    {
        CProgressThread worker(100);
        ASSERT_TRUE(worker.Start([token, never](IProgressContext&) { WaitForSingleObject(never, INFINITE); }));
        Sleep(20);
        worker.Stop();
        EXPECT_EQ(worker.TerminatedCount(), 1);
        EXPECT_FALSE(worker.IsRunning());
    }
    EXPECT_EQ(token.use_count(), 2);  // the terminated thread's body is left alone
    CloseHandle(never);
}

}  // namespace
}  // namespace vimbrel::controller::test
