#include <gtest/gtest.h>

#include <string>

#include "LanguageLookup.h"
#include "ProfileText.h"

using vimbrel::texts::CProfileText;
using vimbrel::texts::LanguageKeyName;
using vimbrel::texts::LookupLanguageText;

namespace {

std::u16string Text(const CProfileText& profile, std::uint16_t language, std::u16string_view key) {
    auto text = LookupLanguageText(profile, language, key);
    return text ? *text : u"<none>";
}

TEST(LanguageKeyName, LowerCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(LanguageKeyName(0x409), u"0x409");
    EXPECT_EQ(LanguageKeyName(0xC04), u"0xc04");
    EXPECT_EQ(LanguageKeyName(0x7), u"0x7");
    EXPECT_EQ(LanguageKeyName(0), u"0x0");
    EXPECT_EQ(LanguageKeyName(0xFFFF), u"0xffff");
}

TEST(LanguageLookup, SectionChosenByLanguageWithUsEnglishFallback) {
    CProfileText profile(u"[Language]\n0x409=English\n0x407=German\n0xC04=Hong Kong\n0x40c=\n"
                         u"[English]\nIDS_TIP_CLOSE=Close\nIDS_ONLY_EN=English only\n"
                         u"[German]\nIDS_TIP_CLOSE=Schlie\u00DFen\n"
                         u"[Hong Kong]\nIDS_TIP_CLOSE=\u95DC\u9589\n");
    EXPECT_EQ(Text(profile, 0x409, u"IDS_TIP_CLOSE"), u"Close");
    EXPECT_EQ(Text(profile, 0x407, u"IDS_TIP_CLOSE"), u"Schlie\u00DFen");
    EXPECT_EQ(Text(profile, 0xC04, u"ids_tip_close"), u"\u95DC\u9589");
    // No key of its own, or an empty one: the section of 0x409.
    EXPECT_EQ(Text(profile, 0x411, u"IDS_TIP_CLOSE"), u"Close");
    EXPECT_EQ(Text(profile, 0x40C, u"IDS_TIP_CLOSE"), u"Close");
    // A text missing from the chosen section is missing; English does not step in.
    EXPECT_EQ(Text(profile, 0x407, u"IDS_ONLY_EN"), u"<none>");
    EXPECT_EQ(Text(profile, 0x409, u"IDS_UNKNOWN"), u"<none>");
}

TEST(LanguageLookup, NothingWithoutALanguageSection) {
    EXPECT_EQ(Text(CProfileText(u"[English]\nK=v\n"), 0x409, u"K"), u"<none>");
    EXPECT_EQ(Text(CProfileText(u"[Language]\n0x407=German\n[German]\nK=v\n"), 0x409, u"K"), u"<none>");
    EXPECT_EQ(Text(CProfileText(u"[Language]\n0x409=Absent\n"), 0x409, u"K"), u"<none>");
    EXPECT_EQ(Text(CProfileText(u""), 0x409, u"K"), u"<none>");
}

TEST(LanguageLookup, EmptyTextCountsAsMissing) {
    CProfileText profile(u"[Language]\n0x409=E\n[E]\nEMPTY=\nQUOTED=\"\"\nBLANK=   \n");
    EXPECT_EQ(Text(profile, 0x409, u"EMPTY"), u"<none>");
    EXPECT_EQ(Text(profile, 0x409, u"QUOTED"), u"<none>");
    EXPECT_EQ(Text(profile, 0x409, u"BLANK"), u"<none>");
}

TEST(LanguageLookup, SectionNamesCutTo31AndTextsTo253) {
    const std::u16string longName(40, u'N');
    const std::u16string cutName(31, u'N');
    const std::u16string text300 = std::u16string(250, u'a') + std::u16string(50, u'b');
    const std::u16string text253(253, u'c');
    CProfileText profile(u"[Language]\n0x409=" + longName + u"\n" + u"[" + longName + u"]\nK=from the long name\n" +
                         u"[" + cutName + u"]\nK=from the cut name\nLONG=" + text300 + u"\nEXACT=" + text253 + u"\n");
    EXPECT_EQ(Text(profile, 0x409, u"K"), u"from the cut name");
    EXPECT_EQ(Text(profile, 0x409, u"LONG"), std::u16string(250, u'a') + u"bbb");
    EXPECT_EQ(Text(profile, 0x409, u"EXACT"), text253);
}

}  // namespace
