// The control bar's buttons by key colour (held as 0xBBGGRR, written
// RRGGBB in the skin): the command each posts to the player and the
// string that is its tooltip.
#pragma once

#include <cstdint>

namespace slideshow {

constexpr std::uint32_t BarKey(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

constexpr std::uint32_t kBarFirstKey = BarKey(0x00, 0x00, 0x32);
constexpr std::uint32_t kBarPreviousKey = BarKey(0x00, 0x00, 0x64);
constexpr std::uint32_t kBarNextKey = BarKey(0x00, 0x00, 0x96);
constexpr std::uint32_t kBarLastKey = BarKey(0x00, 0x00, 0xC8);
constexpr std::uint32_t kBarPlayPauseKey = BarKey(0x00, 0x00, 0xFA);
constexpr std::uint32_t kBarSwitchEffectKey = BarKey(0x00, 0x32, 0x00);
constexpr std::uint32_t kBarExitKey = BarKey(0x00, 0x32, 0x32);

// The command (0..6) a release over the button posts; -1 for a key outside
// the bar's table.
int BarCommandFor(std::uint32_t key);

// The string id of the button's tooltip; the play/pause toggle shows
// "Pause" (110) in state 2 and "Start Slide Show" (106) in state 1. 0 for a
// key outside the table.
unsigned BarTipStringId(std::uint32_t key, int toggleState);

}  // namespace slideshow
