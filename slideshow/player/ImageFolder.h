// Where the player finds the pictures: the main program's image folder
// under the data root.
#pragma once

#include <string>

namespace slideshow {

// From Windows Vista on, the common application-data folder (made when
// missing) + "\Zavu\Vimbrel2"; on older Windows the running program's
// folder. Empty when the folder cannot be found.
std::wstring PlayerDataRoot();
// The data root + "\Vimbrel\Image".
std::wstring PlayerImageFolder();

}  // namespace slideshow
