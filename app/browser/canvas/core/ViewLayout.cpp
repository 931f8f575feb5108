#include "ViewLayout.h"

#include <algorithm>
#include <cstdint>

namespace vimbrel::canvas {

namespace {

// Truncates toward zero, kept inside the int range for absurd inputs.
int TruncateToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

}  // namespace

ViewLayout ComputeViewLayout(int W, int H, int w, int h) {
    W = std::max(W, 1);
    H = std::max(H, 1);
    w = std::max(w, 1);
    h = std::max(h, 1);

    ViewLayout layout;
    layout.pictureWidth = w;
    layout.pictureHeight = h;

    if (w > W || h > H) {
        // The ratios rx = w / W and ry = h / H are compared, and the shorter
        // side sized, in exact integer arithmetic (w / ry = w * H / h): the
        // single-precision quotients round differently in x87 and SSE code,
        // which would move the picture by a pixel between builds.
        const int64_t wH = static_cast<int64_t>(w) * H;
        const int64_t hW = static_cast<int64_t>(h) * W;
        const float rx = static_cast<float>(w) / static_cast<float>(W);
        const float ry = static_cast<float>(h) / static_cast<float>(H);
        if (wH < hW) {
            layout.kind = LayoutKind::SideBorders;
            layout.scale = ry;
            const int viewWidth = static_cast<int>(std::max<int64_t>(1, wH / h));
            layout.view = {(W - viewWidth) / 2, 0, viewWidth, H};
        } else if (wH == hW) {
            layout.kind = LayoutKind::ExactFit;
            layout.scale = rx;
            layout.view = {0, 0, W, H};
        } else {
            layout.kind = LayoutKind::TopBottomBorders;
            layout.scale = rx;
            const int viewHeight = static_cast<int>(std::max<int64_t>(1, hW / w));
            layout.view = {0, (H - viewHeight) / 2, W, viewHeight};
        }
        return layout;
    }

    layout.scale = 1.0f;
    layout.view = {0, 0, w, h};
    if (h == H) {
        layout.kind = (w == W) ? LayoutKind::ExactFit : LayoutKind::SideBorders;
        layout.view.x = (W - w) / 2;
    } else {
        layout.view.y = (H - h) / 2;
        layout.view.x = (W - w) / 2;
        layout.kind = (w != W) ? LayoutKind::AllRound : LayoutKind::TopBottomBorders;
    }
    return layout;
}

float CanvasStampScale(int canvasWidth, int canvasHeight) {
    const float s = std::min(static_cast<float>(canvasWidth) / 640.0f, static_cast<float>(canvasHeight) / 480.0f);
    return std::min(s, 1.0f);
}

CanvasPoint MapToPicture(const ViewLayout& layout, CanvasPoint p) {
    const double s = layout.scale;
    return {TruncateToInt((static_cast<double>(p.x) - layout.view.x) * s + 0.5),
            TruncateToInt((static_cast<double>(p.y) - layout.view.y) * s + 0.5)};
}

std::vector<CanvasRect> BorderRects(const ViewLayout& layout, int W, int H) {
    std::vector<CanvasRect> borders;
    const CanvasRect& v = layout.view;
    const auto add = [&borders](CanvasRect r) {
        if (!r.Empty()) borders.push_back(r);
    };
    switch (layout.kind) {
    case LayoutKind::ExactFit: break;
    case LayoutKind::SideBorders:
        add({0, 0, v.x, H});
        add({v.Right(), 0, W - v.Right(), H});
        break;
    case LayoutKind::TopBottomBorders:
        add({0, 0, W, v.y});
        add({0, v.Bottom(), W, H - v.Bottom()});
        break;
    case LayoutKind::AllRound:
        add({0, 0, W, v.y});
        add({0, v.Bottom(), W, H - v.Bottom()});
        add({0, v.y, v.x, v.height});
        add({v.Right(), v.y, W - v.Right(), v.height});
        break;
    }
    return borders;
}

CanvasRect CentredStampRect(CanvasPoint centre, int stampWidth, int stampHeight, float factor) {
    const int width = TruncateToInt(static_cast<double>(stampWidth) * factor);
    const int height = TruncateToInt(static_cast<double>(stampHeight) * factor);
    return {TruncateToInt(centre.x - width / 2.0 + 0.5), TruncateToInt(centre.y - height / 2.0 + 0.5), width, height};
}

}  // namespace vimbrel::canvas
