// Colour values shared by the skin configuration, the mask scanners and the
// Windows layer. Kept free of Windows headers so the logic builds natively.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vimbrel::ui {

// A Windows colour value: 0x00BBGGRR. Key colours are written RRGGBB in the
// configuration texts and held in this form everywhere else.
using Colour = uint32_t;

constexpr Colour MakeColour(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr uint8_t RedOf(Colour c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(Colour c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(Colour c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

// How many key colours a window keeps from its mask: a panel has room for
// 20 buttons, the main dialog for 50 layout areas.
constexpr size_t kPanelKeyLimit = 20;
constexpr size_t kDialogKeyLimit = 50;

}  // namespace vimbrel::ui
