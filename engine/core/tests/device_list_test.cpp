#include "engine/core/CaptureDeviceList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace camera {
namespace {

using List = CCaptureDeviceList<int>;

TEST(CaptureDeviceList, NodesAreNumberedInTheOrderTheyWereAdded) {
    List list;
    list.Append("Cam A", u"Cam A", 10);
    list.Append("Cam B", u"Cam B", 20);
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ(0, list.Find(0)->index);
    EXPECT_EQ(20, list.Find(1)->moniker);
    EXPECT_EQ(1, list.Find(1)->index);
    EXPECT_EQ(nullptr, list.Find(2));
    EXPECT_EQ(nullptr, list.Find(-1));
    list.Clear();
    EXPECT_EQ(0, list.Count());
    // Numbering starts again after a clear (a repeated enumeration).
    EXPECT_EQ(0, list.Append("Cam C", u"", 30).index);
}

TEST(CaptureDeviceList, QueryGivesTheCountForMinusOneAndNamesOtherwise) {
    List list;
    int index = -1;
    char name[kDeviceNameCapacity] = "untouched";
    EXPECT_TRUE(list.AnswerQuery(&index, name));
    EXPECT_EQ(0, index);  // no device is still an answer

    list.Append("First", u"First", 1);
    list.Append("Second", u"Second", 2);
    index = -1;
    EXPECT_TRUE(list.AnswerQuery(&index, nullptr));
    EXPECT_EQ(2, index);

    index = 1;
    EXPECT_TRUE(list.AnswerQuery(&index, name));
    EXPECT_STREQ("Second", name);
    EXPECT_EQ(1, index);
}

TEST(CaptureDeviceList, QueryRefusesBadIndexesAndMissingBuffers) {
    List list;
    list.Append("Only", u"Only", 1);
    char name[kDeviceNameCapacity] = "untouched";
    for (int bad : {-2, -100, 1, 7}) {
        int index = bad;
        EXPECT_FALSE(list.AnswerQuery(&index, name)) << bad;
        EXPECT_EQ(bad, index);
    }
    int index = 0;
    EXPECT_FALSE(list.AnswerQuery(&index, nullptr));
    EXPECT_FALSE(list.AnswerQuery(nullptr, name));
    EXPECT_STREQ("untouched", name);
}

TEST(CaptureDeviceList, OverlongNamesAreCutToTheCallersBuffer) {
    List list;
    list.Append(std::string(400, 'x'), std::u16string(300, u'y'), 1);
    EXPECT_EQ(kDeviceNameCapacity - 1, list.Find(0)->name.size());
    EXPECT_EQ(kDeviceNameCapacity - 1, list.Find(0)->wideName.size());

    // The caller gives exactly 260 bytes; guard bytes behind them stay.
    char buffer[kDeviceNameCapacity + 8];
    std::memset(buffer, '#', sizeof buffer);
    int index = 0;
    ASSERT_TRUE(list.AnswerQuery(&index, buffer));
    EXPECT_EQ('\0', buffer[kDeviceNameCapacity - 1]);
    EXPECT_EQ(kDeviceNameCapacity - 1, std::strlen(buffer));
    for (std::size_t i = kDeviceNameCapacity; i < sizeof buffer; ++i) EXPECT_EQ('#', buffer[i]);
}

TEST(BoundedText, LengthNeverReadsPastTheCapacity) {
    const char16_t unterminated[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(3u, BoundedLength(unterminated, 3));
    const char16_t text[5] = {u'a', u'b', 0, u'x', 0};
    EXPECT_EQ(2u, BoundedLength(text, 5));
    char16_t target[4];
    CopyTerminated<char16_t>(target, 4, u"abcdef");
    EXPECT_EQ(std::u16string(u"abc"), std::u16string(target));
}

}  // namespace
}  // namespace camera
