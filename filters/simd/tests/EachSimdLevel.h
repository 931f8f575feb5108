#pragma once
// Runs a check once per vector level the machine offers, the level capped
// to it, and names the level in any failure.

#include <gtest/gtest.h>

#include "simd/SimdLevel.h"

namespace vimbrel::simd::testing {

template <typename Check>
void ForEachOfferedSimdLevel(Check check) {
    SimdLevel levels[4];
    const int count = OfferedSimdLevels(levels);
    for (int i = 0; i < count; ++i) {
        CapSimdLevel(levels[i]);
        SCOPED_TRACE(SimdLevelName(levels[i]));
        check(levels[i]);
    }
    ClearSimdCap();
}

}  // namespace vimbrel::simd::testing
