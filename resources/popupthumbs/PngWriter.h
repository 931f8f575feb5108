#pragma once
// A PNG file for an RGBA picture, byte for byte the same on every build:
// 8-bit RGBA, no filter, the image data in stored (uncompressed) deflate
// blocks. The strips are small, and fixed bytes let a test compare the
// committed files with what the generator draws.

#include <cstdint>
#include <vector>

#include "PopupThumbs.h"

namespace vimbrel::thumbs {

std::vector<uint8_t> EncodePng(const RgbaPicture& picture);

}  // namespace vimbrel::thumbs
