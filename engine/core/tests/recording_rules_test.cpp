#include "RecordingRules.h"

#include <gtest/gtest.h>

namespace camera {
namespace {

EngineValues ReadyIn(int mode, int state = kIdle)
{
    EngineValues values;
    values.ready = true;
    values.requestedMode = mode;
    values.captureState = state;
    return values;
}

TEST(RecordingToggle, EachToggleStartsOnlyInItsOwnModeWhileIdleWithAPath)
{
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

TEST(RecordingToggle, TheRunningRecordingStopsWhateverPathComesAndNothingElseIsTouched)
{
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

TEST(RecordingPaths, SoundPathsKeepBelow128AndVideoPathsBelow260WideCharacters)
{
    EXPECT_TRUE(RecordingPathFits(RecordingKind::Sound, 127));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::Sound, 128));
    EXPECT_TRUE(RecordingPathFits(RecordingKind::VideoWithSound, 259));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::VideoWithSound, 260));
    EXPECT_TRUE(RecordingPathFits(RecordingKind::VideoOnly, 128));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::VideoOnly, 0));
    EXPECT_FALSE(RecordingPathFits(RecordingKind::Sound, 0));
}

TEST(RecordingFiles, FileFormatsChooseTheirContainers)
{
    EXPECT_EQ(VideoContainer::Asf, VideoContainerFor(0));
    EXPECT_EQ(VideoContainer::Asf, VideoContainerFor(1));
    EXPECT_EQ(VideoContainer::Avi, VideoContainerFor(2));
    EXPECT_EQ(VideoContainer::Unknown, VideoContainerFor(3));
    EXPECT_EQ(VideoContainer::Unknown, VideoContainerFor(-1));
    EXPECT_EQ(SoundContainer::Wma, SoundContainerFor(0));
    EXPECT_EQ(SoundContainer::Avi, SoundContainerFor(1));
    EXPECT_EQ(SoundContainer::Wav, SoundContainerFor(2));
    EXPECT_EQ(SoundContainer::Unknown, SoundContainerFor(3));
}

TEST(RecordingFiles, VideoBitrateIndexesChooseTheSystemProfilesAndOthersNone)
{
    const MediaGuid expected[] = {
        {0xD9F3C932, 0x5EA9, 0x4C6D, {0x89, 0xB4, 0x26, 0x86, 0xE5, 0x15, 0x42, 0x6E}},
        {0xAFE69B3A, 0x403F, 0x4A1B, {0x80, 0x07, 0x0E, 0x21, 0xCF, 0xB3, 0xDF, 0x84}},
        {0xF3D45FBB, 0x8782, 0x44DF, {0x97, 0xC6, 0x86, 0x78, 0xE2, 0xF9, 0xB1, 0x3D}},
        {0x0326EBB6, 0xF76E, 0x4964, {0xB0, 0xDB, 0xE7, 0x29, 0x97, 0x8D, 0x35, 0xEE}},
    };
    for (int index = 0; index < 4; ++index) {
        const MediaGuid* profile = AsfVideoProfileFor(index);
        ASSERT_NE(nullptr, profile) << index;
        EXPECT_TRUE(expected[index] == *profile) << index;
    }
    EXPECT_EQ(nullptr, AsfVideoProfileFor(-1));
    EXPECT_EQ(nullptr, AsfVideoProfileFor(4));
}

TEST(RecordingTime, GraphByStateAndSecondsFromHundredNanosecondUnits)
{
    EXPECT_EQ(RecordingGraph::Preview, GraphOfRecording(1));
    EXPECT_EQ(RecordingGraph::Preview, GraphOfRecording(3));
    EXPECT_EQ(RecordingGraph::Sound, GraphOfRecording(2));
    EXPECT_EQ(RecordingGraph::None, GraphOfRecording(0));
    EXPECT_EQ(RecordingGraph::None, GraphOfRecording(4));

    EXPECT_FLOAT_EQ(2.5f, RecordingSeconds(25000000));
    EXPECT_FLOAT_EQ(0.0f, RecordingSeconds(0));
    // An hour: float keeps it to well under a frame.
    EXPECT_NEAR(3600.0f, RecordingSeconds(36000000000LL), 0.001f);
}

} // namespace
} // namespace camera
