// The item popups' rules, with expected values worked out by hand from
// the popup geometry: 16-pixel rows below a 16-pixel title, 32x24 cells
// 37 and 29 pixels apart from (7, 25), palette cells 15 and 14 pixels
// apart from (4, 22).
#include "PopupLogic.h"

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::ui;

TEST(IconPopupSize, ShortTextsKeepTheNarrowWidth) {
    // 94.5 + 20 = 114.5 still fits in 115; three rows: 3 * 16 + 17.
    const PopupSize size = IconPopupSize({40.0f, 94.5f, 10.0f});
    EXPECT_EQ(size.width, 115);
    EXPECT_EQ(size.height, 65);
}

TEST(IconPopupSize, LongTextWidensToTextPlusTwenty) {
    // 130 + 20 = 150; a fractional width takes the next whole pixel.
    EXPECT_EQ(IconPopupSize({50.0f, 130.0f}).width, 150);
    EXPECT_EQ(IconPopupSize({130.25f, 50.0f}).width, 151);
    EXPECT_EQ(IconPopupSize({130.0f}).height, 33);
}

TEST(IconPopupSize, NoEntriesGiveNoPopup) {
    const PopupSize size = IconPopupSize({});
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    EXPECT_EQ(IconPopupHeight(7), 129);
}

TEST(IconRows, HoverRowsStartBelowTheTitle) {
    EXPECT_EQ(IconHoverRow(15), -1);
    EXPECT_EQ(IconHoverRow(16), 0);
    EXPECT_EQ(IconHoverRow(31), 0);
    EXPECT_EQ(IconHoverRow(32), 1);
    EXPECT_EQ(IconRowTop(0), 17);
    EXPECT_EQ(IconRowTop(2), 49);
}

TEST(IconRows, ClicksOnTitleAndBottomBorderChooseNothing) {
    // Three rows: the popup is 65 high, its bottom border at y 64.
    EXPECT_EQ(IconClickRow(0, 3), -1);
    EXPECT_EQ(IconClickRow(16, 3), -1);  // the line under the title
    EXPECT_EQ(IconClickRow(17, 3), 0);
    EXPECT_EQ(IconClickRow(47, 3), 1);
    EXPECT_EQ(IconClickRow(63, 3), 2);
    EXPECT_EQ(IconClickRow(64, 3), -1);  // the border: row 3 of 3
}

TEST(IconRows, StripsAndTheirCells) {
    EXPECT_STREQ(IconStripName(0x000), "Sts_ShootMode2.png");
    EXPECT_STREQ(IconStripName(0x100), "Sts_Flash2.png");
    EXPECT_STREQ(IconStripName(0x101), "Sts_Timer2.png");
    EXPECT_STREQ(IconStripName(0x102), "Sts_ContShoot2.png");
    EXPECT_STREQ(IconStripName(0x1000), "Sts_PenSize2.png");
    EXPECT_EQ(IconStripName(0x105), nullptr);
    // A 24-pixel strip holds cells 0 and 1 only.
    EXPECT_TRUE(StripHasCell(24, 1));
    EXPECT_FALSE(StripHasCell(24, 2));
    EXPECT_FALSE(StripHasCell(23, 1));
    EXPECT_FALSE(StripHasCell(24, -1));
}

TEST(ImageGrid, CellCorners) {
    EXPECT_EQ(ImageCellOrigin(0).x, 7);
    EXPECT_EQ(ImageCellOrigin(0).y, 25);
    EXPECT_EQ(ImageCellOrigin(6).x, 81);  // column 2
    EXPECT_EQ(ImageCellOrigin(6).y, 54);  // row 1
    EXPECT_EQ(ImageCellOrigin(15).x, 118);
    EXPECT_EQ(ImageCellOrigin(15).y, 112);
}

TEST(ImageGrid, CellUnderThePoint) {
    EXPECT_EQ(ImageCellAt(50, 15), -1);  // title
    EXPECT_EQ(ImageCellAt(0, 16), 0);    // left of and above the first cell
    EXPECT_EQ(ImageCellAt(40, 30), 0);   // (40 - 4) / 37 = 0
    EXPECT_EQ(ImageCellAt(41, 30), 1);
    EXPECT_EQ(ImageCellAt(90, 60), 6);     // column 2, row (60 - 24) / 28 = 1
    EXPECT_EQ(ImageCellAt(156, 142), 15);  // the far corner stays in the grid
    EXPECT_EQ(ImageCellAt(130, 80), 3 + 4 * 2);
}

TEST(ImageGrid, StripsAndNames) {
    EXPECT_STREQ(ThumbStripName(0x400), "filter.png");
    EXPECT_STREQ(ThumbStripName(0x401), "filteri.png");
    EXPECT_STREQ(ThumbStripName(0x500), "frame.png");
    EXPECT_STREQ(ThumbStripName(0x502), "facex.png");
    EXPECT_STREQ(ThumbStripName(0x1100), "stamp.png");
    EXPECT_EQ(ThumbStripName(0x501), nullptr);
    EXPECT_TRUE(ImagePopupShowsNames(0x400));
    EXPECT_TRUE(ImagePopupShowsNames(0x401));
    EXPECT_FALSE(ImagePopupShowsNames(0x500));
}

TEST(EffectNames, LiveOrderSkipsMagentaAndDot) {
    auto key = [](int cell) { return std::string(kEffectNameKeys[EffectNameOfCell(0x400, cell)]); };
    EXPECT_EQ(key(0), "IDS_EFFECT_NONE");
    EXPECT_EQ(key(1), "IDS_EFFECT_CYAN");
    EXPECT_EQ(key(2), "IDS_EFFECT_YELLOW");
    EXPECT_EQ(key(13), "IDS_EFFECT_BW");
    EXPECT_EQ(key(14), "IDS_EFFECT_Symmetric");
    EXPECT_EQ(key(15), "IDS_EFFECT_KALEIDOSCOPE");
    for (int cell = 0; cell < 16; ++cell) {
        EXPECT_NE(EffectNameOfCell(0x400, cell), 2) << cell;   // Magenta
        EXPECT_NE(EffectNameOfCell(0x400, cell), 16) << cell;  // Dot
    }
}

TEST(EffectNames, PhotoOrderEndsWithDot) {
    EXPECT_STREQ(kEffectNameKeys[EffectNameOfCell(0x401, 2)], "IDS_EFFECT_MAGENTA");
    EXPECT_STREQ(kEffectNameKeys[EffectNameOfCell(0x401, 14)], "IDS_EFFECT_BW");
    EXPECT_STREQ(kEffectNameKeys[EffectNameOfCell(0x401, 15)], "IDS_EFFECT_Dot");
    EXPECT_EQ(EffectNameOfCell(0x500, 3), -1);
    EXPECT_EQ(EffectNameOfCell(0x400, 16), -1);
    EXPECT_EQ(EffectNameOfCell(0x401, -1), -1);
}

TEST(Palette, ColoursAndCorners) {
    EXPECT_EQ(kPalette[0], 0x000000u);
    EXPECT_EQ(kPalette[6], 0x993333u);
    EXPECT_EQ(kPalette[7], 0x000080u);
    EXPECT_EQ(kPalette[21], 0xFF00FFu);
    EXPECT_EQ(kPalette[41], 0xFFFFFFu);
    EXPECT_EQ(PaletteIndexOf(0x00FFFF), 23);
    EXPECT_EQ(PaletteIndexOf(0x123456), -1);
    EXPECT_EQ(PaletteCellOrigin(0).x, 4);
    EXPECT_EQ(PaletteCellOrigin(0).y, 22);
    EXPECT_EQ(PaletteCellOrigin(10).x, 49);  // column 3
    EXPECT_EQ(PaletteCellOrigin(10).y, 36);  // row 1
}

TEST(Palette, MoveHits) {
    EXPECT_EQ(PaletteMoveHit(50, 15).kind, PaletteHitKind::None);
    const PaletteHit first = PaletteMoveHit(2, 16);
    EXPECT_EQ(first.kind, PaletteHitKind::Cell);
    EXPECT_EQ(first.cell, 0);
    // (50 - 18) / 14 = 2, (40 - 2) / 15 = 2: cell 16.
    EXPECT_EQ(PaletteMoveHit(40, 50).cell, 16);
    // The last row reaches down to the "more." line; the last column to the border.
    EXPECT_EQ(PaletteMoveHit(110, 106).cell, 41);
    EXPECT_EQ(PaletteMoveHit(50, 107).kind, PaletteHitKind::More);
}

TEST(Palette, ClickHits) {
    EXPECT_EQ(PaletteClickHit(50, 15).kind, PaletteHitKind::None);
    EXPECT_EQ(PaletteClickHit(50, 16).kind, PaletteHitKind::Cell);
    EXPECT_EQ(PaletteClickHit(50, 106).kind, PaletteHitKind::Cell);
    EXPECT_EQ(PaletteClickHit(50, 107).kind, PaletteHitKind::More);
    // (33 - 18) / 14 = 1, (20 - 2) / 15 = 1: cell 8.
    EXPECT_EQ(PaletteClickHit(20, 33).cell, 8);
}

TEST(SliderMapping, SensitivityRunsTenAtTheTop) {
    const SliderMapping m = SliderMappingFor(0x1300, 0, 255);
    EXPECT_EQ(m.minimum, 1);
    EXPECT_EQ(m.maximum, 10);
    EXPECT_EQ(m.page, 2);
    EXPECT_EQ(m.PositionForValue(5), 5);
    EXPECT_EQ(m.NumberForPosition(5), 6);
    // The top: position 1 passes 1 and shows 10.
    EXPECT_EQ(m.ValueForPosition(1), 1);
    EXPECT_EQ(m.NumberForPosition(1), 10);
    EXPECT_EQ(m.NumberForPosition(10), 1);
}

TEST(SliderMapping, BrightnessAndContrastAreReversed) {
    const SliderMapping m = SliderMappingFor(0x200, 0, 255);
    EXPECT_EQ(m.page, 25);
    EXPECT_EQ(m.ValueForPosition(0), 255);  // the top passes the maximum
    EXPECT_EQ(m.NumberForPosition(0), 255);
    EXPECT_EQ(m.PositionForValue(200), 55);
    const SliderMapping c = SliderMappingFor(0x201, -64, 64);
    EXPECT_EQ(c.page, 12);
    EXPECT_EQ(c.PositionForValue(64), -64);
    EXPECT_EQ(c.ValueForPosition(-64), 64);
    EXPECT_EQ(c.ValueForPosition(14), -14);
    EXPECT_EQ(VideoQualityProperty(0x200), 0);
    EXPECT_EQ(VideoQualityProperty(0x201), 1);
    EXPECT_EQ(VideoQualityProperty(0x202), -1);
}

TEST(SliderMapping, OtherSlidersStartAtTheStoredValueClamped) {
    const SliderMapping m = SliderMappingFor(0x106, 10, 20);
    EXPECT_EQ(m.minimum, 0);
    EXPECT_EQ(m.maximum, 100);
    EXPECT_EQ(m.page, 10);
    EXPECT_EQ(m.PositionForValue(75), 75);
    EXPECT_EQ(m.PositionForValue(250), 100);
    EXPECT_EQ(m.PositionForValue(-1), 0);
    EXPECT_EQ(m.ValueForPosition(30), 30);
    EXPECT_EQ(m.NumberForPosition(30), 30);
}
