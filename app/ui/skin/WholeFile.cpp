#include "WholeFile.h"

#include "winowners/KernelOwners.h"

#include <windows.h>

#include <new>

namespace vimbrel::ui {

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) noexcept {
    bytes.clear();
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || static_cast<uint64_t>(size.QuadPart) > maxBytes ||
        static_cast<uint64_t>(size.QuadPart) > bytes.max_size()) {
        return false;
    }
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        // The address space has no such piece left: this file goes without,
        // the caller carries on.
        return false;
    }
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &got, nullptr)) {
            return false;
        }
        if (got == 0) break;
        total += got;
    }
    bytes.resize(total);
    return true;
}

}  // namespace vimbrel::ui
