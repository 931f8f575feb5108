#include "DataRoot.h"

#include <windows.h>
#include <shlobj.h>

namespace vimbrel::controller {

bool IsWindowsAbove5() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) && info.dwMajorVersion > 5;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring folder(path, length);
    std::size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

std::wstring CommonAppDataFolder() {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::wstring();
    }
    return folder;
}

std::wstring DataRoot() {
    if (!IsWindowsAbove5()) return ProgramFolder();
    std::wstring common = CommonAppDataFolder();
    return common.empty() ? std::wstring() : common + L"\\Zavu\\Vimbrel2";
}

bool EnsureFolderExists(const std::wstring& folder) {
    if (folder.empty()) return false;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::size_t slash = folder.find_last_of(L"\\/");
    // Stop at a drive root ("C:") or a bare name.
    if (slash != std::wstring::npos && slash > 2 && !EnsureFolderExists(folder.substr(0, slash))) {
        return false;
    }
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace vimbrel::controller
