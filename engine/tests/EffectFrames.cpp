#include "engine/tests/EffectFrames.h"

#include "engine/win/CaptureEngineState.h"
#include "engine/tests/TestHostWindow.h"
#include "MessagePump.h"

#include <cmath>

namespace enginetest {

namespace {

constexpr size_t kRowBytes = kFrameWidth * 3;  // a multiple of four: no padding
constexpr size_t kFrameBytes = kRowBytes * kFrameHeight;

}  // namespace

Frame StillScene(IBenchDeviceControl* bench) {
    Frame frame(kFrameBytes);
    if (FAILED(bench->SetScenePattern(BENCH_SCENE_STILL)) ||
        FAILED(bench->RenderFrame(kFrameWidth, kFrameHeight, 0, frame.data(), static_cast<DWORD>(frame.size()))))
        frame.clear();
    return frame;
}

Frame GrabbedFrame() {
    camera::ComPtr<ISampleGrabber> grabber = camera::Engine().grabber;
    long size = 0;
    if (!grabber || FAILED(grabber->GetCurrentBuffer(&size, nullptr)) || size <= 0) return {};
    Frame frame(static_cast<size_t>(size));
    if (FAILED(grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())))) return {};
    frame.resize(static_cast<size_t>(size));
    return frame;
}

bool GrabbedFrameBecomes(const Frame& expected, DWORD timeoutMs) {
    return testbench::PumpUntil([&] { return GrabbedFrame() == expected; }, timeoutMs);
}

Frame GrabbedFrameOtherThan(const Frame& unwanted, DWORD timeoutMs) {
    Frame frame;
    testbench::PumpUntil(
        [&] {
            frame = GrabbedFrame();
            return !frame.empty() && frame != unwanted;
        },
        timeoutMs);
    return frame;
}

Frame Mirrored(const Frame& frame) {
    Frame result(frame.size());
    for (size_t row = 0; row + kRowBytes <= frame.size(); row += kRowBytes) {
        for (size_t x = 0; x < kFrameWidth; ++x) {
            const size_t from = row + x * 3;
            const size_t to = row + (kFrameWidth - 1 - x) * 3;
            for (size_t c = 0; c < 3; ++c) result[to + c] = frame[from + c];
        }
    }
    return result;
}

Frame GammaCorrected(const Frame& frame) {
    uint8_t curve[256];
    for (int i = 0; i < 256; ++i) curve[i] = static_cast<uint8_t>(std::lround(255.0 * std::pow(i / 255.0, 0.631)));
    return ThroughTable(frame, curve);
}

Frame ThroughTable(const Frame& frame, const uint8_t (&table)[256]) {
    return ThroughTables(frame, table, table, table);
}

Frame ThroughTables(const Frame& frame, const uint8_t (&blue)[256], const uint8_t (&green)[256],
                    const uint8_t (&red)[256]) {
    Frame result(frame);
    for (size_t i = 0; i + 2 < result.size(); i += 3) {
        result[i] = blue[result[i]];
        result[i + 1] = green[result[i + 1]];
        result[i + 2] = red[result[i + 2]];
    }
    return result;
}

}  // namespace enginetest
