// The four item popups as real windows against a fake controller: size
// and place above the button, clicks by message and what they apply, the
// rebuilt rows, the slider's mapping through its real trackbar, pixels of
// the title bar, borders, cells and frames from WM_PRINT, the custom-drawn
// trackbar background from the screen, and the system colour dialog
// dismissed by a helper thread.
#include "CDialogDismisser.h"
#include "CFunctionPanel.h"
#include "CItemPopupFactory.h"
#include "CPopupIcons.h"
#include "CPopupImages.h"
#include "CPopupList.h"
#include "CPopupSlider.h"
#include "CSkinSource.h"
#include "GdiplusSession.h"
#include "IFunctionPanelController.h"
#include "MessagePump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

using namespace vimbrel::ui;

namespace {

constexpr Colour kBody = MakeColour(0x20, 0x60, 0xA0);
constexpr Colour kTitleBar = MakeColour(0x50, 0x10, 0x30);
constexpr RECT kButton{300, 400, 320, 420};

struct CFakePopupController : IPopupController {
    std::map<int, int> settings = {{0x000, 4}, {0x1300, 5}, {0x1002, 0x00FFFF}, {0x400, 3}, {0x106, 250}};
    std::map<int, std::vector<PopupEntry>> entries;
    std::vector<std::pair<int, int>> applied;
    int dateRefreshes = 0;
    int relayouts = 0;
    std::vector<std::string> textKeys;
    int qualityMin = 0, qualityMax = 255, quality = 200;

    CFakePopupController() {
        // Shoot mode: entries 1 and 3 disabled, so rows 0..4 are entries 0, 2, 4, 5, 6.
        entries[0x000] = {{L"Auto", true}, {L"Portrait", false}, {L"Night", true}, {L"Fast", false},
                          {L"Slow", true}, {L"Macro", true},     {L"Custom", true}};
        entries[0x105] = {{L"2026-01-01", true}, {L"01/01/2026", true}};
        entries[0x109] = {{L"WMV", true}, {L"AVI", true}};
    }
    bool GetSetting(int id, int& value) override {
        if (!settings.count(id)) return false;
        value = settings[id];
        return true;
    }
    void ApplySetting(int id, int value) override {
        applied.emplace_back(id, value);
        settings[id] = value;
    }
    bool ItemTitle(int id, std::wstring& title) override {
        if (id == 0x777) return false;
        title = L"T";
        return true;
    }
    std::vector<PopupEntry> ItemEntries(int id) override {
        return entries.count(id) ? entries[id] : std::vector<PopupEntry>{};
    }
    int VisibleToEntryIndex(int id, int visible) override {
        for (int k = 0, n = 0; k < static_cast<int>(entries[id].size()); ++k)
            if (entries[id][k].enabled && n++ == visible) return k;
        return -1;
    }
    int EntryToVisibleIndex(int id, int entry) override {
        int n = -1;
        for (int k = 0; k <= entry && k < static_cast<int>(entries[id].size()); ++k)
            if (entries[id][k].enabled) ++n;
        return n;
    }
    void RefreshDateFormats() override {
        ++dateRefreshes;
        entries[0x105].push_back({L"Jan 1", true});
    }
    void RelayoutFunctionPanel() override { ++relayouts; }
    bool VideoQualityRange(int, int& minimum, int& maximum) override {
        minimum = qualityMin;
        maximum = qualityMax;
        return true;
    }
    bool GetVideoQuality(int, int& value) override {
        value = quality;
        return true;
    }
    Colour SkinColour(int index) override {
        switch (index) {
        case 1: return kBody;
        case 2: return kTitleBar;
        default: return MakeColour(0xE0, 0xE0, 0xE0);
        }
    }
    UiFontRequest UiFont() override { return UiFontRequest{L"Tahoma", 8.0f, 0, 3, 0}; }
    std::wstring LanguageText(const char* key) override {
        textKeys.push_back(key);
        return L"x";
    }
};

// The popup's WM_PRINT picture, read back as 0x00BBGGRR colours.
class CPrinted {
public:
    CPrinted(HWND window, int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0x00123456;
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        GdiFlush();
    }
    ~CPrinted() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Colour At(int x, int y) const {
        const DWORD p = bits_[y * width_ + x];  // 0x00RRGGBB in a DIB
        return MakeColour((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

bool Near(Colour a, Colour b, int tolerance = 6) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class ItemPopupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, kButton.left, kButton.top, 20, 20,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    CGdiplusSession gdiplus_;
    CFakePopupController controller_;
    CItemPopupFactory factory_{controller_};
    HWND owner_ = nullptr;
};

// The mean difference, per channel, between the popup's cell at (x, y) and
// cell k of the strip, inside the cell's grey frame line.
double CellDifference(const CPrinted& printed, int x, int y, Gdiplus::Bitmap& strip, int k) {
    long total = 0, count = 0;
    for (int v = 1; v < 23; ++v)
        for (int u = 1; u < 31; ++u) {
            Gdiplus::Color c;
            strip.GetPixel(k * 32 + u, v, &c);
            const Colour drawn = printed.At(x + u, y + v);
            total += std::abs(RedOf(drawn) - c.GetR()) + std::abs(GreenOf(drawn) - c.GetG()) +
                     std::abs(BlueOf(drawn) - c.GetB());
            count += 3;
        }
    return static_cast<double>(total) / count;
}

// The strip's cell the popup's cell at (x, y) looks most like.
int ClosestCell(const CPrinted& printed, int x, int y, Gdiplus::Bitmap& strip) {
    int best = -1;
    double bestDifference = 1e9;
    for (int k = 0; k < 16; ++k) {
        const double difference = CellDifference(printed, x, y, strip, k);
        if (difference < bestDifference) best = k, bestDifference = difference;
    }
    return bestDifference < 4.0 ? best : -1;
}

// --- Icon rows -------------------------------------------------------------------

TEST_F(ItemPopupsTest, IconPopupSitsOnTheButtonAndShootModeClicksApplyTheFullIndex) {
    auto popup = factory_.MakePopup(kItemTypeList);
    ASSERT_NE(dynamic_cast<CPopupIcons*>(popup.get()), nullptr);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x000, placed));
    // Five enabled rows: 5 * 16 + 17 = 97 high, short texts keep 115.
    EXPECT_EQ(placed.left, 300);
    EXPECT_EQ(placed.top, 400 - 97);
    EXPECT_EQ(placed.right, 415);
    EXPECT_EQ(placed.bottom, 400);
    const RECT shown = WindowRect(popup->Window());
    EXPECT_EQ(shown.top, 303);
    EXPECT_EQ(shown.right - shown.left, 115);
    EXPECT_TRUE(IsWindowVisible(popup->Window()));
    EXPECT_TRUE(GetWindowLongW(popup->Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    {
        // Stored shoot mode 4 is the third enabled entry: row 2 (y 49) is marked.
        CPrinted printed(popup->Window(), 115, 97);
        EXPECT_TRUE(Near(printed.At(110, 8), kTitleBar));
        EXPECT_TRUE(Near(printed.At(110, 24), kBody));
        EXPECT_EQ(printed.At(0, 40), kWhite);   // border
        EXPECT_EQ(printed.At(60, 32), kWhite);  // line between rows 0 and 1
        EXPECT_EQ(printed.At(114, 90), kWhite);
        EXPECT_TRUE(Near(printed.At(6, 56), MakeColour(0xF0, 0xD2, 0x64), 12));  // marker of row 2
        EXPECT_TRUE(Near(printed.At(6, 40), kBody));                             // none on row 1
    }

    // The bottom border (y 96) is row 5 of 5: nothing happens.
    SendMessageW(popup->Window(), WM_LBUTTONUP, 0, At(50, 96));
    EXPECT_TRUE(controller_.applied.empty());
    // Row 3 (y 65..80) is the fourth enabled entry, index 5 of the list.
    SendMessageW(popup->Window(), WM_MOUSEMOVE, 0, At(50, 70));
    EXPECT_EQ(static_cast<CPopupIcons*>(popup.get())->HoverIndex(), 3);
    SendMessageW(popup->Window(), WM_LBUTTONUP, 0, At(50, 70));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x000, 5));
    EXPECT_FALSE(IsWindowVisible(popup->Window()));
    EXPECT_EQ(static_cast<CPopupIcons*>(popup.get())->HoverIndex(), -1);
    EXPECT_EQ(controller_.relayouts, 0);
}

TEST_F(ItemPopupsTest, IconPopupWidensForLongTextsAndRebuildsNarrowWithFreshDates) {
    controller_.entries[0x105][1].text = L"Wednesday, the ninth of December of the year 2026";
    auto popup = factory_.MakePopup(kItemTypeList);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x105, placed));
    EXPECT_GT(placed.right - placed.left, 200);
    EXPECT_EQ(placed.bottom - placed.top, 2 * 16 + 17);

    // Rebuild fetches the date texts again (one more row) and keeps 115.
    RECT rebuilt{};
    ASSERT_TRUE(popup->Rebuild(kButton, rebuilt));
    EXPECT_EQ(controller_.dateRefreshes, 1);
    EXPECT_EQ(rebuilt.right - rebuilt.left, 115);
    EXPECT_EQ(rebuilt.top, 400 - (3 * 16 + 17));
    EXPECT_EQ(rebuilt.bottom, 400);
    const RECT now = WindowRect(popup->Window());
    EXPECT_EQ(now.right - now.left, 115);
    EXPECT_EQ(now.bottom - now.top, 65);
    // The button stays below the popup in its client coordinates.
    EXPECT_EQ(static_cast<CPopupIcons*>(popup.get())->ButtonRect().top, 65);
}

TEST_F(ItemPopupsTest, FileTypeChoiceLaysThePanelOutAndLeavingHides) {
    auto popup = factory_.MakePopup(kItemTypeList);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x109, placed));
    HWND window = popup->Window();
    // Into the button (just below the popup): it stays; elsewhere it hides.
    SendMessageW(window, WM_MOUSEMOVE, 0, At(5, 49 + 5));
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageW(window, WM_MOUSEMOVE, 0, At(60, 49 + 5));
    EXPECT_FALSE(IsWindowVisible(window));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SendMessageW(window, WM_LBUTTONUP, 0, At(50, 40));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x109, 1));
    EXPECT_EQ(controller_.relayouts, 1);
}

TEST_F(ItemPopupsTest, IconPopupIsNotMadeWithoutItemOrEnabledEntries) {
    auto popup = factory_.MakePopup(kItemTypeList);
    RECT placed{};
    EXPECT_FALSE(popup->Create(owner_, kButton, 0x777, placed));
    EXPECT_EQ(popup->Window(), nullptr);
    controller_.entries[0x101] = {{L"off", false}};
    EXPECT_FALSE(popup->Create(owner_, kButton, 0x101, placed));
    EXPECT_EQ(popup->Window(), nullptr);
    EXPECT_EQ(factory_.MakePopup(kItemTypeButton), nullptr);
}

// --- Slider ------------------------------------------------------------------------

TEST_F(ItemPopupsTest, SensitivityOpensAtTheStoredValueAndTheTopPassesOne) {
    auto popup = factory_.MakePopup(kItemTypeSlider);
    auto* slider = dynamic_cast<CPopupSlider*>(popup.get());
    ASSERT_NE(slider, nullptr);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x1300, placed));
    EXPECT_EQ(placed.right - placed.left, 60);
    EXPECT_EQ(placed.bottom - placed.top, 120);
    HWND bar = slider->Trackbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), 2000);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 2);
    EXPECT_EQ(slider->ShownNumber(), 6);

    SendMessageW(bar, TBM_SETPOS, TRUE, 1);
    SendMessageW(popup->Window(), WM_VSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(bar));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x1300, 1));
    EXPECT_EQ(slider->ShownNumber(), 10);
    EXPECT_TRUE(IsWindowVisible(popup->Window()));  // stays open
}

TEST_F(ItemPopupsTest, BrightnessFollowsTheCameraRangeUpsideDown) {
    auto popup = factory_.MakePopup(kItemTypeSlider);
    auto* slider = static_cast<CPopupSlider*>(popup.get());
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x200, placed));
    HWND bar = slider->Trackbar();
    EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 25);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 55);  // 255 + 0 - 200
    EXPECT_EQ(slider->ShownNumber(), 200);
    SendMessageW(bar, TBM_SETPOS, TRUE, 0);
    SendMessageW(popup->Window(), WM_VSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(bar));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x200, 255));

    // Shown again after the camera changed: the value is read anew.
    ShowWindow(popup->Window(), SW_HIDE);
    controller_.quality = 100;
    ShowWindow(popup->Window(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 155);
    EXPECT_EQ(slider->ShownNumber(), 100);
}

TEST_F(ItemPopupsTest, OtherSlidersStartClampedAndTheTrackbarIsPaintedInTheBodyColour) {
    auto popup = factory_.MakePopup(kItemTypeSlider);
    auto* slider = static_cast<CPopupSlider*>(popup.get());
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x106, placed));
    HWND bar = slider->Trackbar();
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 100);  // stored 250, range 0..100
    EXPECT_EQ(slider->ShownNumber(), 100);
    // The trackbar never keeps the focus.
    SetFocus(bar);
    EXPECT_NE(GetFocus(), bar);

    SetWindowPos(popup->Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(popup->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testbench::PumpWaiting();
    // Trackbar at (5, 17)-(30, 117): its top-left corner, clear of the
    // channel and the thumb, is the body colour from the custom draw.
    HDC screen = GetDC(nullptr);
    const COLORREF corner = GetPixel(screen, placed.left + 6, placed.top + 18);
    const COLORREF outside = GetPixel(screen, placed.left + 45, placed.top + 50);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(Near(corner, kBody)) << std::hex << corner;
    EXPECT_TRUE(Near(outside, kBody)) << std::hex << outside;

    // WM_PRINT is answered without drawing anything.
    CPrinted printed(popup->Window(), 60, 120);
    EXPECT_EQ(printed.At(30, 60), 0x563412u);
}

// --- Thumbnails --------------------------------------------------------------------

TEST_F(ItemPopupsTest, LiveFilterGridMarksHoverAndSelectionAndAppliesTheCell) {
    auto popup = factory_.MakePopup(kItemTypeImage);
    auto* images = dynamic_cast<CPopupImages*>(popup.get());
    ASSERT_NE(images, nullptr);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x400, placed));
    EXPECT_EQ(placed.right - placed.left, 157);
    EXPECT_EQ(placed.bottom - placed.top, 143);
    EXPECT_EQ(images->SelectedCell(), 3);
    HWND window = popup->Window();
    {
        CPrinted printed(window, 157, 143);
        // Cells 5 at (44, 54) and 15 at (118, 112) show their own thumbnails.
        auto strip = CSkinSource(L"", L"TOLVEX").LoadSkinImage(L"filter.png");
        ASSERT_TRUE(strip);
        EXPECT_EQ(ClosestCell(printed, 44, 54, *strip), 5);
        EXPECT_EQ(ClosestCell(printed, 118, 112, *strip), 15);
        // Selected cell 3 at (118, 25): outer ring at x 116, inner at 117.
        EXPECT_TRUE(Near(printed.At(116, 35), MakeColour(0xF0, 0xD2, 0x64)));
        EXPECT_TRUE(Near(printed.At(117, 35), MakeColour(0x8A, 0x52, 0x02)));
        EXPECT_TRUE(Near(printed.At(118, 35), MakeColour(0xA8, 0xA8, 0xA8)));
        EXPECT_TRUE(Near(printed.At(43, 60), kBody));  // no ring round cell 5
        EXPECT_EQ(printed.At(156, 80), kWhite);
        EXPECT_EQ(printed.At(80, 16), kWhite);
    }
    // Over cell 2 (81, 25): a white ring at x 80; the names are fetched.
    SendMessageW(window, WM_MOUSEMOVE, 0, At(95, 35));
    EXPECT_EQ(images->HoverIndex(), 2);
    EXPECT_EQ(controller_.textKeys.size(), 18u);
    {
        CPrinted printed(window, 157, 143);
        EXPECT_EQ(printed.At(80, 35), kWhite);
    }
    // A click on cell 5 selects it; cell 3 loses its rings.
    SendMessageW(window, WM_LBUTTONUP, 0, At(50, 60));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x400, 5));
    EXPECT_TRUE(IsWindowVisible(window));
    {
        CPrinted printed(window, 157, 143);
        EXPECT_TRUE(Near(printed.At(42, 60), MakeColour(0xF0, 0xD2, 0x64)));
        EXPECT_TRUE(Near(printed.At(116, 35), kBody));
    }
    // Back into the button: it stays, the hover ring goes.
    SendMessageW(window, WM_MOUSEMOVE, 0, At(5, 150));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(images->HoverIndex(), -1);
    SendMessageW(window, WM_MOUSEMOVE, 0, At(200, 150));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ItemPopupsTest, ImagePopupFailsWithoutAStripOrAnItem) {
    auto popup = factory_.MakePopup(kItemTypeImage);
    RECT placed{};
    EXPECT_FALSE(popup->Create(owner_, kButton, 0x501, placed));
    EXPECT_FALSE(popup->Create(owner_, kButton, 0x777, placed));
    EXPECT_EQ(popup->Window(), nullptr);
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x1100, placed));
    EXPECT_EQ(static_cast<CPopupImages*>(popup.get())->SelectedCell(), -1);  // stamp unreadable
    EXPECT_EQ(GetWindow(popup->Window(), GW_OWNER), owner_);
}

// --- Colours -----------------------------------------------------------------------

TEST_F(ItemPopupsTest, PaletteMarksThePenColourAndAppliesTheClickedCell) {
    auto popup = factory_.MakePopup(kItemTypeColour);
    auto* list = dynamic_cast<CPopupList*>(popup.get());
    ASSERT_NE(list, nullptr);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x1002, placed));
    EXPECT_EQ(placed.right - placed.left, 111);
    EXPECT_EQ(placed.bottom - placed.top, 120);
    EXPECT_EQ(list->SelectedCell(), 23);  // 0x00FFFF
    HWND window = popup->Window();
    {
        CPrinted printed(window, 111, 120);
        // Cell 8 at (19, 36): colour 0x0066FF in (21..29, 36..44).
        EXPECT_EQ(printed.At(25, 40), 0x0066FFu);
        EXPECT_TRUE(Near(printed.At(20, 40), MakeColour(0xA8, 0xA8, 0xA8)));
        // Cell 23 at (34, 64): selection frame at x 34.
        EXPECT_TRUE(Near(printed.At(34, 66), MakeColour(0xF0, 0xD2, 0x64)));
        EXPECT_EQ(printed.At(50, 17), kWhite);
        EXPECT_EQ(printed.At(50, 106), kWhite);
    }
    SendMessageW(window, WM_MOUSEMOVE, 0, At(20, 33));
    EXPECT_EQ(list->HoverIndex(), 8);
    SendMessageW(window, WM_LBUTTONUP, 0, At(20, 33));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x1002, 0x0066FF));
    EXPECT_EQ(list->SelectedCell(), 8);
    EXPECT_TRUE(IsWindowVisible(window));
    {
        CPrinted printed(window, 111, 120);
        EXPECT_TRUE(Near(printed.At(19, 40), MakeColour(0xF0, 0xD2, 0x64)));
        EXPECT_TRUE(Near(printed.At(34, 66), kBody));  // the old selection
    }
    // The title does nothing; "more." takes the hover.
    SendMessageW(window, WM_LBUTTONUP, 0, At(20, 10));
    EXPECT_EQ(controller_.applied.size(), 1u);
    SendMessageW(window, WM_MOUSEMOVE, 0, At(50, 110));
    EXPECT_TRUE(list->MoreHovered());
}

TEST_F(ItemPopupsTest, MoreOpensTheColourDialogAndCancelChangesNothing) {
    auto popup = factory_.MakePopup(kItemTypeColour);
    RECT placed{};
    ASSERT_TRUE(popup->Create(owner_, kButton, 0x1002, placed));
    HWND window = popup->Window();
    {
        testbench::CDialogDismisser dismisser(IDCANCEL);
        SendMessageW(window, WM_LBUTTONUP, 0, At(50, 110));
        EXPECT_EQ(dismisser.Dismissed().size(), 1u);
    }
    EXPECT_TRUE(controller_.applied.empty());
    EXPECT_FALSE(IsWindowVisible(window));

    ShowWindow(window, SW_SHOWNOACTIVATE);
    {
        testbench::CDialogDismisser dismisser(IDOK);
        SendMessageW(window, WM_LBUTTONUP, 0, At(50, 110));
        EXPECT_EQ(dismisser.Dismissed().size(), 1u);
    }
    EXPECT_EQ(controller_.applied.size(), 1u);
    EXPECT_FALSE(IsWindowVisible(window));
}

// --- Through the function panel ------------------------------------------------------

// Just what the panel needs to lay out three buttons shown in every mode.
struct CPanelSide : IFunctionPanelController {
    std::vector<PanelCatalogItem> CatalogItems() override {
        return {{0x105, kItemTypeList, 0x3F}, {0x1300, kItemTypeSlider, 0x3F}, {0x1002, kItemTypeColour, 0x3F}};
    }
    bool GetSetting(int, int&) override { return false; }
    SIZE ItemPictureSize() override { return SIZE{20, 20}; }
    std::unique_ptr<Gdiplus::Bitmap> ItemPicture(int, int) override {
        return std::make_unique<Gdiplus::Bitmap>(20, 20, PixelFormat32bppARGB);
    }
    Colour SkinColour(int) override { return kBody; }
    std::wstring LanguageText(const char*) override { return L"x"; }
    void SetItemTitle(int, const std::wstring&) override {}
    void ShowAdvancedSettings() override {}
};

TEST_F(ItemPopupsTest, PanelButtonsOpenTheRealPopupsAboveThemselves) {
    CPanelSide side;
    CFunctionPanel panel(side, factory_);
    ASSERT_EQ(panel.Create(owner_, RECT{0, 0, 100, 20}), 1);
    ASSERT_EQ(panel.SetMode(0), 1);
    HWND date = panel.ButtonById(0x105)->Handle();
    RECT button{};
    GetWindowRect(date, &button);

    SendMessageW(date, WM_MOUSEMOVE, 0, At(5, 5));
    IItemPopup* popup = panel.ButtonById(0x105)->Popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(popup->Window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(popup->Window()));
    RECT shown = WindowRect(popup->Window());
    EXPECT_EQ(shown.left, button.left);
    EXPECT_EQ(shown.bottom, button.top);
    EXPECT_EQ(shown.bottom - shown.top, 2 * 16 + 17);

    // Out sideways and back: the date rows are fetched again, one more now.
    SendMessageW(date, WM_MOUSEMOVE, 0, At(30, 5));
    EXPECT_FALSE(IsWindowVisible(popup->Window()));
    SendMessageW(date, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(controller_.dateRefreshes, 1);
    shown = WindowRect(popup->Window());
    EXPECT_EQ(shown.bottom, button.top);
    EXPECT_EQ(shown.bottom - shown.top, 3 * 16 + 17);
    SendMessageW(date, WM_MOUSEMOVE, 0, At(30, 5));

    // The colour button's palette: a click on cell 0 applies black.
    HWND colour = panel.ButtonById(0x1002)->Handle();
    SendMessageW(colour, WM_MOUSEMOVE, 0, At(5, 5));
    IItemPopup* palette = panel.ButtonById(0x1002)->Popup();
    ASSERT_NE(palette, nullptr);
    ASSERT_NE(dynamic_cast<CPopupList*>(palette), nullptr);
    // Owned by the button, which the system turns into its top-level window.
    EXPECT_EQ(GetWindow(palette->Window(), GW_OWNER), GetAncestor(colour, GA_ROOT));
    SendMessageW(palette->Window(), WM_LBUTTONUP, 0, At(8, 25));
    ASSERT_EQ(controller_.applied.size(), 1u);
    EXPECT_EQ(controller_.applied[0], std::make_pair(0x1002, 0));
    if (GetCapture()) ReleaseCapture();
}

}  // namespace
