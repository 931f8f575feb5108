// Saving a shell link (a .lnk file) that starts a program.
#pragma once

#include <windows.h>

#include <string>

namespace shortcutter {

// Writes a link at linkPath to target with the given description. The
// result is that of the first step that failed, else of the save.
HRESULT CreateShellLink(const std::string& target, const std::string& linkPath, const std::string& description);

}  // namespace shortcutter
