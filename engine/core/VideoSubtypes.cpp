#include "engine/core/VideoSubtypes.h"

#include <cstring>

namespace camera {

namespace {

// The uncompressed RGB subtypes are not FOURCC codes; they share one family.
constexpr MediaGuid RgbSubtype(uint32_t data1) {
    return MediaGuid{data1, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}

struct SubtypeName {
    MediaGuid subtype;
    const char* name;
};

const SubtypeName kNames[] = {
    {RgbSubtype(0xE436EB7B), "RGB565"},
    {RgbSubtype(0xE436EB7C), "RGB555"},
    {RgbSubtype(0xE436EB7D), "RGB24"},
    {RgbSubtype(0xE436EB7E), "RGB32"},
    {FourCcSubtype('Y', 'V', 'U', '9'), "YVU9"},
    {FourCcSubtype('Y', '4', '1', '1'), "YVU9"},
    {FourCcSubtype('Y', 'U', 'Y', '2'), "YUY2"},
    {FourCcSubtype('U', 'Y', 'V', 'Y'), "UYVY"},
    {FourCcSubtype('Y', '2', '1', '1'), "Y211"},
    {FourCcSubtype('I', 'Y', 'U', 'V'), "IYUV"},
    {FourCcSubtype('d', 'v', 's', 'd'), "DV(SD)"},
    {FourCcSubtype('I', '4', '2', '0'), "I420"},
    {FourCcSubtype('Y', 'V', '1', '2'), "YV12"},
};

}  // namespace

bool operator==(const MediaGuid& a, const MediaGuid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

const char* VideoSubtypeName(const MediaGuid& subtype) {
    for (const SubtypeName& entry : kNames) {
        if (entry.subtype == subtype) return entry.name;
    }
    return "????";
}

}  // namespace camera
