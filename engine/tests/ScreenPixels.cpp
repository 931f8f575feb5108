#include "engine/tests/ScreenPixels.h"

#include "engine/tests/TopDownDib.h"

#include "winowners/GdiOwners.h"

#include <cstdlib>
#include <sstream>

namespace enginetest {

CScreenPixels::CScreenPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    const BITMAPINFO info = TopDownDibInfo(width_, height_, 32);
    const auto screen = winowners::GetDCOwner(nullptr);
    const winowners::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    const winowners::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) {
        const auto selected = winowners::SelectObjectOwner(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const auto* words = static_cast<const DWORD*>(bits);
        pixels_.assign(words, words + static_cast<size_t>(width_) * height_);
    }
}

benchscene::Rgb CScreenPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return {0, 0, 0};
    const DWORD word = pixels_[static_cast<size_t>(y) * width_ + x];
    return {static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
}

HWND CreateFacedWindow(HWND parent, int x, int y, int width, int height) {
    static const wchar_t kClassName[] = L"VimbrelFacedWindow";
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        // Lives as long as the class, that is the process.
        windowClass.hbrBackground = CreateSolidBrush(RGB(kFaceColour.r, kFaceColour.g, kFaceColour.b));
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    const DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN;
    return CreateWindowW(kClassName, L"", style, x, y, width, height, parent, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

bool NearColour(benchscene::Rgb a, benchscene::Rgb b) {
    return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 && std::abs(a.b - b.b) <= 12;
}

namespace {

std::string Describe(benchscene::Rgb colour) {
    std::ostringstream text;
    text << int(colour.r) << "," << int(colour.g) << "," << int(colour.b);
    return text.str();
}

}  // namespace

::testing::AssertionResult SceneFillsWindow(HWND window, bool mirrored) {
    const CScreenPixels shot(window);
    const int width = shot.Width();
    const int height = shot.Height();
    if (width < 16 || height < 16) return ::testing::AssertionFailure() << "window of " << width << " x " << height;
    std::ostringstream faults;
    // Bar b spans an eighth of the width; its middle column is at (2b + 1) / 16.
    const int barRow = height * 3 / 8;
    for (int bar = 0; bar < 8; ++bar) {
        const int x = (2 * bar + 1) * width / 16;
        const int shown = mirrored ? 7 - bar : bar;
        const benchscene::Rgb want = benchscene::BackgroundPixel(16, 16, 2 * shown + 1, 0);
        if (!NearColour(want, shot.At(x, barRow)))
            faults << " bar " << shown << " at column " << x << " is " << Describe(shot.At(x, barRow)) << ";";
    }
    const int rampRow = height * 7 / 8;
    const int darkX = mirrored ? width - 3 : 2;
    const int brightX = mirrored ? 2 : width - 3;
    if (shot.At(darkX, rampRow).r > 24)
        faults << " ramp's dark end at column " << darkX << " is " << Describe(shot.At(darkX, rampRow)) << ";";
    if (shot.At(brightX, rampRow).r < 231)
        faults << " ramp's bright end at column " << brightX << " is " << Describe(shot.At(brightX, rampRow)) << ";";
    for (int y : {2, barRow, height - 3}) {
        for (int x : {1, width - 2}) {
            if (NearColour(kFaceColour, shot.At(x, y))) faults << " face colour at " << x << "," << y << ";";
        }
    }
    if (faults.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the scene does not fill the window:" << faults.str();
}

}  // namespace enginetest
