#include "engine/core/EffectRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace camera {
namespace {

TEST(EffectRules, ZoomFactorMustBeAFiniteNumberFromOneUp) {
    EXPECT_TRUE(IsUsableZoomFactor(1.0f));
    EXPECT_TRUE(IsUsableZoomFactor(2.5f));
    EXPECT_TRUE(IsUsableZoomFactor(std::numeric_limits<float>::max()));
    EXPECT_FALSE(IsUsableZoomFactor(0.5f));
    EXPECT_FALSE(IsUsableZoomFactor(0.99999f));
    EXPECT_FALSE(IsUsableZoomFactor(0.0f));
    EXPECT_FALSE(IsUsableZoomFactor(-2.0f));
    EXPECT_FALSE(IsUsableZoomFactor(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(IsUsableZoomFactor(std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(IsUsableZoomFactor(-std::numeric_limits<float>::infinity()));
}

}  // namespace
}  // namespace camera
