// Plain data shared by the detection library and the filter around it. The
// library is built without Windows headers, so the few platform layouts it
// needs (the 40-byte bitmap header, a rectangle of four 32-bit values, the
// result codes) are declared here with the same sizes and bit patterns.
#pragma once

#include "failtrail/ResultCode.h"

#include <cstdint>

namespace motion {

using HResult = failtrail::HResult;

constexpr HResult kOk = 0;
constexpr HResult kFalse = 1;
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kPointer = static_cast<HResult>(0x80004003u);
constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);

inline bool Succeeded(HResult hr) { return hr >= 0; }

// Same field order and widths as the platform's BITMAPINFOHEADER.
struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "the stream header is 40 bytes");

// Same layout as the platform's RECT (four 32-bit values).
struct MotionRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
static_assert(sizeof(MotionRect) == 16, "a rectangle is four 32-bit values");

// Mark colours, bytes in frame order: blue, green, red.
struct Colour {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};
constexpr Colour kMarkRed{0x00, 0x00, 0xFF};
constexpr Colour kMarkYellow{0x00, 0xFF, 0xFF};

// Graph events the detector raises (above the platform's EC_USER).
constexpr std::int32_t EC_MOTION_DETECTED = 0x8064;
constexpr std::int32_t EC_BASE_FRAME_SET = 0x8065;

// Detection modes as callers pass them.
constexpr int kModeFixedBase = 0;
constexpr int kModeDynamicBase = 1;

// Detector states (dtState).
constexpr int kStateIdle = 0;
constexpr int kStateDetecting = 1;
constexpr int kStateResetRequested = 2;

// Frames larger than this per side are refused: beyond it the picture cache
// no longer fits a 32-bit process and the size arithmetic would need care
// everywhere for no real camera.
constexpr std::uint32_t kMaxFrameSide = 8192;
constexpr std::uint32_t kMinFrameSide = 20;

}  // namespace motion
