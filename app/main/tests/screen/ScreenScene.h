// The bench camera's still scene as the screen shows it: eight bars at
// level 192 over its top three quarters (white, yellow, cyan, green,
// magenta, red, blue, black) and a grey ramp from black to white below.
#pragma once

#include "ScreenPicture.h"

#include <string>

namespace vimbrel::screentest {

// The skin's face colour, which a misplaced video window leaves showing.
constexpr COLORREF kSkinFace = RGB(0x6A, 0x6A, 0x6A);

// Where the picture differs from the whole scene filling it, as text; empty
// when it does not. At zoom factor f the middle 1/f of the frame fills the
// picture; mirrored, the scene runs right to left.
std::string SceneFaults(const CScreenPicture& shown, double zoom = 1.0, bool mirrored = false);

}  // namespace vimbrel::screentest
