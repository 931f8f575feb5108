#include "EffectRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace camera {
namespace {

TEST(EffectRules, EffectIdsAtOrBelowZeroMeanNoEffect)
{
    EXPECT_EQ(23, EffectIdToSend(0));
    EXPECT_EQ(23, EffectIdToSend(-5));
    EXPECT_EQ(23, EffectIdToSend(std::numeric_limits<int>::min()));
    EXPECT_EQ(1, EffectIdToSend(1));
    EXPECT_EQ(19, EffectIdToSend(19));
    EXPECT_EQ(23, EffectIdToSend(23));
}

TEST(EffectRules, ZoomFactorMustBeAFiniteNumberFromOneUp)
{
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

TEST(EffectRules, ZoomRecordUsesMethodThreeNeverFlipsAndCarriesTheMirror)
{
    const ZoomSettings off = ZoomSettingsFor(1.0f, 1);
    EXPECT_EQ(0, off.enable);
    EXPECT_EQ(3, off.method);
    EXPECT_EQ(1.0f, off.factor);
    EXPECT_EQ(0, off.flipVertical);
    EXPECT_EQ(1, off.mirror);

    const ZoomSettings on = ZoomSettingsFor(2.0f, 0);
    EXPECT_EQ(1, on.enable);
    EXPECT_EQ(3, on.method);
    EXPECT_EQ(2.0f, on.factor);
    EXPECT_EQ(0, on.flipVertical);
    EXPECT_EQ(0, on.mirror);
    EXPECT_EQ(1, ZoomSettingsFor(1.001f, 0).enable);
}

} // namespace
} // namespace camera
