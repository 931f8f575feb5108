// Every vector path the machine offers against the plain version, over
// widths around the 16- and 32-pixel steps, single pixels and rows, packed
// and 4-byte-aligned rows, and top-down frames.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "EachSimdLevel.h"
#include "TestFrame.h"
#include "kernels/FlipZoom.h"
#include "kernels/PointEffects.h"
#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {
namespace {

using simd::SimdLevel;
using simd::testing::ForEachOfferedSimdLevel;
using Stage = std::function<void(const RgbFrame&)>;

// Runs `fast` at every offered level and `plain` with no vector code, on the
// same noise, and compares whole buffers (padding included).
void ExpectPlainBytes(const char* name, const Stage& fast, const Stage& plain) {
    const int widths[] = {1, 2, 3, 4, 5, 15, 16, 17, 31, 32, 33, 47, 48, 63, 64, 65, 97, 321};
    for (int w : widths) {
        for (int h : {1, 2, 3, 4, 5, 9}) {
            for (int layout = 0; layout < 3; ++layout) {
                const bool packed = layout == 1, topDown = layout == 2;
                CTestFrame source(w, h, packed);
                source.FillNoise(static_cast<uint32_t>(w * 131 + h * 7 + layout));
                std::vector<uint8_t> expected = source.Buffer();
                RgbFrame view;
                ASSERT_TRUE(MakeFrameView(expected.data(), expected.size(), w, topDown ? -h : h, view));
                simd::CapSimdLevel(SimdLevel::kPlain);
                plain(view);
                ForEachOfferedSimdLevel([&](SimdLevel) {
                    std::vector<uint8_t> actual = source.Buffer();
                    RgbFrame v;
                    ASSERT_TRUE(MakeFrameView(actual.data(), actual.size(), w, topDown ? -h : h, v));
                    fast(v);
                    ASSERT_EQ(actual, expected) << name << " " << w << " x " << h << " layout " << layout;
                });
            }
        }
    }
}

TEST(SimdVariants, RowStagesGiveThePlainBytes) {
    ExpectPlainBytes("grey", Grey, GreyReference);
    ExpectPlainBytes("emboss", Emboss, EmbossPlain);
    ExpectPlainBytes("blur", Blur, BlurPlain);
    for (int sizeClass = 0; sizeClass < 4; ++sizeClass) {
        ExpectPlainBytes(
            "mosaic", [=](const RgbFrame& f) { Mosaic(f, sizeClass); },
            [=](const RgbFrame& f) { MosaicPlain(f, sizeClass); });
    }
    // The plain versions of these are the same functions with the vector
    // level capped.
    CScratch scratch;
    const Stage despeckle = [&](const RgbFrame& f) { Despeckle(f, 15, scratch); };
    ExpectPlainBytes("despeckle", despeckle, despeckle);
    const Stage edges = [&](const RgbFrame& f) { EdgeDetect(f, scratch); };
    ExpectPlainBytes("edge detect", edges, edges);
    ExpectPlainBytes("mirror halves", MirrorHalves, MirrorHalves);
    // A faint picture, whose edges are stretched to white.
    const Stage faintEdges = [&](const RgbFrame& f) {
        for (int r = 0; r < f.height; ++r)
            for (int i = 0; i < 3 * f.width; ++i) f.Row(r)[i] = static_cast<uint8_t>(f.Row(r)[i] >> 5);
        EdgeDetect(f, scratch);
    };
    ExpectPlainBytes("faint edge detect", faintEdges, faintEdges);
    for (int flips = 1; flips < 4; ++flips) {
        const Stage flip = [=](const RgbFrame& f) { FlipFrame(f, flips & 1, flips & 2); };
        ExpectPlainBytes("flip", flip, flip);
    }
}

// Emboss against worked values where the steps between greys reach both
// clamps: greys 0, 255, 0, 41, 83, 84 repeated give 125 first, then 250,
// 1, 248, 250, 128, and 1 where 84 steps down to 0.
TEST(SimdVariants, EmbossClampsEveryStepAtEveryLevel) {
    const int greys[] = {0, 255, 0, 41, 83, 84};
    const int expected[] = {1, 250, 1, 248, 250, 128};
    ForEachOfferedSimdLevel([&](SimdLevel) {
        // 40 pixels: the values sit past the first 32-pixel step too.
        CTestFrame f(40, 1);
        for (int k = 0; k < 40; ++k) f.Set(k, 0, GreyPixel(static_cast<uint8_t>(greys[k % 6])));
        Emboss(f.View());
        for (int k = 0; k < 40; ++k) {
            const int want = k == 0 ? 125 : expected[k % 6];
            ASSERT_EQ(f.At(k, 0), GreyPixel(static_cast<uint8_t>(want))) << k;
        }
    });
}

}  // namespace
}  // namespace vimbrel::effects
