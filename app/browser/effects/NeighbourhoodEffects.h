#pragma once
// Effects whose pixels read their neighbours. Each is a row function where
// the rows are independent, and a plane function that feeds it unprocessed
// rows.

#include <cstdint>

#include "effects/BgrxImage.h"

namespace vimbrel::browser {

// Every even buffer row: each channel the mean over the same row's columns
// x - 9 .. x + 9 that exist. Odd rows stay.
constexpr int kBlurReach = 9;
void BlurRow(const uint8_t* source, uint8_t* target, int width);
void Blur(const BgrxImage& image);

// 3v - next-row neighbour - right neighbour, with the missing neighbour's
// share given to v on the last column and the last row.
void SharpenRow(uint8_t* row, const uint8_t* nextRow, int width);
void Sharpen(const BgrxImage& image);

// 125 + 3 x (gray - left neighbour's gray) in all channels, limited to
// 1..250; the first column is 125.
void EmbossRow(uint8_t* row, int width);
void Emboss(const BgrxImage& image);

// Square blocks from buffer row 0, column 0, each filled with its mean.
int MosaicBlockSize(int width, int height);
void Mosaic(const BgrxImage& image);

// Each channel of a pixel off the border becomes the mean m of its 8
// neighbours when |m - v| < threshold.
void SelectiveSmoothing(const BgrxImage& image, int threshold);

// Smoothing with threshold 30, then the gradient magnitude of the coarse
// gray, stretched so that the strongest edge is 255.
constexpr int kEdgeSmoothingThreshold = 30;
void EdgeDetect(const BgrxImage& image);

// Each pixel the mean colour of the most frequent coarse gray in its 7 x 7
// window, ties going to the value met first in buffer order.
constexpr int kOilReach = 3;
void OilPainting(const BgrxImage& image);

}  // namespace vimbrel::browser
