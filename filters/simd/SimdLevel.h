#pragma once
// Which vector instructions the pixel kernels may use in this process.
//
// The deliverables are 32-bit and must run on any processor with SSE2, so
// the kernels are compiled for SSE2 and carry SSSE3 and AVX2 paths in
// functions marked with the target they need. The processor is asked once;
// every kernel then picks its path from ActiveSimdLevel(). Every path gives
// the plain version's bytes, and tests check that by capping the level to
// each one the processor offers in turn.

namespace vimbrel::simd {

enum class SimdLevel : int {
    kPlain = 0,  // no vector code (also every processor that is not x86)
    kSse2 = 1,
    kSsse3 = 2,
    kAvx2 = 3,
};

// What the processor (and, for AVX2, the operating system) offers.
SimdLevel DetectedSimdLevel();

// The detected level, lowered to the cap when one is set.
SimdLevel ActiveSimdLevel();

// Lowers the active level (never raises it past the detected one); tests use
// it to run each lower path on a machine that offers more.
void CapSimdLevel(SimdLevel cap);

// Back to the detected level.
void ClearSimdCap();

const char* SimdLevelName(SimdLevel level);

// Every level from kPlain up to the detected one, lowest first.
int OfferedSimdLevels(SimdLevel out[4]);

}  // namespace vimbrel::simd
