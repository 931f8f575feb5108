// What the media detector tells about a file before it is played: the
// length of its first stream and, for a file with video, its first frame.
#pragma once

#include "engine/win/ComHelpers.h"

namespace camera {

struct MediaProbeResult {
    double seconds = 0.0;   // length of the file's first stream
    bool hasVideo = false;  // a video stream exists and its frame was drawn
};

// Opens path with the media detector, reads the first stream's length, and
// draws the first frame of the first video stream at (0, 0) of dc, scaled
// to width x height. A file without video is a success with hasVideo
// false. Any failing detector call, and a frame that cannot be had, fail.
HRESULT ProbeMediaFile(const wchar_t* path, HDC dc, int width, int height, MediaProbeResult& result);

}  // namespace camera
