// A mask bitmap held as plain pixels, and the window regions cut from it by
// colour.
#pragma once

#include "MaskScan.h"
#include "winowners/GdiOwners.h"

#include <windows.h>
#include <gdiplus.h>

#include <optional>
#include <vector>

namespace vimbrel::ui {

class CSkinMask {
public:
    // Masks shape windows; one larger than this is not a skin's and is
    // refused rather than copied.
    static constexpr long long kMaxPixels = 4096LL * 4096;

    // Copies the pixels of a decoded skin image (exact colours for lossless
    // masks: BMP, GIF, PNG).
    static std::optional<CSkinMask> FromBitmap(Gdiplus::Bitmap& bitmap);
    // Copies a GDI bitmap through a 32-bit DIB section; nothing for a null
    // handle or when the DIB section or a device context cannot be made.
    static std::optional<CSkinMask> FromHBitmap(HBITMAP bitmap);

    int Width() const { return width_; }
    int Height() const { return height_; }
    MaskView View() const;
    Colour At(int x, int y) const { return View().At(x, y); }

    std::vector<Colour> KeyColours(size_t limit) const { return CollectKeyColours(View(), limit); }
    std::vector<Colour> Steps() const { return CollectSteps(View()); }
    // Mode SameColour: every pixel of the colour; OtherColour: every other
    // pixel. Null only when the system refuses a region.
    winowners::UniqueRegion Region(Colour colour, RegionMode mode) const;

private:
    CSkinMask(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height * 4) {}
    static bool SizeAllowed(long long width, long long height) {
        return width > 0 && height > 0 && width * height <= kMaxPixels;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;  // top-down rows of B, G, R, X
};

// A 32-bit bottom-up DIB section (rows of whole DWORDs, no padding); bits
// receives its pixels. dc may be null.
winowners::UniqueBitmap CreateDib32(HDC dc, int width, int height, void** bits);

// The region builder: mode 1 every pixel whose colour differs from colour,
// mode 0 every pixel of exactly that colour. The caller owns the region.
HRGN BitmapToRegion(HBITMAP bitmap, COLORREF colour, int mode);

// One region from blocks of row runs, each block handed to the system on its
// own and OR-ed into the result.
winowners::UniqueRegion RegionFromRuns(const std::vector<RunBlock>& blocks);

}  // namespace vimbrel::ui
