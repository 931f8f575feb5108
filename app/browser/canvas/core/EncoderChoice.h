#pragma once
// Which image encoder a saved picture goes through, told by the file name's
// extension alone.

#include <string_view>

namespace vimbrel::canvas {

// The MIME type for the text after the last dot of `path`, compared without
// regard to case: jpg and jpeg "image/jpeg", gif "image/gif", tiff
// "image/tiff", png "image/png", bmp "image/bmp". Empty for any other
// extension (tif included) and for a name without a dot.
std::u16string_view EncoderMimeTypeFor(std::u16string_view path);

}  // namespace vimbrel::canvas
