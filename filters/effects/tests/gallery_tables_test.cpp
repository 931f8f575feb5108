// The effect gallery's tables and grid geometry, worked out by hand from the
// gallery's layout: 320 x 272 pixels of 4 x 4 cells of 80 x 68.
#include "GalleryTables.h"

#include <gtest/gtest.h>

#include <string>

namespace lenstint {
namespace {

TEST(GalleryTables, ItemsMapToEffectsAndBack) {
    EXPECT_EQ(23, EffectGalleryOrder(0));
    EXPECT_EQ(11, EffectGalleryOrder(3));   // Sharpen
    EXPECT_EQ(26, EffectGalleryOrder(14));  // Symmetric is the mirror effect
    EXPECT_EQ(20, EffectGalleryOrder(15));
    // Out of the sheet: None rather than a read past the table.
    EXPECT_EQ(23, EffectGalleryOrder(-1));
    EXPECT_EQ(23, EffectGalleryOrder(16));
    for (int item = 0; item < kGalleryItems; ++item) EXPECT_EQ(item, GalleryItemForEffect(EffectGalleryOrder(item)));
    // Effects the gallery does not show select None, the photo frame too.
    EXPECT_EQ(0, GalleryItemForEffect(22));
    EXPECT_EQ(0, GalleryItemForEffect(1));
    EXPECT_EQ(0, GalleryItemForEffect(99));
    EXPECT_EQ(7, GalleryItemForEffect(9));
}

TEST(GalleryTables, LabelsAndLanguageSections) {
    EXPECT_EQ(std::u16string(u"IDS_EFFECT_OILPAINT"), GalleryFilterLabel(8).key);
    EXPECT_EQ(std::u16string(u"Oil Painting"), GalleryFilterLabel(8).fallback);
    EXPECT_EQ(std::u16string(u"Black and White"), GalleryFilterLabel(13).fallback);
    EXPECT_EQ(std::u16string(u"IDS_EFFECT_NONE"), GalleryFilterLabel(40).key);
    EXPECT_EQ(std::u16string(u"IDS_STG_FILTER"), GalleryFilterTabLabel().key);
    EXPECT_EQ(std::u16string(u"Frame"), GalleryFrameLabel().fallback);
    EXPECT_EQ(u"Frame 3", FrameItemLabel(u"Frame", 3));
    EXPECT_EQ(u"Rahmen 15", FrameItemLabel(u"Rahmen", 15));

    EXPECT_EQ(std::u16string(u"SPA"), EffectLanguageSection(3082));
    EXPECT_EQ(std::u16string(u"SPA"), EffectLanguageSection(1034));
    EXPECT_EQ(std::u16string(u"ENG"), EffectLanguageSection(1033));
    EXPECT_EQ(std::u16string(u"ENG"), EffectLanguageSection(2057));  // English (UK) has no section of its own
    EXPECT_EQ(std::u16string(u"GER"), EffectLanguageSection(1031));
    EXPECT_EQ(std::u16string(u"PT"), EffectLanguageSection(2070));
    EXPECT_EQ(std::u16string(u"CHS"), EffectLanguageSection(2052));
    EXPECT_EQ(std::u16string(u"CHT"), EffectLanguageSection(1028));
}

TEST(GalleryTables, CellsOfTheGrid) {
    const CellLayout first = GalleryCell(0, 320, 272);
    EXPECT_EQ(0, first.cell.x);
    EXPECT_EQ(80, first.cell.width);
    EXPECT_EQ(68, first.cell.height);
    const CellLayout c = GalleryCell(5, 320, 272);  // column 1, row 1
    EXPECT_EQ(80, c.cell.x);
    EXPECT_EQ(68, c.cell.y);
    EXPECT_EQ(88, c.thumbX);
    EXPECT_EQ(72, c.thumbY);
    EXPECT_EQ(80, c.label.x);
    EXPECT_EQ(119, c.label.y);
    EXPECT_EQ(80, c.label.width);
    EXPECT_EQ(17, c.label.height);
    const CellLayout last = GalleryCell(15, 320, 272);
    EXPECT_EQ(240, last.cell.x);
    EXPECT_EQ(204, last.cell.y);

    EXPECT_EQ(0, GalleryHitTest(0, 0, 320, 272));
    EXPECT_EQ(0, GalleryHitTest(79, 67, 320, 272));
    EXPECT_EQ(1, GalleryHitTest(80, 67, 320, 272));
    EXPECT_EQ(4, GalleryHitTest(79, 68, 320, 272));
    EXPECT_EQ(5, GalleryHitTest(85, 70, 320, 272));
    EXPECT_EQ(15, GalleryHitTest(319, 271, 320, 272));
    EXPECT_EQ(-1, GalleryHitTest(320, 0, 320, 272));
    EXPECT_EQ(-1, GalleryHitTest(0, 272, 320, 272));
    EXPECT_EQ(-1, GalleryHitTest(-1, 5, 320, 272));
    EXPECT_EQ(-1, GalleryHitTest(1, 1, 3, 3));  // too small for any cell
}

TEST(GalleryTables, InstallFolderAndFramePaths) {
    EXPECT_EQ(u"C:\\Vimbrel\\", NormaliseInstallFolder(u"C:\\Vimbrel"));
    EXPECT_EQ(u"C:\\Vimbrel\\", NormaliseInstallFolder(u"C:\\Vimbrel\\"));
    EXPECT_EQ(u"", NormaliseInstallFolder(u""));
    // A registry value without its terminator: only up to the first one.
    EXPECT_EQ(u"C:\\V\\", NormaliseInstallFolder(std::u16string(u"C:\\V\\\0junk", 10)));
    // Longer than the registry buffer: cut, then terminated by a backslash.
    const std::u16string cut = NormaliseInstallFolder(std::u16string(200, u'x'));
    EXPECT_EQ(128u, cut.size());
    EXPECT_EQ(u'\\', cut.back());
    EXPECT_EQ(u"C:\\V\\PhotoFrame\\frame4.png", PhotoFramePath(u"C:\\V\\", 4));
    EXPECT_EQ(u"PhotoFrame\\frame15.png", PhotoFramePath(u"", 15));
}

}  // namespace
}  // namespace lenstint
