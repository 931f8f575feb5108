// The program started in image mode: taking a picture as the camera key
// does, the capture banner running over its place, and the main window as
// it was once the banner has run.
#include "MessagePump.h"
#include "ScreenSuite.h"

namespace vimbrel::screentest {
namespace {

// The banner's place on the skin, in the main window's client area.
constexpr RECT kBannerArea{492, 46, 672, 86};

class ImageModeScreen : public CProgramSuite<ImageModeScreen> {
public:
    static RunOptions Options() { return RunOptions{Mode::Image, false, {}}; }
};

TEST_F(ImageModeScreen, TheBannerRunsAndLeavesTheWindowAsItWas) {
    CScreenPicture::OfWindow(Run().Main()).SaveToGallery(L"image-mode");
    const CScreenPicture before = CScreenPicture::OfClient(Run().Main(), kBannerArea);
    ASSERT_FALSE(before.Empty());

    const std::wstring folder = MediaFolder(L"Image");
    const std::vector<std::wstring> earlier = FilesIn(folder);
    // The camera-button tool's capture key.
    HWND hidden = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
    ASSERT_NE(hidden, nullptr);
    PostMessageW(hidden, RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE"), 71, 0);
    // The banner runs over its place: a good part of it changes while it
    // does (its frames last a tenth of a second each).
    const int area = before.Width() * before.Height();
    int changed = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            changed = CScreenPicture::OfClient(Run().Main(), kBannerArea).CountDifferent(before, 24);
            return changed > area / 10;
        },
        10000))
        << "no banner ran (" << changed << " of " << area << " pixels changed)";
    SaveScreenToGallery(L"capture-banner");
    EXPECT_TRUE(WaitFor([&] { return FilesIn(folder).size() == earlier.size() + 1; }, 15000)) << "no picture taken";
    // The banner runs about a second after the picture.
    testbench::PumpFor(3000);
    const CScreenPicture after = CScreenPicture::OfClient(Run().Main(), kBannerArea);
    after.SaveToGallery(L"banner-area-after");
    EXPECT_EQ(after.CountDifferent(before, 8), 0) << "the banner's last frame stays on the window";

    RemoveFilesNotIn(folder, earlier);
}

}  // namespace
}  // namespace vimbrel::screentest
