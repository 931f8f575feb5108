#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchDevices.h"
#include "EffectGraph.h"
#include "ScriptedSource.h"
#include "kernels/EffectPipeline.h"

namespace lenstinttest {
namespace {

using basetest::CScriptedSource;
using basetest::RepeatPicture;
using basetest::VideoInfoType;


constexpr DWORD kWaitMs = 10000;

std::size_t Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

// A picture as the tests paint it: packed rows, bottom-up like the frames.
struct Picture {
    int width;
    int height;
    std::vector<BYTE> bytes;  // DIB layout, padding bytes included

    Picture(int w, int h) : width(w), height(h), bytes(Stride(w) * h, 0) {}
    BYTE* At(int x, int yFromTop) { return &bytes[Stride(width) * (height - 1 - yFromTop) + 3 * x]; }
    const BYTE* At(int x, int yFromTop) const { return &bytes[Stride(width) * (height - 1 - yFromTop) + 3 * x]; }
    void Fill(BYTE b, BYTE g, BYTE r) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                BYTE* p = At(x, y);
                p[0] = b;
                p[1] = g;
                p[2] = r;
            }
    }
    void FillPattern() {
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>((i * 7 + i / 97) & 0xFF);
    }
};

// A graph that delivers this picture (or its first `length` bytes) again and again.
class CPictureGraph {
public:
    explicit CPictureGraph(const Picture& picture, IBaseFilter* sharedEffect = nullptr, long length = -1) {
        if (sharedEffect != nullptr) graph.UseEffect(sharedEffect);
        source_ = new CScriptedSource(VideoInfoType(picture.width, picture.height, 24, MEDIASUBTYPE_RGB24),
                                      RepeatPicture(picture.bytes, length));
        built = graph.Build(source_.Get());
    }
    // Runs until count frames came through; the frames.
    std::vector<GrabbedFrame> Collect(std::size_t count) {
        graph.frames.Clear();
        if (FAILED(graph.Run())) return {};
        graph.WaitForFrames(count, kWaitMs);
        graph.Stop();
        return graph.frames.Frames();
    }

    CEffectGraph graph;
    HRESULT built = E_FAIL;

private:
    ComPtr<IBaseFilter> source_;
};

// How many pixels inside / outside a box (top-left coordinates) differ from
// the picture by more than a tolerance.
struct ChangeCount {
    int inside = 0;
    int outside = 0;
};

ChangeCount ChangedPixels(const Picture& before, const std::vector<BYTE>& after, int left, int top, int right,
                          int bottom, int tolerance = 0) {
    ChangeCount count;
    for (int y = 0; y < before.height; ++y) {
        for (int x = 0; x < before.width; ++x) {
            const BYTE* a = before.At(x, y);
            const BYTE* b = &after[Stride(before.width) * (before.height - 1 - y) + 3 * x];
            bool changed = false;
            for (int c = 0; c < 3; ++c) changed |= std::abs(a[c] - b[c]) > tolerance;
            if (!changed) continue;
            const bool in = x >= left && x < right && y >= top && y < bottom;
            ++(in ? count.inside : count.outside);
        }
    }
    return count;
}

const BYTE* PixelOf(const std::vector<BYTE>& frame, int width, int height, int x, int yFromTop) {
    return &frame[Stride(width) * (height - 1 - yFromTop) + 3 * x];
}

// Whether any pixel of the box (top-left coordinates, right and bottom
// excluded) of a 320 x 240 frame satisfies the test.
template <typename PixelTest>
bool AnyPixelInBox(const std::vector<BYTE>& frame, int left, int top, int right, int bottom, PixelTest test) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (test(PixelOf(frame, 320, 240, x, y))) return true;
    return false;
}

class FilterGraphTest : public ComTest {};

TEST_F(FilterGraphTest, FreshFilterPassesOddSizedFramesByteForByte) {
    Picture picture(641, 481);
    picture.FillPattern();
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    const auto frames = run.Collect(3);
    ASSERT_GE(frames.size(), 3u);
    for (const auto& frame : frames) EXPECT_TRUE(frame.bytes == picture.bytes);
}

TEST_F(FilterGraphTest, NegativeTouchesPixelsButNotRowPadding) {
    Picture picture(641, 3);
    picture.FillPattern();
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    ASSERT_EQ(S_OK, run.graph.settings->SetEffect(VIDEO_EFFECT_NEGATIVE, 0));
    const auto frames = run.Collect(2);
    ASSERT_FALSE(frames.empty());
    const std::vector<BYTE>& out = frames.back().bytes;
    ASSERT_EQ(picture.bytes.size(), out.size());
    const std::size_t stride = Stride(641);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool padding = i % stride >= 641 * 3;
        ASSERT_EQ(padding ? picture.bytes[i] : 255 - picture.bytes[i], out[i]) << i;
    }
}

// Rows are always DIB rows: a sample whose last row lacks its padding is
// still read row by row at the padded stride, and one holding only packed
// rows is too short for the frame and passes untouched.
TEST_F(FilterGraphTest, RowsArePaddedEvenWhenTheLastRowIsShort) {
    Picture picture(641, 3);
    picture.FillPattern();
    const std::size_t stride = Stride(641);
    const long withoutLastPadding = static_cast<long>(2 * stride + 641 * 3);
    const long packedOnly = 641 * 3 * 3;
    for (long length : {withoutLastPadding, packedOnly}) {
        CPictureGraph run(picture, nullptr, length);
        ASSERT_EQ(S_OK, run.built);
        ASSERT_EQ(S_OK, run.graph.settings->SetEffect(VIDEO_EFFECT_NEGATIVE, 0));
        const auto frames = run.Collect(2);
        ASSERT_FALSE(frames.empty());
        const std::vector<BYTE>& out = frames.back().bytes;
        ASSERT_EQ(static_cast<std::size_t>(length), out.size());
        for (std::size_t i = 0; i < out.size(); ++i) {
            const bool pixel = length == withoutLastPadding && i % stride < 641 * 3;
            ASSERT_EQ(pixel ? 255 - picture.bytes[i] : picture.bytes[i], out[i]) << length << " " << i;
        }
    }
}

TEST_F(FilterGraphTest, ShortSamplesPassUntouched) {
    Picture picture(320, 240);
    picture.FillPattern();
    const long half = static_cast<long>(picture.bytes.size() / 2);
    CPictureGraph run(picture, nullptr, half);
    ASSERT_EQ(S_OK, run.built);
    run.graph.settings->SetEffect(VIDEO_EFFECT_NEGATIVE, 0);
    run.graph.settings->SetZoom(1, VIDEO_ZOOM_BICUBIC, 2.0f, 1, 1);
    const auto frames = run.Collect(2);
    ASSERT_FALSE(frames.empty());
    for (const auto& frame : frames) {
        ASSERT_EQ(static_cast<std::size_t>(half), frame.bytes.size());
        EXPECT_TRUE(std::equal(frame.bytes.begin(), frame.bytes.end(), picture.bytes.begin()));
    }
}

TEST_F(FilterGraphTest, UnusableFormatsDoNotConnect) {
    for (auto [w, h] : {std::pair{320, 0}, std::pair{0, 240}}) {
        CEffectGraph graph;
        ComPtr<IBaseFilter> source = new CScriptedSource(VideoInfoType(w, h, 24, MEDIASUBTYPE_RGB24),
                                                         RepeatPicture({}));
        EXPECT_FALSE(SUCCEEDED(graph.Build(source.Get()))) << w << "x" << h;
    }
    CEffectGraph yuy2Graph;
    ComPtr<IBaseFilter> yuy2 = new CScriptedSource(VideoInfoType(320, 240, 16, MEDIASUBTYPE_YUY2), RepeatPicture({}));
    EXPECT_FALSE(SUCCEEDED(yuy2Graph.Build(yuy2.Get())));
}

TEST_F(FilterGraphTest, CameraFramesComeThroughUnchanged) {
    ComPtr<IBenchDeviceControl> bench;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchDeviceControl, nullptr, CLSCTX_INPROC_SERVER, IID_IBenchDeviceControl,
                                     reinterpret_cast<void**>(bench.GetAddressOf())));
    bench->Reset();
    ComPtr<IBaseFilter> camera;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchCamera, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&camera)));
    ComPtr<IPin> capture;
    ASSERT_EQ(S_OK, camera->FindPin(L"Capture", &capture));
    CEffectGraph graph;
    ASSERT_EQ(S_OK, graph.Build(camera.Get(), capture.Get()));
    ASSERT_TRUE(SUCCEEDED(graph.Run()));  // S_FALSE while a live source starts
    ASSERT_TRUE(graph.WaitForFrames(3, kWaitMs));
    graph.Stop();
    std::vector<BYTE> expected(Stride(320) * 240);
    for (const auto& frame : graph.frames.Frames()) {
        ASSERT_GE(frame.mediaTime, 0);
        ASSERT_EQ(S_OK, bench->RenderFrame(320, 240, static_cast<UINT>(frame.mediaTime), expected.data(),
                                           static_cast<UINT>(expected.size())));
        EXPECT_TRUE(frame.bytes == expected) << "frame " << frame.mediaTime;
    }
}

TEST_F(FilterGraphTest, StretchZoomEnlargesTheCentre) {
    // A green stripe over columns 150..169 of grey; zoom 2 maps column c to
    // 2 (c - 80), so the stripe covers 140..179 afterwards.
    Picture picture(320, 240);
    picture.Fill(90, 90, 90);
    for (int y = 0; y < 240; ++y)
        for (int x = 150; x < 170; ++x) picture.At(x, y)[1] = 220;
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    run.graph.settings->SetZoom(1, VIDEO_ZOOM_STRETCH, 2.0f, 0, 0);
    const auto frames = run.Collect(2);
    ASSERT_FALSE(frames.empty());
    const auto& out = frames.back().bytes;
    EXPECT_GT(PixelOf(out, 320, 240, 145, 120)[1], 200);
    EXPECT_GT(PixelOf(out, 320, 240, 175, 120)[1], 200);
    EXPECT_LT(PixelOf(out, 320, 240, 130, 120)[1], 100);
    EXPECT_LT(PixelOf(out, 320, 240, 190, 120)[1], 100);
}

// The pipeline as the portable library runs it, one tile after another, for
// the effects that draw no random numbers.
class CPlainHost final : public vimbrel::effects::IEffectHost {
public:
    void FrameSizeChanged() override {}
    vimbrel::effects::TimeOfDay Now() override { return {}; }
    void ShowFrameRateText(const char16_t*) override {}
    void StretchZoom(const vimbrel::effects::RgbFrame&, const vimbrel::effects::ZoomCrop&) override {}
    void Compose(const vimbrel::effects::RgbFrame&) override {}
    vimbrel::effects::ITileRunner& Tiles() override { return tiles_; }
    vimbrel::effects::IRandomSource& Random() override { return random_; }
    vimbrel::effects::CScratch& Scratch() override { return scratch_; }

private:
    vimbrel::effects::CSerialTileRunner tiles_;
    vimbrel::effects::CStdRandom random_;
    vimbrel::effects::CScratch scratch_;
};

std::vector<BYTE> KernelResult(const Picture& picture, int effectId) {
    std::vector<BYTE> bytes = picture.bytes;
    vimbrel::effects::RgbFrame frame;
    vimbrel::effects::MakeFrameView(bytes.data(), bytes.size(), picture.width, picture.height, frame);
    vimbrel::effects::CEffectSettings settings;
    CPlainHost host;
    settings.SetEffect(effectId, 0, host.Random());
    vimbrel::effects::RunEffectPipeline(settings, frame, host);
    return bytes;
}

TEST_F(FilterGraphTest, EffectsInTheFilterMatchThePortableKernels) {
    // Odd sizes, so row padding is in play; the larger one paints oil with
    // sixteen worker threads, the smaller with four.
    Picture small(321, 241), large(641, 481);
    small.FillPattern();
    large.FillPattern();
    const int ids[] = {1, 4, 7, 9, 10, 11, 12, 14, 15, 16, 17, 18, 21, 26};
    for (int id : ids) {
        for (const Picture* picture : {&small, &large}) {
            if (picture == &large && id != 21) continue;
            CPictureGraph run(*picture);
            ASSERT_EQ(S_OK, run.built);
            run.graph.settings->SetEffect(id, 0);
            const auto frames = run.Collect(1);
            ASSERT_FALSE(frames.empty()) << id;
            EXPECT_TRUE(frames.front().bytes == KernelResult(*picture, id))
                << "effect " << id << " at " << picture->width;
        }
    }
}

// --- Overlays

TEST_F(FilterGraphTest, TextOverlaySitsInTheBottomRightCorner) {
    Picture picture(320, 240);
    picture.Fill(100, 100, 100);
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    // Before the first frame the filter assumes 640 x 480; the size change on
    // the first frame renders the saved text again for 320 x 240.
    ASSERT_EQ(S_OK, run.graph.settings->SetText(L"88:88", 0, 255, 255, 255, L"Arial"));
    ASSERT_EQ(S_OK, run.graph.settings->EnableText(1));
    const auto frames = run.Collect(3);
    ASSERT_FALSE(frames.empty());
    const ChangeCount changes = ChangedPixels(picture, frames.back().bytes, 160, 220, 320, 240);
    EXPECT_GT(changes.inside, 20);
    EXPECT_EQ(0, changes.outside);
    // Re-rendered after the size change: orange glyphs, black outline.
    EXPECT_TRUE(AnyPixelInBox(frames.back().bytes, 160, 220, 320, 240,
                              [](const BYTE* p) { return p[2] > 200 && p[1] > 140 && p[1] < 200 && p[0] < 80; }));
    const bool black = AnyPixelInBox(frames.back().bytes, 160, 220, 320, 240,
                                     [](const BYTE* p) { return p[0] < 20 && p[1] < 20 && p[2] < 20; });
    EXPECT_TRUE(black);

    run.graph.settings->EnableText(0);
    const auto hidden = run.Collect(2);
    ASSERT_FALSE(hidden.empty());
    EXPECT_TRUE(hidden.back().bytes == picture.bytes);
}

TEST_F(FilterGraphTest, StampTextIsDrawnWhereItIsPlaced) {
    Picture picture(320, 240);
    picture.Fill(100, 100, 100);
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    // Shown only once text is switched on; nothing rendered yet shows nothing.
    run.graph.settings->EnableText(1);
    const auto none = run.Collect(2);
    ASSERT_FALSE(none.empty());
    EXPECT_TRUE(none.back().bytes == picture.bytes);

    ASSERT_EQ(S_OK, run.graph.settings->SetStampText(L"STAMP", 20, 30, L"Arial", 14, 255, 0, 0, 160, 20, 4));
    const auto frames = run.Collect(2);
    ASSERT_FALSE(frames.empty());
    const ChangeCount changes = ChangedPixels(picture, frames.back().bytes, 20, 30, 180, 50);
    EXPECT_GT(changes.inside, 20);
    EXPECT_EQ(0, changes.outside);
    EXPECT_TRUE(AnyPixelInBox(frames.back().bytes, 20, 30, 180, 50,
                              [](const BYTE* p) { return p[2] > 200 && p[1] < 60 && p[0] < 60; }));
}

TEST_F(FilterGraphTest, FrameRateAppearsAfterTenFrames) {
    Picture picture(320, 240);
    picture.Fill(100, 100, 100);
    CPictureGraph run(picture);
    ASSERT_EQ(S_OK, run.built);
    run.graph.settings->ShowFps(1);
    // The source paces its frames 20 ms apart, so the rate has time to show.
    const auto frames = run.Collect(20);
    ASSERT_GE(frames.size(), 12u);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_TRUE(frames[i].bytes == picture.bytes) << i;
    bool green = false;
    for (const auto& frame : frames) {
        green |= AnyPixelInBox(frame.bytes, 160, 220, 320, 240,
                               [](const BYTE* p) { return p[1] > 200 && p[0] < 80 && p[2] < 80; });
    }
    EXPECT_TRUE(green);
}

}  // namespace
}  // namespace lenstinttest
