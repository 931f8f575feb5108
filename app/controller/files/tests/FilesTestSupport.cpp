#include "FilesTestSupport.h"

#include <fstream>
#include <iterator>

namespace vimbrel::controller::testing {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

CScratchFolder::CScratchFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name + L"_" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder() { RemoveTree(path_); }

void CScratchFolder::Touch(const std::wstring& name, const std::string& content) const {
    std::ofstream out(File(name).c_str(), std::ios::binary);
    out << content;
}

bool FileExistsW(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteSolidBmp(const std::wstring& path, int width, int height, COLORREF colour) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string pixels(info.biSizeImage, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = static_cast<char>(GetBValue(colour));
            p[1] = static_cast<char>(GetGValue(colour));
            p[2] = static_cast<char>(GetRValue(colour));
        }
    }
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out << pixels;
}

bool CListSelection::GetCurrentFile(std::u16string& path, int& kind) {
    if (items_.empty()) return false;
    path.assign(items_[0].path.begin(), items_[0].path.end());
    kind = items_[0].kind;
    return true;
}

bool CListSelection::GetSelectedFile(int& index, std::u16string& path, int& kind) {
    if (index == -1) {
        index = static_cast<int>(items_.size());
        return true;
    }
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    path.assign(items_[index].path.begin(), items_[index].path.end());
    kind = items_[index].kind;
    return true;
}

}  // namespace vimbrel::controller::testing
