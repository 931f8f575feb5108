// Shoot modes acting on the bench camera's gamma and on the effects
// filter's picture. The bench camera's exposure is counted in log2 seconds
// (-11..-2), so it refuses the 70 and 50 that the shoot modes ask for and
// keeps its value; the order of those calls is checked by the native
// shoot-mode tests.
#include "engine/tests/EffectTestSupport.h"

#include <cmath>

namespace enginetest {
namespace {

// The neutral gamma table and one for an exponent of 10^((50 - value) x 0.02).
void GammaTable(int value, uint8_t (&table)[256]) {
    const float exponent = static_cast<float>(std::pow(10.0, (50 - value) * 0.02));
    for (int i = 0; i < 256; ++i) {
        const double entry = std::trunc(std::pow(i * 0.003921569, exponent) * 255.0 + 0.5);
        table[i] = static_cast<uint8_t>(entry < 0 ? 0 : entry > 255 ? 255 : entry);
    }
}

using ShootModes = EffectTest;

TEST_F(ShootModes, ModeZeroLiftsTheCameraGammaByFiveAndLeavingPutsItBack) {
    ASSERT_EQ(1, Start(2));
    const long gamma = BenchGamma();
    const long exposure = BenchExposure();
    ASSERT_EQ(100, gamma);
    ASSERT_EQ(-6, exposure);

    ASSERT_EQ(1, SetShootMode(0));
    EXPECT_EQ(gamma + 5, BenchGamma());
    EXPECT_EQ(exposure, BenchExposure());
    // Asked again, nothing is lifted twice.
    ASSERT_EQ(1, SetShootMode(0));
    EXPECT_EQ(gamma + 5, BenchGamma());

    ASSERT_EQ(1, SetShootMode(3));
    EXPECT_EQ(gamma, BenchGamma());
    EXPECT_EQ(exposure, BenchExposure());
}

TEST_F(ShootModes, AModeChosenBeforeInitializeIsStillCurrentAfterIt) {
    // Before Initialize the camera calls are refused, so mode 0 is entered
    // with no gamma saved; Initialize must not put the mode back to 5.
    ASSERT_EQ(1, SetShootMode(0));
    ASSERT_EQ(1, Start(2));
    ASSERT_EQ(1, SetShootMode(0));
    EXPECT_EQ(100, BenchGamma());
}

TEST_F(ShootModes, AnUnknownModeLeavesTheCurrentOneYetIsRefused) {
    ASSERT_EQ(1, Start(2));
    ASSERT_EQ(1, SetShootMode(0));
    ASSERT_EQ(105, BenchGamma());
    EXPECT_EQ(0, SetShootMode(7));
    EXPECT_EQ(100, BenchGamma());
    // The engine still counts mode 0 as current, so asking for it does
    // nothing.
    EXPECT_EQ(1, SetShootMode(0));
    EXPECT_EQ(100, BenchGamma());
    EXPECT_EQ(0, SetShootMode(-1));
    EXPECT_EQ(1, SetShootMode(2));
    EXPECT_EQ(1, SetShootMode(0));
    EXPECT_EQ(105, BenchGamma());
}

TEST_F(ShootModes, ACameraWithoutGammaGetsTheFiltersCorrectionInstead) {
    ASSERT_EQ(S_OK, bench_->SetMissingControls(BENCH_MISSING_GAMMA));
    StartPreview();
    ASSERT_EQ(1, SetShootMode(0));
    EXPECT_TRUE(GrabbedFrameBecomes(GammaCorrected(plain_)));
    ASSERT_EQ(1, SetShootMode(4));
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
}

TEST_F(ShootModes, ModeOneWarmsThePictureAndLeavingItMakesItPlainAgain) {
    StartPreview();
    uint8_t red[256];
    uint8_t green[256];
    uint8_t blue[256];
    GammaTable(53, red);
    GammaTable(50, green);
    GammaTable(47, blue);
    ASSERT_GT(red[128], 128);
    ASSERT_EQ(128, green[128]);
    ASSERT_LT(blue[128], 128);

    ASSERT_EQ(1, SetShootMode(1));
    EXPECT_TRUE(GrabbedFrameBecomes(ThroughTables(plain_, blue, green, red)));
    // Modes 2 to 6 leave the picture alone.
    ASSERT_EQ(1, SetShootMode(6));
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
}

TEST_F(ShootModes, BeforeInitializeOnlyTheNumberChanges) {
    EXPECT_EQ(1, SetShootMode(5));
    EXPECT_EQ(0, SetShootMode(7));
    EXPECT_EQ(1, SetShootMode(0));
    EXPECT_EQ(100, BenchGamma());
    EXPECT_EQ(1, SetShootMode(5));
}

}  // namespace
}  // namespace enginetest
