#pragma once
// Where the program keeps its data: the common application-data folder
// plus "\Zavu\Vimbrel2" above Windows major version 5, else the program's
// own folder.

#include <string>

namespace vimbrel::controller {

bool IsWindowsAbove5();
std::wstring ProgramFolder();
// Empty when the system does not know the folder.
std::wstring CommonAppDataFolder();
// Empty when it cannot be told.
std::wstring DataRoot();

// Creates folder and any missing parents; true when it exists afterwards.
bool EnsureFolderExists(const std::wstring& folder);

}  // namespace vimbrel::controller
