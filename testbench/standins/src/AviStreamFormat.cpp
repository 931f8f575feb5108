#include "AviStreamFormat.h"

#include "ByteOrder.h"
#include "MediaFormats.h"

#include "dshowbase/MediaType.h"

#include <algorithm>

namespace standins {
namespace {

constexpr uint32_t kUnitsPerSecond = 10000000;  // REFERENCE_TIME

uint32_t GreatestCommonDivisor(uint32_t a, uint32_t b) {
    while (b != 0) {
        const uint32_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

bool VideoStreamOf(const AM_MEDIA_TYPE& type, AviStreamInfo* stream) {
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(type);
    if (type.majortype != MEDIATYPE_Video || info == nullptr) {
        return false;
    }
    const BITMAPINFOHEADER& bitmap = info->bmiHeader;
    // Frame times beyond 32 bits of 100-ns units (seven minutes a frame)
    // are no camera's.
    if (bitmap.biWidth <= 0 || bitmap.biWidth > 0xFFFF || bitmap.biHeight == 0 || bitmap.biHeight < -0xFFFF ||
        bitmap.biHeight > 0xFFFF || info->AvgTimePerFrame <= 0 || info->AvgTimePerFrame > 0xFFFFFFFFll) {
        return false;
    }
    // strf is the BITMAPINFOHEADER with whatever follows it in the format
    // block (masks or a palette).
    const size_t headerOffset = offsetof(VIDEOINFOHEADER, bmiHeader);
    const BYTE* begin = type.pbFormat + headerOffset;
    const BYTE* end = type.pbFormat + type.cbFormat;
    stream->format.assign(begin, end);
    stream->kind = StreamKind::Video;
    stream->handler = bitmap.biCompression;
    const uint32_t frameTime = static_cast<uint32_t>(info->AvgTimePerFrame);
    const uint32_t common = GreatestCommonDivisor(frameTime, kUnitsPerSecond);
    stream->scale = frameTime / common;
    stream->rate = kUnitsPerSecond / common;
    stream->sampleSize = 0;
    stream->frameWidth = static_cast<uint16_t>(bitmap.biWidth);
    stream->frameHeight = static_cast<uint16_t>(bitmap.biHeight < 0 ? -bitmap.biHeight : bitmap.biHeight);
    return true;
}

bool SoundStreamOf(const AM_MEDIA_TYPE& type, AviStreamInfo* stream) {
    PcmFormat pcm;
    if (!PcmOf(type, &pcm)) {
        return false;
    }
    // A PCM WAVEFORMATEX with no extra bytes (cbSize 0).
    std::vector<uint8_t> wave;
    AppendPcmFormat(wave, pcm);
    AppendLe16(wave, 0);
    stream->kind = StreamKind::Audio;
    stream->format = std::move(wave);
    stream->handler = 0;
    stream->scale = pcm.blockAlign;
    stream->rate = pcm.avgBytesPerSec;
    stream->sampleSize = pcm.blockAlign;
    stream->frameWidth = 0;
    stream->frameHeight = 0;
    return true;
}

}  // namespace

bool AviStreamOf(const AM_MEDIA_TYPE& type, AviStreamInfo* stream) {
    return VideoStreamOf(type, stream) || SoundStreamOf(type, stream);
}

uint32_t MicroSecondsPerFrame(const AM_MEDIA_TYPE& type) {
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(type);
    if (type.majortype != MEDIATYPE_Video || info == nullptr || info->AvgTimePerFrame <= 0) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<REFERENCE_TIME>(info->AvgTimePerFrame / 10, 0xFFFFFFFFll));
}

bool EveryChunkIsKey(const AM_MEDIA_TYPE& type) {
    if (type.majortype == MEDIATYPE_Audio) {
        return true;
    }
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(type);
    return info != nullptr && !type.bTemporalCompression &&
           (info->bmiHeader.biCompression == BI_RGB || info->bmiHeader.biCompression == BI_BITFIELDS);
}

}  // namespace standins
