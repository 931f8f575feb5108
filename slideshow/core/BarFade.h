// The control bar's fade with the mouse, ticked every 100 ms: the bar and
// the cursor vanish when the mouse has rested outside the bar for about
// three seconds, and come back at the first movement.
#pragma once

#include <vector>

namespace slideshow {

struct BarPoint {
    int x = 0;
    int y = 0;
};
inline bool operator==(const BarPoint& a, const BarPoint& b) { return a.x == b.x && a.y == b.y; }

// Left/top inclusive, right/bottom exclusive, as a window rectangle.
struct BarRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(const BarPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// What one tick asks of the window.
struct BarFadeTick {
    bool hideCursor = false;
    bool showCursor = false;
    // The alphas to apply one after the other, a short sleep after each.
    std::vector<int> alphaSteps;
};

class CBarFade {
public:
    static constexpr int kStartAlpha = 179;
    static constexpr int kStillTicks = 30;
    static constexpr int kFadeOutStep = 10;
    static constexpr int kFadeInStep = 30;

    BarFadeTick Tick(const BarPoint& cursor, const BarRect& bar);

    int Alpha() const { return alpha_; }
    bool CursorShown() const { return cursorShown_; }
    int StillCount() const { return stillCount_; }

private:
    int alpha_ = kStartAlpha;
    bool cursorShown_ = true;
    BarPoint last_{};
    int stillCount_ = kStillTicks;
};

}  // namespace slideshow
