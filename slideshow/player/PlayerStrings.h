// Texts of the player's own string table, in the user's language.
#pragma once

#include <windows.h>

#include <string>

namespace slideshow {

// Empty when the string does not exist.
std::wstring LoadPlayerString(UINT id);

}  // namespace slideshow
