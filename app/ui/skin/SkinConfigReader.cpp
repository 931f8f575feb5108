#include "SkinConfigReader.h"

#include "SkinModule.h"
#include "WideText.h"
#include "winowners/KernelOwners.h"

#include <shlobj.h>

namespace vimbrel::ui {
namespace {

// A configuration is a few dozen short lines; anything far larger is not one.
constexpr DWORD kMaxConfigFileBytes = 1u << 20;

bool ReadWholeFile(const wchar_t* path, std::string& text) {
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxConfigFileBytes) return false;
    text.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!text.empty() &&
        (!ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &got, nullptr) || got != text.size())) {
        return false;
    }
    return true;
}

bool WriteWholeFile(const wchar_t* path, const void* data, DWORD size) {
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), data, size, &written, nullptr) && written == size;
}

unsigned WindowsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

std::wstring CommonAppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::wstring();
    }
    return folder;
}

bool ReadResourceConfig(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                        const wchar_t* resourceType, std::string& text, SkinConfigRoute& route) {
    CSkinModule module(kind, source);
    const void* data = nullptr;
    DWORD size = 0;
    if (!module.FindBytes(configName, resourceType, data, size)) return false;

    std::wstring programFolder = ProgramFolder();
    if (!programFolder.empty()) SetCurrentDirectoryW(programFolder.c_str());

    std::u16string path = TemporaryConfigPath(WindowsMajorVersion(), ViewAsU16(CommonAppDataFolder().c_str()));
    if (!path.empty() && WriteWholeFile(ViewAsWide(path), data, size)) {
        bool readBack = ReadWholeFile(ViewAsWide(path), text);
        DeleteFileW(ViewAsWide(path));
        if (readBack) {
            route = SkinConfigRoute::TemporaryFile;
            return true;
        }
    }
    // The temporary file is only a way to the same bytes; when it cannot be
    // written they are parsed from the resource itself.
    text.assign(static_cast<const char*>(data), size);
    route = SkinConfigRoute::Memory;
    return true;
}

}  // namespace

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768) return std::wstring();
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool ReadSkinConfigText(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                        const wchar_t* resourceType, std::string& text, SkinConfigRoute* route) {
    SkinConfigRoute taken = SkinConfigRoute::None;
    bool ok = false;
    text.clear();
    if (configName && *configName) {
        if (kind == SkinSourceKind::Folder) {
            std::u16string path;
            if (source && JoinSkinPath(ViewAsU16(source), ViewAsU16(configName), path) &&
                ReadWholeFile(ViewAsWide(path), text)) {
                taken = SkinConfigRoute::Folder;
                ok = true;
            }
        } else {
            ok = ReadResourceConfig(kind, source, configName, resourceType, text, taken);
        }
    }
    if (!ok) text.clear();
    if (route) *route = taken;
    return ok;
}

bool ReadPanelSkinConfig(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                         const wchar_t* resourceType, PanelSkinConfig& out, SkinConfigRoute* route) {
    std::string text;
    if (!ReadSkinConfigText(kind, source, configName, resourceType, text, route)) return false;
    return ParsePanelSkinConfig(text, out) == SkinConfigStatus::Ok;
}

bool ReadDialogSkinConfig(SkinSourceKind kind, const wchar_t* source, const wchar_t* configName,
                          const wchar_t* resourceType, DialogSkinConfig& out, SkinConfigRoute* route) {
    std::string text;
    if (!ReadSkinConfigText(kind, source, configName, resourceType, text, route)) return false;
    return ParseDialogSkinConfig(text, out) == SkinConfigStatus::Ok;
}

}  // namespace vimbrel::ui
