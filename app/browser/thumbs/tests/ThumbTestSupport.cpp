#include "ThumbTestSupport.h"

#include "MessagePump.h"

#include <cstdio>
#include <cstdlib>

namespace thumbtest {

bool Near(Rgb a, Rgb b, int tolerance) {
    return abs(a.r - b.r) <= tolerance && abs(a.g - b.g) <= tolerance && abs(a.b - b.b) <= tolerance;
}

std::string Describe(Rgb c) {
    char text[48];
    snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
}

CScratchFolder::CScratchFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t unique[32];
    wsprintfW(unique, L"-%lu", GetCurrentProcessId());
    path_ = std::wstring(temp) + L"vimbrel-" + name + unique;
    if (!path_.empty() && path_.back() == L'\\') path_.pop_back();
    CreateDirectoryW(path_.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder() {
    WIN32_FIND_DATAW found = {};
    const std::wstring pattern = path_ + L"\\*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::wstring file = path_ + L"\\" + found.cFileName;
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

bool CScratchFolder::Write(const wchar_t* name, const std::vector<uint8_t>& bytes) const {
    const std::wstring file = File(name);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

bool CScratchFolder::Remove(const wchar_t* name) const {
    const std::wstring file = File(name);
    if (!DeleteFileW(file.c_str())) return false;
    // A file another handle still holds open (a thumbnail worker reading it)
    // is only marked for deletion and stays in the listing until that handle
    // closes; wait for the name to leave the folder.
    for (int waited = 0; waited < 10000; waited += 10) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(file.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return true;
        FindClose(search);
        Sleep(10);
    }
    return false;
}

bool CScratchFolder::Rename(const wchar_t* from, const wchar_t* to) const {
    return MoveFileW(File(from).c_str(), File(to).c_str()) != 0;
}

std::vector<uint8_t> SolidBmp(int width, int height, Rgb colour) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> b(54 + pixelBytes, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        b[at] = v & 0xFF;
        b[at + 1] = (v >> 8) & 0xFF;
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, pixelBytes);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &b[54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            p[0] = static_cast<uint8_t>(colour.b);
            p[1] = static_cast<uint8_t>(colour.g);
            p[2] = static_cast<uint8_t>(colour.r);
        }
    }
    return b;
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    const DWORD size = GetFileSize(h, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(h, bytes.data(), size, &got, nullptr)) got = 0;
    bytes.resize(got);
    CloseHandle(h);
    return bytes;
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

CCanvas::CCanvas(int width, int height, Rgb fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    const uint32_t value = (static_cast<uint32_t>(fill.r) << 16) | (fill.g << 8) | fill.b;
    for (int i = 0; bits_ && i < width * height; ++i) bits_[i] = value;
}

CCanvas::~CCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Rgb CCanvas::At(int x, int y) const {
    GdiFlush();
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{-1, -1, -1};
    const uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
    return Rgb{static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)};
}

Rgb PixelOf(HDC dc, int x, int y) {
    CCanvas one(1, 1, Rgb{1, 2, 3});
    BitBlt(one.Dc(), 0, 0, 1, 1, dc, x, y, SRCCOPY);
    return one.At(0, 0);
}

namespace {
const wchar_t* LogClass() {
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ThumbTestMessageLog";
        atom = RegisterClassW(&wc);
    }
    return L"ThumbTestMessageLog";
}
}  // namespace

CMessageLog::CMessageLog() {
    hwnd_ = CreateWindowExW(0, LogClass(), L"log", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CMessageLog::Proc));
}

CMessageLog::~CMessageLog() { DestroyWindow(hwnd_); }

LRESULT CALLBACK CMessageLog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CMessageLog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message >= WM_USER) self->seen_.emplace_back(message, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool CMessageLog::WaitFor(UINT message, size_t count, DWORD timeoutMs) {
    return testbench::PumpUntil([&] { return Count(message) >= count; }, timeoutMs);
}

size_t CMessageLog::Count(UINT message) const {
    size_t n = 0;
    for (const auto& m : seen_) n += m.first == message;
    return n;
}

std::vector<LPARAM> CMessageLog::Params(UINT message) const {
    std::vector<LPARAM> out;
    for (const auto& m : seen_) {
        if (m.first == message) out.push_back(m.second);
    }
    return out;
}

}  // namespace thumbtest
