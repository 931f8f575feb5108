// Helpers for drawing tests: GDI+ for the whole test program, solid and
// split pictures, pixel reads from a memory "screen", BMP files on disk and
// a scratch folder.
#pragma once

#include "DibBuffer.h"
#include "ScreenBuffers.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace slidetest {

// The colours the drawing tests paint with, as 0xRRGGBB.
constexpr unsigned kRed = 0xFF0000;
constexpr unsigned kGreen = 0x00FF00;
constexpr unsigned kBlue = 0x0000FF;
constexpr unsigned kBlack = 0x000000;
constexpr unsigned kWhite = 0xFFFFFF;

// A picture of one colour (0xRRGGBB).
std::unique_ptr<Gdiplus::Bitmap> SolidPicture(int width, int height, unsigned rgb);
// Left half one colour, right half another.
std::unique_ptr<Gdiplus::Bitmap> SplitPicture(int width, int height, unsigned leftRgb, unsigned rightRgb);

// The pixel at (x, y) as 0xRRGGBB (what GDI last drew is flushed first).
unsigned PixelAt(const slideshow::CDibBuffer& buffer, int x, int y);
// Every pixel of the rectangle is the colour.
bool AreaIs(const slideshow::CDibBuffer& buffer, int x, int y, int width, int height, unsigned rgb);
// Each channel within the tolerance.
bool Near(unsigned rgb, unsigned expected, int tolerance);
// Fills the whole buffer with a colour.
void Paint(const slideshow::CDibBuffer& buffer, unsigned rgb);

// A 24-bit BMP file of one colour; false when it cannot be written.
bool WriteSolidBmp(const std::wstring& path, int width, int height, unsigned rgb);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

// A memory "screen" of the given size with the player's buffers over it,
// and a manual-reset event to cut transitions short.
struct CMemoryScreen {
    CMemoryScreen(int width, int height);
    ~CMemoryScreen();
    CMemoryScreen(const CMemoryScreen&) = delete;
    CMemoryScreen& operator=(const CMemoryScreen&) = delete;
    bool Ok() const { return screen && buffers && event; }

    std::unique_ptr<slideshow::CDibBuffer> screen;
    std::unique_ptr<slideshow::CScreenBuffers> buffers;
    HANDLE event = nullptr;
};

// A fresh empty folder under the temporary folder, removed with its files
// (not its subfolders' contents beyond one level) when the object goes; the
// current directory is put back too.
class CScratchFolder {
public:
    explicit CScratchFolder(const wchar_t* name);
    ~CScratchFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
    std::wstring previousDirectory_;
};

}  // namespace slidetest
