// A media folder as the browsers meet it: any folder listing becomes the
// thumbnail list (media names only, newest first), and that list survives
// the cache's index file unchanged; and any frame a media detector hands
// back is judged alike by the engine's and the thumbnail grabber's checks.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "CacheIndexFormat.h"
#include "MediaNames.h"
#include "ThumbList.h"
// The engine and the grabber each check a packed DIB of their own.
#include "engine/core/FrameDib.h"
#include "thumbgrab/core/PackedDib.h"

using namespace vimbrel::browser;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// A name a folder listing can give: no separators, colons or NULs.
std::u16string FileName(FuzzedDataProvider& in) {
    static const char16_t* const tails[] = {u".jpg", u".JPEG",  u".bmp", u".avi", u".wav",  u".wma",
                                            u".txt", u".b.png", u"",     u".",    u".asf.x"};
    std::u16string name;
    const std::size_t units = in.ConsumeIntegralInRange<std::size_t>(0, in.ConsumeBool() ? 8 : 270);
    for (std::size_t i = 0; i < units; ++i) {
        char16_t c = in.ConsumeBool() ? static_cast<char16_t>(in.ConsumeIntegralInRange(0x20, 0x7E))
                                      : in.ConsumeIntegral<char16_t>();
        if (c == u'\\' || c == u'/' || c == u':' || c == u'\0') c = u'_';
        name += c;
    }
    name += tails[in.ConsumeIntegralInRange<std::size_t>(0, std::size(tails) - 1)];
    return name;
}

void ListingRoundTrip(FuzzedDataProvider& in) {
    std::vector<std::u16string> names;
    const int count = in.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < count; ++i) names.push_back(FileName(in));
    std::size_t listable = 0;
    for (const std::u16string& n : names) listable += !n.empty() && n.size() <= kMaxNameLength && IsListedMediaName(n);

    std::vector<ThumbEntry> list = ListFromNames(names);
    Check(list.size() == listable);
    for (std::size_t i = 0; i < list.size(); ++i) {
        Check(list[i].mediaClass >= kPicture && list[i].mediaClass <= kAudio && list[i].fileType >= 0);
        if (i + 1 < list.size()) Check(CompareNames(list[i].name, list[i + 1].name) >= 0);
        if (in.ConsumeBool()) {  // the strip made its thumbnail
            list[i].made = 1;
            list[i].sourceWidth = in.ConsumeIntegralInRange<int32_t>(0, INT32_MAX);
            list[i].sourceHeight = in.ConsumeIntegralInRange<int32_t>(0, INT32_MAX);
            list[i].thumbWidth = in.ConsumeIntegralInRange(1, kThumbWidth);
            list[i].thumbHeight = in.ConsumeIntegralInRange(1, kThumbHeight);
        }
    }

    const std::vector<uint8_t> file = EncodeCacheIndex(list);
    Check(file.size() == list.size() * kRecordSize);
    const DecodedIndex back = DecodeCacheIndex(file.data(), file.size());
    Check(back.refused == 0 && back.trailingBytes == 0 && SameNames(list, back.entries));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ThumbEntry& a = list[i];
        const ThumbEntry& b = back.entries[i];
        Check(a.mediaClass == b.mediaClass && a.fileType == b.fileType && a.made == b.made &&
              a.sourceWidth == b.sourceWidth && a.sourceHeight == b.sourceHeight && a.thumbWidth == b.thumbWidth &&
              a.thumbHeight == b.thumbHeight);
    }
    const std::vector<long> carried = CarryOverThumbs(back.entries, list);
    for (std::size_t i = 0; i < list.size(); ++i)
        Check(carried[i] >= 0 && back.entries[carried[i]].name == list[i].name);
}

// The rest of the input as the detector's buffer, in a block of exactly its
// size so a check that reads past it is caught.
void PackedDibChecksAgree(FuzzedDataProvider& in) {
    std::vector<uint8_t> dib = in.ConsumeRemainingBytes<uint8_t>();
    const uint8_t* bytes = dib.empty() ? nullptr : dib.data();
    const bool engine = camera::IsCompletePackedDib(bytes, dib.size());
    const auto grabber = snapframe::ReadPackedDib(bytes, dib.size());
    Check(engine == grabber.has_value());
    if (grabber) Check(grabber->bitsBytes <= dib.size() - snapframe::kDibHeaderSize && grabber->rowBytes % 4 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ListingRoundTrip(in);
    PackedDibChecksAgree(in);
    return 0;
}
