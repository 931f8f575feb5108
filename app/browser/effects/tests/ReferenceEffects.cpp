#include "ReferenceEffects.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vimbrel::browser::testing {
namespace {

int Channel(const Bgrx& p, int c) { return c == 0 ? p.b : (c == 1 ? p.g : p.r); }

void SetChannel(Bgrx& p, int c, int v) {
    const uint8_t byte = static_cast<uint8_t>(v);
    (c == 0 ? p.b : (c == 1 ? p.g : p.r)) = byte;
}

int CoarseGray(const Bgrx& p) { return p.r / 4 + p.g / 2 + p.b / 8; }

}  // namespace

CTestPicture ReferenceBlur(const CTestPicture& in) {
    CTestPicture out = in;
    for (int y = 0; y < in.Height(); y += 2) {
        for (int x = 0; x < in.Width(); ++x) {
            Bgrx p = in.At(x, y);
            for (int c = 0; c < 3; ++c) {
                int sum = 0, count = 0;
                for (int k = x - 9; k <= x + 9; ++k) {
                    if (k >= 0 && k < in.Width()) {
                        sum += Channel(in.At(k, y), c);
                        ++count;
                    }
                }
                SetChannel(p, c, sum / count);
            }
            out.Set(x, y, p);
        }
    }
    return out;
}

CTestPicture ReferenceSelectiveSmoothing(const CTestPicture& in, int threshold) {
    CTestPicture out = in;
    for (int y = 1; y + 1 < in.Height(); ++y) {
        for (int x = 1; x + 1 < in.Width(); ++x) {
            Bgrx p = in.At(x, y);
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (dx != 0 || dy != 0) sum += Channel(in.At(x + dx, y + dy), c);
                const int m = sum / 8;
                if (std::abs(m - Channel(p, c)) < threshold) SetChannel(p, c, m);
            }
            out.Set(x, y, p);
        }
    }
    return out;
}

CTestPicture ReferenceEdgeDetect(const CTestPicture& in) {
    const CTestPicture smooth = ReferenceSelectiveSmoothing(in, 30);
    const int w = in.Width(), h = in.Height();
    auto g = [&](int x, int y) { return CoarseGray(smooth.At(x, y)); };
    std::vector<int> m(static_cast<std::size_t>(w) * h, 0);
    int largest = 0;
    for (int y = 1; y + 1 < h; ++y) {
        for (int x = 1; x + 1 < w; ++x) {
            const int gx = 2 * (g(x + 1, y) - g(x - 1, y)) + g(x + 1, y + 1) + g(x + 1, y - 1) - g(x - 1, y + 1) -
                           g(x - 1, y - 1);
            const int gy = 2 * (g(x, y - 1) - g(x, y + 1)) + g(x - 1, y - 1) + g(x + 1, y - 1) - g(x - 1, y + 1) -
                           g(x + 1, y + 1);
            int v = std::abs(gx) + std::abs(gy);
            if (v > 254) v = 255;
            m[static_cast<std::size_t>(y) * w + x] = v;
            largest = std::max(largest, v);
        }
    }
    CTestPicture out = in;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int v = m[static_cast<std::size_t>(y) * w + x];
            if (largest > 0 && largest <= 254) v = v * 255 / largest;
            out.Set(x, y, GrayPixel(v, in.At(x, y).x));
        }
    }
    return out;
}

CTestPicture ReferenceOilPainting(const CTestPicture& in) {
    CTestPicture out = in;
    const int w = in.Width(), h = in.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::vector<Bgrx> window;
            for (int wy = y - 3; wy <= y + 3; ++wy)
                for (int wx = x - 3; wx <= x + 3; ++wx)
                    if (wx >= 0 && wx < w && wy >= 0 && wy < h) window.push_back(in.At(wx, wy));
            int counts[256] = {};
            for (const Bgrx& p : window) ++counts[CoarseGray(p)];
            int winner = CoarseGray(window.front());
            for (const Bgrx& p : window)
                if (counts[CoarseGray(p)] > counts[winner]) winner = CoarseGray(p);
            int sum[3] = {0, 0, 0}, n = 0;
            for (const Bgrx& p : window) {
                if (CoarseGray(p) != winner) continue;
                for (int c = 0; c < 3; ++c) sum[c] += Channel(p, c);
                ++n;
            }
            Bgrx p = in.At(x, y);
            for (int c = 0; c < 3; ++c) SetChannel(p, c, sum[c] / n);
            out.Set(x, y, p);
        }
    }
    return out;
}

}  // namespace vimbrel::browser::testing
