#include <gtest/gtest.h>

#include <vector>

#include "Detector_NonThread.h"
#include "DetectorFakes.h"
#include "ProcessWideState.h"
#include "SyntheticFrames.h"

using namespace motion;
using namespace motion_test;

namespace {

constexpr std::uint32_t W = 320, H = 240, B = 8;  // level 1: 40 x 30 at block 8

const RaisedEvent kBaseSet{EC_BASE_FRAME_SET, 0, 0};
RaisedEvent Motion(std::intptr_t p1, std::intptr_t p2) { return RaisedEvent{EC_MOTION_DETECTED, p1, p2}; }

class DetectorControllerTest : public testing::Test {
protected:
    void SetUp() override { ResetProcessWideMotionState(); }

    // The graph runs: format negotiated, streaming started.
    void Stream(int mode, int markRect, int markVideo, HResult expectInit = kOk) {
        MotionRect rect{};
        det.SetDetectParams(1, mode, &rect);
        const BitmapInfoHeader h = black.Header();
        det.SetFormat(&h);
        ASSERT_EQ(expectInit, det.Init(&graph));
        det.MarkMotionRect(&markRect);
        det.MarkMotionOnVideo(&markVideo);
    }

    std::vector<RaisedEvent> Feed(SyntheticFrame& f) {
        sink.events.clear();
        ticks.now += 40;
        det.ProcessFrame(f.Data(), f.Bytes());
        return sink.events;
    }

    int State() {
        int state = -1;
        det.GetParams(nullptr, nullptr, &state, nullptr, nullptr, nullptr, nullptr);
        return state;
    }

    static SyntheticFrame Blob() {
        SyntheticFrame f(W, H);
        f.WhiteBlocks(B, 10, 10, 12, 13);  // 2 x 3 blocks
        return f;
    }

    RecordingSink sink;
    FakeGraph graph{&sink};
    SteppingTicks ticks;
    CDetectorNonThread det{ticks};
    SyntheticFrame black{W, H};
    SyntheticFrame blob = Blob();
};

using Events = std::vector<RaisedEvent>;

}  // namespace

// Dynamic mode without marks, as the capture engine runs it: every pass with
// motion takes its frame as the new base and reports a zero rectangle; the
// base-updated flag stays set, so every enabled pass also reports the base.
TEST_F(DetectorControllerTest, EngineConfigurationFrameByFrame) {
    Stream(kModeDynamicBase, 0, 0);
    ASSERT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(Events({kBaseSet}), Feed(blob));  // first frame: base, compared with itself
    EXPECT_EQ(Events({kBaseSet, Motion(0, 0)}), Feed(black));
    EXPECT_EQ(Events({kBaseSet}), Feed(black));
    EXPECT_EQ(Events({kBaseSet, Motion(0, 0)}), Feed(blob));
    EXPECT_EQ(kStateDetecting, State());
}

TEST_F(DetectorControllerTest, MotionEventCarriesTheRectanglePackedAsTwoWordPairs) {
    Stream(kModeDynamicBase, 1, 1);
    ASSERT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(Events({kBaseSet}), Feed(black));
    // Frame pixels (80, 80) - (88, 96); the second difference changed, so
    // the base was kept and no base event follows.
    EXPECT_EQ(Events({Motion(80 | 80 << 16, 88 | 96 << 16)}), Feed(blob));
    EXPECT_TRUE(blob.PixelIs(72, 90, kMarkYellow));

    SyntheticFrame other = Blob();
    int rects = 0;
    det.MarkMotionRect(&rects);
    ResetProcessWideMotionState();
    ASSERT_EQ(kOk, det.ResetBaseFrame());
    EXPECT_EQ(Events({kBaseSet}), Feed(black));
    // Reduced pixels (10, 10) - (11, 12) and a red outline on the frame.
    EXPECT_EQ(Events({Motion(10 | 10 << 16, 11 | 12 << 16)}), Feed(other));
    EXPECT_TRUE(other.PixelIs(71, 90, kMarkRed));
}

TEST_F(DetectorControllerTest, FixedModeReportsAZeroRectangleAndNoBaseEvents) {
    Stream(kModeFixedBase, 1, 1);
    ASSERT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(Events{}, Feed(black));
    EXPECT_EQ(Events({Motion(0, 0)}), Feed(blob));
    EXPECT_EQ(Events({Motion(0, 0)}), Feed(blob));  // the base stays black
}

TEST_F(DetectorControllerTest, NothingStartsBeforeStreaming) {
    EXPECT_EQ(kFail, det.StartDetect());
    EXPECT_EQ(kFail, det.ResetBaseFrame());
    MotionRect rect{1, 2, 3, 4};
    EXPECT_EQ(kOk, det.SetDetectParams(3, 1, &rect));
    EXPECT_EQ(0, rect.left | rect.top | rect.right | rect.bottom);
    EXPECT_EQ(kOk, det.ProcessFrame(blob.Data(), blob.Bytes()));
    EXPECT_EQ(kStateIdle, State());
}

TEST_F(DetectorControllerTest, DynamicStartAndResetTransitions) {
    Stream(kModeDynamicBase, 0, 0);
    EXPECT_EQ(kStateIdle, State());
    EXPECT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(kStateDetecting, State());
    Feed(black);

    // A reset takes the next frame as base instead of examining it.
    ASSERT_EQ(kOk, det.ResetBaseFrame());
    EXPECT_EQ(kStateResetRequested, State());
    EXPECT_EQ(Events({kBaseSet}), Feed(blob));
    EXPECT_EQ(kStateDetecting, State());
    EXPECT_EQ(Events({kBaseSet}), Feed(blob));

    // Stopped: the state stays 1 but passes are not examined; a reset then
    // ends in state 0.
    EXPECT_EQ(kOk, det.StopDetect());
    EXPECT_EQ(kStateDetecting, State());
    EXPECT_EQ(Events{}, Feed(black));
    ASSERT_EQ(kOk, det.ResetBaseFrame());
    EXPECT_EQ(Events({kBaseSet}), Feed(black));
    EXPECT_EQ(kStateIdle, State());
    EXPECT_EQ(Events{}, Feed(blob));
}

TEST_F(DetectorControllerTest, FixedStartTwiceFailsUntilAResetEndsInStateZero) {
    Stream(kModeFixedBase, 0, 1);
    EXPECT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(kFail, det.StartDetect());
    Feed(black);
    EXPECT_EQ(Events({Motion(0, 0)}), Feed(blob));

    EXPECT_EQ(kOk, det.StopDetect());
    EXPECT_EQ(Events{}, Feed(blob));
    EXPECT_EQ(kStateDetecting, State());

    ASSERT_EQ(kOk, det.ResetBaseFrame());
    EXPECT_EQ(kFail, det.StartDetect());  // state 2
    EXPECT_EQ(Events({kBaseSet}), Feed(black));
    EXPECT_EQ(kStateIdle, State());
    EXPECT_EQ(Events{}, Feed(blob));  // state 0 examines nothing
    EXPECT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(Events({Motion(0, 0)}), Feed(blob));
}

TEST_F(DetectorControllerTest, RestartAfterStopDependsOnTheMode) {
    Stream(kModeDynamicBase, 0, 0);
    ASSERT_EQ(kOk, det.StartDetect());
    Feed(black);
    det.Uninit();
    EXPECT_EQ(kStateDetecting, State());
    ASSERT_EQ(kOk, det.Init(&graph));
    EXPECT_EQ(Events{}, Feed(blob));  // not enabled again yet
    ASSERT_EQ(kOk, det.StartDetect());
    EXPECT_EQ(Events({kBaseSet, Motion(0, 0)}), Feed(black));

    det.SetDetectParams(1, kModeFixedBase, nullptr);
    det.Uninit();
    ASSERT_EQ(kOk, det.Init(&graph));
    EXPECT_EQ(kFail, det.StartDetect());
    ASSERT_EQ(kOk, det.ResetBaseFrame());
    Feed(black);
    EXPECT_EQ(kStateIdle, State());
    EXPECT_EQ(kOk, det.StartDetect());
}

// Without an event sink a reset still completes; only the event is missing.
TEST_F(DetectorControllerTest, ResetCompletesWithoutAnEventSink) {
    graph.sink = nullptr;
    Stream(kModeDynamicBase, 0, 0, kNoInterface);
    ASSERT_EQ(kOk, det.StartDetect());
    Feed(black);
    ASSERT_EQ(kOk, det.ResetBaseFrame());
    Feed(blob);
    EXPECT_EQ(kStateDetecting, State());
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(DetectorControllerTest, TooSmallStreamRunsWithoutDetection) {
    SyntheticFrame tiny(16, 16);
    const BitmapInfoHeader h = tiny.Header();
    det.SetFormat(&h);
    EXPECT_EQ(kFail, det.Init(&graph));
    EXPECT_EQ(kOk, det.StartDetect());
    MotionRect rect{};
    EXPECT_EQ(kOk, det.SetDetectParams(10, 1, &rect));
    EXPECT_EQ(16, rect.right);
    EXPECT_EQ(16, rect.bottom);
    for (int i = 0; i < 3; ++i) {
        tiny.Fill(i ? 255 : 0, 255, 255);
        EXPECT_EQ(Events{}, Feed(tiny));
    }
    BitmapInfoHeader out{};
    std::uint32_t size = 16;
    std::uint8_t buffer[16];
    EXPECT_EQ(kFail, det.GetBaseFrame(&out, buffer, &size));
}

TEST_F(DetectorControllerTest, SettingsAreStoredClampedAndReadBack) {
    MotionRect rect{};
    det.SetDetectParams(15, 0, &rect);
    det.SetDetectInterval(-5);
    int flag = 1;
    EXPECT_EQ(kOk, det.MarkMotionRect(&flag));
    EXPECT_EQ(1, flag);
    int level = -1, mode = -1, state = -1, interval = 0, markRect = 0, markVideo = -1;
    det.GetParams(&level, &mode, &state, &interval, &rect, &markRect, &markVideo);
    EXPECT_EQ(10, level);
    EXPECT_EQ(0, mode);
    EXPECT_EQ(0, state);
    EXPECT_EQ(-5, interval);
    EXPECT_EQ(1, markRect);
    EXPECT_EQ(0, markVideo);
    det.SetDetectParams(-1, 1, nullptr);  // compared unsigned: the coarsest level
    det.GetParams(&level, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(10, level);

    EXPECT_EQ(kPointer, det.MarkMotionRect(nullptr));
    EXPECT_EQ(kPointer, det.MarkMotionOnVideo(nullptr));
    EXPECT_EQ(kPointer, det.SetFormat(nullptr));

    Stream(kModeDynamicBase, 0, 0);
    det.SetDetectParams(1, 1, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(320, rect.right);
    EXPECT_EQ(240, rect.bottom);
}

// Asking for the base frame before streaming must not wipe the format the
// next Init allocates for.
TEST_F(DetectorControllerTest, EarlyBaseFrameQueryKeepsTheStreamFormat) {
    const BitmapInfoHeader h = black.Header();
    det.SetFormat(&h);
    BitmapInfoHeader out{};
    std::uint32_t size = 99;
    EXPECT_EQ(kOk, det.GetBaseFrame(&out, nullptr, &size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(kPointer, det.GetBaseFrame(nullptr, nullptr, &size));
    EXPECT_EQ(kPointer, det.GetBaseFrame(&out, nullptr, nullptr));

    ASSERT_EQ(kOk, det.Init(&graph));
    ASSERT_EQ(kOk, det.StartDetect());
    Feed(blob);
    EXPECT_EQ(kOk, det.GetBaseFrame(&out, nullptr, &size));
    EXPECT_EQ(W * H * 3, size);
    EXPECT_EQ(320, out.biWidth);
    std::vector<std::uint8_t> base(size);
    EXPECT_EQ(kOk, det.GetBaseFrame(&out, base.data(), &size));
    EXPECT_TRUE(std::equal(base.begin(), base.end(), blob.Data()));
}

// The sink may call straight back into the detector: events are raised
// after the detector's lock is released.
TEST_F(DetectorControllerTest, SinkMayCallBackIntoTheDetector) {
    Stream(kModeDynamicBase, 0, 0);
    ASSERT_EQ(kOk, det.StartDetect());
    int seen = -1;
    sink.onNotify = [&] {
        det.ResetBaseFrame();
        det.GetParams(nullptr, nullptr, &seen, nullptr, nullptr, nullptr, nullptr);
    };
    Feed(black);
    EXPECT_EQ(kStateResetRequested, seen);
}

// 40 ms frames at an interval of 1000 ms: the rate is 25 a second, so one
// frame in 25 is examined: frames 0, 25 and 50 of 60.
TEST_F(DetectorControllerTest, IntervalThinsThePassesOut) {
    Stream(kModeDynamicBase, 0, 0);
    det.SetDetectInterval(1000);
    ASSERT_EQ(kOk, det.StartDetect());
    std::vector<int> examined;
    for (int i = 0; i < 60; ++i) {
        if (!Feed(i % 2 ? blob : black).empty()) examined.push_back(i);
    }
    EXPECT_EQ(std::vector<int>({0, 25, 50}), examined);
}
