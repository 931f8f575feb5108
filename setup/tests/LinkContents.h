// A saved shell link read back through the shell's own link object.
#pragma once

#include <string>

namespace shortcuttertest {

struct LinkContents {
    bool loaded = false;
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string description;
    std::string iconPath;
    int iconIndex = -1;
};

LinkContents ReadLink(const std::string& path);

}  // namespace shortcuttertest
