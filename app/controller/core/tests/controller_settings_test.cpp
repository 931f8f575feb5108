// Settings at start (defaults, forced values, values that cannot be right),
// the volumes, restoring the defaults and handing the stored values to a
// started engine.
#include <cmath>
#include <limits>

#include "EngineTestDoubles.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { rig.AttachFake(); }
    using Values = std::initializer_list<std::pair<int, int>>;
    void Store(Values values) {
        for (auto [id, value] : values) rig.settings.SaveSettingValue(id, value);
    }
    void ApplyAll(Values values) {
        for (auto [id, value] : values) ASSERT_EQ(rig.settings.ApplySetting(id, value, 0), 1) << id;
    }
    std::optional<std::uint32_t> Stored(std::u16string_view name) const { return rig.store.ReadDword(name); }
    ControllerRig rig;
    SettingsBlock& block = rig.settings.Block();
};

TEST_F(SettingsTest, FirstStartPutsEveryDefaultInMemoryAndInTheStore) {
    EXPECT_EQ(rig.settings.LoadSettings(), 1);
    const SettingsBlock& b = block;
    EXPECT_EQ(b.shootMode, 6);
    EXPECT_EQ(b.flash, 1);
    EXPECT_EQ(b.timer, 2);
    EXPECT_EQ(b.timerSeconds, 0);
    EXPECT_EQ(b.contShooting, 4);
    EXPECT_EQ(b.imageResolutionIndex, -1);
    EXPECT_EQ(b.videoResolutionIndex, -1);
    EXPECT_EQ(b.date, 3);
    EXPECT_EQ(b.jpgQuality, 1);
    EXPECT_EQ(b.asfQuality, 1);
    EXPECT_EQ(b.wmaQuality, 1);
    EXPECT_EQ(b.imageFileType, 1);
    EXPECT_EQ(b.videoFileType, 1);
    EXPECT_EQ(b.audioFileType, 0);
    EXPECT_EQ(b.brightness, 50);
    EXPECT_EQ(b.contrast, 50);
    EXPECT_EQ(b.whiteBalance, 4);
    EXPECT_EQ(b.penSize, 1);
    EXPECT_EQ(b.penType, 0);
    EXPECT_EQ(b.color, 0);
    EXPECT_EQ(b.filter, 0);
    EXPECT_EQ(b.photoFilter, 0);
    EXPECT_EQ(b.frame, 0);
    EXPECT_EQ(b.sensitivity, 5);
    EXPECT_DOUBLE_EQ(rig.settings.AudioVolume(), 1.0);
    EXPECT_DOUBLE_EQ(rig.settings.PlaybackVolume(), 1.0);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 0);
    EXPECT_EQ(rig.settings.ModeId(), 0);
    EXPECT_EQ(b.videoDev[0], u'\0');

    // Value names are the ids in decimal.
    const std::pair<const char16_t*, std::uint32_t> stored[] = {
        {u"0", 6},    {u"256", 1},  {u"257", 2},  {u"258", 4},    {u"261", 3},   {u"262", 1},
        {u"263", 1},  {u"264", 1},  {u"267", 1},  {u"265", 1},    {u"266", 0},   {u"512", 50},
        {u"513", 50}, {u"514", 4},  {u"4096", 1}, {u"4097", 0},   {u"4098", 0},  {u"1024", 0},
        {u"1025", 0}, {u"1280", 0}, {u"4864", 5}, {u"8192", 100}, {u"8193", 100}};
    for (const auto& [name, value] : stored) EXPECT_EQ(Stored(name), value);
    for (const char16_t* absent : {u"259", u"260", u"8194", u"8448"}) EXPECT_FALSE(Stored(absent).has_value());
    EXPECT_TRUE(rig.EngineLog().empty());  // reading settings calls no engine
}

TEST_F(SettingsTest, EachStartTurnsFlashTimerBurstFilterAndFrameOffWhateverWasStored) {
    Store({{0x100, 0}, {0x101, 1}, {0x102, 2}, {0x400, 5}, {0x401, 2}, {0x500, 3}});
    rig.settings.LoadSettings();
    EXPECT_EQ(block.flash, 1);
    EXPECT_EQ(block.timer, 2);
    EXPECT_EQ(block.contShooting, 4);
    EXPECT_EQ(block.filter, 0);
    EXPECT_EQ(block.photoFilter, 0);
    EXPECT_EQ(block.frame, 0);
    EXPECT_EQ(Stored(u"256"), 1u);
    EXPECT_EQ(Stored(u"258"), 4u);
    EXPECT_EQ(Stored(u"1280"), 0u);
}

TEST_F(SettingsTest, StoredValuesAreReadBackAndImpossibleOnesFallBackInMemoryOnly) {
    Store({{0x000, 2},
           {0x105, 0},
           {0x10A, 2},
           {0x200, 77},
           {0x1002, 0xFF00},
           {0x2000, 29},
           {0x2002, 7},
           {0x2100, 5},
           {0x104, 3}});
    rig.settings.LoadSettings();
    EXPECT_EQ(block.shootMode, 2);
    EXPECT_EQ(block.date, 0);
    EXPECT_EQ(block.audioFileType, 2);
    EXPECT_EQ(block.brightness, 77);
    EXPECT_EQ(block.color, 0xFF00);
    EXPECT_DOUBLE_EQ(rig.settings.AudioVolume(), 0.29);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);  // any non-zero value
    EXPECT_EQ(rig.settings.ModeId(), 5);
    EXPECT_EQ(block.videoResolutionIndex, 3);

    // Values that would index past a table or name no mode.
    Store({{0x000, 9},
           {0x106, 3},
           {0x10B, -1},
           {0x109, 3},
           {0x105, 4},
           {0x2100, 6},
           {0x2000, 250},
           {0x103, -7},
           {0x1300, 11}});
    rig.settings.LoadSettings();
    EXPECT_EQ(block.shootMode, 6);
    EXPECT_EQ(block.jpgQuality, 1);
    EXPECT_EQ(block.imageFileType, 1);
    EXPECT_EQ(block.videoFileType, 1);
    EXPECT_EQ(block.date, 3);
    EXPECT_EQ(rig.settings.ModeId(), 0);
    EXPECT_DOUBLE_EQ(rig.settings.AudioVolume(), 1.0);
    EXPECT_EQ(block.imageResolutionIndex, -1);
    EXPECT_EQ(block.sensitivity, 5);
    EXPECT_EQ(Stored(u"0"), 9u);  // the store keeps what it had
    EXPECT_EQ(Stored(u"262"), 3u);

    // A value of another type counts as missing and gets the default.
    rig.store.PutForeignValue(u"513");
    rig.settings.LoadSettings();
    EXPECT_EQ(block.contrast, 50);
    EXPECT_EQ(Stored(u"513"), 50u);
}

TEST_F(SettingsTest, DeviceNamesComeBackWholeUpTo259Characters) {
    std::u16string name200(200, u'v');
    rig.settings.LoadSettings();
    EXPECT_EQ(rig.settings.SaveSettingString(u"VideoDev", name200), 1);
    EXPECT_EQ(rig.settings.SaveSettingString(u"AudioDev", std::u16string(300, u'a')), 1);
    block.videoDev[0] = u'\0';
    rig.settings.LoadSettings();
    EXPECT_EQ(std::u16string(block.videoDev), name200);
    EXPECT_EQ(std::u16string(block.audioDev), std::u16string(259, u'a'));

    // Without the key the names stay as they are, and are not written.
    CMemorySettingsStore empty;
    CControllerSettings other(rig.engine, empty, rig.callbacks, u"C:\\Vimbrel");
    other.Block().audioDev[0] = u'X';
    other.Block().audioDev[1] = u'\0';
    EXPECT_EQ(other.SaveSettingString(u"VideoDev", u"Cam"), 0);
    empty.failWrites = true;
    EXPECT_EQ(other.LoadSettings(), 1);
    EXPECT_EQ(std::u16string(other.Block().audioDev), u"X");
    EXPECT_EQ(other.SaveSettingValue(0x100, 1), 0);
    int untouched = 42;
    EXPECT_EQ(other.LoadSettingValue(0x100, &untouched), 0);
    EXPECT_EQ(untouched, 42);
    EXPECT_EQ(other.LoadSettingValue(0x100, nullptr), 0);
}

TEST_F(SettingsTest, MicrophoneVolumeIsStoredInTruncatedHundredthsAndHeardByListeners) {
    rig.settings.LoadSettings();
    rig.ClearLogs();
    EXPECT_EQ(rig.settings.SetAudioVolume(0.29), 1);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetAudioVolume(0.29)"}));
    EXPECT_EQ(Stored(u"8192"), 28u);  // 0.29 x 100 is just below 29
    EXPECT_EQ(rig.callbacks.calls, (std::vector<std::string>{"Notify(0,28,1)"}));

    rig.Script("refuse=SetAudioVolume");
    rig.callbacks.calls.clear();
    EXPECT_EQ(rig.settings.SetAudioVolume(0.5), 0);
    EXPECT_EQ(Stored(u"8192"), 28u);
    EXPECT_EQ(rig.callbacks.calls, (std::vector<std::string>{"Notify(0,0,0)"}));

    rig.Script("audio_volume=0.25");
    EXPECT_EQ(rig.settings.SetAudioVolume(1.01), 0);
    EXPECT_EQ(rig.settings.SetAudioVolume(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(rig.settings.SetAudioVolume(-0.01), 0);
    EXPECT_EQ(rig.settings.SetAudioVolume(1.0), 1);
    EXPECT_EQ(rig.EngineLog(), (std::vector<std::string>{"SetAudioVolume(1)"}));
    EXPECT_DOUBLE_EQ(rig.settings.GetAudioVolume(), 1.0);
    rig.Script("refuse=GetAudioVolume");
    EXPECT_DOUBLE_EQ(rig.settings.GetAudioVolume(), -1.0);
    rig.AttachFake({"GetAudioVolume"});
    EXPECT_DOUBLE_EQ(rig.settings.GetAudioVolume(), 0.0);
    rig.engine.Attach(nullptr, FakeEngineApi());
    EXPECT_DOUBLE_EQ(rig.settings.GetAudioVolume(), -1.0);
}

TEST_F(SettingsTest, PlaybackVolumeIsStoredWithoutTellingListeners) {
    rig.settings.LoadSettings();
    rig.ClearLogs();
    EXPECT_EQ(rig.settings.SetPlaybackVolume(0.5), 1);
    EXPECT_EQ(Stored(u"8193"), 50u);
    EXPECT_TRUE(rig.callbacks.calls.empty());
    double volume = 0;
    EXPECT_EQ(rig.settings.GetPlaybackVolume(&volume), 1);
    EXPECT_DOUBLE_EQ(volume, 0.5);
    EXPECT_EQ(rig.settings.GetPlaybackVolume(nullptr), 0);
    rig.Script("refuse=SetPlaybackVolume");
    EXPECT_EQ(rig.settings.SetPlaybackVolume(0.7), 0);
    EXPECT_EQ(Stored(u"8193"), 50u);
}

TEST_F(SettingsTest, RestoringDefaultsResetsTheEngineButKeepsStoredBrightnessAndContrast) {
    rig.Script("video_devices=Cam;formats=640x480|320x240|160x120;ranges=0:0:255:40|1:0:255:128");
    rig.settings.LoadSettings();
    ASSERT_EQ(rig.devices.StartEngine(reinterpret_cast<EngineWindow>(1)), 1);
    ASSERT_EQ(rig.settings.ApplySetting(kSettingVideoResolution, 2, 0), 1);  // 640 wide
    ASSERT_EQ(rig.settings.ApplySetting(kSettingImageResolution, 0, 0), 1);  // 160 wide
    ApplyAll({{0x000, 2}, {0x105, 1}, {0x106, 0}, {0x400, 3}, {0x200, 80}, {0x201, 90}, {0x1300, 9}, {0x202, 1}});
    rig.ClearLogs();

    EXPECT_EQ(rig.settings.ApplySetting(kSettingDefault, 0, 0), 1);
    EXPECT_EQ(block.shootMode, 6);
    EXPECT_EQ(block.date, 3);
    EXPECT_EQ(block.jpgQuality, 1);
    EXPECT_EQ(block.filter, 0);
    EXPECT_EQ(block.sensitivity, 5);
    EXPECT_EQ(block.whiteBalance, 4);
    // Lists: 160, 320, 640 in both. Video at 320 and, in ModeId 0, applied.
    EXPECT_EQ(block.videoResolutionIndex, 1);
    EXPECT_EQ(block.imageResolutionIndex, 2);
    EXPECT_EQ(block.imageWidth, 640);
    auto log = rig.EngineLog();
    EXPECT_TRUE(Contains(log, "SetVideoFormat(1,0)"));
    EXPECT_FALSE(Contains(log, "SetVideoFormat(0,0)"));  // the image size is not applied
    for (const char* call :
         {"SetShootMode(6)", "SetJPGQuality(75)", "SetVideoQuality(0,40)", "SetVideoQuality(1,128)", "SetEffect(0)",
          "SetFrame(null)", "SetSensitivity(5)", "SetVideoBitrate(1)", "SetAudioFileFormat(0)"})
        EXPECT_TRUE(Contains(log, call)) << call;
    EXPECT_EQ(block.brightness, 80);
    EXPECT_EQ(block.contrast, 90);
    EXPECT_EQ(Stored(u"512"), 80u);
    EXPECT_EQ(Stored(u"513"), 90u);
    EXPECT_EQ(Stored(u"259"), 2u);

    // In image mode the image size is applied instead (640 x 480 is format 0).
    rig.settings.SetModeId(3);
    rig.ClearLogs();
    rig.settings.RestoreDefaults();
    EXPECT_TRUE(Contains(rig.EngineLog(), "SetVideoFormat(0,0)"));
    EXPECT_FALSE(Contains(rig.EngineLog(), "SetVideoFormat(1,0)"));
}

TEST_F(SettingsTest, AStartedEngineGetsTheStoredValues) {
    Store({{0x107, 3},
           {0x108, 0},
           {0x109, 2},
           {0x10A, 1},
           {0x10B, 4},
           {0x106, 2},
           {0x105, 2},
           {0x2000, 40},
           {0x2001, 60}});
    rig.settings.LoadSettings();
    rig.ClearLogs();
    EXPECT_EQ(rig.settings.ReapplySettings(), 1);
    EXPECT_EQ(rig.EngineLog(),
              (std::vector<std::string>{"SetVideoBitrate(3)", "SetAudioBitrate(0)", "SetVideoFileFormat(2)",
                                        "SetAudioFileFormat(1)", "SetImageFileFormat(4)", "SetJPGQuality(50)",
                                        "SetAudioVolume(0.4)", "SetPlaybackVolume(0.6)"}));
    EXPECT_EQ(rig.callbacks.calls[0], "UpdateDateOverlay(2)");
}

}  // namespace
