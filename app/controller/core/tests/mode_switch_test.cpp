// The start of the controller on the saved mode, the mode panels, and the
// switch between modes: what each mode shows, what it stops, what the
// engine is told and what is stored.
#include "ControllerTestRig.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;
using Lines = std::vector<std::string>;

namespace {

// Made for the rig's camera (640x480, 320x240, 1280x1024 as formats 0, 1,
// 2): the picture list is 320, 640, 1280 wide and the recording list 320,
// 640; a first start picks 640x480 (format 0) for pictures and 320x240
// (format 1) for recordings.
constexpr const char* kPictureFormat = "SetVideoFormat(0,0)";
constexpr const char* kRecordingFormat = "SetVideoFormat(1,0)";

Lines ShowOnly(int panel) {
    Lines lines;
    for (int i = 0; i < kModeCount; ++i)
        lines.push_back("Show(p" + std::to_string(i) + "," + (i == panel ? "1" : "0") + ")");
    return lines;
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(ModePanelsTest, AllSixAreNeededAndStartWithNothingToStop) {
    CameraControllerRig rig;
    auto panels = CameraControllerRig::Panels();
    panels[4] = nullptr;
    EXPECT_EQ(rig.controller.SetModePanels(panels), 0);
    EXPECT_TRUE(rig.ports.calls.empty());
    EXPECT_EQ(rig.controller.EnablePanelButton(0, Key(Button::Stop), 1), 0);

    rig.controller.Engine().Attach(&rig.moduleToken, FakeEngineApi());
    rig.Store(kSettingMicrophoneVolume, 40);
    rig.controller.Engine().videoDeviceCount = 1;
    rig.controller.Engine().audioDeviceCount = 1;
    ASSERT_EQ(rig.controller.SetModePanels(CameraControllerRig::Panels()), 1);
    EXPECT_EQ(rig.ports.calls, Join({{"Enable(p0,003232,0)", "Enable(p1,003232,0)", "Enable(p2,003232,0)",
                                      "Enable(p5,003232,0)", "Enable(p4,0096C8,0)"},
                                     ShowOnly(0)}));
    EXPECT_EQ(rig.EngineLog(), Lines{"SetAudioVolume(0.4)"});
    // Panel numbers outside 0..5 reach no window.
    EXPECT_EQ(rig.controller.EnablePanelButton(6, Key(Button::Stop), 1), 0);
    EXPECT_EQ(rig.controller.SetPanelToggle(0, Key(Button::CaptureVideo), 2), 0);
}

TEST(ModePanelsTest, ModesWithoutTheirDeviceAreDisabled) {
    CameraControllerRig noCamera("audio_devices=Mic");
    noCamera.StartUp();
    noCamera.controller.SetModePanels(CameraControllerRig::Panels());
    EXPECT_EQ(noCamera.Calls("DisableAll"),
              (Lines{"DisableAll(p0)", "DisableAll(p1)", "DisableAll(p3)", "DisableAll(p5)"}));

    CameraControllerRig noMicrophone("video_devices=Cam;formats=640x480");
    noMicrophone.StartUp();
    noMicrophone.controller.SetModePanels(CameraControllerRig::Panels());
    EXPECT_EQ(noMicrophone.Calls("DisableAll"), (Lines{"DisableAll(p0)", "DisableAll(p2)"}));
}

TEST(ControllerStartTest, SavedVideoModeOnlySetsTheRecordingFormat) {
    CameraControllerRig rig;
    rig.controller.InitLook(1033);
    rig.controller.Settings().LoadSettings();
    rig.controller.Engine().Attach(&rig.moduleToken, FakeEngineApi());
    rig.controller.StartEngine(FakeWindow(kPreview));
    rig.ClearLogs();
    EXPECT_EQ(rig.controller.Start(), 1);
    EXPECT_EQ(rig.EngineLog(), Lines{kRecordingFormat});
    EXPECT_EQ(rig.controller.IsStarted(), 1);
}

TEST(ControllerStartTest, SavedImageModeIsShownAndHandedToTheEngine) {
    CameraControllerRig rig;
    rig.Store(kSettingModeId, 3);
    rig.controller.InitLook(1033);
    rig.controller.Settings().LoadSettings();
    rig.controller.Engine().Attach(&rig.moduleToken, FakeEngineApi());
    rig.controller.StartEngine(FakeWindow(kPreview));
    rig.controller.SetPhotoCanvas(FakeWindow(kCanvas));
    rig.controller.CreateFunctionPanel(FakeWindow(kMain), {});
    rig.controller.CreateModeWheel(FakeWindow(kMain), {});
    rig.controller.CreateStatusOverlay(FakeWindow(kMain), {}, 0);
    rig.controller.SetBrowseWindow(FakeWindow(kTabs), u"I", u"V", u"A", u"M");
    rig.controller.SetModePanels(CameraControllerRig::Panels());
    rig.controller.CreateModePicture(FakeWindow(kMain), {});
    rig.ClearLogs();

    ASSERT_EQ(rig.controller.Start(), 1);
    EXPECT_EQ(rig.EngineLog(), (Lines{kPictureFormat, "SetMode(3)", kPictureFormat}));
    EXPECT_EQ(rig.ports.calls,
              Join({{"ClearLastDateText", "SetWheelMode(3,0)", "ShowModePicture(3)", "Show(preview,1)",
                     "Show(canvas,0)", "SelectBrowseTab(0)", "SetFunctionPanelMode(3)", "Send(overlay,0x4C8,3,0)"},
                    ShowOnly(3),
                    {"ClearLastDateText"}}));
    EXPECT_EQ(rig.controller.IsStarted(), 1);
}

TEST(ControllerStartTest, SavedBrowseModeOpensThePictureTabWithSaveAsOff) {
    CameraControllerRig rig;
    rig.Store(kSettingModeId, 4);
    ASSERT_EQ(rig.StartUp(), 1);
    rig.ClearLogs();
    rig.controller.Start();
    Lines calls = rig.ports.calls;
    auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
    EXPECT_LT(at("Show(preview,0)"), at("Show(canvas,1)"));
    EXPECT_LT(at("SelectBrowseTab(0)"), at("ShowMediaFile(null,-1)"));
    EXPECT_LT(at("ShowMediaFile(null,-1)"), at("Enable(p4,0064C8,0)"));
    EXPECT_LT(at("Enable(p4,0064C8,0)"), static_cast<long>(calls.size()));
    // Browsing changes no format.
    EXPECT_EQ(rig.EngineLog(), (Lines{kPictureFormat, "SetMode(4)"}));
}

TEST(ControllerStartTest, EngineRefusingTheSavedModeLeavesTheControllerUnstarted) {
    CameraControllerRig rig;
    rig.Store(kSettingModeId, 5);
    rig.controller.Settings().LoadSettings();
    rig.controller.Engine().Attach(&rig.moduleToken, FakeEngineApi());
    rig.controller.StartEngine(FakeWindow(kPreview));
    rig.Refuse("SetMode");
    EXPECT_EQ(rig.controller.Start(), 0);
    EXPECT_EQ(rig.controller.IsStarted(), 0);
}

using SetModeTest = StartedControllerTest;

TEST_F(SetModeTest, TheCurrentModeAnswersOneAndStopsNothing) {
    EXPECT_EQ(rig.controller.SetMode(0), 1);
    EXPECT_TRUE(rig.ports.calls.empty());
    EXPECT_TRUE(rig.EngineLog().empty());
    EXPECT_EQ(rig.controller.SetMode(6), 0);
    EXPECT_EQ(rig.controller.SetMode(-1), 0);
    EXPECT_EQ(rig.controller.GetMode(), 0);
}

TEST_F(SetModeTest, ImageModeShowsTheLivePictureAndPanelThreeAndIsStored) {
    ASSERT_EQ(rig.controller.SetMode(3), 1);
    EXPECT_EQ(rig.ports.calls, Join({{"StopPlayback", "ShowModePicture(3)", "Show(preview,1)", "Show(canvas,0)",
                                      "SetFunctionPanelMode(3)", "SelectBrowseTab(0)", "Send(overlay,0x4C8,3,0)"},
                                     ShowOnly(3),
                                     {"ClearLastDateText"}}));
    EXPECT_EQ(rig.EngineLog(), (Lines{"SetMode(3)", kPictureFormat}));
    EXPECT_EQ(rig.Stored(kSettingModeId), 3u);
    EXPECT_EQ(rig.controller.GetMode(), 3);
}

TEST_F(SetModeTest, AudioAndBrowseShowTheCanvasWithoutEffectOrFrame) {
    ASSERT_EQ(rig.controller.SetMode(2), 1);
    EXPECT_EQ(rig.Calls("Show(preview"), Lines{"Show(preview,0)"});
    EXPECT_EQ(rig.Calls("Show(canvas"), Lines{"Show(canvas,1)"});
    EXPECT_EQ(rig.Calls("ShowAudioPicture").size(), 1u);
    EXPECT_EQ(rig.Calls("SelectBrowseTab"), Lines{"SelectBrowseTab(2)"});
    EXPECT_EQ(rig.EngineLog(), (Lines{"SetEffect(0)", "SetFrame(null)", "SetMode(2)"}));

    rig.ClearLogs();
    ASSERT_EQ(rig.controller.SetMode(4), 1);
    EXPECT_EQ(rig.Calls("ShowMediaFile"), Lines{"ShowMediaFile(null,-1)"});
    EXPECT_EQ(rig.Calls("Enable"), Lines{"Enable(p4,0064C8,0)"});
    // The tab strip stays on the user's tab.
    EXPECT_TRUE(rig.Calls("SelectBrowseTab").empty());
    EXPECT_EQ(rig.EngineLog(), (Lines{"SetEffect(0)", "SetFrame(null)", "SetMode(4)"}));
}

TEST_F(SetModeTest, TheLiveFilterComesBackWithTheCameraModes) {
    ASSERT_EQ(rig.controller.ApplySetting(kSettingFilter, 2, 0), 1);
    ASSERT_EQ(rig.controller.SetMode(5), 1);
    ASSERT_EQ(rig.controller.SetMode(1), 1);
    rig.ClearLogs();
    ASSERT_EQ(rig.controller.SetMode(0), 1);
    // Live filter entry 2 is effect 5; no frame was chosen.
    EXPECT_EQ(rig.EngineLog(), (Lines{"SetEffect(5)", "SetMode(0)", kRecordingFormat}));
}

TEST_F(SetModeTest, RefusedEngineModeKeepsTheNewModeButDoesNotStoreIt) {
    rig.Refuse("SetMode");
    EXPECT_EQ(rig.controller.SetMode(3), 0);
    EXPECT_EQ(rig.controller.GetMode(), 3);
    EXPECT_NE(rig.Stored(kSettingModeId), 3u);
}

TEST_F(SetModeTest, LeavingMonitorWhileWatchingStopsTheMonitorBeforeTheEngineModeChanges) {
    ASSERT_EQ(rig.controller.SetMode(5), 1);
    ASSERT_EQ(rig.controller.StartMonitor(), 1);
    rig.ClearLogs();
    ASSERT_EQ(rig.controller.SetMode(3), 1);
    Lines engine = rig.EngineLog();
    ASSERT_GE(engine.size(), 2u);
    EXPECT_EQ(engine[0], "StopMonitor()");
    EXPECT_EQ(engine[1], "SetMode(3)");
    EXPECT_EQ(rig.controller.GetCaptureState(), kCaptureIdle);
    // The date overlay goes back to the Date setting (3, off), and panel 5
    // offers the start again.
    EXPECT_EQ(rig.Calls("UpdateDateOverlay"), Lines{"UpdateDateOverlay(3)"});
    EXPECT_EQ(rig.Calls("Enable"), (Lines{"Enable(p5,003232,0)", "Enable(p5,009664,1)"}));
}

TEST_F(SetModeTest, LeavingARecordingEndsItRefreshesTheVideosAndResetsThePanel) {
    ASSERT_EQ(rig.controller.StartVideoRecording(), 1);
    rig.ClearLogs();
    ASSERT_EQ(rig.controller.SetMode(2), 1);
    Lines engine = rig.EngineLog();
    ASSERT_FALSE(engine.empty());
    EXPECT_EQ(engine[0], "CaptureAV(null)");
    EXPECT_EQ(rig.Calls("Send(tabs"), Lines{"Send(tabs,0x4DC,0,0)"});
    EXPECT_EQ(rig.Calls("Reset"), Lines{"Reset(p0)"});
    EXPECT_EQ(rig.controller.GetCaptureState(), kCaptureIdle);
}

TEST_F(SetModeTest, ARefusedStopCarriesNoCaptureStateIntoTheNewMode) {
    ASSERT_EQ(rig.controller.StartAudioRecording(), 0);  // not in Mode_Audio
    ASSERT_EQ(rig.controller.SetMode(2), 1);
    ASSERT_EQ(rig.controller.StartAudioRecording(), 1);
    rig.Refuse("CaptureAudio");
    ASSERT_EQ(rig.controller.SetMode(3), 1);
    EXPECT_EQ(rig.controller.GetCaptureState(), kCaptureIdle);
}

}  // namespace
