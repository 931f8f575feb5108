// The tab strip in real windows under Xvfb, driven by messages: the folders
// it makes, what it draws for each look (pixels of its back buffer against
// the colours the browser's pictures are drawn in), the mouse over the
// tabs, clicks with each answer about a modified photo, the program's mode,
// the tooltips, and the way into the selected browser.
#include "CBrowseTabs.h"
#include "BrowserMessages.h"
#include "DataRoot.h"
#include "ModeMessages.h"
#include "SkinPictures.h"
#include "ThumbTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace vimbrel::browser;
using namespace thumbtest;

namespace {

// Face colours of the tab pictures (resources/browser/draw_browser.py).
const Rgb kSelectedFace{255, 255, 255};
const Rgb kNormalFace{200, 200, 200};
const Rgb kSelectedHoverFace{255, 236, 190};
const Rgb kNormalHoverFace{222, 232, 250};
// The strip's background in these tests: skin colour 10 as the recorder
// gives it.
const Rgb kBackground{10, 20, 30};

class CTabsRecorder : public IBrowseTabsController {
public:
    COLORREF StripBackground() override { return RGB(kBackground.r, kBackground.g, kBackground.b); }
    std::wstring TabTipText(const char* key) override { return std::wstring(key, key + std::strlen(key)); }
    int QuerySaveModified() override {
        ++queries;
        return answer;
    }
    void ShowBrowseFile(const std::wstring& path, int mediaClass) override {
        shown.push_back(path.substr(path.find_last_of(L'\\') + 1) + L" " + std::to_wstring(mediaClass));
    }

    int answer = 7;
    int queries = 0;
    std::vector<std::wstring> shown;
};

// The browsers' side: only what they report is of interest here.
class CBrowserRecorder : public IBrowseController {
public:
    int QuerySaveModified() override { return 7; }
    void ShowBrowseFile(const std::wstring& path, int cls) override {
        reports.push_back(path.substr(path.find_last_of(L'\\') + 1) + L" " + std::to_wstring(cls));
    }
    bool FollowBrowseFile(const std::wstring& path, int cls) override {
        ShowBrowseFile(path, cls);
        return true;
    }
    void ClearBrowsePicture() override { reports.push_back(L"clear"); }
    void SetWheelMode(int, int) override {}
    void SetMode(int) override {}
    std::wstring GetCurrentFile() override { return L""; }
    void StopPlayback() override {}
    void CopySelectedTo() override {}
    void PrintSelected() override {}
    void MailSelected() override {}
    void SetDesktopWallpaper(const std::wstring&) override {}
    std::wstring LanguageText(const char* key) override { return std::wstring(key, key + std::strlen(key)); }

    std::vector<std::wstring> reports;
};

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A point on the plain face of tab k, clear of the outline and the sign.
constexpr int kFaceX = 4;
constexpr int kFaceY = 14;

class BrowseTabsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrowseTabsTestParent";
        RegisterClassW(&wc);
        parent_ = CreateWindowExW(0, L"BrowseTabsTestParent", L"tabs", WS_POPUP | WS_VISIBLE, 0, 0, 320, 420, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, parent_);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"vimbrel-tabs-" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(root_);
    }
    void TearDown() override {
        tabs_.reset();
        if (parent_) DestroyWindow(parent_);
        RemoveTree(root_);
    }

    // The strip on (0, 0)-(300, 400) of the parent, over the scratch root.
    void MakeTabs() {
        tabs_ = std::make_unique<CBrowseTabs>(recorder_, browsers_);
        tabs_->SetDataRoot(root_);
        const RECT rect = {0, 0, 300, 400};
        ASSERT_EQ(1, tabs_->Create(parent_, rect, folders_[0], folders_[1], folders_[2], folders_[3]));
    }

    Rgb TabFace(int tab) const { return PixelOf(tabs_->BackBuffer(), tab * 64 + kFaceX, kFaceY); }
    void MouseAt(int x, int y) { SendMessageW(tabs_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void ClickTab(int tab) { SendMessageW(tabs_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab * 64 + 20, 10)); }
    bool BrowserVisible(int kind) { return IsWindowVisible(tabs_->Browser(kind).Handle()) != FALSE; }
    void ExpectOnlyBrowserShown(int kind) {
        for (int k = 0; k < 4; ++k) EXPECT_EQ(k == kind, BrowserVisible(k)) << "browser " << k;
    }

    HWND parent_ = nullptr;
    std::wstring root_;
    wchar_t folders_[4][260] = {};
    CTabsRecorder recorder_;
    CBrowserRecorder browsers_;
    std::unique_ptr<CBrowseTabs> tabs_;
};

TEST_F(BrowseTabsTest, CreateMakesTheFolderChainAndTheFourBrowsers) {
    // The root itself does not exist yet: the whole chain is made.
    ASSERT_FALSE(IsFolder(root_));
    MakeTabs();
    const wchar_t* leaves[4] = {L"Image", L"Video", L"Audio", L"Monitor"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(root_ + L"\\Vimbrel\\" + leaves[k], std::wstring(folders_[k]));
        EXPECT_TRUE(IsFolder(folders_[k])) << k;
        ASSERT_NE(nullptr, tabs_->Browser(k).Handle()) << k;
        RECT r = {};
        GetWindowRect(tabs_->Browser(k).Handle(), &r);
        MapWindowPoints(nullptr, tabs_->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(0, r.left);
        EXPECT_EQ(27, r.top);
        EXPECT_EQ(300, r.right);
        EXPECT_EQ(400, r.bottom);
    }
    EXPECT_EQ(0, tabs_->SelectedTab());
    EXPECT_EQ(0, tabs_->ShownTab());
    EXPECT_EQ(-1, tabs_->HoverTab());
    ExpectOnlyBrowserShown(0);
    EXPECT_EQ(0, tabs_->QueryLeave());
    // Existing folders are no error the second time.
    tabs_.reset();
    MakeTabs();
}

TEST_F(BrowseTabsTest, CreateRefusesAMissingBufferAndMakesNoWindow) {
    CBrowseTabs tabs(recorder_, browsers_);
    tabs.SetDataRoot(root_);
    const RECT rect = {0, 0, 300, 400};
    EXPECT_EQ(0, tabs.Create(parent_, rect, folders_[0], folders_[1], nullptr, folders_[3]));
    EXPECT_EQ(nullptr, tabs.Handle());
    EXPECT_FALSE(IsFolder(root_));
}

TEST_F(BrowseTabsTest, DefaultFoldersLieUnderTheCommonApplicationData) {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(&info));
    if (info.dwMajorVersion <= 5) GTEST_SKIP() << "the program folder is the root on this system";
    wchar_t common[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)));
    CBrowseTabs tabs(recorder_, browsers_);
    const RECT rect = {0, 0, 300, 400};
    ASSERT_EQ(1, tabs.Create(parent_, rect, folders_[0], folders_[1], folders_[2], folders_[3]));
    EXPECT_EQ(std::wstring(common) + L"\\Zavu\\Vimbrel2\\Vimbrel\\Image", std::wstring(folders_[0]));
    EXPECT_EQ(std::wstring(common) + L"\\Zavu\\Vimbrel2\\Vimbrel\\Monitor", std::wstring(folders_[3]));
    EXPECT_TRUE(IsFolder(folders_[3]));
}

TEST_F(BrowseTabsTest, StripShowsTheSelectedTabNormalTabsAndTheEnd) {
    MakeTabs();
    EXPECT_TRUE(Near(kSelectedFace, TabFace(0))) << Describe(TabFace(0));
    for (int tab = 1; tab < 4; ++tab) EXPECT_TRUE(Near(kNormalFace, TabFace(tab))) << tab;
    // tab5.jpg: grey at its left foot, then the background to the right.
    EXPECT_TRUE(Near(kNormalFace, PixelOf(tabs_->BackBuffer(), 256, 20)));
    EXPECT_TRUE(Near(kBackground, PixelOf(tabs_->BackBuffer(), 280, 10)));
    EXPECT_TRUE(Near(kBackground, PixelOf(tabs_->BackBuffer(), 299, 26)));
}

TEST_F(BrowseTabsTest, MouseOverTheTabsCapturesAndLightsThem) {
    MakeTabs();
    MouseAt(64 + 30, 10);
    EXPECT_EQ(1, tabs_->HoverTab());
    EXPECT_EQ(tabs_->Handle(), GetCapture());
    EXPECT_TRUE(Near(kNormalHoverFace, TabFace(1))) << Describe(TabFace(1));
    EXPECT_TRUE(Near(kSelectedFace, TabFace(0)));

    MouseAt(128 + 5, 20);
    EXPECT_EQ(2, tabs_->HoverTab());
    EXPECT_TRUE(Near(kNormalFace, TabFace(1))) << Describe(TabFace(1));
    EXPECT_TRUE(Near(kNormalHoverFace, TabFace(2)));

    // On to the selected tab: its selected-under-the-mouse look.
    MouseAt(10, 10);
    EXPECT_TRUE(Near(kSelectedHoverFace, TabFace(0))) << Describe(TabFace(0));
    EXPECT_TRUE(Near(kNormalFace, TabFace(2)));

    // Below the strip (a captured mouse reports it): all tabs left.
    MouseAt(10, 60);
    EXPECT_EQ(-1, tabs_->HoverTab());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(Near(kSelectedFace, TabFace(0))) << Describe(TabFace(0));
}

TEST_F(BrowseTabsTest, AnotherWindowTakingTheMouseClearsTheHoveredTab) {
    MakeTabs();
    MouseAt(192 + 30, 5);
    ASSERT_EQ(3, tabs_->HoverTab());
    SetCapture(parent_);
    EXPECT_EQ(-1, tabs_->HoverTab());
    EXPECT_TRUE(Near(kNormalFace, TabFace(3))) << Describe(TabFace(3));
    ReleaseCapture();
    // Coming back works as before.
    MouseAt(192 + 30, 5);
    EXPECT_EQ(3, tabs_->HoverTab());
    EXPECT_EQ(tabs_->Handle(), GetCapture());
    MouseAt(-5, 5);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(BrowseTabsTest, ClickSwitchesOnlyWhenNothingIsLeftToSave) {
    MakeTabs();
    // Cancel, then a saved copy: the strip stays as it was.
    for (int answer : {2, 1}) {
        recorder_.answer = answer;
        ClickTab(2);
        EXPECT_EQ(0, tabs_->SelectedTab()) << answer;
        ExpectOnlyBrowserShown(0);
    }
    EXPECT_EQ(2, recorder_.queries);
    EXPECT_TRUE(recorder_.shown.empty());
    EXPECT_TRUE(Near(kSelectedFace, TabFace(0)));

    recorder_.answer = 7;
    ClickTab(2);
    EXPECT_EQ(3, recorder_.queries);
    EXPECT_EQ(2, tabs_->SelectedTab());
    EXPECT_EQ(2, tabs_->ShownTab());
    ExpectOnlyBrowserShown(2);
    // An empty audio folder: the controller is told to clear the picture.
    ASSERT_EQ(1u, recorder_.shown.size());
    EXPECT_EQ(L" -1", recorder_.shown[0]);
    // The new tab in its just-clicked look, the old one back to normal.
    EXPECT_TRUE(Near(kSelectedHoverFace, TabFace(2))) << Describe(TabFace(2));
    EXPECT_TRUE(Near(kNormalFace, TabFace(0))) << Describe(TabFace(0));

    // The tab already shown: no question, no report.
    ClickTab(2);
    EXPECT_EQ(3, recorder_.queries);
    EXPECT_EQ(1u, recorder_.shown.size());
    // A double click does nothing either; nor does a click on the strip's end.
    SendMessageW(tabs_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(tabs_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(260, 10));
    EXPECT_EQ(2, tabs_->SelectedTab());
    EXPECT_EQ(3, recorder_.queries);
}

TEST_F(BrowseTabsTest, ModeChangesSelectTheirTabAndBrowsingKeepsIt) {
    MakeTabs();
    struct Step {
        int mode;
        int tab;
    };
    // video only -> video, browse keeps it, monitor, image, audio, video.
    const Step steps[] = {{1, 1}, {4, 1}, {5, 3}, {3, 0}, {2, 2}, {0, 1}};
    for (const Step& step : steps) {
        SendMessageW(tabs_->Handle(), vimbrel::ui::WM_MODE_CHANGED, static_cast<WPARAM>(step.mode), 0);
        EXPECT_EQ(step.tab, tabs_->SelectedTab()) << "mode " << step.mode;
        ExpectOnlyBrowserShown(step.tab);
    }
    // A mode change is no click: nothing is asked about a modified photo.
    EXPECT_EQ(0, recorder_.queries);
    // Five switches reported; browse switched nothing.
    EXPECT_EQ(5u, recorder_.shown.size());
    EXPECT_EQ(0, tabs_->SelectTab(4));
    EXPECT_EQ(0, tabs_->SelectTab(-1));
    EXPECT_EQ(1, tabs_->SelectedTab());
}

TEST_F(BrowseTabsTest, TheSelectedBrowserAnswersForTheStrip) {
    // Two pictures in the image folder before the strip starts.
    std::wstring image = root_ + L"\\Vimbrel\\Image";
    ASSERT_TRUE(vimbrel::controller::EnsureFolderExists(image));
    // Listed in descending name order: shot.bmp is item 0, clip.bmp item 1.
    for (const wchar_t* name : {L"shot.bmp", L"clip.bmp"}) {
        HANDLE h = CreateFileW((image + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        const std::vector<uint8_t> bytes = SolidBmp(64, 48, Rgb{0, 0, 255});
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    MakeTabs();
    std::wstring path;
    int cls = -5;
    ASSERT_EQ(1, tabs_->GetCurrentFile(&path, &cls));
    EXPECT_EQ(image + L"\\shot.bmp", path);
    EXPECT_EQ(0, cls);
    EXPECT_EQ(0, tabs_->GetCurrentFile(nullptr, &cls));
    EXPECT_EQ(0, tabs_->GetCurrentFile(&path, nullptr));
    int count = -1;
    ASSERT_EQ(1, tabs_->GetSelectedFile(&count, nullptr, nullptr));
    EXPECT_EQ(1, count);  // one selected item

    // To the empty video tab and back: the picture is reported again.
    ASSERT_EQ(1, tabs_->SelectTab(1));
    EXPECT_EQ(0, tabs_->GetCurrentFile(&path, &cls));
    ASSERT_EQ(1, tabs_->SelectTab(0));
    ASSERT_EQ(2u, recorder_.shown.size());
    EXPECT_EQ(L" -1", recorder_.shown[0]);
    EXPECT_EQ(L"shot.bmp 0", recorder_.shown[1]);

    // A refresh resets the selected browser's view, which reports its file.
    browsers_.reports.clear();
    SendMessageW(tabs_->Handle(), WM_BROWSE_REFRESH, 0, 0);
    ASSERT_FALSE(browsers_.reports.empty());
    EXPECT_EQ(L"shot.bmp 0", browsers_.reports.back());

    // Navigation moves within the selected browser only.
    int moved = -1;
    ASSERT_EQ(1, tabs_->Navigate(2, &moved));  // next
    EXPECT_EQ(1, moved);
    ASSERT_EQ(1, tabs_->GetCurrentFile(&path, &cls));
    EXPECT_EQ(image + L"\\clip.bmp", path);
    ASSERT_EQ(1, tabs_->Navigate(3, &moved));  // last: already there
    EXPECT_EQ(0, moved);
    int index = 0;
    ASSERT_EQ(1, tabs_->GetSelectedFile(&index, &path, &cls));
    EXPECT_EQ(image + L"\\clip.bmp", path);
    ASSERT_EQ(1, tabs_->SelectTab(2));
    moved = -1;
    ASSERT_EQ(1, tabs_->Navigate(0, &moved));  // first, in an empty folder
    EXPECT_EQ(0, moved);
    ASSERT_EQ(1, tabs_->SelectTab(0));
    EXPECT_EQ(L"clip.bmp 0", recorder_.shown.back());
}

TEST_F(BrowseTabsTest, FourToolsNumberedOneToFourWithTheKindsTexts) {
    MakeTabs();
    HWND tooltip = tabs_->Tooltip();
    ASSERT_NE(nullptr, tooltip);
    EXPECT_EQ(4, static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)));
    const wchar_t* keys[4] = {L"IDS_TIP_IMAGE", L"IDS_TIP_VIDEO", L"IDS_TIP_AUDIO", L"IDS_TIP_MONITOR"};
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ(keys[id - 1], vimbrel::ui::SkinToolText(tooltip, tabs_->Handle(), static_cast<UINT_PTR>(id)));
        TTTOOLINFOW info = {};
        info.cbSize = TTTOOLINFOW_V1_SIZE;
        info.hwnd = tabs_->Handle();
        info.uId = static_cast<UINT_PTR>(id);
        ASSERT_TRUE(SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(64 * (id - 1), info.rect.left);
        EXPECT_EQ(64 * id, info.rect.right);
        EXPECT_EQ(27, info.rect.bottom);
    }
}

TEST_F(BrowseTabsTest, BrowsersGoWithTheStrip) {
    MakeTabs();
    HWND browser = tabs_->Browser(3).Handle();
    DestroyWindow(parent_);
    parent_ = nullptr;
    EXPECT_FALSE(IsWindow(browser));
    EXPECT_EQ(nullptr, tabs_->Handle());
    EXPECT_EQ(nullptr, tabs_->Browser(3).Handle());
    EXPECT_EQ(nullptr, tabs_->BackBuffer());
}

}  // namespace
