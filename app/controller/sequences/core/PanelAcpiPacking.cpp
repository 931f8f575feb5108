#include "PanelAcpiPacking.h"

namespace vimbrel::controller {
namespace {

void PutWord(std::uint8_t* at, std::uint32_t word) {
    for (int byte = 0; byte < 4; ++byte) at[byte] = static_cast<std::uint8_t>(word >> (8 * byte));
}

PanelAcpiInput PackWords(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e) {
    PanelAcpiInput input{};
    const std::uint32_t words[] = {a, b, c, d, e};
    for (std::size_t i = 0; i < 5; ++i) PutWord(input.data() + 4 * i, words[i]);
    return input;
}

}  // namespace

PanelAcpiInput PackAcpiRead(std::uint32_t method) { return PackWords(1, method, 0, 0, 0); }

PanelAcpiInput PackAcpiSet(std::uint32_t method, std::uint32_t argumentAddress) {
    return PackWords(2, method, 1, 8, argumentAddress);
}

PanelAcpiArgument PackAcpiArgument(std::int32_t value) {
    PanelAcpiArgument argument{};
    argument[2] = 4;  // the value's size in bytes, after a 16-bit zero
    PutWord(argument.data() + 4, static_cast<std::uint32_t>(value));
    return argument;
}

int UnpackAcpiResult(const std::uint8_t* output, std::size_t size) {
    if (output == nullptr || size < kPanelAcpiResultOffset + 4) return -1;
    const std::uint8_t* at = output + kPanelAcpiResultOffset;
    const std::uint32_t word = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                               static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    return static_cast<int>(static_cast<std::int32_t>(word));
}

}  // namespace vimbrel::controller
