#include "EncoderChoice.h"

#include <array>

namespace vimbrel::canvas {

namespace {

bool EqualsAsciiNoCase(std::u16string_view text, std::u16string_view lowerAscii) {
    if (text.size() != lowerAscii.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != lowerAscii[i]) return false;
    }
    return true;
}

struct ExtensionMime {
    std::u16string_view extension;
    std::u16string_view mime;
};

constexpr std::array<ExtensionMime, 6> kEncoders{{
    {u"jpg", u"image/jpeg"},
    {u"jpeg", u"image/jpeg"},
    {u"gif", u"image/gif"},
    {u"tiff", u"image/tiff"},
    {u"png", u"image/png"},
    {u"bmp", u"image/bmp"},
}};

}  // namespace

std::u16string_view EncoderMimeTypeFor(std::u16string_view path) {
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) return {};
    const std::u16string_view extension = path.substr(dot + 1);
    for (const auto& entry : kEncoders)
        if (EqualsAsciiNoCase(extension, entry.extension)) return entry.mime;
    return {};
}

}  // namespace vimbrel::canvas
