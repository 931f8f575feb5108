#include "effects/NeighbourhoodEffects.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vimbrel::browser {
namespace {

// One histogram entry per coarse gray: how many window pixels have it and
// their colour sums (at most 49 x 255 each).
struct GrayBin {
    uint32_t count, blue, green, red;
};

// The window slides along a row: each step adds the column entering on the
// right and drops the one leaving on the left, instead of counting 49
// pixels afresh.
class CSlidingHistogram {
public:
    CSlidingHistogram(const CPictureCopy& source, const std::vector<uint8_t>& gray, int width)
        : source_(source), gray_(gray), width_(static_cast<std::size_t>(width)) {}

    void Reset(int firstRow, int lastRow) {
        bins_.fill(GrayBin{0, 0, 0, 0});
        firstRow_ = firstRow;
        lastRow_ = lastRow;
    }
    void AddColumn(int x) { Change<true>(x); }
    void DropColumn(int x) { Change<false>(x); }

    // The most frequent gray of columns left..right; scanning the window in
    // buffer order and taking only a strictly larger count keeps the value
    // met first among those of equal count.
    const GrayBin& Winner(int left, int right) const {
        uint32_t best = 0;
        int winner = 0;
        for (int y = firstRow_; y <= lastRow_; ++y) {
            const uint8_t* g = gray_.data() + static_cast<std::size_t>(y) * width_;
            for (int x = left; x <= right; ++x) {
                const uint32_t count = bins_[g[x]].count;
                if (count > best) {
                    best = count;
                    winner = g[x];
                }
            }
        }
        return bins_[winner];
    }

private:
    template <bool Adding>
    void Change(int x) {
        for (int y = firstRow_; y <= lastRow_; ++y) {
            const uint8_t* p = source_.Pixel(x, y);
            GrayBin& bin = bins_[gray_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)]];
            if (Adding) {
                bin.count += 1;
                bin.blue += p[0];
                bin.green += p[1];
                bin.red += p[2];
            } else {
                bin.count -= 1;
                bin.blue -= p[0];
                bin.green -= p[1];
                bin.red -= p[2];
            }
        }
    }

    const CPictureCopy& source_;
    const std::vector<uint8_t>& gray_;
    std::size_t width_;
    int firstRow_ = 0, lastRow_ = -1;
    std::array<GrayBin, 256> bins_{};
};

}  // namespace

void OilPainting(const BgrxImage& image) {
    const int width = image.width, height = image.height;
    const CPictureCopy source(image);
    std::vector<uint8_t> gray(image.PixelCount());
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = source.Row(y);
        uint8_t* g = gray.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x, p += 4) {
            g[x] = static_cast<uint8_t>(CoarseGrayOf(p));
        }
    }

    CSlidingHistogram histogram(source, gray, width);
    for (int y = 0; y < height; ++y) {
        histogram.Reset(std::max(0, y - kOilReach), std::min(height - 1, y + kOilReach));
        for (int x = 0; x < std::min(kOilReach, width); ++x) {
            histogram.AddColumn(x);
        }
        uint8_t* p = image.Row(y);
        for (int x = 0; x < width; ++x, p += 4) {
            if (x + kOilReach < width) {
                histogram.AddColumn(x + kOilReach);
            }
            if (x - kOilReach - 1 >= 0) {
                histogram.DropColumn(x - kOilReach - 1);
            }
            const GrayBin& bin = histogram.Winner(std::max(0, x - kOilReach), std::min(width - 1, x + kOilReach));
            p[0] = static_cast<uint8_t>(bin.blue / bin.count);
            p[1] = static_cast<uint8_t>(bin.green / bin.count);
            p[2] = static_cast<uint8_t>(bin.red / bin.count);
        }
    }
}

}  // namespace vimbrel::browser
