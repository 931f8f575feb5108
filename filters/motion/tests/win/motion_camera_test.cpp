// The motion filter behind the bench camera, as a program uses it:
// "Vimbrel Bench Camera" -> "Zavu Motion Detect Filter" -> grabber -> null
// renderer, with the graph events read through GetEvent.
//
// The camera's scene (320 x 240 RGB24, bottom-up): colour bars over a grey
// ramp; an orange (255, 128, 0) square of side 40 can stand at columns 0-39
// and picture rows 70-109 from the top, which are buffer rows 130-169. Behind
// it is the white bar at level 192. Worked by hand from those pixels:
//   gray of the white bar  (192 >> 3) + (192 >> 1) + (192 >> 2) = 168
//   gray of the orange     (0 >> 3) + (128 >> 1) + (255 >> 2)   = 127
// Level 1 shrinks by blocks of 8 to 40 x 30 with threshold 23. The square
// fills reduced columns 0-4 and rows 17-20 (gray 127, difference 41), covers
// 6 of the 8 rows of reduced row 16 (channel means 48, 144, 239: gray 137,
// difference 31) and 2 of reduced row 21 (gray 157, difference 11: below the
// threshold). The base gray drifts one level a pass toward the picture, so
// against a still base the square shows for 18 passes (41 - 18 = 23 is no
// longer above the threshold), reduced row 16 only for the first 8.
#include <gtest/gtest.h>

#include <memory>

#include "MotionGraph.h"

namespace motiontest {
namespace {

constexpr int W = 320, H = 240;
constexpr DWORD kFrameBytes = W * H * 3;
constexpr DWORD kWaitMs = 30000;   // frames come at 30 a second; a loaded machine is slower
constexpr int kSquarePasses = 18;  // passes in which the square differs from a still base

const BYTE kYellow[3] = {0x00, 0xFF, 0xFF};  // blue, green, red
const BYTE kRed[3] = {0x00, 0x00, 0xFF};

using Frame = std::vector<BYTE>;

void PaintRow(Frame& f, int y, int x0, int x1, const BYTE bgr[3]) {
    for (int x = x0; x <= x1; ++x) memcpy(&f[(y * W + x) * 3], bgr, 3);
}

void PaintColumn(Frame& f, int x, int y0, int y1, const BYTE bgr[3]) {
    for (int y = y0; y <= y1; ++y) memcpy(&f[(y * W + x) * 3], bgr, 3);
}

::testing::AssertionResult SameFrame(const Frame& expected, const benchtest::GrabbedSample& actual, LONGLONG n) {
    if (actual.mediaTime != n)
        return ::testing::AssertionFailure() << "frame " << n << " came as media time " << actual.mediaTime;
    if (actual.bytes.size() != expected.size())
        return ::testing::AssertionFailure() << "frame " << n << " has " << actual.bytes.size() << " bytes";
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != actual.bytes[i]) {
            const size_t pixel = i / 3;
            return ::testing::AssertionFailure()
                   << "frame " << n << " differs first at x " << pixel % W << ", buffer row " << pixel / W << ": "
                   << int(actual.bytes[i]) << " instead of " << int(expected[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

class MotionCameraTest : public benchtest::BenchTest {
protected:
    void TearDown() override {
        graph_.reset();  // stopped and released while COM is still up
        BenchTest::TearDown();
    }

    // Sets the scene, builds the graph and pauses it: the filter is then
    // streaming and takes settings, and no frame has come yet.
    void Prepare(std::initializer_list<BenchSceneStep> script) {
        ASSERT_EQ(S_OK, bench->SetSceneScript(script.begin(), static_cast<UINT>(script.size())));
        graph_ = std::make_unique<MotionGraph>();
        ASSERT_EQ(S_OK, g().BuildWithCamera());
        ASSERT_TRUE(SUCCEEDED(g().Pause()));
    }

    MotionGraph& g() { return *graph_; }

    void Configure(int level, int mode, int markRect, int markVideo) {
        ASSERT_EQ(S_OK, g().settings->SetDetectParams(level, mode, nullptr));
        ASSERT_EQ(S_OK, g().settings->MarkMotionRect(&markRect));
        ASSERT_EQ(S_OK, g().settings->MarkMotionOnVideo(&markVideo));
    }

    Frame Rendered(LONGLONG n) {
        Frame f(kFrameBytes);
        EXPECT_EQ(S_OK, bench->RenderFrame(W, H, n, f.data(), kFrameBytes));
        return f;
    }

    Frame BaseFrame() {
        BITMAPINFOHEADER header{};
        DWORD size = kFrameBytes;
        Frame f(kFrameBytes);
        EXPECT_EQ(S_OK, g().settings->GetBaseFrame(&header, f.data(), &size));
        return f;
    }

    int State() {
        int state = -1;
        g().settings->GetParams(nullptr, nullptr, &state, nullptr, nullptr, nullptr, nullptr);
        return state;
    }

private:
    std::unique_ptr<MotionGraph> graph_;
};

// Dynamic base frame with rectangles drawn on the video. The still frames
// only repeat the base event of the first frame. When the square appears,
// the second difference (against the still frame saved with the base) gives
// columns 0-4 and rows 16-20: right is the last column and bottom the last
// row's end index (20 * 40 + 5) / 40, both times the block of 8. Every later
// pass compares the picture with itself: an empty second difference, left =
// width (40 * 8) and the rest 0, and no new base while the countdown runs
// down from 100. After 18 passes the base has absorbed the square.
TEST_F(MotionCameraTest, DynamicBaseReportsTheEnteringObjectUntilTheBaseAbsorbsIt) {
    constexpr int kStill = 4;
    Prepare({{BENCH_SCENE_STILL, kStill}, {BENCH_SCENE_OBJECT_AT_REST, 1}});
    Configure(1, MOTION_MODE_DYNAMIC, 1, 1);
    ASSERT_EQ(S_OK, g().settings->StartDetect());
    ASSERT_TRUE(SUCCEEDED(g().Run()));
    ASSERT_TRUE(g().WaitForFrames(kStill + kSquarePasses + 8, kWaitMs));

    std::vector<GraphEvent> expected(kStill, kBaseFrameSet);
    expected.push_back(MotionAt(0, 128, 32, 160));
    expected.insert(expected.end(), kSquarePasses - 1, MotionAt(320, 0, 0, 0));
    EXPECT_EQ(expected, g().PendingMotionEvents());

    // The yellow box is the dilated region: reduced columns 0-5 (its right,
    // 6, is one past them) and rows 15-21, then 16-21 once row 16 has faded;
    // times 8 in frame pixels.
    const std::vector<benchtest::GrabbedSample> frames = g().Frames();
    for (int n = 0; n < kStill; ++n) EXPECT_TRUE(SameFrame(Rendered(n), frames[n], n));
    for (const int top : {120, 128}) {
        const int n = top == 120 ? kStill : kStill + 8;
        Frame marked = Rendered(n);
        PaintRow(marked, top, 0, 48, kYellow);
        PaintRow(marked, 168, 0, 48, kYellow);
        PaintColumn(marked, 0, top, 168, kYellow);
        PaintColumn(marked, 48, top, 168, kYellow);
        EXPECT_TRUE(SameFrame(marked, frames[n], n));
    }
    const int absorbed = kStill + kSquarePasses;
    EXPECT_TRUE(SameFrame(Rendered(absorbed), frames[absorbed], absorbed));
    EXPECT_EQ(MOTION_STATE_DETECTING, State());
}

// Fixed base frame with outlines: a still scene raises nothing at all; the
// square raises motion with an empty rectangle for as long as it differs
// from the base, outlined in red; a reset takes the next frame as the base,
// reports it once and leaves detection idle until it is started again.
TEST_F(MotionCameraTest, FixedBaseIsSilentOnAStillSceneAndResetsOnRequest) {
    constexpr int kStill = 6;
    Prepare({{BENCH_SCENE_STILL, kStill}, {BENCH_SCENE_OBJECT_AT_REST, 1}});
    Configure(1, MOTION_MODE_FIXED, 0, 1);
    ASSERT_EQ(S_OK, g().settings->StartDetect());
    EXPECT_EQ(E_FAIL, g().settings->StartDetect());
    ASSERT_TRUE(SUCCEEDED(g().Run()));
    ASSERT_TRUE(g().WaitForFrames(kStill + kSquarePasses + 8, kWaitMs));

    EXPECT_EQ(std::vector<GraphEvent>(kSquarePasses, MotionAt(0, 0, 0, 0)), g().PendingMotionEvents());
    EXPECT_EQ(Rendered(0), BaseFrame());

    // The outline runs where the enlarged mask (the dilated difference:
    // columns 0-5, rows 15-21, then 16-21; frame columns 0-47) meets its
    // outside: the row below it, its own last row and its last column. The
    // frame's left edge has no outside.
    const std::vector<benchtest::GrabbedSample> frames = g().Frames();
    for (const int top : {120, 128}) {
        const int n = top == 120 ? kStill : kStill + 8;
        Frame marked = Rendered(n);
        PaintRow(marked, top - 1, 0, 47, kRed);
        PaintRow(marked, 175, 0, 47, kRed);
        PaintColumn(marked, 47, top - 1, 175, kRed);
        EXPECT_TRUE(SameFrame(marked, frames[n], n));
    }

    ASSERT_EQ(S_OK, g().settings->ResetBaseFrame());
    EXPECT_EQ(std::vector<GraphEvent>{kBaseFrameSet}, g().MotionEvents(1, kWaitMs));
    EXPECT_EQ(MOTION_STATE_IDLE, State());
    EXPECT_EQ(Rendered(kStill), BaseFrame());
    ASSERT_EQ(S_OK, g().settings->StartDetect());
    // Against the new base the square is no change.
    ASSERT_TRUE(g().WaitForFrames(g().Frames().size() + 5, kWaitMs));
    EXPECT_TRUE(g().PendingMotionEvents().empty());
}

// The capture engine's settings: dynamic mode, no marks on the video, level 5.
// Level 5 asks for blocks of 16, which make the reduced width exactly 20, so
// the block becomes min(320 / 20, 240 / 20) - 1 = 11 (30 x 22, threshold 33).
// Blocks of 11 leave the square three whole blocks (columns 0-2, rows 12-14);
// its partial blocks differ by 26, 19 and 9, under the threshold. Dilated
// that is columns 0-3 and rows 11-15: (4 - 0) x (15 - 11) = 16, just large
// enough to count. Each change of scene is taken as the new base at once,
// motion comes after the base event with an empty rectangle, and the base
// event repeats on every pass.
TEST_F(MotionCameraTest, EngineSettingsReportEachChangeOfScene) {
    Prepare({{BENCH_SCENE_STILL, 3}, {BENCH_SCENE_OBJECT_AT_REST, 3}, {BENCH_SCENE_STILL, 1}});
    ASSERT_EQ(S_OK, g().settings->StartDetect());
    int off = 0;
    ASSERT_EQ(S_OK, g().settings->MarkMotionOnVideo(&off));
    RECT area{1, 2, 3, 4};
    ASSERT_EQ(S_OK, g().settings->SetDetectParams(5, MOTION_MODE_DYNAMIC, &area));
    EXPECT_EQ(0, area.left);
    EXPECT_EQ(0, area.top);
    EXPECT_EQ(W, area.right);
    EXPECT_EQ(H, area.bottom);
    ASSERT_TRUE(SUCCEEDED(g().Run()));

    const GraphEvent base = kBaseFrameSet, motion = MotionAt(0, 0, 0, 0);
    const std::vector<GraphEvent> expected = {base, base,   base,   // still
                                              base, motion,         // the square appears
                                              base, base,           // the square stays
                                              base, motion,         // the square is gone
                                              base, base,   base};  // still
    EXPECT_EQ(expected, g().MotionEvents(expected.size(), kWaitMs));

    // Nothing is drawn, and the base is the still frame taken last.
    const std::vector<benchtest::GrabbedSample> frames = g().Frames();
    ASSERT_GE(frames.size(), 9u);
    EXPECT_TRUE(SameFrame(Rendered(3), frames[3], 3));
    BITMAPINFOHEADER header{};
    DWORD size = 0;
    ASSERT_EQ(S_OK, g().settings->GetBaseFrame(&header, nullptr, &size));
    EXPECT_EQ(kFrameBytes, size);
    EXPECT_EQ(W, header.biWidth);
    EXPECT_EQ(H, header.biHeight);
    EXPECT_EQ(24, header.biBitCount);
    EXPECT_EQ(Rendered(6), BaseFrame());
}

}  // namespace
}  // namespace motiontest
