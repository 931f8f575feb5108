// The devices' picture and tone, checked against values worked out by hand
// from the scene's description.
#include "Scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace benchscene {
namespace {

struct Bgr {
    uint8_t b, g, r;
};

// Pixel (x, y from top) of a rendered bottom-up frame.
Bgr At(const std::vector<uint8_t>& frame, int width, int height, int x, int yFromTop) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const uint8_t* p = frame.data() + (height - 1 - yFromTop) * stride + x * 3;
    return {p[0], p[1], p[2]};
}

std::vector<uint8_t> Render(const Scene& scene, int width, int height, uint64_t frame) {
    std::vector<uint8_t> buffer(FrameSize(width, height), 0xEE);
    EXPECT_TRUE(scene.Render(width, height, frame, buffer.data(), buffer.size()));
    return buffer;
}

TEST(Scene, BarsAndRampSitWhereDescribed) {
    Scene scene;
    scene.SetPattern(Pattern::Still);
    const auto frame = Render(scene, 64, 48, 0);
    Bgr p = At(frame, 64, 48, 0, 0);  // white bar, top left
    EXPECT_EQ(192, p.r);
    EXPECT_EQ(192, p.g);
    EXPECT_EQ(192, p.b);
    p = At(frame, 64, 48, 8, 10);  // second bar: yellow
    EXPECT_EQ(192, p.r);
    EXPECT_EQ(192, p.g);
    EXPECT_EQ(0, p.b);
    p = At(frame, 64, 48, 63, 35);  // last bar row: black
    EXPECT_EQ(0, p.r + p.g + p.b);
    p = At(frame, 64, 48, 40, 20);  // 40*8/64 = bar 5: red
    EXPECT_EQ(192, p.r);
    EXPECT_EQ(0, p.g);
    EXPECT_EQ(0, p.b);
    EXPECT_EQ(0, At(frame, 64, 48, 0, 47).g);     // ramp starts at 0
    EXPECT_EQ(255, At(frame, 64, 48, 63, 36).r);  // and ends at 255
    EXPECT_EQ(129, At(frame, 64, 48, 32, 40).b);  // 32*255/63
    // The first row in memory is the bottom of the picture (ramp).
    EXPECT_EQ(0, frame[0]);
    EXPECT_EQ(255, frame[63 * 3]);
}

TEST(Scene, ObjectBouncesBetweenTheEdges) {
    // 64 x 48: side 8, top (36 - 8) / 2 = 14, range 56, one pixel a frame.
    EXPECT_EQ(8, ObjectAt(64, 48, 0).side);
    EXPECT_EQ(14, ObjectAt(64, 48, 0).top);
    EXPECT_EQ(0, ObjectAt(64, 48, 0).left);
    EXPECT_EQ(10, ObjectAt(64, 48, 10).left);
    EXPECT_EQ(56, ObjectAt(64, 48, 56).left);
    EXPECT_EQ(52, ObjectAt(64, 48, 60).left);
    EXPECT_EQ(0, ObjectAt(64, 48, 112).left);
    // 640 x 480: side 80, range 560, ten pixels a frame; frame 60 is at
    // 600, which bounced back to 1120 - 600.
    EXPECT_EQ(80, ObjectAt(640, 480, 60).side);
    EXPECT_EQ(140, ObjectAt(640, 480, 60).top);
    EXPECT_EQ(520, ObjectAt(640, 480, 60).left);
    // A picture narrower than the object keeps it inside.
    EXPECT_EQ(0, ObjectAt(3, 48, 5).left);
    EXPECT_EQ(3, ObjectAt(3, 48, 5).side);

    Scene scene;
    scene.SetPattern(Pattern::MovingObject);
    const auto frame = Render(scene, 64, 48, 10);
    Bgr inside = At(frame, 64, 48, 10, 14);
    EXPECT_EQ(255, inside.r);
    EXPECT_EQ(128, inside.g);
    EXPECT_EQ(0, inside.b);
    EXPECT_EQ(192, At(frame, 64, 48, 9, 14).g);   // just left of it: white bar
    EXPECT_EQ(192, At(frame, 64, 48, 10, 13).g);  // just above it
    EXPECT_EQ(128, At(frame, 64, 48, 17, 21).g);  // last pixel of the square
    EXPECT_NE(128, At(frame, 64, 48, 18, 21).g);

    scene.SetPattern(Pattern::ObjectAtRest);
    EXPECT_EQ(128, At(Render(scene, 64, 48, 30), 64, 48, 0, 14).g);
    EXPECT_NE(128, At(Render(scene, 64, 48, 30), 64, 48, 30, 14).g);
}

TEST(Scene, PlainPatternsAndPadding) {
    Scene scene;
    scene.SetPattern(Pattern::White);
    auto frame = Render(scene, 5, 2, 0);  // rows of 15 bytes padded to 16
    ASSERT_EQ(32u, frame.size());
    EXPECT_EQ(255, frame[14]);
    EXPECT_EQ(0, frame[15]);  // padding is zero, not 0xEE
    EXPECT_EQ(0, frame[31]);
    scene.SetPattern(Pattern::Black);
    frame = Render(scene, 5, 2, 0);
    EXPECT_EQ(std::vector<uint8_t>(32, 0), frame);

    std::vector<uint8_t> small(31, 0x11);
    EXPECT_FALSE(scene.Render(5, 2, 0, small.data(), small.size()));
    EXPECT_EQ(0x11, small[0]);
    EXPECT_FALSE(scene.Render(0, 2, 0, small.data(), small.size()));
    EXPECT_EQ(0u, FrameSize(-1, 10));
    EXPECT_EQ(0u, FrameSize(100000, 100000));
}

TEST(Scene, ScriptChoosesThePatternPerFrame) {
    Scene scene;
    scene.SetScript({{Pattern::Still, 3}, {Pattern::MovingObject, 2}, {Pattern::Black, 1}});
    EXPECT_EQ(Pattern::Still, scene.PatternAt(0));
    EXPECT_EQ(Pattern::Still, scene.PatternAt(2));
    EXPECT_EQ(Pattern::MovingObject, scene.PatternAt(3));
    EXPECT_EQ(Pattern::MovingObject, scene.PatternAt(4));
    EXPECT_EQ(Pattern::Black, scene.PatternAt(5));
    EXPECT_EQ(Pattern::Black, scene.PatternAt(1000));  // the last step stays
    scene.SetPattern(Pattern::White);                  // a pattern ends the script
    EXPECT_EQ(Pattern::White, scene.PatternAt(0));
    EXPECT_TRUE(IsValidPattern(4));
    EXPECT_FALSE(IsValidPattern(5));
    EXPECT_FALSE(IsValidPattern(-1));
}

TEST(Scene, ToneIsATriangleScaledByLevel) {
    EXPECT_EQ(-8000, ToneSample(0, 1.0));
    EXPECT_EQ(0, ToneSample(25, 1.0));
    EXPECT_EQ(8000, ToneSample(50, 1.0));
    EXPECT_EQ(0, ToneSample(75, 1.0));
    EXPECT_EQ(-4800, ToneSample(10, 1.0));
    EXPECT_EQ(7680, ToneSample(149, 1.0));
    EXPECT_EQ(4000, ToneSample(50, 0.5));
    EXPECT_EQ(8000, ToneSample(50, 2.0));
    EXPECT_EQ(0, ToneSample(50, 0.0));
    EXPECT_EQ(0, ToneSample(50, std::nan("")));
}

}  // namespace
}  // namespace benchscene
