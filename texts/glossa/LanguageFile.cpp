#include "LanguageFile.h"

#include <cwchar>
#include <vector>

#include "LanguageLookup.h"
#include "ProfileText.h"
#include "winowners/KernelOwners.h"

namespace vimbrel::texts {
namespace {

// A language file is a few dozen kilobytes; anything far larger is not one.
constexpr LONGLONG kLargestFile = 16 * 1024 * 1024;

// Readers share with each other and with an installer that rewrites the
// file; a program holding the file without sharing makes the open fail,
// which is the answer we want then.
HANDLE OpenForReading(const wchar_t* path) {
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const wchar_t* path) {
    winowners::UniqueHandle file(OpenForReading(path));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile) return std::nullopt;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

std::u16string DecodeWithCodePage(const char* bytes, std::size_t count) {
    if (count == 0 || count > static_cast<std::size_t>(kLargestFile)) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), nullptr, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), wide.data(), length);
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace

int CLanguageFile::SetPath(const wchar_t* path) {
    if (path == nullptr || path[0] == L'\0') return 0;
    // A path that does not fit the buffer is refused rather than cut.
    if (wcsnlen(path, kPathCapacity) >= kPathCapacity) return 0;
    // Kept absolute: the profile rules would look a bare file name up in
    // the Windows folder, and the current folder may change later anyway.
    wchar_t full[kPathCapacity];
    DWORD length = GetFullPathNameW(path, kPathCapacity, full, nullptr);
    if (length == 0 || length >= kPathCapacity) return 0;
    winowners::UniqueHandle file(OpenForReading(full));
    if (!file) return 0;
    wmemcpy(path_, full, length + 1);
    return 1;
}

std::optional<std::u16string> CLanguageFile::Lookup(const wchar_t* key) const {
    if (key == nullptr || path_[0] == L'\0') return std::nullopt;
    std::optional<std::vector<unsigned char>> bytes = ReadWholeFile(path_);
    if (!bytes) return std::nullopt;
    CProfileText profile(DecodeProfileBytes(bytes->data(), bytes->size(), &DecodeWithCodePage));
    std::u16string wantedKey(key, key + wcslen(key));
    return LookupLanguageText(profile, GetUserDefaultUILanguage(), wantedKey);
}

}  // namespace vimbrel::texts
