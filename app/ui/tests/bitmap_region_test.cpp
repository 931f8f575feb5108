// The region builder on GDI bitmaps: regions must hold exactly the pixels
// their mode asks for, however many rectangles that takes.
#include "SkinMask.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vimbrel::ui;

namespace {

constexpr COLORREF kKey = RGB(0x00, 0x32, 0xFA);  // written 0032FA

// A DIB section of the given depth painted pixel by pixel.
winowners::UniqueBitmap MakeBitmap(int width, int height, int bitCount,
                                   const std::function<COLORREF(int, int)>& colourAt) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    winowners::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    const int bytesPerPixel = bitCount / 8;
    const int stride = ((width * bitCount + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            COLORREF c = colourAt(x, y);
            row[x * bytesPerPixel + 0] = GetBValue(c);
            row[x * bytesPerPixel + 1] = GetGValue(c);
            row[x * bytesPerPixel + 2] = GetRValue(c);
        }
    }
    return bitmap;
}

int RegionKind(HRGN region) {
    RECT box{};
    return GetRgnBox(region, &box);
}

}  // namespace

TEST(BitmapToRegion, CheckerboardNeedsManyBlocksAndStaysExact) {
    // 5,000 single-pixel runs: three blocks OR-ed into one region.
    auto colour = [](int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); };
    winowners::UniqueBitmap bitmap = MakeBitmap(100, 100, 32, colour);
    ASSERT_TRUE(bitmap);
    std::optional<CSkinMask> mask = CSkinMask::FromHBitmap(bitmap.get());
    ASSERT_TRUE(mask);

    winowners::UniqueRegion black(BitmapToRegion(bitmap.get(), RGB(0, 0, 0), 0));
    EXPECT_TRUE(skintest::RegionMatchesMask(black.get(), *mask, [](Colour c) { return c == kBlack; }));
    winowners::UniqueRegion notBlack(BitmapToRegion(bitmap.get(), RGB(0, 0, 0), 1));
    EXPECT_TRUE(skintest::RegionMatchesMask(notBlack.get(), *mask, [](Colour c) { return c != kBlack; }));
}

TEST(BitmapToRegion, WholeKeyAreaAndMaskWithoutBlackGiveTheRectangle) {
    winowners::UniqueBitmap allKey = MakeBitmap(30, 20, 32, [](int, int) { return kKey; });
    winowners::UniqueRegion button(BitmapToRegion(allKey.get(), kKey, 0));
    ASSERT_TRUE(button);
    RECT box{};
    EXPECT_EQ(GetRgnBox(button.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 30);
    EXPECT_EQ(box.bottom, 20);

    winowners::UniqueBitmap noBlack = MakeBitmap(30, 20, 32,
                                                 [](int x, int) { return x < 10 ? kKey : RGB(255, 255, 255); });
    winowners::UniqueRegion shape(BitmapToRegion(noBlack.get(), RGB(0, 0, 0), 1));
    ASSERT_TRUE(shape);
    EXPECT_EQ(GetRgnBox(shape.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 30);
    EXPECT_EQ(box.bottom, 20);
}

TEST(BitmapToRegion, AbsentColourGivesAnEmptyRegionAndNoBitmapGivesNone) {
    winowners::UniqueBitmap white = MakeBitmap(8, 8, 32, [](int, int) { return RGB(255, 255, 255); });
    winowners::UniqueRegion none(BitmapToRegion(white.get(), kKey, 0));
    ASSERT_TRUE(none) << "an empty region is still a region";
    EXPECT_EQ(RegionKind(none.get()), NULLREGION);

    EXPECT_EQ(BitmapToRegion(nullptr, kKey, 0), nullptr);
    EXPECT_EQ(BitmapToRegion(reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH)), kKey, 0), nullptr);
}

TEST(BitmapToRegion, PaddedRowsOfA24BitBitmap) {
    // 13 pixels of 3 bytes: each row is padded to 40 bytes in the source.
    auto colour = [](int x, int y) { return (x * 7 + y * 3) % 5 == 0 ? kKey : RGB(0, 0, 0); };
    winowners::UniqueBitmap bitmap = MakeBitmap(13, 9, 24, colour);
    ASSERT_TRUE(bitmap);
    std::optional<CSkinMask> mask = CSkinMask::FromHBitmap(bitmap.get());
    ASSERT_TRUE(mask);
    ASSERT_EQ(mask->Width(), 13);
    ASSERT_EQ(mask->Height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(mask->At(x, y), Colour(colour(x, y))) << x << "," << y;

    winowners::UniqueRegion keyRegion(BitmapToRegion(bitmap.get(), kKey, 0));
    EXPECT_TRUE(skintest::RegionMatchesMask(keyRegion.get(), *mask, [](Colour c) { return c == Colour(kKey); }));
}
