// The skinned windows' font: the fallback for a face the system lacks, a
// font GDI+ refuses, and drawing with the format the caller hands over.
#include "GdiplusSession.h"
#include "SkinFont.h"

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::ui;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 40;
constexpr int kPixelUnit = 2;     // Gdiplus::UnitPixel
constexpr int kFarAlignment = 2;  // Gdiplus::StringAlignmentFar

UiFontRequest Request(const wchar_t* face, float size, int alignment = 0) {
    return UiFontRequest{face, size, 0, kPixelUnit, alignment};
}

// Where ink fell on a white strip: the leftmost and rightmost inked column,
// or -1 for both when nothing was drawn.
struct InkColumns {
    int left = -1;
    int right = -1;
};

class SkinFont : public ::testing::Test {
protected:
    // Draws `text` over the whole strip in black and reports the ink.
    InkColumns DrawOnStrip(const CUiFont& font, const std::wstring& text, const Gdiplus::StringFormat& format) {
        Gdiplus::Bitmap strip(kWidth, kHeight, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics graphics(&strip);
            graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
            Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
            font.Draw(graphics, text, Gdiplus::RectF(0, 0, kWidth, kHeight), format, black);
        }
        InkColumns ink;
        for (int x = 0; x < kWidth; ++x) {
            for (int y = 0; y < kHeight; ++y) {
                Gdiplus::Color pixel;
                strip.GetPixel(x, y, &pixel);
                if (pixel.GetValue() == 0xFFFFFFFF) continue;
                if (ink.left < 0) ink.left = x;
                ink.right = x;
                break;
            }
        }
        return ink;
    }

    CGdiplusSession gdiplus_;
};

}  // namespace

TEST_F(SkinFont, AFaceTheSystemLacksFallsBackToAnInstalledFamily) {
    ASSERT_TRUE(gdiplus_.Ok());
    auto family = ChooseFontFamily(L"Vimbrel No Such Face");
    ASSERT_TRUE(family);
    EXPECT_TRUE(family->IsAvailable());

    CUiFont font(Request(L"Vimbrel No Such Face", 12.0f));
    EXPECT_TRUE(font.Ok());
    EXPECT_NE(nullptr, font.Font());
}

TEST_F(SkinFont, AFontGdiplusRefusesDrawsNothing) {
    ASSERT_TRUE(gdiplus_.Ok());
    // A negative size is no font at all, whatever the family.
    CUiFont font(Request(L"Tahoma", -12.0f));
    EXPECT_FALSE(font.Ok());
    EXPECT_EQ(nullptr, font.Font());
    const InkColumns ink = DrawOnStrip(font, L"WWW", font.Format());
    EXPECT_EQ(-1, ink.left);
}

TEST_F(SkinFont, DrawsWithTheFormatItIsHanded) {
    ASSERT_TRUE(gdiplus_.Ok());
    // Three 12-pixel letters take well under half of the 200-pixel strip,
    // so the alignment decides which half the ink falls in.
    CUiFont nearFont(Request(L"Tahoma", 12.0f));
    ASSERT_TRUE(nearFont.Ok());
    const InkColumns nearInk = DrawOnStrip(nearFont, L"WWW", nearFont.Format());
    ASSERT_GE(nearInk.left, 0);
    EXPECT_LT(nearInk.right, kWidth / 2);

    Gdiplus::StringFormat farFormat;
    farFormat.SetAlignment(Gdiplus::StringAlignmentFar);
    const InkColumns farInk = DrawOnStrip(nearFont, L"WWW", farFormat);
    ASSERT_GE(farInk.left, 0);
    EXPECT_GE(farInk.left, kWidth / 2);

    // The controller's own alignment becomes the font's format.
    CUiFont farFont(Request(L"Tahoma", 12.0f, kFarAlignment));
    const InkColumns own = DrawOnStrip(farFont, L"WWW", farFont.Format());
    ASSERT_GE(own.left, 0);
    EXPECT_GE(own.left, kWidth / 2);

    EXPECT_EQ(-1, DrawOnStrip(nearFont, L"", nearFont.Format()).left);
}
