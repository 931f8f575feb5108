// Reads a skin configuration from a folder, a skin library or the program's
// own resources, and parses it.
#pragma once

#include "SkinConfig.h"
#include "SkinSource.h"

#include <string>

namespace vimbrel::ui {

// How the text reached the parser.
enum class SkinConfigRoute {
    None,           // not read
    Folder,         // the file in the skin folder, in place
    TemporaryFile,  // resource bytes written to the temporary config.txt and read back
    Memory,         // resource bytes parsed in memory: the temporary file could not be written
};

// The raw text of a configuration. For resources (kinds 1 and 2) the
// current directory becomes the program folder, the bytes go through the
// temporary "config.txt" (see TemporaryConfigPath), which is deleted again;
// where that file cannot be written (a read-only program folder on older
// Windows) the bytes are used as they are. User-interface thread only: the
// temporary file name is shared by every reader.
bool ReadSkinConfigText(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                        const wchar_t* resourceType, std::string& text, SkinConfigRoute* route = nullptr);

bool ReadPanelSkinConfig(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                         const wchar_t* resourceType, PanelSkinConfig& out, SkinConfigRoute* route = nullptr);

bool ReadDialogSkinConfig(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                          const wchar_t* resourceType, DialogSkinConfig& out, SkinConfigRoute* route = nullptr);

// The folder of the running executable, without a trailing backslash.
std::wstring ProgramFolder();

}  // namespace vimbrel::ui
