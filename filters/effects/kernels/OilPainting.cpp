#include <algorithm>
#include <cstdint>
#include <cstring>

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
void PrepareAveraged(const RgbFrame& frame, uint8_t* colour, uint8_t* level) {
    const int w = frame.width, h = frame.height;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    for (int r = 0; r < h; r += 2) {
        const int rows = std::min(2, h - r);
        for (int k = 0; k < w; k += 2) {
            const int cols = std::min(2, w - k);
            int sum[3] = {0, 0, 0};
            for (int m = 0; m < rows; ++m) {
                const uint8_t* p = frame.Row(r + m) + 3 * k;
                for (int n = 0; n < cols; ++n, p += 3) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            const int count = rows * cols;
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
                                     static_cast<uint8_t>(sum[2] / count)};
            const uint8_t lv = static_cast<uint8_t>(LevelOf(mean));
            for (int m = 0; m < rows; ++m) {
                uint8_t* c = colour + static_cast<std::size_t>(r + m) * rowBytes + 3 * k;
                uint8_t* l = level + static_cast<std::size_t>(r + m) * w + k;
                for (int n = 0; n < cols; ++n) {
                    std::memcpy(c + 3 * n, mean, 3);
                    l[n] = lv;
                }
            }
        }
    }
}

void PreparePlain(const RgbFrame& frame, uint8_t* colour, uint8_t* level) {
    const int w = frame.width;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        std::memcpy(colour + static_cast<std::size_t>(r) * rowBytes, p, rowBytes);
        uint8_t* l = level + static_cast<std::size_t>(r) * w;
        for (int k = 0; k < w; ++k) {
            l[k] = static_cast<uint8_t>(LevelOf(p + 3 * k));
        }
    }
}

// The sample offsets of one axis that fall inside [0, size) around `at`.
int SampleOffsets(int at, int size, int* out) {
    static constexpr int kOffsets[4] = {-2, 0, 2, 4};
    int n = 0;
    for (int d : kOffsets) {
        if (at + d >= 0 && at + d < size) {
            out[n++] = at + d;
        }
    }
    return n;
}

void PaintTile(void* context, int tile) {
    const OilJob& job = *static_cast<const OilJob*>(context);
    const int w = job.out.width, h = job.out.height, d = job.divisions;
    const int col0 = static_cast<int>(static_cast<int64_t>(w) * (tile % d) / d);
    const int row0 = static_cast<int>(static_cast<int64_t>(h) * (tile / d) / d);
    const int col1 = std::min(w, col0 + w / d);
    const int row1 = std::min(h, row0 + h / d);
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    // Cleared once; after each point only the bins its samples touched are
    // reset, which costs far less than clearing all of them every time. Each
    // bin also sums its samples' colours, packed 21 bits a channel (16 samples
    // of 255 need 12).
    int histogram[kLevels] = {};
    uint64_t colourSum[kLevels] = {};

    for (int y = row0; y < row1; y += 2) {
        int rows[4];
        const int rowCount = SampleOffsets(y, h, rows);
        for (int x = col0; x < col1; x += 2) {
            int cols[4];
            const int colCount = SampleOffsets(x, w, cols);
            uint8_t sampleLevel[16];
            int samples = 0;
            // The most frequent level; among equals, the one that got there
            // first. Written without branches: the outcome is data-dependent
            // and would mispredict on nearly every point.
            int top = 0, chosen = 0;
            for (int i = 0; i < rowCount; ++i) {
                const uint8_t* levelRow = job.level + static_cast<std::size_t>(rows[i]) * w;
                const uint8_t* colourRow = job.colour + static_cast<std::size_t>(rows[i]) * rowBytes;
                for (int j = 0; j < colCount; ++j, ++samples) {
                    const int level = levelRow[cols[j]];
                    const uint8_t* c = colourRow + 3 * cols[j];
                    sampleLevel[samples] = static_cast<uint8_t>(level);
                    colourSum[level] += c[0] | (static_cast<uint64_t>(c[1]) << 21) | (static_cast<uint64_t>(c[2]) << 42);
                    const int count = ++histogram[level];
                    const bool higher = count > top;
                    top = higher ? count : top;
                    chosen = higher ? level : chosen;
                }
            }
            // The chosen level holds `top` samples; the point itself is one.
            const uint64_t sum = colourSum[chosen];
            const uint8_t mean[3] = {static_cast<uint8_t>((sum & 0x1FFFFF) / top),
                                     static_cast<uint8_t>(((sum >> 21) & 0x1FFFFF) / top),
                                     static_cast<uint8_t>((sum >> 42) / top)};
            for (int i = 0; i < samples; ++i) {
                histogram[sampleLevel[i]] = 0;
                colourSum[sampleLevel[i]] = 0;
            }
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

void OilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    uint8_t* colour = scratch.Bytes(0, pixels * 3);
    uint8_t* level = scratch.Bytes(1, pixels);
    const int divisions = OilPaintingDivisions(frame.width, frame.height);
    if (divisions == 4) {
        PrepareAveraged(frame, colour, level);
    } else {
        PreparePlain(frame, colour, level);
    }
    OilJob job{frame, colour, level, divisions};
    runner.RunTiles(divisions * divisions, &PaintTile, &job);
}

}  // namespace vimbrel::effects
