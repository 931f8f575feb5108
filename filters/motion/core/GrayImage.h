// Pixel routines of the block-difference detector: RGB24 to 8-bit gray,
// block-averaged shrinking and nearest-neighbour enlarging, neighbour-mean
// denoising, thresholded differences, 3x3 maximum/minimum/edge filters, the
// drift of the base picture and the marks drawn onto the video.
//
// Planes are w x h bytes without padding, rows in the order of the frame they
// came from. RGB24 frames are rows of exactly W x 3 bytes, blue, green, red.
// None of these routines allocates, locks or fails; callers size the buffers.
#pragma once

#include <cstdint>

#include "MotionTypes.h"

namespace motion {

// (B >> 3) + (G >> 1) + (R >> 2); white gives 221.
inline std::uint8_t GrayOf(std::uint32_t blue, std::uint32_t green, std::uint32_t red) {
    return static_cast<std::uint8_t>((blue >> 3) + (green >> 1) + (red >> 2));
}

void xRGB2Gray(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t w, std::uint32_t h);

// Averages b x b blocks (cut short at the right and bottom edges) into a
// zw x zh picture. accumulators holds 3 x zw sums; zw and zh must be
// ceil(W / b) and ceil(H / b).
void xZoomOutRGB2Gray(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, std::uint32_t b,
                      std::uint32_t zw, std::uint32_t zh, std::uint32_t* accumulators);
// Block by block; what xZoomOutRGB2Gray must match.
void xZoomOutRGB2GrayPlain(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t W, std::uint32_t H,
                           std::uint32_t b, std::uint32_t zw, std::uint32_t zh, std::uint32_t* accumulators);

// Output pixel (x, y) = input pixel (x / b, y / b).
void xZoomInGray(std::uint8_t* gray, const std::uint8_t* reduced, std::uint32_t W, std::uint32_t H, std::uint32_t b,
                 std::uint32_t zw, std::uint32_t zh);

// Mean of each pixel's neighbours, the pixel itself left out.
void xDeNoise(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h);

// 255 where |b - a| > threshold, else 0.
void xDiffGray(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::uint32_t w, std::uint32_t h,
               std::uint8_t threshold);

// 3x3 filters over the window clipped to the plane. out and in must differ.
void xDilation(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h);
void xErosion(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h);
void xEdge(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h);

// Moves every base pixel by step toward the current pixel (never past it).
void xMoveImgForword(std::uint8_t* base, const std::uint8_t* current, std::uint32_t w, std::uint32_t h,
                     std::uint8_t step);

// One rectangle outline; the rectangle is in reduced pixels and is scaled by
// b, each edge clipped to the last frame column or row.
void xDrawRect(std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, const MotionRect& rect, std::uint32_t b,
               Colour colour);

// Paints every frame pixel where the mask's 2 x 2 neighbourhood is not uniform.
void xImgOutline(const std::uint8_t* mask, std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, Colour colour);

}  // namespace motion
