// The live picture as its user sees it: the bench camera's whole scene fills
// the 400 x 300 preview in video mode (320 x 240 frames) and in image mode
// (640 x 480), zoomed in and restored, mirrored from the settings sheet, and
// after mode changes; nothing of the main window's face shows in the preview.
#include "MessagePump.h"
#include "ScreenScene.h"
#include "ScreenSuite.h"

#include <string>

namespace vimbrel::screentest {
namespace {

// The zoom restore key of the function panel, in the main window's client area.
constexpr POINT kZoomRestoreKey{341, 463};
// The camera-button tool's zoom key: its first press zooms to 1.5.
constexpr WPARAM kHardwareZoom = 72;

class PreviewScreen : public CProgramSuite<PreviewScreen> {
public:
    // The mirror setting comes back as it was after the run.
    static RunOptions Options() { return RunOptions{Mode::Video, false, {{L"8194", 0}}}; }
    // The bench camera of the program's process shows the scene without
    // its moving square, which would hide a bar now and then.
    static void SetUpTestSuite() {
        SetEnvironmentVariableW(L"VIMBREL_BENCH_SCENE", L"still");
        CProgramSuite::SetUpTestSuite();
    }

protected:
    // The preview as it settles: frames keep coming, so the last look counts.
    static std::string FaultsOnScreen(double zoom, const wchar_t* galleryName, bool mirrored = false) {
        HWND preview = Run().Preview();
        if (preview == nullptr) return "no preview window";
        std::string faults;
        WaitFor(
            [&] {
                faults = SceneFaults(CScreenPicture::OfWindow(preview), zoom, mirrored);
                return faults.empty();
            },
            10000);
        CScreenPicture::OfWindow(preview).SaveToGallery(galleryName);
        return faults;
    }

    static void ClickOn(HWND window) {
        MoveMouseTo(CentreOf(window));
        ClickAt(CentreOf(window));
    }
    // The settings sheet's mirror box clicked, as the user does: the sheet
    // opened from the strip's last item and closed with its Close button.
    static bool ToggleMirror() {
        const std::vector<HWND> items = Run().SettingButtons();
        if (items.empty()) return false;
        ClickOn(items.back());
        HWND sheet = nullptr;
        if (!WaitFor([&] { return (sheet = Run().ShownDialog()) != nullptr; }, 5000)) return false;
        testbench::PumpFor(500);
        HWND box = FindDescendant(sheet, [](HWND w) { return GetDlgCtrlID(w) == 1037; });
        HWND close = FindDescendant(sheet, [](HWND w) {
            wchar_t text[16] = {};
            GetWindowTextW(w, text, 16);
            return std::wstring(text) == L"Close";
        });
        if (box == nullptr || close == nullptr) return false;
        ClickOn(box);
        testbench::PumpFor(500);
        ClickOn(close);
        MoveMouseTo({1, 1});
        return WaitFor([] { return Run().ShownDialog() == nullptr; }, 5000);
    }
    template <typename Test>
    static HWND FindDescendant(HWND parent, Test test) {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child) && test(child)) return child;
            if (HWND inner = FindDescendant(child, test)) return inner;
        }
        return nullptr;
    }
};

TEST_F(PreviewScreen, TheWholeSceneFillsThePreviewInEveryModeAndZoom) {
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-video"), "") << "video mode";

    HWND hidden = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
    ASSERT_NE(hidden, nullptr);
    PostMessageW(hidden, RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE"), kHardwareZoom, 0);
    EXPECT_EQ(FaultsOnScreen(1.5, L"preview-zoomed"), "") << "zoomed to 1.5";
    const POINT restore = OnScreen(Run().Main(), kZoomRestoreKey.x, kZoomRestoreKey.y);
    MoveMouseTo(restore);
    ClickAt(restore);
    MoveMouseTo({1, 1});
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-restored"), "") << "zoom restored";

    ASSERT_TRUE(ToggleMirror()) << "no settings sheet with a mirror box";
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-mirrored", true), "") << "mirrored";
    ASSERT_TRUE(ToggleMirror());
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-unmirrored"), "") << "mirror off";

    ASSERT_TRUE(Run().ChangeMode(Mode::Image));
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-image"), "") << "image mode";
    ASSERT_TRUE(Run().ChangeMode(Mode::Monitor));
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-monitor"), "") << "monitor mode";
    ASSERT_TRUE(Run().ChangeMode(Mode::Video));
    EXPECT_EQ(FaultsOnScreen(1.0, L"preview-video-again"), "") << "back in video mode";
}

}  // namespace
}  // namespace vimbrel::screentest
