// Playback as its user sees it: started in browse mode, the program plays
// the newest video of the video tab in the preview area, and the whole frame
// fills it (the bench camera's bars at their columns, the ramp end to end).
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
    EXPECT_TRUE(WaitFor([&] {
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
    }, 20000)) << "no video plays in the preview area";
    ASSERT_NE(video, nullptr);
    RECT videoRect{}, canvasRect{};
    GetWindowRect(video, &videoRect);
    GetWindowRect(canvas, &canvasRect);
    EXPECT_TRUE(EqualRect(&videoRect, &canvasRect)) << "the video window is not on the canvas";

    std::string faults;
    WaitFor([&] {
        faults = SceneFaults(CScreenPicture::OfClient(Run().Main(), kPreviewArea));
        return faults.empty();
    }, 5000);
    EXPECT_EQ(faults, "");
    CScreenPicture::OfClient(Run().Main(), kPreviewArea).SaveToGallery(L"playback-browse");
}

}  // namespace
}  // namespace vimbrel::screentest
