#include "SkinConfig.h"
#include "SkinConfigPrinters.h"

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::ui;

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

SkinConfigStatus Panel(const std::string& text) {
    PanelSkinConfig config;
    return ParsePanelSkinConfig(text, config);
}

}  // namespace

TEST(SkinConfig, KeyColourIsReadAsRrggbbAndHeldAsColourValue) {
    Colour c = 0;
    ASSERT_TRUE(ParseKeyColour("0032FA", c));
    EXPECT_EQ(c, 0xFA3200u);
    ASSERT_TRUE(ParseKeyColour("ff0000", c));
    EXPECT_EQ(c, 0x0000FFu);
    ASSERT_TRUE(ParseKeyColour("00C800", c));
    EXPECT_EQ(c, 0x00C800u);
    ASSERT_TRUE(ParseKeyColour("96", c));  // one hexadecimal number: 0x000096
    EXPECT_EQ(c, 0x960000u);

    for (const char* bad : {"", "0032FG", "1000000", "0x0032", " 0032FA", "-1"}) {
        EXPECT_FALSE(ParseKeyColour(bad, c)) << bad;
    }
}

TEST(SkinConfig, BrowsePanelLinesGiveEveryField) {
    std::string text = Lines({
        "back=browse_back.jpg",
        "down=browse_down.jpg",
        "over=browse_over.jpg",
        "mask=browse_mask.bmp",
        "disable=browse_disable.jpg",
        "stsbtn=009696,ppause-n.jpg,ppasue-h.jpg,ppause-d.jpg,ppause-dis.JPG",
        "slider=00C800,slider_mask.bmp,slider_back.jpg,slider.jpg,slider_over.jpg,FF00FF",
        "slider=0096FA,playback_mask.bmp,playback_back.jpg,playback_slider.jpg,playback_slider.jpg,000000,playback_dis."
        "png",
    });
    PanelSkinConfig want;
    want.back = "browse_back.jpg";
    want.down = "browse_down.jpg";
    want.over = "browse_over.jpg";
    want.mask = "browse_mask.bmp";
    want.disable = "browse_disable.jpg";
    want.toggles = {{0x969600, "ppause-n.jpg", "ppasue-h.jpg", "ppause-d.jpg", "ppause-dis.JPG"}};
    want.sliders = {
        {0x00C800, "slider_mask.bmp", "slider_back.jpg", "slider.jpg", "slider_over.jpg", 0xFF00FF, ""},
        {0xFA9600, "playback_mask.bmp", "playback_back.jpg", "playback_slider.jpg", "playback_slider.jpg", 0x000000,
         "playback_dis.png"},
    };
    PanelSkinConfig c;
    ASSERT_EQ(ParsePanelSkinConfig(text, c), SkinConfigStatus::Ok);
    EXPECT_EQ(c, want);
}

TEST(SkinConfig, KeyIgnoresCaseAndValueEndsAtFirstBlank) {
    PanelSkinConfig c;
    ASSERT_EQ(ParsePanelSkinConfig("Back=bg.jpg and further words\r\nMASK=m.bmp\tx\r\n", c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.back, "bg.jpg");
    EXPECT_EQ(c.mask, "m.bmp");

    // The split is at the first "=": the rest, "=" included, is the value.
    ASSERT_EQ(ParsePanelSkinConfig("back=a=b.jpg\r\n", c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.back, "a=b.jpg");

    // A NUL byte ends the value as a blank would.
    ASSERT_EQ(ParsePanelSkinConfig(std::string("back=x.jpg\0y\r\n", 15), c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.back, "x.jpg");
}

TEST(SkinConfig, OtherLinesAreIgnoredWhateverTheirEndings) {
    PanelSkinConfig c;
    std::string text = "; a comment without an equals sign\n"
                       "colour=red\r\n"
                       " back=wrong.jpg\r\n"  // the key is " back", not "back"
                       "\r\n"
                       "over=o.jpg\n"
                       "back=b.jpg";  // last line without an ending
    ASSERT_EQ(ParsePanelSkinConfig(text, c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.back, "b.jpg");
    EXPECT_EQ(c.over, "o.jpg");
    EXPECT_TRUE(c.toggles.empty());
    EXPECT_TRUE(c.sliders.empty());
}

TEST(SkinConfig, PanelWithoutNonEmptyBackFails) {
    EXPECT_EQ(Panel(Lines({"over=o.jpg", "down=d.jpg", "mask=m.bmp", "disable=x.jpg", "stsbtn=000096,a,b,c,d",
                           "slider=0032FA,m,b,s,o,FF00FF"})),
              SkinConfigStatus::MissingBack);
    EXPECT_EQ(Panel(Lines({"back=", "mask=m.bmp"})), SkinConfigStatus::MissingBack);
    EXPECT_EQ(Panel(Lines({"back= bg.jpg", "mask=m.bmp"})), SkinConfigStatus::MissingBack);
    EXPECT_EQ(Panel(""), SkinConfigStatus::MissingBack);
    // The mask is the panel's business when it loads its images.
    EXPECT_EQ(Panel(Lines({"back=b.jpg"})), SkinConfigStatus::Ok);
}

TEST(SkinConfig, LinesAtAndOverTheLengthLimit) {
    std::string at = "comment=" + std::string(127 - 8, 'x');
    std::string over = at + "x";
    ASSERT_EQ(at.size(), 127u);
    EXPECT_EQ(Panel("back=b.jpg\r\n" + at + "\r\n"), SkinConfigStatus::Ok);
    EXPECT_EQ(Panel(at + "\nback=b.jpg"), SkinConfigStatus::Ok);
    // An over-long line is refused, not cut into a second line that could
    // be taken for another entry.
    EXPECT_EQ(Panel("back=b.jpg\r\n" + over + "\r\n"), SkinConfigStatus::LineTooLong);
    std::string smuggled = std::string(127, ' ') + "back=other.jpg";
    EXPECT_EQ(Panel("back=b.jpg\r\n" + smuggled + "\r\n"), SkinConfigStatus::LineTooLong);
}

TEST(SkinConfig, ImageNamesAtAndOverTheirLimits) {
    std::string name63(63, 'n'), name64(64, 'n');
    PanelSkinConfig c;
    ASSERT_EQ(ParsePanelSkinConfig("back=" + name63, c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.back, name63);
    for (const char* key : {"back", "over", "down", "disable", "mask"}) {
        EXPECT_EQ(Panel("back=b.jpg\r\n" + std::string(key) + "=" + name64), SkinConfigStatus::NameTooLong) << key;
    }

    std::string slider63 = "slider=0032FA," + name63 + ",b,s,o,FF00FF,d";
    ASSERT_EQ(ParsePanelSkinConfig("back=b.jpg\r\n" + slider63, c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.sliders.at(0).mask, name63);
    EXPECT_EQ(Panel("back=b.jpg\r\nslider=0032FA,m," + name64 + ",s,o,FF00FF"), SkinConfigStatus::NameTooLong);
    EXPECT_EQ(Panel("back=b.jpg\r\nslider=0032FA,m,b,s,o,FF00FF," + name64), SkinConfigStatus::NameTooLong);

    // Toggle names may be longer than the face names.
    ASSERT_EQ(ParsePanelSkinConfig("back=b.jpg\r\nstsbtn=000096," + name64 + ",b,c,d", c), SkinConfigStatus::Ok);
    EXPECT_EQ(c.toggles.at(0).normal, name64);
}

TEST(SkinConfig, ShortToggleLineEndsTheReadingAndFailsAll) {
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "stsbtn=000096,n.jpg,o.jpg,d.jpg"})), SkinConfigStatus::BadToggleLine);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "stsbtn=000096,n.jpg,,d.jpg,x.jpg"})), SkinConfigStatus::BadToggleLine);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "stsbtn="})), SkinConfigStatus::BadToggleLine);
    EXPECT_EQ(Panel(Lines({"stsbtn=000096", "back=b.jpg"})), SkinConfigStatus::BadToggleLine);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "stsbtn=00009Z,n,o,d,x"})), SkinConfigStatus::BadColour);

    PanelSkinConfig c;
    ASSERT_EQ(
        ParsePanelSkinConfig(Lines({"back=b.jpg", "stsbtn=000096,n,o,d,x,extra", "stsbtn=0000C8,n2,o2,d2,x2"}), c),
        SkinConfigStatus::Ok);
    ASSERT_EQ(c.toggles.size(), 2u);
    EXPECT_EQ(c.toggles[0].disabled, "x");
    EXPECT_EQ(c.toggles[1].key, 0xC80000u);
}

TEST(SkinConfig, ShortSliderLineEndsTheReadingAndFailsAll) {
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "slider=0032FA,m.bmp,b.jpg"})), SkinConfigStatus::BadSliderLine);
    // Hover strip present, transparent colour missing.
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "slider=0032FA,m.bmp,b.jpg,s.jpg,o.jpg"})), SkinConfigStatus::BadSliderLine);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "slider=0032FA,,b.jpg,s.jpg,o.jpg,FF00FF"})), SkinConfigStatus::BadSliderLine);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "slider=0032FA,m.bmp,b.jpg,s.jpg,o.jpg,magenta"})),
              SkinConfigStatus::BadColour);
    EXPECT_EQ(Panel(Lines({"back=b.jpg", "slider="})), SkinConfigStatus::BadSliderLine);
}

TEST(SkinConfig, DialogNeedsBackAndMap) {
    DialogSkinConfig d;
    ASSERT_EQ(ParseDialogSkinConfig("back=bg.jpg\r\nmap=mask.bmp\r\n", d), SkinConfigStatus::Ok);
    EXPECT_EQ(d.back, "bg.jpg");
    EXPECT_EQ(d.map, "mask.bmp");

    ASSERT_EQ(ParseDialogSkinConfig("MAP=m.bmp\r\nmask=ignored.bmp\r\nBack=b.jpg trailing", d), SkinConfigStatus::Ok);
    EXPECT_EQ(d.map, "m.bmp");
    EXPECT_EQ(d.back, "b.jpg");

    EXPECT_EQ(ParseDialogSkinConfig("back=bg.jpg\r\nmask=mask.bmp\r\n", d), SkinConfigStatus::MissingMap);
    EXPECT_EQ(ParseDialogSkinConfig("map=mask.bmp\r\n", d), SkinConfigStatus::MissingBack);
    EXPECT_EQ(ParseDialogSkinConfig("back=bg.jpg\r\nmap=" + std::string(64, 'm'), d), SkinConfigStatus::NameTooLong);
    // A panel's stsbtn line means nothing to the dialog.
    EXPECT_EQ(ParseDialogSkinConfig("back=b\r\nmap=m\r\nstsbtn=broken\r\n", d), SkinConfigStatus::Ok);
}
