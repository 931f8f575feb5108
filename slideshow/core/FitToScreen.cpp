#include "FitToScreen.h"

namespace slideshow {

int FitToScreen(int w, int h, FittedRect* out, int screenWidth, int screenHeight) {
    // A negative size is no picture either, and a screen of no size would
    // divide by zero below.
    if (!out || w <= 0 || h <= 0 || screenWidth <= 0 || screenHeight <= 0) return 0;
    const int W = screenWidth;
    const int H = screenHeight;
    if (w < W && h < H) {
        *out = FittedRect{(W - w) / 2, (H - h) / 2, w, h};
        return 1;
    }
    // The picture's ratio in extended precision against the screen's in
    // single precision: a 4:3 picture on a 4:3 screen then fills the height
    // and comes out exactly screen-wide.
    const long double ratio = static_cast<long double>(w) / static_cast<long double>(h);
    const float screenRatio = static_cast<float>(W) / static_cast<float>(H);
    if (ratio < static_cast<long double>(screenRatio)) {
        const int width = static_cast<int>(static_cast<long double>(H) * ratio);
        *out = FittedRect{(W - width) / 2, 0, width, H};
    } else {
        const int height = static_cast<int>(static_cast<long double>(W) / ratio);
        *out = FittedRect{0, (H - height) / 2, W, height};
    }
    return 1;
}

}  // namespace slideshow
