#include "PictureFile.h"

#include "SkinImageLoader.h"
#include "WholeFile.h"

#include <cstdint>
#include <vector>

namespace slideshow {

std::unique_ptr<Gdiplus::Bitmap> LoadPictureFile(const std::u16string& name) {
    if (name.empty()) return nullptr;
    // Read under the program's picture cap: a stray huge file is skipped
    // rather than taken whole into the 32-bit process.
    std::vector<uint8_t> bytes;
    const std::wstring path(name.begin(), name.end());
    if (!vimbrel::ui::ReadWholeFile(path, bytes, vimbrel::ui::kMaxPictureBytes) || bytes.empty()) return nullptr;
    // The decoder copies the bytes into its own stream; it is created
    // without embedded colour management.
    return vimbrel::ui::DecodeSkinImage(bytes.data(), bytes.size());
}

}  // namespace slideshow
