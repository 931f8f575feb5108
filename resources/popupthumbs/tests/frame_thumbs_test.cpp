// The frame and stamp strips drawn from the photo frames and stamps the
// program ships (copied into bin) are the committed frame.png and stamp.png,
// and every frame and stamp shows in its cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "FrameFiles.h"
#include "PngWriter.h"

using namespace vimbrel::thumbs;

namespace {

std::wstring BinFolder() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    return folder.substr(0, folder.rfind(L'\\'));
}

std::vector<RgbaPicture> Shipped(const wchar_t* name) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return {};
    std::vector<std::wstring> missing;
    std::vector<RgbaPicture> pictures = LoadPhotoPictures(BinFolder() + L"\\PhotoFrame", name, missing);
    Gdiplus::GdiplusShutdown(token);
    return missing.empty() ? pictures : std::vector<RgbaPicture>{};
}

bool IsCommitted(const RgbaPicture& strip, const wchar_t* name) {
    std::vector<uint8_t> committed;
    return ReadFileBytes(std::wstring(VIMBREL_TOLVEX_DIR) + L"/" + name, committed) && EncodePng(strip) == committed;
}

TEST(FrameThumbs, TheCommittedStripIsTheSampleUnderEachShippedFrame) {
    const std::vector<RgbaPicture> frames = Shipped(L"frame");
    ASSERT_EQ(frames.size(), 15u) << "frames missing";

    const RgbaPicture strip = FrameStrip(frames);
    // Each frame covers part of the bare sample of cell 0.
    for (int cell = 1; cell < kCells; ++cell) {
        int changed = 0;
        for (int y = 0; y < kCellHeight; ++y)
            for (int x = 0; x < kCellWidth; ++x)
                changed += memcmp(strip.At(x, y), strip.At(cell * kCellWidth + x, y), 4) != 0;
        EXPECT_GT(changed, 20) << "frame " << cell << " hardly shows";
    }
    EXPECT_TRUE(IsCommitted(strip, L"frame.png")) << "frame.png is not what is drawn";
}

// Cell 0 is the pen's black stroke; entries 1-8 and 12 are the picture
// stamps as they are, in their colours and opaque inside; the others are brush shapes in the starting
// pen colour, black at nine tenths of their cover (229 at most). Around
// each the cell is clear, so the popup's fill shows.
TEST(StampThumbs, TheCommittedStripShowsThePenAndEachShippedStampAsTheEditorUsesIt) {
    const std::vector<RgbaPicture> stamps = Shipped(L"stamp");
    ASSERT_EQ(stamps.size(), 15u) << "stamps missing";
    const RgbaPicture strip = StampStrip(stamps);
    ASSERT_EQ(strip.width, 512);
    std::set<std::vector<uint8_t>> cells;
    for (int cell = 0; cell < kCells; ++cell) {
        std::vector<uint8_t> pixels;
        int covered = 0, maxAlpha = 0;
        bool allBlack = true;
        for (int y = 0; y < kCellHeight; ++y)
            for (int x = 0; x < kCellWidth; ++x) {
                const uint8_t* p = strip.At(cell * kCellWidth + x, y);
                pixels.insert(pixels.end(), p, p + 4);
                if (p[3] == 0) continue;
                ++covered;
                maxAlpha = std::max<int>(maxAlpha, p[3]);
                allBlack = allBlack && p[0] == 0 && p[1] == 0 && p[2] == 0;
            }
        EXPECT_TRUE(cells.insert(pixels).second) << "cell " << cell << " repeats another";
        EXPECT_GT(covered, 40) << "cell " << cell << " hardly shows";
        EXPECT_EQ(strip.At(cell * kCellWidth, 0)[3], 0) << "cell " << cell << " has no clear ground";
        const bool brush = cell >= 9 && cell != 12;
        if (cell == 0) {
            EXPECT_TRUE(allBlack && maxAlpha == 255) << "the pen's stroke is not black";
        } else if (brush) {
            EXPECT_TRUE(allBlack) << "brush cell " << cell << " is not in the pen colour";
            EXPECT_EQ(maxAlpha, 229) << "brush cell " << cell;
        } else {
            EXPECT_TRUE(!allBlack && maxAlpha == 255) << "picture cell " << cell << " is not as it was drawn";
        }
    }
    EXPECT_TRUE(IsCommitted(strip, L"stamp.png")) << "stamp.png is not what is drawn";
}

}  // namespace
