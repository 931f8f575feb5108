#include "MediaNames.h"

#include <array>

namespace vimbrel::browser {
namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameIgnoringCase(std::u16string_view a, std::u16string_view lowerB) {
    if (a.size() != lowerB.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != lowerB[i]) return false;
    }
    return true;
}

struct TypeName {
    std::u16string_view extension;
    int type;
};

constexpr std::array<TypeName, 11> kTypes{{
    {u"jpg", 0},
    {u"jpeg", 0},
    {u"bmp", 1},
    {u"gif", 2},
    {u"png", 3},
    {u"tiff", 4},
    {u"avi", 5},
    {u"wmv", 6},
    {u"asf", 7},
    {u"wav", 8},
    {u"wma", 9},
}};

// Capture names of sound recordings begin with "audio"; the test is on the
// part before the first dot and, unlike the extension, case-sensitive.
bool StemSaysAudio(std::u16string_view name) {
    return name.substr(0, name.find(u'.')).find(u"audio") != std::u16string_view::npos;
}

}  // namespace

std::u16string_view NameExtension(std::u16string_view name) {
    const size_t first = name.find(u'.');
    if (first == std::u16string_view::npos) return {};
    const std::u16string_view rest = name.substr(first + 1);
    return rest.substr(0, rest.find(u'.'));
}

int ThumbFileTypeOfName(std::u16string_view name) {
    const std::u16string_view ext = NameExtension(name);
    for (const TypeName& t : kTypes) {
        if (SameIgnoringCase(ext, t.extension)) return t.type;
    }
    return -1;
}

int MediaClassOfName(std::u16string_view name) {
    // A name such as photo.2007.jpg has "2007" as its extension and so is
    // no media file, which keeps the class and the type in step.
    const std::u16string_view ext = NameExtension(name);
    for (std::u16string_view e : {u"bmp", u"jpg", u"jpeg", u"gif", u"png", u"tiff"}) {
        if (SameIgnoringCase(ext, e)) return kPicture;
    }
    if (SameIgnoringCase(ext, u"wmv") || SameIgnoringCase(ext, u"asf")) return kVideo;
    if (SameIgnoringCase(ext, u"wav") || SameIgnoringCase(ext, u"wma")) return kAudio;
    if (SameIgnoringCase(ext, u"avi")) return StemSaysAudio(name) ? kAudio : kVideo;
    return kNoMedia;
}

bool IsListedMediaName(std::u16string_view name) {
    const int c = MediaClassOfName(name);
    return ThumbFileTypeOfName(name) != -1 && c >= kPicture && c <= kAudio;
}

}  // namespace vimbrel::browser
