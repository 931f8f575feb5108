// The product name a deferred custom action receives from the installer.
#pragma once

#include <windows.h>
#include <msi.h>

#include <string>

namespace shortcutter {

// Characters of the product name buffer, terminator included.
constexpr DWORD kProductNameChars = 64;

// The value of "CustomActionData". False when the installer refuses it or
// it needs more than kProductNameChars: a shortened name would name some
// other product's key and shortcut.
bool ReadProductName(MSIHANDLE install, std::string* name);

}  // namespace shortcutter
