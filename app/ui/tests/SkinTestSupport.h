// Helpers shared by the skin's Windows tests.
#pragma once

#include "SkinMask.h"

#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <string>

namespace skintest {

// Every pixel of the mask lies in the region exactly when want(colour) holds.
template <typename Want>
::testing::AssertionResult RegionMatchesMask(HRGN region, const vimbrel::ui::CSkinMask& mask, Want want) {
    if (!region) return ::testing::AssertionFailure() << "no region";
    int wrong = 0;
    std::string first;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            bool inside = PtInRegion(region, x, y) != FALSE;
            if (inside != want(mask.At(x, y))) {
                if (wrong++ == 0) {
                    first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                            (inside ? "inside" : "outside");
                }
            }
        }
    }
    // Nothing beyond the picture either.
    RECT box{};
    GetRgnBox(region, &box);
    if (box.left < 0 || box.top < 0 || box.right > mask.Width() || box.bottom > mask.Height()) {
        return ::testing::AssertionFailure() << "region reaches outside the mask";
    }
    if (wrong) return ::testing::AssertionFailure() << wrong << " pixels wrong, first " << first;
    return ::testing::AssertionSuccess();
}

inline bool SaveAsPng(Gdiplus::Bitmap& bitmap, const wchar_t* path) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::string buffer(bytes, '\0');
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(&buffer[0]);
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            return bitmap.Save(path, &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    return false;
}

// A folder of our own under the system's temporary folder, removed with
// its files when the object goes.
class CScratchFolder {
public:
    explicit CScratchFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~CScratchFolder() {
        WIN32_FIND_DATAW found{};
        HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") DeleteFileW((path_ + L"\\" + name).c_str());
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }
    std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring result = folder;
    if (!result.empty() && result.back() == L'\\') result.pop_back();
    return result;
}

}  // namespace skintest
