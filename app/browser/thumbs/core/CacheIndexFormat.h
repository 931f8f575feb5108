// The index file of a thumbnail cache: 552-byte little-endian records, one
// per entry in list order, nothing else.
//
// Record: name (260 UTF-16 code units, NUL-terminated, zero-filled), then
// int32 class, type, made flag, source width, source height, thumbnail
// width, thumbnail height, and a link word that means nothing on disk.
#pragma once

#include "ThumbEntry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vimbrel::browser {

constexpr size_t kRecordSize = 552;
using CacheRecordBytes = std::array<uint8_t, kRecordSize>;

// Names longer than 259 units are cut there so the record stays terminated
// (a folder listing never gives longer ones).
CacheRecordBytes EncodeCacheRecord(const ThumbEntry& entry);

// One record as it should be trusted. Refused (nullopt): an empty name or
// one holding a folder separator or a drive colon, which would lead a path
// out of the media folder, and a name that is no media file. A class
// outside 0..2 is worked out from the name again; a made flag whose sizes
// lie outside 1..100 x 1..75 is cleared so the thumbnail is made again.
std::optional<ThumbEntry> DecodeCacheRecord(const uint8_t* record);

struct DecodedIndex {
    std::vector<ThumbEntry> entries;
    size_t refused = 0;        // full records that failed the checks
    size_t trailingBytes = 0;  // a partial record at the end, dropped
};

// Every full record in file order. A refused record makes the whole index
// untrustworthy for the strip (its cells would move), so callers that pair
// the index with a strip treat refused != 0 as a failed load.
DecodedIndex DecodeCacheIndex(const uint8_t* bytes, size_t size);

std::vector<uint8_t> EncodeCacheIndex(const std::vector<ThumbEntry>& entries);

}  // namespace vimbrel::browser
