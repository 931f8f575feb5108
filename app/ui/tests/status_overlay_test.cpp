// The status strip in a real window: texts found by where their ink lies,
// icon cells and the state icon checked by pixel against the program's own
// pictures, the mode notices sent as messages, and the controller's
// threads calling in while the interface thread draws.
#include "CStatusOverlay.h"
#include "MessagePump.h"
#include "ProgramPicture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <set>
#include <thread>

using namespace vimbrel::ui;

namespace {

constexpr Colour kBackground = MakeColour(0xD7, 0xDA, 0xDC);  // 0xDCDAD7
constexpr Colour kText = MakeColour(0x6D, 0x6D, 0x6D);
constexpr int kWidth = 480, kHeight = 14;

struct CFakeOverlayController : IOverlayController {
    OverlaySettings settings;
    std::wstring file;
    std::set<DWORD> drawingThreads;
    int copies = 0;

    bool CopySettings(OverlaySettings& out) override {
        ++copies;
        out = settings;
        return true;
    }
    std::wstring CurrentFile() override { return file; }
    Colour SkinColour(int index) override { return index == 8 ? kBackground : index == 9 ? kText : 0; }
    UiFontRequest UiFont() override {
        drawingThreads.insert(GetCurrentThreadId());
        // The face the program asks for, which this system lacks.
        return UiFontRequest{L"Micorsoft Sans Serif", 11.0f, 0, 0, 0};
    }
    std::wstring LanguageText(const char*) override { return L"Sensitivity"; }
};

bool Near(COLORREF a, COLORREF b, int tolerance = 9) {
    return a != CLR_INVALID && b != CLR_INVALID &&
           std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b)) <=
               tolerance;
}

// A picture's pixel as it looks laid over the strip's background.
COLORREF PicturePixel(const char* name, int x, int y) {
    auto picture = LoadProgramPicture(name);
    EXPECT_TRUE(picture) << name;
    if (!picture) return CLR_INVALID;
    Gdiplus::Color c;
    picture->GetPixel(x, y, &c);
    const int a = c.GetA();
    auto blend = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
    return RGB(blend(c.GetR(), RedOf(kBackground)), blend(c.GetG(), GreenOf(kBackground)),
               blend(c.GetB(), BlueOf(kBackground)));
}

class StatusOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 40, 40, 520, 60, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(host_);
        controller_.settings.videoWidth = 640;
        controller_.settings.videoHeight = 480;
        controller_.settings.imageWidth = 1280;
        controller_.settings.imageHeight = 1024;
    }
    void TearDown() override {
        overlay_.Destroy();
        DestroyWindow(host_);
    }
    void Make(int mode = 0) { ASSERT_EQ(overlay_.Create(host_, RECT{10, 10, 10 + kWidth, 10 + kHeight}, mode), 1); }

    COLORREF At(int x, int y) const { return GetPixel(overlay_.BackBuffer(), x, y); }
    bool Ink(int x, int y) const { return !Near(At(x, y), kBackground, 30); }
    // The first and last columns of [from, to) holding ink; -1 when none.
    std::pair<int, int> InkColumns(int from, int to) const {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < kHeight; ++y)
                if (Ink(x, y)) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
    bool Plain(int from, int to) const { return InkColumns(from, to).first < 0; }
    // The probe column of each badge cell (x 1, y 5) against the strip.
    void ExpectCellAt(int x, const char* strip, int cell) {
        EXPECT_TRUE(Near(At(x + 1, 5), PicturePixel(strip, cell * 12 + 1, 5)))
            << strip << " cell " << cell << " at " << x << ": " << std::hex << At(x + 1, 5);
    }

    CGdiplusSession gdiplus_;
    CFakeOverlayController controller_;
    CStatusOverlay overlay_{controller_};
    HWND host_ = nullptr;
};

}  // namespace

TEST_F(StatusOverlayTest, CreationRefusesModesOutsideTheRangeAndShowsTheGivenMode) {
    EXPECT_EQ(overlay_.Create(host_, RECT{10, 10, 490, 24}, 6), 0);
    EXPECT_EQ(overlay_.Create(host_, RECT{10, 10, 490, 24}, -1), 0);
    EXPECT_EQ(overlay_.Handle(), nullptr);
    Make(0);
    EXPECT_EQ(overlay_.CurrentMode(), 0);
    EXPECT_EQ(GetDlgCtrlID(overlay_.Handle()), 0);
    EXPECT_TRUE(GetWindowLongW(overlay_.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(controller_.copies, 1);
    // Text on the left; nothing between the text area and the icon row.
    EXPECT_FALSE(Plain(0, 100));
    EXPECT_TRUE(Plain(250, 270));
    EXPECT_EQ(overlay_.SetMode(6), 0);
    EXPECT_EQ(overlay_.CurrentMode(), 0);
}

TEST_F(StatusOverlayTest, TheTimeFollowsTheTextAndGoesAgainWhenNegative) {
    controller_.settings.videoFileType = 2;
    Make(0);
    const int without = InkColumns(0, 250).second;
    ASSERT_GT(without, 20);
    overlay_.SetTime(5);
    EXPECT_EQ(overlay_.TimeText(), L"0:00:05");
    EXPECT_GT(InkColumns(0, 250).second, without + 25);
    overlay_.SetTime(3725);
    EXPECT_EQ(overlay_.TimeText(), L"1:02:05");
    overlay_.SetTime(-1);
    EXPECT_EQ(overlay_.TimeText(), L"");
    EXPECT_EQ(InkColumns(0, 250).second, without);
    // Image mode shows no time at all.
    overlay_.SetTime(59);
    overlay_.SetMode(3);
    const int image = InkColumns(0, 250).second;
    overlay_.SetTime(-1);
    EXPECT_EQ(InkColumns(0, 250).second, image);
}

TEST_F(StatusOverlayTest, BrowseDrawsTheFileNameFromXHundredAndMonitorClearsTheWholeStrip) {
    Make(4);
    EXPECT_TRUE(Plain(0, kWidth - 50));  // no time, no file: only the pen icons at the right
    controller_.file = L"C:\\My pictures\\clip.avi";
    SendMessageW(overlay_.Handle(), WM_STATUS_REFRESH, 0, 0);
    const auto name = InkColumns(0, 250);
    EXPECT_GE(name.first, 100);
    EXPECT_LT(name.first, 106);
    controller_.file = L"clip.avi";  // no backslash: no name
    SendMessageW(overlay_.Handle(), WM_STATUS_REFRESH, 0, 0);
    EXPECT_TRUE(Plain(0, 250));

    SendMessageW(overlay_.Handle(), WM_MODE_CHANGED, 5, 0);
    EXPECT_EQ(overlay_.CurrentMode(), 5);
    EXPECT_FALSE(Plain(0, 250));
    EXPECT_TRUE(Plain(250, kWidth));  // no icons in monitor mode
}

TEST_F(StatusOverlayTest, ImageModeWithEverythingOffShowsOnlyTheShootModeIconOnePixelInside) {
    controller_.settings.shootMode = 3;
    controller_.settings.timer = 2;
    controller_.settings.contShooting = 4;
    controller_.settings.flash = 1;
    Make(3);
    // 480 - 14 + 1 = 467: the icon spans 467..478.
    ExpectCellAt(467, "Sts_ShootMode.png", 3);
    EXPECT_TRUE(Plain(270, 467));
    EXPECT_TRUE(Plain(479, 480));
    EXPECT_FALSE(Plain(478, 479));
}

TEST_F(StatusOverlayTest, IconCellsFollowTheSettingsInOrderAndOnlyARefreshCopiesThem) {
    controller_.settings.shootMode = 6;
    controller_.settings.timer = 1;
    controller_.settings.contShooting = 0;
    controller_.settings.flash = 0;
    Make(3);
    // Four icons: 480 - 56 + 1 = 425, then 14 apart.
    ExpectCellAt(425, "Sts_ShootMode.png", 6);
    ExpectCellAt(439, "Sts_Timer.png", 1);
    ExpectCellAt(453, "Sts_ContShoot.png", 0);
    ExpectCellAt(467, "Sts_Flash.png", 0);
    EXPECT_TRUE(Plain(270, 425));

    // A changed setting waits for the refresh: the time alone redraws
    // from the old copy.
    controller_.settings.timer = 2;
    controller_.settings.shootMode = 2;
    overlay_.SetTime(3);
    ExpectCellAt(425, "Sts_ShootMode.png", 6);
    SendMessageW(overlay_.Handle(), WM_STATUS_REFRESH, 0, 0);
    ExpectCellAt(439, "Sts_ShootMode.png", 2);
    ExpectCellAt(453, "Sts_ContShoot.png", 0);
    ExpectCellAt(467, "Sts_Flash.png", 0);
    EXPECT_TRUE(Plain(270, 439));

    // Video: shoot mode and timer only; audio: the timer only.
    controller_.settings.timer = 0;
    SendMessageW(overlay_.Handle(), WM_MODE_CHANGED, 0, 0);
    ExpectCellAt(453, "Sts_ShootMode.png", 2);
    ExpectCellAt(467, "Sts_Timer.png", 0);
    SendMessageW(overlay_.Handle(), WM_MODE_CHANGED, 2, 0);
    ExpectCellAt(467, "Sts_Timer.png", 0);
    EXPECT_TRUE(Plain(270, 467));
}

TEST_F(StatusOverlayTest, BrowseShowsThePenIconsWithTheSwatchInThePenColour) {
    controller_.settings.penSize = 3;
    controller_.settings.penType = 1;
    controller_.settings.color = static_cast<int>(MakeColour(200, 30, 40));
    Make(4);
    // Pen size, colour, type at 439, 453, 467.
    ExpectCellAt(439, "Sts_PenSize.png", 3);
    ExpectCellAt(467, "Sts_PenType.png", 1);
    EXPECT_TRUE(Near(At(453 + 6, 6), RGB(200, 30, 40), 3)) << std::hex << At(453 + 6, 6);
    EXPECT_TRUE(Near(At(453 + 9, 9), RGB(200, 30, 40), 3));
    // The swatch's frame keeps its own colour.
    EXPECT_TRUE(Near(At(453 + 1, 1), PicturePixel("Sts_PenColor.png", 1, 1), 3));
}

TEST_F(StatusOverlayTest, StateIconsFillTheirSquareAndModeDrawingsLeaveIt) {
    Make(0);
    const struct {
        int icon;
        const char* picture;
    } icons[] = {{1, "Timer.png"}, {2, "recording.png"}, {3, "pause.png"}};
    for (const auto& i : icons) {
        EXPECT_EQ(overlay_.SetStateIcon(i.icon), 1);
        for (POINT p : {POINT{6, 6}, POINT{3, 6}, POINT{6, 2}})
            EXPECT_TRUE(Near(At(250 + p.x, p.y), PicturePixel(i.picture, p.x, p.y), 6)) << i.picture;
    }
    // The square survives a mode drawing.
    SendMessageW(overlay_.Handle(), WM_MODE_CHANGED, 3, 0);
    EXPECT_TRUE(Near(At(256, 6), PicturePixel("pause.png", 6, 6), 6));
    EXPECT_EQ(overlay_.SetStateIcon(0), 1);
    EXPECT_TRUE(Plain(250, 262));
    EXPECT_EQ(overlay_.SetStateIcon(7), 1);
    EXPECT_TRUE(Plain(250, 262));
}

TEST_F(StatusOverlayTest, PaintingCopiesTheBackBufferToTheScreen) {
    controller_.settings.shootMode = 1;
    Make(3);
    InvalidateRect(overlay_.Handle(), nullptr, FALSE);
    UpdateWindow(overlay_.Handle());
    HDC screen = GetDC(overlay_.Handle());
    ASSERT_TRUE(screen);
    EXPECT_TRUE(Near(GetPixel(screen, 468, 5), At(468, 5), 3));
    EXPECT_TRUE(Near(GetPixel(screen, 260, 5), kBackground, 3));
    ReleaseDC(overlay_.Handle(), screen);
}

TEST_F(StatusOverlayTest, WorkerThreadsHandTheirCallsToTheInterfaceThread) {
    controller_.settings.timer = 0;
    Make(0);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int s = 0; s < 200; ++s) {
            overlay_.SetTime(s);
            overlay_.SetStateIcon(s % 4);
            if (s % 20 == 0) Sleep(1);
        }
        overlay_.SetStateIcon(2);
        done = true;
    });
    // Meanwhile the interface thread keeps drawing too.
    while (!done) {
        SendMessageW(overlay_.Handle(), WM_STATUS_REFRESH, 0, 0);
        testbench::PumpWaiting();
    }
    worker.join();
    testbench::PumpWaiting();
    EXPECT_EQ(overlay_.TimeText(), L"0:03:19");
    EXPECT_TRUE(Near(At(256, 6), PicturePixel("recording.png", 6, 6), 6));
    EXPECT_EQ(controller_.drawingThreads, std::set<DWORD>{GetCurrentThreadId()});

    // Once the window is gone, a late call from a worker draws nothing.
    overlay_.Destroy();
    int icon = -1;
    std::thread late([&] {
        overlay_.SetTime(5);
        icon = overlay_.SetStateIcon(1);
    });
    late.join();
    EXPECT_EQ(overlay_.TimeText(), L"0:03:19");
    EXPECT_EQ(icon, 0);
}
