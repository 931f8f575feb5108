// How the browsers tell media files apart by name alone: the class a file
// is browsed as and the file type stored in its cache record.
#pragma once

#include <string_view>

namespace vimbrel::browser {

// MediaClass: 0 picture, 1 video, 2 audio, -1 no media file.
enum MediaClassValue : int { kPicture = 0, kVideo = 1, kAudio = 2, kNoMedia = -1 };

// The text between the first and the second dot; empty when the name has
// fewer than two dot-separated parts.
std::u16string_view NameExtension(std::u16string_view name);

int MediaClassOfName(std::u16string_view name);

// 0 jpg/jpeg, 1 bmp, 2 gif, 3 png, 4 tiff, 5 avi, 6 wmv, 7 asf, 8 wav,
// 9 wma, -1 other.
int ThumbFileTypeOfName(std::u16string_view name);

// A folder scan lists the file: known type and a media class.
bool IsListedMediaName(std::u16string_view name);

}  // namespace vimbrel::browser
