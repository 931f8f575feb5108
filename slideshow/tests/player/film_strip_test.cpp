// The film strip drawn into a 1024 x 768 memory "screen": the starting
// frames, the incoming frame, the featured picture over the strip, the
// crawl, and how fast the player's event ends it.
#include "FilmStrip.h"

#include "DrawingSupport.h"
#include "PlayerMessages.h"
#include "WinFolderLister.h"

#include <gtest/gtest.h>

#include <thread>

using namespace slideshow;
using namespace slidetest;

namespace {

constexpr int kW = 1024;
constexpr int kH = 768;
constexpr unsigned kFilm = 0x303030;
// (768 - 428) / 2: the strip row's top.
constexpr int kY0 = 170;
// A row through the middle of every picture box: 170 + 63 + 150.
constexpr int kBoxMiddle = 383;

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

bool IsAmber(unsigned rgb) { return ((rgb >> 16) & 0xFF) > 160 && ((rgb >> 8) & 0xFF) > 100 && (rgb & 0xFF) < 90; }

bool AnyAmber(const CDibBuffer& buffer, int x, int y, int width, int height) {
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            if (IsAmber(PixelAt(buffer, column, row))) return true;
    return false;
}

class FilmStripDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(memory.Ok());
        frame = CDibBuffer::Create(nullptr, 440, 428);
        ASSERT_TRUE(frame);
        Paint(*frame, kFilm);
        notify = CreateWindowExW(0, L"STATIC", L"player", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        if (notify) DestroyWindow(notify);
    }
    // a.bmp blue 400 x 300, b.bmp green 320 x 240, c.bmp red 640 x 480;
    // sorted newest name first: c, b, a.
    void BuildList(CScratchFolder& folder, bool all = true) {
        ASSERT_TRUE(WriteSolidBmp(folder.File(L"a.bmp"), 400, 300, kBlue));
        if (all) {
            ASSERT_TRUE(WriteSolidBmp(folder.File(L"b.bmp"), 320, 240, kGreen));
            ASSERT_TRUE(WriteSolidBmp(folder.File(L"c.bmp"), 640, 480, kRed));
        }
        CWinFolderLister lister;
        ASSERT_NE(0, list.Build(U16(folder.Path()), lister));
        list.Sort();
    }
    int Run(const CDibBuffer* withFrame) {
        return FilmStrip(FilmStripContext{list, *buffers, withFrame, event, notify});
    }
    int Refreshes() {
        int count = 0;
        MSG msg;
        while (PeekMessageW(&msg, notify, WM_PLAYER_REFRESH, WM_PLAYER_REFRESH, PM_REMOVE)) ++count;
        return count;
    }

    CSlideList list;
    CMemoryScreen memory{kW, kH};
    std::unique_ptr<CDibBuffer>& screen = memory.screen;
    std::unique_ptr<CScreenBuffers>& buffers = memory.buffers;
    HANDLE event = memory.event;
    std::unique_ptr<CDibBuffer> frame;
    HWND notify = nullptr;
};

}  // namespace

TEST_F(FilmStripDrawing, LaysTheCursorAndTheTwoBeforeItThenTheIncomingFrame) {
    CScratchFolder folder(L"vimbrel-film-lay");
    BuildList(folder);
    std::u16string name;
    ASSERT_EQ(1, list.Last(name));  // the cursor on a, the last name
    SetEvent(event);                // stop before the first step
    EXPECT_EQ(1, Run(frame.get()));

    const CDibBuffer& strip = buffers->Strip();
    // a at x 0 fills its 400 x 300 box at (22, 63).
    EXPECT_TRUE(AreaIs(strip, 22, kY0 + 63, 400, 300, kBlue));
    EXPECT_EQ(kFilm, PixelAt(strip, 10, kBoxMiddle));
    // b at x 440, unscaled and centred in its box: (462 + 40, 233 + 30).
    EXPECT_TRUE(AreaIs(strip, 502, 263, 320, 240, kGreen));
    EXPECT_EQ(kFilm, PixelAt(strip, 500, kBoxMiddle));
    // c at x 880 is cut at the screen's right edge.
    EXPECT_EQ(kRed, PixelAt(strip, 1000, kBoxMiddle));
    EXPECT_EQ(kRed, PixelAt(strip, 1023, kBoxMiddle));
    // Outside the strip row nothing was laid.
    EXPECT_EQ(0u, PixelAt(strip, 500, kY0 - 1));
    EXPECT_EQ(0u, PixelAt(strip, 500, kY0 + 428));
    // Each laid frame carries its name (amber) in the box at (200, 400).
    EXPECT_TRUE(AnyAmber(strip, 200, kY0 + 400, 210, 25));
    EXPECT_TRUE(AnyAmber(strip, 640, kY0 + 400, 210, 25));
    // And the date of its file at (117, 5).
    EXPECT_TRUE(AnyAmber(strip, 117, kY0 + 5, 200, 25));

    // No next name after a: the incoming picture is the first, c, laid at
    // the composition buffer's right end, x = 1024 - 440 = 584.
    const CDibBuffer& composition = buffers->Composition();
    EXPECT_EQ(kFilm, PixelAt(composition, 590, kBoxMiddle));
    EXPECT_EQ(kRed, PixelAt(composition, 584 + 222, kBoxMiddle));
    EXPECT_EQ(0u, PixelAt(composition, 580, kBoxMiddle));
    ASSERT_EQ(1, list.Current(name));
    EXPECT_EQ(u"c.bmp", name);
    EXPECT_EQ(1, Refreshes());
}

TEST_F(FilmStripDrawing, FeaturedPictureCoversTheScreenWhileTheStripCrawls) {
    CScratchFolder folder(L"vimbrel-film-run");
    BuildList(folder);
    std::u16string name;
    ASSERT_EQ(1, list.Last(name));
    // Phases 16 to 149 (0.73 s to 6.8 s) show the featured picture alone.
    std::thread stopper([this] {
        Sleep(1500);
        SetEvent(event);
    });
    const DWORD start = GetTickCount();
    EXPECT_EQ(1, Run(frame.get()));
    const DWORD took = GetTickCount() - start;
    stopper.join();
    EXPECT_GE(took, 1450u);
    EXPECT_LT(took, 1800u);

    // a (400 x 300) is smaller than the screen: unscaled and centred at
    // (312, 234); the strip is under the black around it.
    EXPECT_TRUE(AreaIs(*screen, 312, 234, 400, 300, kBlue));
    EXPECT_EQ(0u, PixelAt(*screen, 311, 383));
    EXPECT_EQ(0u, PixelAt(*screen, 100, kBoxMiddle));
    // The strip moved right about 66 pixels (2 per phase): a's box no
    // longer starts at 22, but still covers x 430.
    const CDibBuffer& strip = buffers->Strip();
    EXPECT_NE(kBlue, PixelAt(strip, 30, kBoxMiddle));
    EXPECT_EQ(kBlue, PixelAt(strip, 430, kBoxMiddle));
    // The distance moved, from where a's box now starts (22 + moved).
    int moved = 0;
    while (moved < kW - 22 && PixelAt(strip, 22 + moved, kBoxMiddle) != kBlue) ++moved;
    // How many phases a loaded machine draws in 1.5 s varies; the step, the
    // direction and the upper bound (phase 40 at most by then) do not.
    EXPECT_EQ(0, moved % 2);
    EXPECT_GT(moved, 0);
    EXPECT_LE(moved, 2 * 40);
    // The incoming frame entered right side first: its right film edge (18
    // px) lies just left of a's frame, its red picture before that.
    EXPECT_EQ(kFilm, PixelAt(strip, moved - 1, kBoxMiddle));
    EXPECT_EQ(kFilm, PixelAt(strip, moved - 18, kBoxMiddle));
    EXPECT_EQ(kRed, PixelAt(strip, moved - 19, kBoxMiddle));
    EXPECT_EQ(kRed, PixelAt(strip, 0, kBoxMiddle));
}

TEST_F(FilmStripDrawing, FeaturedPictureFadesOutAndTheStripShowsAgain) {
    CScratchFolder folder(L"vimbrel-film-fade");
    BuildList(folder, false);  // one picture: it is both featured and incoming
    std::thread stopper([this] {
        Sleep(7600);  // past phase 160 (7.28 s): no blend any more
        SetEvent(event);
    });
    EXPECT_EQ(1, Run(frame.get()));
    stopper.join();
    // The screen is the strip: a moved right by about 2 x 167 pixels, and the
    // same picture comes in again at the left.
    GdiFlush();
    const CDibBuffer& shown = buffers->StripShown();
    for (int x : {5, 300, 700, 1000}) EXPECT_EQ(PixelAt(shown, x, kBoxMiddle), PixelAt(*screen, x, kBoxMiddle)) << x;
    EXPECT_EQ(kBlue, PixelAt(*screen, 600, kBoxMiddle));
    EXPECT_EQ(kBlue, PixelAt(*screen, 200, kBoxMiddle));
    EXPECT_EQ(0u, PixelAt(*screen, 600, 100));
}

TEST_F(FilmStripDrawing, RefusesWithoutTheFrameOrWhenTheIncomingPictureIsBroken) {
    CScratchFolder folder(L"vimbrel-film-fail");
    BuildList(folder, false);
    EXPECT_EQ(0, Run(nullptr));

    ASSERT_TRUE(WriteBytes(folder.File(L"0broken.bmp"), "not a picture"));
    CSlideList broken;
    CWinFolderLister lister;
    ASSERT_NE(0, broken.Build(U16(folder.Path()), lister));
    broken.Sort();  // a.bmp, 0broken.bmp
    std::u16string name;
    ASSERT_EQ(1, broken.First(name));
    EXPECT_EQ(0, FilmStrip(FilmStripContext{broken, *buffers, frame.get(), event, notify}));
    // The cursor moved past the broken picture, so the next call goes on.
    ASSERT_EQ(1, broken.Current(name));
    EXPECT_EQ(u"0broken.bmp", name);
}
