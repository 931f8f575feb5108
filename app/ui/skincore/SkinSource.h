// Where a skinned window takes its images and configuration from, and the
// path rules that go with it.
#pragma once

#include <string>
#include <string_view>

namespace vimbrel::ui {

enum class SkinSourceKind : int {
    Folder = 0,        // files in a folder
    Library = 1,       // resources of a skin library (a DLL)
    OwnResources = 2,  // resources of the running program
};

// Empty source: own resources; a path whose lower-cased text holds ".dll":
// a library; anything else: a folder.
SkinSourceKind SkinSourceKindOf(std::u16string_view source);

// A folder path joined with a backslash and an image name holds at most
// this many characters.
constexpr size_t kMaxSkinFilePath = 127;

// folder + "\" + name; false (and out untouched) when it would not fit.
bool JoinSkinPath(std::u16string_view folder, std::u16string_view name, std::u16string& out);

// Where a configuration that lies among resources is written for parsing:
// above Windows major version 5 the common application-data folder plus
// "\Zavu\Vimbrel2\config.txt", else "config.txt" relative to the program
// folder (which the reader makes the current directory). Empty when the
// application-data folder is unknown.
std::u16string TemporaryConfigPath(unsigned windowsMajorVersion, std::u16string_view commonAppData);

}  // namespace vimbrel::ui
