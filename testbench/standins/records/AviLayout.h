// Where everything goes in an AVI 1.0 file that a multiplexer writes while
// the samples arrive: the headers at the front (their size is fixed once
// the streams are known, so they can be written again with the final
// counts), the data chunks one after another in the 'movi' list, and the
// 'idx1' index after them. The layout only places bytes; writing them is
// the caller's business.
//
// File: RIFF 'AVI ' { LIST 'hdrl' { avih, LIST 'strl' { strh, strf } per
// stream }, LIST 'movi' { '00dc' / '01wb' ... }, idx1 }.
#pragma once

#include "RiffMedia.h"

#include <cstdint>
#include <vector>

namespace standins {

struct AviStreamInfo {
    StreamKind kind = StreamKind::Video;  // Video or Audio; others are not written
    std::vector<uint8_t> format;          // strf: BITMAPINFOHEADER or WAVEFORMATEX bytes
    uint32_t handler = 0;                 // strh fccHandler
    uint32_t scale = 0;                   // rate / scale = units per second
    uint32_t rate = 0;
    uint32_t sampleSize = 0;  // 0: one frame per chunk; sound: its block size
    uint16_t frameWidth = 0;  // strh rcFrame
    uint16_t frameHeight = 0;
};

// Many AVI 1.0 readers take the 32-bit RIFF sizes as signed, so the file
// stays below 2 GB; chunks that would pass it are not placed.
constexpr uint64_t kAviFileLimit = 0x7FFFFFFFu;

constexpr uint32_t kAviHasIndex = 0x10;        // avih dwFlags AVIF_HASINDEX
constexpr uint32_t kAviIsInterleaved = 0x100;  // AVIF_ISINTERLEAVED
constexpr uint32_t kAviKeyFrame = 0x10;        // idx1 AVIIF_KEYFRAME

// Where one data chunk goes: its 8-byte header at offset, then its data,
// then one zero pad byte when the data length is odd.
struct AviChunkPlace {
    uint64_t offset = 0;
    uint8_t header[8] = {};
    bool pad = false;
};

class CAviLayout {
public:
    // microSecPerFrame goes into the main header as it is; interleaved sets
    // the flag that says the streams' chunks alternate by time.
    CAviLayout(std::vector<AviStreamInfo> streams, uint32_t microSecPerFrame, bool interleaved,
               uint64_t fileLimit = kAviFileLimit);

    size_t StreamCount() const { return streams_.size(); }

    // Everything before the first data chunk, with the counts so far.
    std::vector<uint8_t> Headers() const;
    uint64_t HeadersSize() const { return headersSize_; }

    // Places the next chunk of a stream after the previous one; false (and
    // counted as dropped) when the stream does not exist or the file, with
    // its index, would pass the limit.
    bool Place(size_t stream, uint32_t size, bool keyFrame, AviChunkPlace* place);

    // The idx1 chunk for the chunks placed so far; it goes at IndexOffset.
    std::vector<uint8_t> Index() const;
    uint64_t IndexOffset() const { return moviEnd_; }
    uint64_t FileSize() const;

    uint32_t Chunks(size_t stream) const;
    uint64_t Bytes(size_t stream) const;
    uint64_t DroppedChunks() const { return dropped_; }

private:
    struct StreamState {
        AviStreamInfo info;
        uint32_t chunks = 0;
        uint64_t bytes = 0;
        uint32_t largestChunk = 0;
    };
    struct IndexEntry {
        uint32_t id;
        uint32_t flags;
        uint32_t offset;  // from the 'movi' code
        uint32_t size;
    };

    std::vector<uint8_t> MainHeader() const;
    std::vector<uint8_t> StreamHeader(const StreamState& stream) const;
    uint32_t ChunkId(size_t stream) const;

    std::vector<StreamState> streams_;
    uint32_t microSecPerFrame_;
    bool interleaved_;
    uint64_t fileLimit_;
    uint64_t headersSize_ = 0;
    uint64_t moviCode_ = 0;  // offset of the 'movi' code
    uint64_t moviEnd_ = 0;
    std::vector<IndexEntry> index_;
    uint64_t dropped_ = 0;
};

}  // namespace standins
