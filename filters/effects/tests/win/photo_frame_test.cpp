#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "EffectGraph.h"
#include "ScriptedSource.h"

namespace lenstinttest {
namespace {

using basetest::CScriptedSource;
using basetest::RepeatPicture;
using basetest::VideoInfoType;

constexpr DWORD kWaitMs = 10000;

std::size_t Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

std::vector<BYTE> GreyPicture(int width, int height, BYTE value) {
    std::vector<BYTE> bytes(Stride(width) * height, 0);
    for (int y = 0; y < height; ++y) std::memset(&bytes[Stride(width) * y], value, static_cast<std::size_t>(width) * 3);
    return bytes;
}

// Pixel (x, y from the top) of a bottom-up frame, blue first.
const BYTE* PixelOf(const std::vector<BYTE>& frame, int width, int height, int x, int y) {
    return &frame[Stride(width) * (height - 1 - y) + 3 * x];
}

bool Near(const BYTE* p, int b, int g, int r, int tolerance) {
    return std::abs(p[0] - b) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - r) <= tolerance;
}

bool PngEncoder(CLSID& id) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> memory(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(memory.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpW(codecs[i].MimeType, L"image/png") == 0) {
            id = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

class PhotoFrameTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token_, &input, nullptr));
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"lenstint_frame_test.png";
        ASSERT_TRUE(WriteFramePng());
    }
    void TearDown() override {
        DeleteFileW(path_.c_str());
        Gdiplus::GdiplusShutdown(token_);
        ComTest::TearDown();
    }

    // 320 x 240: an opaque red border 10 pixels wide, a blue square at half
    // alpha at (100, 100) to (139, 139), everything else transparent.
    bool WriteFramePng() {
        CLSID png{};
        if (!PngEncoder(png)) return false;
        Gdiplus::Bitmap bitmap(320, 240, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics g(&bitmap);
            g.Clear(Gdiplus::Color(0, 0, 0, 0));
            Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
            g.FillRectangle(&red, 0, 0, 320, 10);
            g.FillRectangle(&red, 0, 230, 320, 10);
            g.FillRectangle(&red, 0, 0, 10, 240);
            g.FillRectangle(&red, 310, 0, 10, 240);
            g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
            Gdiplus::SolidBrush halfBlue(Gdiplus::Color(128, 0, 0, 255));
            g.FillRectangle(&halfBlue, 100, 100, 40, 40);
        }
        return bitmap.Save(path_.c_str(), &png, nullptr) == Gdiplus::Ok;
    }

    std::vector<GrabbedFrame> Run(CEffectGraph& graph, int width, int height, std::size_t count) {
        ComPtr<IBaseFilter> source = new CScriptedSource(VideoInfoType(width, height, 24, MEDIASUBTYPE_RGB24),
                                                         RepeatPicture(GreyPicture(width, height, 100)));
        if (graph.Build(source.Get()) != S_OK || FAILED(graph.Run())) return {};
        graph.WaitForFrames(count, kWaitMs);
        graph.Stop();
        return graph.frames.Frames();
    }

    std::wstring path_;

private:
    ULONG_PTR token_ = 0;
};

TEST_F(PhotoFrameTest, PngIsComposedWithItsAlpha) {
    CEffectGraph graph;
    ASSERT_TRUE(graph.settings);
    ASSERT_EQ(S_OK, graph.settings->LoadFrameImage(path_.c_str(), 0, 0, VIDEO_FRAME_FROM_FILE, nullptr, nullptr));
    ASSERT_EQ(S_OK, graph.settings->SetEffect(VIDEO_EFFECT_IMAGE_FRAME, 1));
    const auto frames = Run(graph, 320, 240, 3);
    ASSERT_FALSE(frames.empty());
    const auto& out = frames.back().bytes;
    EXPECT_TRUE(Near(PixelOf(out, 320, 240, 3, 3), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 320, 240, 315, 200), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 320, 240, 160, 235), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 320, 240, 160, 120), 100, 100, 100, 0));
    // Half-transparent blue over grey 100: 128 + 100 x 127/255 = 178 blue,
    // 100 x 127/255 = 50 on the others.
    EXPECT_TRUE(Near(PixelOf(out, 320, 240, 120, 120), 178, 50, 50, 3));
}

TEST_F(PhotoFrameTest, FrameIsStretchedToOddVideoSizes) {
    CEffectGraph graph;
    ASSERT_EQ(S_OK, graph.settings->LoadFrameImage(path_.c_str(), 0, 0, VIDEO_FRAME_FROM_FILE, nullptr, nullptr));
    graph.settings->SetEffect(VIDEO_EFFECT_IMAGE_FRAME, 1);
    const auto frames = Run(graph, 641, 481, 2);
    ASSERT_FALSE(frames.empty());
    const auto& out = frames.back().bytes;
    // Twice the size: the border is about 20 pixels wide on every side.
    EXPECT_TRUE(Near(PixelOf(out, 641, 481, 0, 0), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 641, 481, 640, 240), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 641, 481, 320, 475), 0, 0, 255, 2));
    EXPECT_TRUE(Near(PixelOf(out, 641, 481, 320, 240), 100, 100, 100, 0));
}

TEST_F(PhotoFrameTest, ShownOnlyWithItsEffectAndGoneAfterAFailedLoad) {
    CEffectGraph graph;
    ASSERT_EQ(S_OK, graph.settings->LoadFrameImage(path_.c_str(), 0, 0, VIDEO_FRAME_FROM_FILE, nullptr, nullptr));
    graph.settings->SetEffect(VIDEO_EFFECT_NONE, 0);
    auto frames = Run(graph, 320, 240, 2);
    ASSERT_FALSE(frames.empty());
    EXPECT_TRUE(frames.back().bytes == GreyPicture(320, 240, 100));

    graph.settings->SetEffect(VIDEO_EFFECT_IMAGE_FRAME, 1);
    EXPECT_EQ(E_FAIL, graph.settings->LoadFrameImage(L"C:\\missing\\frame.png", 0, 0, 0, nullptr, nullptr));
    graph.frames.Clear();
    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    ASSERT_TRUE(graph.WaitForFrames(2, kWaitMs));
    graph.Stop();
    EXPECT_TRUE(graph.frames.Frames().back().bytes == GreyPicture(320, 240, 100));
}

TEST_F(PhotoFrameTest, FramesComeFromModuleResourcesToo) {
    // This test program carries the first photo frame as resource FRAME1 of
    // type PNG: a white border, deepest at the bottom.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (int source : {VIDEO_FRAME_FROM_EXECUTABLE, VIDEO_FRAME_FROM_MODULE}) {
        CEffectGraph graph;
        ASSERT_EQ(S_OK, graph.settings->LoadFrameImage(self, 0, 0, source, L"FRAME1", L"PNG")) << source;
        graph.settings->SetEffect(VIDEO_EFFECT_IMAGE_FRAME, 1);
        const auto frames = Run(graph, 320, 240, 2);
        ASSERT_FALSE(frames.empty());
        const auto& out = frames.back().bytes;
        EXPECT_TRUE(Near(PixelOf(out, 320, 240, 2, 2), 245, 250, 250, 3)) << source;
        EXPECT_TRUE(Near(PixelOf(out, 320, 240, 160, 230), 245, 250, 250, 3)) << source;
        EXPECT_TRUE(Near(PixelOf(out, 320, 240, 160, 120), 100, 100, 100, 0)) << source;
    }
    CEffectGraph graph;
    EXPECT_EQ(E_FAIL, graph.settings->LoadFrameImage(self, 0, 0, VIDEO_FRAME_FROM_MODULE, L"FRAME99", L"PNG"));
}

}  // namespace
}  // namespace lenstinttest
