// The camera module bound from a CamDev folder under Wine: the real
// lensknob (vendor-interface build) against the simulated camera, the
// rotation poll on its own COM thread, nullknob never bound, and the
// SetupAPI and WMI look-ups answering without a matching device.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "CBoardProductQuery.h"
#include "CCameraModule.h"
#include "CCameraModuleBinding.h"
#include "CWindowsModuleHost.h"
#include "EngineTestDoubles.h"
#include "SimCamera.h"
#include "WindowsPollThread.h"

namespace vimbrel::controller::test {
namespace {

using namespace std::chrono_literals;

constexpr char16_t kSimCamera[] = u"Vimbrel Sim Chip Camera";
constexpr char16_t kSimKey[] = u"VID_0AC8&PID_C302";

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring FromBuild(const char* path) {
    std::string text(path);
    return L"Z:" + std::wstring(text.begin(), text.end());
}

// The real host, with the simulated camera standing for a present USB
// device of model kSimKey (SetupAPI under Wine lists no cameras).
class CSimDeviceHost final : public CWindowsModuleHost {
public:
    using CWindowsModuleHost::CWindowsModuleHost;
    int FindDeviceKey(const char16_t* name, std::u16string& key) const override {
        if (name != nullptr && std::u16string(name) == kSimCamera) {
            key = kSimKey;
            return 1;
        }
        return CWindowsModuleHost::FindDeviceKey(name, key);
    }
};

class CameraModuleWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        SimCameraReset();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"vimbrel-camdev-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        CreateDirectoryW((folder_ + L"\\CamDev").c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(FromBuild(VIMBREL_LENSKNOB_VENDOR).c_str(), (folder_ + L"\\CamDev\\lensknob.dll").c_str(),
                              FALSE));
        ASSERT_TRUE(
            CopyFileW(FromBuild(VIMBREL_NULLKNOB).c_str(), (folder_ + L"\\CamDev\\nullknob.dll").c_str(), FALSE));
        WriteEntry(kSimKey, L"lensknob.dll");
    }
    void TearDown() override {
        for (const wchar_t* file : {L"lensknob.dll", L"nullknob.dll", L"CamDev.ini"})
            DeleteFileW((folder_ + L"\\CamDev\\" + file).c_str());
        RemoveDirectoryW((folder_ + L"\\CamDev").c_str());
        RemoveDirectoryW(folder_.c_str());
        CoUninitialize();
    }
    void WriteEntry(const std::u16string& key, const wchar_t* library) {
        WritePrivateProfileStringW(L"Camera Module", Wide(key).c_str(), library,
                                   (folder_ + L"\\CamDev\\CamDev.ini").c_str());
    }
    std::u16string Folder() const { return std::u16string(folder_.begin(), folder_.end()); }

    std::wstring folder_;
};

TEST_F(CameraModuleWinTest, TheNamedModuleBindsToTheCameraAndReadsItsRotation) {
    CSimDeviceHost host(Folder());
    CCameraModule module(host);
    EXPECT_EQ(module.Bind(kSimCamera), 1);
    ASSERT_TRUE(module.IsBound());
    EXPECT_EQ(module.DeviceKey(), kSimKey);
    int mask = 0, value = -1;
    EXPECT_EQ(module.GetCaps(&mask), 1);
    EXPECT_EQ(mask, 0x10);
    SimCameraSetVendorReply(0, 1, S_OK);
    EXPECT_EQ(module.Get(16, &value), 1);
    EXPECT_EQ(value, 1);
    SimCameraSetVendorReply(0, 0, E_FAIL);
    EXPECT_EQ(module.Get(16, &value), 0);
}

TEST_F(CameraModuleWinTest, AModuleWithFourExportsAndAMissingLibraryBindNothing) {
    CSimDeviceHost host(Folder());
    CCameraModule module(host);
    WriteEntry(kSimKey, L"nullknob.dll");
    EXPECT_EQ(module.Bind(kSimCamera), 1);
    EXPECT_FALSE(module.IsBound());
    WriteEntry(kSimKey, L"absent.dll");
    EXPECT_EQ(module.Bind(kSimCamera), 1);
    EXPECT_FALSE(module.IsBound());
    int mask = -1;
    EXPECT_EQ(module.GetCaps(&mask), 1);
    EXPECT_EQ(mask, 0);
}

TEST_F(CameraModuleWinTest, ThePollOnItsOwnThreadSwitchesTheMirrorWhileTurned) {
    CSimDeviceHost host(Folder());
    CCameraModule module(host);
    ControllerRig rig;
    rig.AttachFake();
    ASSERT_TRUE(fakeengine::Engine().Script("ranges=0:0:255:128"));
    fakeengine::Engine().qualities[0] = 100;
    rig.engine.KeepMirrorMode(1);
    CCameraModuleBinding binding(module, rig.engine, rig.settings, rig.catalog, ComPollThreadHooks());
    ASSERT_EQ(module.Bind(kSimCamera), 1);
    SimCameraSetVendorReply(0, 0, S_OK);
    ASSERT_EQ(binding.BindVideoQuality(), 1);
    EXPECT_TRUE(binding.Poll().IsRunning());

    SimCameraSetVendorReply(0, 1, S_OK);
    bool switched = false;
    for (int i = 0; i < 50 && !switched; ++i) {
        std::this_thread::sleep_for(20ms);
        switched = Contains(rig.EngineLog(), "SetMirrorMode(0)");
    }
    EXPECT_TRUE(switched);  // within the 200 ms period, with room for a slow prefix
    EXPECT_EQ(binding.IsCameraTurned(), 1);
    SimCameraSetVendorReply(0, 0, S_OK);
    bool back = false;
    for (int i = 0; i < 50 && !back; ++i) {
        std::this_thread::sleep_for(20ms);
        back = Contains(rig.EngineLog(), "SetMirrorMode(1)");
    }
    EXPECT_TRUE(back);
    binding.StopRotationPoll();
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);
}

// A module that never returns from its call must not keep a camera change
// or the program's end waiting: the poll is given up after its bound.
TEST_F(CameraModuleWinTest, APollStuckInItsStepIsGivenUpAfterTheBound) {
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE stopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE stepping = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CRotationPoll poll(10ms, {}, WindowsPollThread());
    ASSERT_TRUE(poll.Restart([&] {
        return CRotationPoll::Step([&] {
            SetEvent(stepping);
            WaitForSingleObject(never, INFINITE);
        });
    }));
    ASSERT_EQ(WaitForSingleObject(stepping, 5000), WAIT_OBJECT_0);
    std::thread stopper([&] {
        poll.Stop();
        SetEvent(stopped);
    });
    const bool ended = WaitForSingleObject(stopped, 10000) == WAIT_OBJECT_0;
    SetEvent(never);  // lets a poll that was waited for without a bound go
    stopper.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(poll.TerminatedCount(), 1);
    EXPECT_FALSE(poll.IsRunning());

    // A poll that only waits between its steps ends without termination.
    ASSERT_TRUE(poll.Restart([] { return CRotationPoll::Step([] {}); }));
    Sleep(50);
    poll.Stop();
    EXPECT_EQ(poll.TerminatedCount(), 1);
    for (HANDLE h : {never, stopped, stepping}) CloseHandle(h);
}

// The board is asked once, on a thread of its own, as the program starts:
// whoever reads the answer (a picture, a camera change) gets that one.
TEST(BoardProductQuery, AskedOnceOffTheReadersThread) {
    std::atomic<int> asked{0};
    std::atomic<DWORD> askingThread{0};
    CBoardProductQuery board([&](HANDLE) {
        ++asked;
        askingThread = GetCurrentThreadId();
        Sleep(200);  // WMI takes its time
        return std::u16string(u"R2Tj-11");
    });
    EXPECT_EQ(board.Product(), u"R2Tj-11");
    EXPECT_EQ(board.Product(), u"R2Tj-11");
    EXPECT_EQ(asked.load(), 1);
    EXPECT_NE(askingThread.load(), GetCurrentThreadId());
}

// A query still asking when the program ends answers its stop; it is not
// terminated.
TEST(BoardProductQuery, AQueryStillAskingEndsOnItsStop) {
    CBoardProductQuery board([](HANDLE stop) {
        WaitForSingleObject(stop, INFINITE);
        return std::u16string(u"late");
    });
    Sleep(20);
    board.Stop();
    EXPECT_FALSE(board.Terminated());
    EXPECT_EQ(board.Product(), u"late");
}

TEST_F(CameraModuleWinTest, TheSystemLookUpsAnswerWithoutAMatchingDevice) {
    CWindowsModuleHost host;
    std::u16string key = u"VID_1234&PID_5678";
    EXPECT_EQ(host.FindDeviceKey(nullptr, key), 0);
    EXPECT_EQ(host.FindDeviceKey(u"No Such Camera Anywhere", key), 1);
    EXPECT_EQ(key, u"VID_1234&PID_5678");
    const std::optional<std::u16string> folder = host.ProgramFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_NE(folder->find(u"bin"), std::u16string::npos);
    // The board's name comes from WMI, which Wine answers with "Base
    // Board": the module asks the host and compares without letter case.
    CCameraModule module(host);
    EXPECT_EQ(host.BoardProduct(), u"Base Board");
    EXPECT_TRUE(module.BoardProductContains(u"base BOARD"));
    EXPECT_FALSE(module.BoardProductContains(u"K4"));
}

}  // namespace
}  // namespace vimbrel::controller::test
