// The self-timers and the recording-time display on the virtual clock.
#include "SequenceTestRig.h"

namespace vimbrel::controller::test {
namespace {

using Lines = std::vector<std::string>;

TEST(ImageTimer, FiveSecondsBlinkThenOnePictureAndTheKeyBack) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartImageTimer(5 + 4 * 65536);
    rig.RunWorkers();
    const Lines expected = {"t=0 Icon(1)",
                            "t=500 Icon(0)",
                            "t=1000 Icon(1)",
                            "t=1500 Icon(0)",
                            "t=2000 Icon(1)",
                            "t=2500 Icon(0)",
                            "t=3000 Icon(1)",
                            "t=3250 Icon(0)",
                            "t=3500 Icon(1)",
                            "t=3750 Icon(0)",
                            "t=4000 Icon(1)",
                            "t=4250 Icon(0)",
                            "t=4500 Icon(1)",
                            "t=4750 Icon(0)",
                            "t=5000 Icon(-1)",
                            "t=5000 CaptureImage(C:\\M\\image0.jpg)",
                            "t=5000 Enable(3,CaptureImageKey,1)"};
    EXPECT_EQ(rig.Only({"Icon", "CaptureImage(", "Enable"}), expected);
}

TEST(ImageTimer, BurstEntryStartsItsBurstAfterTheCountdown) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartImageTimer(2 + 1 * 65536);
    rig.RunWorkers();
    const Lines expected = {"t=2000 Icon(-1)",
                            "t=2000 Start(Burst)",
                            "t=2000 CaptureImage(C:\\M\\image0.jpg)",
                            "t=2500 CaptureImage(C:\\M\\image1.jpg)",
                            "t=3000 CaptureImage(C:\\M\\image2.jpg)",
                            "t=3500 CaptureImage(C:\\M\\image3.jpg)",
                            "t=4000 CaptureImage(C:\\M\\image4.jpg)",
                            "t=4500 Enable(3,CaptureImageKey,1)"};
    EXPECT_EQ(rig.Only({"Icon(-1)", "Start(Burst)", "CaptureImage(", "Enable"}), expected);
}

TEST(ImageTimer, NewTimerEndsTheOneStillRunning) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartImageTimer(5 + 4 * 65536);
    rig.sequences.StartImageTimer(2 + 4 * 65536);
    EXPECT_EQ(rig.Only({"Stop(ImageTimer)"}).size(), 1u);
    rig.RunWorkers();
    // Only the second one blinked and took its picture.
    EXPECT_EQ(rig.Only({"CaptureImage("}), (Lines{"t=2000 CaptureImage(C:\\M\\image0.jpg)"}));
}

TEST(ImageTimer, UnknownEntryTakesOnePictureSoTheKeyComesBack) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartImageTimer(1 + 9 * 65536);
    rig.RunWorkers();
    EXPECT_EQ(rig.Only({"CaptureImage(", "Enable"}),
              (Lines{"t=1000 CaptureImage(C:\\M\\image0.jpg)", "t=1000 Enable(3,CaptureImageKey,1)"}));
}

TEST(RecordTimer, ThreeSecondsThenTheRecordingOfItsPanel) {
    CSequenceRig rig;
    rig.sequences.StartRecordTimer(3 + 2 * 65536);
    rig.RunWorkers();
    const Lines expected = {"t=3000 Icon(-1)", "t=3000 Enable(2,CaptureAudioKey,1)", "t=3000 StartRecording(2)",
                            "t=3000 Enable(2,StopKey,1)", "t=3000 RefreshOverlay"};
    const Lines all = rig.timeline;
    EXPECT_EQ(Lines(all.end() - 5, all.end()), expected);
    EXPECT_EQ(rig.Only({"Icon(1)"}).size(), 1u + 2u + 2u);
}

TEST(RecordTimer, FailedStartPutsTheKeyBackAndOffersNoStop) {
    for (int panel = 0; panel < 2; ++panel) {
        CSequenceRig rig;
        rig.recordingStarts = false;
        rig.sequences.StartRecordTimer(1 + panel * 65536);
        rig.RunWorkers();
        const std::string key = panel == 0 ? "CaptureVideoKey" : "CaptureVideoOnlyKey";
        const std::string p = std::to_string(panel);
        const Lines expected = {"t=1000 Enable(" + p + "," + key + ",1)", "t=1000 StartRecording(" + p + ")",
                                "t=1000 Toggle(" + p + "," + key + ",0)", "t=1000 RefreshOverlay"};
        const Lines all = rig.timeline;
        EXPECT_EQ(Lines(all.end() - 4, all.end()), expected);
    }
}

TEST(RecordingTime, ShowsSecondsAndBlinksOnceASecondUntilTheRecordingEnds) {
    CSequenceRig rig;
    // Recording until 1.6 s.
    rig.captureStateAt = [](long long t) { return t < 1600 ? 1 : 0; };
    rig.sequences.StartRecordingTime();
    rig.RunWorkers();
    const Lines expected = {"t=0 Time(0)",    "t=250 Icon(2)",  "t=250 Time(0)",  "t=500 Time(0)",  "t=750 Icon(0)",
                            "t=750 Time(0)",  "t=1000 Time(1)", "t=1250 Icon(2)", "t=1250 Time(1)", "t=1500 Time(1)",
                            "t=1750 Icon(0)", "t=1750 Icon(0)", "t=1750 Time(-1)"};
    EXPECT_EQ(rig.Only({"Time(", "Icon("}), expected);
}

TEST(RecordingTime, PausedRecordingShowsThePauseIcon) {
    CSequenceRig rig;
    rig.captureStateAt = [](long long t) { return t < 400 ? 5 : 0; };
    rig.sequences.StartRecordingTime();
    rig.RunWorkers();
    EXPECT_EQ(rig.Only({"Icon"}), (Lines{"t=250 Icon(3)", "t=500 Icon(0)"}));
}

TEST(RecordingTime, UnreadableTimeOrNoRecordingClearsAtOnce) {
    CSequenceRig rig;
    rig.captureState = 2;
    rig.recordingTimeReadable = false;
    rig.sequences.StartRecordingTime();
    rig.RunWorkers();
    EXPECT_EQ(rig.Only({"Time(", "Icon("}), (Lines{"t=0 Icon(0)", "t=0 Time(-1)"}));

    CSequenceRig monitor;
    monitor.captureState = 4;
    monitor.sequences.StartRecordingTime();
    monitor.RunWorkers();
    EXPECT_EQ(monitor.Only({"Time(", "Icon("}), (Lines{"t=0 Icon(0)", "t=0 Time(-1)"}));
}

}  // namespace
}  // namespace vimbrel::controller::test
