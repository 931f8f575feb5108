#include "ProgramPictures.h"

#include <cstdio>

namespace vimbrel::ui {

std::string ModePictureName(int mode) {
    if (mode < 0 || mode > 5) return std::string();
    char name[16];
    std::snprintf(name, sizeof name, "MODE%i.JPG", mode);
    return name;
}

std::u16string FormatVersion(uint32_t version) {
    char text[24];
    std::snprintf(text, sizeof text, "%u.%u.%u", static_cast<unsigned>(version >> 24),
                  static_cast<unsigned>((version >> 16) & 0xFF), static_cast<unsigned>(version & 0xFFFF));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string AboutVersionLine(std::u16string_view label, std::optional<uint32_t> version) {
    std::u16string line(label);
    line += u' ';
    if (version) line += FormatVersion(*version);
    return line;
}

}  // namespace vimbrel::ui
