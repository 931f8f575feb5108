// The shortcut and registry names the installer's actions build.
#include "ShortcutPaths.h"

#include <gtest/gtest.h>

using namespace shortcutter;

TEST(ShortcutPaths, JoinFoldersAndProductNames) {
    EXPECT_EQ("SOFTWARE\\Zavu\\Vimbrel2", ProductKeyName("Vimbrel2"));
    EXPECT_EQ("C:\\Users\\Public\\Desktop\\Vimbrel2.lnk", DesktopLinkPath("C:\\Users\\Public\\Desktop", "Vimbrel2"));
    EXPECT_EQ("C:\\Start\\Programs\\ZAVU Utility\\", StartMenuFolder("C:\\Start\\Programs"));
    EXPECT_EQ("C:\\Start\\Programs\\ZAVU Utility\\Vimbrel2.lnk", StartMenuLinkPath("C:\\Start\\Programs", "Vimbrel2"));
}

TEST(ShortcutPaths, AnEmptyProductNameGivesTheMakersKeyAndABareExtension) {
    EXPECT_EQ("SOFTWARE\\Zavu\\", ProductKeyName(""));
    EXPECT_EQ("D:\\Desk\\.lnk", DesktopLinkPath("D:\\Desk", ""));
    EXPECT_EQ("P:\\ZAVU Utility\\.lnk", StartMenuLinkPath("P:", ""));
}

TEST(ShortcutPaths, PathsThatWouldNotFitAPathBufferAreRefusedNotCut) {
    // Desktop: folder + 1 + name + 4 must stay at 259 characters or fewer.
    const std::string name = "Cam";                // 3 characters
    const std::string fits(259 - 1 - 3 - 4, 'd');  // 251
    ASSERT_TRUE(DesktopLinkPath(fits, name));
    EXPECT_EQ(259u, DesktopLinkPath(fits, name)->size());
    EXPECT_FALSE(DesktopLinkPath(fits + "d", name));

    // Start menu: folder + 14 ("\ZAVU Utility\") + name + 4.
    const std::string programs(259 - 14 - 3 - 4, 'p');  // 238
    ASSERT_TRUE(StartMenuLinkPath(programs, name));
    EXPECT_EQ(259u, StartMenuLinkPath(programs, name)->size());
    EXPECT_FALSE(StartMenuLinkPath(programs + "p", name));
    // The folder alone may fit where the link does not.
    EXPECT_TRUE(StartMenuFolder(programs + "p"));
    const std::string folderFits(259 - 14, 'f');  // 245
    EXPECT_TRUE(StartMenuFolder(folderFits));
    EXPECT_FALSE(StartMenuFolder(folderFits + "f"));
    EXPECT_FALSE(StartMenuLinkPath(folderFits + "f", ""));
}
