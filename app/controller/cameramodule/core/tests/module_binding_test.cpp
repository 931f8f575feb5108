// The controller's side of the module: video-quality items and values,
// the shoot modes a module offers, and the rotation poll switching the
// mirror mode over the scripted engine.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "CCameraModule.h"
#include "CCameraModuleBinding.h"
#include "EngineTestDoubles.h"
#include "ScriptedModuleHost.h"

namespace vimbrel::controller::test {
namespace {

using namespace std::chrono_literals;

const std::u16string kIni = u"C:\\Vimbrel\\CamDev\\CamDev.ini";

struct BindingRig : ControllerRig {
    BindingRig() {
        FakeModule() = FakeModuleScript{};
        catalog.AddItem(0x010000, 4, u"ShootMode", kCatalogItem, 0, 0);
        for (const char16_t* mode :
             {u"SM_Normal", u"SM_Portrait", u"SM_FastObject", u"SM_Night", u"SM_Macro", u"SM_Landscape", u"SM_Auto"})
            catalog.AddEntry(0x010000, mode);
        catalog.AddItem(0x080200, 5, u"Brightness", kCatalogSlider, 0, 100);
        catalog.AddItem(0x080201, 6, u"Contrast", kCatalogSlider, 0, 100);
        catalog.AddItem(0x080202, 7, u"WhiteBalance", kCatalogSlider, 0, 100);
        host.devices[u"Cam"] = u"USB\\VID_0AC8&PID_C302\\5&1234";
        host.profile[{kIni, u"VID_0AC8&PID_C302"}] = u"lens.dll";
        host.libraries[u"C:\\Vimbrel\\CamDev\\lens.dll"] = {};
        AttachFake();
        // Every property the page shows, with a range.
        Script("ranges=0:0:255:128|1:0:255:128|2:-180:180:0|3:0:100:50|4:0:15:7|5:1:500:100|"
               "7:2800:6500:4600|8:0:2:1");
        for (int property : {0, 1, 2, 3, 4, 5, 7, 8}) fakeengine::Engine().qualities[property] = 10 + property;
    }
    std::vector<int> ShootModeFlags() const {
        std::vector<int> flags;
        for (const CatalogEntry* e = catalog.Entries(0); e; e = e->next.get()) flags.push_back(e->enabled);
        return flags;
    }
    int MirrorCalls(int value) const {
        int n = 0;
        for (const std::string& line : EngineLog()) n += line == "SetMirrorMode(" + std::to_string(value) + ")";
        return n;
    }
    // Waits up to a second for the engine to get n calls of SetMirrorMode(value).
    bool WaitForMirror(int value, int n) const {
        for (int i = 0; i < 100; ++i) {
            if (MirrorCalls(value) >= n) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    int FakeGets() const {
        int n = 0;
        for (const std::string& call : FakeModule().calls) n += call == "Get(16)";
        return n;
    }

    CScriptedModuleHost host;
    CCameraModule module{host};
    CCameraModuleBinding binding{module, engine, settings, catalog, {}, 20ms};
};

TEST(ModuleBindingTest, WithoutAModuleTheGatedShootModesAreOffAndNoPollRuns) {
    BindingRig rig;
    EXPECT_EQ(rig.binding.BindVideoQuality(), 1);
    EXPECT_EQ(rig.ShootModeFlags(), (std::vector<int>{1, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(rig.binding.CapabilityMask(), 0);
    EXPECT_EQ(rig.binding.IsCameraTurned(), 0);
    EXPECT_FALSE(rig.binding.Poll().IsRunning());
}

TEST(ModuleBindingTest, ShootModesFollowTheCapabilityBits) {
    BindingRig rig;
    rig.module.Bind(u"Cam");
    FakeModule().caps = 0x02 | 0x08;
    EXPECT_EQ(rig.binding.BindVideoQuality(), 1);
    EXPECT_EQ(rig.ShootModeFlags(), (std::vector<int>{1, 1, 1, 1, 0, 1, 1}));
    FakeModule().caps = 0x04;
    rig.binding.BindVideoQuality();
    EXPECT_EQ(rig.ShootModeFlags(), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
    // A failing GetCaps leaves them as they were.
    FakeModule().caps = 0x0E;
    FakeModule().getCaps = 0;
    rig.binding.BindVideoQuality();
    EXPECT_EQ(rig.ShootModeFlags(), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
    EXPECT_EQ(rig.binding.CapabilityMask(), 0);
}

TEST(ModuleBindingTest, MissingPropertiesLoseTheirItemsAndPresentOnesGiveTheirValues) {
    BindingRig rig;
    fakeengine::Engine().qualities.erase(7);  // no white balance
    fakeengine::Engine().qualities.erase(1);  // no contrast
    fakeengine::Engine().qualities[0] = 77;
    rig.settings.Block().contrast = 5;
    rig.settings.Block().whiteBalance = 3;
    EXPECT_EQ(rig.binding.BindVideoQuality(), 1);
    EXPECT_NE(rig.catalog.Find(0x200), nullptr);
    EXPECT_EQ(rig.catalog.Find(0x201), nullptr);
    EXPECT_EQ(rig.catalog.Find(0x202), nullptr);
    EXPECT_EQ(rig.settings.Block().brightness, 77);
    EXPECT_EQ(rig.settings.Block().contrast, 5);
    EXPECT_EQ(rig.settings.Block().whiteBalance, -1);
}

TEST(ModuleBindingTest, AnEngineWithoutQualityCallsIsRefused) {
    BindingRig rig;
    rig.engine.Attach(&rig.moduleToken, FakeEngineApi({"GetVideoQualityRange"}));
    EXPECT_EQ(rig.binding.BindVideoQuality(), 0);
    EXPECT_FALSE(rig.binding.Poll().IsRunning());
}

TEST(ModuleBindingTest, TurningTheCameraSwitchesMirroringOffAndBackOnce) {
    BindingRig rig;
    rig.engine.KeepMirrorMode(1);
    rig.module.Bind(u"Cam");
    ASSERT_EQ(rig.binding.BindVideoQuality(), 1);
    EXPECT_TRUE(rig.binding.Poll().IsRunning());
    EXPECT_EQ(rig.binding.IsCameraTurned(), 0);

    FakeModule().rotateStatus = 1;
    ASSERT_TRUE(rig.WaitForMirror(0, 1));
    EXPECT_EQ(rig.engine.GetMirrorMode(), 0);
    std::this_thread::sleep_for(100ms);  // several polls while turned
    EXPECT_EQ(rig.MirrorCalls(0), 1);

    FakeModule().rotateStatus = 0;
    ASSERT_TRUE(rig.WaitForMirror(1, 1));
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);
    rig.binding.StopRotationPoll();
    EXPECT_EQ(rig.MirrorCalls(1), 1);
}

TEST(ModuleBindingTest, WithMirrorOffTurningSendsNothing) {
    BindingRig rig;
    rig.engine.KeepMirrorMode(0);
    rig.module.Bind(u"Cam");
    ASSERT_EQ(rig.binding.BindVideoQuality(), 1);
    FakeModule().rotateStatus = 1;
    std::this_thread::sleep_for(100ms);
    FakeModule().rotateStatus = 0;
    std::this_thread::sleep_for(100ms);
    rig.binding.StopRotationPoll();
    EXPECT_EQ(rig.MirrorCalls(0) + rig.MirrorCalls(1), 0);
    EXPECT_GE(rig.FakeGets(), 2);
}

TEST(ModuleBindingTest, ASecondBindReplacesThePollAndStopEndsIt) {
    BindingRig rig;
    rig.module.Bind(u"Cam");
    ASSERT_EQ(rig.binding.BindVideoQuality(), 1);
    ASSERT_EQ(rig.binding.BindVideoQuality(), 1);
    EXPECT_EQ(rig.binding.Poll().StartCount(), 2);
    EXPECT_TRUE(rig.binding.Poll().IsRunning());
    // A bind without the rotation bit leaves the running poll alone.
    FakeModule().caps = 0x02;
    rig.binding.BindVideoQuality();
    EXPECT_EQ(rig.binding.Poll().StartCount(), 2);
    EXPECT_TRUE(rig.binding.Poll().IsRunning());
    EXPECT_EQ(rig.binding.IsCameraTurned(), 0);
    const auto before = std::chrono::steady_clock::now();
    rig.binding.StopRotationPoll();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_FALSE(rig.binding.Poll().IsRunning());
}

TEST(ModuleBindingTest, RebindingUsesTheStoredCamera) {
    BindingRig rig;
    std::u16string name = u"Cam";
    std::copy(name.begin(), name.end(), rig.settings.Block().videoDev);
    rig.settings.Block().videoDev[name.size()] = 0;
    rig.binding.RebindCameraModule();
    EXPECT_TRUE(rig.module.IsBound());
    EXPECT_EQ(FakeModule().calls.back(), "SetCameraDevice(Cam)");
}

}  // namespace
}  // namespace vimbrel::controller::test
