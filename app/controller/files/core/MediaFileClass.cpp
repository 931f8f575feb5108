#include "MediaFileClass.h"

#include <array>

namespace vimbrel::controller {

namespace {

constexpr std::array<std::u16string_view, 10> kClassExtensions = {u"bmp", u"jpg", u"gif", u"png", u"tiff",
                                                                  u"asf", u"wmv", u"avi", u"wma", u"wav"};

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != lowerWord[i]) return false;
    }
    return true;
}

}  // namespace

int GetMediaFileClass(std::u16string_view path) {
    std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) return kFileClassNone;
    std::u16string_view extension = path.substr(dot + 1);
    if (EqualsIgnoringCase(extension, u"jpeg")) return kFileClassJpg;
    for (std::size_t i = 0; i < kClassExtensions.size(); ++i) {
        if (EqualsIgnoringCase(extension, kClassExtensions[i])) return static_cast<int>(i);
    }
    return kFileClassNone;
}

std::u16string_view MediaFileClassExtension(int fileClass) {
    if (fileClass < 0 || static_cast<std::size_t>(fileClass) >= kClassExtensions.size()) return {};
    return kClassExtensions[static_cast<std::size_t>(fileClass)];
}

}  // namespace vimbrel::controller
