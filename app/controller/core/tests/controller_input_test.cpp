// The browse and window keys, releases, sliders and their listeners, the
// zoom and its ladder, the motion alarm's clock, the look tables and the
// end of the controller.
#include <cmath>
#include <limits>

#include "ControllerTestRig.h"
#include "ZoomSteps.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;
using Lines = std::vector<std::string>;

namespace {

using ControllerInputTest = StartedControllerTest;

TEST_F(ControllerInputTest, NavigationKeysAskAboutAnEditedPictureFirst) {
    EnterMode(kModeBrowse);
    const Button keys[] = {Button::FirstItem, Button::PreviousItem, Button::NextItem, Button::LastItem};
    for (Button key : keys) EXPECT_EQ(rig.controller.OnButton(Key(key)), 1);
    EXPECT_EQ(rig.ports.calls, (Lines{"QuerySaveModified", "Navigate(0)", "QuerySaveModified", "Navigate(1)",
                                      "QuerySaveModified", "Navigate(2)", "QuerySaveModified", "Navigate(3)"}));
    rig.ports.calls.clear();
    rig.ports.saveAnswer = 2;  // cancel keeps the current item
    rig.controller.OnButton(Key(Button::NextItem));
    EXPECT_EQ(rig.ports.calls, Lines{"QuerySaveModified"});
    rig.ports.calls.clear();
    rig.ports.saveAnswer = 1;  // saved: go on
    rig.controller.OnButton(Key(Button::LastItem));
    EXPECT_EQ(rig.ports.calls, (Lines{"QuerySaveModified", "Navigate(3)"}));
}

TEST_F(ControllerInputTest, FileActionKeysLetGoOfTheMouseBeforeTheirDialogs) {
    EnterMode(kModeBrowse);
    for (Button key :
         {Button::SaveAs, Button::Mail, Button::Print, Button::SlideShow, Button::PlayPause, Button::StopPlaying})
        rig.controller.OnButton(Key(key));
    EXPECT_EQ(rig.ports.calls,
              (Lines{"ReleaseCapture", "SaveModifiedPhoto", "ReleaseCapture", "MailSelected", "ReleaseCapture",
                     "PrintSelected", "StartSlideShow", "PlayPause", "StopPlayback"}));
}

TEST_F(ControllerInputTest, UnknownKeysAndWindowKeysDoNothingOnPress) {
    for (std::uint32_t key :
         {0x123456u, Key(Button::Minimize), Key(Button::Close), Key(Button::MicrophoneVolume), Key(Button::Search)})
        EXPECT_EQ(rig.controller.OnButton(key), 1);
    EXPECT_TRUE(rig.ports.calls.empty());
    EXPECT_TRUE(rig.EngineLog().empty());
}

TEST_F(ControllerInputTest, ReleasesMinimizeAndCloseUnlessTheUserCancels) {
    EXPECT_EQ(rig.controller.OnButtonUp(Key(Button::Minimize)), 1);
    EXPECT_EQ(rig.ports.calls, Lines{"Minimize(main)"});
    rig.ports.calls.clear();
    rig.ports.saveAnswer = 2;
    rig.controller.OnButtonUp(Key(Button::Close));
    EXPECT_EQ(rig.ports.calls, Lines{"QuerySaveModified"});
    rig.ports.calls.clear();
    rig.ports.saveAnswer = 7;
    rig.controller.OnButtonUp(Key(Button::Close));
    EXPECT_EQ(rig.ports.calls, (Lines{"QuerySaveModified", "Close(main)"}));
    rig.ports.calls.clear();
    rig.controller.OnButtonUp(Key(Button::Stop));
    EXPECT_TRUE(rig.ports.calls.empty());
}

TEST_F(ControllerInputTest, AboutBoxOpensOverTheMainWindowOnceTheMouseIsFree) {
    EXPECT_EQ(rig.controller.ShowAbout(), 1);
    EXPECT_EQ(rig.ports.calls, (Lines{"ReleaseCapture", "ShowAbout(main)"}));

    // Before the main window is known there is no owner to show it over.
    CameraControllerRig early;
    EXPECT_EQ(early.controller.ShowAbout(), 0);
    EXPECT_TRUE(early.ports.calls.empty());
}

TEST_F(ControllerInputTest, SliderPositionsFromZeroToOneReachTheirTargets) {
    EXPECT_EQ(rig.controller.OnSliderChanged(Key(Button::MicrophoneVolume), 1.0), 1);
    EXPECT_EQ(rig.controller.OnSliderChanged(Key(Button::Search), 0.555), 1);
    EXPECT_EQ(rig.controller.OnSliderChanged(Key(Button::PlaybackVolume), 0.25), 1);
    EXPECT_EQ(rig.controller.OnSliderChanged(Key(Button::MicrophoneVolume), 0.0), 1);
    EXPECT_EQ(rig.EngineLog(), (Lines{"SetAudioVolume(1)", "SetPlaybackVolume(0.25)", "SetAudioVolume(0)"}));
    EXPECT_EQ(rig.ports.calls, Lines{"SetPlaybackPosition(55)"});

    rig.ClearLogs();
    const double refused[] = {1.01, -0.01, std::numeric_limits<double>::quiet_NaN()};
    for (double position : refused)
        EXPECT_EQ(rig.controller.OnSliderChanged(Key(Button::MicrophoneVolume), position), 0);
    EXPECT_TRUE(rig.EngineLog().empty());
}

TEST_F(ControllerInputTest, ListenersHearTheirOwnKindInRegistrationOrderUpToTen) {
    EXPECT_EQ(rig.controller.RegisterSliderListener(nullptr, 0, 0x4D5), 0);
    EXPECT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0), 3, 0x4D5), 0);
    EXPECT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0), -1, 0x4D5), 0);
    ASSERT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0 + 0), 0, 0x4D5), 1);
    ASSERT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0 + 1), 1, 0x4D6), 1);
    ASSERT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0 + 2), 0, 0x4D6), 1);

    // A volume change tells the volume sliders, in percent.
    rig.controller.OnSliderChanged(Key(Button::MicrophoneVolume), 0.5);
    EXPECT_EQ(rig.ports.calls, (Lines{"Send(listener0,0x4D5,50,1)", "Send(listener2,0x4D6,50,1)"}));
    rig.ClearLogs();
    rig.Refuse("SetAudioVolume");
    rig.controller.OnSliderChanged(Key(Button::MicrophoneVolume), 0.7);
    EXPECT_EQ(rig.ports.calls, (Lines{"Send(listener0,0x4D5,0,0)", "Send(listener2,0x4D6,0,0)"}));
    rig.ports.calls.clear();
    EXPECT_EQ(rig.controller.NotifySliderListeners(1, 42, 1), 1);
    EXPECT_EQ(rig.ports.calls, Lines{"Send(listener1,0x4D6,42,1)"});
    EXPECT_EQ(rig.controller.NotifySliderListeners(3, 1, 1), 0);

    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0 + i), 2, 0x400), 1);
    EXPECT_EQ(rig.controller.RegisterSliderListener(FakeWindow(kListener0 + 10), 2, 0x400), 0);
}

TEST(ZoomStepsTest, KeysMoveByFiveHundredthsWithinOneToFour) {
    EXPECT_FLOAT_EQ(ZoomInStep(1.0f), 1.05f);
    EXPECT_FLOAT_EQ(ZoomInStep(3.96f), 4.0f);
    EXPECT_FLOAT_EQ(ZoomInStep(4.0f), 4.0f);
    EXPECT_FLOAT_EQ(ZoomOutStep(1.5f), 1.45f);
    EXPECT_FLOAT_EQ(ZoomOutStep(1.04f), 1.0f);
    EXPECT_FLOAT_EQ(ZoomOutStep(1.0f), 1.0f);
}

TEST(ZoomStepsTest, HardwareButtonClimbsTheLadderAndWrapsAfterTheTop) {
    EXPECT_FLOAT_EQ(HardwareZoomStep(1.0f), 1.5f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(1.2f), 2.0f);  // up to 1.5 goes to 2.0
    EXPECT_FLOAT_EQ(HardwareZoomStep(1.5f), 2.0f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(2.0f), 2.5f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(2.5f), 3.0f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(3.0f), 3.5f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(3.5f), 4.0f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(3.6f), 1.0f);
    EXPECT_FLOAT_EQ(HardwareZoomStep(4.0f), 1.0f);
}

TEST_F(ControllerInputTest, ZoomKeysTellTheEngineAndKeepWhatItTook) {
    rig.controller.OnButton(Key(Button::ZoomIn));
    rig.controller.OnButton(Key(Button::ZoomIn));
    EXPECT_NEAR(rig.controller.GetZoom(), 1.10f, 1e-5);
    rig.controller.OnButton(Key(Button::ZoomOut));
    EXPECT_NEAR(rig.controller.GetZoom(), 1.05f, 1e-5);
    rig.controller.OnButton(Key(Button::ZoomRestore));
    EXPECT_EQ(rig.EngineLog(), (Lines{"Zoom(1.05)", "Zoom(1.1)", "Zoom(1.05)", "Zoom(1)"}));
    for (int i = 0; i < 70; ++i) rig.controller.ZoomIn();
    EXPECT_FLOAT_EQ(rig.controller.GetZoom(), 4.0f);

    rig.Refuse("Zoom");
    EXPECT_EQ(rig.controller.ZoomOut(), 0);
    EXPECT_FLOAT_EQ(rig.controller.GetZoom(), 4.0f);
}

TEST_F(ControllerInputTest, HardwareZoomButtonWalksTheLadderThroughTheEngine) {
    rig.controller.OnHardwareZoomButton();
    rig.controller.OnHardwareZoomButton();
    EXPECT_EQ(rig.EngineLog(), (Lines{"Zoom(1.5)", "Zoom(2)"}));
    for (int i = 0; i < 4; ++i) rig.controller.OnHardwareZoomButton();
    EXPECT_FLOAT_EQ(rig.controller.GetZoom(), 4.0f);
    rig.controller.OnHardwareZoomButton();
    EXPECT_FLOAT_EQ(rig.controller.GetZoom(), 1.0f);

    CameraControllerRig unbound;
    unbound.StartUp(false);
    EXPECT_EQ(unbound.controller.ZoomIn(), 0);
    EXPECT_EQ(unbound.controller.OnHardwareZoomButton(), 0);
    EXPECT_FLOAT_EQ(unbound.controller.GetZoom(), 1.0f);
}

class MotionAlarmTest : public ControllerInputTest {
protected:
    void SetUp() override {
        ControllerInputTest::SetUp();
        EnterMode(kModeMonitor);
        ASSERT_EQ(rig.controller.StartMonitor(), 1);
        rig.ClearLogs();
    }
    int AlarmAt(int millisecondOfMinute) {
        rig.ports.now = millisecondOfMinute;
        return rig.controller.OnMotionEvent();
    }
    std::size_t Pictures() const { return rig.EngineLog().size(); }
};

TEST_F(MotionAlarmTest, AlarmsWithinASecondOfTheLastPictureAreDropped) {
    EXPECT_EQ(AlarmAt(500), 1);  // the first one, even early in the minute
    EXPECT_EQ(rig.EngineLog(), Lines{"CaptureImage(\"C:\\M\\monitor0001.jpg\")"});
    EXPECT_EQ(rig.Calls("MakeCaptureName"), Lines{"MakeCaptureName(3)"});
    EXPECT_EQ(AlarmAt(900), 0);   // 400 ms later
    EXPECT_EQ(AlarmAt(1500), 0);  // exactly 1,000 ms after the picture
    EXPECT_EQ(AlarmAt(1501), 1);
    EXPECT_EQ(Pictures(), 2u);
}

TEST_F(MotionAlarmTest, TheClockWrapsEveryMinute) {
    EXPECT_EQ(AlarmAt(30000), 1);
    EXPECT_EQ(AlarmAt(30000), 0);  // the same moment one minute later
    EXPECT_EQ(AlarmAt(59900), 1);
    EXPECT_EQ(AlarmAt(100), 1);  // 200 ms later across the minute, yet far on this clock
    EXPECT_EQ(Pictures(), 3u);
}

TEST_F(MotionAlarmTest, PicturesOnlyWhileWatching) {
    ASSERT_EQ(rig.controller.StopMonitor(), 1);
    rig.ClearLogs();
    EXPECT_EQ(AlarmAt(10000), 0);
    EXPECT_TRUE(rig.EngineLog().empty());
}

TEST(ControllerLookTest, ColoursFontAndKeysAreTheProgramsOwn) {
    CameraControllerRig rig;
    rig.controller.InitLook(2052);
    EXPECT_FLOAT_EQ(rig.controller.GetUIFont().size, 11.0f);
    EXPECT_EQ(std::u16string(rig.controller.GetUIFont().face), u"Micorsoft Sans Serif");
    rig.controller.InitLook(1028);
    EXPECT_FLOAT_EQ(rig.controller.GetUIFont().size, 11.0f);
    rig.controller.InitLook(1031);
    EXPECT_FLOAT_EQ(rig.controller.GetUIFont().size, 9.0f);
    EXPECT_EQ(rig.controller.GetUIFont().style, 0);
    const auto& colours = rig.controller.GetSkinColors();
    EXPECT_EQ(colours[0], 0xD6C7BBu);
    EXPECT_EQ(colours[3], 0x06CAF4u);
    EXPECT_EQ(colours[9], 0x6D6D6Du);
    const auto& keys = rig.controller.GetButtonKeys();
    EXPECT_EQ(keys[2], 0x960000u);  // written 000096
    EXPECT_EQ(keys[5], 0x003200u);
    EXPECT_EQ(keys[23], 0x00C800u);
    EXPECT_EQ(Rgb(keys[19]), "009664");
}

TEST(ControllerShutdownTest, WorkersEndBeforeTheEngineAndOnlyOnce) {
    CameraControllerRig rig;
    ASSERT_EQ(rig.StartUp(), 1);
    rig.controller.Shutdown();
    EXPECT_EQ(rig.ports.calls, (Lines{"StopWorkers", "StopRotationPoll", "DestroyWindows"}));
    EXPECT_EQ(rig.ports.engineCallsAtStopWorkers, 0u);
    EXPECT_EQ(rig.EngineLog(), Lines{"Uninitialize()"});
    rig.controller.Shutdown();
    EXPECT_EQ(rig.EngineLog(), Lines{"Uninitialize()"});
    // The overlay is gone: nothing is sent to it any more.
    EXPECT_EQ(rig.controller.RefreshOverlay(), 0);
}

}  // namespace
