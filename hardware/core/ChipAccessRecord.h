// The record the camera chip's driver exchanges through its kernel-streaming
// property set: ten signed 32-bit ints (40 bytes), passed as both the
// instance data and the property data of every call.
#pragma once

#include <array>
#include <cstdint>

namespace chipaccess {

// Property ids of the driver's set.
enum class ChipProperty : uint32_t {
    AsicRead = 0,
    AsicWrite = 1,
    SensorOrEepromRead = 2,
    SensorOrEepromWrite = 3,
    ParameterRead = 4,
    ParameterWrite = 5,
    TotalFrameCount = 6,
    ErrorFrameCount = 7,
    HardwareInfo = 8,
};

// Bank of the sensor/EEPROM properties (2 and 3).
enum class MemoryBank : int32_t { Sensor = 0, Eeprom = 1 };

// Kind of the parameter properties (4 and 5), in the order of the exports.
enum class ParameterKind : int32_t { Ae = 0, Awb = 1, Asic = 2, Sensor = 3, Asc = 4, Shell = 5, Defect = 6 };

// Kind of the hardware information property (8).
enum class HardwareInfoKind : int32_t { Ae = 0, Awb = 1 };

enum class ChipOperation : int32_t { Get = 1, Set = 2 };

struct ChipAccessRecord {
    static constexpr int kFieldCount = 10;
    static constexpr int kOperation = 5;
    static constexpr int kAddress = 6;
    static constexpr int kValue = 7;
    static constexpr int kLength = 8;
    static constexpr int kBank = 9;

    std::array<int32_t, kFieldCount> fields{};

    int32_t operation() const { return fields[kOperation]; }
    int32_t address() const { return fields[kAddress]; }
    int32_t value() const { return fields[kValue]; }
    int32_t length() const { return fields[kLength]; }
    int32_t bank() const { return fields[kBank]; }

    int32_t* data() { return fields.data(); }
    const int32_t* data() const { return fields.data(); }
};
static_assert(sizeof(ChipAccessRecord) == 40, "the driver expects exactly 40 bytes");

// A set names the address or index, carries a value, a length (sensor and
// EEPROM access only, else 0) and the bank or kind; indexes 0-4 stay zero.
ChipAccessRecord MakeSetRecord(int32_t address, int32_t value, int32_t length, int32_t bank);

// A get carries nothing but the operation: the driver answers for what the
// preceding set named.
ChipAccessRecord MakeGetRecord();

// The record as the driver sees it in memory: little-endian ints, field i at
// byte 4 * i.
std::array<uint8_t, 40> RecordBytes(const ChipAccessRecord& record);

}  // namespace chipaccess
