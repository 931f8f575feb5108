// The browser window driven by messages under Xvfb: what it draws into its
// back buffer at the grid positions, selection and scrolling, the context
// menu and its commands, with a controller that records what it is told.
#include "BrowserGrid.h"
#include "BrowserMessages.h"
#include "CDialogDismisser.h"
#include "CThumbBrowser.h"
#include "MessagePump.h"
#include "TestMedia.h"
#include "ThumbTestSupport.h"
#include "winowners/GdiOwners.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vimbrel::browser;
using namespace thumbtest;

namespace {

// The program's own pictures (resources/browser/draw_browser.py): the
// frame's outer border, the selected frame's, and the play mark in the
// middle of the video badge.
const Rgb kFrame{150, 150, 150};
const Rgb kHover{255, 150, 0};
const Rgb kWhite{255, 255, 255};
const Rgb kBadge{255, 200, 0};

class CRecordingController : public IBrowseController {
public:
    int QuerySaveModified() override {
        calls.push_back(L"query");
        return answer;
    }
    void ShowBrowseFile(const std::wstring& path, int cls) override {
        calls.push_back(L"show " + path.substr(path.find_last_of(L'\\') + 1) + L" " + std::to_wstring(cls));
    }
    bool FollowBrowseFile(const std::wstring& path, int cls) override {
        calls.push_back(L"follow " + path.substr(path.find_last_of(L'\\') + 1) + L" " + std::to_wstring(cls));
        return true;
    }
    void ClearBrowsePicture() override { calls.push_back(L"clear"); }
    void SetWheelMode(int mode, int animate) override {
        calls.push_back(L"wheel " + std::to_wstring(mode) + L" " + std::to_wstring(animate));
    }
    void SetMode(int mode) override { calls.push_back(L"mode " + std::to_wstring(mode)); }
    std::wstring GetCurrentFile() override { return playing; }
    void StopPlayback() override { calls.push_back(L"stop"); }
    void CopySelectedTo() override { calls.push_back(L"copy"); }
    void PrintSelected() override { calls.push_back(L"print"); }
    void MailSelected() override { calls.push_back(L"mail"); }
    void SetDesktopWallpaper(const std::wstring& path) override {
        calls.push_back(L"wallpaper " + path.substr(path.find_last_of(L'\\') + 1));
    }
    std::wstring LanguageText(const char* key) override { return std::wstring(key, key + strlen(key)); }

    int answer = 7;
    std::wstring playing;
    std::vector<std::wstring> calls;
};

// Ten pictures, item i in colour Colour(i): names p9..p0 in list order.
Rgb Colour(int item) { return Rgb{20 * item + 10, 250 - 20 * item, 100}; }

class ThumbBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ThumbBrowserTestParent";
        RegisterClassW(&wc);
        parent_ = CreateWindowExW(0, L"ThumbBrowserTestParent", L"browser", WS_POPUP | WS_VISIBLE, 0, 0, 256, 360,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, parent_);
    }
    void TearDown() override {
        browser_.reset();
        DestroyWindow(parent_);
    }

    void WritePictures(int count, int big = 0) {
        for (int i = 0; i < count; ++i) {
            wchar_t name[16];
            wsprintfW(name, L"p%02d.bmp", count - 1 - i);
            // Item 1 is tall, the rest wide.
            ASSERT_TRUE(media_.Write(name, i == 1 ? SolidBmp(48, 64, Colour(i)) : SolidBmp(64 + big, 48, Colour(i))));
        }
    }

    void Create(const CScratchFolder& folder, int kind = 0) {
        browser_ = std::make_unique<CThumbBrowser>(controller_);
        browser_->SetCacheDataRoot(root_.Path());
        const RECT rect = {0, 0, 256, 360};
        ASSERT_EQ(1, browser_->Create(parent_, rect, folder.Path().c_str(), kind));
    }

    Rgb Drawn(int x, int y) const { return PixelOf(browser_->BackBuffer(), x, y); }
    // A point inside hit cell k of the 256 x 360 client (cells 120 x 90).
    static LPARAM CellPoint(int k) { return MAKELPARAM((k % 2) * 120 + 60, (k / 2) * 90 + 45); }
    void Click(int k, WPARAM keys = 0) {
        SendMessageW(browser_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, CellPoint(k));
    }
    std::vector<int> Selected() const { return browser_->SelectedItems(); }

    CScratchFolder media_{L"browser-media"};
    CScratchFolder root_{L"browser-root"};
    CRecordingController controller_;
    HWND parent_ = nullptr;
    std::unique_ptr<CThumbBrowser> browser_;
};

#define EXPECT_DRAWN(want, x, y)                                                                                       \
    EXPECT_TRUE(Near(want, Drawn(x, y))) << "at " << (x) << "," << (y) << " want " << Describe(want) << " got "        \
                                         << Describe(Drawn(x, y))

}  // namespace

TEST_F(ThumbBrowserTest, DrawsFramedThumbnailsAtTheGridPositions) {
    WritePictures(10);
    Create(media_);
    EXPECT_EQ((std::vector<int>{0}), Selected());
    // Cell 0 is selected: hover frame at (16, 22); cell 1 plain frame at (132, 22).
    EXPECT_DRAWN(kHover, 16, 22);
    EXPECT_DRAWN(kFrame, 132, 22);
    EXPECT_DRAWN(kFrame, 132 + 107, 22 + 84);  // the drawing area ends at x 240
    // Wide item 0 fills (21..120, 27..101).
    EXPECT_DRAWN(Colour(0), 21, 27);
    EXPECT_DRAWN(Colour(0), 120, 101);
    // Tall item 1 (48 x 64 -> 56 x 75) is centred: x 132 + 5 + 22 = 159..214.
    EXPECT_DRAWN(Colour(1), 159, 27);
    EXPECT_DRAWN(Colour(1), 214, 101);
    EXPECT_DRAWN(kWhite, 150, 60);  // inside the frame window, beside the thumbnail
    EXPECT_DRAWN(kWhite, 5, 5);     // outside every frame
    // Row 3 holds items 6 and 7.
    EXPECT_DRAWN(Colour(7), 137 + 50, 292 + 5 + 37);
}

TEST_F(ThumbBrowserTest, ScrollBarMovesTheGridByRowsAndStopsAtTheLastPage) {
    WritePictures(10);  // five rows: top rows 0..1
    Create(media_);
    HWND bar = browser_->ScrollBar();
    EXPECT_EQ(kScrollBarId, GetDlgCtrlID(bar));
    // On screen, the margins above and below the bar are the strip's white.
    RedrawWindow(browser_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        const auto screen = winowners::GetDCOwner(browser_->Handle());
        for (const POINT at : {POINT{248, 2}, POINT{248, 355}}) {
            EXPECT_TRUE(Near(kWhite, PixelOf(screen.get(), at.x, at.y))) << at.x << "," << at.y;
        }
    }
    SendMessageW(browser_->Handle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(1, browser_->TopRow());
    EXPECT_EQ(1, GetScrollPos(bar, SB_CTL));
    // Shifted by a row: cell 0 shows item 2, cell 7 item 9; frames move with them.
    EXPECT_DRAWN(Colour(2), 21 + 50, 27 + 37);
    EXPECT_DRAWN(Colour(9), 137 + 50, 292 + 5 + 37);
    EXPECT_DRAWN(kFrame, 16, 22);  // item 2 is not selected
    SendMessageW(browser_->Handle(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(1, browser_->TopRow());
    SendMessageW(browser_->Handle(), WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(0, browser_->TopRow());
    EXPECT_DRAWN(kHover, 16, 22);
    EXPECT_DRAWN(Colour(0), 21 + 50, 27 + 37);
}

TEST_F(ThumbBrowserTest, ThreeRowsOrFewerDoNotScroll) {
    WritePictures(6);
    Create(media_);
    SendMessageW(browser_->Handle(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(browser_->ScrollBar()));
    EXPECT_EQ(0, browser_->TopRow());
    // Cells without items still get their frames.
    EXPECT_DRAWN(kFrame, 16, 292);
}

TEST_F(ThumbBrowserTest, ClicksSelectByTheControllerRules) {
    WritePictures(10);
    Create(media_);
    Click(3);
    EXPECT_EQ((std::vector<int>{3}), Selected());
    EXPECT_EQ((std::vector<std::wstring>{L"query", L"show p06.bmp 0"}), controller_.calls);
    EXPECT_DRAWN(kHover, 132, 112);
    EXPECT_DRAWN(kFrame, 16, 22);
    controller_.calls.clear();
    Click(3);  // already the only one: nothing
    EXPECT_TRUE(controller_.calls.empty());

    Click(5, MK_CONTROL);
    EXPECT_EQ((std::vector<int>{3, 5}), Selected());
    EXPECT_DRAWN(kHover, 132, 202);
    Click(1, MK_SHIFT);  // from the anchor 3 down to 1, ascending
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Selected());
    EXPECT_DRAWN(kFrame, 132, 202);
    Click(4, MK_SHIFT);  // now measured from 1
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Selected());
    EXPECT_TRUE(controller_.calls.empty());

    controller_.answer = 2;  // a modified photo, cancelled
    Click(7);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Selected());
    controller_.answer = 7;
    Click(7);
    EXPECT_EQ((std::vector<int>{7}), Selected());
    EXPECT_DRAWN(kFrame, 132, 22);  // item 1 drawn unselected again

    SendMessageW(browser_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, CellPoint(7));
    EXPECT_EQ(L"wheel 4 1", controller_.calls[controller_.calls.size() - 2]);
    EXPECT_EQ(L"mode 4", controller_.calls.back());

    std::wstring path;
    int cls = -1;
    int index = -1;
    ASSERT_EQ(1, browser_->GetSelectedFile(&index, &path, &cls));
    EXPECT_EQ(1, index);
    index = 0;
    ASSERT_EQ(1, browser_->GetSelectedFile(&index, &path, &cls));
    EXPECT_EQ(media_.File(L"p02.bmp"), path);
    index = 1;
    EXPECT_EQ(0, browser_->GetSelectedFile(&index, &path, &cls));
    EXPECT_EQ(0, browser_->GetCurrentFile(nullptr, &cls));
}

TEST_F(ThumbBrowserTest, NavigateMovesTheCurrentItemAndScrollsItIntoView) {
    WritePictures(10);
    Create(media_);
    int moved = -1;
    EXPECT_EQ(1, browser_->Navigate(3, &moved));
    EXPECT_EQ(1, moved);
    EXPECT_EQ((std::vector<int>{9}), Selected());
    EXPECT_EQ(1, browser_->TopRow());  // row 4 - 3
    EXPECT_DRAWN(kHover, 132, 292);
    EXPECT_EQ(1, browser_->Navigate(2, &moved));
    EXPECT_EQ(0, moved);
    EXPECT_EQ(1, browser_->Navigate(1, &moved));
    EXPECT_EQ((std::vector<int>{8}), Selected());
    EXPECT_EQ(1, browser_->Navigate(0, &moved));
    EXPECT_EQ(0, browser_->TopRow());
    EXPECT_EQ(0, browser_->Navigate(4, &moved));
    EXPECT_TRUE(controller_.calls.empty());  // the caller reports
}

// A timer callback has the system's calling convention, which a lambda
// cannot take on 32-bit Windows.
static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(ThumbBrowserTest, ContextMenuGraysByTheSelectionAndCommandsReachTheController) {
    WritePictures(4);
    ASSERT_TRUE(media_.Write(L"a.wav", standintest::MakeWav({1, 8000, 16000, 2, 16}, standintest::SoundBytes(80))));
    Create(media_);
    auto enabled = [&](UINT id) { return !(GetMenuState(browser_->ContextMenu(), id, MF_BYCOMMAND) & MF_GRAYED); };
    // The menu is modal: a timer on this thread closes it.
    auto rightClick = [&](int k) {
        SetTimer(nullptr, 0, 150, &CloseMenu);
        SendMessageW(browser_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, CellPoint(k));
    };
    rightClick(4);  // the sound, unselected: it becomes the selection
    EXPECT_EQ((std::vector<int>{4}), Selected());
    EXPECT_TRUE(enabled(1) && enabled(2) && enabled(3));
    EXPECT_FALSE(enabled(4) || enabled(5));
    Click(0);
    Click(1, MK_CONTROL);
    rightClick(1);  // already selected: the selection stays
    EXPECT_EQ((std::vector<int>{0, 1}), Selected());
    EXPECT_TRUE(enabled(1) && enabled(3));
    EXPECT_FALSE(enabled(2) || enabled(4) || enabled(5));

    controller_.calls.clear();
    for (WPARAM id : {2, 3, 4, 5}) SendMessageW(browser_->Handle(), WM_COMMAND, id, 0);
    EXPECT_EQ((std::vector<std::wstring>{L"copy", L"mail", L"print", L"wallpaper p03.bmp"}), controller_.calls);

    // Delete, confirmed: the playing file stops before it goes.
    controller_.calls.clear();
    controller_.playing = media_.File(L"p02.bmp");
    testbench::CDialogDismisser dismisser(IDOK);
    SendMessageW(browser_->Handle(), WM_COMMAND, 1, 0);
    ASSERT_EQ(1u, dismisser.WaitFor(1, 5000));
    EXPECT_EQ(L"Vimbrel", dismisser.Dismissed()[0].caption);
    EXPECT_EQ(std::vector<std::wstring>{L"stop"}, controller_.calls);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(media_.File(L"p03.bmp")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(media_.File(L"p02.bmp")));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, Attributes(media_.File(L"p01.bmp")));
    // The folder watch brings the shorter list; the deleted files leave the
    // selection, and the first item becomes current.
    testbench::PumpFor(1500);
    EXPECT_EQ(3, browser_->Cache().GetCount());
    EXPECT_EQ((std::vector<int>{0}), Selected());
    EXPECT_EQ(L"follow p01.bmp 0", controller_.calls.back());
}

// The browser keeps the files the user chose, not their places in the list:
// a file that arrives before them, even while the delete question is open,
// changes neither what is shown nor what is deleted; a browser that is not
// shown tells the controller nothing.
TEST_F(ThumbBrowserTest, TheChosenFilesStayChosenWhileTheFolderChanges) {
    WritePictures(4);  // p03 p02 p01 p00
    Create(media_);
    Click(1);
    controller_.playing = media_.File(L"p02.bmp");
    controller_.calls.clear();
    ASSERT_TRUE(media_.Write(L"p99.bmp", SolidBmp(64, 48, Colour(9))));
    SendMessageW(browser_->Handle(), WM_BROWSE_REFRESH, 0, 0);
    std::wstring path;
    int cls = -1;
    ASSERT_EQ(1, browser_->GetCurrentFile(&path, &cls));
    EXPECT_EQ(media_.File(L"p02.bmp"), path);
    EXPECT_EQ((std::vector<int>{2}), Selected());
    EXPECT_TRUE(controller_.calls.empty()) << "a refresh reloaded the file shown";

    SetTimer(nullptr, 0, 150, &CloseMenu);
    SendMessageW(browser_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, CellPoint(3));  // p01
    testbench::CDialogDismisser dismisser(IDOK);
    HWND window = browser_->Handle();
    dismisser.SetBeforePress([&](HWND) {
        media_.Write(L"p98.bmp", SolidBmp(64, 48, Colour(8)));
        SendMessageW(window, WM_BROWSE_REFRESH, 0, 0);
    });
    SendMessageW(browser_->Handle(), WM_COMMAND, 1, 0);
    ASSERT_EQ(1u, dismisser.WaitFor(1, 5000));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(media_.File(L"p01.bmp")));
    for (const wchar_t* kept : {L"p99.bmp", L"p98.bmp", L"p03.bmp", L"p02.bmp", L"p00.bmp"}) {
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, Attributes(media_.File(kept))) << "deleted " << kept;
    }
    // The deleted file leaves the selection; the file shown is current again
    // and is not shown anew.
    SendMessageW(browser_->Handle(), WM_BROWSE_REFRESH, 0, 0);
    EXPECT_EQ((std::vector<int>{3}), Selected());  // p99 p98 p03 p02 p00
    EXPECT_TRUE(controller_.calls.empty());

    // Hidden, its current file gone: nothing reaches the canvas.
    ShowWindow(browser_->Handle(), SW_HIDE);
    controller_.calls.clear();
    ASSERT_TRUE(media_.Remove(L"p02.bmp"));
    SendMessageW(browser_->Handle(), WM_BROWSE_REFRESH, 0, 0);
    EXPECT_TRUE(controller_.calls.empty());
}

// A start on the cache files draws their list and thumbnails without
// listing the folder first; the folder's listing, made on the watch thread,
// follows in a message and the browser catches up as a start would have.
TEST_F(ThumbBrowserTest, AStartOnTheCacheFilesShowsThemAtOnceAndCatchesUpWithTheFolderListing) {
    WritePictures(4);  // p03 p02 p01 p00
    Create(media_);
    browser_.reset();  // the cache files are written
    // While the program is not running p03 gets another colour, p01 and p00
    // go and a newer p09 comes.
    ASSERT_TRUE(media_.Write(L"p03.bmp", SolidBmp(64, 48, Colour(5))));
    ASSERT_TRUE(media_.Remove(L"p01.bmp"));
    ASSERT_TRUE(media_.Remove(L"p00.bmp"));
    ASSERT_TRUE(media_.Write(L"p09.bmp", SolidBmp(64, 48, Colour(9))));
    auto takeListing = [&] {
        for (DWORD waited = 0; browser_->Cache().ListFromIndex() && waited < 5000; waited += 20) testbench::PumpFor(20);
        return !browser_->Cache().ListFromIndex();
    };
    auto current = [&] {
        std::wstring path;
        int cls = -1;
        return browser_->GetCurrentFile(&path, &cls) ? path.substr(path.find_last_of(L'\\') + 1) : L"";
    };

    Create(media_);
    EXPECT_TRUE(browser_->Cache().ListFromIndex());
    EXPECT_EQ(4, browser_->Cache().GetCount());
    EXPECT_DRAWN(Colour(0), 21 + 50, 27 + 37);  // p03 from the strip
    ASSERT_TRUE(takeListing());
    // p09 p03 p02: the newest file is current, as at any start.
    EXPECT_EQ(3, browser_->Cache().GetCount());
    EXPECT_EQ(L"p09.bmp", current());
    EXPECT_EQ((std::vector<int>{0}), Selected());
    EXPECT_DRAWN(Colour(9), 21 + 50, 27 + 37);
    EXPECT_DRAWN(Colour(0), 137 + 50, 27 + 37);  // p03 keeps its stored thumbnail

    // A file the user chose before the listing arrived stays chosen.
    browser_.reset();
    ASSERT_TRUE(media_.Write(L"p10.bmp", SolidBmp(64, 48, Colour(8))));
    Create(media_);
    Click(2);  // p02 of the index's list p09 p03 p02
    ASSERT_TRUE(takeListing());
    EXPECT_EQ(4, browser_->Cache().GetCount());  // p10 p09 p03 p02
    EXPECT_EQ(L"p02.bmp", current());
    EXPECT_EQ((std::vector<int>{3}), Selected());
}

TEST_F(ThumbBrowserTest, ResetViewAfterDeletionsPullsTheTopRowBack) {
    WritePictures(12);
    Create(media_);
    SendMessageW(browser_->Handle(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(browser_->ScrollBar()));
    ASSERT_EQ(2, browser_->TopRow());
    Click(7);  // item 11, the last
    for (const wchar_t* name : {L"p00.bmp", L"p01.bmp", L"p02.bmp"}) ASSERT_TRUE(media_.Remove(name));
    SendMessageW(browser_->Handle(), WM_BROWSE_REFRESH, 0, 0);
    EXPECT_EQ(9, browser_->Cache().GetCount());
    EXPECT_EQ(0, browser_->TopRow());              // 9 / 2 - 4
    EXPECT_EQ((std::vector<int>{0}), Selected());  // item 11 is gone
    EXPECT_EQ(L"follow p11.bmp 0", controller_.calls.back());
}

TEST_F(ThumbBrowserTest, EmptyFolderShowsEmptyFramesAndOffersNothing) {
    Create(media_, 3);
    EXPECT_DRAWN(kFrame, 16, 22);
    EXPECT_DRAWN(kFrame, 132, 292);
    EXPECT_EQ(0u, browser_->Selection().Count());
    Click(0);
    EXPECT_TRUE(controller_.calls.empty());
    SetTimer(nullptr, 0, 150, &CloseMenu);
    SendMessageW(browser_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, CellPoint(0));
    for (UINT id = 1; id <= 5; ++id) {
        EXPECT_TRUE(GetMenuState(browser_->ContextMenu(), id, MF_BYCOMMAND) & MF_GRAYED) << id;
    }
    EXPECT_EQ(1, browser_->ResetView());
    EXPECT_EQ(std::vector<std::wstring>{L"clear"}, controller_.calls);
}

TEST_F(ThumbBrowserTest, VideoCellsGetTheirFrameAndBadgeWhenTheWorkerAnswers) {
    standintest::AviShape shape;
    ASSERT_TRUE(media_.Write(L"video1.avi", standintest::MakeAvi(shape)));
    Create(media_, 1);
    testbench::PumpUntil([&] { return browser_->Cache().Entries()[0].made != 0; }, 20000);
    ASSERT_EQ(1, browser_->Cache().Entries()[0].made);
    // Frame pixel (0, 0) is (r 22, g 11, b 0); the badge at (16 + 85, 22 + 6).
    EXPECT_DRAWN((Rgb{22, 11, 0}), 21, 27);
    EXPECT_DRAWN(kBadge, 101 + 10, 28 + 7);
}
