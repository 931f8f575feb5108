#include "VideoFormats.h"

#include "BenchDevices.h"

#include <dvdmedia.h>

namespace bench {
namespace {

// FOURCC 'VBZZ' in the standard subtype pattern: a format nobody knows.
constexpr GUID kUnknownSubtype = {0x5a5a4256, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

VIDEO_STREAM_CONFIG_CAPS CapsFor(const GUID& formatType, LONG width, LONG height, WORD bitCount) {
    VIDEO_STREAM_CONFIG_CAPS caps{};
    caps.guid = formatType;
    const SIZE size{width, height};
    caps.InputSize = size;
    caps.MinCroppingSize = size;
    caps.MaxCroppingSize = size;
    caps.CropGranularityX = 1;
    caps.CropGranularityY = 1;
    caps.CropAlignX = 1;
    caps.CropAlignY = 1;
    caps.MinOutputSize = size;
    caps.MaxOutputSize = size;
    caps.OutputGranularityX = 1;
    caps.OutputGranularityY = 1;
    caps.MinFrameInterval = kMinFrameTime;
    caps.MaxFrameInterval = kMaxFrameTime;
    const LONG bitsPerFrame = width * height * bitCount;
    caps.MinBitsPerSecond = bitsPerFrame;
    caps.MaxBitsPerSecond = bitsPerFrame * 60;
    return caps;
}

BITMAPINFOHEADER Header(LONG width, LONG height, WORD bitCount, DWORD compression) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = compression;
    header.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * height);
    return header;
}

VideoFormat VideoInfoFormat(const GUID& subtype, DWORD compression, LONG width, LONG height, WORD bitCount) {
    VideoFormat format;
    format.type.majortype = MEDIATYPE_Video;
    format.type.subtype = subtype;
    format.type.formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(format.type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->AvgTimePerFrame = kDefaultFrameTime;
    info->bmiHeader = Header(width, height, bitCount, compression);
    info->dwBitRate = static_cast<DWORD>(info->bmiHeader.biSizeImage * 8 * 30);
    format.type.lSampleSize = info->bmiHeader.biSizeImage;
    format.type.bFixedSizeSamples = TRUE;
    format.caps = CapsFor(FORMAT_VideoInfo, width, height, bitCount);
    return format;
}

VideoFormat VideoInfo2Format(LONG width, LONG height) {
    VideoFormat format;
    format.type.majortype = MEDIATYPE_Video;
    format.type.subtype = MEDIASUBTYPE_RGB24;
    format.type.formattype = FORMAT_VideoInfo2;
    auto* info = reinterpret_cast<VIDEOINFOHEADER2*>(format.type.AllocFormat(sizeof(VIDEOINFOHEADER2)));
    info->AvgTimePerFrame = kDefaultFrameTime;
    info->dwPictAspectRatioX = 4;
    info->dwPictAspectRatioY = 3;
    info->bmiHeader = Header(width, height, 24, BI_RGB);
    format.type.lSampleSize = info->bmiHeader.biSizeImage;
    format.type.bFixedSizeSamples = TRUE;
    format.caps = CapsFor(FORMAT_VideoInfo2, width, height, 24);
    return format;
}

}  // namespace

dshowbase::CMediaType Rgb24Type(LONG width, LONG height, REFERENCE_TIME frameTime) {
    VideoFormat format = VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, width, height, 24);
    reinterpret_cast<VIDEOINFOHEADER*>(format.type.pbFormat)->AvgTimePerFrame = frameTime;
    return format.type;
}

std::vector<VideoFormat> ListFormats(int list) {
    std::vector<VideoFormat> formats;
    if (list == BENCH_FORMATS_SIXTY) {
        for (LONG i = 0; i < 60; ++i) {
            formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 16 * (i + 1), 12 * (i + 1), 24));
        }
        return formats;
    }
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 320, 240, 24));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 176, 144, 24));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 640, 480, 24));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_YUY2, MAKEFOURCC('Y', 'U', 'Y', '2'), 640, 480, 16));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 800, 600, 24));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_Y411, MAKEFOURCC('Y', '4', '1', '1'), 320, 240, 12));
    formats.push_back(VideoInfoFormat(MEDIASUBTYPE_RGB24, BI_RGB, 1280, 720, 24));
    formats.push_back(VideoInfoFormat(kUnknownSubtype, MAKEFOURCC('V', 'B', 'Z', 'Z'), 320, 240, 16));
    formats.push_back(VideoInfo2Format(640, 480));
    return formats;
}

bool IsDeliverable(const std::vector<VideoFormat>& formats, const AM_MEDIA_TYPE& type) {
    if (!dshowbase::IsRgb24VideoInfo(type)) {
        return false;
    }
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(type);
    const REFERENCE_TIME frameTime = info->AvgTimePerFrame;
    if (frameTime != 0 && (frameTime < kMinFrameTime || frameTime > kMaxFrameTime)) {
        return false;
    }
    if (info->bmiHeader.biCompression != BI_RGB) {
        return false;
    }
    for (const VideoFormat& format : formats) {
        const VIDEOINFOHEADER* offered = dshowbase::VideoInfo(format.type);
        if (offered != nullptr && format.type.subtype == MEDIASUBTYPE_RGB24 &&
            offered->bmiHeader.biWidth == info->bmiHeader.biWidth &&
            offered->bmiHeader.biHeight == info->bmiHeader.biHeight) {
            return true;
        }
    }
    return false;
}

}  // namespace bench
