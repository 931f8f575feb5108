// What an AVI stream header says about a connected input: its kind, the
// format block for strf, and its rate, worked out from the media type.
#pragma once

#include "AviLayout.h"

#include <dshow.h>

namespace standins {

// Video: FORMAT_VideoInfo with a positive width, a height, and a frame time
// (the stream's rate comes from it). Sound: PCM. Anything else: false.
bool AviStreamOf(const AM_MEDIA_TYPE& type, AviStreamInfo* stream);

// The main header's frame time in microseconds: the first video stream's.
uint32_t MicroSecondsPerFrame(const AM_MEDIA_TYPE& type);

// Whether every chunk of the stream stands alone (uncompressed pictures,
// PCM sound), so each goes into the index as a key frame.
bool EveryChunkIsKey(const AM_MEDIA_TYPE& type);

}  // namespace standins
