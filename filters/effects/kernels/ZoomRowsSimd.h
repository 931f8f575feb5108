#pragma once
// The vector halves of ZoomRows that need more than SSE2. Each does a
// leading part of the row and returns how far it got (channels or blocks).

#include <cstdint>

#include "kernels/ZoomRows.h"

namespace vimbrel::effects::zoomrows {

// The first `blocks` planned blocks of both outputs.
void WeighLinearBlocksSsse3(const uint8_t* src, const LinearBlock* plan, int blocks, float* pixel, float* neighbour);
void WeighLinearBlocksAvx2(const uint8_t* src, const LinearBlock* plan, int blocks, float* pixel, float* neighbour);

// Channels done of BlendCubicRows, 32 at a time.
int BlendCubicRowsAvx2(const uint8_t* const rows[4], const float weight[4], int n, float* out);
// Pixels done of BlendCubicColumns, two at a time, never the row's last.
int BlendCubicColumnsAvx2(const float* blended, const CubicColumn* columns, int count, uint8_t* out);

// Channels done of BlendLinearRows, 32 at a time; `exact`: weights 1 and 0.
int BlendLinearRowsAvx2(WeighedRow a, WeighedRow b, float weightA, float weightB, bool exact, int n, uint8_t* out);

// The integer zoom of FixedLinearPlan: the first `blocks` planned blocks, and
// the channels done of BlendFixedRows, 32 at a time.
void WeighFixedBlocksAvx2(const uint8_t* src, const LinearBlock* plan, const int16_t* weights, int blocks,
                          uint16_t* out);
int BlendFixedRowsAvx2(const uint16_t* a, const uint16_t* b, int weightA, int weightB, int bits, int n, uint8_t* out);

// The nearest zoom's first `blocks` planned 16-byte blocks of a row.
void GatherNearestBlocksSsse3(const uint8_t* src, const int32_t* base, const int8_t* shuffle, int blocks, uint8_t* out);
void GatherNearestBlocksAvx2(const uint8_t* src, const int32_t* base, const int8_t* shuffle, int blocks, uint8_t* out);

}  // namespace vimbrel::effects::zoomrows
