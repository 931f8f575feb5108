#include "simd/SimdLevel.h"

#include <atomic>

namespace vimbrel::simd {
namespace {

SimdLevel Probe() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();
    // GCC's and Clang's probe clears AVX2 when the operating system does not
    // save the upper register halves, so a "yes" here is safe to act on.
    if (__builtin_cpu_supports("avx2")) return SimdLevel::kAvx2;
    if (__builtin_cpu_supports("ssse3")) return SimdLevel::kSsse3;
    if (__builtin_cpu_supports("sse2")) return SimdLevel::kSse2;
#endif
    return SimdLevel::kPlain;
}

// -1: no cap. Relaxed order is enough: a cap is set by a test before the
// kernels it checks run, on the same thread.
std::atomic<int> g_cap{-1};

}  // namespace

SimdLevel DetectedSimdLevel() {
    static const SimdLevel detected = Probe();
    return detected;
}

SimdLevel ActiveSimdLevel() {
    const SimdLevel detected = DetectedSimdLevel();
    const int cap = g_cap.load(std::memory_order_relaxed);
    return cap >= 0 && cap < static_cast<int>(detected) ? static_cast<SimdLevel>(cap) : detected;
}

void CapSimdLevel(SimdLevel cap) { g_cap.store(static_cast<int>(cap), std::memory_order_relaxed); }

void ClearSimdCap() { g_cap.store(-1, std::memory_order_relaxed); }

const char* SimdLevelName(SimdLevel level) {
    switch (level) {
    case SimdLevel::kPlain: return "plain";
    case SimdLevel::kSse2: return "SSE2";
    case SimdLevel::kSsse3: return "SSSE3";
    case SimdLevel::kAvx2: return "AVX2";
    }
    return "?";
}

int OfferedSimdLevels(SimdLevel out[4]) {
    const int top = static_cast<int>(DetectedSimdLevel());
    for (int i = 0; i <= top; ++i) out[i] = static_cast<SimdLevel>(i);
    return top + 1;
}

}  // namespace vimbrel::simd
