// ApplySetting, GetSetting and CopySettings: ranges, what reaches the
// engine or the photo canvas, what is stored, and the live effect and
// frame entries.
#include "EngineTestDoubles.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;

namespace {

class ApplySettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.AttachFake();
        rig.settings.LoadSettings();
        rig.ClearLogs();
    }
    int Apply(int id, int value, int apply = 0) { return rig.settings.ApplySetting(id, value, apply); }
    int Get(int id) {
        int value = -999;
        EXPECT_EQ(rig.settings.GetSetting(id, &value), 1) << id;
        return value;
    }
    std::vector<std::string> Log() { return rig.EngineLog(); }
    ControllerRig rig;
    SettingsBlock& block = rig.settings.Block();
};

TEST_F(ApplySettingTest, WithoutTheEngineOrWithANegativeIdNothingIsAppliedOrStored) {
    CMemorySettingsStore store;
    CEngineBinding unloaded(rig.callbacks, rig.codePage);
    CControllerSettings settings(unloaded, store, rig.callbacks, u"C:\\Vimbrel");
    EXPECT_EQ(settings.ApplySetting(kSettingFlash, 0, 0), 0);
    EXPECT_EQ(settings.ApplySetting(kSettingDefault, 0, 0), 0);
    EXPECT_FALSE(store.Has(u"256"));
    EXPECT_EQ(Apply(-1, 0), 0);
    EXPECT_EQ(Apply(0x999, 1), 0);  // no such setting
    EXPECT_FALSE(rig.store.Has(u"2457"));
    EXPECT_TRUE(rig.callbacks.calls.empty());
}

TEST_F(ApplySettingTest, TheSelfTimerSetsItsSecondsAndRefusesAFourthChoice) {
    EXPECT_EQ(Apply(kSettingTimer, 1), 1);
    EXPECT_EQ(block.timer, 1);
    EXPECT_EQ(block.timerSeconds, 10);
    EXPECT_EQ(Apply(kSettingTimer, 0), 1);
    EXPECT_EQ(block.timerSeconds, 5);
    EXPECT_EQ(Apply(kSettingTimer, 2), 1);
    EXPECT_EQ(block.timerSeconds, 0);
    EXPECT_EQ(Apply(kSettingTimer, 3), 0);
    EXPECT_EQ(block.timer, 2);
    EXPECT_EQ(rig.Stored(kSettingTimer), 2u);  // a refused value is not stored
    EXPECT_EQ(rig.callbacks.Count("RefreshOverlay"), 3);
}

TEST_F(ApplySettingTest, RangesOfTheListSettings) {
    struct Case {
        int id, lastGood;
    };
    for (Case c : {Case{0x000, 6},
                   {0x100, 1},
                   {0x102, 4},
                   {0x105, 3},
                   {0x106, 2},
                   {0x107, 3},
                   {0x108, 3},
                   {0x109, 2},
                   {0x10A, 2},
                   {0x10B, 4},
                   {0x202, 4},
                   {0x400, 15},
                   {0x401, 15},
                   {0x500, 15},
                   {0x1300, 10}}) {
        EXPECT_EQ(Apply(c.id, c.lastGood), 1) << c.id;
        EXPECT_EQ(Get(c.id), c.lastGood) << c.id;
        EXPECT_EQ(Apply(c.id, c.lastGood + 1), 0) << c.id;
        EXPECT_EQ(Apply(c.id, -1), 0) << c.id;
        EXPECT_EQ(Get(c.id), c.lastGood) << c.id;
        EXPECT_EQ(rig.Stored(c.id), static_cast<std::uint32_t>(c.lastGood)) << c.id;
    }
}

TEST_F(ApplySettingTest, EngineCallsOfTheQualityAndFileSettings) {
    EXPECT_EQ(Apply(kSettingJpgQuality, 2), 1);
    EXPECT_EQ(Apply(kSettingJpgQuality, 0), 1);
    EXPECT_EQ(Apply(kSettingAsfQuality, 3), 1);
    EXPECT_EQ(Apply(kSettingWmaQuality, 0), 1);
    EXPECT_EQ(Apply(kSettingVideoFileType, 2), 1);
    EXPECT_EQ(Apply(kSettingAudioFileType, 1), 1);
    EXPECT_EQ(Apply(kSettingImageFileType, 4), 1);
    EXPECT_EQ(Apply(kSettingBrightness, -5), 1);  // any value
    EXPECT_EQ(Apply(kSettingContrast, 300), 1);
    EXPECT_EQ(Apply(kSettingShootMode, 3), 1);
    EXPECT_EQ(Apply(kSettingSensitivity, 10), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetJPGQuality(50)", "SetJPGQuality(90)", "SetVideoBitrate(3)",
                                               "SetAudioBitrate(0)", "SetVideoFileFormat(2)", "SetAudioFileFormat(1)",
                                               "SetImageFileFormat(4)", "SetVideoQuality(0,-5)",
                                               "SetVideoQuality(1,300)", "SetShootMode(3)", "SetSensitivity(10)"}));
    EXPECT_EQ(rig.callbacks.Count("RelayoutFunctionPanel"), 3);
    EXPECT_EQ(Get(kSettingBrightness), -5);
    EXPECT_EQ(rig.Stored(kSettingContrast), 300u);

    // The flash, burst and white balance only change the record.
    rig.ClearLogs();
    EXPECT_EQ(Apply(kSettingFlash, 0), 1);
    EXPECT_EQ(Apply(kSettingContShooting, 1), 1);
    EXPECT_EQ(Apply(kSettingWhiteBalance, 2), 1);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(Apply(kSettingDate, 2), 1);
    EXPECT_EQ(rig.callbacks.Count("UpdateDateOverlay(2)"), 1);
}

TEST_F(ApplySettingTest, ResolutionsTakeTheirListEntryAndIgnoreIndexesOutsideIt) {
    rig.Script("video_devices=Cam;formats=640x480|320x240|800x600");
    ASSERT_EQ(rig.devices.BuildResolutionLists(0), 1);  // image 320, 640, 800; video 320, 640
    rig.ClearLogs();
    EXPECT_EQ(Apply(kSettingImageResolution, 2, 1), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetVideoFormat(2,0)"}));
    EXPECT_EQ(block.imageResolutionIndex, 2);
    EXPECT_EQ(block.imageWidth, 800);
    EXPECT_EQ(block.imageHeight, 600);
    EXPECT_EQ(rig.Stored(kSettingImageResolution), 2u);

    rig.ClearLogs();
    EXPECT_EQ(Apply(kSettingImageResolution, 3, 1), 1);  // the list holds three
    EXPECT_EQ(Apply(kSettingVideoResolution, -1, 1), 1);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(block.imageResolutionIndex, 2);
    EXPECT_EQ(block.imageWidth, 800);
    EXPECT_EQ(rig.Stored(kSettingImageResolution), 2u);

    EXPECT_EQ(Apply(kSettingVideoResolution, 1, 0), 1);  // apply 0: no format change
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(block.videoWidth, 640);
    EXPECT_EQ(Get(kSettingVideoResolution), 1);
}

TEST_F(ApplySettingTest, LiveFilterAndFrameReplaceEachOther) {
    EXPECT_EQ(Apply(kSettingFilter, 3), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetEffect(11)"}));
    EXPECT_EQ(rig.settings.LiveEffectEntry(), 3);
    EXPECT_EQ(rig.settings.LiveFrameEntry(), 0);

    rig.ClearLogs();
    EXPECT_EQ(Apply(kSettingFrame, 5), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetFrame(\"C:\\Vimbrel\\PhotoFrame\\frame5.png\")"}));
    EXPECT_EQ(rig.settings.LiveFrameEntry(), 5);
    EXPECT_EQ(rig.settings.LiveEffectEntry(), 0);
    // The record says what the picture shows: the effect is gone.
    EXPECT_EQ(Get(kSettingFilter), 0);
    EXPECT_EQ(rig.Stored(kSettingFilter), 0u);
    EXPECT_EQ(Get(kSettingFrame), 5);
    // And back: an effect takes the frame's place.
    EXPECT_EQ(Apply(kSettingFilter, 2), 1);
    EXPECT_EQ(Get(kSettingFrame), 0);
    EXPECT_EQ(rig.Stored(kSettingFrame), 0u);
    EXPECT_EQ(rig.settings.LiveFrameEntry(), 0);
    EXPECT_EQ(Apply(kSettingFrame, 5), 1);

    // In browse mode the frame goes to the photo, the live picture keeps its own.
    rig.settings.SetModeId(4);
    rig.ClearLogs();
    EXPECT_EQ(Apply(kSettingFrame, 7), 1);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(rig.callbacks.Count("SetPhotoFrame(7)"), 1);
    EXPECT_EQ(rig.settings.LiveFrameEntry(), 5);
    EXPECT_EQ(Apply(kSettingPhotoFilter, 9), 1);
    EXPECT_EQ(rig.callbacks.Count("ApplyPhotoEffect(9)"), 1);
    EXPECT_TRUE(Log().empty());
}

TEST_F(ApplySettingTest, FilterEntriesMapToTheEffectIds) {
    // Entry n -> effect id, as the filter numbers its effects.
    const int expected[] = {0, 4, 5, 11, 17, 16, 19, 9, 21, 7, 18, 14, 12, 15, 26, 20};
    for (int entry = 0; entry < 16; ++entry) {
        rig.ClearLogs();
        EXPECT_EQ(rig.settings.SetEffect(entry), 1);
        EXPECT_EQ(Log(), (std::vector<std::string>{"SetEffect(" + std::to_string(expected[entry]) + ")"}));
    }
    rig.ClearLogs();
    rig.settings.SetEffect(16);
    rig.settings.SetEffect(-2);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetEffect(0)", "SetEffect(0)"}));
    EXPECT_EQ(rig.settings.SetFrame(16), 0);
    EXPECT_EQ(rig.settings.SetFrame(15), 1);
    EXPECT_EQ(rig.settings.SetFrame(0), 1);
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"SetEffect(0)", "SetEffect(0)",
                                        "SetFrame(\"C:\\Vimbrel\\PhotoFrame\\frame15.png\")", "SetFrame(null)"}));
}

TEST_F(ApplySettingTest, FaceGoesToTheEngineWhenItCanAndIsNotKept) {
    EXPECT_EQ(Apply(kSettingFace, 4), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetFace(4)"}));
    EXPECT_EQ(Get(kSettingFace), 0);
    EXPECT_EQ(Apply(kSettingFace, 11), 0);
    rig.Script("refuse=SetFace");
    EXPECT_EQ(Apply(kSettingFace, 2), 0);
    rig.AttachFake({"SetFace"});
    EXPECT_EQ(Apply(kSettingFace, 2), 0);
}

TEST_F(ApplySettingTest, PenStampAndColourDriveTheCanvas) {
    EXPECT_EQ(Apply(kSettingStamp, 3), 1);
    EXPECT_EQ(Get(kSettingPenType), 1);
    EXPECT_EQ(Apply(kSettingPenSize, 2), 1);
    EXPECT_EQ(Get(kSettingPenType), 0);
    EXPECT_EQ(Apply(kSettingPenSize, 9), 1);  // any value; no width for it
    EXPECT_EQ(Get(kSettingPenSize), 9);
    EXPECT_EQ(Apply(kSettingColor, 0x00FF00), 1);
    EXPECT_EQ(Apply(kSettingStamp, 0), 1);
    EXPECT_EQ(rig.callbacks.calls,
              (std::vector<std::string>{"SetCanvasTool(1)", "SetStamp(3)", "RefreshOverlay", "SetCanvasPenWidth(4)",
                                        "SetCanvasTool(0)", "RefreshOverlay", "SetCanvasTool(0)", "RefreshOverlay",
                                        "SetPenColor(65280)", "RefreshOverlay", "SetCanvasTool(0)", "RefreshOverlay"}));
    EXPECT_EQ(Get(kSettingColor), 0x00FF00);
    EXPECT_TRUE(Log().empty());
    int value = 7;
    EXPECT_EQ(rig.settings.GetSetting(kSettingStamp, &value), 0);
    EXPECT_EQ(rig.settings.GetSetting(kSettingPrint, &value), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(rig.settings.GetSetting(kSettingFlash, nullptr), 0);
}

TEST_F(ApplySettingTest, MirrorIsStoredAsGivenAndCallsTheEngineOnlyOnAChange) {
    EXPECT_EQ(Apply(kSettingMirror, 5), 1);
    EXPECT_EQ(rig.Stored(kSettingMirror), 5u);
    EXPECT_EQ(rig.engine.GetMirrorMode(), 1);
    EXPECT_EQ(Apply(kSettingMirror, 1), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"SetMirrorMode(1)"}));
}

TEST_F(ApplySettingTest, CopySettingsHandsOutTheWholeRecord) {
    Apply(kSettingDate, 1);
    rig.settings.SaveSettingString(u"VideoDev", u"Cam");
    rig.settings.LoadSettings();
    SettingsBlock copy{};
    EXPECT_EQ(rig.settings.CopySettings(&copy), 1);
    EXPECT_EQ(copy.date, 1);
    EXPECT_EQ(copy.flash, 1);
    EXPECT_EQ(std::u16string(copy.videoDev), u"Cam");
    EXPECT_EQ(rig.settings.CopySettings(nullptr), 0);
}

}  // namespace
