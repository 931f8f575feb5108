// Reading one text value from the registry with query access only, into
// the 260 bytes the installer's paths are given; the key is closed again
// on every path.
#pragma once

#include <windows.h>

#include <string>

namespace shortcutter {

// The text of value under root\subkey. False when the key or value is
// missing, the value is not text, or it is longer than 259 bytes (it is
// never cut short).
bool ReadRegistryText(HKEY root, const char* subkey, const char* value, std::string* text);

}  // namespace shortcutter
