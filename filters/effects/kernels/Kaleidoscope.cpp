#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {
namespace {

// New speeds are drawn until the step stays inside; a frame barely larger
// than the window may admit no step at these speeds, so the drawing is
// bounded and the window then rests at the nearest valid position.
constexpr int kSpeedDraws = 16;

bool StepFits(float position, float speed, int window, int size) {
    const float next = position + speed;
    if (!(next > -1.0f) || next >= static_cast<float>(size)) {
        return false;
    }
    const int whole = static_cast<int>(next);
    return whole >= 0 && whole + window < size;
}

void MoveAxis(float& position, float& speed, int window, int size, int divisor, IRandomSource& random) {
    if (!std::isfinite(position) || !std::isfinite(speed)) {
        position = 0.0f;
        speed = 0.0f;
    }
    for (int draw = 0; !StepFits(position, speed, window, size); ++draw) {
        if (draw == kSpeedDraws) {
            speed = 0.0f;
            position = std::clamp(position, 0.0f, static_cast<float>(size - window - 1));
            break;
        }
        const float magnitude = static_cast<float>(random.Next() % 10 + 8) / static_cast<float>(divisor);
        // Turn back; a window at rest turns toward the room it has.
        const bool goBack = speed != 0.0f ? speed > 0.0f : position + speed >= 0.0f;
        speed = goBack ? -magnitude : magnitude;
    }
    position += speed;
}

}  // namespace

int KaleidoscopeWindow(int width, int height) {
    const int window = std::min(width / 2, height - 1);
    return window < 1 ? 0 : window;
}

void Kaleidoscope(const RgbFrame& frame, KaleidoscopeState& state, int parameter, int speedDivisor,
                  IRandomSource& random, CScratch& scratch) {
    const int w = frame.width, h = frame.height;
    const int W = frame.Empty() ? 0 : KaleidoscopeWindow(w, h);
    if (W == 0) {
        return;
    }
    const int divisor = speedDivisor > 0 ? speedDivisor : 1;
    MoveAxis(state.x, state.vx, W, w, divisor, random);
    MoveAxis(state.y, state.vy, W, h, divisor, random);

    const int left = std::clamp(static_cast<int>(state.x), 0, w - W);
    const int bottom = std::clamp(static_cast<int>(state.y), 0, h - W);
    uint8_t* window = scratch.Bytes(0, static_cast<std::size_t>(W) * W * 3);
    for (int r = 0; r < W; ++r) {
        std::memcpy(window + static_cast<std::size_t>(r) * W * 3, frame.Row(bottom + r) + 3 * left,
                    static_cast<std::size_t>(W) * 3);
    }

    const int half = h / 2;
    const int centre = w / 2;
    const int64_t radius2 = static_cast<int64_t>(h) * h / 20;
    for (int r = 0; r < h; ++r) {
        const int fr = std::clamp(r < half ? r + (w - h) / 2 : W - 1 - (r - half), 0, W - 1);
        const int64_t dy2 = static_cast<int64_t>(half - r) * (half - r);
        uint8_t* out = frame.Row(r);
        for (int k = 0; k < w; ++k) {
            if (parameter != 1 && dy2 + static_cast<int64_t>(centre - k) * (centre - k) < radius2) {
                continue;  // the camera picture shows through the centre
            }
            const int fc = std::clamp(k < W ? k : 2 * W - 1 - k, 0, W - 1);
            const uint8_t* p = window + (static_cast<std::size_t>(std::max(fr, fc)) * W + std::min(fr, fc)) * 3;
            out[3 * k] = p[0];
            out[3 * k + 1] = p[1];
            out[3 * k + 2] = p[2];
        }
    }
}

}  // namespace vimbrel::effects
