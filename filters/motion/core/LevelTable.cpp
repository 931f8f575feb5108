#include "LevelTable.h"

#include <algorithm>

namespace motion {

LevelSettings LevelSettingsFor(std::uint32_t level) {
    const std::uint32_t l = std::min(level, kMaxLevel);
    const std::uint32_t block = ((l + 2) / 3) * 8;
    return LevelSettings{block, block + ((l + 2) % 3) * 2 + 15};
}

ReducedSize ComputeReducedSize(std::uint32_t W, std::uint32_t H, std::uint32_t blockSize) {
    const std::int64_t w = W, h = H;
    auto ceilDiv = [](std::int64_t a, std::int64_t b) { return (a + b - 1) / b; };
    std::int64_t b = blockSize ? blockSize : 1;
    std::int64_t zw = std::max<std::int64_t>(ceilDiv(w, b), 20);
    std::int64_t zh = std::max<std::int64_t>(ceilDiv(h, b), 20);
    bool recomputed = false;
    if (zw == 20 || zh == 20) {
        b = std::max<std::int64_t>(std::min(w / zw, h / zh) - 1, 1);
        zw = ceilDiv(w, b);
        zh = ceilDiv(h, b);
        recomputed = true;
    }
    return ReducedSize{static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(zw), static_cast<std::uint32_t>(zh),
                       recomputed};
}

}  // namespace motion
