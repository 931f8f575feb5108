#include "SkinSource.h"

#include <gtest/gtest.h>

using namespace vimbrel::ui;

TEST(SkinSource, KindFollowsTheSourceString) {
    EXPECT_EQ(SkinSourceKindOf(u""), SkinSourceKind::OwnResources);
    EXPECT_EQ(SkinSourceKindOf(u"C:\\Skins\\Blue.DLL"), SkinSourceKind::Library);
    EXPECT_EQ(SkinSourceKindOf(u"blue.dll"), SkinSourceKind::Library);
    // ".dll" anywhere in the lower-cased text counts.
    EXPECT_EQ(SkinSourceKindOf(u"C:\\old.Dll.skins\\blue"), SkinSourceKind::Library);
    EXPECT_EQ(SkinSourceKindOf(u"C:\\Skins\\Blue"), SkinSourceKind::Folder);
    EXPECT_EQ(SkinSourceKindOf(u"C:\\Skins\\dll"), SkinSourceKind::Folder);
}

TEST(SkinSource, FolderPathsHoldAtMost127Characters) {
    std::u16string path = u"unchanged";
    ASSERT_TRUE(JoinSkinPath(u"C:\\skin", u"bg.jpg", path));
    EXPECT_EQ(path, u"C:\\skin\\bg.jpg");

    std::u16string folder(120, u'f');
    ASSERT_TRUE(JoinSkinPath(folder, u"123456", path));  // 120 + 1 + 6 = 127
    EXPECT_EQ(path.size(), 127u);
    path = u"unchanged";
    EXPECT_FALSE(JoinSkinPath(folder, u"1234567", path));  // 128
    EXPECT_EQ(path, u"unchanged");
}

TEST(SkinSource, TemporaryConfigurationFileFollowsTheWindowsVersion) {
    EXPECT_EQ(TemporaryConfigPath(6, u"C:\\ProgramData"), u"C:\\ProgramData\\Zavu\\Vimbrel2\\config.txt");
    EXPECT_EQ(TemporaryConfigPath(10, u"C:\\"), u"C:\\Zavu\\Vimbrel2\\config.txt");
    EXPECT_EQ(TemporaryConfigPath(5, u"C:\\Documents and Settings\\All Users\\Application Data"), u"config.txt");
    EXPECT_EQ(TemporaryConfigPath(4, u""), u"config.txt");
    // Without the application-data folder there is no safe place to write.
    EXPECT_EQ(TemporaryConfigPath(6, u""), u"");
}
