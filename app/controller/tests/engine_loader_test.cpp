// The loader against the fake camera.dll in its own folder: every name is
// found, the calls cross the library boundary with their arguments intact,
// and a library that lacks exports leaves only those slots empty.
#include <gtest/gtest.h>

#include "AnsiCodePage.h"
#include "EngineLibraryHelpers.h"
#include "EngineTestDoubles.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

class EngineLoaderTest : public ::testing::Test {
protected:
    void TearDown() override { FreeEngine(rig.engine); }
    int Bind(const wchar_t* subfolder) {
        return BindEngine(rig.engine, TestProgramFolder() + subfolder, [this] { return rig.settings.LoadSettings(); });
    }
    ControllerRig rig;
};

TEST_F(EngineLoaderTest, BindsEveryExportOfTheLibraryInTheGivenFolder) {
    ASSERT_EQ(Bind(L"\\fakeengine"), 1);
    ASSERT_TRUE(rig.engine.IsLoaded());
    EXPECT_EQ(CountBoundSlots(rig.engine.Api()), 52);
    // The fake in its folder, not the real engine beside this program.
    EXPECT_EQ(ModulePath(EngineModule(rig.engine)), TestProgramFolder() + L"\\fakeengine\\camera.dll");
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), TestProgramFolder() + L"\\fakeengine");
    EXPECT_EQ(rig.settings.Block().flash, 1);  // the settings were read first

    // Bound once: a second call loads nothing more.
    EXPECT_EQ(BindEngine(rig.engine, L"Z:\\nowhere"), 1);
    EXPECT_EQ(ModulePath(EngineModule(rig.engine)), TestProgramFolder() + L"\\fakeengine\\camera.dll");
}

TEST_F(EngineLoaderTest, ArgumentsOfEveryKindCrossTheBoundaryIntact) {
    ASSERT_EQ(Bind(L"\\fakeengine"), 1);
    CFakeLibrary fake(EngineModule(rig.engine));
    ASSERT_TRUE(fake.Usable());
    ASSERT_TRUE(fake.Script("video_devices=Bench Cam|Other;audio_devices=Mic;formats=640x480|320x240;"
                            "video_bitrates=300000;audio_bitrates=64000;ranges=0:-3:255:40"));
    ASSERT_EQ(rig.devices.StartEngine(GetDesktopWindow()), 1);
    auto log = fake.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "SetPreviewWnd(window)");
    EXPECT_EQ(log[1], "Initialize(0,-1,\"\",\"\")");
    EXPECT_EQ(std::u16string(rig.settings.Block().videoDev), u"Bench Cam");  // written back by the library
    EXPECT_EQ(rig.Entries(0x103), (std::vector<std::u16string>{u"320x240", u"640x480"}));
    EXPECT_EQ(rig.Entries(0x107), (std::vector<std::u16string>{u"300 Kbps"}));
    EXPECT_TRUE(Contains(log, "SetAudioVolume(1)"));
    EXPECT_EQ(log.back(), "SetShootMode(6)");

    fake.ClearLog();
    const EngineApi& api = rig.engine.Api();
    EXPECT_EQ(api.Zoom(1.5f), 1);
    EXPECT_EQ(rig.settings.SetAudioVolume(0.29), 1);
    EXPECT_EQ(rig.settings.ApplySetting(kSettingFrame, 2, 0), 1);
    EXPECT_EQ(rig.settings.ApplySetting(kSettingContrast, -7, 0), 1);
    EXPECT_EQ(api.CaptureImage("C:\\img\\a.jpg"), 1);
    int low = 0, high = 0, standard = 0;
    EXPECT_EQ(rig.engine.GetVideoQualityRange(0, &low, &high, &standard), 1);
    EXPECT_EQ(low, -3);
    EXPECT_EQ(high, 255);
    EXPECT_EQ(standard, 40);
    double volume = 0;
    EXPECT_DOUBLE_EQ(rig.settings.GetAudioVolume(), 0.29);
    EXPECT_EQ(rig.settings.GetPlaybackVolume(&volume), 1);
    EXPECT_DOUBLE_EQ(volume, 1.0);
    int index = 1;
    char16_t name[260];
    EXPECT_EQ(rig.engine.GetVideoDeviceName(&index, name), 1);
    EXPECT_EQ(std::u16string(name), u"Other");
    EXPECT_EQ(fake.Log(), (std::vector<std::string>{
                              "Zoom(1.5)", "SetAudioVolume(0.29)", "SetFrame(\"C:\\Vimbrel\\PhotoFrame\\frame2.png\")",
                              "SetVideoQuality(1,-7)", "CaptureImage(\"C:\\img\\a.jpg\")", "GetVideoQualityRange(0)",
                              "GetAudioVolume()", "GetPlaybackVolume()", "GetVideoDevice(1)"}));
}

TEST_F(EngineLoaderTest, ALibraryWithoutSomeExportsLeavesOnlyTheirSlotsEmpty) {
    ASSERT_EQ(Bind(L"\\fakeengine-partial"), 1);
    const EngineApi& api = rig.engine.Api();
    EXPECT_EQ(CountBoundSlots(api), 49);
    EXPECT_EQ(api.SetFace, nullptr);
    EXPECT_EQ(api.SetMirrorMode, nullptr);
    EXPECT_EQ(api.GetSupportedAudioBitrate, nullptr);
    CFakeLibrary fake(EngineModule(rig.engine));
    ASSERT_TRUE(fake.Script("video_devices=Cam;formats=320x240"));
    EXPECT_EQ(rig.settings.ApplySetting(kSettingFace, 1, 0), 0);
    EXPECT_EQ(rig.engine.SetMirrorMode(1, 1), 0);
    EXPECT_EQ(rig.devices.BuildAudioBitrateList(), 0);
    EXPECT_EQ(rig.devices.StartEngine(GetDesktopWindow()), 0);     // it needs the audio rates
    EXPECT_EQ(rig.settings.ApplySetting(kSettingFlash, 0, 0), 1);  // what needs none still works
    EXPECT_EQ(rig.settings.ApplySetting(kSettingJpgQuality, 2, 0), 1);
    EXPECT_TRUE(Contains(fake.Log(), "SetJPGQuality(50)"));
}

TEST_F(EngineLoaderTest, NoLibraryOrAFailedPreparationLeavesTheEngineUnbound) {
    CEngineBinding other(rig.callbacks, rig.codePage);
    EXPECT_EQ(BindEngine(other, TestProgramFolder() + L"\\fakeengine", [] { return 0; }), 0);
    EXPECT_FALSE(other.IsLoaded());
    EXPECT_EQ(Bind(L"\\no-such-folder"), 0);
    EXPECT_FALSE(rig.engine.IsLoaded());
    EXPECT_EQ(rig.settings.ApplySetting(kSettingFlash, 0, 0), 0);
    EXPECT_EQ(rig.devices.StartEngine(GetDesktopWindow()), 0);
    EXPECT_EQ(BindEngine(rig.engine, TestProgramFolder() + L"\\fakeengine"), 1);  // bound once
    EXPECT_FALSE(rig.engine.IsLoaded());
}

}  // namespace
