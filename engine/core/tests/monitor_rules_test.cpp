#include "MonitorRules.h"

#include <gtest/gtest.h>

namespace camera {
namespace {

EngineValues ReadyFor(int requestedMode, int captureState)
{
    EngineValues values;
    values.ready = true;
    values.requestedMode = requestedMode;
    values.captureState = captureState;
    return values;
}

TEST(MonitorRules, StartNeedsReadyMonitorModeAndAWindow)
{
    EXPECT_EQ(MonitorStep::Proceed, PlanMonitorStart(ReadyFor(kModeMonitor, kIdle), true));
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStart(ReadyFor(kModeMonitor, kIdle), false));
    EngineValues notReady = ReadyFor(kModeMonitor, kIdle);
    notReady.ready = false;
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStart(notReady, true));
    for (int mode : {kModeVideo, kModeVideoOnly, kModeAudio, kModeImage, kModeBrowse})
        EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStart(ReadyFor(mode, kIdle), true)) << mode;
}

TEST(MonitorRules, StartWhileMonitoringAnswersAtOnceAndNeverStartsOverARecording)
{
    EXPECT_EQ(MonitorStep::AlreadyDone, PlanMonitorStart(ReadyFor(kModeMonitor, kMonitoring), true));
    // The window is checked first: a null one is refused even then.
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStart(ReadyFor(kModeMonitor, kMonitoring), false));
    for (int busy : {kRecordingVideoOnly, kRecordingAudio, kRecordingVideoWithSound})
        EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStart(ReadyFor(kModeMonitor, busy), true)) << busy;
}

TEST(MonitorRules, StopNeedsReadyAndMonitorModeAndIsDoneAtOnceWhenIdle)
{
    EXPECT_EQ(MonitorStep::Proceed, PlanMonitorStop(ReadyFor(kModeMonitor, kMonitoring)));
    EXPECT_EQ(MonitorStep::AlreadyDone, PlanMonitorStop(ReadyFor(kModeMonitor, kIdle)));
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStop(ReadyFor(kModeImage, kMonitoring)));
    EngineValues notReady = ReadyFor(kModeMonitor, kMonitoring);
    notReady.ready = false;
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStop(notReady));
    EXPECT_EQ(MonitorStep::Refuse, PlanMonitorStop(ReadyFor(kModeMonitor, kRecordingAudio)));
}

} // namespace
} // namespace camera
