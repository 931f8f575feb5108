#include "MediaLocations.h"

#include "CaptureNaming.h"
#include "DataRoot.h"
#include "FilePaths.h"
#include "WideText.h"

namespace vimbrel::controller {

int GetModuleFolder(wchar_t* out) {
    if (!out) return 0;
    std::wstring folder = ProgramFolder();
    if (folder.empty() || !FitsBuffer(CopyToU16(folder), kPathCapacity)) return 0;
    folder.copy(out, folder.size());
    out[folder.size()] = L'\0';
    return 1;
}

std::wstring MediaFolder(int kind) {
    std::wstring root = DataRoot();
    if (root.empty()) return {};
    return CopyToWide(MediaFolderPath(CopyToU16(root), kind));
}

bool CreateMediaFolders(std::array<std::wstring, 4>& folders) {
    for (int kind = kMediaImage; kind < kMediaKindCount; ++kind) {
        folders[kind] = MediaFolder(kind);
        // EnsureFolderExists makes "\Vimbrel" on the way.
        if (folders[kind].empty() || !EnsureFolderExists(folders[kind])) return false;
    }
    return true;
}

}  // namespace vimbrel::controller
