#include <gtest/gtest.h>

#include "TestPicture.h"
#include "effects/RandomEffects.h"

// Frosted glass and dot screen with scripted random numbers.
namespace vimbrel::browser::testing {
namespace {

TEST(Frosted, OffsetsComeInPairsAndReadTheUnprocessedPicture) {
    // Offsets are number mod 9 - 4: (5, 4) -> (+1, 0); (3, 4) -> (-1, 0);
    // (5, 3) -> (+1, -1); (0, 9) -> (-4, -4). Everything after gives 0.
    CScriptedRandom random({5, 4, 3, 4, 5, 3, 0, 9}, 4);
    const Bgrx a = Rgb(1, 2, 3, 11), b = Rgb(4, 5, 6, 12), c = Rgb(7, 8, 9, 13), d = Rgb(10, 11, 12, 14);
    CTestPicture picture(2, 2);
    picture.SetRow(0, {a, b});
    picture.SetRow(1, {c, d});
    ASSERT_TRUE(picture.Run(19, random));
    EXPECT_EQ(random.Calls(), kFrostedTableSize);
    EXPECT_EQ(picture.At(0, 0), Rgb(4, 5, 6, 11));  // from (1, 0)
    EXPECT_EQ(picture.At(1, 0), Rgb(1, 2, 3, 12));  // from (0, 0) as it was, not b
    EXPECT_EQ(picture.At(0, 1), Rgb(4, 5, 6, 13));  // from (1, 0) as it was, not a
    EXPECT_EQ(picture.At(1, 1), d);                 // (-3, -3) lies outside: stays
}

TEST(Frosted, TableStartsOverAfterFiveThousandPixels) {
    // One row of 5002: pixel 0 and pixel 5000 both use entries 0 and 1
    // (+1, 0); pixel 4999 uses entries 9998 and 9999 (-1, 0).
    CScriptedRandom random({5, 4}, 4);
    random.SetAt(9998, 3);
    random.SetAt(9999, 4);
    CTestPicture picture(5002, 1);
    for (int x = 0; x < 5002; ++x) picture.Set(x, 0, Rgb(x & 0xFF, (x >> 8) & 0xFF, 0, 0));
    const CTestPicture before = picture;
    ASSERT_TRUE(picture.Run(19, random));
    EXPECT_EQ(picture.At(0, 0), before.At(1, 0));
    EXPECT_EQ(picture.At(5000, 0), before.At(5001, 0));
    EXPECT_EQ(picture.At(4999, 0), before.At(4998, 0));
    for (int x : {1, 2, 4998, 5001}) EXPECT_EQ(picture.At(x, 0), before.At(x, 0)) << x;
}

TEST(Frosted, EveryApplicationDrawsAFreshTable) {
    CSeededRandom random(7);
    CTestPicture first(40, 30);
    first.FillNoise(1);
    CTestPicture second = first;
    ASSERT_TRUE(first.Run(19, random));
    ASSERT_TRUE(second.Run(19, random));
    EXPECT_NE(first.Bytes(), second.Bytes());
}

TEST(DotScreen, CurveIsDarkInTheShadowsAndBrightInTheHighlights) {
    const auto& curve = DotScreenCurve();
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[64], 16);  // 127 x (64 / 127)^3 + 0.5 = 16.75
    EXPECT_EQ(curve[127], 127);
    EXPECT_EQ(curve[128], 128);
    EXPECT_EQ(curve[192], 229);  // 128 + 127 x (64 / 127)^0.33 + 0.5 = 229.8
    EXPECT_EQ(curve[255], 255);
    for (int v = 1; v < 256; ++v) EXPECT_LE(curve[v - 1], curve[v]) << v;
}

TEST(DotScreen, WhiteWhenTheCurveBeatsTheNumberModulo255) {
    // Gray 64 (curve 16) against 15, 16 and 270 (270 mod 255 = 15); white
    // against 254; black against 0.
    CScriptedRandom random({15, 16, 270, 254, 0});
    CTestPicture picture(5, 1);
    picture.SetRow(0, {GrayPixel(64, 1), GrayPixel(64, 2), GrayPixel(64, 3), GrayPixel(255, 4), GrayPixel(0, 5)});
    ASSERT_TRUE(picture.Run(20, random));
    EXPECT_EQ(random.Calls(), 5);
    EXPECT_EQ(picture.At(0, 0), GrayPixel(255, 1));
    EXPECT_EQ(picture.At(1, 0), GrayPixel(0, 2));
    EXPECT_EQ(picture.At(2, 0), GrayPixel(255, 3));
    EXPECT_EQ(picture.At(3, 0), GrayPixel(255, 4));
    EXPECT_EQ(picture.At(4, 0), GrayPixel(0, 5));
}

TEST(RandomEffects, NumbersBelowZeroAreReadAsUnsigned) {
    // A source outside the runtime's range: -1 read as 4294967295 gives
    // 3 mod 9 (offset -1) and 0 mod 255, never a negative remainder.
    CScriptedRandom random({}, -1);
    CTestPicture frosted(9, 9);
    frosted.FillNoise(5);
    const CTestPicture before = frosted;
    ASSERT_TRUE(frosted.Run(19, random));
    EXPECT_EQ(frosted.At(0, 4), before.At(0, 4));
    EXPECT_EQ(frosted.At(3, 5).r, before.At(2, 4).r);
    EXPECT_EQ(frosted.At(8, 8).g, before.At(7, 7).g);

    CTestPicture dots(2, 1);
    dots.SetRow(0, {GrayPixel(0), GrayPixel(200)});
    ASSERT_TRUE(dots.Run(20, random));
    EXPECT_EQ(dots.At(0, 0), GrayPixel(0));  // curve 0 is not above 0
    EXPECT_EQ(dots.At(1, 0), GrayPixel(255));
}

}  // namespace
}  // namespace vimbrel::browser::testing
