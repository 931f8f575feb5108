// The status strip's rules: the running time, each mode's text, the icons
// on show and their places, and the pen swatch's recolouring. Expected
// values are worked out by hand from the strip's description.
#include "OverlayLogic.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vimbrel::ui;

namespace {

OverlaySettings Typical() {
    OverlaySettings s;
    s.videoWidth = 640;
    s.videoHeight = 480;
    s.imageWidth = 1280;
    s.imageHeight = 1024;
    return s;
}

std::u16string Line(int mode, const OverlaySettings& s, const std::u16string& time = u"") {
    return ComposeOverlayText(mode, s, time, u"", u"Sensitivity").line;
}

std::vector<std::pair<OverlayIcon, int>> Icons(int mode, const OverlaySettings& s) {
    std::vector<std::pair<OverlayIcon, int>> out;
    for (const OverlayIconCell& c : SelectOverlayIcons(mode, s)) out.emplace_back(c.icon, c.cell);
    return out;
}

}  // namespace

TEST(OverlayTime, HoursMinutesSecondsWithHoursWrappingAtSixty) {
    EXPECT_EQ(FormatTime(-1), u"");
    EXPECT_EQ(FormatTime(-3600), u"");
    EXPECT_EQ(FormatTime(0), u"0:00:00");
    EXPECT_EQ(FormatTime(59), u"0:00:59");
    EXPECT_EQ(FormatTime(60), u"0:01:00");
    EXPECT_EQ(FormatTime(3599), u"0:59:59");
    EXPECT_EQ(FormatTime(3725), u"1:02:05");
    EXPECT_EQ(FormatTime(36000 + 600 + 10), u"10:10:10");
    // 60 hours read as 0, 61 h 2 min 5 s as 1:02:05.
    EXPECT_EQ(FormatTime(216000), u"0:00:00");
    EXPECT_EQ(FormatTime(219725), u"1:02:05");
}

TEST(OverlayText, VideoShowsSizeTypeBitrateAndTime) {
    OverlaySettings s = Typical();
    s.videoFileType = 2;  // AVI: no bitrate
    s.asfQuality = 3;
    EXPECT_EQ(Line(kOverlayVideo, s, FormatTime(5)), u"640x480  AVI  0:00:05");
    EXPECT_EQ(Line(kOverlayVideo, s), u"640x480  AVI");
    s.videoFileType = 1;
    EXPECT_EQ(Line(kOverlayVideo, s), u"640x480  WMV  768Kbps");
    s.videoFileType = 0;
    s.asfQuality = 0;
    EXPECT_EQ(Line(kOverlayVideoOnly, s, u"0:00:00"), u"640x480  ASF  100Kbps  0:00:00");
    s.asfQuality = 1;
    EXPECT_EQ(Line(kOverlayVideoOnly, s), u"640x480  ASF  256Kbps");
    s.asfQuality = 2;
    EXPECT_EQ(Line(kOverlayVideo, s), u"640x480  ASF  384Kbps");
    // Indexes without a word add nothing, and neither does an unknown type.
    s.asfQuality = 4;
    EXPECT_EQ(Line(kOverlayVideo, s), u"640x480  ASF");
    s.videoFileType = 3;
    s.asfQuality = -1;
    EXPECT_EQ(Line(kOverlayVideo, s), u"640x480");
}

TEST(OverlayText, AudioShowsTypeBitrateAndTime) {
    OverlaySettings s = Typical();
    s.audioFileType = 2;  // WAV: no bitrate
    s.wmaQuality = 3;
    EXPECT_EQ(Line(kOverlayAudio, s), u"  WAV");
    s.audioFileType = 0;
    EXPECT_EQ(Line(kOverlayAudio, s, u"1:02:05"), u"  WMA  128Kbps  1:02:05");
    s.wmaQuality = 0;
    EXPECT_EQ(Line(kOverlayAudio, s), u"  WMA  40Kbps");
    s.wmaQuality = 2;
    EXPECT_EQ(Line(kOverlayAudio, s), u"  WMA  96Kbps");
    // AVI files get the video text's word and keep the bitrate.
    s.audioFileType = 1;
    s.wmaQuality = 1;
    EXPECT_EQ(Line(kOverlayAudio, s), u"  AVI  64Kbps");
}

TEST(OverlayText, ImageShowsSizeTypeAndJpegQualityButNoTime) {
    OverlaySettings s = Typical();
    s.imageFileType = 1;
    s.jpgQuality = 2;
    EXPECT_EQ(Line(kOverlayImage, s, u"0:00:05"), u"1280x1024  JPG  Normal");
    s.jpgQuality = 0;
    EXPECT_EQ(Line(kOverlayImage, s), u"1280x1024  JPG  Good");
    s.jpgQuality = 1;
    EXPECT_EQ(Line(kOverlayImage, s), u"1280x1024  JPG  Fine");
    s.jpgQuality = 3;
    EXPECT_EQ(Line(kOverlayImage, s), u"1280x1024  JPG");
    const std::u16string others[] = {u"1280x1024  BMP", u"", u"1280x1024  GIF", u"1280x1024  PNG", u"1280x1024  TIFF"};
    s.jpgQuality = 1;
    for (int type : {0, 2, 3, 4}) {
        s.imageFileType = type;
        EXPECT_EQ(Line(kOverlayImage, s), others[type]) << type;
    }
}

TEST(OverlayText, BrowseShowsTimeAndTheFileNameAfterTheLastBackslash) {
    const OverlaySettings s = Typical();
    OverlayText none = ComposeOverlayText(kOverlayBrowse, s, u"", u"", u"x");
    EXPECT_EQ(none.line, u"");
    EXPECT_EQ(none.fileName, u"");
    OverlayText played = ComposeOverlayText(kOverlayBrowse, s, u"0:00:59", u"C:\\My pics\\a b.avi", u"x");
    EXPECT_EQ(played.line, u"  0:00:59");
    EXPECT_EQ(played.fileName, u"a b.avi");
    EXPECT_EQ(ComposeOverlayText(kOverlayBrowse, s, u"", u"clip.avi", u"x").fileName, u"");
    EXPECT_EQ(ComposeOverlayText(kOverlayBrowse, s, u"", u"C:\\dir\\", u"x").fileName, u"");
    EXPECT_EQ(FileNameOfPath(u"\\\\server\\share\\x.wav"), u"x.wav");
}

TEST(OverlayText, MonitorShowsElevenLessTheSensitivity) {
    OverlaySettings s = Typical();
    s.sensitivity = 1;
    EXPECT_EQ(Line(kOverlayMonitor, s, u"0:00:01"), u"1280x1024  Sensitivity: 10");
    s.sensitivity = 5;
    EXPECT_EQ(Line(kOverlayMonitor, s), u"1280x1024  Sensitivity: 6");
    s.sensitivity = 10;
    EXPECT_EQ(Line(kOverlayMonitor, s), u"1280x1024  Sensitivity: 1");
}

TEST(OverlayText, ModesOutsideTheRangeShowNothing) {
    const OverlaySettings s = Typical();
    EXPECT_EQ(ComposeOverlayText(6, s, u"0:00:01", u"C:\\a.avi", u"x").line, u"");
    EXPECT_EQ(ComposeOverlayText(-1, s, u"0:00:01", u"C:\\a.avi", u"x").fileName, u"");
}

TEST(OverlayIcons, EachModeShowsItsMaskInDrawingOrder) {
    OverlaySettings s = Typical();
    s.shootMode = 6;
    s.timer = 1;
    s.contShooting = 0;
    s.flash = 0;
    s.penSize = 3;
    s.penType = 1;
    using I = OverlayIcon;
    EXPECT_EQ(Icons(kOverlayImage, s),
              (std::vector<std::pair<I, int>>{{I::ShootMode, 6}, {I::Timer, 1}, {I::ContShooting, 0}, {I::Flash, 0}}));
    EXPECT_EQ(Icons(kOverlayVideo, s), (std::vector<std::pair<I, int>>{{I::ShootMode, 6}, {I::Timer, 1}}));
    EXPECT_EQ(Icons(kOverlayVideoOnly, s), Icons(kOverlayVideo, s));
    EXPECT_EQ(Icons(kOverlayAudio, s), (std::vector<std::pair<I, int>>{{I::Timer, 1}}));
    EXPECT_EQ(Icons(kOverlayBrowse, s),
              (std::vector<std::pair<I, int>>{{I::PenSize, 3}, {I::PenColour, 0}, {I::PenType, 1}}));
    EXPECT_TRUE(Icons(kOverlayMonitor, s).empty());
    EXPECT_TRUE(Icons(6, s).empty());
}

TEST(OverlayIcons, SettingsThatAreOffOrHaveNoCellShowNoIcon) {
    OverlaySettings s = Typical();
    s.shootMode = 3;
    s.timer = 2;
    s.contShooting = 4;
    s.flash = 1;
    using I = OverlayIcon;
    EXPECT_EQ(Icons(kOverlayImage, s), (std::vector<std::pair<I, int>>{{I::ShootMode, 3}}));
    // Values past their strip would read outside the picture.
    s.shootMode = 7;
    s.timer = -1;
    s.contShooting = 5;
    s.flash = 2;
    EXPECT_TRUE(Icons(kOverlayImage, s).empty());
    s.penSize = 4;
    s.penType = -1;
    EXPECT_EQ(Icons(kOverlayBrowse, s), (std::vector<std::pair<I, int>>{{I::PenColour, 0}}));
}

TEST(OverlayIcons, TheRowEndsOnePixelInsideTheRightEdge) {
    // One icon on a 480-wide strip: 480 - 14 + 1 = 467, ending at 479.
    EXPECT_EQ(OverlayIconX(0, 480, 1, 0), 467);
    EXPECT_EQ(OverlayIconX(0, 480, 1, 0) + kOverlayIconSize, 479);
    // Four: 480 - 56 + 1 = 425, then 14 apart.
    EXPECT_EQ(OverlayIconX(0, 480, 4, 0), 425);
    EXPECT_EQ(OverlayIconX(0, 480, 4, 1), 439);
    EXPECT_EQ(OverlayIconX(0, 480, 4, 3), 467);
    EXPECT_EQ(OverlayIconX(0, 368, 3, 0), 368 - 42 + 1);
}

TEST(OverlayIcons, StripNamesAndCellCountsMatchThePictures) {
    EXPECT_STREQ(OverlayIconPicture(OverlayIcon::ShootMode), "Sts_ShootMode.png");
    EXPECT_STREQ(OverlayIconPicture(OverlayIcon::ContShooting), "Sts_ContShoot.png");
    EXPECT_STREQ(OverlayIconPicture(OverlayIcon::PenColour), "Sts_PenColor.png");
    EXPECT_STREQ(OverlayIconPicture(OverlayIcon::Flash), "Sts_Flash.png");
    // 84, 36, 60, 48, 12, 24 and 24 pixels wide.
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::ShootMode), 7);
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::Timer), 3);
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::ContShooting), 5);
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::PenSize), 4);
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::PenType), 2);
    EXPECT_EQ(OverlayIconCellCount(OverlayIcon::Flash), 2);
}

TEST(OverlayPenSwatch, KeyGreenTakesThePenColourWhateverItsAlpha) {
    // ARGB words; the pen is pure red as a Windows colour (0x000000FF).
    uint32_t row[5] = {0xFF139A13u, 0x00139A13u, 0xFF139A14u, 0xFF000000u, 0x80139A13u};
    EXPECT_EQ(RecolourPenRow(row, 5, MakeColour(255, 0, 0)), 3);
    EXPECT_EQ(row[0], 0xFFFF0000u);
    EXPECT_EQ(row[1], 0xFFFF0000u);
    EXPECT_EQ(row[2], 0xFF139A14u);
    EXPECT_EQ(row[3], 0xFF000000u);
    EXPECT_EQ(row[4], 0xFFFF0000u);
}

TEST(OverlayPenSwatch, PlaneWalksRowsByStrideAndLeavesPaddingAlone) {
    const uint32_t key = 0xFF139A13u, pad = 0xFF139A13u;
    // Width 2, height 2, stride 3: the third word of each row is padding.
    uint32_t plane[6] = {key, 0xFFFFFFFFu, pad, 0xFF123456u, key, pad};
    const Colour pen = MakeColour(0x12, 0x34, 0x56);  // 0x00563412
    EXPECT_EQ(RecolourPenPlane(plane, 2, 2, 3, pen), 2);
    EXPECT_EQ(plane[0], 0xFF123456u);
    EXPECT_EQ(plane[1], 0xFFFFFFFFu);
    EXPECT_EQ(plane[2], pad);
    EXPECT_EQ(plane[4], 0xFF123456u);
    EXPECT_EQ(plane[5], pad);
    EXPECT_EQ(RecolourPenPlane(nullptr, 2, 2, 3, pen), 0);
    EXPECT_EQ(RecolourPenPlane(plane, 0, 2, 3, pen), 0);
}
