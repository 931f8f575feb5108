#include "CacheFiles.h"

#include "WideText.h"
#include "winowners/KernelOwners.h"

#include <windows.h>
#include <shlobj.h>

namespace vimbrel::browser {
namespace {

bool CreateFolderChain(const std::wstring& path) {
    // Each level from the drive down; an existing folder is no error.
    for (size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (at == std::wstring::npos) return true;
    }
}

std::wstring Numbered(const std::wstring& root, const wchar_t* pattern, int mediaKind) {
    wchar_t name[32];
    wsprintfW(name, pattern, mediaKind);
    std::wstring path = root + L"\\" + name;
    return path.size() < MAX_PATH ? path : std::wstring();
}

}  // namespace

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    std::wstring folder(path, n);
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

std::wstring CacheDataRoot() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool newer = GetVersionExW(&version) && version.dwMajorVersion > 5;
#pragma GCC diagnostic pop
    if (!newer) return ProgramFolder();
    wchar_t common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, common))) {
        return std::wstring();
    }
    std::wstring root = std::wstring(common) + L"\\Zavu\\Vimbrel2";
    if (root.size() >= MAX_PATH || !CreateFolderChain(root)) return std::wstring();
    return root;
}

std::wstring IndexFilePath(const std::wstring& root, int mediaKind) {
    return Numbered(root, L"config%i.cfg", mediaKind);
}

std::wstring StripFilePath(const std::wstring& root, int mediaKind) { return Numbered(root, L"tmp%i.img", mediaKind); }

std::wstring JoinFolderName(const std::wstring& folder, const std::u16string& name) {
    std::wstring path = folder + L"\\" + CopyToWide(name);
    return path.size() < MAX_PATH ? path : std::wstring();
}

bool ReadFileStamp(const std::wstring& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool WriteIndexFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    // A hidden file that exists already refuses CREATE_ALWAYS with other
    // attributes; ask for hidden each time.
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (bytes.empty()) return true;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::vector<std::u16string> ListFolderFiles(const std::wstring& folder) {
    std::optional<std::vector<std::u16string>> names = ListFolderFiles(folder, nullptr);
    return names ? std::move(*names) : std::vector<std::u16string>();
}

std::optional<std::vector<std::u16string>> ListFolderFiles(const std::wstring& folder, HANDLE stop) {
    std::vector<std::u16string> names;
    const std::wstring pattern = folder + L"\\*";
    WIN32_FIND_DATAW found = {};
    const winowners::UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return names;
    size_t seen = 0;
    do {
        // A look at the event every few hundred names costs nothing beside
        // the listing itself.
        if (stop && ++seen % 256 == 0 && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return std::nullopt;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        names.push_back(CopyToU16(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    return names;
}

}  // namespace vimbrel::browser
