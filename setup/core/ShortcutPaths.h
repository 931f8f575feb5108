// Where the installer's shortcuts live and which registry key names the
// program they start. The names are joined from the installer's product
// name and the shell's folders, and each join is bounded here: a path that
// would not fit a Windows path buffer is refused rather than cut short,
// since a shortened path could create or delete some other file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace shortcutter {

// Characters of a path buffer, terminator included.
constexpr size_t kPathChars = 260;

// "SOFTWARE\Zavu\" followed by the product name, under HKEY_LOCAL_MACHINE.
std::string ProductKeyName(const std::string& product);

// desktopFolder + "\" + product + ".lnk".
std::optional<std::string> DesktopLinkPath(const std::string& desktopFolder, const std::string& product);

// programsFolder + "\ZAVU Utility\", the folder the maker's products share.
std::optional<std::string> StartMenuFolder(const std::string& programsFolder);

// StartMenuFolder + product + ".lnk".
std::optional<std::string> StartMenuLinkPath(const std::string& programsFolder, const std::string& product);

}  // namespace shortcutter
