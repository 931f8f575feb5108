#include "ProcessWideState.h"

#include <mutex>

namespace motion {

namespace {

constexpr int kBaseRefreshCountdown = 100;
constexpr float kMaxMeasuredRate = 32.0f;

struct SharedState {
    std::mutex lock;
    int baseCountdown = 0;
    std::uint32_t gateLastTick = 0;  // 0: no tick seen yet
    int gateCountdown = 1;
};

SharedState& Shared() {
    static SharedState state;
    return state;
}

}  // namespace

bool DecideBaseFrame(BaseSource source, bool refresh) {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    if (source == BaseSource::TakeNow) {
        s.baseCountdown = 0;
        return true;
    }
    if (!refresh) {
        s.baseCountdown = kBaseRefreshCountdown;
        return false;
    }
    if (s.baseCountdown == 0) {
        s.baseCountdown = kBaseRefreshCountdown;
        return true;
    }
    --s.baseCountdown;
    return false;
}

bool IntervalGateAllows(std::uint32_t intervalMs, ITickSource& ticks) {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    if (s.gateLastTick == 0) {
        s.gateLastTick = ticks.Now();
    } else {
        const std::uint32_t tick = ticks.Now();
        if (s.gateCountdown == 0 && tick != s.gateLastTick) {
            // Single precision on purpose, each step stored: the reload must
            // come out the same on every build (x87 double would differ).
            volatile float fps = 1000.0f / static_cast<float>(tick - s.gateLastTick);
            if (fps > kMaxMeasuredRate) fps = kMaxMeasuredRate;
            volatile float frames = static_cast<float>(intervalMs) * fps;
            frames = frames / 1000.0f;
            const int reload = static_cast<int>(frames);
            s.gateCountdown = reload < 1 ? 1 : reload;
        }
        s.gateLastTick = tick;
    }
    if (s.gateCountdown > 0) {
        --s.gateCountdown;
        return s.gateCountdown <= 0;
    }
    return true;
}

void ResetProcessWideMotionState() {
    SharedState& s = Shared();
    std::lock_guard<std::mutex> hold(s.lock);
    s.baseCountdown = 0;
    s.gateLastTick = 0;
    s.gateCountdown = 1;
}

}  // namespace motion
