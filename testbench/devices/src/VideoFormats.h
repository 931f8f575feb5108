// The formats the virtual cameras list through IAMStreamConfig, with their
// capability records, and which of them the camera can really deliver
// (RGB24 in a VIDEOINFOHEADER: Wine has no colour converter, so only RGB24
// reaches a Sample Grabber).
#pragma once

#include "dshowbase/MediaType.h"

#include <vector>

namespace bench {

struct VideoFormat {
    dshowbase::CMediaType type;
    VIDEO_STREAM_CONFIG_CAPS caps;
};

constexpr REFERENCE_TIME kDefaultFrameTime = 333333;  // 30 frames a second
constexpr REFERENCE_TIME kMinFrameTime = 166666;      // 60
constexpr REFERENCE_TIME kMaxFrameTime = 10000000;    // 1

// BENCH_FORMATS_NORMAL: RGB24 320x240, 176x144, 640x480, YUY2 640x480,
// RGB24 800x600, Y411 320x240, RGB24 1280x720, an unknown FOURCC 320x240,
// RGB24 640x480 in a VIDEOINFOHEADER2. BENCH_FORMATS_SIXTY: RGB24 at
// 16(i+1) x 12(i+1) for i = 0..59.
std::vector<VideoFormat> ListFormats(int list);

// An RGB24 VideoInfo type at this size and frame time.
dshowbase::CMediaType Rgb24Type(LONG width, LONG height, REFERENCE_TIME frameTime);

// Whether a type can be delivered: RGB24, VideoInfo, 24 bits, a size the
// list has, and a frame time within the caps (0 takes the default).
bool IsDeliverable(const std::vector<VideoFormat>& formats, const AM_MEDIA_TYPE& type);

}  // namespace bench
