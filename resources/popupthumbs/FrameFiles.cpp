#include "FrameFiles.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <memory>

namespace vimbrel::thumbs {
namespace {

struct CFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, CFileCloser>;

RgbaPicture Decode(const std::wstring& path) {
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok) return {};
    const int width = static_cast<int>(bitmap.GetWidth()), height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (width <= 0 || height <= 0 ||
        bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return {};
    RgbaPicture picture = MakePicture(width, height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgra = row + x * 4;
            uint8_t* rgba = picture.At(x, y);
            rgba[0] = bgra[2];
            rgba[1] = bgra[1];
            rgba[2] = bgra[0];
            rgba[3] = bgra[3];
        }
    }
    bitmap.UnlockBits(&data);
    return picture;
}

}  // namespace

std::vector<RgbaPicture> LoadPhotoPictures(const std::wstring& folder, const wchar_t* name,
                                           std::vector<std::wstring>& missing) {
    std::vector<RgbaPicture> pictures;
    for (int number = 1; number < kCells; ++number) {
        const std::wstring path = folder + L"\\" + name + std::to_wstring(number) + L".png";
        pictures.push_back(Decode(path));
        if (pictures.back().width == 0) missing.push_back(path);
    }
    return pictures;
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes) {
    UniqueFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) return false;
    bytes.clear();
    uint8_t buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    return std::ferror(file.get()) == 0;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(_wfopen(path.c_str(), L"wb"));
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace vimbrel::thumbs
