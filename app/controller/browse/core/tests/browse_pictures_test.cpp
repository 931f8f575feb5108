// Pictures in browse mode: showing, the question before edits are lost,
// numbered copies, navigation and the canvas settings.

#include <gtest/gtest.h>

#include "BrowseTestPorts.h"

namespace vimbrel::controller::test {
namespace {

using Lines = std::vector<std::string>;

TEST(BrowseShow, WithoutAPathTheTabStripsCurrentFileIsShown) {
    BrowseRig rig;
    rig.tabs.currentPath = u"C:\\I\\b.png";
    rig.tabs.currentClass = kClassPicture;
    EXPECT_EQ(rig.browse.ShowMediaFile(nullptr, -1), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.ShowFile(C:\\I\\b.png,1)"));
    EXPECT_EQ(rig.browse.CurrentMediaFile(), u"C:\\I\\b.png");

    // A class given with the call wins over the strip's.
    rig.log.calls.clear();
    rig.tabs.currentPath = u"C:\\I\\c.xyz";
    rig.tabs.currentClass = kClassNone;
    EXPECT_EQ(rig.browse.ShowMediaFile(nullptr, kClassPicture), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.ShowFile(C:\\I\\c.xyz,1)"));
}

TEST(BrowseShow, AnEmptyBrowserClearsTheCanvasAndNoStripRefuses) {
    BrowseRig rig;
    rig.tabs.currentPath.clear();
    EXPECT_EQ(rig.browse.ShowMediaFile(nullptr, -1), 0);
    EXPECT_EQ(rig.log.calls, Lines({"Tabs.GetCurrentFile", "Canvas.Clear", "Canvas.Editing(0)", "Enable(4,play,0)",
                                    "Enable(4,stop,0)", "Enable(4,search,0)"}));
    rig.log.calls.clear();
    rig.tabs.present = false;
    EXPECT_EQ(rig.browse.ShowMediaFile(nullptr, -1), 0);
    EXPECT_EQ(rig.log.calls, Lines({"Tabs.GetCurrentFile"}));
}

TEST(BrowseShow, AnEmptyNameAfterAVideoClearsInsteadOfPlaying) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    Playback().calls.clear();
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.ShowMediaFile(u"", -1), 1);
    EXPECT_EQ(Playback().calls, Lines({"StopPlayback"}));
    EXPECT_TRUE(rig.log.Has("Canvas.Clear"));
    EXPECT_TRUE(rig.log.Calls("Canvas.ShowFile").empty());
    EXPECT_EQ(rig.browse.BrowseFileClass(), kClassNone);
    EXPECT_EQ(rig.browse.PlayStateNow(), kPlayStopped);
}

TEST(BrowseShow, AnUnknownFileStopsPlaybackAndClears) {
    BrowseRig rig;
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\notes.txt", kClassNone), 1);
    EXPECT_EQ(Playback().calls, Lines({"StopPlayback"}));
    EXPECT_TRUE(rig.log.Has("Canvas.Clear"));
    // The clear waits for the controller's start.
    rig.host.started = false;
    EXPECT_EQ(rig.browse.ClearBrowsePicture(), 0);
}

TEST(BrowseShow, TheEditedPictureNamedAgainKeepsItsEditsAnotherFileLoads) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    rig.canvas.modified = true;
    rig.log.calls.clear();
    // The browser reports its current file again after a change in its
    // folder: the edited canvas stays as it is.
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    EXPECT_TRUE(rig.log.calls.empty());
    EXPECT_EQ(rig.browse.IsPhotoModified(), 1);
    // Not edited, the same name reloads (the file may have changed on disk).
    rig.canvas.modified = false;
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.ShowFile(C:\\I\\a.jpg,1)"));
    // Edited, another file loads: the question came before, from the browser.
    rig.canvas.modified = true;
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\b.jpg", kClassPicture), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.ShowFile(C:\\I\\b.jpg,1)"));
}

// The browser's current file changed under the user (its folder changed):
// the file shown is not loaded again, an edited picture goes only through
// the question and stays on Cancel, and outside browse mode nothing asks.
TEST(BrowseFollow, AnEditedPictureGoesOnlyThroughTheQuestion) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    rig.log.calls.clear();
    Playback().calls.clear();
    EXPECT_EQ(rig.browse.FollowMediaFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    EXPECT_TRUE(Playback().calls.empty()) << "the video shown started again";
    // A video that proved to be a sound is shown anew.
    EXPECT_EQ(rig.browse.FollowMediaFile(u"C:\\V\\clip.wmv", kClassAudio), 1);
    EXPECT_EQ(rig.browse.BrowseFileClass(), kClassAudio);

    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    rig.canvas.modified = true;
    rig.log.calls.clear();
    rig.prompt.answer = SaveAnswer::Cancel;
    EXPECT_EQ(rig.browse.FollowMediaFile(u"C:\\I\\b.jpg", kClassPicture), 0);
    EXPECT_EQ(rig.log.calls, Lines({"Prompt"}));
    EXPECT_EQ(rig.browse.CurrentMediaFile(), u"C:\\I\\a.jpg");
    rig.prompt.answer = SaveAnswer::No;
    EXPECT_EQ(rig.browse.FollowMediaFile(u"", kClassNone), 1);
    EXPECT_TRUE(rig.log.Has("Canvas.Clear"));

    rig.canvas.modified = true;
    rig.host.mode = 3;
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.FollowMediaFile(u"C:\\I\\c.jpg", kClassPicture), 1);
    EXPECT_TRUE(rig.log.calls.empty());
}

TEST(BrowseSaveModified, AnsweredYesSavesNumberedCopiesAndKeepsTheOriginal) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    rig.canvas.existing = {u"C:\\I\\a.jpg"};
    rig.canvas.modified = true;
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.QuerySaveModified(), kAnswerSaved);
    rig.canvas.modified = true;
    EXPECT_EQ(rig.browse.SaveModifiedPhoto(), 1);
    EXPECT_EQ(rig.log.calls, Lines({"Prompt", "Canvas.Save(C:\\I\\a_2.jpg)", "Canvas.Save(C:\\I\\a_3.jpg)"}));
}

TEST(BrowseSaveModified, NoContinuesCancelStaysAndUneditedAsksNothing) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    rig.log.calls.clear();
    EXPECT_EQ(rig.browse.QuerySaveModified(), kAnswerContinue);
    EXPECT_TRUE(rig.log.calls.empty());

    rig.canvas.modified = true;
    rig.prompt.answer = SaveAnswer::No;
    EXPECT_EQ(rig.browse.QuerySaveModified(), kAnswerContinue);
    rig.prompt.answer = SaveAnswer::Cancel;
    EXPECT_EQ(rig.browse.QuerySaveModified(), kAnswerCancel);
    EXPECT_EQ(rig.log.calls, Lines({"Prompt", "Prompt"}));
}

TEST(BrowseSaveModified, AYesThatCannotSaveKeepsTheEdits) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    rig.canvas.modified = true;
    rig.canvas.saveWorks = false;
    EXPECT_EQ(rig.browse.QuerySaveModified(), kAnswerCancel);
    EXPECT_EQ(rig.browse.SaveModifiedPhoto(), 0);
    EXPECT_EQ(rig.browse.IsPhotoModified(), 1);
}

TEST(BrowseSaveModified, SavingNeedsBrowseModeAnEditAndACanvas) {
    BrowseRig rig;
    ASSERT_EQ(rig.browse.ShowMediaFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    EXPECT_EQ(rig.browse.SaveModifiedPhoto(), 0);  // nothing edited
    rig.canvas.modified = true;
    rig.host.mode = 3;
    EXPECT_EQ(rig.browse.SaveModifiedPhoto(), 0);
    rig.host.mode = 4;
    rig.canvas.present = false;
    EXPECT_EQ(rig.browse.IsPhotoModified(), 0);
    EXPECT_EQ(rig.browse.SavePhoto(u"C:\\I\\x.jpg"), 0);
    EXPECT_TRUE(rig.log.Calls("Canvas.Save").empty());
}

TEST(BrowseSaveModified, TheCanvasFirstEditEnablesSaveAs) {
    BrowseRig rig;
    EXPECT_EQ(rig.browse.OnPhotoModified(), 1);
    EXPECT_EQ(rig.log.calls, Lines({"Enable(4,saveas,1)"}));
}

TEST(BrowseNavigate, ShowsTheNewItemOrStaysWhenNothingMoved) {
    BrowseRig rig;
    rig.tabs.nextPath = u"C:\\V\\next.asf";
    rig.tabs.nextClass = kClassVideo;
    EXPECT_EQ(rig.browse.Navigate(2), 1);
    EXPECT_EQ(Playback().calls, Lines({"PlayFile(C:\\V\\next.asf,385x288,dc)"}));

    Playback().calls.clear();
    rig.log.calls.clear();
    rig.tabs.moves = false;
    EXPECT_EQ(rig.browse.Navigate(0), 1);
    EXPECT_EQ(rig.log.calls, Lines({"Tabs.Navigate(0)"}));
    EXPECT_EQ(rig.browse.Navigate(4), 0);
}

TEST(BrowseCanvasSettings, StampsFramesEffectsAndPen) {
    BrowseRig rig;
    rig.browse.SetStamp(0);
    rig.browse.SetStamp(12);
    rig.browse.SetStamp(9);
    rig.browse.SetStamp(40);
    rig.browse.SetPhotoFrame(3);
    rig.browse.SetPhotoFrame(0);
    rig.browse.SetPhotoFrame(-1);
    rig.browse.ApplyPhotoEffect(2);
    rig.browse.SetCanvasPenWidth(5);
    rig.browse.SetCanvasPenWidth(0);
    rig.browse.SetPenColor(0x0000FF);
    EXPECT_EQ(rig.log.calls,
              Lines({"Canvas.Tool(0)", "Canvas.ImageStamp(C:\\Prog\\PhotoFrame\\stamp12.png)", "Canvas.Tool(1)",
                     "Canvas.BrushStamp(C:\\Prog\\PhotoFrame\\stamp9.png)", "Canvas.Tool(2)", "Canvas.Tool(0)",
                     "Canvas.Frame(C:\\Prog\\PhotoFrame\\frame3.png)", "Canvas.Frame()", "Canvas.Effect(6)",
                     "Canvas.PenWidth(5)", "Canvas.PenColor(255)"}));
}

}  // namespace
}  // namespace vimbrel::controller::test
