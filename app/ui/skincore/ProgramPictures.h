// Names and texts of the program's picture windows: the mode pictures,
// the splash and the about box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::ui {

// "MODE3.JPG"; empty outside 0..5.
std::string ModePictureName(int mode);
constexpr const char* kAboutPictureName = "about.jpg";

// The installed version: top byte major, next byte minor, low 16 bits the
// build, "%i.%i.%i" unpadded (0x01020123 -> "1.2.291").
std::u16string FormatVersion(uint32_t version);
// The about box's line: the label, a blank, then the version (nothing
// after the blank when the version could not be read).
std::u16string AboutVersionLine(std::u16string_view label, std::optional<uint32_t> version);

// A picture of w x h in the middle of a screen of sw x sh.
struct PictureRect {
    int left, top, right, bottom;
};
constexpr PictureRect CentredOnScreen(int sw, int sh, int w, int h) {
    return PictureRect{(sw - w) / 2, (sh - h) / 2, (sw + w) / 2, (sh + h) / 2};
}

// Where the about box draws its version line, on the 500 x 300 picture.
struct VersionBox {
    float x, y, width, height;
};
constexpr VersionBox kAboutVersionBox{398.0f, 128.0f, 150.0f, 15.0f};
// 0xAARRGGBB of the version text.
constexpr uint32_t kAboutVersionColour = 0xFFEDEBEE;
constexpr float kAboutFontPoints = 8.0f;

}  // namespace vimbrel::ui
