// Pictures, bursts and the date clock on real threads and windows against
// the fake camera.dll, whose call log shows what reached the engine.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <sstream>
#include <thread>
#include <string>
#include <vector>

#include "CBoardProductQuery.h"
#include "CCaptureSequences.h"
#include "CWindowCaptureFx.h"
#include "CWorkerThreads.h"
#include "MessagePump.h"
#include "SystemSequenceClock.h"

namespace vimbrel::controller {
namespace {

std::wstring TestFolder() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// camera.dll of the fake engine, its exports in an engine table.
class CFakeCameraDll {
public:
    CFakeCameraDll() : module_(LoadLibraryW((TestFolder() + L"\\fakeengine\\camera.dll").c_str())) {
        if (!module_) return;
        BindEngineExports(api,
                          [this](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); });
        log_ = reinterpret_cast<int(__cdecl*)(char*, int)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "FakeEngine_Log")));
        clear_ = reinterpret_cast<void(__cdecl*)()>(
            reinterpret_cast<void*>(GetProcAddress(module_, "FakeEngine_ClearLog")));
    }
    ~CFakeCameraDll() {
        if (module_) FreeLibrary(module_);
    }
    bool Loaded() const { return module_ && log_ && clear_; }
    // The calls whose line begins with one of the names.
    std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
        std::string text(static_cast<std::size_t>(log_(nullptr, 0)), '\0');
        log_(text.data(), static_cast<int>(text.size()));
        std::vector<std::string> calls;
        std::istringstream lines(text.c_str());
        for (std::string line; std::getline(lines, line);)
            for (const char* name : names)
                if (line.rfind(name, 0) == 0) calls.push_back(line);
        return calls;
    }
    void ClearLog() { clear_(); }
    EngineApi api;

private:
    HMODULE module_;
    int(__cdecl* log_)(char*, int) = nullptr;
    void(__cdecl* clear_)() = nullptr;
};

class CTestHost final : public ISequenceHost {
public:
    explicit CTestHost(const EngineApi& api) : api_(api) {}
    int ModeId() const override { return 3; }
    int CaptureState() const override { return 0; }
    const EngineApi* LoadedEngine() const override { return &api_; }
    std::mutex& CaptureLock() override { return lock_; }
    int FlashSetting() const override { return 0; }
    ControllerRect BannerRect() const override { return {0, 0, 180, 40}; }
    int MakeCaptureName(int kind, std::u16string* name) override {
        if (kind != 0) return 0;
        *name = u"C:\\pictures\\shot" + std::u16string(1, static_cast<char16_t>(u'a' + next++)) + u".jpg";
        return 1;
    }
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override {
        return std::string(text.begin(), text.end());
    }
    int EnablePanelButton(int, std::uint32_t, int enable) override {
        enabled += enable;
        return 1;
    }
    int SetPanelToggle(int, std::uint32_t, int) override { return 1; }
    int RefreshOverlay() override { return 1; }
    int SetOverlayIcon(int) override { return 1; }
    int SetOverlayTime(int) override { return 1; }
    int StartRecording(int) override { return 0; }
    std::atomic<int> enabled{0};

private:
    const EngineApi& api_;
    std::mutex lock_;
    int next = 0;
};

class CPanelWithoutDevice final : public IPanelAcpi {
public:
    int Read(std::uint32_t) override { return -1; }
    int Set(std::uint32_t, int) override { return -1; }
};

// The real workers, timing how long each body of a kind runs: a banner that
// played its frames ran for their sleeps, one that could not open returned
// at once.
class CTimedWorkers final : public IWorkerThreads {
public:
    explicit CTimedWorkers(CWorkerThreads& workers) : workers_(workers) {}
    bool Start(WorkerKind kind, WorkerBody body) override {
        return workers_.Start(kind, [this, kind, body = std::move(body)](IWorkerContext& context) {
            const DWORD start = GetTickCount();
            body(context);
            if (kind == WorkerKind::Banner) bannerMs = static_cast<long>(GetTickCount() - start);
        });
    }
    bool IsRunning(WorkerKind kind) const override { return workers_.IsRunning(kind); }
    void Stop(WorkerKind kind) override { workers_.Stop(kind); }
    void Close() override { workers_.Close(); }
    std::atomic<long> bannerMs{-1};

private:
    CWorkerThreads& workers_;
};

// GDI+ for the banner, a main window, and the whole Windows layer.
class SequencesOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr), Gdiplus::Ok);
        ASSERT_TRUE(camera.Loaded());
        main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                               nullptr, nullptr, nullptr);
        ASSERT_NE(main, nullptr);
        CaptureFxSetup setup;
        setup.mainWindow = [this] { return main; };
        setup.programFolder = TestFolder();
        setup.resources = GetModuleHandleW(nullptr);
        setup.boardProduct = [] { return std::u16string(u"Base Board"); };
        fx = std::make_unique<CWindowCaptureFx>(setup, acpi);
        host = std::make_unique<CTestHost>(camera.api);
        sequences = std::make_unique<CCaptureSequences>(*host, *fx, timedWorkers, clock);
        camera.ClearLog();
    }
    void TearDown() override {
        if (sequences) sequences->StopWorkers();
        sequences.reset();
        fx.reset();
        if (main) DestroyWindow(main);
        Gdiplus::GdiplusShutdown(gdiplus_);
    }
    // Pumps this thread's messages (the flash and sound run here) until no
    // worker is left, or the bound passes.
    bool PumpUntilIdle(DWORD boundMs) {
        return testbench::PumpUntil([this] { return workers.LiveCount() == 0; }, boundMs);
    }

    ULONG_PTR gdiplus_ = 0;
    CFakeCameraDll camera;
    HWND main = nullptr;
    CPanelWithoutDevice acpi;
    CWorkerThreads workers{5000};
    CTimedWorkers timedWorkers{workers};
    CSystemSequenceClock clock;
    std::unique_ptr<CWindowCaptureFx> fx;
    std::unique_ptr<CTestHost> host;
    std::unique_ptr<CCaptureSequences> sequences;
};

TEST_F(SequencesOnWindows, PictureFlashesAroundTheEngineCallAndPlaysTheBanner) {
    EXPECT_EQ(sequences->CaptureImage(), 1);
    EXPECT_EQ(camera.Calls({"SetGammaCorrect", "CaptureImage"}),
              (std::vector<std::string>{"SetGammaCorrect(1)", "CaptureImage(\"C:\\pictures\\shota.jpg\")",
                                        "SetGammaCorrect(0)"}));
    EXPECT_FALSE(fx->FlashWindow().IsOn());
    EXPECT_TRUE(IsWindow(fx->FlashWindow().Handle()));
    // The banner's six frames sleep 100 ms each on their own thread; on a
    // loaded machine they may all be over before the capture returns.
    EXPECT_TRUE(PumpUntilIdle(5000));
    EXPECT_GE(timedWorkers.bannerMs.load(), 500) << "the banner did not play its frames";
}

TEST_F(SequencesOnWindows, BurstOnItsThreadTakesThreeNamedPicturesAndGivesTheKeyBack) {
    sequences->StartBurst(3);
    ASSERT_TRUE(PumpUntilIdle(10000));
    EXPECT_EQ(camera.Calls({"CaptureImage"}), (std::vector<std::string>{"CaptureImage(\"C:\\pictures\\shota.jpg\")",
                                                                        "CaptureImage(\"C:\\pictures\\shotb.jpg\")",
                                                                        "CaptureImage(\"C:\\pictures\\shotc.jpg\")"}));
    EXPECT_EQ(host->enabled.load(), 1);
    // The flash window was made on this thread and outlived the burst's.
    EXPECT_TRUE(IsWindow(fx->FlashWindow().Handle()));
    EXPECT_EQ(GetWindowThreadProcessId(fx->FlashWindow().Handle(), nullptr), GetCurrentThreadId());
}

TEST_F(SequencesOnWindows, WorkersStartedAndStoppedManyTimesLeaveNothingBehind) {
    for (int round = 0; round < 10; ++round) {
        sequences->StartImageTimer(10 + 4 * 65536);
        sequences->StartBurst(15);
        EXPECT_EQ(sequences->UpdateDateOverlay(round % 3), 1);
        sequences->StartImageTimer(10 + 4 * 65536);
    }
    EXPECT_TRUE(workers.IsRunning(WorkerKind::DateClock));
    const DWORD start = GetTickCount();
    sequences->StopWorkers();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(workers.LiveCount(), 0u);
    EXPECT_EQ(workers.TerminatedCount(), 0);
}

TEST_F(SequencesOnWindows, DateClockRunsUntilTheOverlayIsSwitchedOff) {
    ASSERT_EQ(sequences->UpdateDateOverlay(1), 1);
    EXPECT_TRUE(workers.IsRunning(WorkerKind::DateClock));
    ASSERT_EQ(sequences->UpdateDateOverlay(3), 1);
    EXPECT_FALSE(workers.IsRunning(WorkerKind::DateClock));
    const auto calls = camera.Calls({"SetText", "EnableText"});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].size(), std::string("SetText(\"MM/DD\")").size());
    EXPECT_EQ(calls[1], "EnableText(1)");
    EXPECT_EQ(calls[2], "EnableText(0)");
}

// The board's name is asked of WMI (each ask for its object waiting no
// time, asked again until it comes), which Wine answers with "Base Board";
// the firmware value some systems keep in the registry is not needed.
TEST(CaptureFxBoard, TheBoardNameComesFromWmiWithoutTheFirmwareRegistryValue) {
    HKEY bios = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\BIOS", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &bios, nullptr),
              ERROR_SUCCESS);
    wchar_t kept[256] = L"";
    DWORD keptBytes = sizeof kept - sizeof(wchar_t);
    const bool hadValue = RegQueryValueExW(bios, L"BaseBoardProduct", nullptr, nullptr, reinterpret_cast<BYTE*>(kept),
                                           &keptBytes) == ERROR_SUCCESS;
    RegDeleteValueW(bios, L"BaseBoardProduct");

    CPanelWithoutDevice acpi;
    CBoardProductQuery board;
    CaptureFxSetup setup;
    setup.boardProduct = [&board] { return board.Product(); };
    CWindowCaptureFx fx(setup, acpi);
    EXPECT_TRUE(fx.BoardProductContains(u"base BOARD"));
    EXPECT_FALSE(fx.BoardProductContains(u"R2Tj"));

    if (hadValue) RegSetValueExW(bios, L"BaseBoardProduct", 0, REG_SZ, reinterpret_cast<const BYTE*>(kept), keptBytes);
    RegCloseKey(bios);
}

// The board's copy first tells the user, in a box that waits for them. A
// burst's worker that showed it would keep a stop (the program closing)
// waiting for the user: the box is the interface thread's.
TEST(CaptureFxBoard, TheCopysNoticeIsShownByTheInterfaceThread) {
    CPanelWithoutDevice acpi;
    CaptureFxSetup setup;
    DWORD noticeThread = 0;
    setup.notify = [&](const std::wstring&) { noticeThread = GetCurrentThreadId(); };
    CWindowCaptureFx fx(setup, acpi);
    std::thread worker([&] { fx.CopyToPicturesFolder(u"C:\\nowhere\\shot.jpg"); });
    worker.join();
    testbench::PumpUntil([&] { return noticeThread != 0; }, 1000);
    EXPECT_EQ(noticeThread, GetCurrentThreadId());
}

}  // namespace
}  // namespace vimbrel::controller
