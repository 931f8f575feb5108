#include "MaskScan.h"

#include <algorithm>
#include <array>

namespace vimbrel::ui {
namespace {

RunBlock FreshBlock() {
    RunBlock block;
    block.bounds = {0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    return block;
}

void AddRun(RunBlock& block, int x0, int x1, int y) {
    block.rects.push_back({x0, y, x1, y + 1});
    block.bounds.left = std::min(block.bounds.left, x0);
    block.bounds.top = std::min(block.bounds.top, y);
    block.bounds.right = std::max(block.bounds.right, x1);
    block.bounds.bottom = std::max(block.bounds.bottom, y + 1);
}

bool RgbEqual(const uint8_t* p, Colour c) { return p[2] == RedOf(c) && p[1] == GreenOf(c) && p[0] == BlueOf(c); }

}  // namespace

std::vector<RunBlock> RunsFromPixels(const MaskView& mask, Colour colour, RegionMode mode, size_t rectsPerBlock) {
    std::vector<RunBlock> blocks;
    if (rectsPerBlock == 0) rectsPerBlock = kRectsPerRegionBlock;
    RunBlock current = FreshBlock();
    if (mask.Valid()) {
        const bool wantEqual = mode == RegionMode::SameColour;
        for (int y = 0; y < mask.height; ++y) {
            const uint8_t* row = mask.Row(y);
            int x = 0;
            while (x < mask.width) {
                int x0 = x;
                while (x < mask.width && RgbEqual(row + x * 4, colour) == wantEqual) ++x;
                if (x > x0) {
                    AddRun(current, x0, x, y);
                    if (current.rects.size() == rectsPerBlock) {
                        blocks.push_back(std::move(current));
                        current = FreshBlock();
                    }
                }
                ++x;  // the pixel that ended the run does not match
            }
        }
    }
    if (!current.rects.empty() || blocks.empty()) blocks.push_back(std::move(current));
    return blocks;
}

std::vector<Colour> CollectKeyColours(const MaskView& mask, size_t limit) {
    std::vector<Colour> keys;
    if (!mask.Valid() || limit == 0) return keys;
    Colour last = kBlack;  // areas are runs of one colour: skip repeats cheaply
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            Colour c = mask.At(x, y);
            if (c == last || c == kBlack || c == kWhite) continue;
            last = c;
            if (std::find(keys.begin(), keys.end(), c) != keys.end()) continue;
            keys.push_back(c);
            if (keys.size() == limit) return keys;
        }
    }
    return keys;
}

std::vector<Colour> CollectSteps(const MaskView& mask) {
    std::array<bool, 256> seen{};
    if (mask.Valid()) {
        for (int y = 0; y < mask.height; ++y) {
            for (int x = 0; x < mask.width; ++x) {
                Colour c = mask.At(x, y);
                if (RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) seen[RedOf(c)] = true;
            }
        }
    }
    std::vector<Colour> steps;
    for (int level = 0; level < 256; ++level) {
        if (seen[level]) {
            auto g = static_cast<uint8_t>(level);
            steps.push_back(MakeColour(g, g, g));
        }
    }
    return steps;
}

}  // namespace vimbrel::ui
