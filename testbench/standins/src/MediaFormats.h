// The media-type questions several stand-ins ask: is it PCM (and which), is
// a buffer silence, and a one-line description for the ASF writer's record.
#pragma once

#include "WaveHeader.h"

#include <dshow.h>

#include <string>

namespace standins {

// True for MEDIATYPE_Audio / FORMAT_WaveFormatEx with a format block that
// really holds a valid PCM format.
bool PcmOf(const AM_MEDIA_TYPE& type, PcmFormat* format);

bool IsSilence(const BYTE* data, long size, uint16_t bitsPerSample);

// The bytes a sample carries, checked: a length the buffer cannot hold is
// refused (E_UNEXPECTED) rather than read past.
HRESULT SampleBytes(IMediaSample* sample, BYTE** data, long* length);

// "PCM 44100 Hz 1 ch 16 bit", "RGB24 320x240", or "other".
std::string DescribeMediaType(const AM_MEDIA_TYPE& type);

// The buffer size to ask for when nothing else tells: half a second of sound.
long HalfSecondBytes(const PcmFormat& format);

}  // namespace standins
