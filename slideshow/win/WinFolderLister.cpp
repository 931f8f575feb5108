#include "WinFolderLister.h"

#include <windows.h>

namespace slideshow {

namespace {

class CFindHandle {
public:
    explicit CFindHandle(HANDLE handle) : handle_(handle) {}
    ~CFindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

} // namespace

bool CWinFolderLister::Enter(const std::u16string& folder) {
    if (folder.empty()) return false;
    return SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str())) != FALSE;
}

bool CWinFolderLister::List(std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW found{};
    CFindHandle search(FindFirstFileW(L"*.*", &found));
    if (!search.Ok()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        FolderEntry entry;
        found.cFileName[MAX_PATH - 1] = L'\0';
        entry.name = reinterpret_cast<const char16_t*>(found.cFileName);
        entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isSystem = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.Get(), &found));
    return true;
}

} // namespace slideshow
