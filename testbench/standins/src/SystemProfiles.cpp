#include "SystemProfiles.h"

#include <mmreg.h>

namespace standins {
namespace {

constexpr GUID kVideo100 = {0xD9F3C932, 0x5EA9, 0x4C6D, {0x89, 0xB4, 0x26, 0x86, 0xE5, 0x15, 0x42, 0x6E}};
constexpr GUID kVideo256 = {0xAFE69B3A, 0x403F, 0x4A1B, {0x80, 0x07, 0x0E, 0x21, 0xCF, 0xB3, 0xDF, 0x84}};
constexpr GUID kVideo384 = {0xF3D45FBB, 0x8782, 0x44DF, {0x97, 0xC6, 0x86, 0x78, 0xE2, 0xF9, 0xB1, 0x3D}};
constexpr GUID kVideo768 = {0x0326EBB6, 0xF76E, 0x4964, {0xB0, 0xDB, 0xE7, 0x29, 0x97, 0x8D, 0x35, 0xEE}};

const SystemProfile kProfiles[] = {
    {kVideo100, L"Video for dial-up or ISDN (100 Kbps)", 100000, 16000, 176, 144, 666666},
    {kVideo256, L"Video for local area network (256 Kbps)", 256000, 32000, 320, 240, 333333},
    {kVideo384, L"Video for local area network (384 Kbps)", 384000, 32000, 320, 240, 333333},
    {kVideo768, L"Video for local area network (768 Kbps)", 768000, 64000, 320, 240, 333333},
};

// Windows Media sound and picture codec subtypes (format tag 0x161 and
// the four-character code WMV2 in the media-subtype GUID pattern).
constexpr GUID kWindowsMediaAudio = {0x00000161, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kWindowsMediaVideo = {0x32564D57, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

StreamSettings AudioStream(const SystemProfile& profile) {
    StreamSettings audio;
    audio.type = MEDIATYPE_Audio;
    audio.number = 1;
    audio.bitrate = profile.audioBitrate;
    audio.bufferWindow = 5000;
    audio.name = L"Audio Stream";
    audio.connection = L"Audio";
    audio.mediaType.majortype = MEDIATYPE_Audio;
    audio.mediaType.subtype = kWindowsMediaAudio;
    audio.mediaType.formattype = FORMAT_WaveFormatEx;
    WAVEFORMATEX* wave = reinterpret_cast<WAVEFORMATEX*>(audio.mediaType.AllocFormat(sizeof(WAVEFORMATEX)));
    if (wave != nullptr) {
        wave->wFormatTag = 0x161;
        wave->nChannels = 2;
        wave->nSamplesPerSec = 44100;
        wave->nAvgBytesPerSec = profile.audioBitrate / 8;
        wave->nBlockAlign = 1487;
        wave->wBitsPerSample = 16;
    }
    return audio;
}

StreamSettings VideoStream(const SystemProfile& profile) {
    StreamSettings video;
    video.type = MEDIATYPE_Video;
    video.number = 2;
    video.bitrate = profile.totalBitrate - profile.audioBitrate;
    video.bufferWindow = 5000;
    video.name = L"Video Stream";
    video.connection = L"Video";
    video.mediaType.majortype = MEDIATYPE_Video;
    video.mediaType.subtype = kWindowsMediaVideo;
    video.mediaType.formattype = FORMAT_VideoInfo;
    video.mediaType.bTemporalCompression = TRUE;
    VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(video.mediaType.AllocFormat(sizeof(VIDEOINFOHEADER)));
    if (info != nullptr) {
        info->rcSource = {0, 0, profile.width, profile.height};
        info->rcTarget = info->rcSource;
        info->dwBitRate = video.bitrate;
        info->AvgTimePerFrame = profile.frameTime;
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = profile.width;
        info->bmiHeader.biHeight = profile.height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = 24;
        info->bmiHeader.biCompression = kWindowsMediaVideo.Data1;
    }
    return video;
}

}  // namespace

const SystemProfile* FindSystemProfile(REFGUID guid) {
    for (const SystemProfile& profile : kProfiles) {
        if (profile.guid == guid) {
            return &profile;
        }
    }
    return nullptr;
}

const SystemProfile& DefaultSystemProfile() { return kProfiles[1]; }

std::vector<StreamSettings> SystemProfileStreams(const SystemProfile& profile) {
    return {AudioStream(profile), VideoStream(profile)};
}

}  // namespace standins
