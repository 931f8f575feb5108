// Detection level to block size and threshold, and the size of the reduced
// picture the detector works on.
#pragma once

#include <cstdint>

namespace motion {

constexpr std::uint32_t kMaxLevel = 10;

struct LevelSettings {
    std::uint32_t blockSize;  // 0 at level 0: the picture is not shrunk
    std::uint32_t threshold;  // gray difference that counts as changed
};

// Levels above kMaxLevel are treated as kMaxLevel.
LevelSettings LevelSettingsFor(std::uint32_t level);

struct ReducedSize {
    std::uint32_t block;   // block in use, never 0
    std::uint32_t width;   // ZFrameWidth
    std::uint32_t height;  // ZFrameHeight
    bool recomputed;       // the block was recomputed by the 20-pixel rule
};

// ceil(W / b) x ceil(H / b), each at least 20; a side of exactly 20 makes the
// block min(W / ZW, H / ZH) - 1 (at least 1) and the size is taken again.
// Works in signed arithmetic so frames under 20 pixels give block 1 rather
// than a wrapped-around block.
ReducedSize ComputeReducedSize(std::uint32_t W, std::uint32_t H, std::uint32_t blockSize);

}  // namespace motion
