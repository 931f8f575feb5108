// Reading configurations: in place from a folder, and from resources through
// the temporary "config.txt" in the common application-data folder (this
// prefix reports a Windows major version above 5).
#include "CSkinSource.h"
#include "SkinConfigReader.h"
#include "SkinTestSupport.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::ui;

namespace {

std::wstring CommonAppData() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

// The temporary file's folder, made for the test and removed after it.
class CDataFolder {
public:
    CDataFolder() : zavu_(CommonAppData() + L"\\Zavu"), folder_(zavu_ + L"\\Vimbrel2") {
        madeZavu_ = CreateDirectoryW(zavu_.c_str(), nullptr) != FALSE;
        madeFolder_ = CreateDirectoryW(folder_.c_str(), nullptr) != FALSE;
    }
    ~CDataFolder() {
        RemoveDirectoryW((folder_ + L"\\config.txt").c_str());
        DeleteFileW((folder_ + L"\\config.txt").c_str());
        if (madeFolder_) RemoveDirectoryW(folder_.c_str());
        if (madeZavu_) RemoveDirectoryW(zavu_.c_str());
    }
    std::wstring ConfigFile() const { return folder_ + L"\\config.txt"; }

private:
    std::wstring zavu_, folder_;
    bool madeZavu_ = false, madeFolder_ = false;
};

void LeaveProgramFolder(skintest::CScratchFolder& elsewhere) {
    ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.Path().c_str()));
    ASSERT_NE(skintest::CurrentFolder(), ProgramFolder());
}

}  // namespace

TEST(SkinConfigReader, ResourceConfigurationGoesThroughTheTemporaryFile) {
    CDataFolder data;
    skintest::CScratchFolder elsewhere(L"vimbrel_skin_cwd");
    LeaveProgramFolder(elsewhere);
    // A stale file from an earlier reader must be replaced, then removed.
    ASSERT_TRUE(skintest::WriteFileBytes(data.ConfigFile(), "back=stale.jpg\r\n"));

    PanelSkinConfig config;
    SkinConfigRoute route = SkinConfigRoute::None;
    CSkinSource own(L"", L"TESTSKIN");
    ASSERT_TRUE(own.ReadPanelConfig(L"panel.txt", config, &route));
    EXPECT_EQ(route, SkinConfigRoute::TemporaryFile);
    EXPECT_EQ(config.back, "face.jpg");
    EXPECT_EQ(config.mask, "mask.bmp");
    ASSERT_EQ(config.toggles.size(), 1u);
    EXPECT_FALSE(skintest::FileExists(data.ConfigFile())) << "temporary config.txt left behind";
    EXPECT_EQ(skintest::CurrentFolder(), ProgramFolder());
}

TEST(SkinConfigReader, UnwritableTemporaryFileFallsBackToTheResourceBytes) {
    CDataFolder data;
    // A folder where the file should go: the file cannot be created.
    ASSERT_TRUE(CreateDirectoryW(data.ConfigFile().c_str(), nullptr));
    skintest::CScratchFolder elsewhere(L"vimbrel_skin_cwd");
    LeaveProgramFolder(elsewhere);

    DialogSkinConfig config;
    SkinConfigRoute route = SkinConfigRoute::None;
    ASSERT_TRUE(ReadDialogSkinConfig(SkinSourceKind::OwnResources, L"", L"dialog.txt", L"TESTSKIN", config, &route));
    EXPECT_EQ(route, SkinConfigRoute::Memory);
    EXPECT_EQ(config.back, "bg.jpg");
    EXPECT_EQ(config.map, "mask.bmp");
    EXPECT_EQ(skintest::CurrentFolder(), ProgramFolder());
}

TEST(SkinConfigReader, FolderConfigurationIsReadInPlace) {
    skintest::CScratchFolder skin(L"vimbrel_skin_config");
    ASSERT_TRUE(skintest::WriteFileBytes(skin.File(L"Mode_Test.txt"), "Back=b.jpg words\r\nmask=m.bmp\r\n"));
    std::wstring before = skintest::CurrentFolder();

    PanelSkinConfig config;
    SkinConfigRoute route = SkinConfigRoute::None;
    ASSERT_TRUE(ReadPanelSkinConfig(SkinSourceKind::Folder, skin.Path().c_str(), L"Mode_Test.txt", L"Mode_Test", config,
                                    &route));
    EXPECT_EQ(route, SkinConfigRoute::Folder);
    EXPECT_EQ(config.back, "b.jpg");
    EXPECT_TRUE(skintest::FileExists(skin.File(L"Mode_Test.txt"))) << "a skin's own file was deleted";
    EXPECT_EQ(skintest::CurrentFolder(), before);

    EXPECT_FALSE(ReadPanelSkinConfig(SkinSourceKind::Folder, skin.Path().c_str(), L"absent.txt", L"", config, &route));
    EXPECT_EQ(route, SkinConfigRoute::None);
}

TEST(SkinConfigReader, SkinLibraryConfigurationAndFailures) {
    PanelSkinConfig config;
    CSkinSource library(L"skin_test_library.dll", L"LIBSKIN");
    ASSERT_TRUE(library.ReadPanelConfig(L"lib.txt", config));
    EXPECT_EQ(config.back, "face.jpg");
    EXPECT_EQ(GetModuleHandleW(L"skin_test_library.dll"), nullptr);

    SkinConfigRoute route = SkinConfigRoute::Memory;
    CSkinSource own(L"", L"TESTSKIN");
    EXPECT_FALSE(own.ReadPanelConfig(L"absent.txt", config, &route));
    EXPECT_EQ(route, SkinConfigRoute::None);
    EXPECT_FALSE(own.ReadPanelConfig(L"", config));
    // Read, but without the "back" every panel needs.
    EXPECT_FALSE(own.ReadPanelConfig(L"no_back.txt", config));
    // A dialog configuration needs "map" as well as "back".
    DialogSkinConfig dialog;
    EXPECT_FALSE(own.ReadDialogConfig(L"panel.txt", dialog));
}
