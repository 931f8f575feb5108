// The project's own Mode_Video panel in a real window: presses reach the
// controller, faces land where the pictures say, toggles and their tips,
// zoom repeat, disabling, and the volume slider.
#include "CSkinPanel.h"
#include "GdiplusSession.h"
#include "PanelMessages.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

constexpr Colour kRecord = MakeColour(0x00, 0x00, 0x96);
constexpr Colour kStop = MakeColour(0x00, 0x32, 0x32);
constexpr Colour kVolume = MakeColour(0x00, 0x32, 0xFA);

struct CFakeController : IPanelController {
    std::vector<Colour> pressed, released;
    std::vector<std::pair<Colour, double>> sliderValues;
    struct Listener {
        HWND window;
        int kind;
        UINT message;
    };
    std::vector<Listener> listeners;

    void OnButton(Colour key) override { pressed.push_back(key); }
    void OnButtonUp(Colour key) override { released.push_back(key); }
    void OnSliderChanged(Colour key, double value) override { sliderValues.emplace_back(key, value); }
    std::wstring GetButtonTip(Colour key) override {
        wchar_t text[32];
        swprintf(text, 32, L"tip %06X", static_cast<unsigned>(key));
        return text;
    }
    std::wstring LanguageText(const char* key) override {
        return std::string(key) == "IDS_TIP_PAUSE" ? L"Pause now" : L"?";
    }
    double GetAudioVolume() override { return 0.5; }
    double GetPlaybackVolume() override { return 0.0; }
    void RegisterSliderListener(HWND window, int kind, UINT message) override {
        listeners.push_back({window, kind, message});
    }
};

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// A point of the region, found by scanning its box.
POINT InsideOf(HRGN region) {
    RECT box{};
    GetRgnBox(region, &box);
    for (int y = (box.top + box.bottom) / 2; y < box.bottom; ++y)
        for (int x = (box.left + box.right) / 2; x < box.right; ++x)
            if (PtInRegion(region, x, y)) return POINT{x, y};
    return POINT{-1, -1};
}

class SkinPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 50, 50, 400, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(parent_);
        ASSERT_TRUE(panel_.Create(parent_, 10, 20, L"Mode_Video"));
        picture_ = CSkinSource(L"", L"Mode_Video");
    }
    void TearDown() override {
        panel_.Destroy();
        DestroyWindow(parent_);
    }

    int Find(Colour key) const {
        for (size_t i = 0; i < panel_.ButtonCount(); ++i)
            if (panel_.ButtonKey(i) == key) return static_cast<int>(i);
        return -1;
    }
    // The skin's buttons are round-cornered boxes: their centres lie inside.
    POINT PointOf(Colour key) {
        RECT box = panel_.ButtonBounds(static_cast<size_t>(Find(key)));
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    // The colour a picture of the panel has at p (offset: where its top-left sits).
    COLORREF PicturePixel(const char* name, POINT p, POINT offset = {0, 0}) {
        auto image = picture_.LoadSkinImage(std::string(name));
        EXPECT_TRUE(image) << name;
        if (!image) return CLR_INVALID;
        Gdiplus::Color c;
        image->GetPixel(p.x - offset.x, p.y - offset.y, &c);
        return RGB(c.GetR(), c.GetG(), c.GetB());
    }
    COLORREF Shown(POINT p) { return GetPixel(panel_.Picture(), p.x, p.y); }

    CGdiplusSession gdiplus_;
    CFakeController controller_;
    CSkinPanel panel_{controller_};
    CSkinSource picture_;
    HWND parent_ = nullptr;
};

TEST_F(SkinPanelTest, ButtonsComeFromTheMaskWithTheControllersTips) {
    EXPECT_EQ(panel_.Width(), 347);
    EXPECT_EQ(panel_.Height(), 62);
    std::vector<Colour> keys;
    for (size_t i = 0; i < panel_.ButtonCount(); ++i) keys.push_back(panel_.ButtonKey(i));
    // In the order the mask meets them, top row first.
    EXPECT_EQ(keys, (std::vector<Colour>{kRecord, kStop, kZoomInKey, kZoomOutKey, MakeColour(0, 0x32, 0xC8), kVolume}));
    EXPECT_EQ(SendMessageW(panel_.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 6);
    EXPECT_EQ(SkinToolText(panel_.Tooltip(), panel_.Handle(), CSkinPanel::ToolId(1)), L"tip 323200");
    RECT window{};
    GetWindowRect(panel_.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 347);
}

TEST_F(SkinPanelTest, PressAndReleaseReachTheControllerWithTheirFaces) {
    const POINT stop = PointOf(kStop);
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(stop));
    SendMessageW(panel_.Handle(), WM_LBUTTONUP, 0, At(stop));
    EXPECT_EQ(controller_.pressed, (std::vector<Colour>{kStop}));
    EXPECT_EQ(controller_.released, (std::vector<Colour>{kStop}));
    // Passing faces leave the panel's resting picture alone.
    EXPECT_EQ(Shown(stop), PicturePixel("video_back.jpg", stop));

    // Outside every button: nothing.
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(controller_.pressed.size(), 1u);
}

TEST_F(SkinPanelTest, ZoomHeldRepeatsFourteenTimesInTwentyTicks) {
    const POINT zoom = PointOf(kZoomInKey);
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(zoom));
    for (int tick = 0; tick < 20; ++tick) SendMessageW(panel_.Handle(), WM_TIMER, kPanelRepeatTimer, 0);
    SendMessageW(panel_.Handle(), WM_LBUTTONUP, 0, At(zoom));
    EXPECT_EQ(controller_.pressed.size(), 15u);
    EXPECT_EQ(controller_.released, (std::vector<Colour>{kZoomInKey}));
}

TEST_F(SkinPanelTest, DisabledButtonsShowTheDisabledPictureAndStayDisabledAfterDisableAll) {
    const POINT stop = PointOf(kStop);
    SendMessageW(panel_.Handle(), WM_PANEL_ENABLE_BUTTON, kStop, 0);
    EXPECT_EQ(Shown(stop), PicturePixel("video_disable.jpg", stop));
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(stop));
    SendMessageW(panel_.Handle(), WM_LBUTTONUP, 0, At(stop));
    EXPECT_TRUE(controller_.pressed.empty());
    EXPECT_TRUE(controller_.released.empty());

    SendMessageW(panel_.Handle(), WM_PANEL_ENABLE_BUTTON, kStop, 1);
    EXPECT_EQ(Shown(stop), PicturePixel("video_back.jpg", stop));
    SendMessageW(panel_.Handle(), WM_PANEL_DISABLE_ALL, 0, 0);
    SendMessageW(panel_.Handle(), WM_PANEL_ENABLE_BUTTON, kStop, 1);
    EXPECT_FALSE(panel_.Logic()->Enabled(static_cast<size_t>(Find(kStop))));
    EXPECT_EQ(Shown(stop), PicturePixel("video_disable.jpg", stop));
}

TEST_F(SkinPanelTest, RecordToggleShowsThePausePictureAndTipUntilReset) {
    const size_t record = static_cast<size_t>(Find(kRecord));
    const POINT p = PointOf(kRecord);
    const RECT box = panel_.ButtonBounds(record);
    SendMessageW(panel_.Handle(), WM_PANEL_SET_TOGGLE, kRecord, 1);
    // The toggle's own picture starts at its button.
    EXPECT_EQ(Shown(p), PicturePixel("pause_back.jpg", p, POINT{box.left, box.top}));
    EXPECT_EQ(SkinToolText(panel_.Tooltip(), panel_.Handle(), CSkinPanel::ToolId(record)), L"Pause now");

    SendMessageW(panel_.Handle(), WM_PANEL_RESET_TOGGLES, 0, 0);
    EXPECT_EQ(Shown(p), PicturePixel("video_back.jpg", p));
    EXPECT_EQ(SkinToolText(panel_.Tooltip(), panel_.Handle(), CSkinPanel::ToolId(record)), L"tip 960000");
    // A press never flips a toggle by itself.
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p));
    SendMessageW(panel_.Handle(), WM_LBUTTONUP, 0, At(p));
    EXPECT_EQ(panel_.Logic()->ToggleState(record), 1);
}

TEST_F(SkinPanelTest, VolumeSliderStartsAtTheControllersVolumeAndReportsSteps) {
    CSkinSlider* slider = panel_.SliderFor(kVolume);
    ASSERT_NE(slider, nullptr);
    const int steps = slider->Steps();
    ASSERT_GE(steps, 2);
    EXPECT_EQ(slider->CurrentStep(), (steps - 1) / 2);  // volume 0.5, cut
    ASSERT_EQ(controller_.listeners.size(), 1u);
    EXPECT_EQ(controller_.listeners[0].window, slider->Handle());
    EXPECT_EQ(controller_.listeners[0].kind, kAudioVolumeListener);
    EXPECT_EQ(controller_.listeners[0].message, WM_SLIDER_SHOW_IF_PARENT_HIDDEN);
    // It sits on its area of the panel.
    RECT area = panel_.ButtonBounds(static_cast<size_t>(Find(kVolume)));
    RECT placed{};
    GetWindowRect(slider->Handle(), &placed);
    MapWindowPoints(nullptr, panel_.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, area.left);
    EXPECT_EQ(placed.top, area.top);

    // Dragged to the last step: 1.0.
    const POINT last = InsideOf(slider->StepRegion(steps - 1));
    const POINT first = InsideOf(slider->StepRegion(0));
    SendMessageW(slider->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(first));
    SendMessageW(slider->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(last));
    SendMessageW(slider->Handle(), WM_LBUTTONUP, 0, At(last));
    ASSERT_EQ(controller_.sliderValues.size(), 2u);
    EXPECT_EQ(controller_.sliderValues[0], std::make_pair(kVolume, 0.0));
    EXPECT_EQ(controller_.sliderValues[1], std::make_pair(kVolume, 1.0));

    // The broadcast moves it only while its panel is hidden.
    SendMessageW(slider->Handle(), WM_SLIDER_SHOW_IF_PARENT_HIDDEN, 0, 1);
    EXPECT_EQ(slider->CurrentStep(), steps - 1);
    ShowWindow(panel_.Handle(), SW_HIDE);
    SendMessageW(slider->Handle(), WM_SLIDER_SHOW_IF_PARENT_HIDDEN, 50, 1);
    EXPECT_EQ(slider->CurrentStep(), ((steps - 1) * 50 + 99) / 100);

    SendMessageW(panel_.Handle(), WM_PANEL_SET_SLIDER, kVolume, 0);
    EXPECT_FALSE(slider->Enabled());
}

TEST_F(SkinPanelTest, ASliderThatLosesTheMouseMidDragNoLongerFollowsIt) {
    CSkinSlider* slider = panel_.SliderFor(kVolume);
    ASSERT_NE(slider, nullptr);
    const POINT first = InsideOf(slider->StepRegion(0));
    const POINT last = InsideOf(slider->StepRegion(slider->Steps() - 1));
    SendMessageW(slider->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(first));
    ASSERT_EQ(GetCapture(), slider->Handle());
    // Another window takes the mouse; the button is released over it.
    SetCapture(parent_);
    ReleaseCapture();
    // Passing over the slider later, button up, moves nothing.
    SendMessageW(slider->Handle(), WM_MOUSEMOVE, 0, At(last));
    EXPECT_EQ(slider->CurrentStep(), 0);
    ASSERT_EQ(controller_.sliderValues.size(), 1u);
    EXPECT_EQ(controller_.sliderValues[0], std::make_pair(kVolume, 0.0));
}

TEST(SkinPanelCreate, FailsWithoutItsConfiguration) {
    CGdiplusSession gdiplus;
    CFakeController controller;
    CSkinPanel panel(controller);
    HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(panel.Create(parent, 0, 0, L"No_Such_Panel"));
    EXPECT_EQ(panel.Handle(), nullptr);
    DestroyWindow(parent);
}

}  // namespace
