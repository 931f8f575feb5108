// The frame strip drawn from the photo frames the program ships (copied
// into bin) is the committed frame.png, and every frame shows in its cell.
#include <gtest/gtest.h>

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

TEST(FrameThumbs, TheCommittedStripIsTheSampleUnderEachShippedFrame) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    std::vector<std::wstring> missing;
    const std::vector<RgbaPicture> frames = LoadPhotoFrames(BinFolder() + L"\\PhotoFrame", missing);
    Gdiplus::GdiplusShutdown(token);
    ASSERT_TRUE(missing.empty()) << missing.size() << " frames missing";

    const RgbaPicture strip = FrameStrip(frames);
    // Each frame covers part of the bare sample of cell 0.
    for (int cell = 1; cell < kCells; ++cell) {
        int changed = 0;
        for (int y = 0; y < kCellHeight; ++y)
            for (int x = 0; x < kCellWidth; ++x)
                changed += memcmp(strip.At(x, y), strip.At(cell * kCellWidth + x, y), 4) != 0;
        EXPECT_GT(changed, 20) << "frame " << cell << " hardly shows";
    }
    std::vector<uint8_t> committed;
    ASSERT_TRUE(ReadFileBytes(std::wstring(VIMBREL_TOLVEX_DIR) + L"/frame.png", committed));
    EXPECT_TRUE(EncodePng(strip) == committed) << "frame.png is not what is drawn";
}

}  // namespace
