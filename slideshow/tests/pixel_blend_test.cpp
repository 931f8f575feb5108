// The cross-fade's mixing: hand-worked channels, the fast row against the
// plain one for every weight, and plane strides left alone.
#include "PixelBlend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace slideshow;

namespace {

std::uint8_t MixOne(std::uint8_t over, std::uint8_t under, int alpha) {
    std::uint8_t a[4] = {over, over, over, over};
    std::uint8_t b[4] = {under, under, under, under};
    std::uint8_t out[4] = {};
    BlendRow(a, b, out, 1, alpha);
    EXPECT_EQ(out[0], out[3]);
    return out[0];
}

}  // namespace

TEST(BlendRow, ChannelsRoundToNearest) {
    // (200 * 20 + 100 * 235) / 255 = 27500 / 255 = 107.8
    EXPECT_EQ(108, MixOne(200, 100, 20));
    EXPECT_EQ(100, MixOne(200, 100, 0));
    EXPECT_EQ(200, MixOne(200, 100, 255));
    // 255 * 128 / 255 = 128 exactly; 127 the same way.
    EXPECT_EQ(128, MixOne(255, 0, 128));
    EXPECT_EQ(127, MixOne(255, 0, 127));
    // 127 / 255 = 0.498 rounds down, 128 / 255 = 0.502 up.
    EXPECT_EQ(0, MixOne(1, 0, 127));
    EXPECT_EQ(1, MixOne(1, 0, 128));
    // Weights outside 0..255 are held to the ends.
    EXPECT_EQ(200, MixOne(200, 100, 300));
    EXPECT_EQ(100, MixOne(200, 100, -4));
}

TEST(BlendRow, KeepsChannelsApart) {
    // Blue 255 over red 255 at 20: blue 20, red 235, green none.
    const std::uint8_t blue[4] = {255, 0, 0, 0};
    const std::uint8_t red[4] = {0, 0, 255, 0};
    std::uint8_t out[4] = {};
    BlendRow(blue, red, out, 1, 20);
    EXPECT_EQ(20, out[0]);
    EXPECT_EQ(0, out[1]);
    EXPECT_EQ(235, out[2]);
    EXPECT_EQ(0, out[3]);
}

TEST(BlendRow, MatchesReferenceForEveryWeightAndInPlace) {
    std::mt19937 random(1234);
    const int pixels = 257;
    std::vector<std::uint8_t> over(pixels * 4), under(pixels * 4);
    for (auto& v : over) v = static_cast<std::uint8_t>(random());
    for (auto& v : under) v = static_cast<std::uint8_t>(random());
    over[0] = 255;
    under[0] = 255;
    over[1] = 0;
    under[1] = 255;
    for (int alpha = 0; alpha <= 255; ++alpha) {
        std::vector<std::uint8_t> fast(pixels * 4), plain(pixels * 4);
        BlendRow(over.data(), under.data(), fast.data(), pixels, alpha);
        BlendRowReference(over.data(), under.data(), plain.data(), pixels, alpha);
        ASSERT_EQ(plain, fast) << "alpha " << alpha;
        std::vector<std::uint8_t> inPlace = under;
        BlendRow(over.data(), inPlace.data(), inPlace.data(), pixels, alpha);
        ASSERT_EQ(plain, inPlace) << "alpha " << alpha;
    }
}

TEST(BlendPlane, MixesRowsAndLeavesStridePaddingAlone) {
    const int width = 3, height = 2, stride = width * 4 + 4;
    std::vector<std::uint8_t> over(stride * height, 250), under(stride * height, 0), out(stride * height, 7);
    BlendPlane(PlaneRef{over.data(), stride}, PlaneRef{under.data(), stride}, PlaneRef{out.data(), stride}, width,
               height, 51);
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * 4; ++i) EXPECT_EQ(50, out[y * stride + i]);  // 250 * 51 / 255
        for (int i = width * 4; i < stride; ++i) EXPECT_EQ(7, out[y * stride + i]);
    }
    BlendPlane(PlaneRef{}, PlaneRef{under.data(), stride}, PlaneRef{out.data(), stride}, width, height,
               51);  // nothing to read: nothing written
    EXPECT_EQ(50, out[0]);
}
