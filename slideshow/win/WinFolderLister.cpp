#include "WinFolderLister.h"

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace slideshow {

bool CWinFolderLister::Enter(const std::u16string& folder) {
    if (folder.empty()) return false;
    return SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str())) != FALSE;
}

bool CWinFolderLister::List(std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW found{};
    const winowners::UniqueFindHandle search(FindFirstFileW(L"*.*", &found));
    if (!search) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        FolderEntry entry;
        found.cFileName[MAX_PATH - 1] = L'\0';
        entry.name = reinterpret_cast<const char16_t*>(found.cFileName);
        entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isSystem = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.get(), &found));
    return true;
}

}  // namespace slideshow
