// What is on the screen, read back for the screen tests: a rectangle of the
// display as 32-bit pixels. Tests assert on these pixels; the gallery keeps
// them as PNG files for a person to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vimbrel::screentest {

class CScreenPicture {
public:
    // The rectangle of the screen, as it is now.
    static CScreenPicture Of(const RECT& screen);
    // A window's whole rectangle, or a part of its client area.
    static CScreenPicture OfWindow(HWND window);
    static CScreenPicture OfClient(HWND window, const RECT& client);
    // One of the program's own pictures (resource name and type, as
    // vimbrel.exe beside the tests carries it), decoded as it draws it;
    // empty when it is missing.
    static CScreenPicture OfProgramPicture(const wchar_t* name, const wchar_t* type);

    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Where the picture was taken, in screen coordinates.
    const RECT& Area() const { return area_; }
    // The colour at (x, y) from the picture's own top-left corner;
    // CLR_INVALID outside.
    COLORREF At(int x, int y) const;
    // Pixels of the picture (or of part, picture coordinates) that pass.
    int Count(const std::function<bool(COLORREF)>& test) const;
    int Count(const RECT& part, const std::function<bool(COLORREF)>& test) const;
    // Pixels whose channels differ by more than tolerance from other's.
    // Pictures of different sizes, or an empty one, cannot be compared:
    // the running test fails and the answer is -1, which no expectation
    // on a count accepts by chance.
    int CountDifferent(const CScreenPicture& other, int tolerance) const;

    // Keeps the picture as <build>/artifacts/screens/<name>.png.
    bool SaveToGallery(const std::wstring& name) const;

private:
    RECT area_{};
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// Colour tests the screen checks share.
bool Near(COLORREF a, COLORREF b, int tolerance);

// Keeps the whole screen in the gallery (every window and popup on it).
bool SaveScreenToGallery(const std::wstring& name);

}  // namespace vimbrel::screentest
