// One picture, and bursts of them, on the virtual clock.
#include <thread>

#include "SequenceTestRig.h"

namespace vimbrel::controller::test {
namespace {

using Lines = std::vector<std::string>;

TEST(CaptureImage, FlashSoundNameEngineThenFlashOff) {
    CSequenceRig rig;
    EXPECT_EQ(rig.sequences.CaptureImage(), 1);
    const Lines expected = {"t=0 Start(Banner)",
                            "t=0 Flash(1)",
                            "t=0 Gamma(1)",
                            "t=200 Sound",
                            "t=200 MakeCaptureName(0)",
                            "t=200 CaptureImage(C:\\M\\image0.jpg)",
                            "t=200 Gamma(0)",
                            "t=200 Flash(0)"};
    EXPECT_EQ(rig.timeline, expected);
}

TEST(CaptureImage, FlashSettingOffMeansNoWindowNoGammaNoDelay) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    EXPECT_EQ(rig.sequences.CaptureImage(), 1);
    const Lines expected = {"t=0 Start(Banner)", "t=0 Sound", "t=0 MakeCaptureName(0)",
                            "t=0 CaptureImage(C:\\M\\image0.jpg)"};
    EXPECT_EQ(rig.timeline, expected);
}

TEST(CaptureImage, RefusedOutsideImageModeWhileCapturingOrWithoutEngine) {
    for (int scene = 0; scene < 4; ++scene) {
        CSequenceRig rig;
        if (scene == 0) rig.mode = 5;
        if (scene == 1) rig.captureState = 4;
        if (scene == 2) rig.engineLoaded = false;
        if (scene == 3) rig.api.CaptureImage = nullptr;
        EXPECT_EQ(rig.sequences.CaptureImage(), 0) << scene;
        EXPECT_TRUE(rig.timeline.empty()) << scene;
    }
}

TEST(CaptureImage, EngineRefusalEndsWithFlashOffAndNoCopy) {
    CSequenceRig rig;
    rig.engineTakesPicture = false;
    rig.boardProduct = u"R2TJ-board";
    EXPECT_EQ(rig.sequences.CaptureImage(), 0);
    EXPECT_EQ(rig.timeline.back(), "t=200 Flash(0)");
    EXPECT_TRUE(rig.Only({"CopyToPictures"}).empty());
}

TEST(CaptureImage, NoNameOrNoAnsiPathNeverReachesTheEngine) {
    CSequenceRig rig;
    rig.nameAvailable = false;
    EXPECT_EQ(rig.sequences.CaptureImage(), 0);
    EXPECT_TRUE(rig.Only({"CaptureImage("}).empty());
    EXPECT_EQ(rig.timeline.back(), "t=200 Flash(0)");

    CSequenceRig wide;
    wide.flashSetting = 1;
    // A name the ANSI code page cannot hold.
    wide.nameAvailable = true;
    wide.nextName = 0x3B1 - u'0';  // Greek alpha
    EXPECT_EQ(wide.sequences.CaptureImage(), 0);
    EXPECT_TRUE(wide.Only({"CaptureImage("}).empty());
}

TEST(CaptureImage, BoardQuirkCopiesThePictureAfterTheFlash) {
    CSequenceRig rig;
    rig.boardProduct = u"NB r2tj 1.0";
    EXPECT_EQ(rig.sequences.CaptureImage(), 1);
    const Lines tail(rig.timeline.end() - 2, rig.timeline.end());
    EXPECT_EQ(tail, (Lines{"t=200 Flash(0)", "t=200 CopyToPictures(C:\\M\\image0.jpg)"}));
}

TEST(CaptureImage, BannerDrawsEveryFrameAHundredMillisecondsApart) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.bannerFrames = 3;
    rig.sequences.CaptureImage();
    rig.RunWorkers();
    const Lines expected = {"t=0 BannerFrame(0 at 10,20,190,60)", "t=100 BannerFrame(1 at 10,20,190,60)",
                            "t=200 BannerFrame(2 at 10,20,190,60)"};
    EXPECT_EQ(rig.Only({"BannerFrame"}), expected);
    EXPECT_EQ(rig.now, 300);
}

TEST(CaptureImage, SecondPictureWhileOneIsUnderWayIsRefused) {
    CSequenceRig rig;
    int second = -1;
    // The hardware button pressed while the first picture's flash is up.
    rig.onFlash = [&] {
        if (second == -1) std::thread([&] { second = rig.sequences.CaptureImage(); }).join();
    };
    EXPECT_EQ(rig.sequences.CaptureImage(), 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(rig.Only({"CaptureImage("}).size(), 1u);
    // Afterwards pictures are taken again.
    EXPECT_EQ(rig.sequences.CaptureImage(), 1);
}

TEST(Burst, ThreePicturesHalfASecondPlusFlashApartThenKeyBack) {
    CSequenceRig rig;
    rig.sequences.StartBurst(3);
    rig.RunWorkers();
    const Lines expected = {"t=200 CaptureImage(C:\\M\\image0.jpg)", "t=900 CaptureImage(C:\\M\\image1.jpg)",
                            "t=1600 CaptureImage(C:\\M\\image2.jpg)", "t=2100 RefreshOverlay",
                            "t=2100 Enable(3,CaptureImageKey,1)"};
    EXPECT_EQ(rig.Only({"CaptureImage(", "RefreshOverlay", "Enable"}), expected);
    // Every picture ran the whole sequence.
    EXPECT_EQ(rig.Only({"Flash(1)"}).size(), 3u);
    EXPECT_EQ(rig.Only({"Sound"}).size(), 3u);
    EXPECT_EQ(rig.Only({"Start(Banner)"}).size(), 3u);
}

TEST(Burst, WithoutFlashPicturesAreHalfASecondApart) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartBurst(3);
    rig.RunWorkers();
    const Lines expected = {"t=0 CaptureImage(C:\\M\\image0.jpg)", "t=500 CaptureImage(C:\\M\\image1.jpg)",
                            "t=1000 CaptureImage(C:\\M\\image2.jpg)", "t=1500 RefreshOverlay"};
    EXPECT_EQ(rig.Only({"CaptureImage(", "RefreshOverlay"}), expected);
}

TEST(Burst, StoppedBurstLeavesTheRestAndStartsNoMoreWorkers) {
    CSequenceRig rig;
    rig.flashSetting = 1;
    rig.sequences.StartBurst(5);
    // The stop arrives during the second gap.
    rig.RunWorkers(800);
    EXPECT_EQ(rig.Only({"CaptureImage("}).size(), 2u);
    EXPECT_TRUE(rig.Only({"RefreshOverlay", "Enable"}).empty());
    rig.sequences.StopWorkers();
    rig.sequences.StartBurst(3);
    rig.sequences.StartImageTimer(5 + 4 * 65536);
    rig.RunWorkers();
    EXPECT_EQ(rig.Only({"CaptureImage("}).size(), 2u);
}

// The flash's settling time is a wait like the worker's others: a burst
// stopped then (the program closing) ends within it, with the flash off
// and no picture half taken.
TEST(Burst, StopDuringTheFlashSettlingTakesNoPicture) {
    CSequenceRig rig;
    rig.sequences.StartBurst(3);
    rig.RunWorkers(100);
    EXPECT_TRUE(rig.Only({"CaptureImage("}).empty());
    EXPECT_EQ(rig.Only({"Flash("}), (Lines{"t=0 Flash(1)", "t=0 Flash(0)"}));
    EXPECT_TRUE(rig.Only({"RefreshOverlay", "Enable"}).empty());
}

}  // namespace
}  // namespace vimbrel::controller::test
