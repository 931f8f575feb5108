#include "engine/core/ModeTransition.h"

#include <gtest/gtest.h>

namespace camera {
namespace {

EngineValues ReadyIn(int applied) {
    EngineValues values;
    values.ready = true;
    values.appliedMode = applied;
    values.rebuildPreview = false;  // the preview graph is built
    return values;
}

TEST(ModeTransition, RefusesBeforeReadyWhileBusyAndOutsideTheSixModes) {
    EngineValues notReady;
    EXPECT_EQ(ModeStep::Refuse, PlanModeChange(notReady, kModeImage));

    for (int busy : {kRecordingVideoOnly, kRecordingAudio, kRecordingVideoWithSound, kMonitoring}) {
        EngineValues values = ReadyIn(kModeVideo);
        values.captureState = busy;
        EXPECT_EQ(ModeStep::Refuse, PlanModeChange(values, kModeAudio)) << busy;
    }
    EXPECT_EQ(ModeStep::Refuse, PlanModeChange(ReadyIn(kModeVideo), -1));
    EXPECT_EQ(ModeStep::Refuse, PlanModeChange(ReadyIn(kModeVideo), 6));
}

TEST(ModeTransition, FirstSwitchAfterInitializeBuildsOrStops) {
    // Initialize leaves no applied mode, so every mode needs work once.
    for (int mode : {kModeVideo, kModeVideoOnly, kModeImage, kModeMonitor})
        EXPECT_EQ(ModeStep::StartPreview, PlanModeChange(ReadyIn(kNoAppliedMode), mode)) << mode;
    EXPECT_EQ(ModeStep::StopCapture, PlanModeChange(ReadyIn(kNoAppliedMode), kModeAudio));
    EXPECT_EQ(ModeStep::StopCapture, PlanModeChange(ReadyIn(kNoAppliedMode), kModeBrowse));
}

TEST(ModeTransition, PreviewModesShareTheRunningPreview) {
    EXPECT_EQ(ModeStep::AlreadyApplied, PlanModeChange(ReadyIn(kModeVideo), kModeVideo));
    EXPECT_EQ(ModeStep::KeepPreview, PlanModeChange(ReadyIn(kModeVideo), kModeImage));
    EXPECT_EQ(ModeStep::KeepPreview, PlanModeChange(ReadyIn(kModeMonitor), kModeVideoOnly));
    EXPECT_EQ(ModeStep::StopCapture, PlanModeChange(ReadyIn(kModeImage), kModeBrowse));
    EXPECT_EQ(ModeStep::StartPreview, PlanModeChange(ReadyIn(kModeAudio), kModeVideo));
    EXPECT_EQ(ModeStep::StartPreview, PlanModeChange(ReadyIn(kModeBrowse), kModeMonitor));
    EXPECT_EQ(ModeStep::StopCapture, PlanModeChange(ReadyIn(kModeAudio), kModeBrowse));
    EXPECT_EQ(ModeStep::AlreadyApplied, PlanModeChange(ReadyIn(kModeBrowse), kModeBrowse));
}

TEST(ModeTransition, AnEmptiedPreviewIsBuiltAgainForEveryPreviewMode) {
    EngineValues values = ReadyIn(kModeVideo);
    values.rebuildPreview = true;
    EXPECT_EQ(ModeStep::StartPreview, PlanModeChange(values, kModeVideo));
    EXPECT_EQ(ModeStep::StartPreview, PlanModeChange(values, kModeImage));
    EXPECT_EQ(ModeStep::StopCapture, PlanModeChange(values, kModeAudio));
    values.appliedMode = kModeBrowse;
    EXPECT_EQ(ModeStep::AlreadyApplied, PlanModeChange(values, kModeBrowse));
}

}  // namespace
}  // namespace camera
