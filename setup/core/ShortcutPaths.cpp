#include "ShortcutPaths.h"

namespace shortcutter {

namespace {

std::optional<std::string> Bounded(std::string path) {
    if (path.size() >= kPathChars) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

std::string ProductKeyName(const std::string& product) { return "SOFTWARE\\Zavu\\" + product; }

std::optional<std::string> DesktopLinkPath(const std::string& desktopFolder, const std::string& product) {
    return Bounded(desktopFolder + "\\" + product + ".lnk");
}

std::optional<std::string> StartMenuFolder(const std::string& programsFolder) {
    return Bounded(programsFolder + "\\ZAVU Utility\\");
}

std::optional<std::string> StartMenuLinkPath(const std::string& programsFolder, const std::string& product) {
    const auto folder = StartMenuFolder(programsFolder);
    if (!folder) {
        return std::nullopt;
    }
    return Bounded(*folder + product + ".lnk");
}

}  // namespace shortcutter
