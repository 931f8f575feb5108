// The fixed tables and the progress arithmetic of browse mode.

#include <gtest/gtest.h>

#include "BrowseRules.h"

namespace vimbrel::controller {
namespace {

TEST(PhotoEffectTable, FollowsThePhotoListNotTheLiveList) {
    // The photo list has effect 6 second and 5 third.
    EXPECT_EQ(PhotoEffectIdOfEntry(1), 4);
    EXPECT_EQ(PhotoEffectIdOfEntry(2), 6);
    EXPECT_EQ(PhotoEffectIdOfEntry(3), 5);
    EXPECT_EQ(PhotoEffectIdOfEntry(8), 9);
    EXPECT_EQ(PhotoEffectIdOfEntry(13), 12);
    EXPECT_EQ(PhotoEffectIdOfEntry(15), 20);
    EXPECT_EQ(PhotoEffectIdOfEntry(0), 0);
    EXPECT_EQ(PhotoEffectIdOfEntry(16), 0);
    EXPECT_EQ(PhotoEffectIdOfEntry(-1), 0);
}

TEST(StampTable, PictureStampsAreOneToEightAndTwelve) {
    EXPECT_EQ(StampKindOfEntry(0), StampKind::Pen);
    EXPECT_EQ(StampKindOfEntry(1), StampKind::Image);
    EXPECT_EQ(StampKindOfEntry(8), StampKind::Image);
    EXPECT_EQ(StampKindOfEntry(9), StampKind::Brush);
    EXPECT_EQ(StampKindOfEntry(11), StampKind::Brush);
    EXPECT_EQ(StampKindOfEntry(12), StampKind::Image);
    EXPECT_EQ(StampKindOfEntry(13), StampKind::Brush);
    EXPECT_EQ(StampKindOfEntry(15), StampKind::Brush);
    EXPECT_EQ(StampKindOfEntry(16), StampKind::Pen);
    EXPECT_EQ(StampKindOfEntry(-3), StampKind::Pen);
}

TEST(PhotoFramePaths, LieInThePhotoFrameFolderOfTheProgram) {
    EXPECT_EQ(StampPath(u"C:\\Program Files\\Vim", 12), u"C:\\Program Files\\Vim\\PhotoFrame\\stamp12.png");
    EXPECT_EQ(FramePath(u"D:\\V", 3), u"D:\\V\\PhotoFrame\\frame3.png");
}

TEST(ProgressArithmetic, TruncatesAndStaysWithinTheSlider) {
    EXPECT_EQ(ProgressPercent(2.5f, 10.0f), 25);
    EXPECT_EQ(ProgressPercent(3.33f, 10.0f), 33);  // 33.3 truncated
    EXPECT_EQ(ProgressPercent(9.99f, 10.0f), 99);  // not rounded up to 100
    EXPECT_EQ(ProgressPercent(1.0f, 3.0f), 33);
    EXPECT_EQ(ProgressPercent(12.0f, 10.0f), 100);
    EXPECT_EQ(ProgressPercent(-1.0f, 10.0f), 0);
    EXPECT_EQ(ProgressPercent(5.0f, 0.0f), 0);  // no duration: no division
    EXPECT_EQ(ProgressPercent(5.0f, -2.0f), 0);
    EXPECT_EQ(OverlaySeconds(7.9f), 7);
    EXPECT_EQ(OverlaySeconds(-0.5f), 0);
}

}  // namespace
}  // namespace vimbrel::controller
