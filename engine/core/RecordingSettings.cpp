#include "engine/core/RecordingSettings.h"

namespace camera {

const int kAudioBitrates[kBitrateCount] = {40000, 64000, 96000, 128000};
const int kVideoBitrates[kBitrateCount] = {100000, 256000, 384000, 768000};

namespace {

const int* Table(Stream stream) { return stream == Stream::Audio ? kAudioBitrates : kVideoBitrates; }

int CurrentIndex(const EngineValues& values, Stream stream) {
    return stream == Stream::Audio ? values.audioBitrateIndex : values.videoBitrateIndex;
}

int FormatCount(FileKind kind) { return kind == FileKind::Image ? 5 : 3; }

template <class Values>
auto FormatOf(Values& values, FileKind kind) -> decltype(&values.imageFileFormat) {
    switch (kind) {
    case FileKind::Audio: return &values.audioFileFormat;
    case FileKind::Video: return &values.videoFileFormat;
    case FileKind::Image: break;
    }
    return &values.imageFileFormat;
}

}  // namespace

int GetCurrentBitrate(const EngineValues& values, Stream stream, int* index, int* bitsPerSecond) {
    if (!values.ready || index == nullptr || bitsPerSecond == nullptr) return 0;
    const int current = CurrentIndex(values, stream);
    if (current < 0 || current >= kBitrateCount) return 0;
    *index = current;
    *bitsPerSecond = Table(stream)[current];
    return 1;
}

int GetSupportedBitrate(const EngineValues& values, Stream stream, int* index, int* bitsPerSecond) {
    if (!values.ready || index == nullptr || bitsPerSecond == nullptr) return 0;
    if (*index == -1) {
        *index = kBitrateCount;
        return 1;
    }
    if (*index < 0 || *index >= kBitrateCount) return 0;
    *bitsPerSecond = Table(stream)[*index];
    return 1;
}

int SetBitrate(EngineValues& values, Stream stream, int index) {
    if (!values.IsReadyAndIdle() || index < 0 || index >= kBitrateCount) return 0;
    (stream == Stream::Audio ? values.audioBitrateIndex : values.videoBitrateIndex) = index;
    return 1;
}

int GetFileFormat(const EngineValues& values, FileKind kind, int* format) {
    if (!values.ready || format == nullptr) return 0;
    *format = *FormatOf(values, kind);
    return 1;
}

int SetFileFormat(EngineValues& values, FileKind kind, int format) {
    if (!values.ready || format < 0 || format >= FormatCount(kind)) return 0;
    if (kind != FileKind::Image && values.captureState != kIdle) return 0;
    *FormatOf(values, kind) = format;
    return 1;
}

int SetJpegQuality(EngineValues& values, int quality) {
    if (!values.ready || quality < 0 || quality > 100) return 0;
    values.jpegQuality = quality;
    return 1;
}

bool IsValidMixLevel(double level) {
    // Written so that a not-a-number fails both comparisons.
    return level >= 0.0 && level <= 1.0;
}

}  // namespace camera
