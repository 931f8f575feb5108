// Loading skin images from the three kinds of source.
#include "CSkinSource.h"
#include "GdiplusSession.h"
#include "SkinImageLoader.h"
#include "SkinModule.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::ui;

namespace {

constexpr const wchar_t* kLibrary = L"skin_test_library.dll";

std::string OwnResourceBytes(const wchar_t* name, const wchar_t* type) {
    CSkinModule own(SkinSourceKind::OwnResources, nullptr);
    const void* data = nullptr;
    DWORD size = 0;
    if (!own.FindBytes(name, type, data, size)) return std::string();
    return std::string(static_cast<const char*>(data), size);
}

class SkinLoader : public ::testing::Test {
protected:
    CGdiplusSession gdiplus_;
};

}  // namespace

TEST_F(SkinLoader, OwnResourcesDecodeWhateverTheNameCase) {
    auto image = LoadSkinImage(L"face.jpg", SkinSourceKind::OwnResources, L"", L"TESTSKIN");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetWidth(), 95u);
    EXPECT_EQ(image->GetHeight(), 18u);
    // Resource names and types are stored upper-case and found in any case.
    EXPECT_TRUE(LoadSkinImage(L"FACE.JPG", SkinSourceKind::OwnResources, L"", L"testskin"));
    // A BMP mask decodes as well as a JPEG.
    EXPECT_TRUE(LoadSkinImage(L"mask.bmp", SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
}

TEST_F(SkinLoader, MissingEmptyAndUndecodableResourcesFail) {
    EXPECT_FALSE(LoadSkinImage(L"absent.jpg", SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
    EXPECT_FALSE(LoadSkinImage(L"face.jpg", SkinSourceKind::OwnResources, L"", L"OTHERTYPE"));
    EXPECT_FALSE(LoadSkinImage(L"empty.jpg", SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
    EXPECT_FALSE(LoadSkinImage(L"broken.jpg", SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
    EXPECT_FALSE(LoadSkinImage(L"", SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
    EXPECT_FALSE(LoadSkinImage(nullptr, SkinSourceKind::OwnResources, L"", L"TESTSKIN"));
}

TEST_F(SkinLoader, SkinLibraryIsFreedAfterEveryLoad) {
    ASSERT_EQ(GetModuleHandleW(kLibrary), nullptr);
    CSkinSource library(kLibrary, L"LIBSKIN");
    ASSERT_EQ(library.Kind(), SkinSourceKind::Library);

    auto image = library.LoadSkinImage(L"face.jpg");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetWidth(), 95u);
    EXPECT_EQ(GetModuleHandleW(kLibrary), nullptr) << "library kept after a load";

    // The picture stays whole once the library is gone: GDI+ decodes lazily
    // and must not read from the unloaded module.
    Gdiplus::Color pixel;
    EXPECT_EQ(image->GetPixel(50, 9, &pixel), Gdiplus::Ok);

    EXPECT_FALSE(library.LoadSkinImage(L"broken.jpg"));
    EXPECT_FALSE(library.LoadSkinImage(L"absent.jpg"));
    EXPECT_EQ(GetModuleHandleW(kLibrary), nullptr) << "library kept after a failed load";

    CSkinSource missing(L"no_such_skin.dll", L"LIBSKIN");
    EXPECT_FALSE(missing.LoadSkinImage(L"face.jpg"));
}

TEST_F(SkinLoader, FolderFilesAreJoinedWithABackslash) {
    skintest::CScratchFolder folder(L"vimbrel_skin_folder");
    ASSERT_TRUE(skintest::WriteFileBytes(folder.File(L"face.jpg"), OwnResourceBytes(L"face.jpg", L"TESTSKIN")));
    ASSERT_TRUE(skintest::WriteFileBytes(folder.File(L"broken.jpg"), "not a picture"));

    CSkinSource source(folder.Path(), L"");
    ASSERT_EQ(source.Kind(), SkinSourceKind::Folder);
    auto image = source.LoadSkinImage(L"face.jpg");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetWidth(), 95u);
    EXPECT_FALSE(source.LoadSkinImage(L"absent.jpg"));
    EXPECT_FALSE(source.LoadSkinImage(L"broken.jpg"));

    // A path over 127 characters is refused rather than cut short.
    std::wstring longName(127 - folder.Path().size(), L'n');  // one too many with the backslash
    ASSERT_TRUE(skintest::WriteFileBytes(folder.File(longName.c_str()), OwnResourceBytes(L"face.jpg", L"TESTSKIN")));
    EXPECT_FALSE(source.LoadSkinImage(longName.c_str()));
    longName.pop_back();
    ASSERT_TRUE(skintest::WriteFileBytes(folder.File(longName.c_str()), OwnResourceBytes(L"face.jpg", L"TESTSKIN")));
    EXPECT_TRUE(source.LoadSkinImage(longName.c_str()));
}
