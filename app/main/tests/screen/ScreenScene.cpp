#include "ScreenScene.h"

#include <cmath>
#include <sstream>

namespace vimbrel::screentest {

namespace {

constexpr COLORREF kBars[8] = {RGB(192, 192, 192), RGB(192, 192, 0), RGB(0, 192, 192), RGB(0, 192, 0),
                               RGB(192, 0, 192),   RGB(192, 0, 0),   RGB(0, 0, 192),   RGB(0, 0, 0)};

}  // namespace

std::string SceneFaults(const CScreenPicture& shown, double zoom, bool mirrored) {
    std::ostringstream faults;
    const int w = shown.Width(), h = shown.Height();
    if (w < 100 || h < 100) return "no picture";
    const int barRow = h * 3 / 8;
    for (int k = 0; k < 16; ++k) {
        const double u = (k + 0.5) / 16.0;
        const double source = 0.5 + (u - 0.5) / zoom;
        const double inBar = source * 8.0 - std::floor(source * 8.0);
        if (inBar < 0.15 || inBar > 0.85) continue;  // too near a bar's edge
        const int bar = static_cast<int>(source * 8.0);
        const int x = static_cast<int>((mirrored ? 1.0 - u : u) * w);
        if (!Near(shown.At(x, barRow), kBars[bar], 24)) faults << "bar " << bar << " not at column " << x << "; ";
    }
    if (zoom == 1.0) {
        const int rampRow = h * 7 / 8;
        const int dark = mirrored ? w - 3 : 2, bright = mirrored ? 2 : w - 3;
        if (GetRValue(shown.At(dark, rampRow)) > 30) faults << "no dark end of the ramp at " << dark << "; ";
        if (GetRValue(shown.At(bright, rampRow)) < 200) faults << "no bright end of the ramp at " << bright << "; ";
    }
    for (int y : {2, barRow, h - 3}) {
        for (int x : {1, w - 2}) {
            if (Near(shown.At(x, y), kSkinFace, 6)) faults << "face colour at " << x << "," << y << "; ";
        }
    }
    return faults.str();
}

}  // namespace vimbrel::screentest
