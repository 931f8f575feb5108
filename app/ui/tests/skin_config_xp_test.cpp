// On Windows major version 5 the temporary configuration file is
// "config.txt" in the program folder, which becomes the current directory.
#include "CSkinSource.h"
#include "SkinConfigReader.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace vimbrel::ui;

TEST(SkinConfigReaderXp, TemporaryFileLiesInTheProgramFolder) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExW(&version));
    ASSERT_EQ(version.dwMajorVersion, 5u) << "this test needs the prefix that reports Windows XP";

    const std::wstring stale = ProgramFolder() + L"\\config.txt";
    ASSERT_TRUE(skintest::WriteFileBytes(stale, "back=stale.jpg\r\n"));
    skintest::CScratchFolder elsewhere(L"vimbrel_skin_cwd_xp");
    ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.Path().c_str()));

    PanelSkinConfig config;
    SkinConfigRoute route = SkinConfigRoute::None;
    ASSERT_TRUE(CSkinSource(L"", L"TESTSKIN").ReadPanelConfig(L"panel.txt", config, &route));
    EXPECT_EQ(route, SkinConfigRoute::TemporaryFile);
    EXPECT_EQ(config.back, "face.jpg");
    EXPECT_EQ(skintest::CurrentFolder(), ProgramFolder());
    EXPECT_FALSE(skintest::FileExists(stale)) << "config.txt left in the program folder";
}
