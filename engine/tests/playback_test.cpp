// Playing the engine's own kinds of recording back in a test window: WAVE
// files through the async source, uncompressed AVI with and without sound,
// the time, pause and resume, seeking, the volume and the end of a file.
// The engine is linked in, so that a test can look at the graph it built.
#include "engine/tests/PlaybackTestSupport.h"
#include "engine/tests/ScreenPixels.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace enginetest {
namespace {

using camera::ComPtr;
using camera::Engine;

constexpr DWORD kEndOfShortFileMs = 8000;

class Playback : public PlaybackTest {
protected:
    static float Now() {
        float now = -1.0f;
        return GetCurrentPlaybackTime(&now) == 1 ? now : -1.0f;
    }

    static ComPtr<IGraphBuilder> PlaybackGraph() { return Engine().playbackGraph.Get(); }

    static long RendererVolume() {
        ComPtr<IBasicAudio> audio;
        long value = 1;
        if (SUCCEEDED(camera::QueryTo(Engine().dsoundRenderer.Get(), IID_IBasicAudio, audio)))
            audio->get_Volume(&value);
        return value;
    }

    static bool PlaybackEnded() { return !PlaybackGraph(); }
};

TEST_F(Playback, AWaveFilePlaysThroughTheAsyncSourceWithTheSharedRenderer) {
    const std::wstring wav = WriteMediaFile(L"two.wav", WavOfSeconds(2));
    ASSERT_EQ(1, Play(wav));
    EXPECT_FLOAT_EQ(2.0f, seconds_);
    EXPECT_EQ(0, hasVideo_);
    // Nothing is drawn for a file without video.
    EXPECT_EQ(0x5A, canvas_.Byte(0, 0, 0));
    EXPECT_EQ(0x5A, canvas_.Byte(kFrameWidth - 1, kFrameHeight - 1, 2));

    ComPtr<IGraphBuilder> graph = PlaybackGraph();
    ASSERT_TRUE(graph);
    EXPECT_TRUE(FilterNamed(graph.Get(), L"Async Reader"));
    EXPECT_FALSE(FilterNamed(graph.Get(), L"Grabber"));
    EXPECT_EQ(Engine().dsoundRenderer.Get(), FilterNamed(graph.Get(), L"DSound Renderer").Get());
    OAFilterState filterState = State_Stopped;
    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, camera::QueryTo(graph.Get(), IID_IMediaControl, control));
    control->GetState(1000, &filterState);
    EXPECT_EQ(State_Running, filterState);
}

TEST_F(Playback, TheRunningTimeAdvancesAndTheEndOfTheFileReleasesTheGraph) {
    // Three seconds, so that a loaded machine does not reach the end
    // between the two readings of the time.
    ASSERT_EQ(1, Play(WriteMediaFile(L"three.wav", WavOfSeconds(3))));
    const float first = Now();
    ASSERT_GE(first, 0.0f);
    testbench::PumpFor(300);
    const float later = Now();
    EXPECT_GT(later, first);
    EXPECT_LE(later, 3.0f);

    ASSERT_TRUE(testbench::PumpUntil(PlaybackEnded, kEndOfShortFileMs)) << "no end of file within the time";
    float seconds = -5.0f;
    EXPECT_EQ(0, GetCurrentPlaybackTime(&seconds));
    EXPECT_EQ(-5.0f, seconds);
    EXPECT_EQ(0, PausePlayback());
    EXPECT_EQ(0, ResumePlayback());
    EXPECT_EQ(1, SetPlaybackPosition(50.0f));
    EXPECT_EQ(1, StopPlayback());
    // The renderer left the ended graph and joins the next one.
    ASSERT_EQ(1, Play(WriteMediaFile(L"one-again.wav", WavOfSeconds(1))));
    EXPECT_EQ(Engine().dsoundRenderer.Get(), FilterNamed(PlaybackGraph().Get(), L"DSound Renderer").Get());
}

TEST_F(Playback, PauseHoldsTheTimeAndResumeGoesOn) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"ten-pause.wav", WavOfSeconds(10))));
    testbench::PumpFor(200);
    EXPECT_EQ(1, PausePlayback());
    EXPECT_EQ(1, PausePlayback());
    testbench::PumpFor(100);
    const float held = Now();
    testbench::PumpFor(400);
    EXPECT_FLOAT_EQ(held, Now());

    EXPECT_EQ(1, ResumePlayback());
    EXPECT_EQ(1, ResumePlayback());
    testbench::PumpFor(400);
    EXPECT_GT(Now(), held);
}

TEST_F(Playback, AStoppedGraphIsNeitherPausedNorResumed) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"ten-stopped.wav", WavOfSeconds(10))));
    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, camera::QueryTo(PlaybackGraph().Get(), IID_IMediaControl, control));
    ASSERT_TRUE(SUCCEEDED(control->Stop()));
    EXPECT_EQ(0, ResumePlayback());
    EXPECT_EQ(0, PausePlayback());
}

TEST_F(Playback, SeekingGoesToThePercentageOfTheDuration) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"ten-seek.wav", WavOfSeconds(10))));
    ASSERT_FLOAT_EQ(10.0f, seconds_);
    ASSERT_EQ(1, PausePlayback());

    EXPECT_EQ(1, SetPlaybackPosition(50.0f));
    EXPECT_NEAR(5.0f, Now(), 0.05f);
    EXPECT_EQ(1, SetPlaybackPosition(25.0f));
    EXPECT_NEAR(2.5f, Now(), 0.05f);
    ComPtr<IMediaSeeking> seeking;
    ASSERT_EQ(S_OK, camera::QueryTo(PlaybackGraph().Get(), IID_IMediaSeeking, seeking));
    LONGLONG current = -1;
    LONGLONG stop = -1;
    ASSERT_EQ(S_OK, seeking->GetPositions(&current, &stop));
    EXPECT_EQ(100000000, stop);

    // Not a number is no position: refused, and the place is kept.
    EXPECT_EQ(0, SetPlaybackPosition(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_NEAR(2.5f, Now(), 0.05f);

    EXPECT_EQ(1, StopPlayback());
    EXPECT_EQ(1, SetPlaybackPosition(50.0f));  // nothing to seek
}

TEST_F(Playback, VolumeGoesToTheRendererOnTheLogarithmicScaleAndBack) {
    struct Point {
        double volume;
        long renderer;
    };
    for (Point point : {Point{0.75, -10}, Point{0.5, -100}, Point{0.0, -10000}, Point{1.0, -1}, Point{0.9, -2}}) {
        EXPECT_EQ(1, SetPlaybackVolume(point.volume));
        EXPECT_EQ(point.renderer, RendererVolume()) << "volume " << point.volume;
    }
    ASSERT_EQ(1, SetPlaybackVolume(0.75));
    double volume = -1.0;
    EXPECT_EQ(1, GetPlaybackVolume(&volume));
    EXPECT_DOUBLE_EQ(0.75, volume);

    // What another program set on the renderer reads back through the same
    // scale: -1000 is a quarter.
    ComPtr<IBasicAudio> audio;
    ASSERT_EQ(S_OK, camera::QueryTo(Engine().dsoundRenderer.Get(), IID_IBasicAudio, audio));
    ASSERT_EQ(S_OK, audio->put_Volume(-1000));
    EXPECT_EQ(1, GetPlaybackVolume(&volume));
    EXPECT_DOUBLE_EQ(0.25, volume);
    EXPECT_DOUBLE_EQ(0.25, Engine().values.playbackVolume);
    EXPECT_EQ(0, GetPlaybackVolume(nullptr));
}

TEST_F(Playback, VolumesWithoutARendererValueAreRefusedAndChangeNothing) {
    ASSERT_EQ(1, SetPlaybackVolume(0.5));
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), -0.5}) {
        EXPECT_EQ(0, SetPlaybackVolume(bad)) << "volume " << bad;
        EXPECT_EQ(-100L, RendererVolume());
    }
    EXPECT_FALSE(std::isnan(Engine().values.playbackVolume));
    double volume = -1.0;
    EXPECT_EQ(1, GetPlaybackVolume(&volume));
    EXPECT_DOUBLE_EQ(0.5, volume);
}

TEST_F(Playback, TheVolumeStaysWithTheRendererFromFileToFile) {
    ASSERT_EQ(1, SetPlaybackVolume(0.25));
    ASSERT_EQ(1, Play(WriteMediaFile(L"first-volume.wav", WavOfSeconds(3))));
    EXPECT_EQ(-1000L, RendererVolume());
    ASSERT_EQ(1, Play(WriteMediaFile(L"second-volume.wav", WavOfSeconds(3))));
    EXPECT_EQ(-1000L, RendererVolume());
    double volume = -1.0;
    EXPECT_EQ(1, GetPlaybackVolume(&volume));
    EXPECT_DOUBLE_EQ(0.25, volume);
}

TEST_F(Playback, ANewFileReplacesTheRunningOne) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"ten-replaced.wav", WavOfSeconds(10))));
    ComPtr<IGraphBuilder> first = PlaybackGraph();
    ASSERT_EQ(1, Play(WriteMediaFile(L"three-replacing.wav", WavOfSeconds(3))));
    EXPECT_FLOAT_EQ(3.0f, seconds_);
    EXPECT_NE(first.Get(), PlaybackGraph().Get());
    // The old graph was stopped and emptied, the renderer moved on.
    EXPECT_TRUE(FilterNames(first.Get()).empty());
    EXPECT_TRUE(FilterNamed(PlaybackGraph().Get(), L"DSound Renderer"));
}

TEST_F(Playback, RefusalsOfBadArguments) {
    const std::wstring wav = WriteMediaFile(L"ten-refusals.wav", WavOfSeconds(10));
    ASSERT_EQ(1, Play(wav));
    HDC dc = canvas_.dc;
    float seconds = -1.0f;
    int hasVideo = -1;
    // Missing path, length or context pointer: refused before anything
    // else, so the running file plays on.
    EXPECT_EQ(0, PlayFile(nullptr, host_.Handle(), &seconds, &dc, 10, 10, &hasVideo));
    EXPECT_EQ(0, PlayFile(wav.c_str(), host_.Handle(), nullptr, &dc, 10, 10, &hasVideo));
    EXPECT_EQ(0, PlayFile(wav.c_str(), host_.Handle(), &seconds, nullptr, 10, 10, &hasVideo));
    EXPECT_GE(Now(), 0.0f);
    EXPECT_EQ(-1, hasVideo);

    // A negative size or no place for the video answer fails the probe,
    // after the running file was stopped.
    EXPECT_EQ(0, PlayFile(wav.c_str(), host_.Handle(), &seconds, &dc, -1, 10, &hasVideo));
    EXPECT_FALSE(PlaybackGraph());
    EXPECT_EQ(0, Engine().playbackDuration);
    EXPECT_EQ(0, PlayFile(wav.c_str(), host_.Handle(), &seconds, &dc, 10, -1, &hasVideo));
    EXPECT_EQ(0, PlayFile(wav.c_str(), host_.Handle(), &seconds, &dc, 10, 10, nullptr));
    EXPECT_EQ(0, Play(WriteMediaFile(L"not-media.wav", std::vector<uint8_t>(200, 0x33))));
    EXPECT_EQ(0, Play(L"playback-media\\missing.wav"));
    EXPECT_FALSE(PlaybackGraph());

    EXPECT_EQ(0, GetCurrentPlaybackTime(nullptr));
    EXPECT_EQ(0, PausePlayback());
    EXPECT_EQ(0, ResumePlayback());
    EXPECT_EQ(1, StopPlayback());
}

TEST_F(Playback, WindowsMediaSoundGoesThroughTheAsfReaderAndItsEndIsNotReported) {
    // Any letter case of the extension counts; the reader decides by the
    // content whether it can play it.
    ASSERT_EQ(1, Play(WriteMediaFile(L"sound.WMA", WavOfSeconds(1))));
    EXPECT_EQ(0, hasVideo_);
    EXPECT_FLOAT_EQ(1.0f, seconds_);
    ComPtr<IGraphBuilder> graph = PlaybackGraph();
    EXPECT_TRUE(FilterNamed(graph.Get(), L"ASF Reader"));
    EXPECT_FALSE(FilterNamed(graph.Get(), L"Async Reader"));
    EXPECT_EQ(Engine().dsoundRenderer.Get(), FilterNamed(graph.Get(), L"DSound Renderer").Get());
    graph.Reset();

    // Well past its end the graph is still there, until it is stopped.
    testbench::PumpFor(2500);
    EXPECT_TRUE(PlaybackGraph());
    EXPECT_GE(Now(), 0.0f);
    EXPECT_EQ(1, StopPlayback());
    EXPECT_FALSE(PlaybackGraph());
}

TEST_F(Playback, UninitializeStopsAPlayingFile) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"ten-uninit.wav", WavOfSeconds(10))));
    ASSERT_EQ(1, Uninitialize());
    EXPECT_FALSE(PlaybackGraph());
    EXPECT_LT(Now(), 0.0f);
}

// The video files need a media detector that reads frames. The test prefix
// registers the bench's; without it the prefix is broken, and the video
// tests fail rather than pass as skipped.
class VideoPlayback : public Playback {
protected:
    void SetUp() override {
        Playback::SetUp();
        silent_ = WriteMediaFile(L"video-only.avi", AviOfSeconds(2, false));
        ASSERT_TRUE(DetectorReadsFrames(silent_))
            << "the media detector in this prefix reads no frames (the bench's is not registered)";
    }

    std::wstring silent_;
};

HWND VisibleChildOf(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) return child;
    }
    return nullptr;
}

TEST_F(VideoPlayback, TheFirstFrameIsDrawnAndTheVideoShowsInTheCallersWindow) {
    ASSERT_EQ(1, Play(silent_));
    EXPECT_EQ(1, hasVideo_);
    EXPECT_FLOAT_EQ(2.0f, seconds_);
    for (int y : {0, 17, kFrameHeight - 1}) {
        for (int x : {0, 31, kFrameWidth - 1}) {
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(FirstFramePixelByte(x, y, c), canvas_.Byte(x, y, c)) << x << "," << y << " " << c;
        }
    }
    ComPtr<IGraphBuilder> graph = PlaybackGraph();
    EXPECT_TRUE(FilterNamed(graph.Get(), L"Grabber"));
    EXPECT_TRUE(FilterNamed(graph.Get(), L"Async Reader"));

    HWND video = VisibleChildOf(host_.Handle());
    ASSERT_NE(nullptr, video);
    RECT inside{};
    GetClientRect(video, &inside);
    RECT outer{};
    GetWindowRect(host_.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, inside.right);
    EXPECT_EQ(outer.bottom - outer.top, inside.bottom);

    EXPECT_EQ(1, StopPlayback());
    // The renderer's window goes on its own thread's time.
    EXPECT_TRUE(testbench::PumpUntil([&] { return VisibleChildOf(host_.Handle()) == nullptr; }, 5000));
}

TEST_F(VideoPlayback, AtTheEndTheVideoLeavesTheWindowAndTheGraphIsReleased) {
    ASSERT_EQ(1, Play(WriteMediaFile(L"with-sound.avi", AviOfSeconds(1, true))));
    EXPECT_EQ(1, hasVideo_);
    EXPECT_FLOAT_EQ(1.0f, seconds_);
    ComPtr<IGraphBuilder> graph = PlaybackGraph();
    EXPECT_TRUE(FilterNamed(graph.Get(), L"DSound Renderer"));
    EXPECT_NE(nullptr, VisibleChildOf(host_.Handle()));
    graph.Reset();

    ASSERT_TRUE(testbench::PumpUntil(PlaybackEnded, kEndOfShortFileMs)) << "no end of file within the time";
    EXPECT_LT(Now(), 0.0f);
    EXPECT_EQ(nullptr, VisibleChildOf(host_.Handle()));
}

TEST_F(VideoPlayback, AWindowsMediaVideoGetsTheAsfGraphAndReportsItsEnd) {
    // Without sound: Wine's ASF reader, decoding through GStreamer, stalls
    // when it has a sound and a video stream to deliver.
    ASSERT_EQ(1, Play(WriteMediaFile(L"clip.Wmv", AviOfSeconds(1, false))));
    EXPECT_EQ(1, hasVideo_);
    EXPECT_EQ(FirstFramePixelByte(5, 7, 2), canvas_.Byte(5, 7, 2));
    ComPtr<IGraphBuilder> graph = PlaybackGraph();
    EXPECT_TRUE(FilterNamed(graph.Get(), L"ASF Reader"));
    EXPECT_TRUE(FilterNamed(graph.Get(), L"Sample Grabber"));
    ComPtr<IMediaFilter> timing;
    ASSERT_EQ(S_OK, camera::QueryTo(graph.Get(), IID_IMediaFilter, timing));
    ComPtr<IReferenceClock> clock;
    ASSERT_EQ(S_OK, timing->GetSyncSource(clock.GetAddressOf()));
    EXPECT_TRUE(clock);
    HWND video = VisibleChildOf(host_.Handle());
    ASSERT_NE(nullptr, video);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_CLIPSIBLINGS), GetWindowLongPtrW(video, GWL_STYLE) & WS_CLIPSIBLINGS);
    graph.Reset();

    ASSERT_TRUE(testbench::PumpUntil(PlaybackEnded, kEndOfShortFileMs)) << "no end of file within the time";
    EXPECT_EQ(nullptr, VisibleChildOf(host_.Handle()));
}

// The program plays into its canvas, a child at an offset inside the main
// window: the whole frame must fill it, through either graph.
TEST_F(VideoPlayback, TheVideoFillsAnInnerWindowWholeThroughBothGraphs) {
    HWND inner = CreateFacedWindow(host_.Handle(), 40, 16, 240, 180);
    for (const wchar_t* name : {L"inner.avi", L"inner.wmv"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        ASSERT_EQ(1, Play(WriteMediaFile(name, AviOfSeconds(3, false)), inner));
        HWND video = nullptr;
        EXPECT_TRUE(testbench::PumpUntil([&] { return (video = VisibleChildOf(inner)) != nullptr; }, 5000));
        ASSERT_NE(nullptr, video);
        RECT videoRect{};
        RECT innerRect{};
        GetWindowRect(video, &videoRect);
        GetWindowRect(inner, &innerRect);
        EXPECT_TRUE(EqualRect(&videoRect, &innerRect));

        // Every frame of the test videos rises by 3 a column and 7 a row, so
        // the first column and the last (63 to the right) differ by 189 in
        // every frame, the top and the bottom row (47 down) by 329 mod 256.
        // The renderer draws on its own thread: the screen is read until a
        // frame is there (or five seconds went by), not after a set pause.
        const auto step = [](uint8_t from, uint8_t to) { return static_cast<uint8_t>(to - from); };
        const auto within = [](int value, int want) { return std::abs(value - want) <= 8; };
        const auto framed = [&](const CScreenPixels& at) {
            return within(step(at.At(1, 90).b, at.At(238, 90).b), 189) &&
                   within(step(at.At(120, 1).b, at.At(120, 178).b), 329 - 256);
        };
        testbench::PumpUntil([&] { return framed(CScreenPixels(inner)); }, 5000);
        const CScreenPixels shot(inner);
        EXPECT_TRUE(within(step(shot.At(1, 90).b, shot.At(238, 90).b), 189))
            << int(shot.At(1, 90).b) << " to " << int(shot.At(238, 90).b);
        EXPECT_TRUE(within(step(shot.At(120, 1).b, shot.At(120, 178).b), 329 - 256))
            << int(shot.At(120, 1).b) << " to " << int(shot.At(120, 178).b);
        for (POINT corner : {POINT{1, 1}, POINT{238, 1}, POINT{1, 178}, POINT{238, 178}})
            EXPECT_FALSE(NearColour(kFaceColour, shot.At(corner.x, corner.y))) << corner.x << "," << corner.y;
        EXPECT_EQ(1, StopPlayback());
    }
}

}  // namespace
}  // namespace enginetest
