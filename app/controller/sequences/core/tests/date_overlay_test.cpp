// The date overlay and its clock on the virtual clock.
#include "SequenceTestRig.h"

namespace vimbrel::controller::test {
namespace {

using Lines = std::vector<std::string>;

TEST(DateOverlay, TimeAndDateAtNineOhFiveOnThirdOfJuly) {
    CSequenceRig rig;
    rig.start = {2026, 7, 3, 9, 5, 12, 400};
    EXPECT_EQ(rig.sequences.UpdateDateOverlay(2), 1);
    EXPECT_EQ(rig.timeline, (Lines{"t=0 SetText(09:05  07/03)", "t=0 EnableText(1)", "t=0 Start(DateClock)"}));
    EXPECT_EQ(rig.sequences.LastDateText(), "09:05  07/03");
}

TEST(DateOverlay, ClockTicksOnWholeSecondsAndSendsOnlyChangedText) {
    CSequenceRig rig;
    rig.start = {2026, 7, 3, 9, 5, 58, 400};
    rig.sequences.UpdateDateOverlay(2);
    rig.timeline.clear();
    // First tick 600 ms on at 09:05:59.000, the next at 09:06:00.000.
    rig.RunWorkers(2700);
    EXPECT_EQ(rig.timeline, (Lines{"t=1600 SetText(09:06  07/03)", "t=1600 EnableText(1)"}));
    EXPECT_EQ(rig.now, 2600);
}

TEST(DateOverlay, ClearedTextIsSentAgainOnTheNextUpdate) {
    CSequenceRig rig;
    rig.sequences.UpdateDateOverlay(1);
    rig.sequences.UpdateDateOverlay(1);
    EXPECT_EQ(rig.Only({"SetText"}).size(), 1u);
    rig.sequences.ClearLastDateText();
    rig.sequences.UpdateDateOverlay(1);
    EXPECT_EQ(rig.Only({"SetText"}), (Lines{"t=0 SetText(07/03)", "t=0 SetText(07/03)"}));
    // One clock for all three updates.
    EXPECT_EQ(rig.Only({"Start(DateClock)"}).size(), 1u);
}

TEST(DateOverlay, SwitchingToNoneHidesTheTextAndLeavesNoClock) {
    CSequenceRig rig;
    rig.sequences.UpdateDateOverlay(0);
    EXPECT_EQ(rig.sequences.UpdateDateOverlay(3), 1);
    EXPECT_EQ(rig.timeline, (Lines{"t=0 SetText(07/03/2026)", "t=0 EnableText(1)", "t=0 Start(DateClock)",
                                   "t=0 Stop(DateClock)", "t=0 EnableText(0)"}));
    EXPECT_FALSE(rig.IsRunning(WorkerKind::DateClock));
    EXPECT_EQ(rig.sequences.LastDateText(), "");
    rig.RunWorkers(5000);
    EXPECT_EQ(rig.now, 0);
}

TEST(DateOverlay, TypeChangeRestartsTheClockWithTheNewText) {
    CSequenceRig rig;
    rig.sequences.UpdateDateOverlay(0);
    rig.sequences.UpdateDateOverlay(2);
    EXPECT_EQ(rig.Only({"SetText", "DateClock"}),
              (Lines{"t=0 SetText(07/03/2026)", "t=0 Start(DateClock)", "t=0 Stop(DateClock)",
                     "t=0 SetText(09:05  07/03)", "t=0 Start(DateClock)"}));
    EXPECT_EQ(rig.sequences.CurrentDateType(), 2);
}

TEST(DateOverlay, UnknownTypeChangesNothing) {
    CSequenceRig rig;
    rig.sequences.UpdateDateOverlay(1);
    rig.timeline.clear();
    EXPECT_EQ(rig.sequences.UpdateDateOverlay(7), 0);
    EXPECT_EQ(rig.sequences.UpdateDateOverlay(-1), 0);
    EXPECT_TRUE(rig.timeline.empty());
    EXPECT_EQ(rig.sequences.CurrentDateType(), 1);
    EXPECT_TRUE(rig.IsRunning(WorkerKind::DateClock));
    EXPECT_EQ(rig.sequences.LastDateText(), "07/03");
}

TEST(DateOverlay, RefusedWithoutTheEngineOrItsTextEntries) {
    for (int scene = 0; scene < 3; ++scene) {
        CSequenceRig rig;
        if (scene == 0) rig.engineLoaded = false;
        if (scene == 1) rig.api.SetText = nullptr;
        if (scene == 2) rig.api.EnableText = nullptr;
        EXPECT_EQ(rig.sequences.UpdateDateOverlay(0), 0) << scene;
        EXPECT_TRUE(rig.timeline.empty()) << scene;
    }
}

}  // namespace
}  // namespace vimbrel::controller::test
