// The program started in video mode, as its user sees it on the screen: the
// live picture, the settings strip drawn before the mouse goes near it, the
// setting popups opening and closing, their effect and frame tiles, and the
// effect and frame popups agreeing with each other and with the picture.
#include "MessagePump.h"
#include "ScreenPopups.h"
#include "ScreenSuite.h"

namespace vimbrel::screentest {
namespace {

// The selected filter cell of an image popup is framed in F0D264 two
// pixels outside it.
constexpr COLORREF kSelectionFrame = RGB(0xF0, 0xD2, 0x64);

class VideoModeScreen : public CProgramSuite<VideoModeScreen> {
public:
    static RunOptions Options() { return RunOptions{Mode::Video, false, {}}; }

protected:
    // A point on the skin's plain background, away from every control.
    static POINT Away() { return OnScreen(Run().Main(), 300, 20); }

    static HWND Hover(HWND button) { return HoverForPopup(Run(), button); }
    static bool Hidden(HWND popup) {
        return WaitFor([popup] { return !IsWindowVisible(popup); }, 3000);
    }
    // The pointer from the button straight up into the popup (a way out
    // of the button sideways closes it), then on to a point of the popup.
    static void IntoPopup(HWND popup, POINT client) {
        RECT r{};
        GetWindowRect(popup, &r);
        POINT from{};
        GetCursorPos(&from);
        MoveMouseTo({from.x, r.bottom - 4});
        MoveMouseTo(OnScreen(popup, client.x, client.y));
    }
    static void ClickCell(HWND popup, int cell) {
        IntoPopup(popup, ImageCellCentre(cell));
        ClickAt(OnScreen(popup, ImageCellCentre(cell).x, ImageCellCentre(cell).y));
    }
    // Whether the image popup marks cell as its selection.
    static bool Marks(HWND popup, int cell) {
        const CScreenPicture shown = CScreenPicture::OfWindow(popup);
        const POINT c = ImageCellCentre(cell);
        return Near(shown.At(c.x, c.y - 12 - 2), kSelectionFrame, 24);
    }
    std::vector<HWND> Buttons() const { return Run().SettingButtons(); }
};

TEST_F(VideoModeScreen, MainWindowShowsTheLivePicture) {
    HWND preview = Run().Preview();
    ASSERT_NE(preview, nullptr);
    // The bench camera's scene is colour bars: far from the black of an
    // empty preview almost everywhere.
    auto lit = [](COLORREF c) { return GetRValue(c) > 40 || GetGValue(c) > 40 || GetBValue(c) > 40; };
    EXPECT_TRUE(WaitFor(
        [&] {
            const CScreenPicture shown = CScreenPicture::OfWindow(preview);
            return !shown.Empty() && shown.Count(lit) > shown.Width() * shown.Height() / 2;
        },
        20000))
        << "the preview stays dark";
    // Live, not a still: the bench camera's square moves some 150 pixels a
    // second, so two looks at the preview a moment apart differ.
    const CScreenPicture first = CScreenPicture::OfWindow(preview);
    int moved = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            moved = CScreenPicture::OfWindow(preview).CountDifferent(first, 24);
            return moved > 200;
        },
        5000))
        << "the preview is frozen (" << moved << " pixels changed)";
    EXPECT_TRUE(CScreenPicture::OfWindow(Run().Main()).SaveToGallery(L"video-mode"));
}

// Every button of the strip shows its picture from the start and after a
// mode change, with the pointer never near the strip.
TEST_F(VideoModeScreen, SettingsStripIsDrawnBeforeAnyMouseMove) {
    auto undrawn = [] { return Run().BlankSettingButtons(); };
    // Video mode has some ten buttons, from shoot mode to the settings sheet.
    ASSERT_GE(Buttons().size(), 10u);
    EXPECT_EQ(undrawn(), std::vector<int>{}) << "blank buttons in video mode";
    CScreenPicture::OfWindow(Run().FunctionPanel()).SaveToGallery(L"video-mode-strip");
    for (Mode m : {Mode::Image, Mode::Video}) {
        ASSERT_TRUE(Run().ChangeMode(m));
        MoveMouseTo({1, 1});
        EXPECT_EQ(undrawn(), std::vector<int>{}) << "blank buttons after the change to mode " << static_cast<int>(m);
    }
}

// How many of a tile's rows change along the row away from its middle
// columns: a picture has shapes across most rows, a flat or shaded square
// (even with a mark in its middle) none.
int RowsWithShapes(const std::vector<COLORREF>& tile) {
    int rows = 0;
    for (int y = 0; y < 22; ++y) {
        bool varies = false;
        for (int x = 0; x < 30; ++x)
            if ((x < 10 || x > 19) && !Near(tile[y * 30 + x], tile[y * 30], 8)) varies = true;
        rows += varies;
    }
    return rows;
}

// Each tile of the effect and frame popups is a picture of its own: never a
// flat or shaded square, and clearly apart from every other tile of its popup.
TEST_F(VideoModeScreen, EffectAndFrameTilesAreDistinctPictures) {
    const std::vector<HWND> buttons = Buttons();
    ASSERT_GE(buttons.size(), 10u);
    for (HWND button : {buttons[buttons.size() - 3], buttons[buttons.size() - 2]}) {
        HWND popup = Hover(button);
        ASSERT_NE(popup, nullptr);
        testbench::PumpFor(300);
        const CScreenPicture shown = CScreenPicture::OfWindow(popup);
        ASSERT_EQ(shown.Width(), kImagePopupWidth);
        std::vector<std::vector<COLORREF>> tiles;
        for (int cell = 0; cell < 16; ++cell) {
            tiles.push_back(ImageTile(shown, cell));
            EXPECT_GE(RowsWithShapes(tiles.back()), 8) << "tile " << cell << " is a plain square";
        }
        EXPECT_EQ(LookAlikeTiles(tiles), (std::vector<std::pair<int, int>>{})) << "tiles look alike";
        MoveMouseTo(Away());
        EXPECT_TRUE(Hidden(popup));
    }
}

// A popup closes when the mouse leaves it (also after a click in it), on
// Esc, when another opens, on a mode change and under a modal box; the
// mouse may go from the button up into it and back.
TEST_F(VideoModeScreen, PopupsCloseAndNeverStack) {
    const std::vector<HWND> buttons = Buttons();
    ASSERT_GE(buttons.size(), 10u);
    // From the right: the settings sheet's button, the frames, the effects.
    HWND effects = buttons[buttons.size() - 3], frames = buttons[buttons.size() - 2];

    HWND popup = Hover(effects);
    ASSERT_NE(popup, nullptr) << "no popup over the effect button";
    RECT r{};
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.right - r.left, kImagePopupWidth);
    EXPECT_EQ(r.bottom - r.top, kImagePopupHeight);
    CScreenPicture::OfWindow(popup).SaveToGallery(L"popup-effects");
    // Up into it and back into the button: it stays.
    IntoPopup(popup, {80, 80});
    EXPECT_TRUE(IsWindowVisible(popup));
    MoveMouseTo(CentreOf(effects));
    testbench::PumpFor(300);
    EXPECT_TRUE(IsWindowVisible(popup));
    MoveMouseTo(Away());
    EXPECT_TRUE(Hidden(popup)) << "left for the skin";

    // After a click on a tile the popup still goes when the mouse does.
    popup = Hover(effects);
    ASSERT_NE(popup, nullptr);
    ClickCell(popup, 0);
    EXPECT_TRUE(IsWindowVisible(popup)) << "a click keeps the effect popup open";
    MoveMouseTo(Away());
    EXPECT_TRUE(Hidden(popup)) << "left after a click";

    popup = Hover(effects);
    ASSERT_NE(popup, nullptr);
    IntoPopup(popup, {80, 80});
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Hidden(popup)) << "Esc";
    // The slider's trackbar gives the keyboard away: Esc still closes it.
    bool slider = false;
    for (HWND button : buttons) {
        MoveMouseTo(CentreOf(button));
        const auto shown = Run().ShownPopups();
        RECT s{};
        if (shown.size() != 1 || !GetWindowRect(shown.front(), &s) || s.right - s.left != 60) continue;
        IntoPopup(shown.front(), {30, 60});
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(Hidden(shown.front())) << "Esc on the slider";
        slider = true;
        break;
    }
    EXPECT_TRUE(slider) << "no slider popup in video mode";
    MoveMouseTo(Away());

    // Sideways onto the next button: its popup replaces the first.
    popup = Hover(effects);
    ASSERT_NE(popup, nullptr);
    HWND other = Hover(frames);
    EXPECT_NE(other, nullptr) << "one popup, the frames', after moving to their button";
    EXPECT_FALSE(IsWindowVisible(popup));
    if (other) CScreenPicture::OfWindow(other).SaveToGallery(L"popup-frames");

    // A modal box (the about box, opened by a click the window gets) hides it.
    IntoPopup(other ? other : popup, {80, 80});
    EXPECT_TRUE(IsWindowVisible(other ? other : popup));
    PostMessageW(Run().Main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(700, 50));
    PostMessageW(Run().Main(), WM_LBUTTONUP, 0, MAKELPARAM(700, 50));
    HWND box = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (box = Run().ShownDialog()) != nullptr; }, 5000)) << "no about box";
    if (box) {
        SaveScreenToGallery(L"about-box");
        EXPECT_TRUE(other == nullptr || Hidden(other)) << "a popup over the about box";
        EXPECT_EQ(Run().ShownPopups(), std::vector<HWND>{box});
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        WaitFor([box] { return !IsWindowVisible(box); }, 5000);
    }

    // A mode change hides it too (the wheel is clicked with the popup
    // open: the pointer goes straight there, the popup's watch is slower).
    popup = Hover(effects);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(Run().ChangeMode(Mode::Image));
    EXPECT_TRUE(Hidden(popup)) << "mode change";
    EXPECT_TRUE(Run().ShownPopups().empty());
    ASSERT_TRUE(Run().ChangeMode(Mode::Video));
}

// The live effect and the frame exclude each other: after each choice the
// popups mark what the picture shows.
TEST_F(VideoModeScreen, EffectAndFrameMarksFollowTheOtherChoice) {
    const std::vector<HWND> buttons = Buttons();
    ASSERT_GE(buttons.size(), 10u);
    HWND effectButton = buttons[buttons.size() - 3], frameButton = buttons[buttons.size() - 2];
    HWND preview = Run().Preview();
    const CScreenPicture plain = CScreenPicture::OfWindow(preview);

    // Cell 9 of the live effects is the negative picture.
    HWND effects = Hover(effectButton);
    ASSERT_NE(effects, nullptr);
    ClickCell(effects, 9);
    EXPECT_TRUE(Marks(effects, 9));
    MoveMouseTo(Away());
    testbench::PumpFor(1500);
    const CScreenPicture negative = CScreenPicture::OfWindow(preview);
    EXPECT_GT(negative.CountDifferent(plain, 40), plain.Width() * plain.Height() / 3) << "no effect on the picture";

    // A frame replaces the effect, on the picture and in the effect popup.
    HWND frames = Hover(frameButton);
    ASSERT_NE(frames, nullptr);
    ClickCell(frames, 1);
    MoveMouseTo(Away());
    testbench::PumpFor(1500);
    const CScreenPicture framed = CScreenPicture::OfWindow(preview);
    framed.SaveToGallery(L"preview-framed");
    effects = Hover(effectButton);
    ASSERT_NE(effects, nullptr);
    EXPECT_TRUE(Marks(effects, 0)) << "the effect popup does not say none";
    EXPECT_FALSE(Marks(effects, 9)) << "the effect popup still marks the dropped effect";
    // The frame covers the edges; inside, the picture is the camera's own.
    // The scene's object moves between the two looks, so a pixel counts as
    // negative only where it shows the plain picture's inverse; the object's
    // orange never lands on a bar's inverse.
    const RECT middle{framed.Width() / 4, framed.Height() / 4, framed.Width() * 3 / 4, framed.Height() * 3 / 4};
    const int inside = (middle.right - middle.left) * (middle.bottom - middle.top);
    const auto inverse = [](COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); };
    int negativeInside = 0;
    for (int y = middle.top; y < middle.bottom; ++y)
        for (int x = middle.left; x < middle.right; ++x)
            if (Near(framed.At(x, y), inverse(plain.At(x, y)), 40) && !Near(framed.At(x, y), plain.At(x, y), 40))
                ++negativeInside;
    EXPECT_LT(negativeInside, inside / 10) << "the picture keeps the dropped effect";

    // And back: no effect, no frame.
    ClickCell(effects, 0);
    MoveMouseTo(Away());
    testbench::PumpFor(500);
}

// Every mode's window and every popup of its strip, for the gallery; each
// popup opens over its button, shows alone, takes the pointer and goes when
// the pointer leaves. A button whose popup does not open fails.
TEST_F(VideoModeScreen, EveryPopupOfEveryModeShowsAloneAndCloses) {
    const struct {
        Mode mode;
        const wchar_t* name;
    } modes[] = {{Mode::VideoOnly, L"video-only"}, {Mode::Audio, L"audio"},   {Mode::Image, L"image"},
                 {Mode::Monitor, L"monitor"},      {Mode::Browse, L"browse"}, {Mode::Video, L"video"}};
    for (const auto& m : modes) {
        const std::string mode(m.name, m.name + wcslen(m.name));
        ASSERT_TRUE(Run().ChangeMode(m.mode)) << "no change to the " << mode;
        MoveMouseTo({1, 1});
        CScreenPicture::OfWindow(Run().Main()).SaveToGallery(std::wstring(L"mode-") + m.name);
        const std::vector<HWND> buttons = Buttons();
        EXPECT_GE(buttons.size(), 2u) << mode;
        for (size_t i = 0; i < buttons.size(); ++i) {
            const std::string where = mode + " button " + std::to_string(i);
            // The last button opens the settings sheet, a box and no popup.
            const bool sheet = i + 1 == buttons.size();
            MoveMouseTo(CentreOf(buttons[i]));
            std::vector<HWND> shown;
            WaitFor([&] { return !(shown = Run().ShownPopups()).empty(); }, sheet ? 1500 : 5000);
            testbench::PumpFor(200);
            shown = Run().ShownPopups();
            if (sheet) {
                EXPECT_EQ(shown, std::vector<HWND>{}) << where << ": a popup over the settings sheet's button";
                continue;
            }
            ASSERT_EQ(shown.size(), 1u) << where << ": " << (shown.empty() ? "no popup opened" : "popups stack");
            HWND popup = shown.front();
            CScreenPicture::OfWindow(popup).SaveToGallery(std::wstring(L"popup-") + m.name + L"-" + std::to_wstring(i));
            RECT r{};
            GetWindowRect(popup, &r);
            IntoPopup(popup, {(r.right - r.left) / 2, (r.bottom - r.top) / 2});
            EXPECT_TRUE(IsWindowVisible(popup)) << where << ": closed on the way in";
            MoveMouseTo(Away());
            EXPECT_TRUE(Hidden(popup)) << where << ": stays after the pointer left";
        }
    }
}

}  // namespace
}  // namespace vimbrel::screentest
