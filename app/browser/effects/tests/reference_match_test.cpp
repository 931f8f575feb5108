#include <gtest/gtest.h>

#include <utility>

#include "ReferenceEffects.h"
#include "TestPicture.h"

// The library's running sums and sliding windows against plain versions, on
// noise (few equal grays) and on coarse noise (many ties), at sizes around
// each window's reach.
namespace vimbrel::browser::testing {
namespace {

const std::pair<int, int> kSizes[] = {{1, 1}, {2, 3}, {3, 2}, {7, 7}, {8, 9}, {19, 4}, {20, 5}, {33, 17}, {64, 48}};

template <typename Reference>
void ExpectMatch(int effectId, Reference reference) {
    for (auto [w, h] : kSizes) {
        for (int coarse : {0, 1}) {
            CTestPicture picture(w, h);
            const uint32_t seed = static_cast<uint32_t>(w * 131 + h * 7 + coarse);
            if (coarse) {
                picture.FillCoarseNoise(seed, 3);
            } else {
                picture.FillNoise(seed);
            }
            const CTestPicture expected = reference(picture);
            ASSERT_TRUE(picture.Run(effectId));
            ASSERT_EQ(picture.Bytes(), expected.Bytes())
                << "effect " << effectId << " at " << w << " x " << h << (coarse ? " (coarse)" : "");
        }
    }
}

TEST(ReferenceMatch, Blur) { ExpectMatch(10, ReferenceBlur); }

TEST(ReferenceMatch, SelectiveSmoothing) {
    ExpectMatch(26, [](const CTestPicture& in) { return ReferenceSelectiveSmoothing(in, 15); });
}

TEST(ReferenceMatch, EdgeDetect) { ExpectMatch(18, ReferenceEdgeDetect); }

TEST(ReferenceMatch, OilPainting) { ExpectMatch(21, ReferenceOilPainting); }

}  // namespace
}  // namespace vimbrel::browser::testing
