#include "TransitionMath.h"

#include <algorithm>
#include <cmath>

namespace slideshow {

namespace {

// The step factors are single-precision constants (1.57075 as the show has
// always used, not pi/2); the products and the sine run in double, so that
// 32-bit and 64-bit builds agree.
constexpr float kQuarterTurn = 1.57075f;
constexpr float kFadeStep = 0.05f;
constexpr float kPanStep = 0.01f;

double StepAngle(int step, float factor) {
    return static_cast<double>(step + 1) * static_cast<double>(factor) * static_cast<double>(kQuarterTurn);
}

}  // namespace

int CrossFadeAlpha(int step) {
    if (step >= kCrossFadeSteps - 1) return 255;
    if (step < 0) return 0;
    return static_cast<int>(std::sin(StepAngle(step, kFadeStep)) * 255.0);
}

int PanFadeInAlpha(int k) { return static_cast<int>(k * 25.5); }

namespace {

struct AxisSpan {
    int dest;
    int length;
    int source;
    bool bands;
};

// One direction of a pan view: a picture side shorter than the screen is
// centred between bands; a longer one travels (length - screen) x sine,
// times the sine once more for the squared travel, left to right as the
// show has always multiplied.
AxisSpan SpanAlong(int picture, int screen, double sine, bool squared) {
    if (picture < screen) return AxisSpan{(screen - picture) / 2, picture, 0, true};
    double travel = static_cast<double>(picture - screen) * sine;
    if (squared) travel *= sine;
    return AxisSpan{0, screen, static_cast<int>(travel), false};
}

}  // namespace

PanView PanViewAt(int step, int w, int h, int W, int H) {
    const double sine = std::sin(StepAngle(step, kPanStep));
    const AxisSpan across = SpanAlong(w, W, sine, true);
    const AxisSpan down = SpanAlong(h, H, sine, false);
    PanView view;
    view.destX = across.dest;
    view.width = across.length;
    view.sourceX = across.source;
    view.sideBands = across.bands;
    view.destY = down.dest;
    view.height = down.length;
    view.sourceY = down.source;
    view.topBottomBands = down.bands;
    return view;
}

FittedRect ZoomOutSource(int k, int sourceX, int sourceY, int w, int h, int W, int H) {
    const int rest = kZoomOutFrames - 1 - k;   // 20 - k
    constexpr int whole = kZoomOutFrames - 1;  // 20
    // 64-bit products: a 12-megapixel picture times 20 is still far from
    // overflowing, but nothing here should depend on that.
    auto mix = [](long long a, long long b) { return static_cast<int>((a + b) / whole); };
    FittedRect source;
    source.x = mix(static_cast<long long>(sourceX) * rest, 0);
    source.y = mix(static_cast<long long>(sourceY) * rest, 0);
    source.width = mix(static_cast<long long>(k) * w, static_cast<long long>(W) * rest);
    source.height = mix(static_cast<long long>(H) * rest, static_cast<long long>(k) * h);
    return source;
}

FittedRect ClipToPicture(const FittedRect& source, int w, int h) {
    const int left = std::max(source.x, 0);
    const int top = std::max(source.y, 0);
    const int right = std::min(source.x + source.width, w);
    const int bottom = std::min(source.y + source.height, h);
    if (right <= left || bottom <= top) return FittedRect{};
    return FittedRect{left, top, right - left, bottom - top};
}

}  // namespace slideshow
