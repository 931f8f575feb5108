#pragma once
// The program folder and the media folders on this system. The data root
// itself is the controller's (DataRoot.h); these add the folder of each
// kind on top of it.

#include <windows.h>

#include <array>
#include <string>

namespace vimbrel::controller {

// The running program's folder, without a closing backslash, into out (260
// units). 0 for a null buffer or when the path cannot be had.
int GetModuleFolder(wchar_t* out);

// Data root + "\Vimbrel\Image" (Video, Audio, Monitor by kind); empty for
// another kind or when the data root cannot be told.
std::wstring MediaFolder(int kind);

// Makes root + "\Vimbrel" and the four media folders (an existing folder is
// no error) and gives their paths in kind order; false when one of them
// cannot be made.
bool CreateMediaFolders(std::array<std::wstring, 4>& folders);

}  // namespace vimbrel::controller
