// The engine's start, the camera's picture sizes turned into the two
// resolution lists and catalogue entries, the bitrate lists, the device
// choice with its stored names, and the pass-through calls, against the
// scripted engine.
#include "EngineTestDoubles.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

void* const kPreview = reinterpret_cast<void*>(0x1234);

class EngineDevicesTest : public ::testing::Test {
protected:
    void SetUp() override { rig.AttachFake(); }
    // LoadSettings over whatever the test stored, then the start.
    int Start() {
        rig.settings.LoadSettings();
        rig.ClearLogs();
        return rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview));
    }
    ControllerRig rig;
    SettingsBlock& block = rig.settings.Block();
};

TEST_F(EngineDevicesTest, FirstStartSortsTheCameraSizesAndPicksTheDefaultEntries) {
    // Three sizes, each twice, largest first.
    rig.Script("video_devices=Bench Cam;audio_devices=Mic;"
               "formats=800x600|640x480|320x240|800x600|640x480|320x240;"
               "video_bitrates=256000|512000|999999;audio_bitrates=32000|64000");
    ASSERT_EQ(Start(), 1);

    auto& images = rig.engine.imageList;
    auto& videos = rig.engine.videoList;
    ASSERT_EQ(images.Count(), 3);
    EXPECT_EQ(images.At(0)->width, 320);
    EXPECT_EQ(images.At(0)->formatIndex, 2);  // the first format that gave the size
    EXPECT_EQ(images.At(1)->width, 640);
    EXPECT_EQ(images.At(1)->formatIndex, 1);
    EXPECT_EQ(images.At(2)->width, 800);
    EXPECT_EQ(images.At(2)->formatIndex, 0);
    ASSERT_EQ(videos.Count(), 2);  // 800 x 600 is too big to record
    EXPECT_EQ(videos.At(1)->height, 480);

    // Nothing saved: images at 640 wide, video at 320 wide.
    EXPECT_EQ(block.imageResolutionIndex, 1);
    EXPECT_EQ(block.imageWidth, 640);
    EXPECT_EQ(block.imageHeight, 480);
    EXPECT_EQ(block.videoResolutionIndex, 0);
    EXPECT_EQ(block.videoWidth, 320);
    EXPECT_EQ(block.videoHeight, 240);
    EXPECT_FALSE(rig.Stored(kSettingImageResolution));  // picked, not stored

    EXPECT_EQ(rig.Entries(0x103), (std::vector<std::u16string>{u"320x240", u"640x480", u"800x600"}));
    EXPECT_EQ(rig.Entries(0x104), (std::vector<std::u16string>{u"320x240", u"640x480"}));
    EXPECT_EQ(rig.Entries(0x107), (std::vector<std::u16string>{u"256 Kbps", u"512 Kbps", u"999 Kbps"}));
    EXPECT_EQ(rig.Entries(0x108), (std::vector<std::u16string>{u"32 Kbps", u"64 Kbps"}));

    EXPECT_EQ(rig.engine.videoDeviceCount, 1);
    EXPECT_EQ(rig.engine.audioDeviceCount, 1);
    EXPECT_EQ(std::u16string(block.videoDev), u"Bench Cam");
    EXPECT_EQ(rig.store.ReadString(u"VideoDev", 260), std::u16string(u"Bench Cam"));
    EXPECT_EQ(rig.store.ReadString(u"AudioDev", 260), std::u16string(u"Mic"));

    auto log = rig.EngineLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "SetPreviewWnd(window)");
    EXPECT_EQ(log[1], "Initialize(0,-1,\"\",\"\")");
    // The stored values reach the engine, the mirror is forced, the shoot
    // mode set; no format is set while nothing was saved.
    for (const char* call : {"SetVideoBitrate(1)", "SetAudioBitrate(1)", "SetVideoFileFormat(1)",
                             "SetAudioFileFormat(0)", "SetImageFileFormat(1)", "SetJPGQuality(75)", "SetAudioVolume(1)",
                             "SetPlaybackVolume(1)", "SetMirrorMode(0)", "SetShootMode(6)"})
        EXPECT_TRUE(Contains(log, call)) << call;
    EXPECT_EQ(log.back(), "SetShootMode(6)");
    for (const std::string& line : log) EXPECT_EQ(line.rfind("SetVideoFormat", 0), std::string::npos);
    EXPECT_EQ(rig.callbacks.Count("BindVideoQuality"), 1);
    EXPECT_EQ(rig.callbacks.Count("UpdateDateOverlay(3)"), 1);
}

TEST_F(EngineDevicesTest, SavedIndexesAreClampedToTheListAndTheVideoFormatIsApplied) {
    rig.Script("video_devices=Cam;audio_devices=Mic;formats=800x600|640x480|320x240");
    rig.settings.SaveSettingValue(kSettingImageResolution, 5);
    rig.settings.SaveSettingValue(kSettingVideoResolution, 2);
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(block.imageResolutionIndex, 2);  // 5 with three sizes
    // 2 with two sizes: one past the end is also beyond the list.
    EXPECT_EQ(block.imageWidth, 800);
    EXPECT_EQ(block.imageHeight, 600);
    EXPECT_EQ(block.videoResolutionIndex, 1);
    EXPECT_EQ(block.videoWidth, 640);
    // ModeId 0 records video: the video entry's format (640 x 480 is format 1).
    EXPECT_TRUE(Contains(rig.EngineLog(), "SetVideoFormat(1,0)"));
    EXPECT_EQ(rig.callbacks.Count("ClearLastDateText"), 1);
}

TEST_F(EngineDevicesTest, EqualWidthsKeepTheirOrderAndABadSizeIsSkipped) {
    rig.Script("video_devices=Cam;formats=640x480|0x240|640x360|1280x0|320x240");
    ASSERT_EQ(Start(), 1);
    auto& images = rig.engine.imageList;
    ASSERT_EQ(images.Count(), 3);
    EXPECT_EQ(images.At(1)->height, 480);
    EXPECT_EQ(images.At(2)->height, 360);
    EXPECT_EQ(images.At(2)->formatIndex, 2);
    EXPECT_EQ(rig.Entries(0x103), (std::vector<std::u16string>{u"320x240", u"640x480", u"640x360"}));
}

TEST_F(EngineDevicesTest, ACameraWithoutSizesLeavesTheIndexesEmptyAndSetsNoFormat) {
    rig.Script("video_devices=Cam;audio_devices=Mic");
    rig.settings.SaveSettingValue(kSettingImageResolution, 3);
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(block.imageResolutionIndex, -1);
    EXPECT_EQ(block.videoResolutionIndex, -1);
    EXPECT_EQ(block.imageWidth, 0);
    EXPECT_EQ(block.videoHeight, 0);
    EXPECT_TRUE(rig.Entries(0x103).empty());
    for (const std::string& line : rig.EngineLog()) EXPECT_EQ(line.rfind("SetVideoFormat", 0), std::string::npos);
}

TEST_F(EngineDevicesTest, AnUncountableRateListLeavesItsItemEmptyAndTheStartGoesOn) {
    rig.Script("video_devices=Cam;audio_devices=Mic;formats=320x240;video_bitrates=128000;"
               "refuse=GetSupportedAudioBitrate");
    EXPECT_EQ(Start(), 1);
    EXPECT_TRUE(rig.Entries(0x108).empty());
    EXPECT_EQ(rig.Entries(0x107), (std::vector<std::u16string>{u"128 Kbps"}));
    // Built twice, the list does not double.
    EXPECT_EQ(rig.devices.BuildVideoBitrateList(), 1);
    EXPECT_EQ(rig.Entries(0x107).size(), 1u);
}

TEST_F(EngineDevicesTest, AMissingSavedCameraIsReplacedByTheOneTheEngineOpened) {
    rig.Script("video_devices=Cam A|Cam B;audio_devices=Mic 1|Mic 2;formats=320x240");
    rig.store.keyExists = true;
    rig.store.WriteString(u"VideoDev", u"Old Cam");
    rig.store.WriteString(u"AudioDev", u"Mic 2");
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(rig.EngineLog()[1], "Initialize(0,-1,\"Old Cam\",\"Mic 2\")");
    EXPECT_EQ(std::u16string(block.videoDev), u"Cam A");
    EXPECT_EQ(rig.store.ReadString(u"VideoDev", 260), std::u16string(u"Cam A"));
    EXPECT_EQ(std::u16string(block.audioDev), u"Mic 2");  // still there: kept
    EXPECT_EQ(rig.engine.videoDeviceCount, 2);
    EXPECT_EQ(rig.engine.audioDeviceCount, 2);
}

TEST_F(EngineDevicesTest, TheStartIsRefusedAtTheFirstStepThatFails) {
    rig.Script("video_devices=Cam;formats=320x240");
    rig.settings.LoadSettings();
    EXPECT_EQ(rig.devices.StartEngine(nullptr), 0);
    EXPECT_TRUE(rig.EngineLog().empty());

    rig.Script("video_devices=Cam;formats=320x240;refuse=Initialize");
    EXPECT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview)), 0);
    EXPECT_EQ(rig.engine.imageList.Count(), 0);

    rig.Script("video_devices=Cam;formats=320x240");
    rig.callbacks.bindVideoQualityResult = 0;
    EXPECT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview)), 0);
    EXPECT_FALSE(Contains(rig.EngineLog(), "SetShootMode(6)"));

    // A library without the audio rate list or the preview call.
    rig.callbacks.bindVideoQualityResult = 1;
    rig.AttachFake({"GetSupportedAudioBitrate"});
    EXPECT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview)), 0);
    rig.AttachFake({"SetPreviewWnd"});
    rig.ClearLogs();
    EXPECT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview)), 0);
    EXPECT_TRUE(rig.EngineLog().empty());

    rig.engine.Attach(nullptr, FakeEngineApi());  // not loaded
    EXPECT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(kPreview)), 0);
    EXPECT_EQ(rig.devices.BuildResolutionLists(0), 0);
    EXPECT_TRUE(rig.EngineLog().empty());
}

TEST_F(EngineDevicesTest, ResolutionListsNeedTheirCatalogueItems) {
    rig.Script("formats=320x240");
    rig.catalog.RemoveItem(0x104);
    EXPECT_EQ(rig.devices.BuildResolutionLists(0), 0);
    EXPECT_EQ(rig.engine.imageList.Count(), 1);  // the lists themselves are built
}

TEST_F(EngineDevicesTest, ChoosingACameraStoresItsNameAndRebuildsTheListsWithoutApplying) {
    rig.Script("video_devices=Cam A|Cam B;formats=640x480|320x240|800x600");
    ASSERT_EQ(Start(), 1);
    rig.settings.SetModeId(3);  // image mode: the image size goes with the choice
    rig.Script("video_devices=Cam A|Cam B;formats=640x480|176x144");
    rig.ClearLogs();
    EXPECT_EQ(rig.devices.SelectVideoDevice(1), 1);
    auto log = rig.EngineLog();
    ASSERT_GE(log.size(), 1u);
    EXPECT_EQ(log[0], "SelectVideoDevice(1,640,480)");
    EXPECT_EQ(std::u16string(block.videoDev), u"Cam B");
    EXPECT_EQ(rig.store.ReadString(u"VideoDev", 260), std::u16string(u"Cam B"));
    EXPECT_EQ(rig.Entries(0x103), (std::vector<std::u16string>{u"176x144", u"640x480"}));
    for (const std::string& line : log) EXPECT_EQ(line.rfind("SetVideoFormat", 0), std::string::npos);
    EXPECT_EQ(rig.callbacks.calls,
              (std::vector<std::string>{"RefreshOverlay", "UpdateItemPopup(0x103)", "UpdateItemPopup(0x104)",
                                        "RebindCameraModule", "BindVideoQuality"}));

    rig.ClearLogs();
    EXPECT_EQ(rig.devices.SelectVideoDevice(-1), 0);
    EXPECT_EQ(rig.devices.SelectVideoDevice(2), 0);  // the engine has no third camera
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SelectVideoDevice(2,640,480)"}));
    EXPECT_EQ(std::u16string(block.videoDev), u"Cam B");
}

TEST_F(EngineDevicesTest, ChoosingAMicrophoneStoresItsNameAndReappliesTheStoredVolume) {
    rig.Script("audio_devices=Mic 1|Mic 2");
    rig.settings.LoadSettings();
    rig.settings.SaveSettingValue(kSettingMicrophoneVolume, 40);
    rig.ClearLogs();
    EXPECT_EQ(rig.devices.SelectAudioDevice(1), 1);
    EXPECT_EQ(std::u16string(block.audioDev), u"Mic 2");
    EXPECT_EQ(rig.store.ReadString(u"AudioDev", 260), std::u16string(u"Mic 2"));
    EXPECT_EQ(rig.EngineLog(),
              (std::vector<std::string>{"SelectAudioDevice(1)", "GetAudioDevice(1)", "SetAudioVolume(0.4)"}));
    EXPECT_EQ(rig.devices.SelectAudioDevice(-3), 0);
    EXPECT_EQ(rig.devices.SelectAudioDevice(5), 0);
}

TEST_F(EngineDevicesTest, DeviceNamesAreWidenedTerminatedAndRefusedWhenTheyDoNotConvert) {
    std::string longName(300, 'n');
    rig.Script("video_devices=Cam\xE9ra|Bad\xFF|" + longName);
    int index = -1;
    EXPECT_EQ(rig.engine.GetVideoDeviceName(&index, nullptr), 1);
    EXPECT_EQ(index, 3);
    char16_t name[260];
    index = 0;
    ASSERT_EQ(rig.engine.GetVideoDeviceName(&index, name), 1);
    EXPECT_EQ(std::u16string(name), u"Cam\u00E9ra");
    index = 1;
    EXPECT_EQ(rig.engine.GetVideoDeviceName(&index, name), 0);
    index = 2;
    ASSERT_EQ(rig.engine.GetVideoDeviceName(&index, name), 1);
    EXPECT_EQ(std::u16string(name), std::u16string(259, u'n'));
    index = 3;
    EXPECT_EQ(rig.engine.GetVideoDeviceName(&index, name), 0);
    EXPECT_EQ(rig.engine.GetAudioDeviceName(&index, name), 0);
}

TEST_F(EngineDevicesTest, PassThroughsCallTheEngineOnlyWhenTheyShould) {
    rig.Script("ranges=0:-10:90:40");
    int low = 0, high = 0, standard = 0;
    EXPECT_EQ(rig.engine.GetVideoQualityRange(0, &low, &high, &standard), 1);
    EXPECT_EQ(low, -10);
    EXPECT_EQ(high, 90);
    EXPECT_EQ(standard, 40);
    EXPECT_EQ(rig.engine.GetVideoQualityRange(1, &low, &high, &standard), 0);
    EXPECT_EQ(rig.engine.SetVideoQuality(4, 17), 1);
    int value = 0;
    EXPECT_EQ(rig.engine.GetVideoQuality(4, &value), 1);
    EXPECT_EQ(value, 17);

    rig.ClearLogs();
    EXPECT_EQ(rig.engine.SetDefaultVideoQuality(-1), 1);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetDefaultVideoQuality(0)", "SetDefaultVideoQuality(1)",
                                                         "SetDefaultVideoQuality(2)", "SetDefaultVideoQuality(3)",
                                                         "SetDefaultVideoQuality(4)", "SetDefaultVideoQuality(5)",
                                                         "SetDefaultVideoQuality(7)", "SetDefaultVideoQuality(8)"}));

    // Mirror: the kept value spares a call unless forced; a refusal keeps the old one.
    rig.ClearLogs();
    EXPECT_EQ(rig.engine.SetMirrorMode(0, 0), 1);
    EXPECT_TRUE(rig.EngineLog().empty());
    EXPECT_EQ(rig.engine.SetMirrorMode(0, 1), 1);
    EXPECT_EQ(rig.engine.SetMirrorMode(1, 0), 1);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetMirrorMode(0)", "SetMirrorMode(1)"}));
    rig.Script("refuse=SetMirrorMode|SetShootMode|SetVideoFormat");
    EXPECT_EQ(rig.engine.SetMirrorMode(0, 0), 0);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);

    // Shoot mode: 0..6 only, and 1 even when the engine refuses.
    EXPECT_EQ(rig.engine.SetShootMode(3), 1);
    EXPECT_EQ(rig.engine.SetShootMode(7), 0);
    EXPECT_EQ(rig.engine.SetShootMode(-1), 0);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetMirrorMode(0)", "SetShootMode(3)"}));

    // A refused format keeps the date text.
    rig.ClearLogs();
    EXPECT_EQ(rig.engine.SetVideoFormat(2), 0);
    EXPECT_EQ(rig.engine.SetVideoFormat(-1), 0);
    EXPECT_EQ(rig.callbacks.Count("ClearLastDateText"), 0);

    EXPECT_EQ(rig.engine.ShowCameraProperties(nullptr), 1);
    rig.AttachFake({"DisplayCameraAdvancedSetting", "GetVideoQuality"});
    EXPECT_EQ(rig.engine.ShowCameraProperties(nullptr), 1);
    EXPECT_EQ(rig.engine.GetVideoQuality(4, &value), 0);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetVideoFormat(2,0)", "DisplayCameraAdvancedSetting(null)"}));
}

}  // namespace
