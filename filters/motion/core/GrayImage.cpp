#include "GrayImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace motion {

namespace {

inline std::size_t At(std::uint32_t x, std::uint32_t y, std::uint32_t w) { return static_cast<std::size_t>(y) * w + x; }

inline void Paint(std::uint8_t* rgb, std::uint32_t W, std::uint32_t x, std::uint32_t y, Colour colour) {
    std::uint8_t* p = rgb + At(x, y, W) * 3;
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

// Sum and count of the neighbours of (x, y) inside the plane; used on the
// border, where the neighbourhood is clipped.
inline void NeighbourSum(const std::uint8_t* in, std::uint32_t w, std::uint32_t h, std::uint32_t x, std::uint32_t y,
                         std::uint32_t& sum, std::uint32_t& count) {
    sum = 0;
    count = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        const std::int64_t yy = static_cast<std::int64_t>(y) + dy;
        if (yy < 0 || yy >= h) continue;
        for (int dx = -1; dx <= 1; ++dx) {
            const std::int64_t xx = static_cast<std::int64_t>(x) + dx;
            if ((dx == 0 && dy == 0) || xx < 0 || xx >= w) continue;
            sum += in[At(static_cast<std::uint32_t>(xx), static_cast<std::uint32_t>(yy), w)];
            ++count;
        }
    }
}

struct TakeMax {
    std::uint8_t operator()(std::uint8_t a, std::uint8_t b) const { return a > b ? a : b; }
};
struct TakeMin {
    std::uint8_t operator()(std::uint8_t a, std::uint8_t b) const { return a < b ? a : b; }
};

// 3x3 rank filter done as a vertical pass into out followed by a horizontal
// pass over each out row in place, carrying the one value it overwrites.
// Clipping the window is the same as leaving missing neighbours out.
template <typename Op>
void Filter3x3(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h, Op op) {
    if (w == 0 || h == 0) return;
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* mid = in + At(0, y, w);
        const std::uint8_t* up = y > 0 ? mid - w : mid;
        const std::uint8_t* down = y + 1 < h ? mid + w : mid;
        std::uint8_t* row = out + At(0, y, w);
        for (std::uint32_t x = 0; x < w; ++x) row[x] = op(op(up[x], mid[x]), down[x]);
        std::uint8_t left = row[0];
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t centre = row[x];
            std::uint8_t v = op(left, centre);
            if (x + 1 < w) v = op(v, row[x + 1]);
            row[x] = v;
            left = centre;
        }
    }
}

}  // namespace

void xRGB2Gray(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t w, std::uint32_t h) {
    const std::size_t n = static_cast<std::size_t>(w) * h;
    for (std::size_t i = 0; i < n; ++i, rgb += 3) gray[i] = GrayOf(rgb[0], rgb[1], rgb[2]);
}

// Blocks of up to this many pixels (and rows) are summed by columns first.
constexpr std::uint32_t kColumnStrip = 256;

void xZoomOutRGB2Gray(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, std::uint32_t b,
                      std::uint32_t zw, std::uint32_t zh, std::uint32_t* accumulators) {
    if (b == 0 || W == 0 || H == 0) return;
    if (W == zw || b > kColumnStrip) {
        xZoomOutRGB2GrayPlain(gray, rgb, W, H, b, zw, zh, accumulators);
        return;
    }
    // Each band of b rows is summed column by column over a strip of whole
    // blocks (at most 256 rows of 255 fit 16 bits, and the loop vectorises),
    // then each block adds up its columns: every byte is added once, where
    // block by block every byte costs a loop step of its own.
    const std::size_t stride = static_cast<std::size_t>(W) * 3;
    const std::uint32_t blocksPerStrip = kColumnStrip / b;
    const std::uint32_t stripPixels = blocksPerStrip * b;
    std::uint16_t columns[3 * kColumnStrip];
    std::uint32_t band = 0;
    for (std::uint32_t row0 = 0; row0 < H && band < zh; row0 += b, ++band) {
        const std::uint32_t rows = std::min(b, H - row0);
        const std::uint8_t* top = rgb + row0 * stride;
        std::uint8_t* dst = gray + At(0, band, zw);
        for (std::uint32_t x0 = 0, X0 = 0; x0 < W && X0 < zw; x0 += stripPixels, X0 += blocksPerStrip) {
            const std::uint32_t n = 3 * std::min(stripPixels, W - x0);
            std::memset(columns, 0, sizeof(std::uint16_t) * n);
            for (std::uint32_t r = 0; r < rows; ++r) {
                const std::uint8_t* src = top + r * stride + 3 * x0;
                for (std::uint32_t i = 0; i < n; ++i) columns[i] = static_cast<std::uint16_t>(columns[i] + src[i]);
            }
            for (std::uint32_t X = X0; X < X0 + blocksPerStrip && X < zw; ++X) {
                const std::uint32_t first = (X - X0) * b * 3;
                const std::uint32_t last = std::min(first + 3 * b, n);
                std::uint32_t sb = 0, sg = 0, sr = 0;
                for (std::uint32_t i = first; i < last; i += 3) {
                    sb += columns[i];
                    sg += columns[i + 1];
                    sr += columns[i + 2];
                }
                const std::uint32_t count = last > first ? (last - first) / 3 * rows : 0;
                dst[X] = count ? GrayOf(sb / count, sg / count, sr / count) : 0;
            }
        }
        // Reduced columns past the frame's last block (zw above ceil(W / b)).
        for (std::uint32_t X = (W + b - 1) / b; X < zw; ++X) dst[X] = 0;
    }
    // Only reached when zh exceeds ceil(H / b): keep those rows defined.
    if (band < zh) std::memset(gray + At(0, band, zw), 0, static_cast<std::size_t>(zh - band) * zw);
}

void xZoomOutRGB2GrayPlain(std::uint8_t* gray, const std::uint8_t* rgb, std::uint32_t W, std::uint32_t H,
                           std::uint32_t b, std::uint32_t zw, std::uint32_t zh, std::uint32_t* accumulators) {
    if (b == 0 || W == 0 || H == 0) return;
    if (W == zw) {
        xRGB2Gray(gray, rgb, W, H);
        return;
    }
    const std::size_t stride = static_cast<std::size_t>(W) * 3;
    std::uint32_t band = 0;
    for (std::uint32_t row0 = 0; row0 < H && band < zh; row0 += b, ++band) {
        const std::uint32_t rows = std::min(b, H - row0);
        std::memset(accumulators, 0, sizeof(std::uint32_t) * 3 * zw);
        for (std::uint32_t r = 0; r < rows; ++r) {
            const std::uint8_t* src = rgb + (row0 + r) * stride;
            std::uint32_t* acc = accumulators;
            for (std::uint32_t x0 = 0; x0 < W && acc < accumulators + 3 * zw; x0 += b, acc += 3) {
                const std::uint32_t x1 = std::min(x0 + b, W);
                std::uint32_t sb = 0, sg = 0, sr = 0;
                for (const std::uint8_t* p = src + x0 * 3; p < src + x1 * 3; p += 3) {
                    sb += p[0];
                    sg += p[1];
                    sr += p[2];
                }
                acc[0] += sb;
                acc[1] += sg;
                acc[2] += sr;
            }
        }
        std::uint8_t* dst = gray + At(0, band, zw);
        for (std::uint32_t X = 0; X < zw; ++X) {
            const std::uint64_t x0 = static_cast<std::uint64_t>(X) * b;
            const std::uint32_t cols = x0 < W ? std::min<std::uint32_t>(b, W - static_cast<std::uint32_t>(x0)) : 0;
            const std::uint32_t n = cols * rows;
            const std::uint32_t* acc = accumulators + 3 * X;
            dst[X] = n ? GrayOf(acc[0] / n, acc[1] / n, acc[2] / n) : 0;
        }
    }
    // Only reached when zh exceeds ceil(H / b): keep those rows defined.
    if (band < zh) std::memset(gray + At(0, band, zw), 0, static_cast<std::size_t>(zh - band) * zw);
}

void xZoomInGray(std::uint8_t* gray, const std::uint8_t* reduced, std::uint32_t W, std::uint32_t H, std::uint32_t b,
                 std::uint32_t zw, std::uint32_t zh) {
    std::memset(gray, 0, static_cast<std::size_t>(W) * H);
    if (b == 0) return;
    for (std::uint32_t y = 0; y < H; ++y) {
        const std::uint32_t Y = y / b;
        if (Y >= zh) break;
        const std::uint8_t* src = reduced + At(0, Y, zw);
        std::uint8_t* dst = gray + At(0, y, W);
        for (std::uint32_t x0 = 0, X = 0; x0 < W && X < zw; x0 += b, ++X)
            std::memset(dst + x0, src[X], std::min(b, W - x0));
    }
}

void xDeNoise(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h) {
    if (w == 0 || h == 0) return;
    for (std::uint32_t y = 0; y < h; ++y) {
        const bool borderRow = y == 0 || y + 1 == h;
        for (std::uint32_t x = 0; x < w; ++x) {
            if (!borderRow && x > 0 && x + 1 < w) {
                // Interior run: the eight neighbours, shifted right by 3.
                const std::uint8_t* up = in + At(0, y - 1, w);
                const std::uint8_t* mid = up + w;
                const std::uint8_t* down = mid + w;
                std::uint8_t* dst = out + At(0, y, w);
                for (; x + 1 < w; ++x) {
                    const std::uint32_t sum = up[x - 1] + up[x] + up[x + 1] + mid[x - 1] + mid[x + 1] + down[x - 1] +
                                              down[x] + down[x + 1];
                    dst[x] = static_cast<std::uint8_t>(sum >> 3);
                }
            }
            std::uint32_t sum = 0, count = 0;
            NeighbourSum(in, w, h, x, y, sum, count);
            out[At(x, y, w)] = count ? static_cast<std::uint8_t>(sum / count) : in[At(x, y, w)];
        }
    }
}

void xDiffGray(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::uint32_t w, std::uint32_t h,
               std::uint8_t threshold) {
    const std::size_t n = static_cast<std::size_t>(w) * h;
    for (std::size_t i = 0; i < n; ++i) {
        const int d = static_cast<int>(b[i]) - static_cast<int>(a[i]);
        out[i] = (d > threshold || -d > threshold) ? 255 : 0;
    }
}

void xDilation(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h) {
    Filter3x3(out, in, w, h, TakeMax());
}

void xErosion(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h) {
    Filter3x3(out, in, w, h, TakeMin());
}

void xEdge(std::uint8_t* out, const std::uint8_t* in, std::uint32_t w, std::uint32_t h) {
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            const int centre = in[At(x, y, w)];
            int largest = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                const std::int64_t yy = static_cast<std::int64_t>(y) + dy;
                if (yy < 0 || yy >= h) continue;
                for (int dx = -1; dx <= 1; ++dx) {
                    const std::int64_t xx = static_cast<std::int64_t>(x) + dx;
                    if (xx < 0 || xx >= w) continue;
                    const int v = in[At(static_cast<std::uint32_t>(xx), static_cast<std::uint32_t>(yy), w)];
                    largest = std::max(largest, v > centre ? v - centre : centre - v);
                }
            }
            out[At(x, y, w)] = static_cast<std::uint8_t>(largest);
        }
    }
}

void xMoveImgForword(std::uint8_t* base, const std::uint8_t* current, std::uint32_t w, std::uint32_t h,
                     std::uint8_t step) {
    const std::size_t n = static_cast<std::size_t>(w) * h;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t b = base[i], c = current[i];
        if (b < c)
            base[i] = static_cast<std::uint8_t>(c - b > step ? b + step : c);
        else if (b > c)
            base[i] = static_cast<std::uint8_t>(b - c > step ? b - step : c);
    }
}

void xDrawRect(std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, const MotionRect& rect, std::uint32_t b,
               Colour colour) {
    if (W == 0 || H == 0) return;
    auto scale = [b](std::int32_t v, std::uint32_t limit) {
        const std::int64_t p = static_cast<std::int64_t>(v) * b;
        if (p < 0) return 0u;
        return p < limit ? static_cast<std::uint32_t>(p) : limit - 1;
    };
    const std::uint32_t x0 = scale(rect.left, W), x1 = scale(rect.right, W);
    const std::uint32_t y0 = scale(rect.top, H), y1 = scale(rect.bottom, H);
    for (std::uint32_t x = x0; x <= x1; ++x) Paint(rgb, W, x, y0, colour);
    for (std::uint32_t y = y0; y <= y1; ++y) {
        Paint(rgb, W, x0, y, colour);
        Paint(rgb, W, x1, y, colour);
    }
    for (std::uint32_t x = x0; x <= x1; ++x) Paint(rgb, W, x, y1, colour);
}

void xImgOutline(const std::uint8_t* mask, std::uint8_t* rgb, std::uint32_t W, std::uint32_t H, Colour colour) {
    if (W < 2 || H < 2) return;
    for (std::uint32_t y = 0; y < H; ++y) {
        const std::uint8_t* row = mask + At(0, y, W);
        const bool lastRow = y + 1 == H;
        const std::uint8_t* other = lastRow ? row - W : row + W;  // below, or above on the last row
        for (std::uint32_t x = 0; x + 1 < W; ++x) {
            const std::uint8_t v = row[x];
            const bool differs = lastRow ? (v != other[x] || v != other[x + 1])
                                         : (v != row[x + 1] || v != other[x] || v != other[x + 1]);
            if (differs) Paint(rgb, W, x, y, colour);
        }
        const std::uint32_t x = W - 1;
        const std::uint8_t v = row[x];
        if (v != row[x - 1] || v != other[x] || v != other[x - 1]) Paint(rgb, W, x, y, colour);
    }
}

}  // namespace motion
