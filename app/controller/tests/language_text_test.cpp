#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CLanguageText.h"
#include "DataRoot.h"
#include "LanguageFixture.h"

using vimbrel::controller::CLanguageText;
using vimbrel::controller::ProgramFolder;
using vimbrel::texts::test::CTempFolder;
using vimbrel::texts::test::WriteUtf16File;

namespace {

bool GlossaIsLoaded() { return GetModuleHandleW(L"glossa.dll") != nullptr; }

class LanguageText : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(GlossaIsLoaded()) << "an earlier test left glossa.dll loaded"; }

    const std::wstring library = ProgramFolder() + L"\\glossa.dll";
    const std::wstring shippedFile = ProgramFolder() + L"\\Vimbrel.ini";
};

TEST_F(LanguageText, ShippedFileInTheInterfaceLanguage) {
    CLanguageText texts;
    ASSERT_EQ(texts.Load(library.c_str(), shippedFile.c_str()), 1);
    bool german = GetUserDefaultUILanguage() == 0x407;
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), german ? L"Schlie\u00DFen" : L"Close");
    EXPECT_EQ(texts.GetString(L"IDS_STG_FLASH"), german ? L"Blitz" : L"Flash");
    // A missing key gives nothing, never the key itself.
    EXPECT_EQ(texts.GetString(L"IDS_NO_SUCH_TEXT"), L"");
    EXPECT_EQ(texts.GetString(nullptr), L"");
}

TEST_F(LanguageText, TextsOfTheBufferLengthComeBackWhole) {
    CTempFolder folder;
    std::wstring file = folder.File(L"Vimbrel.ini");
    ASSERT_TRUE(WriteUtf16File(file, L"[Language]\n0x409=T\n0x407=T\n[T]\nEXACT=" + std::wstring(253, L'e') +
                                         L"\nLONG=" + std::wstring(300, L'l') + L"\n"));
    CLanguageText texts;
    ASSERT_EQ(texts.Load(library.c_str(), file.c_str()), 1);
    EXPECT_EQ(texts.GetString(L"EXACT"), std::wstring(253, L'e'));
    EXPECT_EQ(texts.GetString(L"LONG"), std::wstring(253, L'l'));
}

TEST_F(LanguageText, RefusalsLeaveEmptyTexts) {
    CLanguageText texts;
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");  // never loaded
    EXPECT_EQ(texts.Load(nullptr, shippedFile.c_str()), 0);
    EXPECT_EQ(texts.Load(library.c_str(), nullptr), 0);
    EXPECT_FALSE(GlossaIsLoaded());
    EXPECT_EQ(texts.Load((ProgramFolder() + L"\\absent\\glossa.dll").c_str(), shippedFile.c_str()), 0);
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");
}

TEST_F(LanguageText, MissingLanguageFileFailsWithTheLibraryLoaded) {
    CLanguageText texts;
    EXPECT_EQ(texts.Load(library.c_str(), (ProgramFolder() + L"\\absent.ini").c_str()), 0);
    EXPECT_TRUE(GlossaIsLoaded());
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");
}

TEST_F(LanguageText, LibraryWithoutTheExportsIsRefused) {
    CLanguageText texts;
    EXPECT_EQ(texts.Load(L"version.dll", shippedFile.c_str()), 0);
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");
}

TEST_F(LanguageText, FailedReloadAndUnloadLeaveNoCallIntoAFreedLibrary) {
    CLanguageText texts;
    ASSERT_EQ(texts.Load(library.c_str(), shippedFile.c_str()), 1);
    EXPECT_EQ(texts.Load(L"absent-glossa.dll", shippedFile.c_str()), 0);
    EXPECT_FALSE(GlossaIsLoaded());
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");

    ASSERT_EQ(texts.Load(library.c_str(), shippedFile.c_str()), 1);
    texts.Unload();
    EXPECT_FALSE(GlossaIsLoaded());
    EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"");
}

TEST_F(LanguageText, LoadAgainReplacesTheLibraryAndTheFile) {
    CTempFolder folder;
    std::wstring other = folder.File(L"other.ini");
    ASSERT_TRUE(WriteUtf16File(other, L"[Language]\n0x409=O\n0x407=O\n[O]\nIDS_TIP_CLOSE=Other\n"));
    {
        CLanguageText texts;
        ASSERT_EQ(texts.Load(library.c_str(), shippedFile.c_str()), 1);
        ASSERT_EQ(texts.Load(library.c_str(), other.c_str()), 1);
        EXPECT_EQ(texts.GetString(L"IDS_TIP_CLOSE"), L"Other");
    }
    EXPECT_FALSE(GlossaIsLoaded()) << "the destructor frees the library";
}

}  // namespace
