// Still pictures of the bench camera's still scene through the live
// preview: every file format (decoded again by check_still_files.sh with an
// independent decoder), and the burst's screen blend checked pixel by pixel.
#include "engine/tests/PreviewSupport.h"

#include "engine/win/CaptureEngineState.h"
#include "MessagePump.h"

#include <gdiplus.h>

#include <cstdio>
#include <mutex>
#include <thread>

namespace enginetest {
namespace {

namespace GP = Gdiplus::DllExports;

const char kFolder[] = "engine-stills";

// 255 - floor((255 - a)(255 - b) / 255), worked here apart from the engine.
int Screen(int a, int b) { return 255 - (255 - a) * (255 - b) / 255; }

class Stills : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        if (IsSkipped()) return;
        CreateDirectoryA(kFolder, nullptr);
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr));
    }

    void TearDown() override {
        if (gdiplus_ != 0) Gdiplus::GdiplusShutdown(gdiplus_);
        PreviewTest::TearDown();
    }

    static std::string PathOf(const char* name) { return std::string(kFolder) + "\\" + name; }

    // The picture in a file as top-down RGB bytes, or empty.
    static std::vector<BYTE> Decode(const std::string& path, UINT& width, UINT& height) {
        std::vector<BYTE> rgb;
        const std::wstring wide(path.begin(), path.end());
        Gdiplus::GpBitmap* bitmap = nullptr;
        if (GP::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) != Gdiplus::Ok) return rgb;
        GP::GdipGetImageWidth(bitmap, &width);
        GP::GdipGetImageHeight(bitmap, &height);
        for (UINT y = 0; y < height; ++y) {
            for (UINT x = 0; x < width; ++x) {
                Gdiplus::ARGB colour = 0;
                GP::GdipBitmapGetPixel(bitmap, static_cast<INT>(x), static_cast<INT>(y), &colour);
                rgb.push_back(static_cast<BYTE>(colour >> 16));
                rgb.push_back(static_cast<BYTE>(colour >> 8));
                rgb.push_back(static_cast<BYTE>(colour));
            }
        }
        GP::GdipDisposeImage(bitmap);
        return rgb;
    }

    // The scene as top-down RGB, the form the decoders give.
    std::vector<BYTE> SceneRgb(LONG width, LONG height) {
        const std::vector<BYTE> dib = SceneFrame(width, height);
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        std::vector<BYTE> rgb;
        for (LONG y = height - 1; y >= 0; --y) {
            const BYTE* row = dib.data() + static_cast<size_t>(y) * stride;
            for (LONG x = 0; x < width; ++x) {
                rgb.push_back(row[x * 3 + 2]);
                rgb.push_back(row[x * 3 + 1]);
                rgb.push_back(row[x * 3]);
            }
        }
        return rgb;
    }

    void StartWithFrames(int mode) {
        ASSERT_EQ(1, Start(mode, 0));  // 320 x 240
        std::vector<BYTE> frame;
        LONG width = 0;
        LONG height = 0;
        ASSERT_TRUE(WaitForGrabbedFrame(frame, width, height));
    }

    ULONG_PTR gdiplus_ = 0;
};

TEST_F(Stills, EveryFormatIsWrittenFromTheGrabbersFrame) {
    StartWithFrames(3);
    // What the independent decoder compares the files with.
    const std::vector<BYTE> expected = SceneRgb(320, 240);
    FILE* file = fopen(PathOf("expected-320x240.rgb").c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fwrite(expected.data(), 1, expected.size(), file);
    fclose(file);

    const char* extensions[] = {"bmp", "jpg", "gif", "png", "tif"};
    for (int format = 0; format < 5; ++format) {
        const std::string path = PathOf((std::string("still.") + extensions[format]).c_str());
        DeleteFileA(path.c_str());
        ASSERT_EQ(1, SetImageFileFormat(format));
        ASSERT_EQ(1, CaptureImage(path.c_str())) << path;
        UINT width = 0;
        UINT height = 0;
        const std::vector<BYTE> decoded = Decode(path, width, height);
        EXPECT_EQ(320u, width) << path;
        EXPECT_EQ(240u, height) << path;
        if (format == 0 || format == 3 || format == 4) {
            EXPECT_TRUE(decoded == expected) << path << " is not the scene";
        }
    }
}

TEST_F(Stills, ABurstSavesTheScreenBlendOfFiveFrames) {
    StartWithFrames(3);
    ASSERT_EQ(1, SetShootMode(3));
    ASSERT_EQ(1, SetImageFileFormat(0));
    const std::string path = PathOf("burst.bmp");
    DeleteFileA(path.c_str());
    const CStopwatch watch;
    ASSERT_EQ(1, CaptureImage(path.c_str()));
    EXPECT_GE(watch.Ms(), 480.0);  // five frames 100 ms apart

    UINT width = 0;
    UINT height = 0;
    const std::vector<BYTE> decoded = Decode(path, width, height);
    ASSERT_EQ(320u, width);
    ASSERT_EQ(240u, height);
    const std::vector<BYTE> scene = SceneRgb(320, 240);
    size_t wrong = 0;
    for (size_t i = 0; i < scene.size(); ++i) {
        const int c = scene[i];
        const int blended = Screen(Screen(Screen(Screen(c, c), c), c), c);
        wrong += decoded[i] == blended ? 0 : 1;
    }
    EXPECT_EQ(0u, wrong) << "bytes off the screen blend of five equal frames";
    // The bars (top) and the ramp (bottom) stayed where they were.
    EXPECT_EQ(Screen(Screen(Screen(Screen(192, 192), 192), 192), 192), decoded[0]);
    EXPECT_EQ(0, decoded[(239u * 320u) * 3u]);
}

// The program's self-timer thread may be half-way through a burst when the
// user closes the program: the engine ends only after the burst, which
// keeps its grabber and its encoder to the last frame.
TEST_F(Stills, UninitializeLetsABurstOnAnotherThreadFinish) {
    StartWithFrames(3);
    ASSERT_EQ(1, SetShootMode(3));
    ASSERT_EQ(1, SetImageFileFormat(0));
    const std::string path = PathOf("burst_at_exit.bmp");
    DeleteFileA(path.c_str());
    int taken = -1;
    std::thread timer([&] { taken = CaptureImage(path.c_str()); });
    // Under way once it holds the burst picture.
    std::mutex& burst = camera::Engine().burstLock;
    ASSERT_TRUE(testbench::PumpUntil(
        [&] {
            if (!burst.try_lock()) return true;
            burst.unlock();
            return false;
        },
        3000));
    EXPECT_EQ(1, Uninitialize());
    timer.join();
    EXPECT_EQ(1, taken);
    UINT width = 0;
    UINT height = 0;
    EXPECT_FALSE(Decode(path, width, height).empty());
    EXPECT_EQ(0, CaptureImage(path.c_str()));
}

TEST_F(Stills, TheBurstShootModeOutsideImageModeSavesOneFrame) {
    StartWithFrames(0);
    ASSERT_EQ(1, SetShootMode(3));
    ASSERT_EQ(1, SetImageFileFormat(3));
    const std::string path = PathOf("single.png");
    DeleteFileA(path.c_str());
    const DWORD start = GetTickCount();
    ASSERT_EQ(1, CaptureImage(path.c_str()));
    EXPECT_LT(GetTickCount() - start, 400u);
    UINT width = 0;
    UINT height = 0;
    EXPECT_TRUE(Decode(path, width, height) == SceneRgb(320, 240));
}

}  // namespace
}  // namespace enginetest
