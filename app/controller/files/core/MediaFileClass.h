#pragma once
// The controller's file class of a media file, by the text after the last
// "." of its path, compared without regard to case.

#include <string_view>

namespace vimbrel::controller {

enum MediaFileClass : int {
    kFileClassNone = -1,
    kFileClassBmp = 0,
    kFileClassJpg = 1,
    kFileClassGif = 2,
    kFileClassPng = 3,
    kFileClassTiff = 4,
    kFileClassAsf = 5,
    kFileClassWmv = 6,
    kFileClassAvi = 7,
    kFileClassWma = 8,
    kFileClassWav = 9,
};

// 0..9 as above ("jpeg" is 1 as well); -1 without a dot or for any other
// extension.
int GetMediaFileClass(std::u16string_view path);

// The extension a class is written with ("bmp" .. "wav"); empty for -1 and
// any other value.
std::u16string_view MediaFileClassExtension(int fileClass);

}  // namespace vimbrel::controller
