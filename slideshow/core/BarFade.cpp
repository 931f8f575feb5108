#include "BarFade.h"

namespace slideshow {

BarFadeTick CBarFade::Tick(const BarPoint& cursor, const BarRect& bar) {
    BarFadeTick tick;
    const bool moved = !(cursor == last_);
    if (!moved && stillCount_ == 0 && !bar.Contains(cursor)) {
        if (cursorShown_) {
            tick.hideCursor = true;
            cursorShown_ = false;
        }
        while (alpha_ > 0) {
            alpha_ = alpha_ > kFadeOutStep ? alpha_ - kFadeOutStep : 0;
            tick.alphaSteps.push_back(alpha_);
        }
        return tick;
    }
    if (!cursorShown_) {
        tick.showCursor = true;
        cursorShown_ = true;
    }
    if (moved) stillCount_ = kStillTicks;
    if (stillCount_ > 0) --stillCount_;
    while (alpha_ < 255) {
        alpha_ = alpha_ < 255 - kFadeInStep ? alpha_ + kFadeInStep : 255;
        tick.alphaSteps.push_back(alpha_);
    }
    last_ = cursor;
    return tick;
}

}  // namespace slideshow
