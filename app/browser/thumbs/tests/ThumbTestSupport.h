// Helpers for the cache and browser tests under Wine: a scratch folder per
// test, picture files in plain colours, a window that records what the
// cache posts and sends, and pixel reads from device contexts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace thumbtest {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Within `tolerance` on every channel (JPEG round trips move colours a bit).
bool Near(Rgb a, Rgb b, int tolerance = 12);
std::string Describe(Rgb c);

// A fresh folder under the temporary folder, removed with its files.
class CScratchFolder {
public:
    explicit CScratchFolder(const wchar_t* name);
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }
    bool Write(const wchar_t* name, const std::vector<uint8_t>& bytes) const;
    bool Remove(const wchar_t* name) const;
    bool Rename(const wchar_t* from, const wchar_t* to) const;

private:
    std::wstring path_;
};

// A 24-bit BMP file of one colour.
std::vector<uint8_t> SolidBmp(int width, int height, Rgb colour);
std::vector<uint8_t> FileBytes(const std::wstring& path);
DWORD Attributes(const std::wstring& path);

// A top-down 32-bit DIB section in a memory DC, filled with one colour.
class CCanvas {
public:
    CCanvas(int width, int height, Rgb fill);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;
    HDC Dc() const { return dc_; }
    Rgb At(int x, int y) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Pixel (x, y) of any DC, through a copy into a canvas.
Rgb PixelOf(HDC dc, int x, int y);

// A top-level window that records the messages the cache sends it.
class CMessageLog {
public:
    CMessageLog();
    ~CMessageLog();
    CMessageLog(const CMessageLog&) = delete;
    CMessageLog& operator=(const CMessageLog&) = delete;
    HWND Handle() const { return hwnd_; }
    // Pumps messages until `message` arrived `count` times or the time is up.
    bool WaitFor(UINT message, size_t count, DWORD timeoutMs);
    size_t Count(UINT message) const;
    std::vector<LPARAM> Params(UINT message) const;
    void Clear() { seen_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<std::pair<UINT, LPARAM>> seen_;
};

}  // namespace thumbtest
