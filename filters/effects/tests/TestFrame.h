#pragma once
// Frames for the kernel tests: an exactly sized buffer (so the address
// sanitizer sees any write past it) described the way the filter describes a
// sample.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "kernels/FrameView.h"

namespace vimbrel::effects::testing {

struct Bgr {
    uint8_t b, g, r;
    bool operator==(const Bgr& o) const { return b == o.b && g == o.g && r == o.r; }
    bool operator!=(const Bgr& o) const { return !(*this == o); }
};

inline void PrintTo(const Bgr& p, std::ostream* os) {
    *os << "(b " << int(p.b) << ", g " << int(p.g) << ", r " << int(p.r) << ")";
}

inline Bgr GreyPixel(uint8_t v) { return Bgr{v, v, v}; }

class CTestFrame {
public:
    // packedRows: rows of exactly width x 3 bytes; otherwise 4-byte aligned.
    CTestFrame(int width, int height, bool packedRows = false) : width_(width), height_(height) {
        const std::size_t packed = static_cast<std::size_t>(width) * 3;
        const std::size_t rowBytes = packedRows ? packed : ((packed + 3) & ~std::size_t{3});
        buffer_.assign(rowBytes * static_cast<std::size_t>(height), 0);
        MakeFrameView(buffer_.data(), buffer_.size(), width, height, view_);
    }

    CTestFrame(const CTestFrame& other) : width_(other.width_), height_(other.height_), buffer_(other.buffer_) {
        Describe(other);
    }
    CTestFrame& operator=(const CTestFrame& other) {
        width_ = other.width_;
        height_ = other.height_;
        buffer_ = other.buffer_;
        Describe(other);
        return *this;
    }

    const RgbFrame& View() const { return view_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    Bgr At(int k, int r) const {
        const uint8_t* p = view_.Row(r) + 3 * k;
        return Bgr{p[0], p[1], p[2]};
    }
    void Set(int k, int r, Bgr v) {
        uint8_t* p = view_.Row(r) + 3 * k;
        p[0] = v.b;
        p[1] = v.g;
        p[2] = v.r;
    }
    void Fill(Bgr v) {
        for (int r = 0; r < height_; ++r)
            for (int k = 0; k < width_; ++k) Set(k, r, v);
    }
    // One grey value per pixel, row 0 first.
    void SetGreyRows(std::initializer_list<std::initializer_list<int>> rows) {
        int r = 0;
        for (const auto& row : rows) {
            int k = 0;
            for (int v : row) Set(k++, r, GreyPixel(static_cast<uint8_t>(v)));
            ++r;
        }
    }
    // Every pixel different: channels carry column, row and a mix of both.
    void FillDistinct() {
        for (int r = 0; r < height_; ++r)
            for (int k = 0; k < width_; ++k)
                Set(k, r,
                    Bgr{static_cast<uint8_t>(k), static_cast<uint8_t>(r),
                        static_cast<uint8_t>((k * 7 + r * 13) & 0xFF)});
    }
    // On a 256 x 256 frame: every red (row) and blue (column) pair with one
    // green, so 256 frames cover every colour.
    void FillColourPlane(uint8_t green) {
        for (int r = 0; r < height_; ++r)
            for (int k = 0; k < width_; ++k) Set(k, r, Bgr{static_cast<uint8_t>(k), green, static_cast<uint8_t>(r)});
    }
    // Deterministic noise.
    void FillNoise(uint32_t seed) {
        for (int r = 0; r < height_; ++r) {
            uint8_t* p = view_.Row(r);
            for (int i = 0; i < width_ * 3; ++i) {
                seed = seed * 1664525u + 1013904223u;
                p[i] = static_cast<uint8_t>(seed >> 24);
            }
        }
    }
    // The green channel of row r (the grey value of grey pictures).
    std::vector<int> GreyRow(int r) const {
        std::vector<int> out;
        for (int k = 0; k < width_; ++k) out.push_back(At(k, r).g);
        return out;
    }
    bool IsUniform(Bgr v) const {
        for (int r = 0; r < height_; ++r)
            for (int k = 0; k < width_; ++k)
                if (At(k, r) != v) return false;
        return true;
    }
    std::vector<uint8_t> Pixels() const {
        std::vector<uint8_t> out;
        for (int r = 0; r < height_; ++r) out.insert(out.end(), view_.Row(r), view_.Row(r) + width_ * 3);
        return out;
    }
    const std::vector<uint8_t>& Buffer() const { return buffer_; }

private:
    // A copy describes its own buffer with the original's layout.
    void Describe(const CTestFrame& other) {
        view_ = other.view_;
        view_.bits = buffer_.data() + (other.view_.bits - other.buffer_.data());
    }

    int width_;
    int height_;
    std::vector<uint8_t> buffer_;
    RgbFrame view_;
};

}  // namespace vimbrel::effects::testing

namespace vimbrel::effects {
// The kernel tests use the frame helpers unqualified.
using testing::Bgr;
using testing::CTestFrame;
using testing::GreyPixel;
}  // namespace vimbrel::effects
