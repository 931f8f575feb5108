// Binding the module CamDev.ini names for a camera: the key, the board
// exception, incomplete and refusing modules, rebinding, and the answers
// of GetCaps and Get.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "CCameraModule.h"
#include "ScriptedModuleHost.h"

namespace vimbrel::controller::test {
namespace {

const std::u16string kIni = u"C:\\Vimbrel\\CamDev\\CamDev.ini";
const std::u16string kLensPath = u"C:\\Vimbrel\\CamDev\\lens.dll";
const std::u16string kOtherPath = u"C:\\Vimbrel\\CamDev\\other.dll";

class CameraModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeModule() = FakeModuleScript{};
        host.devices[u"Cam One"] = u"USB\\VID_0AC8&PID_C302\\5&1234";
        host.devices[u"Cam Two"] = u"USB\\VID_1111&PID_2222\\7&1";
        host.devices[u"Odd Cam"] = u"ROOT\\IMAGE\\0000";
        host.profile[{kIni, u"VID_0AC8&PID_C302"}] = u"lens.dll";
        host.profile[{kIni, u"VID_1111&PID_2222"}] = u"other.dll";
        host.libraries[kLensPath] = {};
        host.libraries[kOtherPath] = {};
    }
    std::vector<std::string>& Calls() { return FakeModule().calls; }

    CScriptedModuleHost host;
};

TEST_F(CameraModuleTest, TheModuleOfTheCamerasModelIsBound) {
    CCameraModule module(host);
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_TRUE(module.IsBound());
    EXPECT_EQ(module.DeviceKey(), u"VID_0AC8&PID_C302");
    EXPECT_EQ(module.ModuleFolder(), u"C:\\Vimbrel\\CamDev\\");
    EXPECT_EQ(host.loaded, std::vector<std::u16string>{kLensPath});
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Initialize", "SetCameraDevice(Cam One)"}));
    int mask = -1;
    EXPECT_EQ(module.GetCaps(&mask), 1);
    EXPECT_EQ(mask, 0x10);
}

TEST_F(CameraModuleTest, WithoutAModuleGetCapsAndGetAnswerZeroAndSucceed) {
    CCameraModule module(host);
    int mask = -1, value = -1;
    EXPECT_EQ(module.GetCaps(&mask), 1);
    EXPECT_EQ(module.Get(16, &value), 1);
    EXPECT_EQ(mask, 0);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CameraModuleTest, OnlyTheLowByteOfAModuleAnswerCounts) {
    CCameraModule module(host);
    ASSERT_EQ(module.Bind(u"Cam One"), 1);
    int value = 0;
    FakeModule().get = 0x100;  // nonzero, but its low byte says false
    EXPECT_EQ(module.Get(16, &value), 0);
    FakeModule().get = 0x101;
    FakeModule().rotateStatus = 1;
    EXPECT_EQ(module.Get(16, &value), 1);
    EXPECT_EQ(value, 1);
    FakeModule().getCaps = 0;
    int mask = 0;
    EXPECT_EQ(module.GetCaps(&mask), 0);
}

TEST_F(CameraModuleTest, AModuleLackingAnyExportIsNeverBound) {
    host.libraries[kLensPath] = {"Set"};  // never called, yet required
    CCameraModule module(host);
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_FALSE(module.IsBound());
    EXPECT_EQ(module.DeviceKey(), u"");
    EXPECT_EQ(host.liveLibraries, 0);
    EXPECT_EQ(Calls(), std::vector<std::string>{"Free"});  // not initialised, not uninitialised
}

TEST_F(CameraModuleTest, RefusalsLeaveNoModuleAndUninitialiseOnlyWhatWasInitialised) {
    CCameraModule module(host);
    FakeModule().initialize = 0;
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_FALSE(module.IsBound());
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Initialize", "Free"}));

    Calls().clear();
    FakeModule().initialize = 1;
    FakeModule().setCameraDevice = 0;
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_FALSE(module.IsBound());
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Initialize", "SetCameraDevice(Cam One)", "Uninitialize", "Free"}));
    EXPECT_EQ(host.liveLibraries, 0);
    int mask = -1;
    EXPECT_EQ(module.GetCaps(&mask), 1);
    EXPECT_EQ(mask, 0);
}

TEST_F(CameraModuleTest, NoEntryNoLibraryOrABoardOfTheExcludedFamilyBindNothing) {
    CCameraModule module(host);
    EXPECT_EQ(module.Bind(u"Odd Cam"), 1);  // no vendor or product in its id
    EXPECT_TRUE(host.loaded.empty());
    host.profile.erase({kIni, u"VID_0AC8&PID_C302"});
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_TRUE(host.loaded.empty());
    host.profile[{kIni, u"VID_0AC8&PID_C302"}] = u"missing.dll";
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_EQ(host.loaded, std::vector<std::u16string>{u"C:\\Vimbrel\\CamDev\\missing.dll"});
    EXPECT_FALSE(module.IsBound());

    host.loaded.clear();
    host.profile[{kIni, u"VID_0AC8&PID_C302"}] = u"lens.dll";
    host.boardProduct = u"MB-k4 Deluxe";  // another machine: a new run
    CCameraModule onK4(host);
    EXPECT_EQ(onK4.Bind(u"Cam One"), 1);
    EXPECT_TRUE(host.loaded.empty());
    EXPECT_EQ(onK4.Bind(nullptr), 1);
    EXPECT_FALSE(onK4.IsBound());
}

TEST_F(CameraModuleTest, WithoutAProgramFolderBindFailsAndKeepsTheModule) {
    CCameraModule module(host);
    ASSERT_EQ(module.Bind(u"Cam One"), 1);
    host.programFolder.reset();
    EXPECT_EQ(module.Bind(u"Cam Two"), 0);
    EXPECT_TRUE(module.IsBound());
    EXPECT_EQ(module.DeviceKey(), u"VID_0AC8&PID_C302");
}

TEST_F(CameraModuleTest, ANewCameraUnbindsTheOldModuleFirst) {
    CCameraModule module(host);
    ASSERT_EQ(module.Bind(u"Cam One"), 1);
    Calls().clear();
    EXPECT_EQ(module.Bind(u"Cam Two"), 1);
    EXPECT_EQ(module.DeviceKey(), u"VID_1111&PID_2222");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Uninitialize", "Free", "Initialize", "SetCameraDevice(Cam Two)"}));
    EXPECT_EQ(host.liveLibraries, 1);
}

TEST_F(CameraModuleTest, AnUnknownCameraLooksUpThePreviousKeyAgain) {
    CCameraModule module(host);
    ASSERT_EQ(module.Bind(u"Cam One"), 1);
    host.profileKeys.clear();
    Calls().clear();
    // The previous camera's module decides through SetCameraDevice.
    FakeModule().setCameraDevice = 0;
    EXPECT_EQ(module.Bind(u"Not Present"), 1);
    EXPECT_EQ(host.profileKeys, std::vector<std::u16string>{u"VID_0AC8&PID_C302"});
    EXPECT_EQ(Calls().back(), "Free");
    EXPECT_FALSE(module.IsBound());
}

// The rotation poll can be caught in a module call that never returns. The
// user may still pick another camera, and the program must still end: the
// stuck library stays loaded (freeing it would pull the code from under
// the call) but nothing waits for it beyond a short bound.
TEST_F(CameraModuleTest, AModuleStuckInACallHoldsUpNeitherACameraChangeNorTheEnd) {
    std::mutex gate;
    std::condition_variable changed;
    bool stuck = false, released = false, changeEnded = false, endEnded = false;
    // Waits for a flag; when it does not come, the stuck call is let go so
    // that whatever waits for it can finish and the test can fail cleanly.
    auto waitFor = [&](const bool& flag) {
        std::unique_lock<std::mutex> hold(gate);
        const bool came = changed.wait_for(hold, std::chrono::seconds(5), [&] { return flag; });
        if (!came) {
            released = true;
            changed.notify_all();
        }
        return came;
    };
    auto raise = [&](bool& flag) {
        std::lock_guard<std::mutex> hold(gate);
        flag = true;
        changed.notify_all();
    };
    FakeModule().duringGet = [&] {
        raise(stuck);
        std::unique_lock<std::mutex> hold(gate);
        changed.wait(hold, [&] { return released; });
    };
    auto module = std::make_unique<CCameraModule>(host);
    ASSERT_EQ(module->Bind(u"Cam One"), 1);
    std::thread poll([&] {
        int value = 0;
        module->Get(16, &value);
    });
    EXPECT_TRUE(waitFor(stuck));
    FakeModule().duringGet = nullptr;

    std::thread user([&] {
        module->Bind(u"Cam Two");
        raise(changeEnded);
    });
    EXPECT_TRUE(waitFor(changeEnded)) << "the camera change waited for the stuck call";
    user.join();
    EXPECT_EQ(module->DeviceKey(), u"VID_1111&PID_2222");

    std::thread ending([&] {
        module->Unbind();
        raise(endEnded);
    });
    EXPECT_TRUE(waitFor(endEnded)) << "the end waited for the stuck call";
    ending.join();
    // The stuck library was never freed; the new one was.
    EXPECT_EQ(host.liveLibraries, 1);
    raise(released);
    poll.join();
    module.reset();
}

// The board does not change while the program runs, and asking WMI takes
// long: it is asked once, not on every camera change.
TEST_F(CameraModuleTest, TheBoardIsAskedOnceForEveryCameraChange) {
    CCameraModule module(host);
    EXPECT_EQ(module.Bind(u"Cam One"), 1);
    EXPECT_EQ(module.Bind(u"Cam Two"), 1);
    EXPECT_TRUE(module.BoardProductContains(u"generic"));
    EXPECT_EQ(host.boardQueries, 1);
}

TEST_F(CameraModuleTest, DestructionUninitialisesAndFrees) {
    {
        CCameraModule module(host);
        ASSERT_EQ(module.Bind(u"Cam One"), 1);
        Calls().clear();
    }
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Uninitialize", "Free"}));
    EXPECT_EQ(host.liveLibraries, 0);
}

}  // namespace
}  // namespace vimbrel::controller::test
