#include "InstallSandbox.h"

#include <algorithm>

namespace shortcuttertest {

namespace {

const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMakerKey[] = "SOFTWARE\\Zavu";

std::optional<std::string> ReadText(const char* key, const char* value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(buffer);
}

LSTATUS DeleteValue(const char* key, const char* value) {
    HKEY opened = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &opened);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueA(opened, value);
        RegCloseKey(opened);
    }
    return status;
}

bool WriteValue(const std::string& key, const char* value, DWORD type, const void* data, DWORD size) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool written = RegSetValueExA(opened, value, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return written;
}

bool WriteText(const std::string& key, const char* value, const std::string& text) {
    return WriteValue(key, value, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

CInstallSandbox::CInstallSandbox() {
    char temp[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, temp) == 0) {
        return;
    }
    root_ = std::string(temp) + "vimbrel-shortcutter-" + std::to_string(GetCurrentProcessId());
    desktop_ = root_ + "\\Desktop";
    programs_ = root_ + "\\Programs";
    RemoveTree(root_);
    ready_ = CreateDirectoryA(root_.c_str(), nullptr) && CreateDirectoryA(desktop_.c_str(), nullptr) &&
             CreateDirectoryA(programs_.c_str(), nullptr) && SetShellFolder("Common Desktop", desktop_) &&
             SetShellFolder("Common Programs", programs_);
}

CInstallSandbox::~CInstallSandbox() {
    for (const SavedValue& saved : savedShellFolders_) {
        if (saved.text) {
            WriteText(kShellFolders, saved.name.c_str(), *saved.text);
        } else {
            DeleteValue(kShellFolders, saved.name.c_str());
        }
    }
    for (const std::string& product : productKeys_) {
        if (product.empty()) {
            // The maker's own key is shared: only the test's value goes.
            DeleteValue(kMakerKey, "Path");
        } else {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kMakerKey) + "\\" + product).c_str());
        }
    }
    RemoveTree(root_);
}

bool CInstallSandbox::RememberShellFolder(const char* valueName) {
    const bool known = std::any_of(savedShellFolders_.begin(), savedShellFolders_.end(),
                                   [&](const SavedValue& saved) { return saved.name == valueName; });
    if (!known) {
        savedShellFolders_.push_back({valueName, ReadText(kShellFolders, valueName)});
    }
    return true;
}

bool CInstallSandbox::SetShellFolder(const char* valueName, const std::string& folder) {
    return RememberShellFolder(valueName) && WriteText(kShellFolders, valueName, folder);
}

bool CInstallSandbox::RemoveShellFolder(const char* valueName) {
    RememberShellFolder(valueName);
    const LSTATUS status = DeleteValue(kShellFolders, valueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool CInstallSandbox::SetProgramPath(const std::string& product, const std::string& path) {
    return SetProgramValue(product, REG_SZ, path.c_str(), static_cast<DWORD>(path.size() + 1));
}

bool CInstallSandbox::SetProgramValue(const std::string& product, DWORD type, const void* data, DWORD size) {
    if (std::find(productKeys_.begin(), productKeys_.end(), product) == productKeys_.end()) {
        productKeys_.push_back(product);
    }
    const std::string key = product.empty() ? kMakerKey : std::string(kMakerKey) + "\\" + product;
    return WriteValue(key, "Path", type, data, size);
}

std::string CInstallSandbox::MakeProgram(const std::string& fileName) {
    const std::string folder = root_ + "\\Program";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + fileName;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    return path;
}

}  // namespace shortcuttertest
