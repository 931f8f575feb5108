#include "MediaNames.h"

#include <gtest/gtest.h>

using namespace vimbrel::browser;

TEST(MediaNames, ExtensionIsTheTextBetweenTheFirstAndSecondDot) {
    EXPECT_EQ(u"jpg", NameExtension(u"photo.jpg"));
    EXPECT_EQ(u"2007", NameExtension(u"photo.2007.jpg"));
    EXPECT_EQ(u"", NameExtension(u"photo"));
    EXPECT_EQ(u"", NameExtension(u"photo."));
    EXPECT_EQ(u"b", NameExtension(u"a.b.jpg"));
}

TEST(MediaNames, ClassesByExtensionIgnoringCase) {
    EXPECT_EQ(0, MediaClassOfName(u"IMAGE.JPG"));
    EXPECT_EQ(0, MediaClassOfName(u"image.jpg"));
    EXPECT_EQ(0, MediaClassOfName(u"x.Jpeg"));
    EXPECT_EQ(0, MediaClassOfName(u"x.bmp"));
    EXPECT_EQ(0, MediaClassOfName(u"x.gif"));
    EXPECT_EQ(0, MediaClassOfName(u"x.PNG"));
    EXPECT_EQ(0, MediaClassOfName(u"x.tiff"));
    EXPECT_EQ(1, MediaClassOfName(u"x.wmv"));
    EXPECT_EQ(1, MediaClassOfName(u"x.ASF"));
    EXPECT_EQ(2, MediaClassOfName(u"x.wav"));
    EXPECT_EQ(2, MediaClassOfName(u"x.WMA"));
    EXPECT_EQ(-1, MediaClassOfName(u"image.tif"));
    EXPECT_EQ(-1, MediaClassOfName(u"a.b.jpg"));
    EXPECT_EQ(-1, MediaClassOfName(u"readme"));
    EXPECT_EQ(-1, MediaClassOfName(u"x.txt"));
}

TEST(MediaNames, AviIsAudioWhenTheStemSaysSoCaseSensitively) {
    EXPECT_EQ(2, MediaClassOfName(u"audio200701010001.avi"));
    EXPECT_EQ(1, MediaClassOfName(u"video200701010001.avi"));
    EXPECT_EQ(2, MediaClassOfName(u"myaudiofile.AVI"));
    EXPECT_EQ(1, MediaClassOfName(u"AUDIO200701010001.avi"));
    // Only the part before the first dot counts.
    EXPECT_EQ(-1, MediaClassOfName(u"clip.audio.avi"));
    EXPECT_EQ(1, MediaClassOfName(u"clip.avi"));
}

TEST(MediaNames, FileTypesAndListing) {
    EXPECT_EQ(0, ThumbFileTypeOfName(u"a.jpeg"));
    EXPECT_EQ(1, ThumbFileTypeOfName(u"a.bmp"));
    EXPECT_EQ(2, ThumbFileTypeOfName(u"a.gif"));
    EXPECT_EQ(3, ThumbFileTypeOfName(u"a.png"));
    EXPECT_EQ(4, ThumbFileTypeOfName(u"a.TIFF"));
    EXPECT_EQ(5, ThumbFileTypeOfName(u"a.avi"));
    EXPECT_EQ(6, ThumbFileTypeOfName(u"a.wmv"));
    EXPECT_EQ(7, ThumbFileTypeOfName(u"a.asf"));
    EXPECT_EQ(8, ThumbFileTypeOfName(u"a.wav"));
    EXPECT_EQ(9, ThumbFileTypeOfName(u"a.wma"));
    EXPECT_EQ(-1, ThumbFileTypeOfName(u"a.tif"));
    EXPECT_TRUE(IsListedMediaName(u"audio1.avi"));
    EXPECT_FALSE(IsListedMediaName(u"image.tif"));
    EXPECT_FALSE(IsListedMediaName(u"a.b.jpg"));
}
