#pragma once
// Row functions of the bilinear and bicubic zooms. Each gives, bit for bit,
// what the plain per-channel float expression written beside it gives: the
// vector versions multiply and add in the same order, never fuse a multiply
// with an add, and convert by truncation with the same clamps, so a frame
// zoomed here matches the plain zooms whichever build runs it.

#include <cstdint>
#include <vector>

#include "kernels/NearestZoomPlan.h"

namespace vimbrel::effects {

// Bicubic, vertical step, for n consecutive channel bytes of four source rows:
//   out[i] = ((rows[0][i] w[0] + rows[1][i] w[1]) + rows[2][i] w[2]) + rows[3][i] w[3]
void BlendCubicRows(const uint8_t* const rows[4], const float weight[4], int n, float* out);

// Where one output pixel of the bicubic zoom reads the vertically blended row:
// four neighbouring blended pixels from `offset` (in floats, three per
// pixel), and their weights.
struct CubicColumn {
    int32_t offset;
    float weight[4];
};

// Bicubic, horizontal step: output pixel j (three bytes at out + 3 j) gets per
// channel c, with o its column's offset,
//   v = ((b[o + c] w0 + b[o + 3 + c] w1) + b[o + 6 + c] w2) + b[o + 9 + c] w3
// written as 255 from 256 up, else as its truncation clamped to 0..255.
// `blended` must hold finite values up to one float past every pixel read:
// the vector version reads four floats per pixel and drops the fourth.
void BlendCubicColumns(const float* blended, const CubicColumn* columns, int count, uint8_t* out);

// Bilinear: the source pixel of one output column and its interpolation
// neighbour, as byte offsets in the source row, with their weights (1 and 0
// where the column lands exactly on a source pixel).
struct LinearColumn {
    int32_t offset;
    int32_t neighbourOffset;
    float weight;
    float neighbourWeight;
};

// One source row weighed for every output column k:
//   pixel[3k + c]     = src[offset + c] x weight
//   neighbour[3k + c] = src[neighbourOffset + c] x neighbourWeight
// `srcBytes` is the row's length; both outputs need room for one float past
// 3 x count, which the vector version writes and the next pixel overwrites.
void WeighLinearColumns(const uint8_t* src, int srcBytes, const LinearColumn* columns, int count, float* pixel,
                        float* neighbour);

// Whole 16-channel blocks of a weighed row, planned once per frame: block j
// covers channels 16 j .. 16 j + 15; it reads 16 source bytes from `base`,
// puts them in channel order by `shuffle` and multiplies each by its
// column's weight; [0] for the pixels, [1] for their neighbours.
struct LinearBlock {
    int32_t base[2];
    int8_t shuffle[2][16];
    float weight[2][16];
};

// The blocks from the row's start that a 16-byte window serves (all whole
// blocks when the zoom enlarges and the row holds 16 bytes); none when the
// processor has no byte shuffle.
void PlanLinearBlocks(const LinearColumn* columns, int count, int srcBytes, std::vector<LinearBlock>& blocks);

// What WeighLinearColumns gives, the planned blocks by byte shuffles and the
// rest column by column. Writes exactly 3 x count floats to each output
// besides WeighLinearColumns' one float of room.
void WeighLinearRow(const uint8_t* src, int srcBytes, const LinearColumn* columns, int count,
                    const std::vector<LinearBlock>& blocks, float* pixel, float* neighbour);

// A weighed source row, as WeighLinearColumns leaves it.
struct WeighedRow {
    const float* pixel;
    const float* neighbour;
};

// Bilinear, for n consecutive channels of one output row between two weighed
// source rows a and b:
//   v = ((a.pixel[i] wa + a.neighbour[i] wa) + b.pixel[i] wb) + b.neighbour[i] wb
//   out[i] = v truncated, clamped to 0..255
// With weights 1 and 0 (a row that lands on a source row) v is the sum
// a.pixel[i] + a.neighbour[i] exactly, and the vector paths add only that.
void BlendLinearRows(WeighedRow a, WeighedRow b, float weightA, float weightB, int n, uint8_t* out);

// Zooms whose every weight is a multiple of 1 / 2^bits, bits at most
// kMaxFixedLinearBits (factors 1, 2, 4 and 8 among them): every product and
// sum of the float expressions above is then exact (a byte times two such
// weights needs at most 16 of a float's 24 bits, and no sum passes 255), so
// integers scaled by 2^bits give the same truncated bytes, in 16-bit lanes
// and a quarter of the memory of the two float rows.
constexpr int kMaxFixedLinearBits = 4;

// The bits `weight` needs as such a multiple, or -1 when it needs more.
int FixedWeightBits(float weight);

// The planned blocks (as PlanLinearBlocks) with their weights as integers.
struct FixedLinearPlan {
    int bits = 0;
    std::vector<LinearBlock> blocks;
    std::vector<int16_t> weights;  // 32 per block: the pixel lanes, then the neighbour lanes
};

// Empty blocks unless the processor has AVX2, which alone runs them.
void PlanFixedLinear(const LinearColumn* columns, int count, int srcBytes, int bits, FixedLinearPlan& plan);

// One source row weighed for every output column k, W the weights x 2^bits:
//   out[3k + c] = src[offset + c] W + src[neighbourOffset + c] Wn
void WeighFixedRow(const uint8_t* src, const LinearColumn* columns, int count, const FixedLinearPlan& plan,
                   uint16_t* out);

// n channels of one output row from two such rows, the row weights x 2^bits:
//   out[i] = (a[i] wa + b[i] wb) >> 2 bits
void BlendFixedRows(const uint16_t* a, const uint16_t* b, int weightA, int weightB, int bits, int n, uint8_t* out);

// Nearest neighbour: one output row, pixel k the three bytes from
// plan.offsets[k] of the copied source row `src`, which must be readable
// for kNearestSourcePadding bytes past its last pixel. Where the processor
// has a byte shuffle the planned blocks go 16 bytes at a time; with SSE2
// alone, two pixels at a time.
void GatherNearestRow(const uint8_t* src, const NearestZoomPlan& plan, uint8_t* out);

}  // namespace vimbrel::effects
