#include "engine/core/RecordingRules.h"

#include <gtest/gtest.h>

namespace camera {
namespace {

EngineValues ReadyIn(int mode, int state = kIdle) {
    EngineValues values;
    values.ready = true;
    values.requestedMode = mode;
    values.captureState = state;
    return values;
}

TEST(RecordingToggle, EachToggleStartsOnlyInItsOwnModeWhileIdleWithAPath) {
    EXPECT_EQ(RecordingStep::Start, PlanRecordingToggle(ReadyIn(0), RecordingKind::VideoWithSound, true));
    EXPECT_EQ(RecordingStep::Start, PlanRecordingToggle(ReadyIn(1), RecordingKind::VideoOnly, true));
    EXPECT_EQ(RecordingStep::Start, PlanRecordingToggle(ReadyIn(2), RecordingKind::Sound, true));

    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(1), RecordingKind::VideoWithSound, true));
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(0), RecordingKind::VideoOnly, true));
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(3), RecordingKind::Sound, true));
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(2), RecordingKind::Sound, false));

    EngineValues notReady = ReadyIn(0);
    notReady.ready = false;
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(notReady, RecordingKind::VideoWithSound, true));
}

TEST(RecordingToggle, TheRunningRecordingStopsWhateverPathComesAndNothingElseIsTouched) {
    EXPECT_EQ(RecordingStep::Stop, PlanRecordingToggle(ReadyIn(0, 3), RecordingKind::VideoWithSound, true));
    EXPECT_EQ(RecordingStep::Stop, PlanRecordingToggle(ReadyIn(0, 3), RecordingKind::VideoWithSound, false));
    EXPECT_EQ(RecordingStep::Stop, PlanRecordingToggle(ReadyIn(1, 1), RecordingKind::VideoOnly, false));
    EXPECT_EQ(RecordingStep::Stop, PlanRecordingToggle(ReadyIn(2, 2), RecordingKind::Sound, true));

    // Busy with something else: another recording or the monitor.
    for (int state : {1, 2, 4})
        EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(0, state), RecordingKind::VideoWithSound, true))
            << state;
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(2, 3), RecordingKind::Sound, true));
    // A stop needs the toggle's mode too.
    EXPECT_EQ(RecordingStep::Refuse, PlanRecordingToggle(ReadyIn(1, 3), RecordingKind::VideoWithSound, false));
}

TEST(RecordingPaths, SoundPathsKeepBelow128AndVideoPathsBelow260WideCharacters) {
    EXPECT_TRUE(RecordingPathFits(RecordingKind::Sound, 127));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::Sound, 128));
    EXPECT_TRUE(RecordingPathFits(RecordingKind::VideoWithSound, 259));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::VideoWithSound, 260));
    EXPECT_TRUE(RecordingPathFits(RecordingKind::VideoOnly, 128));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::VideoOnly, 0));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::Sound, 0));
}

}  // namespace
}  // namespace camera
