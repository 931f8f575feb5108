#include "ThumbGeometry.h"

#include "ThumbEntry.h"

namespace vimbrel::browser {

std::optional<ThumbSize> FitThumb(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const double box = static_cast<double>(kThumbWidth) / kThumbHeight;
    const double picture = static_cast<double>(width) / height;
    if (box == picture) return ThumbSize{kThumbWidth, kThumbHeight};
    // 64-bit products: a 100000-pixel side times 75 must not overflow.
    // A side that truncates to 0 is kept at 1 pixel, or a hair-thin picture
    // would count as never made and be decoded again at every draw.
    if (box > picture) {
        const long long w = 75LL * width / height;
        return ThumbSize{w < 1 ? 1 : static_cast<int>(w), kThumbHeight};
    }
    const long long h = 100LL * height / width;
    return ThumbSize{kThumbWidth, h < 1 ? 1 : static_cast<int>(h)};
}

std::vector<StripBand> StripBands(int height) {
    std::vector<StripBand> bands;
    for (int top = 0; top < height; top += kStripBandRows) {
        const int rest = height - top;
        bands.push_back({top, rest < kStripBandRows ? rest : kStripBandRows});
    }
    return bands;
}

}  // namespace vimbrel::browser
