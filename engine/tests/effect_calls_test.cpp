// The effect calls against the real effects filter in the preview graph:
// what the filter reports back, and the grabbed picture where the stage
// can be worked out exactly.
#include "engine/win/CaptureEngineState.h"
#include "engine/tests/EffectTestSupport.h"
#include "filters/effects/tests/win/RecordingVideoEffect.h"
#include "winowners/KernelOwners.h"
#include "MessagePump.h"

#include <gdiplus.h>

#include <atomic>
#include <limits>
#include <string>
#include <thread>

namespace enginetest {
namespace {

// {557CF406-1A04-11D3-9A73-0000F81EF32E}, GDI+'s PNG encoder.
const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// A half-transparent photo frame of the preview's size.
bool WriteFramePicture(const std::wstring& path) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool written = false;
    {
        Gdiplus::Bitmap picture(kFrameWidth, kFrameHeight, PixelFormat32bppARGB);
        Gdiplus::Graphics canvas(&picture);
        Gdiplus::SolidBrush border(Gdiplus::Color(128, 20, 200, 40));
        canvas.FillRectangle(&border, 0, 0, kFrameWidth, 24);
        written = picture.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return written;
}

// An effects filter that keeps the zoom it was last given. The first zoom
// lets a call from another thread in before it is kept, the order a slow
// machine may give them; that wait ends after a second, so an engine that
// keeps the two calls apart only loses that time.
class CStallingZoom : public lenstinttest::CRecordingVideoEffect {
public:
    CStallingZoom() {
        entered_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        passed_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    }

    STDMETHODIMP SetZoom(int enable, int, float factor, int, int mirror) override {
        const bool first = zooms_++ == 0;
        if (first) {
            SetEvent(entered_.get());
            WaitForSingleObject(passed_.get(), 1000);
        }
        enabled = enable;
        zoomFactor = factor;
        mirrored = mirror;
        if (!first) SetEvent(passed_.get());
        return S_OK;
    }

    void WaitUntilEntered() { WaitForSingleObject(entered_.get(), 5000); }

    std::atomic<int> enabled{-1};
    std::atomic<float> zoomFactor{-1.0f};
    std::atomic<int> mirrored{-1};

private:
    std::atomic<int> zooms_{0};
    winowners::UniqueHandle entered_;
    winowners::UniqueHandle passed_;
};

using EffectCalls = EffectTest;

// The user zooms while the rotation poll mirrors the picture: the filter
// must end with what the engine keeps, not half of each call.
TEST_F(EffectCalls, AZoomAndAMirrorOnTwoThreadsLeaveTheFilterAsTheEngineKeepsThem) {
    ASSERT_EQ(1, Start(2));
    CStallingZoom filter;
    camera::CaptureEngineState& state = camera::Engine();
    // Only its IUnknown is used through the engine's filter reference.
    state.effect = reinterpret_cast<IBaseFilter*>(static_cast<IUnknown*>(&filter));
    int mirrored = -1;
    std::thread poll([&] {
        filter.WaitUntilEntered();
        mirrored = SetMirrorMode(1);
    });
    EXPECT_EQ(1, Zoom(2.0f));
    poll.join();
    state.effect.Reset();
    EXPECT_EQ(1, mirrored);
    EXPECT_EQ(1, state.values.mirror);
    EXPECT_EQ(2.0f, state.values.zoomFactor);
    EXPECT_EQ(1, filter.enabled.load());
    EXPECT_EQ(2.0f, filter.zoomFactor.load());
    EXPECT_EQ(1, filter.mirrored.load()) << "the filter lost the mirror";
}

TEST_F(EffectCalls, EffectIdsReachTheFilterAndIdsUpToZeroMeanNone) {
    StartPreview();
    ASSERT_EQ(1, SetEffect(7));
    EXPECT_EQ(std::make_pair(7, 0), CurrentEffect());
    uint8_t negative[256];
    for (int i = 0; i < 256; ++i) negative[i] = static_cast<uint8_t>(255 - i);
    EXPECT_TRUE(GrabbedFrameBecomes(ThroughTable(plain_, negative)));

    ASSERT_EQ(1, SetEffect(0));
    EXPECT_EQ(std::make_pair(23, 0), CurrentEffect());
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
    ASSERT_EQ(1, SetEffect(7));
    ASSERT_EQ(1, SetEffect(-5));
    EXPECT_EQ(std::make_pair(23, 0), CurrentEffect());
}

TEST_F(EffectCalls, PhotoFrameFromAFileAndNullTakesItAway) {
    StartPreview();
    const std::wstring picture = TempPath(L"vimbrel-engine-frame.png");
    ASSERT_TRUE(WriteFramePicture(picture));

    ASSERT_EQ(1, SetFrame(picture.c_str()));
    EXPECT_EQ(std::make_pair(22, 1), CurrentEffect());
    const Frame framed = GrabbedFrameOtherThan(plain_);
    ASSERT_FALSE(framed.empty());
    EXPECT_NE(plain_, framed);

    // A picture that cannot be loaded is refused, and no effect is chosen
    // for it.
    ASSERT_EQ(1, SetEffect(8));
    EXPECT_EQ(0, SetFrame(TempPath(L"vimbrel-engine-no-such-frame.png").c_str()));
    EXPECT_EQ(std::make_pair(8, 0), CurrentEffect());

    ASSERT_EQ(1, SetFrame(picture.c_str()));
    ASSERT_EQ(1, SetFrame(nullptr));
    EXPECT_EQ(std::make_pair(23, 0), CurrentEffect());
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
    DeleteFileW(picture.c_str());
}

TEST_F(EffectCalls, TextShowsInTheBottomRightBoxWhileEnabled) {
    StartPreview();
    EXPECT_EQ(0, SetText(nullptr));
    ASSERT_EQ(1, SetText(L"12:34:56"));
    ASSERT_EQ(1, EnableText(1));
    const Frame withText = GrabbedFrameOtherThan(plain_);
    ASSERT_EQ(plain_.size(), withText.size());
    ASSERT_NE(plain_, withText);
    // The box is 160 x 20 in the picture's bottom-right corner; the frame is
    // stored bottom row first.
    size_t outside = 0;
    size_t dateColoured = 0;
    for (size_t i = 0; i + 2 < plain_.size(); i += 3) {
        const size_t pixel = i / 3;
        const size_t row = pixel / kFrameWidth;
        const size_t column = pixel % kFrameWidth;
        const bool inBox = row < 20 && column >= kFrameWidth - 160;
        const bool changed = plain_[i] != withText[i] || plain_[i + 1] != withText[i + 1] ||
                             plain_[i + 2] != withText[i + 2];
        outside += !inBox && changed ? 1 : 0;
        // Blue, green, red: the orange of the main program's date.
        dateColoured += inBox && withText[i] == 25 && withText[i + 1] == 172 && withText[i + 2] == 235 ? 1 : 0;
    }
    EXPECT_EQ(0u, outside);
    EXPECT_GT(dateColoured, 0u);

    ASSERT_EQ(1, EnableText(0));
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
}

TEST_F(EffectCalls, MirrorAndZoomTravelTogether) {
    StartPreview();
    const Frame mirrored = Mirrored(plain_);
    ASSERT_EQ(1, SetMirrorMode(1));
    EXPECT_TRUE(GrabbedFrameBecomes(mirrored));

    // The zoom keeps the mirror.
    ASSERT_EQ(1, Zoom(2.0f));
    const Frame zoomed = GrabbedFrameOtherThan(mirrored);
    EXPECT_NE(plain_, zoomed);
    EXPECT_NE(mirrored, zoomed);

    // Factors that would shrink the picture, or are not numbers at all,
    // change nothing.
    for (float bad :
         {0.5f, 0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        EXPECT_EQ(0, Zoom(bad)) << bad;
    EXPECT_EQ(2.0f, camera::Engine().values.zoomFactor);
    testbench::PumpFor(300);
    EXPECT_EQ(zoomed, GrabbedFrame());

    // 1.0 switches the zoom off, the mirror stays.
    ASSERT_EQ(1, Zoom(1.0f));
    EXPECT_TRUE(GrabbedFrameBecomes(mirrored));
    ASSERT_EQ(1, SetMirrorMode(0));
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));

    // And the mirror keeps the zoom.
    ASSERT_EQ(1, Zoom(2.0f));
    ASSERT_EQ(1, SetMirrorMode(1));
    EXPECT_TRUE(GrabbedFrameBecomes(zoomed));
}

TEST_F(EffectCalls, WithoutAGraphTheZoomIsKeptButTheMirrorIsNot) {
    ASSERT_EQ(1, Start(2));  // sound only: no graph has found the filter
    EXPECT_EQ(0, Zoom(2.0f));
    EXPECT_EQ(2.0f, camera::Engine().values.zoomFactor);
    EXPECT_EQ(0, SetMirrorMode(1));
    EXPECT_EQ(0, camera::Engine().values.mirror);
    EXPECT_EQ(0, SetEffect(3));
    EXPECT_EQ(0, SetFace(5));

    // The first graph brings the filter; the mirror call then carries the
    // kept zoom along.
    ASSERT_EQ(1, SetMode(0));
    plain_ = StillScene(bench_.Get());
    ASSERT_TRUE(GrabbedFrameBecomes(plain_));
    ASSERT_EQ(1, SetMirrorMode(1));
    const Frame zoomedMirror = GrabbedFrameOtherThan(plain_);
    EXPECT_NE(Mirrored(plain_), zoomedMirror);
    ASSERT_EQ(1, Zoom(1.0f));
    EXPECT_TRUE(GrabbedFrameBecomes(Mirrored(plain_)));
}

TEST_F(EffectCalls, GammaCorrectionAppliesTheFixedCurve) {
    StartPreview();
    // The curve takes 128 to 165.
    ASSERT_EQ(165, GammaCorrected(Frame(3, 128))[0]);
    ASSERT_EQ(1, SetGammaCorrect(1));
    EXPECT_TRUE(GrabbedFrameBecomes(GammaCorrected(plain_)));
    ASSERT_EQ(1, SetGammaCorrect(0));
    EXPECT_TRUE(GrabbedFrameBecomes(plain_));
}

TEST_F(EffectCalls, FacesAreOnlyCheckedNeverSent) {
    StartPreview();
    ASSERT_EQ(1, SetEffect(9));
    EXPECT_EQ(0, SetFace(11));
    EXPECT_EQ(0, SetFace(-1));
    EXPECT_EQ(1, SetFace(0));
    EXPECT_EQ(1, SetFace(10));
    EXPECT_EQ(std::make_pair(9, 0), CurrentEffect());
}

TEST_F(EffectCalls, TheSettingsOutliveGraphRebuilds) {
    StartPreview();
    ASSERT_EQ(1, SetMirrorMode(1));
    ASSERT_EQ(1, SetGammaCorrect(1));
    const Frame expected = Mirrored(GammaCorrected(plain_));
    ASSERT_TRUE(GrabbedFrameBecomes(expected));
    // Monitoring builds another graph and switches the effect off; the
    // preview that comes back still has the mirror and the curve.
    ASSERT_EQ(1, SetEffect(7));
    ASSERT_EQ(1, SetMode(5));
    HWND window = host_.Handle();
    ASSERT_EQ(1, StartMonitor(window));
    ASSERT_EQ(1, StopMonitor());
    EXPECT_TRUE(GrabbedFrameBecomes(expected));
}

}  // namespace
}  // namespace enginetest
