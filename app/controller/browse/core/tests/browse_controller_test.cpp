// Browse mode attached to the real controller over the scripted engine:
// the mode switch, the panel's keys and the question before navigating
// reach the browse control, and its calls reach the engine and panel 4.

#include <gtest/gtest.h>

#include "BrowseTestPorts.h"
#include "CControllerBrowseHost.h"
#include "ControllerTestRig.h"

namespace vimbrel::controller::test {
namespace {

bool LogHas(const std::vector<std::string>& log, const std::string& part) {
    for (const auto& line : log)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

class BrowseOnControllerTest : public StartedControllerTest {
protected:
    void SetUp() override {
        StartedControllerTest::SetUp();
        rig.controller.AttachBrowse(browse);
        tabs.currentPath = u"C:\\V\\clip.wmv";
        tabs.currentClass = kClassVideo;
    }
    CBrowseLog log;
    CControllerBrowseHost host{rig.controller};
    CRecordingTabs tabs{log};
    CRecordingCanvas canvas{log};
    CScriptedPrompt prompt{log};
    CInlineWorker worker{log};
    CBrowseControl browse{BrowsePorts{host, tabs, canvas, prompt, worker, u"C:\\Vimbrel"}};
};

TEST_F(BrowseOnControllerTest, EnteringBrowseModePlaysTheBrowsersVideo) {
    EnterMode(kModeBrowse);
    ASSERT_EQ(rig.controller.ShowBrowseFile(nullptr, -1), 1);
    EXPECT_TRUE(LogHas(rig.EngineLog(), "PlayFile(")) << fakeengine::Engine().LogText();
    EXPECT_TRUE(LogHas(rig.EngineLog(), ",385,288)")) << fakeengine::Engine().LogText();
    EXPECT_TRUE(LogHas(rig.ports.calls, "Toggle(p4," + Rgb(KeyOf(Button::PlayPause)) + ",1)"));
    EXPECT_TRUE(LogHas(rig.ports.calls, "Enable(p4," + Rgb(KeyOf(Button::Search)) + ",1)"));
    EXPECT_EQ(browse.PlayStateNow(), kPlayPlaying);

    // The scripted engine's file lasts 0 s: the worker ends it at once.
    worker.RunPending();
    EXPECT_EQ(browse.PlayStateNow(), kPlayStopped);
    EXPECT_TRUE(LogHas(rig.ports.calls, "Toggle(p4," + Rgb(KeyOf(Button::PlayPause)) + ",0)"));
    EXPECT_TRUE(LogHas(rig.EngineLog(), "GetCurrentPlaybackTime"));
}

TEST_F(BrowseOnControllerTest, PanelKeysReachThePlayback) {
    EnterMode(kModeBrowse);
    ASSERT_EQ(rig.controller.ShowBrowseFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    rig.ClearLogs();
    rig.controller.OnButton(KeyOf(Button::PlayPause));
    EXPECT_EQ(browse.PlayStateNow(), kPlayPaused);
    rig.controller.OnButton(KeyOf(Button::StopPlaying));
    EXPECT_EQ(browse.PlayStateNow(), kPlayStopped);
    rig.controller.OnSliderChanged(KeyOf(Button::Search), 0.4);
    const std::vector<std::string> engine = rig.EngineLog();
    EXPECT_TRUE(LogHas(engine, "PausePlayback"));
    EXPECT_TRUE(LogHas(engine, "StopPlayback"));
    EXPECT_TRUE(LogHas(engine, "SetPlaybackPosition(40")) << fakeengine::Engine().LogText();
}

TEST_F(BrowseOnControllerTest, CancelOnAnEditedPictureKeepsTheCurrentItem) {
    EnterMode(kModeBrowse);
    ASSERT_EQ(rig.controller.ShowBrowseFile(u"C:\\I\\a.jpg", kClassPicture), 1);
    canvas.modified = true;
    prompt.answer = SaveAnswer::Cancel;
    log.calls.clear();
    rig.controller.OnButton(KeyOf(Button::NextItem));
    EXPECT_EQ(log.calls, std::vector<std::string>({"Prompt"}));

    prompt.answer = SaveAnswer::No;
    tabs.nextPath = u"C:\\I\\b.jpg";
    tabs.nextClass = kClassPicture;
    rig.controller.OnButton(KeyOf(Button::NextItem));
    EXPECT_TRUE(log.Has("Tabs.Navigate(2)"));
    EXPECT_TRUE(log.Has("Canvas.ShowFile(C:\\I\\b.jpg,1)"));
    EXPECT_TRUE(canvas.existing.empty());  // nothing was saved
}

TEST_F(BrowseOnControllerTest, LeavingBrowseModeStopsThePlayback) {
    EnterMode(kModeBrowse);
    ASSERT_EQ(rig.controller.ShowBrowseFile(u"C:\\V\\clip.wmv", kClassVideo), 1);
    rig.ClearLogs();
    ASSERT_EQ(rig.controller.SetMode(kModeImage), 1);
    EXPECT_TRUE(LogHas(rig.EngineLog(), "StopPlayback"));
    EXPECT_EQ(browse.PlayStateNow(), kPlayStopped);
    EXPECT_FALSE(worker.IsRunning());
}

}  // namespace
}  // namespace vimbrel::controller::test
