#pragma once
// The byte layout of the notebook panel's ACPI brightness calls: a 20-byte
// input of five little-endian 32-bit words, a 768-byte output whose word at
// byte 16 is a read's result, and the argument record of a set.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vimbrel::controller {

constexpr std::uint32_t kPanelAcpiIoControl = 0x222404;
constexpr std::size_t kPanelAcpiInputSize = 20;
constexpr std::size_t kPanelAcpiOutputSize = 768;
constexpr std::size_t kPanelAcpiResultOffset = 16;

using PanelAcpiInput = std::array<std::uint8_t, kPanelAcpiInputSize>;
using PanelAcpiArgument = std::array<std::uint8_t, 8>;

// A method name's four ASCII characters as bytes in order, read as one
// little-endian word ("GPLV" -> 0x564C5047).
constexpr std::uint32_t AcpiMethodName(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[3])) << 24;
}

constexpr std::uint32_t kAcpiReadBrightness = AcpiMethodName("GPLV");
constexpr std::uint32_t kAcpiSetBrightness = AcpiMethodName("SPLV");

// {1, method, 0, 0, 0}
PanelAcpiInput PackAcpiRead(std::uint32_t method);
// {2, method, 1, 8, argument record address}
PanelAcpiInput PackAcpiSet(std::uint32_t method, std::uint32_t argumentAddress);
// {16-bit 0, 16-bit 4, 32-bit value}
PanelAcpiArgument PackAcpiArgument(std::int32_t value);
// The read's result word; -1 when the output is too short to hold it.
int UnpackAcpiResult(const std::uint8_t* output, std::size_t size);

}  // namespace vimbrel::controller
