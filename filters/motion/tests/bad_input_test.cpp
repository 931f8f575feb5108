#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Detector_NonThread.h"
#include "DetectorFakes.h"
#include "ProcessWideState.h"
#include "SyntheticFrames.h"

using namespace motion;
using namespace motion_test;

namespace {

bool OnlyKnownEvents(const std::vector<RaisedEvent>& events) {
    for (const RaisedEvent& e : events)
        if (e.code != EC_MOTION_DETECTED && e.code != EC_BASE_FRAME_SET) return false;
    return true;
}

// Frames at the edges of what the detector accepts, every level (and one past
// the table), every mark and mode combination: nothing may read or write out
// of bounds (the native build runs under AddressSanitizer).
void Sweep(std::uint32_t w, std::uint32_t h) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const std::uint32_t levels[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15};
    for (std::uint32_t level : levels) {
        for (int flags = 0; flags < 8; ++flags) {
            ResetProcessWideMotionState();
            RecordingSink sink;
            FakeGraph graph(&sink);
            SteppingTicks ticks;
            CDetectorNonThread det(ticks);
            int markRect = flags & 1, markVideo = (flags >> 1) & 1, mode = (flags >> 2) & 1;
            det.SetDetectParams(static_cast<int>(level), mode, nullptr);
            det.MarkMotionRect(&markRect);
            det.MarkMotionOnVideo(&markVideo);
            const BitmapInfoHeader header = Rgb24Header(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
            det.SetFormat(&header);
            det.Init(&graph);
            det.StartDetect();
            SyntheticFrame a(w, h), b(w, h);
            b.FillRect(w / 4, h / 4, w - w / 4, h - h / 4, 255, 255, 255);
            b.AddNoise(level + 1, 40);
            for (int i = 0; i < 4; ++i) {
                SyntheticFrame& f = i % 2 ? b : a;
                ticks.now += 33;
                det.ProcessFrame(f.Data(), f.Bytes());
                if (i == 2) det.ResetBaseFrame();
            }
            EXPECT_TRUE(OnlyKnownEvents(sink.events));
            det.Uninit();
        }
    }
}

// A detector streaming w x h frames in a graph with a recording sink.
struct StreamingDetector {
    RecordingSink sink;
    FakeGraph graph{&sink};
    SteppingTicks ticks;
    CDetectorNonThread det{ticks};
    StreamingDetector(std::int32_t w, std::int32_t h) {
        ResetProcessWideMotionState();
        const BitmapInfoHeader header = Rgb24Header(w, h);
        det.SetFormat(&header);
        EXPECT_EQ(kOk, det.Init(&graph));
        EXPECT_EQ(kOk, det.StartDetect());
    }
};

}  // namespace

TEST(BadInput, SizesAtTheEdgesWithEveryLevelAndFlag) {
    Sweep(20, 20);
    Sweep(21, 20);
    Sweep(16, 16);
    Sweep(1, 1);
    Sweep(33, 47);
    Sweep(641, 481);
}

// A sample shorter than a frame is passed by without a pass, a base frame or
// a mark; the buffer is sized exactly so any read past it is caught.
TEST(BadInput, TruncatedSamplesAreLeftAlone) {
    StreamingDetector s(321, 241);
    CDetectorNonThread& det = s.det;
    RecordingSink& sink = s.sink;
    SteppingTicks& ticks = s.ticks;
    int on = 1;
    det.MarkMotionOnVideo(&on);
    const std::size_t full = 321 * 241 * 3;
    std::vector<std::uint8_t> shortSample(full - 1, 0xFF);
    for (int i = 0; i < 3; ++i) {
        ticks.now += 40;
        EXPECT_EQ(kOk, det.ProcessFrame(shortSample.data(), shortSample.size()));
    }
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(kOk, det.ProcessFrame(nullptr, full));
    EXPECT_TRUE(sink.events.empty());

    // A whole frame afterwards is the first frame: it becomes the base.
    std::vector<std::uint8_t> frame(full, 0x10);
    det.ProcessFrame(frame.data(), frame.size());
    std::vector<std::uint8_t> base(full);
    BitmapInfoHeader out{};
    std::uint32_t size = static_cast<std::uint32_t>(full);
    ASSERT_EQ(kOk, det.GetBaseFrame(&out, base.data(), &size));
    EXPECT_EQ(frame, base);
}

// Settings calls from another thread while frames stream: the level changes
// the reduced size and the cache views mid-stream.
TEST(BadInput, SettingsChangedFromAnotherThreadWhileStreaming) {
    StreamingDetector s(161, 121);
    CDetectorNonThread& det = s.det;
    SteppingTicks& ticks = s.ticks;

    std::atomic<bool> stop{false};
    std::thread settings([&] {
        const int levels[] = {0, 10, 3, -1, 15, 7, 1};
        std::vector<std::uint8_t> base(161 * 121 * 3);
        for (unsigned i = 0; !stop; ++i) {
            MotionRect rect{};
            int flag = static_cast<int>(i & 1), other = static_cast<int>((i >> 1) & 1);
            det.SetDetectParams(levels[i % 7], static_cast<int>((i >> 2) & 1), &rect);
            det.MarkMotionRect(&flag);
            det.MarkMotionOnVideo(&other);
            det.SetDetectInterval(static_cast<int>(i % 3) * 20);
            if (i % 5 == 0) det.ResetBaseFrame();
            if (i % 7 == 0) det.StopDetect();
            if (i % 3 == 0) det.StartDetect();
            BitmapInfoHeader h{};
            std::uint32_t size = static_cast<std::uint32_t>(base.size());
            det.GetBaseFrame(&h, base.data(), &size);
            std::this_thread::yield();
        }
    });
    SyntheticFrame a(161, 121), b(161, 121);
    b.FillRect(40, 30, 120, 90, 255, 255, 255);
    for (int i = 0; i < 300; ++i) {
        SyntheticFrame& f = i % 3 ? a : b;
        ticks.now += 20;
        det.ProcessFrame(f.Data(), f.Bytes());
    }
    stop = true;
    settings.join();
    EXPECT_TRUE(OnlyKnownEvents(s.sink.events));
    det.Uninit();
}
