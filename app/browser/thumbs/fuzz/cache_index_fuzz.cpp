// The index file is read back from disk, where anything may have happened
// to it: decoding must never read past the bytes, and whatever it accepts
// must survive a round trip unchanged.
#include "CacheIndexFormat.h"

#include <cstdlib>

using namespace vimbrel::browser;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DecodedIndex decoded = DecodeCacheIndex(data, size);
    if (decoded.entries.size() + decoded.refused != size / kRecordSize) abort();
    for (const ThumbEntry& e : decoded.entries) {
        if (e.name.empty() || e.name.size() > kMaxNameLength) abort();
        if (e.mediaClass < 0 || e.mediaClass > 2) abort();
        if (e.made && (e.thumbWidth < 1 || e.thumbWidth > 100 || e.thumbHeight < 1 || e.thumbHeight > 75)) abort();
    }
    const std::vector<uint8_t> again = EncodeCacheIndex(decoded.entries);
    const DecodedIndex second = DecodeCacheIndex(again.data(), again.size());
    if (second.refused != 0 || second.entries.size() != decoded.entries.size()) abort();
    for (size_t i = 0; i < second.entries.size(); ++i) {
        const ThumbEntry& a = decoded.entries[i];
        const ThumbEntry& b = second.entries[i];
        if (a.name != b.name || a.mediaClass != b.mediaClass || a.made != b.made || a.thumbWidth != b.thumbWidth ||
            a.thumbHeight != b.thumbHeight) {
            abort();
        }
    }
    return 0;
}
