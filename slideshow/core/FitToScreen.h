// Where a picture goes on the screen: unscaled and centred when it is
// smaller than the screen both ways, else scaled down to fill the height or
// the width, whichever keeps its aspect ratio. Pictures are never enlarged.
#pragma once

namespace slideshow {

// Screen pixels: origin and size (not left/top/right/bottom).
struct FittedRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const FittedRect& a, const FittedRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// 0 when out is null, the picture has no width or height, or the screen size
// is not positive; else 1 with out filled.
int FitToScreen(int pictureWidth, int pictureHeight, FittedRect* out, int screenWidth, int screenHeight);

}  // namespace slideshow
