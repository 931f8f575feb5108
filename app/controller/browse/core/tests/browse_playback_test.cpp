// Video and audio files in browse mode: the engine's playback exports, the
// panel keys and the progress worker, over a scripted playback engine.

#include <gtest/gtest.h>

#include "BrowseTestPorts.h"

namespace vimbrel::controller::test {
namespace {

using Lines = std::vector<std::string>;

TEST(BrowsePlayback, AVideoPlaysAtOnceWithItsFirstFrameAndTheSearchSlider) {
    BrowseRig rig;
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);

    EXPECT_EQ(Playback().calls, Lines({"PlayFile(C:\\V\\clip.wmv,385x288,dc)"}));
    EXPECT_EQ(rig.log.calls, Lines({"Enable(4,saveas,0)", "Enable(4,play,1)", "Enable(4,stop,1)", "Enable(4,search,1)",
                                    "Enable(4,print,0)", "Canvas.OpenSurface(385x288)", "Canvas.ShowFirstFrame",
                                    "Canvas.Editing(0)", "Canvas.FreeSurface", "Toggle(4,play,1)", "Enable(4,stop,1)",
                                    "Enable(4,search,1)", "Worker.Start", "RefreshOverlay"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
    EXPECT_EQ(rig.browse.CurrentMediaFile(), u"C:\\V\\clip.wmv");
}

TEST(BrowsePlayback, AnAudioFileShowsTheAudioPictureAndNoFirstFrame) {
    BrowseRig rig;
    Playback().firstFrame = 0;
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\A\\talk.wma", kClassAudio), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.ShowAudioPicture"));
    EXPECT_FALSE(rig.log.Has("Canvas.ShowFirstFrame"));
    EXPECT_TRUE(rig.log.Has("Canvas.FreeSurface"));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
}

TEST(BrowsePlayback, OutsideBrowseModeTheFileIsOnlyRemembered) {
    BrowseRig rig;
    rig.host.mode = 3;
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    EXPECT_TRUE(rig.log.calls.empty());
    EXPECT_TRUE(Playback().calls.empty());
    EXPECT_EQ(rig.browse.BrowseFile(), u"C:\\V\\clip.wmv");
    EXPECT_EQ(rig.browse.BrowseFileClass(), kClassVideo);
    EXPECT_TRUE(rig.browse.CurrentMediaFile().empty());
}

TEST(BrowsePlayback, ARefusedPlayLeavesTheStateStopped) {
    BrowseRig rig;
    Playback().playResult = 0;
    EXPECT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\bad.avi"), 0);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
    EXPECT_TRUE(rig.log.Calls("Toggle").empty());
    EXPECT_TRUE(rig.log.Calls("Worker.Start").empty());
    EXPECT_TRUE(rig.log.Has("Canvas.FreeSurface"));  // the picture is not leaked
}

// The engine lets go of the playing file before it tries the next one, so
// a file it cannot play leaves nothing playing: the keys and the state
// must say so, and play starts the file again rather than pausing nothing.
TEST(BrowsePlayback, AFileThatCannotPlayEndsThePlaybackBeforeIt) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    Playback().playResult = 0;
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\bad.avi", kClassVideo), 1);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
    EXPECT_EQ(rig.log.Calls("Toggle"), Lines({"Toggle(4,play,0)"}));
    EXPECT_TRUE(rig.log.Has("Enable(4,stop,0)"));

    Playback().playResult = 1;
    Playback().calls.clear();
    EXPECT_EQ(rig.browse.PlayPause(), 1);
    EXPECT_EQ(Playback().calls, Lines({"PlayFile(C:\\V\\bad.avi,385x288,dc)"}));
}

TEST(BrowsePlayback, NothingPlaysWithoutTheEngineOrBeforeTheStart) {
    BrowseRig rig;
    rig.host.loaded = false;
    EXPECT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\a.wmv"), 0);
    rig.host.loaded = true;
    rig.host.api.PlayFile = nullptr;
    EXPECT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\a.wmv"), 0);
    rig.host.api = PlaybackEngineApi();
    rig.host.started = false;
    EXPECT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\a.wmv"), 0);
    EXPECT_TRUE(Playback().calls.empty());
}

TEST(BrowseProgress, ReportsPercentAndSecondsUntilTheDurationThenResets) {
    BrowseRig rig;
    Playback().duration = 8.0f;
    Playback().times = {0.0f, 2.0f, 5.0f, 8.0f};
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    rig.log.calls.clear();
    rig.worker.RunPending();

    // Reads 0: slider 0, next read 2 shown; slider 2/8 = 25, read 5 shown;
    // slider 5/8 = 62.5 -> 62, read 8 shown; 8 is not below 8: the end.
    EXPECT_EQ(rig.log.calls, Lines({"Slider(1,0,1)", "OverlayTime(2)", "Slider(1,25,1)", "OverlayTime(5)",
                                    "Slider(1,62,1)", "OverlayTime(8)", "OverlayTime(0)", "Enable(4,stop,0)",
                                    "Toggle(4,play,0)", "Enable(4,search,0)"}));
    EXPECT_EQ(rig.worker.sleeps, 3);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
}

TEST(BrowseProgress, AFailedReadEndsThePlaybackAndItsKeys) {
    BrowseRig rig;
    Playback().times = {1.0f};  // the second read fails: the engine let go
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    rig.log.calls.clear();
    rig.worker.RunPending();
    EXPECT_EQ(rig.log.calls, Lines({"Slider(1,10,1)", "OverlayTime(0)", "Enable(4,stop,0)", "Toggle(4,play,0)",
                                    "Enable(4,search,0)"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);

    // Not even the first read: the toggle still comes back.
    Playback().times.clear();
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    rig.log.calls.clear();
    rig.worker.RunPending();
    EXPECT_EQ(rig.log.calls, Lines({"OverlayTime(0)", "Enable(4,stop,0)", "Toggle(4,play,0)", "Enable(4,search,0)"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
}

TEST(BrowseProgress, AStoppedWorkerLeavesTheKeysToItsStopper) {
    BrowseRig rig;
    Playback().times = {1.0f, 2.0f, 3.0f, 4.0f};
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    rig.log.calls.clear();
    rig.worker.stopAfterSleeps = 1;
    rig.worker.RunPending();
    EXPECT_EQ(rig.log.calls, Lines({"Slider(1,10,1)", "OverlayTime(2)"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
}

TEST(BrowsePlayPause, PausesResumesAndReplaysFromTheStart) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    rig.log.calls.clear();
    Playback().calls.clear();

    EXPECT_EQ(rig.browse.PlayPause(), 1);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPaused);
    EXPECT_EQ(rig.browse.PlayPause(), 1);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
    EXPECT_EQ(Playback().calls, Lines({"PausePlayback", "ResumePlayback"}));
    EXPECT_EQ(rig.log.Calls("Toggle"), Lines({"Toggle(4,play,0)", "Toggle(4,play,1)"}));

    EXPECT_EQ(rig.browse.StopPlayback(), 1);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
    Playback().calls.clear();
    EXPECT_EQ(rig.browse.PlayPause(), 1);  // stopped: the same file again
    EXPECT_EQ(Playback().calls, Lines({"PlayFile(C:\\V\\clip.wmv,385x288,dc)"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
}

TEST(BrowsePlayPause, ARefusedPauseKeepsPlaying) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    Playback().pauseResult = 0;
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.PlayPause(), 0);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayPlaying);
    EXPECT_TRUE(rig.log.Calls("Toggle").empty());
    rig.host.api.ResumePlayback = nullptr;
    EXPECT_EQ(rig.browse.PlayPause(), 0);
}

TEST(BrowseStop, EndsTheWorkerAndResetsTheKeys) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.PlayMediaFile(u"C:\\V\\clip.wmv"), 1);
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.StopPlayback(), 1);
    EXPECT_EQ(rig.log.calls, Lines({"Worker.Stop", "Enable(4,stop,0)", "Toggle(4,play,0)", "Enable(4,search,0)"}));
    EXPECT_FALSE(rig.worker.IsRunning());
    rig.host.api.StopPlayback = nullptr;
    EXPECT_EQ(rig.browse.StopPlayback(), 0);
}

TEST(BrowseStop, APictureAfterAVideoStopsIt) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    rig.log.calls.clear();
    Playback().calls.clear();
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    EXPECT_EQ(Playback().calls, Lines({"StopPlayback"}));
    EXPECT_EQ(rig.log.calls,
              Lines({"Enable(4,saveas,0)", "Worker.Stop", "Enable(4,stop,0)", "Toggle(4,play,0)", "Enable(4,search,0)",
                     "Enable(4,play,0)", "Enable(4,stop,0)", "Enable(4,search,0)", "Enable(4,print,1)",
                     "Canvas.ShowFile(C:\\I\\a.jpg,1)", "Canvas.Editing(1)", "RefreshOverlay"}));
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
}

TEST(BrowsePosition, SeeksOnlyWithinZeroToHundred) {
    BrowseRig rig;
    EXPECT_EQ(rig.browse.SetPlaybackPosition(40), 1);
    EXPECT_EQ(rig.browse.SetPlaybackPosition(0), 1);
    EXPECT_EQ(rig.browse.SetPlaybackPosition(100), 1);
    EXPECT_EQ(rig.browse.SetPlaybackPosition(101), 0);
    EXPECT_EQ(rig.browse.SetPlaybackPosition(-1), 0);
    EXPECT_EQ(Playback().calls,
              Lines({"SetPlaybackPosition(40.0)", "SetPlaybackPosition(0.0)", "SetPlaybackPosition(100.0)"}));
    rig.host.api.SetPlaybackPosition = nullptr;  // an engine without the export
    EXPECT_EQ(rig.browse.SetPlaybackPosition(50), 0);
    rig.host.loaded = false;
    EXPECT_EQ(rig.browse.SetPlaybackPosition(50), 0);
}

}  // namespace
}  // namespace vimbrel::controller::test
