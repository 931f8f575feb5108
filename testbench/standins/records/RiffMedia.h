// What the bench's media detector knows about a file: the streams of an
// AVI (also OpenDML files with AVIX extensions, 'rec ' lists and index
// chunks) or of a WAVE file, with the place of every data chunk. Reading
// stops at the first structure that does not fit inside its parent, so a
// damaged or hostile file can only shorten the stream lists, never lead a
// read astray.
#pragma once

#include "ByteSource.h"

#include <cstdint>
#include <vector>

namespace standins {

enum class StreamKind { Video, Audio, Other };

struct MediaChunk {
    uint64_t offset;  // first data byte
    uint32_t size;
};

struct MediaStream {
    StreamKind kind = StreamKind::Other;
    uint32_t type = 0;  // strh fccType ('vids', 'auds', ...)
    uint32_t handler = 0;
    uint32_t scale = 0;  // rate / scale = units per second
    uint32_t rate = 0;
    uint32_t headerLength = 0;    // strh dwLength, as the writer claimed
    std::vector<uint8_t> format;  // strf: BITMAPINFOHEADER or WAVEFORMATEX bytes
    std::vector<MediaChunk> chunks;
    uint64_t dataBytes = 0;
};

enum class Container { Avi, Wave };

// One entry of an AVI 1.0 'idx1' index, as stored.
struct AviIndexEntry {
    uint32_t id;  // the chunk id, such as '00dc'
    uint32_t flags;
    uint32_t offset;  // of the chunk's header, counted from the 'movi' code
    uint32_t size;
};

struct MediaFile {
    Container container = Container::Avi;
    uint32_t microSecPerFrame = 0;  // avih; 0 for WAVE
    uint32_t totalFrames = 0;       // avih dwTotalFrames, as the writer claimed
    std::vector<MediaStream> streams;
    uint64_t moviCode = 0;  // offset of the first 'movi' list's code
    std::vector<AviIndexEntry> index;
};

enum class ParseStatus {
    Ok,
    NotRiff,    // not an AVI or WAVE file at all
    Malformed,  // RIFF, but without the headers every reader needs
};

ParseStatus ParseRiffMedia(ByteSource& source, MediaFile* file);

// The picture format of a video stream, from its BITMAPINFOHEADER.
struct VideoLayout {
    int32_t width = 0;
    int32_t height = 0;    // always positive
    bool bottomUp = true;  // the header's height was positive
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // 0 = BI_RGB
};

bool DescribeVideo(const MediaStream& stream, VideoLayout* layout);
bool IsUncompressedRgb24(const VideoLayout& layout);

// The sound format of an audio stream, from its WAVEFORMATEX.
struct AudioLayout {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

bool DescribeAudio(const MediaStream& stream, AudioLayout* layout);

// Frames per second of a video stream (strh rate / scale, else the main
// header's frame time); 0 when neither is given.
double FrameRate(const MediaFile& file, const MediaStream& stream);

// Length in seconds from the data really present: video frames over the
// frame rate, audio bytes over the byte rate. 0 when it cannot be told.
double StreamLengthSeconds(const MediaFile& file, const MediaStream& stream);

// The video frame on show at the given time: the frame whose interval holds
// it, the last frame past the end. -1 for a negative or non-finite time, or
// a stream without frames or rate.
int64_t FrameIndexAt(const MediaFile& file, const MediaStream& stream, double seconds);

}  // namespace standins
