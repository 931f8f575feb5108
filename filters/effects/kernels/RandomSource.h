#pragma once
// The pseudo-random numbers the jitter and kaleidoscope draw. The filter uses
// the C library's generator, which it never seeds; tests substitute their own.

#include <cstdlib>

namespace vimbrel::effects {

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A non-negative number; only its remainders by 9 and 10 are used.
    virtual int Next() = 0;
};

class CStdRandom final : public IRandomSource {
public:
    int Next() override { return std::rand(); }
};

}  // namespace vimbrel::effects
