// A graph saved with the effects filter and loaded again: the loaded filter
// draws the same frames as the one that was saved, for every effect that
// draws from state of its own (jitter offsets, the kaleidoscope's wandering
// window, the photo frame).
#include <gtest/gtest.h>

#include <vector>

#include "EffectGraph.h"
#include "ScriptedSource.h"

namespace lenstinttest {
namespace {

using basetest::CScriptedSource;
using basetest::RepeatPicture;
using basetest::VideoInfoType;

constexpr DWORD kWaitMs = 10000;
// The filter's own idea of the frame size before the first frame: no size
// change, so the kaleidoscope keeps the speeds it was saved with.
constexpr int kWidth = 640;
constexpr int kHeight = 480;
// Few enough that the kaleidoscope's window meets no edge and draws no new
// speed: both filters then move it the same way.
constexpr std::size_t kFrames = 4;

std::vector<BYTE> PatternPicture() {
    std::vector<BYTE> bytes(static_cast<std::size_t>(kWidth) * 3 * kHeight);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>((i * 7 + i / 1931) & 0xFF);
    return bytes;
}

std::vector<std::vector<BYTE>> Frames(CEffectGraph& graph) {
    ComPtr<IBaseFilter> source = new CScriptedSource(VideoInfoType(kWidth, kHeight, 24, MEDIASUBTYPE_RGB24),
                                                     RepeatPicture(PatternPicture()));
    if (graph.Build(source.Get()) != S_OK || FAILED(graph.Run())) return {};
    graph.WaitForFrames(kFrames, kWaitMs);
    graph.Stop();
    std::vector<std::vector<BYTE>> frames;
    for (const GrabbedFrame& frame : graph.frames.Frames()) frames.push_back(frame.bytes);
    return frames;
}

class SavedEffectTest : public ComTest {};

TEST_F(SavedEffectTest, LoadedFilterDrawsTheFramesTheSavedOneDraws) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    struct Case {
        int effect;
        int parameter;
        int frameSource;  // -1: no photo frame
    };
    const Case cases[] = {
        {VIDEO_EFFECT_JITTER, 0, -1},
        {VIDEO_EFFECT_KALEIDOSCOPE, 0, -1},
        {VIDEO_EFFECT_KALEIDOSCOPE, 1, -1},
        // This program carries the first photo frame as resource FRAME1.
        {VIDEO_EFFECT_IMAGE_FRAME, 1, VIDEO_FRAME_FROM_EXECUTABLE},
        {VIDEO_EFFECT_IMAGE_FRAME, 2, VIDEO_FRAME_FROM_MODULE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "effect " << c.effect << " source " << c.frameSource);
        CEffectGraph saved;
        ASSERT_TRUE(saved.settings);
        if (c.frameSource >= 0) {
            ASSERT_EQ(S_OK, saved.settings->LoadFrameImage(self, 0, 0, c.frameSource, L"FRAME1", L"PNG"));
        }
        ASSERT_EQ(S_OK, saved.settings->SetEffect(c.effect, c.parameter));
        ComPtr<IStream> stream;
        ComPtr<IPersistStream> save;
        ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()));
        ASSERT_EQ(S_OK, saved.effect.As(&save));
        ASSERT_EQ(S_OK, save->Save(stream.Get(), TRUE));

        CEffectGraph loaded;
        ComPtr<IPersistStream> load;
        ASSERT_TRUE(loaded.effect && SUCCEEDED(loaded.effect.As(&load)));
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(S_OK, load->Load(stream.Get()));
        int effect = 0, parameter = 0;
        loaded.settings->GetEffect(&effect, &parameter);
        EXPECT_EQ(c.effect, effect);
        EXPECT_EQ(c.parameter, parameter);

        const auto before = Frames(saved);
        const auto after = Frames(loaded);
        ASSERT_GE(before.size(), kFrames);
        ASSERT_GE(after.size(), kFrames);
        for (std::size_t i = 0; i < kFrames; ++i) {
            EXPECT_FALSE(before[i] == PatternPicture()) << "frame " << i << ": the effect shows";
            EXPECT_TRUE(before[i] == after[i]) << "frame " << i;
        }
    }
}

}  // namespace
}  // namespace lenstinttest
