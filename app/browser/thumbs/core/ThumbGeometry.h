// Sizes of thumbnails and of the strip that holds them.
#pragma once

#include <optional>
#include <vector>

namespace vimbrel::browser {

struct ThumbSize {
    int width = 0;
    int height = 0;
};

// A w x h picture fitted into the 100 x 75 box, keeping its shape: narrower
// than the box gives height 75, wider gives width 100; truncating divisions.
// Nothing for an empty or negative size, which has no shape to keep.
std::optional<ThumbSize> FitThumb(int width, int height);

// The strip is drawn from its file in bands of at most 30000 rows, top to
// bottom, the last band with the remaining height.
struct StripBand {
    int top = 0;
    int rows = 0;
};
constexpr int kStripBandRows = 30000;
std::vector<StripBand> StripBands(int height);

// Top row of cell `index` in the strip.
inline int CellTop(long index) { return static_cast<int>(index) * 75; }

}  // namespace vimbrel::browser
