// The effect strips drawn from the effects themselves: the committed
// pictures are exactly what is drawn, and no cell is a flat square or a
// copy of another.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "PngWriter.h"
#include "PopupThumbs.h"

using namespace vimbrel::thumbs;

namespace {

std::vector<uint8_t> Committed(const char* name) {
    std::ifstream file(std::string(VIMBREL_TOLVEX_DIR) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> Cell(const RgbaPicture& strip, int cell) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < kCellHeight; ++y) {
        const uint8_t* row = strip.At(cell * kCellWidth, y);
        pixels.insert(pixels.end(), row, row + kCellWidth * 4);
    }
    return pixels;
}

void ExpectDistinctPictures(const RgbaPicture& strip) {
    ASSERT_EQ(strip.width, 512);
    ASSERT_EQ(strip.height, 24);
    std::set<std::vector<uint8_t>> cells;
    for (int cell = 0; cell < kCells; ++cell) {
        const std::vector<uint8_t> pixels = Cell(strip, cell);
        EXPECT_TRUE(cells.insert(pixels).second) << "cell " << cell << " repeats another";
        std::set<uint32_t> colours;
        for (std::size_t at = 0; at < pixels.size(); at += 4) {
            colours.insert(pixels[at] << 16 | pixels[at + 1] << 8 | pixels[at + 2]);
            EXPECT_EQ(pixels[at + 3], 255) << "cell " << cell;
        }
        EXPECT_GE(colours.size(), 4u) << "cell " << cell << " is flat";
    }
}

TEST(PopupThumbs, EffectStripsAreDistinctPicturesAndMatchTheCommittedFiles) {
    const RgbaPicture live = LiveEffectStrip(), photo = PhotoEffectStrip();
    ExpectDistinctPictures(live);
    ExpectDistinctPictures(photo);
    // Cell 0 of either is the untouched sample, which the effects change.
    EXPECT_EQ(Cell(live, 0), Cell(photo, 0));
    EXPECT_TRUE(EncodePng(live) == Committed("filter.png")) << "filter.png is not what is drawn";
    EXPECT_TRUE(EncodePng(photo) == Committed("filteri.png")) << "filteri.png is not what is drawn";
}

TEST(PopupThumbs, ShrinkAveragesBlocksByTheirCoverage) {
    // A 2 x 1 block: opaque red beside a transparent pixel gives red at
    // half cover, not a dark red.
    RgbaPicture picture = MakePicture(2, 1);
    uint8_t* left = picture.At(0, 0);
    left[0] = 255, left[3] = 255;
    RgbaPicture small = ShrinkPicture(picture, 1, 1);
    EXPECT_EQ(small.rgba, (std::vector<uint8_t>{255, 0, 0, 128}));
    // Half-covered white over black comes out mid grey.
    RgbaPicture under = MakePicture(1, 1);
    under.rgba = {0, 0, 0, 255};
    RgbaPicture over = MakePicture(1, 1);
    over.rgba = {255, 255, 255, 128};
    Compose(under, over);
    EXPECT_EQ(under.rgba, (std::vector<uint8_t>{128, 128, 128, 255}));
}

}  // namespace
