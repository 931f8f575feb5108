// The encoder a saved picture goes through, by the file name's extension.
#include "EncoderChoice.h"

#include <gtest/gtest.h>

using namespace vimbrel::canvas;

namespace {

TEST(EncoderChoice, KnownExtensionsInAnyCase) {
    EXPECT_EQ(EncoderMimeTypeFor(u"C:\\pics\\copy.JPEG"), u"image/jpeg");
    EXPECT_EQ(EncoderMimeTypeFor(u"copy.jpg"), u"image/jpeg");
    EXPECT_EQ(EncoderMimeTypeFor(u"copy.Gif"), u"image/gif");
    EXPECT_EQ(EncoderMimeTypeFor(u"copy.TIFF"), u"image/tiff");
    EXPECT_EQ(EncoderMimeTypeFor(u"a.b.PnG"), u"image/png");
    EXPECT_EQ(EncoderMimeTypeFor(u".bmp"), u"image/bmp");
}

TEST(EncoderChoice, OtherNamesHaveNoEncoder) {
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy.tif").empty());
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy.jpeg2").empty());
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy.").empty());
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy").empty());
    EXPECT_TRUE(EncoderMimeTypeFor(u"").empty());
    // Only the last dot counts, even when it lies in a folder name.
    EXPECT_TRUE(EncoderMimeTypeFor(u"C:\\my.png\\picture").empty());
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy.png.txt").empty());
    // Non-ASCII letters are not folded into ASCII ones.
    EXPECT_TRUE(EncoderMimeTypeFor(u"copy.\u0130mp").empty());
}

}  // namespace
