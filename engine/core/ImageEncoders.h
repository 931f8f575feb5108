// Picture file formats: ImageFileFormat 0..4 to the MIME type of the
// encoder that writes it.
#pragma once

namespace camera {

constexpr int kImageFormatJpeg = 1;
constexpr int kImageFormatGif = 2;

// u"image/bmp", u"image/jpeg", u"image/gif", u"image/png", u"image/tiff";
// null for any other number.
const char16_t* ImageEncoderMime(int imageFileFormat);

}  // namespace camera
