#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>

#include "GlossaLibrary.h"
#include "LanguageFixture.h"

using vimbrel::texts::test::CGlossaLibrary;
using vimbrel::texts::test::CTempFolder;
using vimbrel::texts::test::WriteUtf16File;

namespace {

constexpr size_t kOutChars = 254;

// The language this process was started for (hexadecimal, from CTest).
LANGID ExpectedLanguage() {
    const char* value = std::getenv("GLOSSA_TEST_LANGUAGE");
    return value ? static_cast<LANGID>(std::strtoul(value, nullptr, 16)) : 0x409;
}

// Texts every language section carries; the close tip differs per language.
const wchar_t kCommonTexts[] = L"IDS_EMPTY=\n"
                               L"IDS_QUOTED=\"  Quoted text  \"\n"
                               L"Ids_Mixed_Case=mixed\n";

std::wstring StandardFile() {
    return std::wstring(L"; a test language file\n[Language]\n0x409=English\n0x407=Deutsch\n"
                        L"0xc04=Chinese (Hong Kong)\n") +
           L"[English]\nIDS_TIP_CLOSE=Close\n" + kCommonTexts + L"[Deutsch]\nIDS_TIP_CLOSE=Schlie\u00DFen\n" +
           kCommonTexts + L"[Chinese (Hong Kong)]\nIDS_TIP_CLOSE=\u95DC\u9589\n" + kCommonTexts;
}

// What IDS_TIP_CLOSE reads in the standard file for this process's language;
// French has no key of its own and reads the 0x409 section.
std::wstring ExpectedCloseText() {
    static const std::map<LANGID, std::wstring> texts = {
        {0x409, L"Close"}, {0x407, L"Schlie\u00DFen"}, {0xC04, L"\u95DC\u9589"}, {0x40C, L"Close"}};
    auto found = texts.find(ExpectedLanguage());
    return found == texts.end() ? L"Close" : found->second;
}

// folder\Vimbrel.ini spelt with exactly `length` characters, padded with
// "x\..\" and ".\" steps that resolve to nothing.
std::wstring PaddedPath(const std::wstring& folder, size_t length) {
    const std::wstring name = L"Vimbrel.ini";
    std::wstring path = folder + L"\\";
    size_t filler = length - path.size() - name.size();
    if (filler % 2 == 1) {
        path += L"x\\..\\";
        filler -= 5;
    }
    for (; filler > 0; filler -= 2) path += L".\\";
    return path + name;
}

class GlossaDll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(glossa.IsBound()) << "glossa.dll or its exports SetPath/GetString missing";
        standard = folder.File(L"Vimbrel.ini");
        ASSERT_TRUE(WriteUtf16File(standard, StandardFile()));
    }

    // The text of key, or "<0>" when GetString refuses; checks a refusal
    // leaves the buffer alone and a success stays inside 254 characters.
    std::wstring Get(const wchar_t* key) {
        wchar_t out[kOutChars + 8];
        wmemset(out, L'#', kOutChars + 8);
        if (glossa.GetString(key, out) != 1) {
            for (wchar_t c : out) EXPECT_EQ(c, L'#') << "a refused GetString wrote into the buffer";
            return L"<0>";
        }
        for (size_t i = kOutChars; i < kOutChars + 8; ++i) EXPECT_EQ(out[i], L'#');
        return out;
    }

    CGlossaLibrary glossa;
    CTempFolder folder;
    std::wstring standard;
};

TEST_F(GlossaDll, TextsFollowTheUserInterfaceLanguage) {
    ASSERT_EQ(GetUserDefaultUILanguage(), ExpectedLanguage())
        << "this process was meant to run in another interface language";
    ASSERT_EQ(glossa.SetPath(standard.c_str()), 1);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());
    EXPECT_EQ(Get(L"ids_tip_close"), ExpectedCloseText());
    EXPECT_EQ(Get(L"IDS_MIXED_CASE"), L"mixed");
    EXPECT_EQ(Get(L"IDS_QUOTED"), L"  Quoted text  ");
    EXPECT_EQ(Get(L"IDS_EMPTY"), L"<0>");
    EXPECT_EQ(Get(L"IDS_NOT_THERE"), L"<0>");
    EXPECT_EQ(Get(L""), L"<0>");
}

TEST_F(GlossaDll, SectionOf0x409StandsInForLanguagesWithoutAKey) {
    std::wstring onlyEnglish = folder.File(L"english.ini");
    ASSERT_TRUE(WriteUtf16File(onlyEnglish, L"[Language]\n0x409=US\n[US]\nIDS_TIP_CLOSE=Close\n"));
    ASSERT_EQ(glossa.SetPath(onlyEnglish.c_str()), 1);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"Close");

    // Without 0x409 only the language named in the file finds its section.
    std::wstring onlyGerman = folder.File(L"german.ini");
    ASSERT_TRUE(WriteUtf16File(onlyGerman, L"[Language]\n0x407=DE\n[DE]\nIDS_TIP_CLOSE=Zu\n"));
    ASSERT_EQ(glossa.SetPath(onlyGerman.c_str()), 1);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedLanguage() == 0x407 ? L"Zu" : L"<0>");
}

TEST_F(GlossaDll, SectionNamesAndTextsAreCut) {
    const std::wstring longName(40, L'L');
    const std::wstring cutName(31, L'L');
    std::wstring path = folder.File(L"limits.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[Language]\n0x409=" + longName + L"\n0x407=" + longName + L"\n0xc04=" +
                                         longName + L"\n[" + longName + L"]\nWHERE=long\n[" + cutName +
                                         L"]\nWHERE=cut\n" + L"LONG=" + std::wstring(300, L'x') + L"\nEXACT=" +
                                         std::wstring(253, L'y') + L"\n"));
    ASSERT_EQ(glossa.SetPath(path.c_str()), 1);
    EXPECT_EQ(Get(L"WHERE"), L"cut");
    EXPECT_EQ(Get(L"LONG"), std::wstring(253, L'x'));
    EXPECT_EQ(Get(L"EXACT"), std::wstring(253, L'y'));
}

TEST_F(GlossaDll, RefusesWithoutAUsablePath) {
    wchar_t out[kOutChars];
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"<0>");  // before any SetPath
    EXPECT_EQ(glossa.SetPath(nullptr), 0);
    EXPECT_EQ(glossa.SetPath(folder.File(L"absent.ini").c_str()), 0);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"<0>");
    ASSERT_EQ(glossa.SetPath(standard.c_str()), 1);
    EXPECT_EQ(glossa.GetString(nullptr, out), 0);
    EXPECT_EQ(glossa.GetString(L"IDS_TIP_CLOSE", nullptr), 0);
}

TEST_F(GlossaDll, FailedSetPathKeepsTheEarlierFile) {
    ASSERT_EQ(glossa.SetPath(standard.c_str()), 1);
    EXPECT_EQ(glossa.SetPath(folder.File(L"absent.ini").c_str()), 0);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());

    // A path longer than the 260-character buffer is refused, not cut.
    std::wstring overlong = L"\\\\?\\" + folder.Path();
    while (overlong.size() < 300) overlong += L"\\deeper";
    EXPECT_EQ(glossa.SetPath((overlong + L"\\Vimbrel.ini").c_str()), 0);
    EXPECT_EQ(glossa.SetPath(PaddedPath(folder.Path(), 260).c_str()), 0);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());
}

TEST_F(GlossaDll, PathOf259CharactersIsTheLongestAccepted) {
    EXPECT_EQ(glossa.SetPath(PaddedPath(folder.Path(), 259).c_str()), 1);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());
}

TEST_F(GlossaDll, RelativePathOutlivesAChangeOfFolder) {
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    int result = glossa.SetPath(L"Vimbrel.ini");
    CTempFolder elsewhere;
    SetCurrentDirectoryW(elsewhere.Path().c_str());
    std::wstring text = Get(L"IDS_TIP_CLOSE");
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(text, ExpectedCloseText());
}

TEST_F(GlossaDll, FileHeldWithoutSharingCannotBeRead) {
    HANDLE held = CreateFileW(standard.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(glossa.SetPath(standard.c_str()), 0);
    CloseHandle(held);

    ASSERT_EQ(glossa.SetPath(standard.c_str()), 1);
    held = CreateFileW(standard.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"<0>");
    CloseHandle(held);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());
}

TEST_F(GlossaDll, EveryCallReadsTheFileAnew) {
    ASSERT_EQ(glossa.SetPath(standard.c_str()), 1);
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), ExpectedCloseText());
    ASSERT_TRUE(
        WriteUtf16File(standard, L"[Language]\n0x409=Only\n0x407=Only\n0xc04=Only\n[Only]\nIDS_TIP_CLOSE=Changed\n"));
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"Changed");
    ASSERT_TRUE(DeleteFileW(standard.c_str()));
    EXPECT_EQ(Get(L"IDS_TIP_CLOSE"), L"<0>");
}

}  // namespace
