#include "CacheIndexFormat.h"

#include "MediaNames.h"

namespace vimbrel::browser {
namespace {

constexpr size_t kClassOffset = 520;
constexpr size_t kTypeOffset = 524;
constexpr size_t kMadeOffset = 528;
constexpr size_t kSourceWidthOffset = 532;
constexpr size_t kSourceHeightOffset = 536;
constexpr size_t kThumbWidthOffset = 540;
constexpr size_t kThumbHeightOffset = 544;
// 548: the in-memory link; written as 0, ignored when read.

void PutInt(uint8_t* at, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t GetInt(const uint8_t* at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(at[i]) << (8 * i);
    return static_cast<int32_t>(v);
}

bool SafeName(const std::u16string& name) {
    if (name.empty()) return false;
    for (char16_t c : name) {
        if (c == u'\\' || c == u'/' || c == u':') return false;
    }
    return IsListedMediaName(name);
}

}  // namespace

ThumbEntry ThumbEntry::ForName(std::u16string name) {
    ThumbEntry e;
    e.mediaClass = MediaClassOfName(name);
    e.fileType = ThumbFileTypeOfName(name);
    e.name = std::move(name);
    e.made = 0;
    return e;
}

CacheRecordBytes EncodeCacheRecord(const ThumbEntry& entry) {
    CacheRecordBytes r{};
    const size_t units = entry.name.size() < kMaxNameLength ? entry.name.size() : kMaxNameLength;
    for (size_t i = 0; i < units; ++i) {
        r[2 * i] = static_cast<uint8_t>(entry.name[i] & 0xFF);
        r[2 * i + 1] = static_cast<uint8_t>(entry.name[i] >> 8);
    }
    PutInt(&r[kClassOffset], entry.mediaClass);
    PutInt(&r[kTypeOffset], entry.fileType);
    PutInt(&r[kMadeOffset], entry.made);
    PutInt(&r[kSourceWidthOffset], entry.sourceWidth);
    PutInt(&r[kSourceHeightOffset], entry.sourceHeight);
    PutInt(&r[kThumbWidthOffset], entry.thumbWidth);
    PutInt(&r[kThumbHeightOffset], entry.thumbHeight);
    return r;
}

std::optional<ThumbEntry> DecodeCacheRecord(const uint8_t* record) {
    ThumbEntry e;
    // The name ends at its NUL or, in a record without one, at unit 259.
    for (size_t i = 0; i < kMaxNameLength; ++i) {
        const char16_t c = static_cast<char16_t>(record[2 * i] | (record[2 * i + 1] << 8));
        if (c == 0) break;
        e.name.push_back(c);
    }
    if (!SafeName(e.name)) return std::nullopt;

    e.mediaClass = GetInt(record + kClassOffset);
    if (e.mediaClass < kPicture || e.mediaClass > kAudio) e.mediaClass = MediaClassOfName(e.name);
    e.fileType = GetInt(record + kTypeOffset);
    e.made = GetInt(record + kMadeOffset) != 0 ? 1 : 0;
    e.sourceWidth = GetInt(record + kSourceWidthOffset);
    e.sourceHeight = GetInt(record + kSourceHeightOffset);
    e.thumbWidth = GetInt(record + kThumbWidthOffset);
    e.thumbHeight = GetInt(record + kThumbHeightOffset);
    const bool sizeFits = e.thumbWidth >= 1 && e.thumbWidth <= kThumbWidth && e.thumbHeight >= 1 &&
                          e.thumbHeight <= kThumbHeight;
    if (!sizeFits) {
        // Whatever the flag says, a size outside the cell cannot be copied
        // out of it: start this entry afresh.
        e.made = 0;
        e.thumbWidth = 0;
        e.thumbHeight = 0;
    }
    if (e.sourceWidth < 0 || e.sourceHeight < 0) {
        e.sourceWidth = 0;
        e.sourceHeight = 0;
    }
    return e;
}

DecodedIndex DecodeCacheIndex(const uint8_t* bytes, size_t size) {
    DecodedIndex out;
    const size_t records = size / kRecordSize;
    out.trailingBytes = size % kRecordSize;
    out.entries.reserve(records);
    for (size_t i = 0; i < records; ++i) {
        std::optional<ThumbEntry> e = DecodeCacheRecord(bytes + i * kRecordSize);
        if (e) {
            out.entries.push_back(std::move(*e));
        } else {
            ++out.refused;
        }
    }
    return out;
}

std::vector<uint8_t> EncodeCacheIndex(const std::vector<ThumbEntry>& entries) {
    std::vector<uint8_t> out;
    out.reserve(entries.size() * kRecordSize);
    for (const ThumbEntry& e : entries) {
        const CacheRecordBytes r = EncodeCacheRecord(e);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

}  // namespace vimbrel::browser
