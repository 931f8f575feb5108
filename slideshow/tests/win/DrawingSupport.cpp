#include "DrawingSupport.h"

#include "GdiplusSession.h"

#include <cstdlib>
#include <vector>

namespace slidetest {

namespace {

// GDI+ for the whole test program.
vimbrel::ui::CGdiplusSession g_gdiplus;

Gdiplus::Color Opaque(unsigned rgb) { return Gdiplus::Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> SplitPicture(int width, int height, unsigned leftRgb, unsigned rightRgb) {
    auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppRGB);
    Gdiplus::Graphics graphics(picture.get());
    Gdiplus::SolidBrush left(Opaque(leftRgb));
    Gdiplus::SolidBrush right(Opaque(rightRgb));
    graphics.FillRectangle(&left, 0, 0, width / 2, height);
    graphics.FillRectangle(&right, width / 2, 0, width - width / 2, height);
    return picture;
}

std::unique_ptr<Gdiplus::Bitmap> SolidPicture(int width, int height, unsigned rgb) {
    return SplitPicture(width, height, rgb, rgb);
}

unsigned PixelAt(const slideshow::CDibBuffer& buffer, int x, int y) {
    GdiFlush();
    const std::uint8_t* pixel = buffer.PlaneAt(x, y).bits;
    return (unsigned{pixel[2]} << 16) | (unsigned{pixel[1]} << 8) | pixel[0];
}

bool AreaIs(const slideshow::CDibBuffer& buffer, int x, int y, int width, int height, unsigned rgb) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            if (PixelAt(buffer, column, row) != rgb) return false;
        }
    }
    return true;
}

bool Near(unsigned rgb, unsigned expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((rgb >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

void Paint(const slideshow::CDibBuffer& buffer, unsigned rgb) {
    HBRUSH brush = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    RECT all{0, 0, buffer.Width(), buffer.Height()};
    FillRect(buffer.Dc(), &all, brush);
    DeleteObject(brush);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool WriteSolidBmp(const std::wstring& path, int width, int height, unsigned rgb) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
        row[x * 3 + 0] = static_cast<char>(rgb & 0xFF);
        row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
        row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
    for (int y = 0; y < height; ++y) bytes += row;
    return WriteBytes(path, bytes);
}

CMemoryScreen::CMemoryScreen(int width, int height)
    : screen(slideshow::CDibBuffer::Create(nullptr, width, height)),
      buffers(screen ? slideshow::CScreenBuffers::ForTarget(screen->Dc(), width, height) : nullptr),
      event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CMemoryScreen::~CMemoryScreen() {
    if (event) CloseHandle(event);
}

CScratchFolder::CScratchFolder(const wchar_t* name) {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    previousDirectory_ = buffer;
    GetTempPathW(MAX_PATH, buffer);
    path_ = std::wstring(buffer) + name;
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder() {
    SetCurrentDirectoryW(previousDirectory_.c_str());
    RemoveTree(path_);
}

}  // namespace slidetest
