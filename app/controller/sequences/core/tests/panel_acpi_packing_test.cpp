#include <gtest/gtest.h>

#include <vector>

#include "PanelAcpiPacking.h"

namespace vimbrel::controller {
namespace {

template <std::size_t N>
std::vector<int> Bytes(const std::array<std::uint8_t, N>& bytes) {
    return std::vector<int>(bytes.begin(), bytes.end());
}

TEST(PanelAcpiPacking, MethodNamesAreTheirCharactersInOrder) {
    // 'G' 0x47, 'P' 0x50, 'L' 0x4C, 'V' 0x56; 'S' 0x53.
    EXPECT_EQ(kAcpiReadBrightness, 0x564C5047u);
    EXPECT_EQ(kAcpiSetBrightness, 0x564C5053u);
}

TEST(PanelAcpiPacking, ReadAndSetInputs) {
    const std::vector<int> read = {1, 0, 0, 0, 0x47, 0x50, 0x4C, 0x56, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Bytes(PackAcpiRead(kAcpiReadBrightness)), read);
    const std::vector<int> set = {2, 0, 0, 0, 0x53, 0x50, 0x4C, 0x56, 1, 0, 0, 0, 8, 0, 0, 0, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(Bytes(PackAcpiSet(kAcpiSetBrightness, 0x12345678u)), set);
}

TEST(PanelAcpiPacking, ArgumentRecord) {
    EXPECT_EQ(Bytes(PackAcpiArgument(15)), (std::vector<int>{0, 0, 4, 0, 15, 0, 0, 0}));
    EXPECT_EQ(Bytes(PackAcpiArgument(300)), (std::vector<int>{0, 0, 4, 0, 0x2C, 1, 0, 0}));
    EXPECT_EQ(Bytes(PackAcpiArgument(-1)), (std::vector<int>{0, 0, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(PanelAcpiPacking, ResultIsTheWordAtSixteen) {
    std::vector<std::uint8_t> output(kPanelAcpiOutputSize, 0xEE);
    output[16] = 0x0A;
    output[17] = 0;
    output[18] = 0;
    output[19] = 0;
    EXPECT_EQ(UnpackAcpiResult(output.data(), output.size()), 10);
    output[16] = 0x01;
    output[17] = 0x02;
    EXPECT_EQ(UnpackAcpiResult(output.data(), output.size()), 0x0201);
    EXPECT_EQ(UnpackAcpiResult(output.data(), 20), 0x0201);
    EXPECT_EQ(UnpackAcpiResult(output.data(), 19), -1);
    EXPECT_EQ(UnpackAcpiResult(nullptr, 768), -1);
}

}  // namespace
}  // namespace vimbrel::controller
