// The capture state machine through the panel keys: recording, pausing,
// resuming and stopping, the monitor, self-timers and bursts used once,
// power events, and the captures refused without a usable name.
#include "ControllerTestRig.h"

using namespace vimbrel::controller;
using namespace vimbrel::controller::test;
using Lines = std::vector<std::string>;

namespace {

using CaptureStateTest = StartedControllerTest;

TEST_F(CaptureStateTest, RecordKeyRecordsPausesResumesAndStopEndsWithARefresh) {
    const std::uint32_t record = Key(Button::CaptureVideo);
    rig.controller.OnButton(record);
    EXPECT_EQ(State(), kCaptureVideo);
    EXPECT_EQ(rig.ports.calls,
              (Lines{"Toggle(p0,000096,1)", "Enable(p0,000096,0)", "Enable(p0,003232,0)", "MakeCaptureName(1)",
                     "StartRecordingTime", "Enable(p0,000096,1)", "Enable(p0,003232,1)"}));
    EXPECT_EQ(rig.EngineLog(), Lines{"CaptureAV(\"C:\\M\\video0001.wmv\")"});

    rig.ClearLogs();
    rig.controller.OnButton(record);
    EXPECT_EQ(State(), kCapturePaused);
    EXPECT_EQ(rig.ports.calls, Lines{"Toggle(p0,000096,0)"});
    EXPECT_EQ(rig.EngineLog(), Lines{"Pause()"});

    rig.ClearLogs();
    rig.controller.OnButton(record);
    EXPECT_EQ(State(), kCaptureVideo);
    EXPECT_EQ(rig.ports.calls, Lines{"Toggle(p0,000096,1)"});
    EXPECT_EQ(rig.EngineLog(), Lines{"Resume()"});

    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_EQ(State(), kCaptureIdle);
    EXPECT_EQ(rig.EngineLog(), Lines{"CaptureAV(null)"});
    EXPECT_EQ(rig.ports.calls, (Lines{"Send(tabs,0x4DC,0,0)", "Reset(p0)", "Enable(p0,003232,0)"}));
}

TEST_F(CaptureStateTest, APausedRecordingStopsAndSoundRecordingsLeaveTheBrowserAlone) {
    EnterMode(kModeAudio);
    ASSERT_EQ(rig.controller.StartAudioRecording(), 1);
    EXPECT_EQ(rig.EngineLog(), Lines{"CaptureAudio(\"C:\\M\\audio0001.wma\")"});
    ASSERT_EQ(rig.controller.PauseRecording(), 1);
    EXPECT_EQ(State(), kCapturePaused);
    rig.ClearLogs();
    ASSERT_EQ(rig.controller.StopRecording(), 1);
    EXPECT_EQ(rig.EngineLog(), Lines{"CaptureAudio(null)"});
    EXPECT_TRUE(rig.Calls("Send(tabs").empty());
    EXPECT_EQ(State(), kCaptureIdle);
}

TEST_F(CaptureStateTest, RefusedEngineCallsChangeNoState) {
    EnterMode(kModeVideoOnly);
    rig.Refuse("CaptureVideo");
    rig.controller.OnButton(Key(Button::CaptureVideoOnly));
    EXPECT_EQ(State(), kCaptureIdle);
    EXPECT_TRUE(rig.Calls("StartRecordingTime").empty());
    // The key shows its record face again; there is nothing to stop.
    EXPECT_EQ(rig.ports.calls, (Lines{"Toggle(p1,0000C8,1)", "Enable(p1,0000C8,0)", "Enable(p1,003232,0)",
                                      "MakeCaptureName(1)", "Enable(p1,0000C8,1)", "Toggle(p1,0000C8,0)"}));

    rig.Refuse("Pause");
    ASSERT_EQ(rig.controller.StartVideoOnlyRecording(), 1);
    EXPECT_EQ(rig.controller.PauseRecording(), 0);
    EXPECT_EQ(State(), kCaptureVideoOnly);
    rig.Refuse("CaptureVideo");
    EXPECT_EQ(rig.controller.StopRecording(), 0);
    EXPECT_EQ(State(), kCaptureVideoOnly);
}

TEST_F(CaptureStateTest, KeysFollowTheEngineWhenItRefusesToPauseResumeOrStop) {
    const std::uint32_t record = Key(Button::CaptureVideo);
    rig.controller.OnButton(record);
    ASSERT_EQ(State(), kCaptureVideo);
    // Still recording: the pause face comes back and the stop key stays.
    rig.Refuse("Pause|CaptureAV");
    rig.ClearLogs();
    rig.controller.OnButton(record);
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_EQ(State(), kCaptureVideo);
    EXPECT_EQ(rig.ports.calls, (Lines{"Toggle(p0,000096,0)", "Toggle(p0,000096,1)"}));

    rig.Refuse("Resume");
    rig.controller.OnButton(record);
    ASSERT_EQ(State(), kCapturePaused);
    rig.ClearLogs();
    rig.controller.OnButton(record);
    EXPECT_EQ(State(), kCapturePaused);
    EXPECT_EQ(rig.ports.calls, (Lines{"Toggle(p0,000096,1)", "Toggle(p0,000096,0)"}));

    EnterMode(kModeMonitor);
    rig.controller.OnButton(Key(Button::StartMonitor));
    ASSERT_EQ(State(), kCaptureMonitor);
    rig.Refuse("StopMonitor");
    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_EQ(State(), kCaptureMonitor);
    EXPECT_TRUE(rig.ports.calls.empty());
}

TEST_F(CaptureStateTest, RecordingsNeedTheirModeAnIdleStateAndABoundEntry) {
    EXPECT_EQ(rig.controller.StartVideoOnlyRecording(), 0);
    EXPECT_EQ(rig.controller.StartAudioRecording(), 0);
    EXPECT_EQ(rig.controller.ResumeRecording(), 0);
    ASSERT_EQ(rig.controller.StartVideoRecording(), 1);
    EXPECT_EQ(rig.controller.StartVideoRecording(), 0);  // already recording
    // Another panel's record key does nothing while this mode records.
    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::CaptureAudio));
    EXPECT_TRUE(rig.ports.calls.empty());
    EXPECT_TRUE(rig.EngineLog().empty());

    CameraControllerRig partial;
    partial.StartUp();
    partial.controller.Engine().Attach(&partial.moduleToken, FakeEngineApi({"CaptureAV"}));
    EXPECT_EQ(partial.controller.StartVideoRecording(), 0);
    EXPECT_TRUE(partial.Calls("MakeCaptureName").empty());
}

TEST_F(CaptureStateTest, NoEngineMeansEveryCaptureIsRefused) {
    CameraControllerRig unbound;
    unbound.StartUp(false);
    EXPECT_EQ(unbound.controller.StartVideoRecording(), 0);
    EXPECT_EQ(unbound.controller.StopRecording(), 0);
    EXPECT_EQ(unbound.controller.ApplyEngineMode(3), 0);
    EXPECT_EQ(unbound.controller.SetSensitivity(5), 0);
    EXPECT_EQ(unbound.controller.GetCaptureState(), kCaptureIdle);
}

TEST_F(CaptureStateTest, ANameThatCannotBeMadeOrWrittenInAnsiReachesNoEngine) {
    rig.ports.nameAvailable = false;
    EXPECT_EQ(rig.controller.StartVideoRecording(), 0);
    rig.ports.nameAvailable = true;
    rig.ports.nameOverride = u"C:\\M\\\u4E00.wmv";
    EXPECT_EQ(rig.controller.StartVideoRecording(), 0);
    // 128 units do not fit the engine's buffer with its terminator.
    rig.ports.nameOverride = std::u16string(128, u'a');
    EXPECT_EQ(rig.controller.StartVideoRecording(), 0);
    EXPECT_TRUE(rig.EngineLog().empty());
    EXPECT_EQ(State(), kCaptureIdle);
    rig.ports.nameOverride = std::u16string(127, u'a');
    EXPECT_EQ(rig.controller.StartVideoRecording(), 1);
}

TEST_F(CaptureStateTest, SelfTimerOnARecordKeyIsUsedOnce) {
    EnterMode(kModeVideoOnly);
    ASSERT_EQ(rig.controller.ApplySetting(kSettingTimer, 0, 0), 1);  // five seconds
    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::CaptureVideoOnly));
    EXPECT_EQ(rig.ports.calls, (Lines{"Toggle(p1,0000C8,1)", "Enable(p1,0000C8,0)", "Enable(p1,003232,0)",
                                      "StartRecordTimer(65541)"}));  // 5 + 1 x 65536
    EXPECT_TRUE(rig.EngineLog().empty());
    EXPECT_EQ(rig.controller.Settings().Block().timer, 2);
    EXPECT_EQ(rig.controller.Settings().Block().timerSeconds, 0);
    EXPECT_EQ(rig.Stored(kSettingTimer), 2u);
}

TEST_F(CaptureStateTest, ImageKeyTakesOnePictureOrStartsABurstUsedOnce) {
    EnterMode(kModeImage);
    rig.controller.OnButton(Key(Button::CaptureImage));
    EXPECT_EQ(rig.ports.calls, (Lines{"Enable(p3,003200,0)", "CaptureImage", "Enable(p3,003200,1)"}));
    EXPECT_EQ(State(), kCaptureIdle);

    ASSERT_EQ(rig.controller.ApplySetting(kSettingContShooting, 2, 0), 1);
    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::CaptureImage));
    // The burst thread gives the key back when it is done.
    EXPECT_EQ(rig.ports.calls, (Lines{"Enable(p3,003200,0)", "StartBurst(12)"}));
    EXPECT_EQ(rig.controller.Settings().Block().contShooting, 4);
    EXPECT_EQ(rig.Stored(kSettingContShooting), 4u);
}

TEST_F(CaptureStateTest, ImageSelfTimerCarriesTheBurstAndBothAreUsedOnce) {
    EnterMode(kModeImage);
    ASSERT_EQ(rig.controller.ApplySetting(kSettingTimer, 1, 0), 1);  // ten seconds
    ASSERT_EQ(rig.controller.ApplySetting(kSettingContShooting, 1, 0), 1);
    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::CaptureImage));
    EXPECT_EQ(rig.ports.calls, (Lines{"Enable(p3,003200,0)", "StartImageTimer(65546)"}));
    const SettingsBlock& block = rig.controller.Settings().Block();
    EXPECT_EQ(block.timer, 2);
    EXPECT_EQ(block.timerSeconds, 0);
    EXPECT_EQ(block.contShooting, 4);
}

TEST_F(CaptureStateTest, MonitorKeysStartAndStopWatching) {
    EnterMode(kModeMonitor);
    rig.controller.OnButton(Key(Button::StartMonitor));
    EXPECT_EQ(State(), kCaptureMonitor);
    EXPECT_EQ(rig.EngineLog(), Lines{"StartMonitor(window)"});
    EXPECT_EQ(rig.ports.calls,
              (Lines{"Enable(p5,009664,0)", "Enable(p5,003232,1)", "ClearLastDateText", "UpdateDateOverlay(2)"}));
    // Only in Mode_Monitor, only from idle.
    EXPECT_EQ(rig.controller.StartMonitor(), 0);

    rig.ClearLogs();
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_EQ(State(), kCaptureIdle);
    EXPECT_EQ(rig.EngineLog(), Lines{"StopMonitor()"});
    EXPECT_EQ(rig.ports.calls, (Lines{"UpdateDateOverlay(3)", "Enable(p5,003232,0)", "Enable(p5,009664,1)"}));
}

TEST_F(CaptureStateTest, ARefusedMonitorStartOffersTheStartAgain) {
    EnterMode(kModeMonitor);
    rig.Refuse("StartMonitor");
    rig.controller.OnButton(Key(Button::StartMonitor));
    EXPECT_EQ(State(), kCaptureIdle);
    EXPECT_EQ(rig.ports.calls,
              (Lines{"Enable(p5,009664,0)", "Enable(p5,003232,1)", "Enable(p5,003232,0)", "Enable(p5,009664,1)"}));
}

TEST_F(CaptureStateTest, StopKeyInImageModeOnlyResetsAndInBrowseDoesNothing) {
    EnterMode(kModeImage);
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_EQ(rig.ports.calls, (Lines{"Reset(p3)", "Enable(p3,003232,0)"}));
    EXPECT_TRUE(rig.EngineLog().empty());
    EnterMode(kModeBrowse);
    rig.controller.OnButton(Key(Button::Stop));
    EXPECT_TRUE(rig.ports.calls.empty());
}

TEST_F(CaptureStateTest, PowerEventPutsEveryPanelAtRestWithoutTheEngine) {
    ASSERT_EQ(rig.controller.StartVideoRecording(), 1);
    rig.ClearLogs();
    EXPECT_EQ(rig.controller.OnPowerEvent(), 1);
    EXPECT_EQ(State(), kCaptureIdle);
    EXPECT_TRUE(rig.EngineLog().empty());
    EXPECT_EQ(rig.ports.calls, (Lines{"Reset(p0)", "Enable(p0,003232,0)", "Reset(p1)", "Enable(p1,003232,0)",
                                      "Reset(p2)", "Enable(p2,003232,0)", "Reset(p3)", "Enable(p3,003232,0)",
                                      "Enable(p5,003232,0)", "Enable(p5,009664,1)"}));
    // The record key starts a new recording afterwards.
    EXPECT_EQ(rig.controller.StartVideoRecording(), 1);
}

TEST_F(CaptureStateTest, HardwareCaptureButtonActsByModeAndState) {
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(State(), kCaptureVideo);
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(State(), kCaptureIdle);  // the stop key, not a pause

    EnterMode(kModeImage);
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(rig.ports.calls, Lines{"CaptureImage"});  // no timer, no burst, no key change

    EnterMode(kModeBrowse);
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(rig.ports.calls, Lines{"StartSlideShow"});

    EnterMode(kModeMonitor);
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(State(), kCaptureMonitor);
    rig.controller.OnHardwareCaptureButton();
    EXPECT_EQ(State(), kCaptureIdle);
}

}  // namespace
