#include "MediaFileClass.h"

#include <gtest/gtest.h>

namespace vimbrel::controller {
namespace {

TEST(MediaFileClass, ByTheTextAfterTheLastDotIgnoringCase) {
    struct Case {
        const char16_t* path;
        int expected;
    };
    const Case cases[] = {
        {u"C:\\M\\a.bmp", 0},
        {u"C:\\M\\a.JPG", 1},
        {u"C:\\M\\a.JPEG", 1},
        {u"a.jpeg", 1},
        {u"a.Gif", 2},
        {u"a.png", 3},
        {u"a.TIFF", 4},
        {u"a.asf", 5},
        {u"a.wmv", 6},
        {u"a.avi", 7},
        {u"a.wma", 8},
        {u".Wav", 9},
        {u"C:\\M\\image", -1},
        {u"a.tif", -1},
        {u"a.jpg.bak", -1},
        {u"a.", -1},
        {u"a.jpgx", -1},
        {u"C:\\x.jpg\\file", -1},
        {u"", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetMediaFileClass(c.path), c.expected) << std::u16string(c.path).size();
    }
}

TEST(MediaFileClass, ExtensionOfAClass) {
    EXPECT_EQ(MediaFileClassExtension(1), u"jpg");
    EXPECT_EQ(MediaFileClassExtension(4), u"tiff");
    EXPECT_EQ(MediaFileClassExtension(9), u"wav");
    EXPECT_EQ(MediaFileClassExtension(-1), u"");
    EXPECT_EQ(MediaFileClassExtension(10), u"");
}

}  // namespace
}  // namespace vimbrel::controller
