#include "WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace vimbrel {
namespace {

// U+1F4F7 (camera) as a surrogate pair, an umlaut and an embedded null:
// none of them may be lost or recoded on the way.
const char16_t kUnits[] = {u'K', 0x00E4, 0xD83D, 0xDCF7, u'\0', u'x'};
constexpr std::size_t kUnitCount = sizeof kUnits / sizeof kUnits[0];
const wchar_t kWideUnits[] = {L'K', 0x00E4, 0xD83D, 0xDCF7, L'\0', L'x'};

TEST(WideText, CopiesKeepEveryUnitBothWays) {
    const std::u16string text(kUnits, kUnitCount);
    const std::wstring wide = CopyToWide(text);
    ASSERT_EQ(wide.size(), kUnitCount);
    EXPECT_EQ(wide, std::wstring(kWideUnits, kUnitCount));
    EXPECT_EQ(CopyToU16(wide), text);
}

TEST(WideText, TerminatedTextEndsAtTheTerminatorAndNullIsEmpty) {
    EXPECT_EQ(CopyToU16(kWideUnits), std::u16string(kUnits, 4));
    EXPECT_EQ(ViewAsU16(kWideUnits), std::u16string_view(kUnits, 4));
    EXPECT_TRUE(CopyToU16(static_cast<const wchar_t*>(nullptr)).empty());
    EXPECT_TRUE(ViewAsU16(nullptr).empty());
    EXPECT_EQ(ViewAsWide(static_cast<const char16_t*>(nullptr)), nullptr);
}

TEST(WideText, ViewsShareTheBufferAndWindowsReadsThem) {
    const std::u16string text = u"C:\\Bilder\\K\u00e4se.jpg";
    const wchar_t* wide = ViewAsWide(text);
    EXPECT_EQ(static_cast<const void*>(wide), static_cast<const void*>(text.c_str()));
    EXPECT_EQ(lstrlenW(wide), static_cast<int>(text.size()));
    EXPECT_STREQ(wide, L"C:\\Bilder\\K\u00e4se.jpg");
    EXPECT_EQ(static_cast<const void*>(ViewAsU16(wide).data()), static_cast<const void*>(wide));

    // What Windows writes into a wchar_t buffer reads back unchanged.
    wchar_t upper[32] = {};
    const std::u16string mixed = u"k\u00e4se";
    lstrcpynW(upper, ViewAsWide(mixed.c_str()), 32);
    CharUpperW(upper);
    EXPECT_EQ(ViewAsU16(upper), u"K\u00c4SE");
}

}  // namespace
}  // namespace vimbrel
