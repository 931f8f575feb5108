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
    int divisions;
    // What the points sample: a level plane and blue, green and red planes,
    // one entry per pixel of small frames (shift 0) or per 2 x 2 block of
    // large ones (shift 1); a pixel's entry is (row >> shift) x planeColumns
    // + (column >> shift).
    int shift = 0;
    int planeColumns = 0;
    const uint8_t* level = nullptr;
    const uint8_t* channel[3] = {nullptr, nullptr, nullptr};
    // The plain version's inputs: a packed colour copy and a level per pixel.
    const uint8_t* pixelColour = nullptr;
    const uint8_t* pixelLevel = nullptr;
};

// The plain version's preparation of a large frame: 2 x 2 blocks (clipped
// at odd edges) averaged, every cell of a block given the block's level, so
// sampling from any origin reads a written level.
void PrepareAveragedPixels(const RgbFrame& frame, uint8_t* colour, uint8_t* level) {
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

void PreparePlainPixels(const RgbFrame& frame, uint8_t* colour, uint8_t* level) {
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

// The block planes of a large frame: one entry per 2 x 2 block holding its
// level and mean blue, green and red; the same values the plain version
// spreads over every pixel of the block, in a quarter of the memory.
void PrepareBlockPlanes(const RgbFrame& frame, uint8_t* level, uint8_t* const* channel) {
    const int w = frame.width, h = frame.height, columns = (w + 1) / 2;
    auto store = [&](std::size_t block, int b, int g, int r) {
        const uint8_t mean[3] = {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r)};
        level[block] = static_cast<uint8_t>(LevelOf(mean));
        channel[0][block] = mean[0];
        channel[1][block] = mean[1];
        channel[2][block] = mean[2];
    };
    for (int r = 0; r < h; r += 2) {
        const std::size_t first = static_cast<std::size_t>(r / 2) * columns;
        const uint8_t* lower = frame.Row(r);
        const int fullColumns = w / 2;
        if (r + 1 < h) {
            // Whole blocks: a sum of four, shifted right by 2.
            const uint8_t* upper = frame.Row(r + 1);
            for (int i = 0; i < fullColumns; ++i) {
                const uint8_t* p = lower + 6 * i;
                const uint8_t* q = upper + 6 * i;
                store(first + i, (p[0] + p[3] + q[0] + q[3]) >> 2, (p[1] + p[4] + q[1] + q[4]) >> 2,
                      (p[2] + p[5] + q[2] + q[5]) >> 2);
            }
            if (w % 2 != 0) {
                const uint8_t* p = lower + 3 * (w - 1);
                const uint8_t* q = upper + 3 * (w - 1);
                store(first + fullColumns, (p[0] + q[0]) / 2, (p[1] + q[1]) / 2, (p[2] + q[2]) / 2);
            }
            continue;
        }
        // The last row of an odd height: blocks of one row.
        for (int i = 0; i < fullColumns; ++i) {
            const uint8_t* p = lower + 6 * i;
            store(first + i, (p[0] + p[3]) / 2, (p[1] + p[4]) / 2, (p[2] + p[5]) / 2);
        }
        if (w % 2 != 0) {
            const uint8_t* p = lower + 3 * (w - 1);
            store(first + fullColumns, p[0], p[1], p[2]);
        }
    }
}

// Small frames: every pixel's level and channels in planes of their own.
void PreparePixelPlanes(const RgbFrame& frame, uint8_t* level, uint8_t* const* channel) {
    const int w = frame.width;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        const std::size_t first = static_cast<std::size_t>(r) * w;
        for (int k = 0; k < w; ++k, p += 3) {
            level[first + k] = static_cast<uint8_t>(LevelOf(p));
            channel[0][first + k] = p[0];
            channel[1][first + k] = p[1];
            channel[2][first + k] = p[2];
        }
    }
}

// x / count for the sums of a point's samples (at most 16 of 255) as a
// multiply by round-up(2^20 / count): the excess stays below 4080 / 2^20,
// under the 1/16 that would carry into the next whole number.
struct SampleReciprocals {
    uint32_t value[17];
    SampleReciprocals() {
        value[0] = 0;
        for (uint32_t c = 1; c <= 16; ++c) value[c] = ((1u << 20) + c - 1) / c;
    }
};

const SampleReciprocals kReciprocals;

inline uint8_t MeanOfSamples(uint32_t sum, int count) {
    return static_cast<uint8_t>((sum * kReciprocals.value[count]) >> 20);
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

// Tile k of a d x d grid starts at column w (k mod d) / d and row
// h (k div d) / d and reaches to where the next tile starts (the frame's
// edge for the last), so the tiles cover the frame without overlap: a
// block at a tile's last point never writes into its neighbour, and where
// w or h does not divide evenly no column or row is left unpainted.
TileBounds BoundsOf(const OilJob& job, int tile) {
    const int64_t w = job.out.width, h = job.out.height, d = job.divisions;
    const int64_t col = tile % d, row = tile / d;
    return {static_cast<int>(w * col / d), static_cast<int>(h * row / d), static_cast<int>(w * (col + 1) / d),
            static_cast<int>(h * (row + 1) / d)};
}

// A point's mean over the 2 x 2 block it stands for, both pixels of each row
// in one 6-byte store.
inline void WriteWholeBlock(const OilJob& job, int x, int y, const uint8_t* mean) {
    const uint8_t pair[6] = {mean[0], mean[1], mean[2], mean[0], mean[1], mean[2]};
    std::memcpy(job.out.Row(y) + 3 * x, pair, 6);
    std::memcpy(job.out.Row(y + 1) + 3 * x, pair, 6);
}

void WriteBlock(const OilJob& job, const TileBounds& t, int x, int y, const uint8_t* mean) {
    if (x + 2 <= t.col1 && y + 2 <= t.row1) {
        WriteWholeBlock(job, x, y, mean);
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
    const std::size_t first = static_cast<std::size_t>(by) * job.planeColumns + bx;
    const std::size_t stride = static_cast<std::size_t>(job.planeColumns);
    auto gather = [&](const uint8_t* plane) {
        int32_t rows[4];
        for (int i = 0; i < 4; ++i) {
            std::memcpy(&rows[i], plane + first + i * stride, 4);
        }
        return _mm_setr_epi32(rows[0], rows[1], rows[2], rows[3]);
    };
    const __m128i levels = gather(job.level);
    // occurrences[i] = how many of samples 0..i share sample i's level. The
    // levels are compared plus one (they never exceed 221), so the zeros a
    // byte shift brings in never match and need no mask.
    const __m128i marked = _mm_add_epi8(levels, _mm_set1_epi8(1));
    __m128i occurrences = _mm_set1_epi8(1);
#define VIMBREL_OIL_SHIFT(s) occurrences = _mm_sub_epi8(occurrences, _mm_cmpeq_epi8(marked, _mm_slli_si128(marked, s)))
    VIMBREL_OIL_SHIFT(1);
    VIMBREL_OIL_SHIFT(2);
    VIMBREL_OIL_SHIFT(3);
    VIMBREL_OIL_SHIFT(4);
    VIMBREL_OIL_SHIFT(5);
    VIMBREL_OIL_SHIFT(6);
    VIMBREL_OIL_SHIFT(7);
    VIMBREL_OIL_SHIFT(8);
    VIMBREL_OIL_SHIFT(9);
    VIMBREL_OIL_SHIFT(10);
    VIMBREL_OIL_SHIFT(11);
    VIMBREL_OIL_SHIFT(12);
    VIMBREL_OIL_SHIFT(13);
    VIMBREL_OIL_SHIFT(14);
    VIMBREL_OIL_SHIFT(15);
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
        const __m128i sums = _mm_sad_epu8(_mm_and_si128(gather(job.channel[c]), chosen), _mm_setzero_si128());
        const int sum = _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        mean[c] = MeanOfSamples(static_cast<uint32_t>(sum), count);
    }
    return true;
}
#endif

void PaintTile(void* context, int tile) {
    const OilJob& job = *static_cast<const OilJob*>(context);
    const int w = job.out.width, h = job.out.height;
    const TileBounds bounds = BoundsOf(job, tile);
    const int col0 = bounds.col0, row0 = bounds.row0, col1 = bounds.col1, row1 = bounds.row1;
    const int shift = job.shift;
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
            if (shift == 1 && x >= 2 && x + 4 < w && y >= 2 && y + 4 < h) {
                uint8_t mean[3];
                PaintInnerPoint(job, x, y, mean);
                if (x + 2 <= col1 && y + 2 <= row1) {
                    WriteWholeBlock(job, x, y, mean);
                } else {
                    WriteBlock(job, bounds, x, y, mean);
                }
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
                const std::size_t rowFirst = static_cast<std::size_t>(rows[i] >> shift) * job.planeColumns;
                for (int j = 0; j < colCount; ++j, ++samples) {
                    const std::size_t at = rowFirst + (cols[j] >> shift);
                    const int level = job.level[at];
                    sampleLevel[samples] = static_cast<uint8_t>(level);
                    colourSum[level] += job.channel[0][at] | (static_cast<uint64_t>(job.channel[1][at]) << 21) |
                                        (static_cast<uint64_t>(job.channel[2][at]) << 42);
                    const int count = ++histogram[level];
                    const bool higher = count > top;
                    top = higher ? count : top;
                    chosen = higher ? level : chosen;
                }
            }
            // The chosen level holds `top` samples; the point itself is one.
            const uint64_t sum = colourSum[chosen];
            const uint8_t mean[3] = {MeanOfSamples(static_cast<uint32_t>(sum & 0x1FFFFF), top),
                                     MeanOfSamples(static_cast<uint32_t>((sum >> 21) & 0x1FFFFF), top),
                                     MeanOfSamples(static_cast<uint32_t>(sum >> 42), top)};
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
                    const int level = job.pixelLevel[static_cast<std::size_t>(y + dy) * w + (x + dx)];
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
                if (job.pixelLevel[static_cast<std::size_t>(sampleRow[i]) * w + sampleCol[i]] != chosen) continue;
                const uint8_t* c = job.pixelColour + static_cast<std::size_t>(sampleRow[i]) * rowBytes +
                                   3 * sampleCol[i];
                for (int ch = 0; ch < 3; ++ch) sum[ch] += c[ch];
            }
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / top), static_cast<uint8_t>(sum[1] / top),
                                     static_cast<uint8_t>(sum[2] / top)};
            WriteBlock(job, bounds, x, y, mean);
        }
    }
}

void RunOilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const int divisions = OilPaintingDivisions(frame.width, frame.height);
    OilJob job{frame, divisions};
    job.shift = divisions == 4 ? 1 : 0;
    job.planeColumns = (frame.width + job.shift) >> job.shift;
    const std::size_t entries = static_cast<std::size_t>(job.planeColumns) * ((frame.height + job.shift) >> job.shift);
    uint8_t* planes = scratch.Bytes(0, entries * 4);
    uint8_t* const channels[3] = {planes + entries, planes + 2 * entries, planes + 3 * entries};
    if (job.shift == 1) {
        PrepareBlockPlanes(frame, planes, channels);
    } else {
        PreparePixelPlanes(frame, planes, channels);
    }
    job.level = planes;
    for (int c = 0; c < 3; ++c) job.channel[c] = channels[c];
    runner.RunTiles(divisions * divisions, &PaintTile, &job);
}

void RunOilPaintingReference(const RgbFrame& frame, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    uint8_t* colour = scratch.Bytes(0, pixels * 3);
    uint8_t* level = scratch.Bytes(1, pixels);
    const int divisions = OilPaintingDivisions(frame.width, frame.height);
    if (divisions == 4) {
        PrepareAveragedPixels(frame, colour, level);
    } else {
        PreparePlainPixels(frame, colour, level);
    }
    OilJob job{frame, divisions};
    job.pixelColour = colour;
    job.pixelLevel = level;
    CSerialTileRunner serial;
    serial.RunTiles(divisions * divisions, &PaintTileReference, &job);
}

}  // namespace

int OilPaintingDivisions(int width, int height) { return (width > 400 || height > 300) ? 4 : 2; }

void OilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch) {
    RunOilPainting(frame, runner, scratch);
}

void OilPaintingReference(const RgbFrame& frame, CScratch& scratch) { RunOilPaintingReference(frame, scratch); }

}  // namespace vimbrel::effects
