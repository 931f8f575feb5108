#include "ThumbGeometry.h"
#include "ThumbList.h"

#include <gtest/gtest.h>

using namespace vimbrel::browser;

namespace {
std::vector<std::u16string> Names(const std::vector<ThumbEntry>& list) {
    std::vector<std::u16string> out;
    for (const ThumbEntry& e : list) out.push_back(e.name);
    return out;
}
}  // namespace

TEST(ThumbList, DescendingOrdinalOrderNewestCaptureFirst) {
    const auto list = ListFromNames({u"image200701010002.jpg", u"image200701010010.jpg", u"IMAGE.JPG", u"image.jpg",
                                     u"notes.txt", u"image.tif", u"a.b.jpg", u"image200701010001.jpg"});
    // Lower-case letters (0x61..) sort above upper-case (0x41..) and digits.
    const std::vector<std::u16string> want = {u"image200701010010.jpg", u"image200701010002.jpg",
                                              u"image200701010001.jpg", u"image.jpg", u"IMAGE.JPG"};
    EXPECT_EQ(want, Names(list));
    EXPECT_EQ(0, list.back().mediaClass);
    EXPECT_EQ(0, list.back().fileType);
    EXPECT_EQ(0, list.back().made);
}

TEST(ThumbList, ComparesCodeUnitsUnsigned) {
    // U+00E9 is above 'z'; a signed comparison would put it below.
    EXPECT_EQ(1, CompareNames(u"\u00e9.jpg", u"z.jpg"));
    EXPECT_EQ(-1, CompareNames(u"a.jpg", u"ab.jpg"));
    EXPECT_EQ(0, CompareNames(u"a.jpg", u"a.jpg"));
    std::vector<ThumbEntry> list;
    EXPECT_EQ(0u, InsertByName(list, ThumbEntry::ForName(u"m.jpg")));
    EXPECT_EQ(0u, InsertByName(list, ThumbEntry::ForName(u"z.jpg")));
    EXPECT_EQ(2u, InsertByName(list, ThumbEntry::ForName(u"a.jpg")));
    EXPECT_EQ(1u, InsertByName(list, ThumbEntry::ForName(u"n.jpg")));
}

TEST(ThumbList, RescanCarriesThumbsOverByExactName) {
    std::vector<ThumbEntry> old = ListFromNames({u"c.jpg", u"b.jpg", u"a.jpg"});
    old[0].made = 1, old[0].sourceWidth = 480, old[0].sourceHeight = 640, old[0].thumbWidth = 56,
    old[0].thumbHeight = 75;
    old[1].made = 1, old[1].thumbWidth = 100, old[1].thumbHeight = 75;  // b.jpg
    old[2].made = 1, old[2].thumbWidth = 100, old[2].thumbHeight = 20;  // a.jpg
    // b.jpg renamed to B.jpg, d.jpg added.
    std::vector<ThumbEntry> fresh = ListFromNames({u"a.jpg", u"B.jpg", u"c.jpg", u"d.jpg"});
    EXPECT_FALSE(SameNames(old, fresh));
    const std::vector<long> from = CarryOverThumbs(old, fresh);
    ASSERT_EQ((std::vector<std::u16string>{u"d.jpg", u"c.jpg", u"a.jpg", u"B.jpg"}), Names(fresh));
    EXPECT_EQ((std::vector<long>{-1, 0, 2, -1}), from);
    EXPECT_EQ(0, fresh[0].made);
    EXPECT_EQ(56, fresh[1].thumbWidth);
    EXPECT_EQ(480, fresh[1].sourceWidth);
    EXPECT_EQ(20, fresh[2].thumbHeight);
    EXPECT_EQ(0, fresh[3].made);
    EXPECT_EQ(2, FindByName(fresh, u"a.jpg"));
    EXPECT_EQ(-1, FindByName(fresh, u"b.jpg"));
    EXPECT_TRUE(SameNames(fresh, ListFromNames({u"B.jpg", u"a.jpg", u"d.jpg", u"c.jpg"})));
    EXPECT_FALSE(SameNames(fresh, ListFromNames({u"B.jpg", u"a.jpg", u"d.jpg"})));
}

TEST(ThumbGeometry, FitsIntoTheBoxKeepingShape) {
    auto f = FitThumb(640, 480);
    EXPECT_EQ(100, f->width);
    EXPECT_EQ(75, f->height);
    f = FitThumb(480, 640);  // 75 * 480 / 640 = 56.25
    EXPECT_EQ(56, f->width);
    EXPECT_EQ(75, f->height);
    f = FitThumb(1000, 200);  // 100 * 200 / 1000 = 20
    EXPECT_EQ(100, f->width);
    EXPECT_EQ(20, f->height);
    f = FitThumb(4000, 1000);  // 100 * 1000 / 4000 = 25
    EXPECT_EQ(100, f->width);
    EXPECT_EQ(25, f->height);
    f = FitThumb(8, 6);  // small pictures are scaled up
    EXPECT_EQ(100, f->width);
    EXPECT_EQ(75, f->height);
    f = FitThumb(1, 1000);  // 75 / 1000 truncates to 0: kept at 1
    EXPECT_EQ(1, f->width);
    EXPECT_EQ(75, f->height);
    f = FitThumb(100000, 30000);  // 100 * 30000 / 100000 = 30, no overflow
    EXPECT_EQ(30, f->height);
    EXPECT_FALSE(FitThumb(0, 480));
    EXPECT_FALSE(FitThumb(640, 0));
    EXPECT_FALSE(FitThumb(-1, 5));
}

TEST(ThumbGeometry, StripBandsOf30000Rows) {
    EXPECT_TRUE(StripBands(0).empty());
    auto b = StripBands(75);
    ASSERT_EQ(1u, b.size());
    EXPECT_EQ(0, b[0].top);
    EXPECT_EQ(75, b[0].rows);
    b = StripBands(30000);
    ASSERT_EQ(1u, b.size());
    b = StripBands(75 * 900);  // 67500 rows: 30000, 30000, 7500
    ASSERT_EQ(3u, b.size());
    EXPECT_EQ(30000, b[1].top);
    EXPECT_EQ(30000, b[1].rows);
    EXPECT_EQ(60000, b[2].top);
    EXPECT_EQ(7500, b[2].rows);
    EXPECT_EQ(150, CellTop(2));
}
