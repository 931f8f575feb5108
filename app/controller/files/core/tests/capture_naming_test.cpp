#include "CaptureNaming.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace vimbrel::controller {
namespace {

const LocalTime kJuly4{2026, 7, 4, 10, 30};
const LocalTime kJuly5{2026, 7, 5, 0, 1};
const CaptureFileTypes kJpgAviWav{1, 2, 2};

FileExists NothingExists() {
    return [](const std::u16string&) { return false; };
}

FileExists ExistsIn(std::set<std::u16string> files) {
    return [files](const std::u16string& path) { return files.count(path) != 0; };
}

TEST(MediaFolders, FolderPerKindUnderTheDataRoot) {
    EXPECT_EQ(MediaFolderPath(u"C:\\ProgramData\\Zavu\\Vimbrel2", kMediaImage),
              u"C:\\ProgramData\\Zavu\\Vimbrel2\\Vimbrel\\Image");
    EXPECT_EQ(MediaFolderPath(u"C:\\Program Files\\Vimbrel", kMediaMonitor),
              u"C:\\Program Files\\Vimbrel\\Vimbrel\\Monitor");
    EXPECT_EQ(MediaFolderPath(u"D:", kMediaAudio), u"D:\\Vimbrel\\Audio");
    EXPECT_EQ(MediaFolderPath(u"D:", 4), u"");
    EXPECT_EQ(MediaFolderPath(u"D:", -1), u"");
}

TEST(CaptureNameParts, DatePrefixAndExtensionBySetting) {
    EXPECT_EQ(CaptureDate(kJuly4), u"20260704");
    EXPECT_EQ(CaptureDate(LocalTime{2027, 12, 31, 23, 59}), u"20271231");
    EXPECT_EQ(CapturePrefix(kMediaImage, kJuly4), u"image20260704");
    EXPECT_EQ(CapturePrefix(kMediaMonitor, kJuly4), u"monitor20260704");
    EXPECT_EQ(CapturePrefix(7, kJuly4), u"");

    // Monitor pictures follow the image file type; the video kinds share one.
    CaptureFileTypes types{4, 1, 0};
    EXPECT_EQ(CaptureExtension(kMediaImage, types), u"tiff");
    EXPECT_EQ(CaptureExtension(kMediaMonitor, types), u"tiff");
    EXPECT_EQ(CaptureExtension(kMediaVideo, types), u"wmv");
    EXPECT_EQ(CaptureExtension(kMediaAudio, types), u"wma");
    EXPECT_EQ(CaptureExtension(kMediaAudio, CaptureFileTypes{0, 0, 1}), u"avi");
    EXPECT_EQ(CaptureExtension(kMediaImage, CaptureFileTypes{5, 0, 0}), u"");
    EXPECT_EQ(CaptureExtension(kMediaVideo, CaptureFileTypes{0, 3, 0}), u"");
    EXPECT_EQ(CaptureExtension(kMediaAudio, CaptureFileTypes{0, 0, -1}), u"");
}

TEST(CaptureCounter, DigitsAfterThePrefixIgnoringCase) {
    const std::u16string_view prefix = u"image20260704";
    EXPECT_EQ(CounterAfterPrefix(u"image202607040003.jpg", prefix), 3);
    EXPECT_EQ(CounterAfterPrefix(u"IMAGE202607040007.JPG", prefix), 7);
    EXPECT_EQ(CounterAfterPrefix(u"image202607040005_2.jpg", prefix), 5);
    EXPECT_EQ(CounterAfterPrefix(u"image20260704.jpg", prefix), 0);
    EXPECT_EQ(CounterAfterPrefix(u"image20260704", prefix), 0);
    EXPECT_EQ(CounterAfterPrefix(u"image2026070", prefix), -1);
    EXPECT_EQ(CounterAfterPrefix(u"video202607040003.avi", prefix), -1);
    EXPECT_EQ(CounterAfterPrefix(u"image202607050003.jpg", prefix), -1);
    // A digit run longer than an int saturates instead of wrapping negative.
    EXPECT_EQ(CounterAfterPrefix(u"image2026070412345678901234567890.jpg", prefix), INT_MAX);
}

TEST(CaptureCounter, HighestOfTheDay) {
    std::vector<std::u16string> names = {u".",
                                         u"..",
                                         u"image202607040002.jpg",
                                         u"image202607040011.bmp",
                                         u"image202607030050.jpg",
                                         u"video202607040090.avi",
                                         u"notes.txt"};
    EXPECT_EQ(HighestCounter(names, u"image20260704"), 11);
    EXPECT_EQ(HighestCounter(names, u"image20260705"), 0);
    EXPECT_EQ(HighestCounter({}, u"image20260704"), 0);
}

TEST(MakeCaptureName, ContinuesAfterTheHighestNumberOfTheDay) {
    std::vector<std::u16string> names = {u"image202607040001.jpg", u"image202607040002.jpg", u"image202607040003.jpg"};
    EXPECT_EQ(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly4, kJpgAviWav, names, NothingExists()),
              u"C:\\M\\Image\\image202607040004.jpg");
    // The next day starts again at 0001.
    EXPECT_EQ(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly5, kJpgAviWav, names, NothingExists()),
              u"C:\\M\\Image\\image202607050001.jpg");
    // Another file type changes only the extension.
    EXPECT_EQ(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly4, CaptureFileTypes{3, 0, 0}, names, NothingExists()),
              u"C:\\M\\Image\\image202607040004.png");
    // Copies count by the number before their "_".
    EXPECT_EQ(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly4, kJpgAviWav, {u"image202607040005_2.jpg"},
                              NothingExists()),
              u"C:\\M\\Image\\image202607040006.jpg");
    EXPECT_EQ(
        MakeCaptureName(u"C:\\M\\Audio", kMediaAudio, kJuly4, kJpgAviWav, {u"AUDIO202607040120.WMA"}, NothingExists()),
        u"C:\\M\\Audio\\audio202607040121.wav");
}

TEST(MakeCaptureName, RefusesOnceTheDayIsFull) {
    const std::u16string folder = u"C:\\M\\Image";
    EXPECT_EQ(MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {u"image202607049998.jpg"}, NothingExists()),
              u"C:\\M\\Image\\image202607049999.jpg");
    EXPECT_FALSE(MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {u"image202607049999.jpg"}, NothingExists()));
    EXPECT_FALSE(
        MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {u"image2026070499999.jpg"}, NothingExists()));
    // A counter far past an int must refuse too, not wrap round to 0001.
    EXPECT_FALSE(MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {u"image2026070499999999999999.jpg"},
                                 NothingExists()));
}

TEST(MakeCaptureName, NeverNamesAFileThatIsThere) {
    // The listing came back empty (it could not be read), yet 0001 and 0002
    // are on the disk: the name moves past them.
    auto exists = ExistsIn({u"C:\\M\\Image\\image202607040001.jpg", u"C:\\M\\Image\\image202607040002.jpg"});
    EXPECT_EQ(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly4, kJpgAviWav, {}, exists),
              u"C:\\M\\Image\\image202607040003.jpg");
    // When 9999 is taken as well there is no name left.
    auto last = ExistsIn({u"C:\\M\\Image\\image202607049999.jpg"});
    EXPECT_FALSE(MakeCaptureName(u"C:\\M\\Image", kMediaImage, kJuly4, kJpgAviWav, {u"image202607049998.jpg"}, last));
}

TEST(MakeCaptureName, RefusesWhatCannotBeNamed) {
    EXPECT_FALSE(MakeCaptureName(u"C:\\M", 4, kJuly4, kJpgAviWav, {}, NothingExists()));
    EXPECT_FALSE(MakeCaptureName(u"C:\\M", -1, kJuly4, kJpgAviWav, {}, NothingExists()));
    EXPECT_FALSE(MakeCaptureName(u"", kMediaImage, kJuly4, kJpgAviWav, {}, NothingExists()));
    EXPECT_FALSE(MakeCaptureName(u"C:\\M", kMediaVideo, kJuly4, CaptureFileTypes{0, 9, 0}, {}, NothingExists()));
}

TEST(MakeCaptureName, MustFitTheEnginesBuffer) {
    // "\image202607040001.jpg" is 22 units; with the terminator a folder of
    // 105 units fills the 128-unit buffer exactly, one more is too long.
    std::u16string folder(105, u'f');
    auto name = MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {}, NothingExists());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), 127u);
    folder += u'f';
    EXPECT_FALSE(MakeCaptureName(folder, kMediaImage, kJuly4, kJpgAviWav, {}, NothingExists()));
    // "monitor" is two units longer than "image", "tiff" one longer than
    // "jpg": 25 units beside the folder, so 102 is the most that fits.
    std::u16string monitorFolder(103, u'm');
    EXPECT_FALSE(MakeCaptureName(monitorFolder, kMediaMonitor, kJuly4, CaptureFileTypes{4, 0, 0}, {}, NothingExists()));
    monitorFolder.pop_back();
    EXPECT_TRUE(MakeCaptureName(monitorFolder, kMediaMonitor, kJuly4, CaptureFileTypes{4, 0, 0}, {}, NothingExists()));
}

}  // namespace
}  // namespace vimbrel::controller
