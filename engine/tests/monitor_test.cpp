// Motion monitoring against the bench camera and the motion filter. The
// engine is linked into this program, so that the tests can also look at
// the graphs it builds and hand its hidden window events of their own.
#include "engine/win/CaptureEngineState.h"
#include "engine/tests/EngineTestSupport.h"
#include "filters/motion/include/IMotionControl.h"
#include "engine/tests/MotionMessageWindow.h"
#include "MessagePump.h"

namespace enginetest {
namespace {

constexpr UINT kGraphEventMessage = WM_APP + 1;
constexpr LPARAM kMonitorGraphEvents = 3;

int FilterCount(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    if (graph == nullptr || FAILED(graph->EnumFilters(filters.GetAddressOf()))) return -1;
    int count = 0;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) ++count;
    return count;
}

OAFilterState PreviewState() {
    OAFilterState state = -1;
    ComPtr<IMediaControl> control = camera::Engine().previewControl;
    if (!control || FAILED(control->GetState(500, &state))) return -1;
    return state;
}

class Monitor : public EngineTest {
protected:
    LONGLONG Delivered() {
        LONGLONG frames = 0;
        bench_->GetDeliveredFrames(&frames);
        return frames;
    }

    // Whether the camera delivers frames to some graph right now.
    bool CameraStreams() {
        const LONGLONG before = Delivered();
        return testbench::PumpUntil([&] { return Delivered() >= before + 3; }, 3000);
    }

    bool AlarmsReach(const CMotionMessageWindow& window, int count, DWORD timeoutMs = 8000) {
        return testbench::PumpUntil([&] { return window.Count() >= count; }, timeoutMs);
    }

    // Motion mode with the first camera at its first format (RGB24 320x240),
    // so that a power resume has a format to bring the preview back with.
    void StartMonitorMode() { ASSERT_EQ(1, Start(5, 0)); }

    // The bitrate setters answer 1 only while the engine is idle, and need
    // no graph work (a mode switch may have to build the preview).
    bool EngineIdle() { return SetVideoBitrate(0) == 1; }

    void Suspend() { SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0); }
    void Resume() { SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0); }

    CMotionMessageWindow alarms_;
};

TEST_F(Monitor, EachMotionEventBecomesOneMessageAndOtherEventsNone) {
    // Browse mode builds no graph, but the monitor graph object exists.
    ASSERT_EQ(1, Start(4));
    camera::CaptureEngineState& state = camera::Engine();
    ASSERT_TRUE(state.monitorGraph);
    state.monitorNotifyWindow = alarms_.Handle();
    ComPtr<IMediaEventEx> events;
    ComPtr<IMediaEventSink> sink;
    ASSERT_EQ(S_OK, camera::QueryTo(state.monitorGraph.Get(), IID_IMediaEventEx, events));
    ASSERT_EQ(S_OK, camera::QueryTo(state.monitorGraph.Get(), IID_IMediaEventSink, sink));
    ASSERT_EQ(S_OK, events->SetNotifyWindow(reinterpret_cast<OAHWND>(FindHiddenWindow()), kGraphEventMessage,
                                            kMonitorGraphEvents));

    // One batch: two motion events around a base-frame event.
    ASSERT_EQ(S_OK, sink->Notify(EC_MOTION_DETECTED, MAKELONG(10, 20), MAKELONG(30, 40)));
    ASSERT_EQ(S_OK, sink->Notify(EC_BASE_FRAME_SET, 0, 0));
    ASSERT_EQ(S_OK, sink->Notify(EC_MOTION_DETECTED, 0, 0));
    EXPECT_TRUE(AlarmsReach(alarms_, 2, 3000));
    testbench::PumpFor(300);
    EXPECT_EQ(2, alarms_.Count());
    EXPECT_FALSE(alarms_.SawParameters());
    // Everything was taken from the queue, the base-frame event too.
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    EXPECT_EQ(E_ABORT, events->GetEvent(&code, &first, &second, 0));

    ASSERT_EQ(S_OK, sink->Notify(EC_BASE_FRAME_SET, 0, 0));
    testbench::PumpFor(300);
    EXPECT_EQ(2, alarms_.Count());
}

TEST_F(Monitor, RefusedOutsideTheMonitorModeAndWithoutAWindow) {
    ASSERT_EQ(1, Start(0, 0));
    EXPECT_EQ(0, StartMonitor(alarms_.Handle()));
    EXPECT_EQ(0, StopMonitor());
    EXPECT_EQ(1, SetMode(5));
    EXPECT_EQ(0, StartMonitor(nullptr));
    // Not monitoring: nothing to stop.
    EXPECT_EQ(1, StopMonitor());
    EXPECT_EQ(State_Running, PreviewState());
}

TEST_F(Monitor, AnObjectEnteringTheSceneAlarmsTheWindowAndAStillSceneDoesNot) {
    StartMonitorMode();
    // About two seconds of an empty scene, then the object comes in.
    const BenchSceneStep script[] = {{BENCH_SCENE_STILL, 60}, {BENCH_SCENE_MOVING_OBJECT, 1}};
    ASSERT_EQ(S_OK, bench_->SetSceneScript(script, 2));
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_FALSE(EngineIdle());

    // The preview gave the camera up: only the monitor graph holds it.
    camera::CaptureEngineState& state = camera::Engine();
    EXPECT_EQ(0, FilterCount(state.previewGraph.Get().Get()));
    EXPECT_GE(FilterCount(state.monitorGraph.Get()), 5);

    testbench::PumpFor(1000);
    EXPECT_EQ(0, alarms_.Count());
    EXPECT_TRUE(AlarmsReach(alarms_, 3));
    EXPECT_FALSE(alarms_.SawParameters());
}

TEST_F(Monitor, AStillSceneRaisesNoAlarm) {
    StartMonitorMode();
    ASSERT_EQ(S_OK, bench_->SetScenePattern(BENCH_SCENE_STILL));
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    ASSERT_TRUE(CameraStreams());
    testbench::PumpFor(2500);
    EXPECT_EQ(0, alarms_.Count());
}

TEST_F(Monitor, StopGivesThePreviewBackAndAStartAfterItMonitorsAgain) {
    StartMonitorMode();
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    ASSERT_TRUE(AlarmsReach(alarms_, 1));

    ASSERT_EQ(1, StopMonitor());
    EXPECT_TRUE(EngineIdle());
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_EQ(0, FilterCount(camera::Engine().monitorGraph.Get()));
    EXPECT_TRUE(CameraStreams());
    testbench::PumpFor(300);  // whatever was posted before the stop
    const int afterStop = alarms_.Count();
    testbench::PumpFor(1000);
    EXPECT_EQ(afterStop, alarms_.Count());
    EXPECT_EQ(1, StopMonitor());

    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_TRUE(AlarmsReach(alarms_, afterStop + 1));
}

TEST_F(Monitor, ASecondStartAnswersAtOnceAndKeepsTheFirstWindow) {
    StartMonitorMode();
    CMotionMessageWindow other;
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_EQ(1, StartMonitor(other.Handle()));
    EXPECT_TRUE(AlarmsReach(alarms_, 2));
    EXPECT_EQ(0, other.Count());
}

TEST_F(Monitor, SuspendEndsMonitoringAndResumeBringsThePreviewBack) {
    StartMonitorMode();
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    ASSERT_TRUE(AlarmsReach(alarms_, 1));

    Suspend();
    EXPECT_EQ(0, FilterCount(camera::Engine().monitorGraph.Get()));
    testbench::PumpFor(300);
    const int afterSuspend = alarms_.Count();
    const LONGLONG frames = Delivered();
    testbench::PumpFor(700);
    EXPECT_EQ(frames, Delivered());
    EXPECT_EQ(afterSuspend, alarms_.Count());
    // The engine still counts as monitoring until the machine wakes up.
    EXPECT_FALSE(EngineIdle());

    Resume();
    EXPECT_TRUE(EngineIdle());
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_TRUE(CameraStreams());
    testbench::PumpFor(500);
    EXPECT_EQ(afterSuspend, alarms_.Count());

    // The caller starts monitoring again.
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_TRUE(AlarmsReach(alarms_, afterSuspend + 1));
}

// Without a format index the resume cannot bring the preview back, which
// the monitor had taken apart: the next mode switch must build it.
TEST_F(Monitor, WithoutAFormatTheModeSwitchAfterASuspendBuildsThePreview) {
    ASSERT_EQ(1, Start(5));
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    Suspend();
    Resume();
    // What the mode switch planned from, should it refuse.
    const camera::EngineValues& values = camera::Engine().values;
    EXPECT_EQ(1, SetMode(0)) << "ready " << values.ready << ", capture state " << values.captureState
                             << ", applied mode " << values.appliedMode << ", rebuild " << values.rebuildPreview;
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_TRUE(CameraStreams());
}

TEST_F(Monitor, AFailedStartLeavesNoMonitorGraphAndRunsThePreviewAgain) {
    StartMonitorMode();
    // A filter in the motion filter's place that streams but cannot detect:
    // the graph runs, then detection cannot be started.
    camera::CaptureEngineState& state = camera::Engine();
    ComPtr<IBaseFilter> motion = state.motion;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchPassThrough, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(state.motion.ReleaseAndGetAddressOf())));
    EXPECT_EQ(0, StartMonitor(alarms_.Handle()));
    EXPECT_EQ(0, FilterCount(state.monitorGraph.Get()));
    EXPECT_TRUE(EngineIdle());
    EXPECT_EQ(State_Running, PreviewState());
    EXPECT_TRUE(CameraStreams());

    state.motion = motion;
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_TRUE(AlarmsReach(alarms_, 1));
}

TEST_F(Monitor, ABusyCameraFailsTheStartOnceAndLeavesTheEngineIdle) {
    StartMonitorMode();
    ASSERT_EQ(S_OK, bench_->SetCameraBusy(TRUE));
    EXPECT_EQ(0, StartMonitor(alarms_.Handle()));
    dismisser_.WaitFor(1, 1000);
    testbench::PumpFor(200);
    // The monitor build says so; the quiet attempt to bring the preview back
    // adds no second box.
    EXPECT_EQ(1u, BoxesSaying(L"The camera is used by another program"));
    EXPECT_EQ(0, FilterCount(camera::Engine().monitorGraph.Get()));
    EXPECT_TRUE(EngineIdle());

    ASSERT_EQ(S_OK, bench_->SetCameraBusy(FALSE));
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    EXPECT_TRUE(AlarmsReach(alarms_, 1));
}

TEST_F(Monitor, SensitivityReachesTheMotionFilterInDynamicMode) {
    StartMonitorMode();
    ComPtr<IMotionControl> control;
    ASSERT_EQ(S_OK, camera::QueryTo(camera::Engine().motion.Get(), IID_IMotionControl, control));
    ASSERT_EQ(1, SetSensitivity(3));
    int level = -1;
    int mode = -1;
    int state = -1;
    int interval = -1;
    RECT area{};
    int markRect = -1;
    int markVideo = -1;
    ASSERT_EQ(S_OK, control->GetParams(&level, &mode, &state, &interval, &area, &markRect, &markVideo));
    EXPECT_EQ(3, level);
    EXPECT_EQ(MOTION_MODE_DYNAMIC, mode);

    // Monitoring keeps the video free of marks.
    int marks = 1;
    ASSERT_EQ(S_OK, control->MarkMotionOnVideo(&marks));
    ASSERT_EQ(1, StartMonitor(alarms_.Handle()));
    ASSERT_EQ(S_OK, control->GetParams(&level, &mode, &state, &interval, &area, &markRect, &markVideo));
    EXPECT_EQ(0, markVideo);
    EXPECT_EQ(MOTION_STATE_DETECTING, state);

    camera::Engine().motion.Reset();
    EXPECT_EQ(0, SetSensitivity(3));
}

}  // namespace
}  // namespace enginetest
