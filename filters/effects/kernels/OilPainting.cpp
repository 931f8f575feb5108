#include <algorithm>
#include <cstdint>
#include <cstring>

#include "kernels/SpatialEffects.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // Large frames only: one entry per 2 x 2 block (blocks per row =
    // blockColumns), level and the block's mean blue, green and red in
    // planes of their own. Null for small frames.
    const uint8_t* blockLevel = nullptr;
    const uint8_t* blockChannel[3] = {nullptr, nullptr, nullptr};
    int blockColumns = 0;
};

// Large frames are pre-averaged in 2 x 2 blocks (clipped at odd edges) and
// every cell of a block gets the block's level, so sampling from any origin
// reads a written level.
void PrepareAveraged(const RgbFrame& frame, uint8_t* colour, uint8_t* level, uint8_t* blockLevel,
                     uint8_t* const* blockChannel) {
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
            const std::size_t block = static_cast<std::size_t>(r / 2) * ((w + 1) / 2) + k / 2;
            blockLevel[block] = lv;
            for (int c = 0; c < 3; ++c) {
                blockChannel[c][block] = mean[c];
            }
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

struct TileBounds {
    int col0, row0, col1, row1;
};

TileBounds BoundsOf(const OilJob& job, int tile) {
    const int w = job.out.width, h = job.out.height, d = job.divisions;
    const int col0 = static_cast<int>(static_cast<int64_t>(w) * (tile % d) / d);
    const int row0 = static_cast<int>(static_cast<int64_t>(h) * (tile / d) / d);
    return {col0, row0, std::min(w, col0 + w / d), std::min(h, row0 + h / d)};
}

void WriteBlock(const OilJob& job, const TileBounds& t, int x, int y, const uint8_t* mean) {
    if (x + 2 <= t.col1 && y + 2 <= t.row1) {
        uint8_t pair[6] = {mean[0], mean[1], mean[2], mean[0], mean[1], mean[2]};
        std::memcpy(job.out.Row(y) + 3 * x, pair, 6);
        std::memcpy(job.out.Row(y + 1) + 3 * x, pair, 6);
        return;
    }
    for (int by = y; by < std::min(y + 2, t.row1); ++by) {
        uint8_t* out = job.out.Row(by);
        for (int bx = x; bx < std::min(x + 2, t.col1); ++bx) {
            std::memcpy(out + 3 * bx, mean, 3);
        }
    }
}

#if defined(__SSE2__)
// A point whose 16 samples all lie inside a pre-averaged frame. The samples
// at -2, 0, 2 and 4 pixels are four neighbouring 2 x 2 blocks each way
// (whatever the point's parity), so they are 4 x 4 consecutive entries of
// the block planes and fit one 16-byte vector in sampling order. The most
// frequent level, first to reach its count in that order, is the level of
// the first sample whose running occurrence count is the largest.
bool PaintInnerPoint(const OilJob& job, int x, int y, uint8_t* mean) {
    const int bx = (x - 2) / 2, by = (y - 2) / 2;
    const std::size_t first = static_cast<std::size_t>(by) * job.blockColumns + bx;
    const std::size_t stride = static_cast<std::size_t>(job.blockColumns);
    auto gather = [&](const uint8_t* plane) {
        int32_t rows[4];
        for (int i = 0; i < 4; ++i) {
            std::memcpy(&rows[i], plane + first + i * stride, 4);
        }
        return _mm_setr_epi32(rows[0], rows[1], rows[2], rows[3]);
    };
    const __m128i levels = gather(job.blockLevel);
    // occurrences[i] = how many of samples 0..i share sample i's level.
    __m128i occurrences = _mm_set1_epi8(1);
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
#define VIMBREL_OIL_SHIFT(s)                                                                        \
    {                                                                                               \
        const __m128i earlier = _mm_slli_si128(levels, s); /* lane i: sample i - s */              \
        const __m128i valid = _mm_cmpgt_epi8(lanes, _mm_set1_epi8(s - 1));                          \
        occurrences = _mm_sub_epi8(occurrences, _mm_and_si128(_mm_cmpeq_epi8(levels, earlier), valid)); \
    }
    VIMBREL_OIL_SHIFT(1) VIMBREL_OIL_SHIFT(2) VIMBREL_OIL_SHIFT(3) VIMBREL_OIL_SHIFT(4)
    VIMBREL_OIL_SHIFT(5) VIMBREL_OIL_SHIFT(6) VIMBREL_OIL_SHIFT(7) VIMBREL_OIL_SHIFT(8)
    VIMBREL_OIL_SHIFT(9) VIMBREL_OIL_SHIFT(10) VIMBREL_OIL_SHIFT(11) VIMBREL_OIL_SHIFT(12)
    VIMBREL_OIL_SHIFT(13) VIMBREL_OIL_SHIFT(14) VIMBREL_OIL_SHIFT(15)
#undef VIMBREL_OIL_SHIFT
    __m128i top = _mm_max_epu8(occurrences, _mm_shuffle_epi32(occurrences, 0x4E));
    top = _mm_max_epu8(top, _mm_shuffle_epi32(top, 0xB1));
    top = _mm_max_epu8(top, _mm_shufflelo_epi16(_mm_shufflehi_epi16(top, 0xB1), 0xB1));
    top = _mm_max_epu8(top, _mm_or_si128(_mm_srli_epi16(top, 8), _mm_slli_epi16(top, 8)));
    const int atTop = _mm_movemask_epi8(_mm_cmpeq_epi8(occurrences, top));
    const int winner = __builtin_ctz(static_cast<unsigned>(atTop));  // never 0: some lane holds the top
    alignas(16) uint8_t levelBytes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(levelBytes), levels);
    const __m128i chosen = _mm_cmpeq_epi8(levels, _mm_set1_epi8(static_cast<char>(levelBytes[winner])));
    const int count = _mm_cvtsi128_si32(top) & 0xFF;
    for (int c = 0; c < 3; ++c) {
        const __m128i sums = _mm_sad_epu8(_mm_and_si128(gather(job.blockChannel[c]), chosen), _mm_setzero_si128());
        const int sum = _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        mean[c] = static_cast<uint8_t>(sum / count);
    }
    return true;
}
#endif

void PaintTile(void* context, int tile) {
    const OilJob& job = *static_cast<const OilJob*>(context);
    const int w = job.out.width, h = job.out.height;
    const TileBounds bounds = BoundsOf(job, tile);
    const int col0 = bounds.col0, row0 = bounds.row0, col1 = bounds.col1, row1 = bounds.row1;
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
#if defined(__SSE2__)
            if (job.blockLevel && x >= 2 && x + 4 < w && y >= 2 && y + 4 < h) {
                uint8_t mean[3];
                PaintInnerPoint(job, x, y, mean);
                WriteBlock(job, bounds, x, y, mean);
                continue;
            }
#endif
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
            WriteBlock(job, bounds, x, y, mean);
        }
    }
}

// The painting as first written: a cleared histogram and a scan of all its
// bins for every point. What the tiles above must reproduce.
void PaintTileReference(void* context, int tile) {
    const OilJob& job = *static_cast<const OilJob*>(context);
    const int w = job.out.width, h = job.out.height;
    const TileBounds bounds = BoundsOf(job, tile);
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    for (int y = bounds.row0; y < bounds.row1; y += 2) {
        for (int x = bounds.col0; x < bounds.col1; x += 2) {
            int histogram[kLevels] = {};
            int sampleRow[16], sampleCol[16], samples = 0;
            int top = 0, chosen = 0;
            for (int dy = -2; dy <= 4; dy += 2) {
                for (int dx = -2; dx <= 4; dx += 2) {
                    if (y + dy < 0 || y + dy >= h || x + dx < 0 || x + dx >= w) continue;
                    const int level = job.level[static_cast<std::size_t>(y + dy) * w + (x + dx)];
                    sampleRow[samples] = y + dy;
                    sampleCol[samples++] = x + dx;
                    if (++histogram[level] > top) {
                        top = histogram[level];
                        chosen = level;
                    }
                }
            }
            int sum[3] = {0, 0, 0};
            for (int i = 0; i < samples; ++i) {
                if (job.level[static_cast<std::size_t>(sampleRow[i]) * w + sampleCol[i]] != chosen) continue;
                const uint8_t* c = job.colour + static_cast<std::size_t>(sampleRow[i]) * rowBytes + 3 * sampleCol[i];
                for (int ch = 0; ch < 3; ++ch) sum[ch] += c[ch];
            }
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / top), static_cast<uint8_t>(sum[1] / top),
                                     static_cast<uint8_t>(sum[2] / top)};
            WriteBlock(job, bounds, x, y, mean);
        }
    }
}

void RunOilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch, TileWork paint) {
    if (frame.Empty()) {
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    const int blockColumns = (frame.width + 1) / 2;
    const std::size_t blocks = static_cast<std::size_t>(blockColumns) * ((frame.height + 1) / 2);
    uint8_t* colour = scratch.Bytes(0, pixels * 3);
    uint8_t* level = scratch.Bytes(1, pixels);
    const int divisions = OilPaintingDivisions(frame.width, frame.height);
    OilJob job{frame, colour, level, divisions};
    if (divisions == 4) {
        uint8_t* blockPlanes = scratch.Bytes(2, blocks * 4);
        uint8_t* const channels[3] = {blockPlanes + blocks, blockPlanes + 2 * blocks, blockPlanes + 3 * blocks};
        PrepareAveraged(frame, colour, level, blockPlanes, channels);
        job.blockLevel = blockPlanes;
        for (int c = 0; c < 3; ++c) job.blockChannel[c] = channels[c];
        job.blockColumns = blockColumns;
    } else {
        PreparePlain(frame, colour, level);
    }
    runner.RunTiles(divisions * divisions, paint, &job);
}

}  // namespace

int OilPaintingDivisions(int width, int height) { return (width > 400 || height > 300) ? 4 : 2; }

void OilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch) {
    RunOilPainting(frame, runner, scratch, &PaintTile);
}

void OilPaintingReference(const RgbFrame& frame, CScratch& scratch) {
    CSerialTileRunner serial;
    RunOilPainting(frame, serial, scratch, &PaintTileReference);
}

}  // namespace vimbrel::effects
