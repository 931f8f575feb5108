// The slide loop against a scripted stage: the order of showing, waiting
// and moving on; wrap-around; skipped files; a stop cutting the show short.
#include "SlideLoop.h"

#include "PlayMode.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace slideshow;

namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

class CScriptedStage : public ISlideStage {
public:
    std::vector<std::string> log;
    std::set<std::u16string> undecodable;
    int failTransitionOnLoad = -1;  // the n-th load's transition fails
    int signalOnWait = -1;          // the n-th wait finds the event set
    int signalOnLoad = -1;          // the event is set while the n-th load decodes
    int held = 0;                   // pictures loaded and not released

    void NotifyCursorMoved() override { log.push_back("moved"); }
    void ClearScreen() override { log.push_back("black"); }
    bool LoadPicture(const std::u16string& name) override {
        if (++loads_ == signalOnLoad) signalled_ = true;
        if (undecodable.count(name)) {
            log.push_back("broken " + Narrow(name));
            return false;
        }
        EXPECT_EQ(0, held) << "the last picture was not released before the next load";
        ++held;
        log.push_back("show " + Narrow(name));
        return true;
    }
    void ReleasePicture() override { held = 0; }
    bool RunTransition(int mode) override {
        log.push_back("transition " + std::to_string(mode));
        return loads_ != failTransitionOnLoad;
    }
    bool WaitForEvent(std::uint32_t ms) override {
        log.push_back("wait " + std::to_string(ms));
        return ++waits_ == signalOnWait || signalled_;
    }
    bool EventSet() override { return signalled_; }

private:
    int loads_ = 0;
    int waits_ = 0;
    bool signalled_ = false;
};

void Fill(CSlideList& list, std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) list.Append(name);
}

using Log = std::vector<std::string>;

}  // namespace

TEST(SlideLoop, PlaysToTheEndThenWrapsToTheFirst) {
    CSlideList list;
    Fill(list, {u"a", u"b"});
    CScriptedStage stage;
    EXPECT_EQ(1, PlaySlides(list, kPlayCut, 2000, stage));
    EXPECT_EQ((Log{"moved", "black", "show a", "transition 1", "wait 2000", "moved", "show b", "transition 1",
                   "wait 2000", "moved"}),
              stage.log);
    EXPECT_EQ(0, stage.held);

    stage.log.clear();
    EXPECT_EQ(1, PlaySlides(list, kPlayCrossFade, 5000, stage));
    EXPECT_EQ("show a", stage.log[2]);
    EXPECT_EQ("transition 3", stage.log[3]);
}

TEST(SlideLoop, OneFileRepeatsOnEveryCall) {
    CSlideList list;
    Fill(list, {u"solo"});
    CScriptedStage stage;
    for (int call = 0; call < 3; ++call) {
        stage.log.clear();
        EXPECT_EQ(1, PlaySlides(list, kPlayPan, 2000, stage));
        EXPECT_EQ((Log{"moved", "black", "show solo", "transition 4", "wait 2000", "moved"}), stage.log);
    }
}

TEST(SlideLoop, StartsAfterTheCursorTheUserLeftItOn) {
    CSlideList list;
    Fill(list, {u"a", u"b", u"c"});
    std::u16string name;
    list.Next(name);  // the user navigated to "a"
    CScriptedStage stage;
    PlaySlides(list, kPlayCut, 0, stage);
    EXPECT_EQ("show b", stage.log[2]);
}

TEST(SlideLoop, SetEventEndsTheShowWithoutMovingOn) {
    CSlideList list;
    Fill(list, {u"a", u"b", u"c"});
    CScriptedStage stage;
    stage.signalOnWait = 2;
    EXPECT_EQ(1, PlaySlides(list, kPlayCrossFade, 5000, stage));
    EXPECT_EQ("wait 5000", stage.log.back());
    EXPECT_EQ(0, stage.held);
    std::u16string name;
    list.Current(name);
    EXPECT_EQ(u"b", name);  // the next call shows "c"
}

// The user navigated (or paused) while the next picture decoded: the
// picture the user asked for is on screen, and no transition may draw over
// it.
TEST(SlideLoop, EventSetWhileLoadingDrawsNothing) {
    CSlideList list;
    Fill(list, {u"a", u"b", u"c"});
    CScriptedStage stage;
    stage.signalOnLoad = 2;
    EXPECT_EQ(1, PlaySlides(list, kPlayCrossFade, 5000, stage));
    EXPECT_EQ("show b", stage.log.back());
    EXPECT_EQ(0, stage.held);
}

TEST(SlideLoop, UndecodableFileEndsTheCallAndIsSkippedByTheNext) {
    CSlideList list;
    Fill(list, {u"a", u"bad", u"c"});
    CScriptedStage stage;
    stage.undecodable.insert(u"bad");
    EXPECT_EQ(0, PlaySlides(list, kPlayCut, 10, stage));
    EXPECT_EQ("broken bad", stage.log.back());
    stage.log.clear();
    EXPECT_EQ(1, PlaySlides(list, kPlayCut, 10, stage));
    EXPECT_EQ((Log{"moved", "black", "show c", "transition 1", "wait 10", "moved"}), stage.log);
}

TEST(SlideLoop, FailedTransitionEndsTheCallAndReleasesThePicture) {
    CSlideList list;
    Fill(list, {u"a", u"b"});
    CScriptedStage stage;
    stage.failTransitionOnLoad = 1;
    EXPECT_EQ(0, PlaySlides(list, kPlayBlockDissolve, 10, stage));
    EXPECT_EQ("transition 2", stage.log.back());
    EXPECT_EQ(0, stage.held);
}

TEST(SlideLoop, EmptyListOnlyBlanksTheScreen) {
    CSlideList list;
    CScriptedStage stage;
    EXPECT_EQ(1, PlaySlides(list, kPlayCut, 10, stage));
    EXPECT_EQ((Log{"moved", "black"}), stage.log);
}

TEST(SlideLoop, ModeWithoutTransitionStillPacesTheSlides) {
    for (int mode : {0, 6, 9}) {
        CSlideList list;
        Fill(list, {u"a"});
        CScriptedStage stage;
        EXPECT_EQ(1, PlaySlides(list, mode, 20, stage));
        EXPECT_EQ((Log{"moved", "black", "show a", "wait 20", "moved"}), stage.log) << mode;
    }
}
