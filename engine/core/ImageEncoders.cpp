#include "engine/core/ImageEncoders.h"

namespace camera {

const char16_t* ImageEncoderMime(int imageFileFormat) {
    static const char16_t* const kMimes[] = {u"image/bmp", u"image/jpeg", u"image/gif", u"image/png", u"image/tiff"};
    if (imageFileFormat < 0 || imageFileFormat >= 5) return nullptr;
    return kMimes[imageFileFormat];
}

}  // namespace camera
