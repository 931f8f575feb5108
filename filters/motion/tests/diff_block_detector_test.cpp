#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "DiffBlock_DetectAlgorithm.h"
#include "GrayImage.h"
#include "ProcessWideState.h"
#include "SyntheticFrames.h"

using namespace motion;
using motion_test::SyntheticFrame;

namespace {

// 320 x 240 at level 1: blocks of 8, a 40 x 30 reduced picture, threshold 23.
constexpr std::uint32_t W = 320, H = 240, B = 8;

class DiffBlockDetectorTest : public testing::Test {
protected:
    void SetUp() override { ResetProcessWideMotionState(); }

    void Prepare(std::uint32_t level, int markRect, int markVideo, const SyntheticFrame& base) {
        ASSERT_EQ(kOk, d.AllocateCache(base.Header()));
        d.SetDetectLevel(level, nullptr);
        d.MarkMotionRect(&markRect);
        d.MarkMotionOnVideo(&markVideo);
        ASSERT_EQ(kOk, d.SetBaseFrame(base.Data(), kModeDynamicBase));
    }

    // White blocks over reduced columns [10, 10 + w) and rows [10, 10 + h).
    static SyntheticFrame Blob(std::uint32_t w, std::uint32_t h) {
        SyntheticFrame f(W, H);
        f.WhiteBlocks(B, 10, 10, 10 + w, 10 + h);
        return f;
    }

    int Pass(SyntheticFrame& f, int mode, MotionRect& rect) {
        rect = MotionRect{};
        return d.DetectFrame(f.Data(), mode, rect);
    }

    std::vector<std::uint8_t> Base() {
        std::vector<std::uint8_t> out(W * H * 3);
        BitmapInfoHeader h{};
        std::uint32_t size = static_cast<std::uint32_t>(out.size());
        EXPECT_EQ(kOk, d.GetBaseFrame(&h, out.data(), &size));
        return out;
    }

    CDiffBlockDetector d;
    SyntheticFrame black{W, H};
};

bool SameBytes(const std::vector<std::uint8_t>& a, const SyntheticFrame& f) {
    return a.size() == f.Bytes() && std::equal(a.begin(), a.end(), f.Data());
}

}  // namespace

// After dilation a blob of w x h blocks becomes (w + 2) x (h + 2); its region
// measures (w + 2) x (h + 1) because the bottom is the last row.
TEST_F(DiffBlockDetectorTest, OnlyRegionsWithAProductOfSixteenSurvive) {
    struct Case {
        std::uint32_t w, h;
        int found;
    };
    for (const Case c : {Case{2, 3, 1}, Case{3, 2, 0}, Case{2, 2, 0}, Case{1, 1, 0}}) {
        SetUp();
        CDiffBlockDetector fresh;
        int zero = 0;
        ASSERT_EQ(kOk, fresh.AllocateCache(black.Header()));
        fresh.SetDetectLevel(1, nullptr);
        fresh.MarkMotionOnVideo(&zero);
        fresh.SetBaseFrame(black.Data(), 1);
        SyntheticFrame f = Blob(c.w, c.h);
        MotionRect rect{};
        EXPECT_EQ(c.found, fresh.DetectFrame(f.Data(), kModeDynamicBase, rect)) << c.w << "x" << c.h;
    }
}

TEST_F(DiffBlockDetectorTest, DynamicModeWithoutMarksTakesTheMovingFrameAsBase) {
    Prepare(1, 0, 0, black);
    SyntheticFrame blob = Blob(3, 3);
    MotionRect rect{};
    EXPECT_EQ(1, Pass(blob, kModeDynamicBase, rect));
    EXPECT_TRUE(d.BaseUpdated());
    EXPECT_EQ(0, rect.left | rect.top | rect.right | rect.bottom);
    EXPECT_TRUE(SameBytes(Base(), blob));

    // The still scene that follows matches the new base.
    EXPECT_EQ(0, Pass(blob, kModeDynamicBase, rect));
    // No regions, no decision: the flag keeps the last outcome.
    EXPECT_TRUE(d.BaseUpdated());
    // Back to black is motion again.
    EXPECT_EQ(1, Pass(black, kModeDynamicBase, rect));
}

TEST_F(DiffBlockDetectorTest, FixedModeKeepsItsBaseAndReportsOnlyWithMarksOnVideo) {
    Prepare(1, 1, 0, black);
    SyntheticFrame blob = Blob(3, 3);
    MotionRect rect{};
    EXPECT_EQ(0, Pass(blob, kModeFixedBase, rect));
    bool anyRegion = false;
    for (const MotionRegion& r : d.Regions()) anyRegion |= r.merged == 0;
    EXPECT_TRUE(anyRegion);
    EXPECT_TRUE(SameBytes(Base(), black));

    int on = 1;
    d.MarkMotionOnVideo(&on);
    EXPECT_EQ(1, Pass(blob, kModeFixedBase, rect));
    EXPECT_EQ(0, rect.left | rect.top | rect.right | rect.bottom);
    EXPECT_TRUE(SameBytes(Base(), black));
}

// With marks on the video the base is refreshed only on a pass whose second
// difference (against the previous motion frame) shows no change, and only
// when the shared countdown, reloaded to 100 by a change, has run out.
TEST_F(DiffBlockDetectorTest, DynamicModeWithMarksOnVideoRefreshesAfterTheCountdown) {
    Prepare(1, 0, 1, black);
    SyntheticFrame blob = Blob(2, 3);
    MotionRect rect{};

    EXPECT_EQ(1, Pass(blob, kModeDynamicBase, rect));
    EXPECT_FALSE(d.BaseUpdated());
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(11, rect.right);
    EXPECT_EQ(10, rect.top);
    EXPECT_EQ(12, rect.bottom);

    // Passes 2 to 101 count the countdown from 100 down to 0; the second
    // difference is empty, so the rectangle is left = width, rest 0.
    for (int pass = 2; pass <= 101; ++pass) {
        ASSERT_EQ(1, Pass(blob, kModeDynamicBase, rect)) << pass;
        ASSERT_FALSE(d.BaseUpdated()) << pass;
    }
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(0, rect.right);
    EXPECT_TRUE(SameBytes(Base(), black));

    EXPECT_EQ(1, Pass(blob, kModeDynamicBase, rect));  // pass 102 takes it
    EXPECT_TRUE(d.BaseUpdated());
    EXPECT_TRUE(SameBytes(Base(), blob));
    EXPECT_EQ(0, Pass(blob, kModeDynamicBase, rect));
}

TEST_F(DiffBlockDetectorTest, RectangleIsScaledToFramePixelsOnlyWithRectangleMarks) {
    Prepare(1, 1, 1, black);
    SyntheticFrame blob = Blob(2, 3);
    MotionRect rect{};
    EXPECT_EQ(1, Pass(blob, kModeDynamicBase, rect));
    EXPECT_EQ(80, rect.left);
    EXPECT_EQ(80, rect.top);
    EXPECT_EQ(88, rect.right);
    EXPECT_EQ(96, rect.bottom);
}

// The dilated blob covers reduced columns 9-12 and rows 9-13, frame pixels
// 72-103 and 72-111; the outline runs just inside its right and bottom edges
// and just outside its left and top edges.
TEST_F(DiffBlockDetectorTest, OutlineMarksFollowTheDilatedDifference) {
    Prepare(1, 0, 1, black);
    SyntheticFrame blob = Blob(2, 3);
    MotionRect rect{};
    ASSERT_EQ(1, Pass(blob, kModeDynamicBase, rect));
    d.MarkMotion(blob.Data(), kMarkRed);
    const Colour white{255, 255, 255}, none{0, 0, 0};
    EXPECT_TRUE(blob.PixelIs(71, 90, kMarkRed));
    EXPECT_TRUE(blob.PixelIs(103, 90, kMarkRed));
    EXPECT_TRUE(blob.PixelIs(90, 71, kMarkRed));
    EXPECT_TRUE(blob.PixelIs(90, 111, kMarkRed));
    EXPECT_TRUE(blob.PixelIs(71, 71, kMarkRed));
    EXPECT_TRUE(blob.PixelIs(72, 90, none));
    EXPECT_TRUE(blob.PixelIs(104, 90, none));
    EXPECT_TRUE(blob.PixelIs(90, 112, none));
    EXPECT_TRUE(blob.PixelIs(88, 90, white));
}

TEST_F(DiffBlockDetectorTest, RectangleMarksAreYellowWhateverColourIsAsked) {
    Prepare(1, 1, 1, black);
    SyntheticFrame blob = Blob(2, 3);
    MotionRect rect{};
    ASSERT_EQ(1, Pass(blob, kModeDynamicBase, rect));
    d.MarkMotion(blob.Data(), kMarkRed);
    // Region 9..13 x 9..13 in blocks of 8.
    EXPECT_TRUE(blob.PixelIs(72, 90, kMarkYellow));
    EXPECT_TRUE(blob.PixelIs(104, 90, kMarkYellow));
    EXPECT_TRUE(blob.PixelIs(90, 72, kMarkYellow));
    EXPECT_TRUE(blob.PixelIs(90, 104, kMarkYellow));
    EXPECT_TRUE(blob.PixelIs(88, 90, Colour{255, 255, 255}));
    EXPECT_TRUE(blob.PixelIs(90, 111, Colour{0, 0, 0}));

    // Nothing is drawn with marks on the video off.
    int off = 0;
    d.MarkMotionOnVideo(&off);
    SyntheticFrame other = Blob(2, 3);
    d.MarkMotion(other.Data(), kMarkRed);
    EXPECT_TRUE(other.PixelIs(72, 90, Colour{0, 0, 0}));
}

// Isolated pixels of gray 100 three apart: at level 0 each is replaced by the
// mean of its neighbours (0 for itself, 100 / 8 = 12 next to it), which stays
// under the threshold of 19; compared raw they would form one large region.
TEST_F(DiffBlockDetectorTest, LevelZeroDenoisesSparseNoiseAway) {
    SyntheticFrame base(64, 48), noisy(64, 48);
    for (std::uint32_t y = 12; y <= 36; y += 3)
        for (std::uint32_t x = 15; x <= 45; x += 3) noisy.FillRect(x, y, x + 1, y + 1, 0, 200, 0);
    Prepare(0, 0, 0, base);
    EXPECT_EQ(1u, d.BlockInUse());
    MotionRect rect{};
    EXPECT_EQ(0, Pass(noisy, kModeDynamicBase, rect));
    EXPECT_EQ(0, d.CurrentGray()[21 * 64 + 30]);
    EXPECT_EQ(12, d.CurrentGray()[21 * 64 + 31]);

    std::vector<std::uint8_t> raw(64 * 48), zeros(64 * 48, 0), diff(64 * 48);
    xRGB2Gray(raw.data(), noisy.Data(), 64, 48);
    xDiffGray(diff.data(), zeros.data(), raw.data(), 64, 48, 19);
    EXPECT_EQ(255, diff[21 * 64 + 30]);
}

TEST_F(DiffBlockDetectorTest, LevelChangeRebuildsTheBaseGrayFromTheBasePicture) {
    SyntheticFrame blob = Blob(3, 3);
    Prepare(1, 0, 0, blob);
    d.SetDetectLevel(5, nullptr);  // 30 x 22 at block 11
    EXPECT_TRUE(d.BaseUpdated());
    MotionRect rect{};
    EXPECT_EQ(0, Pass(blob, kModeDynamicBase, rect));
    EXPECT_EQ(1, Pass(black, kModeDynamicBase, rect));
}

TEST_F(DiffBlockDetectorTest, GetBaseFrameReportsSizeAndRefusesSmallBuffers) {
    Prepare(1, 0, 0, black);
    SyntheticFrame blob = Blob(2, 2);
    d.SetBaseFrame(blob.Data(), kModeFixedBase);

    BitmapInfoHeader h{};
    std::uint32_t size = 0;
    EXPECT_EQ(kOk, d.GetBaseFrame(&h, nullptr, &size));
    EXPECT_EQ(W * H * 3, size);
    EXPECT_EQ(320, h.biWidth);
    EXPECT_EQ(24, h.biBitCount);

    std::vector<std::uint8_t> small(W * H * 3 - 1, 0x5A);
    size = static_cast<std::uint32_t>(small.size());
    EXPECT_EQ(kFail, d.GetBaseFrame(&h, small.data(), &size));
    EXPECT_EQ(0x5A, small[0]);
    EXPECT_TRUE(SameBytes(Base(), blob));

    EXPECT_EQ(kPointer, d.GetBaseFrame(nullptr, nullptr, &size));
    EXPECT_EQ(kPointer, d.GetBaseFrame(&h, nullptr, nullptr));
}

TEST_F(DiffBlockDetectorTest, FreshCacheHoldsABlackBase) {
    ASSERT_EQ(kOk, d.AllocateCache(black.Header()));
    d.SetDetectLevel(1, nullptr);
    EXPECT_TRUE(SameBytes(Base(), black));
}

TEST_F(DiffBlockDetectorTest, UnusableFormatsGetNoCacheAndNoPasses) {
    const BitmapInfoHeader refused[] = {motion_test::Rgb24Header(19, 240),   motion_test::Rgb24Header(320, 19),
                                        motion_test::Rgb24Header(8193, 20),  motion_test::Rgb24Header(320, INT_MIN),
                                        motion_test::Rgb24Header(-320, 240), motion_test::Rgb24Header(0, 0)};
    SyntheticFrame blob = Blob(3, 3);
    for (const BitmapInfoHeader& h : refused) {
        CDiffBlockDetector det;
        ASSERT_EQ(kOk, det.AllocateCache(black.Header()));
        EXPECT_EQ(kFail, det.AllocateCache(h)) << h.biWidth << "x" << h.biHeight;
        EXPECT_FALSE(det.HasCache());
        MotionRect rect{};
        det.SetDetectLevel(10, &rect);
        EXPECT_EQ(0, det.DetectFrame(blob.Data(), kModeDynamicBase, rect));
        EXPECT_EQ(kFail, det.SetBaseFrame(blob.Data(), kModeDynamicBase));
        std::vector<std::uint8_t> out(16);
        BitmapInfoHeader hh{};
        std::uint32_t size = 0;  // a zero-sized frame must not pass either
        EXPECT_EQ(kFail, det.GetBaseFrame(&hh, out.data(), &size));
        EXPECT_EQ(h.biWidth, hh.biWidth);
    }
}
