#include <gtest/gtest.h>

#include <vector>

#include "DetectorFakes.h"
#include "ProcessWideState.h"

using namespace motion;

namespace {

// Calls the gate n times with ticks step ms apart; the indices that ran.
std::vector<int> GatePasses(std::uint32_t interval, std::uint32_t start, std::uint32_t step, int n) {
    ResetProcessWideMotionState();
    motion_test::SteppingTicks ticks;
    ticks.now = start;
    std::vector<int> ran;
    for (int i = 0; i < n; ++i, ticks.now += step)
        if (IntervalGateAllows(interval, ticks)) ran.push_back(i);
    return ran;
}

std::vector<int> Every(int k, int n) {
    std::vector<int> out;
    for (int i = 0; i < n; i += k) out.push_back(i);
    return out;
}

}  // namespace

TEST(IntervalGate, ZeroIntervalExaminesEveryFrame) {
    EXPECT_EQ(Every(1, 10), GatePasses(0, 5000, 40, 10));
    EXPECT_EQ(Every(1, 10), GatePasses(0, 5000, 0, 10));  // a clock that stands still
}

TEST(IntervalGate, OneFrameInRateTimesIntervalPasses) {
    EXPECT_EQ(Every(25, 60), GatePasses(1000, 5000, 40, 60));  // 25 a second
    EXPECT_EQ(Every(32, 70), GatePasses(1000, 5000, 30, 70));  // 33.3 counts as 32
    EXPECT_EQ(Every(5, 20), GatePasses(200, 5000, 40, 20));    // 200 x 25 / 1000
    EXPECT_EQ(Every(1, 10), GatePasses(10, 5000, 40, 10));     // under one frame: each
}

// 1000 / 41 x 82 / 1000 is 2 in single precision; wider arithmetic may give
// 1.999... and truncate to 1.
TEST(IntervalGate, ReloadIsComputedInSinglePrecision) { EXPECT_EQ(Every(2, 12), GatePasses(82, 5000, 41, 12)); }

TEST(IntervalGate, TickCountWrapAroundStillMeasuresTheRate) {
    EXPECT_EQ(Every(25, 30), GatePasses(1000, 0xFFFFFF00u, 40, 30));
}

TEST(IntervalGate, StateIsSharedByEveryDetectorOfTheProcess) {
    ResetProcessWideMotionState();
    motion_test::SteppingTicks a, b;
    a.now = b.now = 7000;
    EXPECT_TRUE(IntervalGateAllows(1000, a));
    b.now += 40;
    EXPECT_FALSE(IntervalGateAllows(1000, b));  // the reload from a's first tick
}

TEST(BaseFrameCountdown, RefreshWaitsOutAHundredRefusals) {
    ResetProcessWideMotionState();
    EXPECT_TRUE(DecideBaseFrame(BaseSource::CurrentGray, true));  // starts at 0
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(DecideBaseFrame(BaseSource::CurrentGray, true)) << i;
    EXPECT_TRUE(DecideBaseFrame(BaseSource::CurrentGray, true));
    EXPECT_FALSE(DecideBaseFrame(BaseSource::CurrentGray, false));  // reloads to 100
    EXPECT_FALSE(DecideBaseFrame(BaseSource::CurrentGray, true));
    EXPECT_TRUE(DecideBaseFrame(BaseSource::TakeNow, false));  // and back to 0
    EXPECT_TRUE(DecideBaseFrame(BaseSource::CurrentGray, true));
}
