// The function panel in a real window: buttons per mode and file type at
// their places, faces by pixel, hover opening the popup seam above the
// button and keeping it while the mouse goes up into it, the settings
// sheet's button, tooltips, and a layout that stopped half-way.
#include "CFunctionPanel.h"
#include "ModeMessages.h"
#include "SkinPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

using namespace vimbrel::ui;

namespace {

constexpr Colour kFaceColour = MakeColour(0xBB, 0xC7, 0xD6);  // 0xD6C7BB
const Gdiplus::Color kNormalInk(255, 200, 0, 0);
const Gdiplus::Color kHoverInk(255, 0, 160, 0);

struct CFakePanelController : IFunctionPanelController {
    std::vector<PanelCatalogItem> items = {
        {0x000, 0, 0x0B}, {0x100, 0, 0x08}, {0x106, 0, 0x08},  {0x107, 0, 0x03},  {0x108, 0, 0x04},
        {0x105, 0, 0x08}, {0x202, 1, 0x00}, {0x1002, 3, 0x10}, {0x1400, 4, 0x3F},
    };
    std::map<int, int> settings = {{0x109, 0}, {0x10A, 0}, {0x10B, 1}};
    bool settingsFail = false;
    int missingPicture = -1;
    int pictureCalls = 0;
    int sheets = 0;
    std::map<int, std::wstring> titles;

    std::vector<PanelCatalogItem> CatalogItems() override { return items; }
    bool GetSetting(int id, int& value) override {
        if (settingsFail || !settings.count(id)) return false;
        value = settings[id];
        return true;
    }
    SIZE ItemPictureSize() override { return SIZE{20, 20}; }
    std::unique_ptr<Gdiplus::Bitmap> ItemPicture(int id, int state) override {
        ++pictureCalls;
        if (id == missingPicture) return nullptr;
        // Ink everywhere but a clear 5 x 5 corner, where the face shows.
        auto picture = std::make_unique<Gdiplus::Bitmap>(20, 20, PixelFormat32bppARGB);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                picture->SetPixel(x, y,
                                  x < 5 && y < 5               ? Gdiplus::Color(0, 0, 0, 0)
                                  : state == kItemPictureHover ? kHoverInk
                                                               : kNormalInk);
        return picture;
    }
    Colour SkinColour(int index) override { return index == 0 ? kFaceColour : 0; }
    std::wstring LanguageText(const char* key) override {
        std::string k(key);
        return std::wstring(k.begin(), k.end()) + L" text";
    }
    void SetItemTitle(int id, const std::wstring& title) override { titles[id] = title; }
    void ShowAdvancedSettings() override { ++sheets; }
};

// A stand-in popup: a plain 60 x 40 window that puts itself above the
// button as the real ones do, recording how it was asked.
struct CFakePopup : IItemPopup {
    HWND window = nullptr;
    HWND owner = nullptr;
    RECT button{};
    int settingId = -1;
    int creates = 0, rebuilds = 0;
    ~CFakePopup() override {
        if (window) DestroyWindow(window);
    }
    HWND Window() const override { return window; }
    bool Create(HWND ownerButton, const RECT& buttonOnScreen, int id, RECT& placed) override {
        ++creates;
        owner = ownerButton;
        button = buttonOnScreen;
        settingId = id;
        placed = RECT{button.left, button.top - 40, button.left + 60, button.top};
        window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, placed.left, placed.top, 60,
                                 40, ownerButton, nullptr, GetModuleHandleW(nullptr), nullptr);
        return window != nullptr;
    }
    bool Rebuild(const RECT& buttonOnScreen, RECT& placed) override {
        ++rebuilds;
        placed = RECT{buttonOnScreen.left, buttonOnScreen.top - 40, buttonOnScreen.left + 60, buttonOnScreen.top};
        return true;
    }
};

struct CFakePopupFactory : IItemPopupFactory {
    std::vector<int> kinds;
    std::vector<CFakePopup*> made;
    std::unique_ptr<IItemPopup> MakePopup(int type) override {
        kinds.push_back(type);
        if (type < 0 || type > 3) return nullptr;
        auto popup = std::make_unique<CFakePopup>();
        made.push_back(popup.get());
        return popup;
    }
};

bool Near(COLORREF a, COLORREF b) {
    return a != CLR_INVALID && std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                                       std::abs(GetBValue(a) - GetBValue(b)) <=
                                   6;
}

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

using Row = std::map<int, int>;  // setting id -> x of the shown buttons

class FunctionPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 40, 200, 520, 60, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(host_);
    }
    void TearDown() override {
        if (GetCapture()) ReleaseCapture();
        panel_.reset();
        DestroyWindow(host_);
    }
    void Make(int mode = 0) {
        panel_ = std::make_unique<CFunctionPanel>(controller_, factory_);
        ASSERT_EQ(panel_->Create(host_, RECT{10, 10, 490, 30}), 1);
        ASSERT_EQ(panel_->SetMode(mode), 1);
    }
    Row Shown() const {
        Row row;
        for (const PanelCatalogItem& item : controller_.items) {
            CItemButton* button = panel_->ButtonById(item.settingId);
            if (!button || !IsWindowVisible(button->Handle())) continue;
            RECT r{};
            GetWindowRect(button->Handle(), &r);
            MapWindowPoints(nullptr, panel_->Handle(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.top, 0);
            EXPECT_EQ(r.right - r.left, 20);
            row[item.settingId] = r.left;
        }
        return row;
    }
    HWND Button(int id) const { return panel_->ButtonById(id)->Handle(); }
    void Move(int id, int x, int y) { SendMessageW(Button(id), WM_MOUSEMOVE, 0, At(x, y)); }
    COLORREF Face(int id, int x, int y) {
        UpdateWindow(Button(id));
        HDC dc = GetDC(Button(id));
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(Button(id), dc);
        return c;
    }

    CGdiplusSession gdiplus_;
    CFakePanelController controller_;
    CFakePopupFactory factory_;
    std::unique_ptr<CFunctionPanel> panel_;
    HWND host_ = nullptr;
};

}  // namespace

TEST_F(FunctionPanelTest, ImageModeShowsJpegQualityOnlyForJpegAndTheRestCloseUp) {
    Make(3);
    EXPECT_EQ(Shown(), (Row{{0x000, 0}, {0x100, 22}, {0x106, 44}, {0x105, 66}, {0x1400, 88}}));
    controller_.settings[0x10B] = 3;  // PNG
    EXPECT_EQ(panel_->Relayout(), 1);
    EXPECT_EQ(Shown(), (Row{{0x000, 0}, {0x100, 22}, {0x105, 44}, {0x1400, 66}}));
    // Every item has its button, made once whatever the layouts.
    EXPECT_EQ(panel_->ButtonCount(), 9);
    EXPECT_EQ(controller_.pictureCalls, 27);
}

TEST_F(FunctionPanelTest, VideoBitrateFollowsTheVideoTypeAndTakesItsTitle) {
    controller_.settings[0x109] = 2;  // AVI
    Make(0);
    EXPECT_EQ(Shown(), (Row{{0x000, 0}, {0x1400, 22}}));
    EXPECT_TRUE(controller_.titles.empty());
    controller_.settings[0x109] = 1;  // WMV
    SendMessageW(panel_->Handle(), WM_MODE_CHANGED, 1, 0);
    EXPECT_EQ(panel_->CurrentMode(), 1);
    EXPECT_EQ(Shown(), (Row{{0x000, 0}, {0x107, 22}, {0x1400, 44}}));
    EXPECT_EQ(controller_.titles[0x107], L"IDS_STG_WMVQUALITY text");
    controller_.settings[0x109] = 0;
    panel_->Relayout();
    EXPECT_EQ(controller_.titles[0x107], L"IDS_STG_ASFQUALITY text");
}

TEST_F(FunctionPanelTest, AudioBitrateOnlyForWmaAndUnreadableTypesShowTheItems) {
    controller_.settings[0x10A] = 1;
    Make(2);
    EXPECT_EQ(Shown(), (Row{{0x1400, 2}}));
    controller_.settingsFail = true;
    panel_->Relayout();
    EXPECT_EQ(Shown(), (Row{{0x108, 2}, {0x1400, 24}}));
    // Items of mode mask 0 never show.
    for (int mode = 0; mode < 6; ++mode) {
        panel_->SetMode(mode);
        EXPECT_FALSE(IsWindowVisible(Button(0x202))) << mode;
    }
    EXPECT_EQ(panel_->SetMode(6), 0);
    EXPECT_EQ(panel_->CurrentMode(), 5);
    EXPECT_EQ(Shown(), (Row{{0x1400, 2}}));
}

TEST_F(FunctionPanelTest, AMissingPictureStopsTheLayoutAndALaterOneFinishesIt) {
    controller_.missingPicture = 0x106;
    Make(3);
    EXPECT_EQ(panel_->ButtonCount(), 2);
    EXPECT_TRUE(Shown().empty());
    controller_.missingPicture = -1;
    panel_->Relayout();
    EXPECT_EQ(panel_->ButtonCount(), 9);
    EXPECT_EQ(Shown(), (Row{{0x000, 0}, {0x100, 22}, {0x106, 44}, {0x105, 66}, {0x1400, 88}}));
    // Made anew after the panel goes: nothing of the old buttons is kept.
    panel_.reset();
    Make(4);
    EXPECT_EQ(panel_->ButtonCount(), 9);
    EXPECT_EQ(Shown(), (Row{{0x1002, 2}, {0x1400, 24}}));
}

TEST_F(FunctionPanelTest, FacesShowThePictureOverTheSkinColourAndHoverCapturesTheMouse) {
    Make(3);
    EXPECT_TRUE(Near(Face(0x000, 2, 2), kFaceColour));
    EXPECT_TRUE(Near(Face(0x000, 10, 10), RGB(200, 0, 0)));
    Move(0x000, 10, 10);
    EXPECT_TRUE(panel_->ButtonById(0x000)->Hovered());
    EXPECT_EQ(GetCapture(), Button(0x000));
    EXPECT_TRUE(Near(Face(0x000, 10, 10), RGB(0, 160, 0)));
    EXPECT_TRUE(Near(Face(0x000, 2, 2), kFaceColour));
    Move(0x000, 40, 10);
    EXPECT_FALSE(panel_->ButtonById(0x000)->Hovered());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Near(Face(0x000, 10, 10), RGB(200, 0, 0)));
}

TEST_F(FunctionPanelTest, HoverOpensThePopupAboveAndItStaysWhileTheMouseGoesUpIntoIt) {
    Make(3);
    HWND button = Button(0x100);
    RECT onScreen{};
    GetWindowRect(button, &onScreen);
    Move(0x100, 5, 5);
    ASSERT_EQ(factory_.made.size(), 1u);
    EXPECT_EQ(factory_.kinds, std::vector<int>{0});
    CFakePopup& popup = *factory_.made[0];
    EXPECT_EQ(popup.creates, 1);
    EXPECT_EQ(popup.owner, button);
    EXPECT_TRUE(EqualRect(&popup.button, &onScreen));
    EXPECT_EQ(popup.settingId, 0x100);
    const PanelRect& local = panel_->ButtonById(0x100)->PopupRect();
    EXPECT_EQ(local.left, 0);
    EXPECT_EQ(local.top, -40);
    EXPECT_EQ(local.right, 60);
    EXPECT_EQ(local.bottom, 0);

    // Straight up into the popup: released, but open.
    Move(0x100, 5, -5);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(IsWindowVisible(popup.window));
    // Back, then sideways out: hidden.
    Move(0x100, 5, 5);
    EXPECT_EQ(popup.creates, 1);
    Move(0x100, 25, 5);
    EXPECT_FALSE(IsWindowVisible(popup.window));

    // Shown again where it belongs, however it was moved meanwhile.
    SetWindowPos(popup.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Move(0x100, 5, 5);
    EXPECT_EQ(popup.creates, 1);
    EXPECT_TRUE(IsWindowVisible(popup.window));
    RECT shown{};
    GetWindowRect(popup.window, &shown);
    EXPECT_EQ(shown.left, onScreen.left);
    EXPECT_EQ(shown.bottom, onScreen.top);
    EXPECT_EQ(popup.rebuilds, 0);
}

TEST_F(FunctionPanelTest, TheDatePopupIsRebuiltBeforeItShowsAgainAndUpdatePopupNeedsAnOpenOne) {
    Make(3);
    EXPECT_EQ(panel_->UpdatePopupById(0x9999), 0);
    EXPECT_EQ(panel_->UpdatePopupById(0x105), 0);  // never opened
    Move(0x105, 5, 5);
    ASSERT_EQ(factory_.made.size(), 1u);
    CFakePopup& popup = *factory_.made[0];
    EXPECT_EQ(popup.rebuilds, 0);
    EXPECT_EQ(panel_->UpdatePopupById(0x105), 1);
    EXPECT_EQ(popup.rebuilds, 1);
    Move(0x105, 30, 5);
    EXPECT_EQ(panel_->UpdatePopupById(0x105), 0);  // hidden
    Move(0x105, 5, 5);
    EXPECT_EQ(popup.rebuilds, 2);
}

TEST_F(FunctionPanelTest, AdvancedSettingsShowsTheHandItsTipAndOpensTheSheetOnAClick) {
    Make(0);
    HWND advanced = Button(0x1400);
    EXPECT_EQ(SkinToolText(panel_->Tooltip(), panel_->Handle(), reinterpret_cast<UINT_PTR>(advanced)),
              L"IDS_DLG_ADVSETTING text");
    EXPECT_EQ(SkinToolText(panel_->Tooltip(), panel_->Handle(), reinterpret_cast<UINT_PTR>(Button(0x000))), L"");
    Move(0x1400, 5, 5);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_TRUE(factory_.kinds.empty());
    SendMessageW(advanced, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(controller_.sheets, 1);
    EXPECT_FALSE(panel_->ButtonById(0x1400)->Hovered());
    EXPECT_EQ(GetCapture(), nullptr);
    // Other kinds ignore the click.
    SendMessageW(Button(0x000), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(controller_.sheets, 1);
}
