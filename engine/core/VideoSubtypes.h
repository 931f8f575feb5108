// The short names the flat API gives the camera's video subtypes.
#pragma once

#include <cstdint>

namespace camera {

// A GUID laid out as the platform lays it out, without the platform.
struct MediaGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

bool operator==(const MediaGuid& a, const MediaGuid& b);

// The subtype GUID that stands for a FOURCC code.
constexpr MediaGuid FourCcSubtype(char a, char b, char c, char d) {
    return MediaGuid{
        static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
            static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24,
        0x0000,
        0x0010,
        {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// "RGB24", "YUY2", ...; "????" for a subtype the table does not know. Y411
// has always been shown as "YVU9", and callers compare against that.
const char* VideoSubtypeName(const MediaGuid& subtype);

}  // namespace camera
