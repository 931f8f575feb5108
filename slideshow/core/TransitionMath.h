// The numbers behind the transitions: blend weights per step, the pan's
// travel over a large picture and the zoom back out to the whole picture.
#pragma once

#include "FitToScreen.h"

namespace slideshow {

constexpr int kCrossFadeSteps = 20;
constexpr int kPanSteps = 100;
constexpr int kPanFadeInBlends = 10;
constexpr int kZoomOutFrames = 21;

// The new picture's weight (0..255) in cross-fade step 0..18; step 19 shows
// the new picture alone (255). A quarter sine, so the fade starts quickly
// and settles gently.
int CrossFadeAlpha(int step);

// The weight of the k-th (0..9) fade-in blend at the start of a pan.
int PanFadeInAlpha(int k);

// One view of the pan: which part of the picture (source) goes where on the
// screen (destination), and whether black bands are needed beside or
// above and below a picture narrower or lower than the screen.
struct PanView {
    int destX = 0;
    int destY = 0;
    int width = 0;
    int height = 0;
    int sourceX = 0;
    int sourceY = 0;
    bool sideBands = false;       // (W - w) / 2 wide, left at 0 and right at (W + w) / 2
    bool topBottomBands = false;  // (H - h) / 2 high, top at 0 and bottom at (H + h) / 2
};

// The view of pan step 0..99 over a picture of w x h on a W x H screen: the
// horizontal travel follows the square of a quarter sine, the vertical the
// sine itself.
PanView PanViewAt(int step, int w, int h, int W, int H);

// The picture is smaller than the screen both ways: the pan has nowhere to
// travel and ends after its fade-in.
inline bool PanHasNoTravel(int w, int h, int W, int H) { return w < W && h < H; }

// Zoom-out frame k (0..20): the part of the picture between the last pan view
// (sourceX, sourceY, W, H) at k = 0 and the whole picture at k = 20.
FittedRect ZoomOutSource(int k, int sourceX, int sourceY, int w, int h, int W, int H);

// The part of a source rectangle that lies on a w x h picture. While the
// picture is narrower (or lower) than the screen, the zoom's first frames
// reach past its edge; drawing only what exists keeps the picture where the
// pan left it instead of asking the decoder for pixels it does not have.
FittedRect ClipToPicture(const FittedRect& source, int w, int h);

}  // namespace slideshow
