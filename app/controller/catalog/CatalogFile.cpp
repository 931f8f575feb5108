#include "CatalogFile.h"

#include "winowners/KernelOwners.h"

namespace vimbrel::controller {
namespace {

// The catalogue is a few kilobytes; a file far larger is not ours.
constexpr LONGLONG kLargestFile = 1024 * 1024;

}  // namespace

std::optional<std::string_view> FindResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC resource = FindResourceW(module, name, type);
    if (resource == nullptr) return std::nullopt;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0) return std::nullopt;
    return std::string_view(static_cast<const char*>(data), size);
}

bool WriteTemporaryFile(const std::wstring& path, std::string_view bytes) {
    winowners::UniqueHandle file = winowners::UniqueHandle(CreateFileW(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<std::string> ReadSmallFile(const std::wstring& path) {
    winowners::UniqueHandle file = winowners::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace vimbrel::controller
