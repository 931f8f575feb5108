// Any format header, settings and frames, as the filter's pins and settings
// interface can deliver them: the detector must neither read nor write
// outside a frame or the caller's base-frame buffer, and raise only its two
// events.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Detector_NonThread.h"
#include "ProcessWideState.h"

using namespace motion;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

class CCheckingSink final : public IMotionEventSink {
public:
    void Notify(std::int32_t code, std::intptr_t, std::intptr_t) override {
        Check(code == EC_MOTION_DETECTED || code == EC_BASE_FRAME_SET);
    }
};

class CGraph final : public IDetectorGraph {
public:
    IMotionEventSink* QueryEventSink() override { return &sink; }
    CCheckingSink sink;
};

class CTicks final : public ITickSource {
public:
    std::uint32_t Now() override { return now; }
    std::uint32_t now = 0;
};

// A header near what the filter accepts, or any 40 bytes.
BitmapInfoHeader Header(FuzzedDataProvider& in) {
    BitmapInfoHeader h{};
    if (in.ConsumeBool()) {
        in.ConsumeData(&h, sizeof h);
        return h;
    }
    h.biSize = 40;
    h.biWidth = in.ConsumeIntegralInRange(-2, 80);
    h.biHeight = in.ConsumeIntegralInRange(-80, 80);
    h.biPlanes = 1;
    h.biBitCount = in.ConsumeBool() ? 24 : in.ConsumeIntegral<std::uint16_t>();
    h.biCompression = in.ConsumeBool() ? 0 : in.ConsumeIntegral<std::uint32_t>();
    h.biSizeImage = in.ConsumeBool() ? 0 : in.ConsumeIntegral<std::uint32_t>();
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ResetProcessWideMotionState();
    CGraph graph;
    CTicks ticks;
    CDetectorNonThread det(ticks);
    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 11)) {
        case 0: {
            const BitmapInfoHeader h = Header(in);
            det.SetFormat(&h);
            break;
        }
        case 1: det.Init(&graph); break;
        case 2: det.Uninit(); break;
        case 3: {
            MotionRect r{in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>(),
                         in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
            if (in.ConsumeBool())
                r = MotionRect{in.ConsumeIntegralInRange(-4, 90), in.ConsumeIntegralInRange(-4, 90),
                               in.ConsumeIntegralInRange(-4, 90), in.ConsumeIntegralInRange(-4, 90)};
            const int level = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 11) : in.ConsumeIntegral<int>();
            const int mode = in.ConsumeIntegralInRange(-1, 2);
            det.SetDetectParams(level, mode, in.ConsumeBool() ? &r : nullptr);
            break;
        }
        case 4:
            det.SetDetectInterval(in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 2000) : in.ConsumeIntegral<int>());
            break;
        case 5: {
            int flag = in.ConsumeIntegralInRange(-1, 2);
            det.MarkMotionRect(in.ConsumeBool() ? &flag : nullptr);
            flag = in.ConsumeIntegralInRange(-1, 2);
            det.MarkMotionOnVideo(in.ConsumeBool() ? &flag : nullptr);
            break;
        }
        case 6: det.StartDetect(); break;
        case 7: det.StopDetect(); break;
        case 8: det.ResetBaseFrame(); break;
        case 9: {
            // The caller's buffer is exactly as large as it says.
            BitmapInfoHeader h{};
            std::uint32_t asked = 0;
            det.GetBaseFrame(&h, nullptr, &asked);
            std::uint32_t given = in.ConsumeBool() ? asked : in.ConsumeIntegralInRange<std::uint32_t>(0, 80 * 80 * 4);
            std::vector<std::uint8_t> buffer(given);
            std::uint32_t size = given;
            det.GetBaseFrame(&h, buffer.data(), &size);
            break;
        }
        default: {
            const std::size_t expected = det.FrameBytes();
            const std::size_t length = in.ConsumeBool() ? expected
                                                        : in.ConsumeIntegralInRange<std::size_t>(0, expected + 64);
            std::vector<std::uint8_t> frame(length);
            const std::uint8_t fill = in.ConsumeIntegral<std::uint8_t>();
            const std::uint8_t stride = in.ConsumeIntegral<std::uint8_t>();
            for (std::size_t i = 0; i < length; ++i) frame[i] = static_cast<std::uint8_t>(fill + (i % 97) * stride);
            ticks.now += in.ConsumeIntegralInRange<std::uint32_t>(0, 400);
            det.ProcessFrame(length ? frame.data() : nullptr, length);
            break;
        }
        }
    }
    det.Uninit();
    return 0;
}
