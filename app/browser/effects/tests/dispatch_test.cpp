#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestPicture.h"
#include "effects/PixelEffects.h"

// What the editor may pass in: numbers without effect and sizes that do not
// match the buffer are refused and leave the buffer as it was.
namespace vimbrel::browser::testing {
namespace {

TEST(Dispatch, OnlyTheCanvasNumbersHaveEffects) {
    for (int id = -2; id <= 40; ++id) {
        const bool known = (id >= 1 && id <= 21) || id == 26 || id == 30;
        EXPECT_EQ(IsCanvasEffect(id), known) << id;
        CTestPicture picture(6, 5);
        picture.FillNoise(static_cast<uint32_t>(id + 100));
        const auto before = picture.Bytes();
        CSeededRandom random(1);
        EXPECT_EQ(picture.Run(id, random), known) << id;
        if (!known) {
            EXPECT_EQ(picture.Bytes(), before) << id;
        }
    }
    EXPECT_FALSE(IsCanvasEffect(INT_MIN));
    EXPECT_FALSE(IsCanvasEffect(INT_MAX));
}

TEST(Dispatch, SizesThatDoNotFitTheBufferAreRefused) {
    std::vector<uint8_t> buffer(4 * 6 * 5, 0x5A);
    const auto before = buffer;
    CSeededRandom random(1);
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), 7, 5, random));  // one column too many
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), 6, 6, random));  // one row too many
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), 0, 5, random));
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), 6, 0, random));
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), -6, 5, random));
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), 6, -5, random));
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), INT_MAX, INT_MAX, random));
    EXPECT_FALSE(RunPixelEffect(7, buffer.data(), buffer.size(), INT_MAX, 2, random));
    EXPECT_FALSE(RunPixelEffect(7, nullptr, buffer.size(), 6, 5, random));
    EXPECT_EQ(buffer, before);

    // A smaller picture at the front of a larger buffer is fine, and only its
    // own bytes change.
    EXPECT_TRUE(RunPixelEffect(7, buffer.data(), buffer.size(), 5, 5, random));
    EXPECT_EQ(buffer[0], 0xA5);
    EXPECT_EQ(buffer[3], 0x5A);  // the fourth byte
    EXPECT_EQ(buffer[4 * 25], 0x5A);
}

}  // namespace
}  // namespace vimbrel::browser::testing
