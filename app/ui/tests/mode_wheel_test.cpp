// The mode wheel in a real window: sectors hit by mouse messages, the
// pictures it draws checked by pixels against its own skin, tooltips,
// turns played by its thread, and the thread started and stopped often.
#include "CModeWheel.h"
#include "GdiplusSession.h"
#include "MessagePump.h"
#include "SkinImageLoader.h"
#include "SkinPictures.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

struct CFakeWheelController : IWheelController {
    std::vector<int> modes;
    int leaveAnswer = 1;
    int leaveQuestions = 0;

    int QueryLeaveBrowse() override {
        ++leaveQuestions;
        return leaveAnswer;
    }
    void SetMode(int mode) override { modes.push_back(mode); }
    std::wstring LanguageText(const char* key) override {
        std::string k(key ? key : "");
        return std::wstring(k.begin(), k.end()) + L" text";
    }
    Colour SkinColour(int index) override { return index == 7 ? MakeColour(0x12, 0x34, 0x56) : 0; }
};

// Points in the middle of each ring sector (radius 52 at 60, 120, ...
// degrees clockwise from the top of the 120 x 120 wheel).
const POINT kSectorPoint[6] = {{60, 8}, {105, 34}, {105, 86}, {60, 112}, {15, 86}, {15, 34}};
// On the badge at the top of the ring and on the label's badge.
constexpr POINT kTopBadge{60, 14};
constexpr POINT kLabelBadge{59, 40};

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

COLORREF PicturePixel(const std::string& name, POINT p, POINT origin = {0, 0}, bool* opaque = nullptr) {
    std::wstring wide(name.begin(), name.end());
    auto image = LoadSkinImage(wide.c_str(), SkinSourceKind::OwnResources, L"", L"WHEEL");
    EXPECT_TRUE(image) << name;
    if (!image) return CLR_INVALID;
    Gdiplus::Color c;
    image->GetPixel(p.x - origin.x, p.y - origin.y, &c);
    if (opaque) *opaque = c.GetA() == 255;
    return RGB(c.GetR(), c.GetG(), c.GetB());
}

::testing::AssertionResult Near(COLORREF a, COLORREF b) {
    const int d = std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                  std::abs(GetBValue(a) - GetBValue(b));
    if (a != CLR_INVALID && b != CLR_INVALID && d <= 6) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << a << " is not " << b;
}

class ModeWheelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 40, 40, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(host_);
        ASSERT_TRUE(wheel_.Create(host_, RECT{10, 10, 130, 130}));
    }
    void TearDown() override {
        wheel_.Destroy();
        DestroyWindow(host_);
    }

    // Lets the animation thread play until the wheel stands still.
    bool WaitForTurn(DWORD limitMs = 10000) {
        if (!testbench::PumpUntil([this] { return !wheel_.Animating(); }, limitMs)) return false;
        testbench::PumpWaiting();
        return true;
    }
    void Click(int sector) { SendMessageW(wheel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(kSectorPoint[sector])); }
    COLORREF Shown(POINT p) { return GetPixel(wheel_.Surface(), p.x, p.y); }
    std::wstring ToolText(int tool) { return SkinToolText(wheel_.Tooltip(), wheel_.Handle(), tool); }
    // The wheel at rest on `mode`: its rotation frame and its full label.
    void ExpectRestingOn(int mode) {
        EXPECT_EQ(wheel_.ShownMode(), mode);
        EXPECT_EQ(wheel_.CurrentFrame(), mode * 6);
        EXPECT_TRUE(Near(Shown(kTopBadge), PicturePixel(RotationFrameName(mode * 6), kTopBadge)));
        EXPECT_TRUE(Near(Shown(kLabelBadge), PicturePixel(SelectedLabelFrameName(mode, 10), kLabelBadge, {14, 16})));
    }

    CGdiplusSession gdiplus_;
    CFakeWheelController controller_;
    CModeWheel wheel_{controller_};
    HWND host_ = nullptr;
};

}  // namespace

TEST_F(ModeWheelTest, PicturesDifferWhereTheTestsLook) {
    // Guards the probes below: each must tell the modes apart.
    bool opaque = false;
    EXPECT_NE(PicturePixel("cycle00.png", kTopBadge, {}, &opaque), PicturePixel("cycle06.png", kTopBadge));
    EXPECT_TRUE(opaque);
    EXPECT_NE(PicturePixel("mode0s_10.png", kLabelBadge, {14, 16}, &opaque),
              PicturePixel("mode1s_10.png", kLabelBadge, {14, 16}));
    EXPECT_TRUE(opaque);
    EXPECT_NE(PicturePixel("hover0.png", kSectorPoint[1]), PicturePixel("cycle00.png", kSectorPoint[1]));
}

TEST_F(ModeWheelTest, StartsOnVideoWithFiveSectorsAndTheirTips) {
    ExpectRestingOn(0);
    EXPECT_TRUE(wheel_.ThreadRunning());
    // Each sector holds its middle point and no other sector's.
    for (int i = 1; i <= 5; ++i) {
        for (int j = 1; j <= 5; ++j)
            EXPECT_EQ(PtInRegion(wheel_.SectorRegion(i), kSectorPoint[j].x, kSectorPoint[j].y) != FALSE, i == j)
                << i << " " << j;
        EXPECT_FALSE(PtInRegion(wheel_.SectorRegion(i), 60, 60));  // the label
        EXPECT_FALSE(PtInRegion(wheel_.SectorRegion(i), kSectorPoint[0].x, kSectorPoint[0].y));
    }
    RECT yellow = wheel_.SectorBounds(1);
    EXPECT_GE(yellow.left, 60);
    EXPECT_LE(yellow.bottom, 62);
    EXPECT_EQ(SendMessageW(wheel_.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 5);
    EXPECT_EQ(ToolText(1), L"IDS_TIP_VIDEOONLYMODE text");
    EXPECT_EQ(ToolText(5), L"IDS_TIP_MONITORMODE text");
    // The named event wakes the thread.
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, kWheelEventName);
    EXPECT_NE(event, nullptr);
    if (event) CloseHandle(event);
}

TEST_F(ModeWheelTest, ClickTurnsToTheNextModeAndTellsTheController) {
    Click(1);
    EXPECT_EQ(controller_.modes, (std::vector<int>{1}));
    // Tools follow the target at once.
    EXPECT_EQ(ToolText(1), L"IDS_TIP_AUDIOMODE text");
    // A second click and hovering during the turn are ignored.
    Click(2);
    SendMessageW(wheel_.Handle(), WM_MOUSEMOVE, 0, At(kSectorPoint[3]));
    EXPECT_EQ(wheel_.Hovered(), kNoSector);
    ASSERT_TRUE(WaitForTurn());
    EXPECT_EQ(controller_.modes, (std::vector<int>{1}));
    ExpectRestingOn(1);
    EXPECT_EQ(controller_.leaveQuestions, 0);
}

TEST_F(ModeWheelTest, SectorsWrapAroundTheSixModes) {
    // Yellow in the monitor mode selects video; cyan in video selects monitor.
    EXPECT_EQ(wheel_.SetMode(5, false), 1);
    ExpectRestingOn(5);
    Click(1);
    EXPECT_EQ(controller_.modes, (std::vector<int>{0}));
    ASSERT_TRUE(WaitForTurn());
    ExpectRestingOn(0);
    Click(5);
    EXPECT_EQ(controller_.modes, (std::vector<int>{0, 5}));
    ASSERT_TRUE(WaitForTurn());  // thirty steps the long way round
    ExpectRestingOn(5);
}

TEST_F(ModeWheelTest, LeavingBrowsingAsksTheControllerFirst) {
    ASSERT_EQ(wheel_.SetMode(4, false), 1);
    for (int refusal : {2, 6}) {
        controller_.leaveAnswer = refusal;
        Click(3);
        EXPECT_TRUE(controller_.modes.empty());
        EXPECT_FALSE(wheel_.Animating());
    }
    EXPECT_EQ(controller_.leaveQuestions, 2);
    controller_.leaveAnswer = 7;
    Click(3);  // magenta: browsing + 3 wraps to video only
    EXPECT_EQ(controller_.modes, (std::vector<int>{1}));
    ASSERT_TRUE(WaitForTurn());
    ExpectRestingOn(1);
}

TEST_F(ModeWheelTest, HoverLightsTheSectorFromTheShownModesPicture) {
    const POINT red = kSectorPoint[2];
    SendMessageW(wheel_.Handle(), WM_MOUSEMOVE, 0, At(red));
    EXPECT_EQ(wheel_.Hovered(), 2);
    EXPECT_EQ(GetCapture(), wheel_.Handle());
    EXPECT_TRUE(Near(Shown(red), PicturePixel("hover0.png", red)));
    // Only that sector: the yellow one keeps the rotation frame.
    EXPECT_TRUE(Near(Shown(kSectorPoint[1]), PicturePixel("cycle00.png", kSectorPoint[1])));

    SendMessageW(wheel_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_EQ(wheel_.Hovered(), kNoSector);
    EXPECT_NE(GetCapture(), wheel_.Handle());
    EXPECT_TRUE(Near(Shown(red), PicturePixel("cycle00.png", red)));
    ExpectRestingOn(0);
}

TEST_F(ModeWheelTest, SetModeRefusesUnknownModesJumpsOrTurns) {
    EXPECT_EQ(wheel_.SetMode(6, false), 0);
    EXPECT_EQ(wheel_.SetMode(-1, true), 0);
    EXPECT_EQ(wheel_.SetMode(0, true), 1);  // already the target: nothing
    EXPECT_FALSE(wheel_.Animating());

    EXPECT_EQ(wheel_.SetMode(3, false), 1);
    ExpectRestingOn(3);
    EXPECT_EQ(ToolText(1), L"IDS_TIP_BROWSEMODE text");

    EXPECT_EQ(wheel_.SetMode(2, true), 1);
    EXPECT_TRUE(wheel_.Animating());
    EXPECT_EQ(wheel_.TargetMode(), 2);
    ASSERT_TRUE(WaitForTurn());
    ExpectRestingOn(2);
    EXPECT_TRUE(controller_.modes.empty());  // the controller's own request
}

TEST_F(ModeWheelTest, JumpDuringATurnLeavesTheWheelOnTheJumpedMode) {
    Click(1);
    Sleep(450);  // into the rotation
    EXPECT_EQ(wheel_.SetMode(4, false), 1);
    ASSERT_TRUE(WaitForTurn());
    ExpectRestingOn(4);
}

// Stopping waits 50 ms for the thread and then ends it; a body that will
// not stop is not waited for beyond that.
TEST(ModeWheelLifetimeTest, AThreadThatDoesNotStopIsEndedAfterItsWait) {
    CWorkerThread thread;
    ASSERT_TRUE(thread.Start([] { Sleep(5000); }, THREAD_PRIORITY_NORMAL));
    const DWORD start = GetTickCount();
    EXPECT_FALSE(thread.Stop());
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(thread.Running());
}

TEST(ModeWheelLifetimeTest, ThreadStartsAndStopsManyTimesEvenMidTurn) {
    CGdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 40, 40, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host);
    for (int round = 0; round < 40; ++round) {
        CFakeWheelController controller;
        auto wheel = std::make_unique<CModeWheel>(controller);
        ASSERT_TRUE(wheel->Create(host, RECT{0, 0, 120, 120})) << round;
        ASSERT_TRUE(wheel->ThreadRunning());
        if (round % 2) {
            SendMessageW(wheel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(kSectorPoint[1 + round % 5]));
            Sleep(round % 7 * 30);  // somewhere in the labels or the rotation
        }
        if (round % 3 == 0) {
            // Destroyed through its window, as the main dialog's end does.
            wheel->Destroy();
            EXPECT_FALSE(wheel->ThreadRunning());
        }
        wheel.reset();
    }
    DestroyWindow(host);
}
