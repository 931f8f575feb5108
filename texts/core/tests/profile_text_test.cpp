#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProfileText.h"

using vimbrel::texts::CProfileText;
using vimbrel::texts::DecodeProfileBytes;

namespace {

std::u16string Decode(const std::vector<unsigned char>& bytes) {
    return DecodeProfileBytes(bytes.data(), bytes.size());
}

std::u16string Value(const CProfileText& profile, std::u16string_view section, std::u16string_view key) {
    auto value = profile.FindValue(section, key);
    return value ? std::u16string(*value) : u"<missing>";
}

TEST(ProfileDecoding, ByteOrderMarksPickTheEncoding) {
    EXPECT_EQ(Decode({0xFF, 0xFE, 'A', 0, 0x16, 0x04}), u"A\u0416");
    EXPECT_EQ(Decode({0xFE, 0xFF, 0, 'A', 0x04, 0x16}), u"A\u0416");
    // é (2 bytes), € (3 bytes) and U+1F600 (4 bytes, a surrogate pair).
    EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80}),
              std::u16string({0xE9, 0x20AC, 0xD83D, 0xDE00}));
    // No mark: one character per byte.
    EXPECT_EQ(Decode({'a', 0xE9, 0xFF}), std::u16string({u'a', 0xE9, 0xFF}));
    // A dangling odd byte of UTF-16 is dropped, not read past.
    EXPECT_EQ(Decode({0xFF, 0xFE, 'B', 0, 'C'}), u"B");
    EXPECT_EQ(Decode({0xFF, 0xFE}), u"");
    EXPECT_EQ(DecodeProfileBytes(nullptr, 10), u"");
}

TEST(ProfileDecoding, BrokenUtf8BecomesReplacementCharacters) {
    const char16_t r = 0xFFFD;
    // A lone continuation byte, an overlong "/", a sequence cut by the end,
    // an encoded surrogate half: each bad lead byte gives one U+FFFD.
    EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF, 'a', 0x80, 'b'}), std::u16string({u'a', r, u'b'}));
    EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF, 0xC0, 0xAF}), std::u16string({r, r}));
    EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF, 'x', 0xE2, 0x82}), std::u16string({u'x', r, r}));
    EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF, 0xED, 0xA0, 0x80}), std::u16string({r, r, r}));
}

TEST(ProfileDecoding, EightBitTextGoesThroughTheGivenDecoder) {
    auto upper = [](const char* bytes, std::size_t count) {
        std::u16string out;
        for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<char16_t>(bytes[i] - 32));
        return out;
    };
    const unsigned char bytes[] = {'a', 'b'};
    EXPECT_EQ(DecodeProfileBytes(bytes, 2, +upper), u"AB");
    // Marked text never reaches the 8-bit decoder.
    const unsigned char marked[] = {0xFF, 0xFE, 'a', 0};
    EXPECT_EQ(DecodeProfileBytes(marked, 4, +upper), u"a");
}

TEST(ProfileLookup, NamesCompareWithoutCaseAndTrimmed) {
    CProfileText profile(u"[Section One]\r\n"
                         u"  Key Name \t=  value with  inner  blanks \t\r\n"
                         u"\u00C4rger=latin\r\n"
                         u"\u0416=cyrillic\r\n");
    EXPECT_EQ(Value(profile, u"section one", u"KEY NAME"), u"value with  inner  blanks");
    EXPECT_EQ(Value(profile, u"  SECTION ONE ", u" key name"), u"value with  inner  blanks");
    EXPECT_EQ(Value(profile, u"Section One", u"\u00E4RGER"), u"latin");
    EXPECT_EQ(Value(profile, u"Section One", u"\u0436"), u"cyrillic");
    // Inner blanks of a name are part of it.
    EXPECT_EQ(Value(profile, u"SectionOne", u"Key Name"), u"<missing>");
    EXPECT_EQ(Value(profile, u"Section One", u"KeyName"), u"<missing>");
}

TEST(ProfileLookup, OnePairOfMatchingQuotesIsRemoved) {
    CProfileText profile(u"[Q]\n"
                         u"double=\"quoted\"\n"
                         u"single='quoted'\n"
                         u"spaces= \"  kept inside \" \n"
                         u"inner=\"a\"b\"\n"
                         u"mixed=\"mixed'\n"
                         u"open=\"open\n"
                         u"lone=\"\n"
                         u"empty=\"\"\n"
                         u"within=in\"side\n");
    EXPECT_EQ(Value(profile, u"Q", u"double"), u"quoted");
    EXPECT_EQ(Value(profile, u"Q", u"single"), u"quoted");
    EXPECT_EQ(Value(profile, u"Q", u"spaces"), u"  kept inside ");
    EXPECT_EQ(Value(profile, u"Q", u"inner"), u"a\"b");
    EXPECT_EQ(Value(profile, u"Q", u"mixed"), u"\"mixed'");
    EXPECT_EQ(Value(profile, u"Q", u"open"), u"\"open");
    EXPECT_EQ(Value(profile, u"Q", u"lone"), u"\"");
    EXPECT_EQ(Value(profile, u"Q", u"empty"), u"");
    EXPECT_EQ(Value(profile, u"Q", u"within"), u"in\"side");
}

TEST(ProfileLookup, LineShapes) {
    CProfileText profile(u"orphan=before any section\r\n"
                         u"[S]\r\n"
                         u"; comment=not a key\r\n"
                         u"equals=a=b\r"  // a lone CR ends a line too
                         u"semicolon= ; kept\n"
                         u"bare\n"
                         u"bare=second\n"
                         u"dup=first\n"
                         u"dup=second\n"
                         u"blank=   \n"
                         u"=no name\n"
                         u"[S2\n"  // no closing bracket: not a header
                         u"after=still in S\n"
                         u"[a]b] trailing\n"
                         u"k=bracket\n"
                         u"  [Indented]  \n"
                         u"k=indented\n"
                         u"[S]\n"
                         u"late=second section of the same name\n");
    EXPECT_EQ(Value(profile, u"S", u"orphan"), u"<missing>");
    EXPECT_EQ(Value(profile, u"S", u"; comment"), u"<missing>");
    EXPECT_EQ(Value(profile, u"S", u"equals"), u"a=b");
    EXPECT_EQ(Value(profile, u"S", u"semicolon"), u"; kept");
    EXPECT_EQ(Value(profile, u"S", u"bare"), u"");
    EXPECT_EQ(Value(profile, u"S", u"dup"), u"first");
    EXPECT_EQ(Value(profile, u"S", u"blank"), u"");
    EXPECT_EQ(Value(profile, u"S", u""), u"no name");
    EXPECT_EQ(Value(profile, u"S", u"after"), u"still in S");
    EXPECT_EQ(Value(profile, u"a]b", u"k"), u"bracket");
    EXPECT_EQ(Value(profile, u"a", u"k"), u"<missing>");
    EXPECT_EQ(Value(profile, u"indented", u"k"), u"indented");
    EXPECT_EQ(Value(profile, u"S", u"late"), u"<missing>");
    EXPECT_EQ(Value(profile, u"Nowhere", u"k"), u"<missing>");
}

TEST(ProfileLookup, NulEndsTheLine) {
    CProfileText profile(std::u16string(u"[S]\nk=v\0tail\nx=y\n", 17));
    EXPECT_EQ(Value(profile, u"S", u"k"), u"v");
    EXPECT_EQ(Value(profile, u"S", u"x"), u"y");
}

TEST(ProfileLookup, ReadStringCutsToTheBuffer) {
    CProfileText profile(u"[S]\nlong=abcdefghij\nq=\"abcdefgh\"\n");
    EXPECT_EQ(profile.ReadString(u"S", u"long", 5), u"abcd");
    EXPECT_EQ(profile.ReadString(u"S", u"long", 11), u"abcdefghij");
    EXPECT_EQ(profile.ReadString(u"S", u"long", 1), u"");
    EXPECT_EQ(profile.ReadString(u"S", u"long", 0), u"");
    // Quotes go first, then the cut.
    EXPECT_EQ(profile.ReadString(u"S", u"q", 4), u"abc");
    EXPECT_EQ(profile.ReadString(u"S", u"missing", 10), u"");
}

}  // namespace
