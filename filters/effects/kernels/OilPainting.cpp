#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {
namespace {

constexpr int kLevels = 224;  // B/8 + G/2 + R/4 never exceeds 221

int LevelOf(const uint8_t* bgr) { return bgr[0] / 8 + bgr[1] / 2 + bgr[2] / 4; }

// Shared by the workers of one frame; only the output frame is written, each
// worker strictly inside its own tile.
struct OilJob {
    RgbFrame out;
    const uint8_t* colour;  // packed copy, width x 3 per row
    const uint8_t* level;   // one byte per pixel
    int divisions;
};

// Large frames are pre-averaged in 2 x 2 blocks (clipped at odd edges) and
// every cell of a block gets the block's level, so sampling from any origin
// reads a written level.
void PrepareAveraged(const RgbFrame& frame, std::vector<uint8_t>& colour, std::vector<uint8_t>& level) {
    const int w = frame.width, h = frame.height;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    for (int r = 0; r < h; r += 2) {
        const int rows = std::min(2, h - r);
        for (int k = 0; k < w; k += 2) {
            const int cols = std::min(2, w - k);
            int sum[3] = {0, 0, 0};
            for (int m = 0; m < rows; ++m) {
                const uint8_t* p = frame.Row(r + m) + 3 * k;
                for (int n = 0; n < cols * 3; ++n) {
                    sum[n % 3] += p[n];
                }
            }
            const int count = rows * cols;
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
                                     static_cast<uint8_t>(sum[2] / count)};
            const uint8_t lv = static_cast<uint8_t>(LevelOf(mean));
            for (int m = 0; m < rows; ++m) {
                uint8_t* c = colour.data() + static_cast<std::size_t>(r + m) * rowBytes + 3 * k;
                uint8_t* l = level.data() + static_cast<std::size_t>(r + m) * w + k;
                for (int n = 0; n < cols; ++n) {
                    std::memcpy(c + 3 * n, mean, 3);
                    l[n] = lv;
                }
            }
        }
    }
}

void PreparePlain(const RgbFrame& frame, std::vector<uint8_t>& colour, std::vector<uint8_t>& level) {
    const int w = frame.width;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        std::memcpy(colour.data() + static_cast<std::size_t>(r) * rowBytes, p, rowBytes);
        uint8_t* l = level.data() + static_cast<std::size_t>(r) * w;
        for (int k = 0; k < w; ++k) {
            l[k] = static_cast<uint8_t>(LevelOf(p + 3 * k));
        }
    }
}

void PaintTile(void* context, int tile) {
    const OilJob& job = *static_cast<const OilJob*>(context);
    const int w = job.out.width, h = job.out.height, d = job.divisions;
    const int col0 = static_cast<int>(static_cast<int64_t>(w) * (tile % d) / d);
    const int row0 = static_cast<int>(static_cast<int64_t>(h) * (tile / d) / d);
    const int col1 = std::min(w, col0 + w / d);
    const int row1 = std::min(h, row0 + h / d);
    static constexpr int kOffsets[4] = {-2, 0, 2, 4};
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;

    for (int y = row0; y < row1; y += 2) {
        for (int x = col0; x < col1; x += 2) {
            int sampleLevel[16];
            const uint8_t* sampleColour[16];
            int samples = 0;
            for (int dy : kOffsets) {
                const int sy = y + dy;
                if (sy < 0 || sy >= h) continue;
                for (int dx : kOffsets) {
                    const int sx = x + dx;
                    if (sx < 0 || sx >= w) continue;
                    sampleLevel[samples] = job.level[static_cast<std::size_t>(sy) * w + sx];
                    sampleColour[samples] = job.colour + static_cast<std::size_t>(sy) * rowBytes + 3 * sx;
                    ++samples;
                }
            }
            // The most frequent level; among equals, the one that got there first.
            int histogram[kLevels] = {};
            int top = 0, chosen = 0;
            for (int i = 0; i < samples; ++i) {
                if (++histogram[sampleLevel[i]] > top) {
                    top = histogram[sampleLevel[i]];
                    chosen = sampleLevel[i];
                }
            }
            int sum[3] = {0, 0, 0};
            int count = 0;
            for (int i = 0; i < samples; ++i) {
                if (sampleLevel[i] == chosen) {
                    sum[0] += sampleColour[i][0];
                    sum[1] += sampleColour[i][1];
                    sum[2] += sampleColour[i][2];
                    ++count;
                }
            }
            if (count == 0) continue;
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
                                     static_cast<uint8_t>(sum[2] / count)};
            for (int by = y; by < std::min(y + 2, row1); ++by) {
                uint8_t* out = job.out.Row(by);
                for (int bx = x; bx < std::min(x + 2, col1); ++bx) {
                    std::memcpy(out + 3 * bx, mean, 3);
                }
            }
        }
    }
}

}  // namespace

int OilPaintingDivisions(int width, int height) { return (width > 400 || height > 300) ? 4 : 2; }

void OilPainting(const RgbFrame& frame, ITileRunner& runner) {
    if (frame.Empty()) {
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    std::vector<uint8_t> colour(pixels * 3);
    std::vector<uint8_t> level(pixels);
    const int divisions = OilPaintingDivisions(frame.width, frame.height);
    if (divisions == 4) {
        PrepareAveraged(frame, colour, level);
    } else {
        PreparePlain(frame, colour, level);
    }
    OilJob job{frame, colour.data(), level.data(), divisions};
    runner.RunTiles(divisions * divisions, &PaintTile, &job);
}

}  // namespace vimbrel::effects
