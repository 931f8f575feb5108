// Browse mode as its user sees it: the program plays the newest video of
// the video tab in the preview area, and the whole frame fills it (the bench
// camera's bars at their columns, the ramp end to end); the stamp popup
// shows the pen and the stamps.
#include "MessagePump.h"
#include "ScreenPopups.h"
#include "ScreenScene.h"
#include "ScreenSuite.h"

#include "Scene.h"
#include "TestMedia.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace vimbrel::screentest {
namespace {

// The preview area of the skin, where the canvas and its video lie.
constexpr RECT kPreviewArea{86, 52, 486, 352};
// The video tab of the browse tabs, in the main window's client area.
constexpr POINT kVideoTab{588, 105};
constexpr int kFrameWidth = 160, kFrameHeight = 120;

std::wstring VideoFolder() {
    wchar_t common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common))) return {};
    return std::wstring(common) + L"\\Zavu\\Vimbrel2\\Vimbrel\\Video";
}

// An uncompressed AVI whose frames are the bench camera's still scene: the
// bench's writer lays out the file, and every video chunk of its movie list
// gets the scene's bytes (the same bottom-up padded rows).
std::vector<uint8_t> SceneAvi(int seconds) {
    standintest::AviShape shape;
    shape.width = kFrameWidth;
    shape.height = kFrameHeight;
    shape.rate = 5;
    shape.frames = 5 * seconds;
    std::vector<uint8_t> file = standintest::MakeAvi(shape);
    std::vector<uint8_t> scene(benchscene::FrameSize(kFrameWidth, kFrameHeight));
    benchscene::Scene still;
    still.SetPattern(benchscene::Pattern::Still);
    still.Render(kFrameWidth, kFrameHeight, 0, scene.data(), scene.size());
    const auto u32 = [&file](size_t at) {
        return static_cast<uint32_t>(file[at]) | file[at + 1] << 8 | file[at + 2] << 16 |
               static_cast<uint32_t>(file[at + 3]) << 24;
    };
    static const char kMovie[] = "movi";
    size_t at = 0;
    while (at + 4 <= file.size() && std::memcmp(&file[at], kMovie, 4) != 0) ++at;
    for (at += 4; at + 8 <= file.size();) {
        const uint32_t size = u32(at + 4);
        if (std::memcmp(&file[at], "00db", 4) == 0 && size == scene.size() && at + 8 + size <= file.size())
            std::memcpy(&file[at + 8], scene.data(), size);
        else if (std::memcmp(&file[at], "00db", 4) != 0)
            break;  // the end of the movie list
        at += 8 + size + (size & 1);
    }
    return file;
}

// A visible child of window, or null.
HWND ShownChildOf(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) return child;
    }
    return nullptr;
}

class PlaybackScreen : public CProgramSuite<PlaybackScreen> {
public:
    static RunOptions Options() { return RunOptions{Mode::Browse, false, {}}; }
    // The video is in its folder before the program lists it; named above
    // every capture name, so that it is the tab's current item.
    static void SetUpTestSuite() {
        SHCreateDirectoryExW(nullptr, VideoFolder().c_str(), nullptr);
        standintest::WriteBytes(Narrow(VideoPath()), SceneAvi(20));
        CProgramSuite::SetUpTestSuite();
    }
    static void TearDownTestSuite() {
        CProgramSuite::TearDownTestSuite();
        DeleteFileW(VideoPath().c_str());
    }

protected:
    static std::wstring VideoPath() { return VideoFolder() + L"\\zz_screen_playback.avi"; }
    static std::string Narrow(const std::wstring& wide) {
        char narrow[MAX_PATH * 3] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr);
        return narrow;
    }
};

TEST_F(PlaybackScreen, ARecordedVideoPlaysWholeInThePreviewArea) {
    const POINT tab = OnScreen(Run().Main(), kVideoTab.x, kVideoTab.y);
    MoveMouseTo(tab);
    ClickAt(tab);
    MoveMouseTo({1, 1});

    // The canvas lies on the preview area; the engine's video window in it.
    HWND canvas = nullptr;
    HWND video = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            for (HWND child = GetWindow(Run().Main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, Run().Main(), reinterpret_cast<POINT*>(&r), 2);
                if (IsWindowVisible(child) && EqualRect(&r, &kPreviewArea) && ShownChildOf(child)) {
                    canvas = child;
                    video = ShownChildOf(child);
                }
            }
            return video != nullptr;
        },
        20000))
        << "no video plays in the preview area";
    ASSERT_NE(video, nullptr);
    RECT videoRect{}, canvasRect{};
    GetWindowRect(video, &videoRect);
    GetWindowRect(canvas, &canvasRect);
    EXPECT_TRUE(EqualRect(&videoRect, &canvasRect)) << "the video window is not on the canvas";

    std::string faults;
    WaitFor(
        [&] {
            faults = SceneFaults(CScreenPicture::OfClient(Run().Main(), kPreviewArea));
            return faults.empty();
        },
        5000);
    EXPECT_EQ(faults, "");
    CScreenPicture::OfClient(Run().Main(), kPreviewArea).SaveToGallery(L"playback-browse");
}

// Each stamp tile is a shape of its own lying on the popup's ground: the
// body colour, or the selection's fill for the marked entry, never a square
// of the tile's own.
TEST_F(PlaybackScreen, StampTilesAreShapesOnThePopupsGround) {
    // Browse mode: filter, frame, pen size, colour, stamp, settings sheet.
    const std::vector<HWND> buttons = Run().SettingButtons();
    ASSERT_EQ(buttons.size(), 6u);
    HWND popup = HoverForPopup(Run(), buttons[4]);
    ASSERT_NE(popup, nullptr);
    testbench::PumpFor(300);
    const CScreenPicture shown = CScreenPicture::OfWindow(popup);
    ASSERT_EQ(shown.Width(), kImagePopupWidth);
    shown.SaveToGallery(L"browse-stamp-popup");
    const COLORREF body = shown.At(4, 40), selectedFill = RGB(0xF5, 0xD2, 0x6A);
    std::vector<std::vector<COLORREF>> tiles;
    for (int cell = 0; cell < 16; ++cell) {
        tiles.push_back(ImageTile(shown, cell));
        const COLORREF ground = tiles.back().front();
        EXPECT_TRUE(Near(ground, body, 8) || Near(ground, selectedFill, 8)) << "tile " << cell << " hides the ground";
        int shape = 0;
        for (COLORREF c : tiles.back()) shape += !Near(c, ground, 24);
        EXPECT_GT(shape, 40) << "tile " << cell << " shows no stamp";
    }
    EXPECT_EQ(LookAlikeTiles(tiles), (std::vector<std::pair<int, int>>{})) << "tiles look alike";
    MoveMouseTo(OnScreen(Run().Main(), 300, 20));
    EXPECT_TRUE(WaitFor([popup] { return !IsWindowVisible(popup); }, 3000));
}

}  // namespace
}  // namespace vimbrel::screentest
