// Names and texts of the mode pictures, the splash and the about box.
#include "ProgramPictures.h"

#include <gtest/gtest.h>

using namespace vimbrel::ui;

TEST(ModePictureNameTest, OneJpegPerModeAndNoneOutside) {
    EXPECT_EQ(ModePictureName(0), "MODE0.JPG");
    EXPECT_EQ(ModePictureName(5), "MODE5.JPG");
    EXPECT_EQ(ModePictureName(6), "");
    EXPECT_EQ(ModePictureName(-1), "");
}

TEST(AboutVersionTest, VersionFieldsComeFromTheBytesOfTheValue) {
    EXPECT_EQ(FormatVersion(0x01000005), u"1.0.5");
    EXPECT_EQ(FormatVersion(0x01020123), u"1.2.291");
    // Every field at its largest; the build is unsigned and unpadded.
    EXPECT_EQ(FormatVersion(0xFFFFFFFF), u"255.255.65535");
    EXPECT_EQ(FormatVersion(0x0A000000), u"10.0.0");
    EXPECT_EQ(FormatVersion(0), u"0.0.0");
}

TEST(AboutVersionTest, LineIsLabelBlankVersionOrLabelBlank) {
    EXPECT_EQ(AboutVersionLine(u"Version", 0x01000005u), u"Version 1.0.5");
    EXPECT_EQ(AboutVersionLine(u"Version", std::nullopt), u"Version ");
    EXPECT_EQ(AboutVersionLine(u"", 0x02030004u), u" 2.3.4");
    EXPECT_EQ(AboutVersionLine(u"Versi\u00f3n", 0x01000005u), u"Versi\u00f3n 1.0.5");
}

TEST(CentredPictureTest, PicturesSitInTheMiddleOfTheScreen) {
    const PictureRect onXga = CentredOnScreen(1024, 768, 500, 300);
    EXPECT_EQ(onXga.left, 262);
    EXPECT_EQ(onXga.top, 234);
    EXPECT_EQ(onXga.right, 762);
    EXPECT_EQ(onXga.bottom, 534);
    // Odd leftovers round both edges down and keep the size.
    const PictureRect odd = CentredOnScreen(1023, 767, 500, 300);
    EXPECT_EQ(odd.left, 261);
    EXPECT_EQ(odd.right - odd.left, 500);
    EXPECT_EQ(odd.bottom - odd.top, 300);
}
