// The effects filter's two property pages as a property frame drives them:
// created from the filter's page list, connected to the real filter (or to a
// recording stand-in where the filter cannot report what it was sent),
// activated into a window, clicked and typed into, applied and read back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dshow.h>

#include <string>
#include <vector>

#include "CEffectSimplePage.h"
#include "EffectPageIds.h"
#include "GalleryTables.h"
#include "IVideoEffect.h"
#include "InstallFolder.h"
#include "LanguageText.h"
#include "MessagePump.h"
#include "PageHarness.h"
#include "RecordingVideoEffect.h"

namespace lenstinttest {
namespace {

using Microsoft::WRL::ComPtr;
using Calls = std::vector<std::wstring>;

constexpr ULONG kSpecialPage = 0;
constexpr ULONG kGalleryPage = 1;
const wchar_t kTestInstallFolder[] = L"C:\\VimbrelPagesTest";  // no trailing backslash on purpose
const COLORREF kSelectedFill = RGB(0xCF, 0xCD, 0xCE);
const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

class EffectPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_EffectFilter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)));
        ASSERT_EQ(S_OK, filter.As(&effect));
    }
    void TearDown() override {
        ClearInstallFolder();
        effect.Reset();
        filter.Reset();
        CoUninitialize();
    }
    // Read by the pages when they are created.
    static void SetInstallFolder(const wchar_t* folder) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, lenstint::kInstallKey, 0, nullptr, 0, KEY_WRITE,
                                                 nullptr, &key, nullptr));
        RegSetValueExW(key, lenstint::kInstallValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    static void ClearInstallFolder() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, lenstint::kInstallKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, lenstint::kInstallValue);
            RegCloseKey(key);
        }
    }

    ComPtr<IBaseFilter> filter;
    ComPtr<IVideoEffect> effect;
};

int EffectOf(IVideoEffect* e, int* param = nullptr) {
    int id = -1, p = -1;
    EXPECT_EQ(S_OK, e->GetEffect(&id, &p));
    if (param) *param = p;
    return id;
}

int Feature(IVideoEffect* e, int index) {
    int value = -1;
    EXPECT_EQ(S_OK, e->GetFeatureState(index, &value));
    return value;
}

// --- both pages

TEST_F(EffectPagesTest, BothPagesComeFromTheFiltersListWithTheirTitles) {
    const struct {
        ULONG index;
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* title;
    } pages[] = {
        {kSpecialPage, L"CLSID\\{BBEB0911-857B-4571-B1E9-BC56B2FBB112}", L"Special Effects", L"Special"},
        {kGalleryPage, L"CLSID\\{BBEB0912-857B-4571-B1E9-BC56B2FBB112}", L"Simple Effects", L"Effects"},
    };
    for (const auto& expected : pages) {
        SCOPED_TRACE(expected.title);
        wchar_t value[64] = {};
        LONG size = sizeof(value);
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueW(HKEY_CLASSES_ROOT, expected.key, value, &size));
        EXPECT_STREQ(expected.name, value);
        basetest::CPageHarness frame(filter.Get(), expected.index);
        ASSERT_TRUE(frame.page);
        PROPPAGEINFO info{};
        ASSERT_EQ(S_OK, frame.page->GetPageInfo(&info));
        EXPECT_STREQ(expected.title, info.pszTitle);
        EXPECT_GT(info.size.cx, 0);
        CoTaskMemFree(info.pszTitle);

        // Refused: no object, and an object without the settings interface.
        IUnknown* none = nullptr;
        EXPECT_EQ(E_POINTER, frame.page->SetObjects(1, &none));
        ComPtr<IUnknown> graph;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)));
        EXPECT_EQ(E_NOINTERFACE, frame.page->SetObjects(1, graph.GetAddressOf()));
        EXPECT_EQ(E_UNEXPECTED, frame.Activate());

        // Connected, the page holds the filter until it is disconnected.
        CRecordingVideoEffect stand;
        ASSERT_EQ(S_OK, frame.Open(&stand));
        EXPECT_GT(stand.refs, 1);
        EXPECT_EQ(S_OK, frame.page->Deactivate());
        EXPECT_EQ(S_OK, frame.page->SetObjects(0, nullptr));
        EXPECT_EQ(1, stand.refs);
    }
}

// --- developer page

TEST_F(EffectPagesTest, DeveloperPageShowsAndAppliesTheFiltersEffect) {
    ASSERT_EQ(S_OK, effect->SetEffect(VIDEO_EFFECT_SEPIA, 7));
    ASSERT_EQ(S_OK, effect->SetDespeckle(1));
    basetest::CPageHarness frame(filter.Get(), kSpecialPage);
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    EXPECT_TRUE(frame.Checked(1013));  // Sepia: 12 + 1001
    EXPECT_FALSE(frame.Checked(IDC_EFFECT_NONE));
    EXPECT_EQ(L"7", frame.Text(IDC_EFFECT_PARAM));
    EXPECT_FALSE(frame.Checked(IDC_FEATURE_AWB));
    EXPECT_TRUE(frame.Checked(IDC_FEATURE_DESPECKLE));
    EXPECT_FALSE(frame.Checked(IDC_FEATURE_FPS));
    EXPECT_EQ(L"Sepia", frame.Text(1013));
    EXPECT_EQ(L"Mirror", frame.Text(IDC_EFFECT_MIRROR));
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());  // filling is no edit

    frame.Click(1011);  // Blur: 10 + 1001
    EXPECT_EQ(S_OK, frame.page->IsPageDirty());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), frame.site.lastStatus);
    frame.Type(IDC_EFFECT_PARAM, L"twelve");  // no number: parameter 0
    frame.Click(IDC_FEATURE_DESPECKLE);
    frame.Click(IDC_FEATURE_AWB);
    frame.Click(IDC_FEATURE_FPS);
    EXPECT_EQ(VIDEO_EFFECT_SEPIA, EffectOf(effect.Get()));  // nothing sent before Apply
    ASSERT_EQ(S_OK, frame.page->Apply());
    int param = -1;
    EXPECT_EQ(VIDEO_EFFECT_BLUR, EffectOf(effect.Get(), &param));
    EXPECT_EQ(0, param);
    EXPECT_EQ(1, Feature(effect.Get(), 0));
    EXPECT_EQ(0, Feature(effect.Get(), 1));
    EXPECT_EQ(1, Feature(effect.Get(), 2));
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());

    frame.Click(IDC_EFFECT_MIRROR);
    frame.Type(IDC_EFFECT_PARAM, L" -3x");
    ASSERT_EQ(S_OK, frame.page->Apply());
    EXPECT_EQ(VIDEO_EFFECT_MIRROR, EffectOf(effect.Get(), &param));
    EXPECT_EQ(-3, param);
}

TEST_F(EffectPagesTest, DeveloperPageSendsOnlyWhatChanged) {
    SetInstallFolder(kTestInstallFolder);
    CRecordingVideoEffect stand;
    stand.effectId = VIDEO_EFFECT_NONE;
    stand.features[0] = 1;  // white balance on
    basetest::CPageHarness frame(filter.Get(), kSpecialPage);
    ASSERT_EQ(S_OK, frame.Open(&stand));
    EXPECT_TRUE(frame.Checked(IDC_FEATURE_AWB));
    EXPECT_TRUE(frame.Checked(IDC_EFFECT_NONE));

    // The photo frame: the page counts frames from 0, the files from 1.
    frame.Click(IDC_EFFECT_IMAGE_FRAME);
    frame.Type(IDC_EFFECT_PARAM, L"3");
    frame.Click(IDC_FEATURE_AWB);  // off
    frame.Click(1042);             // "detection": no switch in the filter
    ASSERT_EQ(S_OK, frame.page->Apply());
    EXPECT_EQ((Calls{L"LoadFrameImage(C:\\VimbrelPagesTest\\PhotoFrame\\frame4.png,0)", L"SetEffect(22,3)",
                     L"SetAutoWhiteBalance(0,1,15)"}),
              stand.calls);

    // Unchanged boxes send nothing; the score button calls its slot at once.
    stand.calls.clear();
    frame.Click(IDC_EFFECT_FIRST);
    ASSERT_EQ(S_OK, frame.page->Apply());
    frame.Click(IDC_SCORE);
    EXPECT_EQ((Calls{L"SetEffect(1,3)", L"Reserved28()"}), stand.calls);
}

TEST_F(EffectPagesTest, DeveloperPageKeepsUnappliedChoicesAcrossActivations) {
    CRecordingVideoEffect stand;
    basetest::CPageHarness frame(filter.Get(), kSpecialPage);
    ASSERT_EQ(S_OK, frame.Open(&stand));
    frame.Click(1017);  // Emboss
    frame.Type(IDC_EFFECT_PARAM, L"5");
    frame.Click(IDC_FEATURE_DESPECKLE);
    ASSERT_EQ(S_OK, frame.page->Deactivate());
    // Applied while no window shows the page: what it showed is sent.
    ASSERT_EQ(S_OK, frame.page->Apply());
    EXPECT_EQ((Calls{L"SetEffect(16,5)", L"SetDespeckle(1)"}), stand.calls);
    ASSERT_EQ(S_OK, frame.Activate());
    EXPECT_TRUE(frame.Checked(1017));
    EXPECT_EQ(L"5", frame.Text(IDC_EFFECT_PARAM));
    EXPECT_TRUE(frame.Checked(IDC_FEATURE_DESPECKLE));
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());
}

// --- gallery page

class Gallery {
public:
    explicit Gallery(basetest::CPageHarness& frame) : frame_(frame) {}

    HWND Grid() const { return frame_.Item(lenstint::CEffectSimplePage::kGridControlId); }
    HWND Tabs() const { return frame_.Item(IDC_GALLERY_TABS); }

    void ShowTab(int tab) { SendMessageW(Tabs(), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0); }
    void ClickItem(int item) {
        const lenstint::CellRect c = Cell(item);
        const LPARAM at = MAKELPARAM(c.x + c.width / 2, c.y + c.height / 2);
        SendMessageW(Grid(), WM_MOUSEMOVE, 0, at);
        SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        testbench::PumpWaiting();
    }
    // A point of the cell's own fill: left of the thumbnail, inside the frames.
    COLORREF CellFill(int item) const {
        const lenstint::CellRect c = Cell(item);
        return Pixel(c.x + 5, c.y + 30);
    }
    COLORREF Pixel(int x, int y) const {
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        const HGDIOBJ previous = SelectObject(dc, bitmap);
        SendMessageW(Grid(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        const COLORREF colour = GetPixel(dc, x, y);
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return colour;
    }

private:
    static constexpr int kWidth = lenstint::CEffectSimplePage::kGridWidth;
    static constexpr int kHeight = lenstint::CEffectSimplePage::kGridHeight;
    static lenstint::CellRect Cell(int item) { return lenstint::GalleryCell(item, kWidth, kHeight).cell; }

    basetest::CPageHarness& frame_;
};

TEST_F(EffectPagesTest, GalleryAppliesEveryClickAtOnce) {
    basetest::CPageHarness frame(filter.Get(), kGalleryPage);
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    Gallery gallery(frame);
    ASSERT_NE(nullptr, gallery.Grid());
    ASSERT_NE(nullptr, gallery.Tabs());
    EXPECT_EQ(2, TabCtrl_GetItemCount(gallery.Tabs()));
    EXPECT_EQ(kSelectedFill, gallery.CellFill(0));  // a new filter shows no effect
    EXPECT_EQ(kWhite, gallery.CellFill(4));

    gallery.ClickItem(4);  // Mosaic
    EXPECT_EQ(VIDEO_EFFECT_PIXELLATE, EffectOf(effect.Get()));
    EXPECT_EQ(kSelectedFill, gallery.CellFill(4));
    EXPECT_EQ(kWhite, gallery.CellFill(0));
    gallery.ClickItem(14);
    EXPECT_EQ(VIDEO_EFFECT_MIRROR, EffectOf(effect.Get()));

    // Nothing waits for Apply: commands leave the page clean.
    SendMessageW(frame.Dialog(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    EXPECT_EQ(S_FALSE, frame.page->IsPageDirty());
    EXPECT_EQ(0, frame.site.changes);
    EXPECT_EQ(S_OK, frame.page->Apply());
}

TEST_F(EffectPagesTest, GallerySheetsShareOneChoice) {
    SetInstallFolder(kTestInstallFolder);
    CRecordingVideoEffect stand;
    stand.effectId = VIDEO_EFFECT_IMAGE_FRAME;
    stand.effectParam = 5;
    basetest::CPageHarness frame(filter.Get(), kGalleryPage);
    ASSERT_EQ(S_OK, frame.Open(&stand));
    Gallery gallery(frame);
    // Opened on photo frame 5: the filter sheet shows, frame item 5 is chosen.
    EXPECT_EQ(kSelectedFill, gallery.CellFill(0));
    gallery.ShowTab(1);
    EXPECT_EQ(kSelectedFill, gallery.CellFill(5));
    EXPECT_EQ(kWhite, gallery.CellFill(0));

    gallery.ClickItem(3);
    EXPECT_EQ((Calls{L"LoadFrameImage(C:\\VimbrelPagesTest\\PhotoFrame\\frame3.png,0)", L"SetEffect(22,3)"}),
              stand.calls);
    // A filter after a frame: the frame sheet falls back to its first item.
    gallery.ShowTab(0);
    stand.calls.clear();
    gallery.ClickItem(3);
    EXPECT_EQ((Calls{L"SetEffect(11,0)"}), stand.calls);
    gallery.ShowTab(1);
    EXPECT_EQ(kSelectedFill, gallery.CellFill(0));
    EXPECT_EQ(kWhite, gallery.CellFill(3));

    // Item 0 of the frame sheet is None.
    gallery.ClickItem(7);
    stand.calls.clear();
    gallery.ClickItem(0);
    EXPECT_EQ((Calls{L"SetEffect(23,0)"}), stand.calls);

    // Items the grid does not have are ignored.
    stand.calls.clear();
    PostMessageW(frame.Dialog(), lenstint::kGalleryFilterClicked, 16, 0);
    PostMessageW(frame.Dialog(), lenstint::kGalleryFrameClicked, static_cast<WPARAM>(-1), 0);
    testbench::PumpWaiting();
    EXPECT_TRUE(stand.calls.empty());
}

TEST_F(EffectPagesTest, GalleryRebuildsItsGridOnEachActivation) {
    CRecordingVideoEffect stand;
    stand.effectId = VIDEO_EFFECT_IMAGE_FRAME;
    stand.effectParam = 40;  // no such frame item: item 0
    basetest::CPageHarness frame(filter.Get(), kGalleryPage);
    ASSERT_EQ(S_OK, frame.Open(&stand));
    Gallery gallery(frame);
    gallery.ShowTab(1);
    EXPECT_EQ(kSelectedFill, gallery.CellFill(0));
    gallery.ClickItem(9);
    const HWND firstGrid = gallery.Grid();
    ASSERT_EQ(S_OK, frame.page->Deactivate());
    EXPECT_FALSE(IsWindow(firstGrid));
    ASSERT_EQ(S_OK, frame.Activate());
    gallery.ShowTab(1);
    EXPECT_EQ(kSelectedFill, gallery.CellFill(9));  // the last choice, kept by the page
    ASSERT_EQ(S_OK, frame.page->SetObjects(0, nullptr));
    EXPECT_EQ(E_UNEXPECTED, frame.page->Apply());
}

TEST_F(EffectPagesTest, GalleryThumbnailsComeFromTheFiltersResources) {
    basetest::CPageHarness frame(filter.Get(), kGalleryPage);
    ASSERT_EQ(S_OK, frame.Open(filter.Get()));
    Gallery gallery(frame);
    // The middle of thumbnail 2 (Yellow) is not the cell's white.
    const lenstint::CellLayout cell = lenstint::GalleryCell(2, 320, 272);
    const COLORREF middle = gallery.Pixel(cell.thumbX + 32, cell.thumbY + 24);
    EXPECT_NE(kWhite, middle);
    EXPECT_NE(kSelectedFill, middle);
}

// --- language texts

TEST(EffectPageTexts, LabelsComeFromTheLanguageSectionOrFallBackToEnglish) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring ini = std::wstring(folder) + L"effect_pages_test.ini";
    {
        // UTF-16LE with a byte-order mark, as the suite's language file.
        const wchar_t text[] = L"\xFEFF[ENG]\r\nIDS_STG_FRAME=Frame\r\n[SPA]\r\nIDS_STG_FRAME=Marco\r\n"
                               L"IDS_EFFECT_SEPIA=Sepia ES\r\n";
        const HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, text, sizeof(text) - sizeof(wchar_t), &written, nullptr);
        CloseHandle(file);
    }
    using lenstint::ReadLanguageText;
    EXPECT_EQ(L"Marco", ReadLanguageText(ini, lenstint::EffectLanguageSection(3082), lenstint::GalleryFrameLabel()));
    EXPECT_EQ(L"Sepia ES", ReadLanguageText(ini, u"SPA", lenstint::GalleryFilterLabel(12)));
    // A key the section lacks, a section the file lacks, a missing file.
    EXPECT_EQ(L"Emboss", ReadLanguageText(ini, u"SPA", lenstint::GalleryFilterLabel(5)));
    EXPECT_EQ(L"Frame", ReadLanguageText(ini, u"GER", lenstint::GalleryFrameLabel()));
    EXPECT_EQ(L"Filter", ReadLanguageText(ini + L".missing", u"ENG", lenstint::GalleryFilterTabLabel()));
    DeleteFileW(ini.c_str());
}

}  // namespace
}  // namespace lenstinttest
