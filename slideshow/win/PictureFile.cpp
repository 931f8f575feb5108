#include "PictureFile.h"

#include "SkinImageLoader.h"
#include "winowners/KernelOwners.h"

#include <vector>

namespace slideshow {

namespace {

// Far beyond any camera picture; keeps a stray huge file from exhausting
// the 32-bit process.
constexpr LONGLONG kMaxPictureBytes = 512LL * 1024 * 1024;

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadPictureFile(const std::u16string& name) {
    if (name.empty()) return nullptr;
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureBytes) {
        return nullptr;
    }
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
        return nullptr;
    }
    // The decoder copies the bytes into its own stream; it is created
    // without embedded colour management.
    return vimbrel::ui::DecodeSkinImage(bytes.data(), bytes.size());
}

}  // namespace slideshow
