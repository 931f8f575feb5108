// The function panel's rules: which buttons a mode shows, where they go,
// the bitrate item's title and the popup's place above its button.
// Positions worked out by hand: 20-pixel buttons, 2 pixels apart.
#include "FunctionPanelLogic.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace vimbrel::ui;

namespace {

// A catalogue in the order of the shipped one's first items.
const std::vector<PanelItem> kItems = {
    {0x000, 0x0B},   // shoot mode: video, video only, image
    {0x100, 0x08},   // flash: image
    {0x106, 0x08},   // JPEG quality: image
    {0x107, 0x03},   // video bitrate: video, video only
    {0x108, 0x04},   // audio bitrate: audio
    {0x202, 0x00},   // white balance: never
    {0x1400, 0x3F},  // Advanced Settings: every mode
};

using Row = std::vector<std::pair<int, int>>;

Row Layout(int mode, PanelFileTypes types, const std::vector<PanelItem>& items = kItems) {
    Row row;
    for (const PlacedItemButton& b : LayOutItemButtons(items, mode, types, 20)) row.emplace_back(b.settingId, b.x);
    return row;
}

PanelFileTypes Types(int image, int video, int audio) {
    PanelFileTypes t;
    t.image = image;
    t.video = video;
    t.audio = audio;
    return t;
}

}  // namespace

TEST(FunctionPanelLayout, JpegQualityFollowsTheImageFileType) {
    EXPECT_EQ(Layout(3, Types(1, 0, 0)), (Row{{0x000, 0}, {0x100, 22}, {0x106, 44}, {0x1400, 66}}));
    // PNG: the quality button goes and the ones after it close up.
    EXPECT_EQ(Layout(3, Types(3, 0, 0)), (Row{{0x000, 0}, {0x100, 22}, {0x1400, 44}}));
}

TEST(FunctionPanelLayout, VideoBitrateOnlyForAsfAndWmv) {
    EXPECT_EQ(Layout(0, Types(1, 2, 0)), (Row{{0x000, 0}, {0x1400, 22}}));
    EXPECT_EQ(Layout(0, Types(1, 1, 0)), (Row{{0x000, 0}, {0x107, 22}, {0x1400, 44}}));
    EXPECT_EQ(Layout(1, Types(1, 0, 0)), (Row{{0x000, 0}, {0x107, 22}, {0x1400, 44}}));
    EXPECT_STREQ(VideoBitrateTitleKey(Types(0, 0, 0)), "IDS_STG_ASFQUALITY");
    EXPECT_STREQ(VideoBitrateTitleKey(Types(0, 1, 0)), "IDS_STG_WMVQUALITY");
    EXPECT_EQ(VideoBitrateTitleKey(Types(0, 2, 0)), nullptr);
    EXPECT_EQ(VideoBitrateTitleKey(PanelFileTypes{}), nullptr);
}

TEST(FunctionPanelLayout, AudioBitrateOnlyForWmaAndTheFirstShownIsTwoInUnlessFirstInTheCatalogue) {
    // Neither shown item is the catalogue's first: the row starts at 2.
    EXPECT_EQ(Layout(2, Types(1, 0, 0)), (Row{{0x108, 2}, {0x1400, 24}}));
    EXPECT_EQ(Layout(2, Types(1, 0, 1)), (Row{{0x1400, 2}}));
    EXPECT_EQ(Layout(2, Types(1, 0, 2)), (Row{{0x1400, 2}}));
}

TEST(FunctionPanelLayout, UnreadableFileTypesShowTheItem) {
    EXPECT_EQ(Layout(3, PanelFileTypes{}), (Row{{0x000, 0}, {0x100, 22}, {0x106, 44}, {0x1400, 66}}));
    EXPECT_EQ(Layout(2, PanelFileTypes{}), (Row{{0x108, 2}, {0x1400, 24}}));
}

TEST(FunctionPanelLayout, ItemsWithModeMaskZeroNeverShow) {
    for (int mode = 0; mode < 6; ++mode) {
        for (const auto& shown : Layout(mode, Types(1, 0, 0))) EXPECT_NE(shown.first, 0x202) << mode;
    }
    EXPECT_EQ(Layout(4, Types(1, 0, 0)), (Row{{0x1400, 2}}));
    EXPECT_EQ(Layout(5, Types(1, 0, 0)), (Row{{0x1400, 2}}));
}

TEST(FunctionPanelLayout, OnlyThirtyItemsGetButtonsAndBadModesShowNone) {
    std::vector<PanelItem> many;
    for (int i = 0; i < 33; ++i) many.push_back({0x3000 + i, 0x3F});
    const Row row = Layout(0, PanelFileTypes{}, many);
    ASSERT_EQ(row.size(), 30u);
    EXPECT_EQ(row[1], std::make_pair(0x3001, 22));
    EXPECT_EQ(row[29], std::make_pair(0x3000 + 29, 29 * 22));
    EXPECT_TRUE(Layout(-1, PanelFileTypes{}).empty());
    EXPECT_TRUE(Layout(8, PanelFileTypes{}).empty());
    EXPECT_TRUE(Layout(0, PanelFileTypes{}, {}).empty());
}

TEST(FunctionPanelPopup, SitsOnTheButtonsTopEdgeAndMapsToButtonCoordinates) {
    const PanelRect button{100, 400, 120, 420};
    const PanelRect popup = PopupAboveButton(button, 115, 49);
    EXPECT_EQ(popup.left, 100);
    EXPECT_EQ(popup.top, 351);
    EXPECT_EQ(popup.right, 215);
    EXPECT_EQ(popup.bottom, 400);
    const PanelRect local = ToClient(popup, button.left, button.top);
    EXPECT_EQ(local.left, 0);
    EXPECT_EQ(local.top, -49);
    EXPECT_EQ(local.right, 115);
    EXPECT_EQ(local.bottom, 0);
    // Straight up out of the button lands in the popup; sideways does not.
    EXPECT_TRUE(local.Contains(10, -1));
    EXPECT_FALSE(local.Contains(10, 0));
    EXPECT_FALSE(local.Contains(-1, -10));
    EXPECT_FALSE(local.Contains(115, -10));
}
