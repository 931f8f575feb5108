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

// A JPEG is at most 65535 rows high: the strip file holds the cells of the
// first 873 entries of the list, and the index marks the later ones as not
// made.
constexpr long kStripFileCells = 65535 / 75;

// Top row of cell `index` in the strip.
inline int CellTop(long index) { return static_cast<int>(index) * 75; }

}  // namespace vimbrel::browser
