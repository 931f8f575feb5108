#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestPicture.h"
#include "effects/PixelEffects.h"

// Every effect over awkward sizes in exactly sized buffers; under the address
// and undefined-behaviour sanitizers this is what shows that no effect reads
// or writes outside the picture at any size.
namespace vimbrel::browser::testing {
namespace {

const std::pair<int, int> kSizes[] = {{1, 1},     {1, 2},   {2, 1},     {3, 3},      {5, 7},
                                      {9, 4},     {25, 3},  {201, 151}, {176, 144},  {641, 481},
                                      {480, 640}, {801, 3}, {1, 700},   {1279, 719}, {1280, 720}};

TEST(Sweep, EveryEffectOnEverySizeKeepsTheFourthBytes) {
    std::vector<int> ids;
    for (int id = 1; id <= 21; ++id) ids.push_back(id);
    ids.push_back(26);
    ids.push_back(30);
    CSeededRandom random(42);
    for (auto [w, h] : kSizes) {
        CTestPicture picture(w, h);
        picture.FillNoise(static_cast<uint32_t>(w * 31 + h));
        std::vector<uint8_t> fourth;
        for (std::size_t i = 3; i < picture.Bytes().size(); i += 4) fourth.push_back(picture.Bytes()[i]);
        for (int id : ids) {
            ASSERT_TRUE(picture.Run(id, random)) << id << " at " << w << " x " << h;
        }
        for (std::size_t i = 3, k = 0; i < picture.Bytes().size(); i += 4, ++k)
            ASSERT_EQ(picture.Bytes()[i], fourth[k]) << w << " x " << h;
    }
}

}  // namespace
}  // namespace vimbrel::browser::testing
