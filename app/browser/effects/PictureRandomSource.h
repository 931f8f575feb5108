#pragma once
// The pseudo-random numbers of the frosted-glass and dot-screen effects. The
// editor uses the C runtime's generator, so every application looks
// different; tests script their own sequence.

#include <cstdlib>

namespace vimbrel::browser {

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A number in 0..32767, as the runtime's rand() gives.
    virtual int Next() = 0;
};

class CRuntimeRandom final : public IRandomSource {
public:
    int Next() override { return std::rand(); }
};

// Next() mod n. A source that strays below zero is read as unsigned, so the
// remainder always stays inside 0..n - 1 and every table index stays valid.
inline int RandomBelow(IRandomSource& random, int n) {
    return static_cast<int>(static_cast<unsigned>(random.Next()) % static_cast<unsigned>(n));
}

}  // namespace vimbrel::browser
