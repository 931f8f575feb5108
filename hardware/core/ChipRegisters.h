// Register, sensor, EEPROM, parameter and counter access over the chip
// driver's property set, independent of how the calls reach the driver.
//
// A read is a set that names the address (the record carries the caller's
// current value too) followed by a get on the same property; it succeeds only
// when both calls are done. A write is one set; the frame counters are a get
// only.
#pragma once

#include "ChipAccessRecord.h"

#include <cstdint>

namespace chipaccess {

enum class ChipCall {
    Done,      // the driver accepted the call (S_OK)
    NotBound,  // no capture filter is bound: nothing reached a driver
    Failed,    // the interface query or the call itself failed
};

// One property call to the driver. Get fills the record from the driver.
class IChipPort {
public:
    virtual ~IChipPort() = default;
    virtual ChipCall Set(ChipProperty property, const ChipAccessRecord& record) = 0;
    virtual ChipCall Get(ChipProperty property, ChipAccessRecord& record) = 0;
};

// The generic forms. With no bound filter every call counts as done and a
// read leaves the value as the caller passed it. A read that fails leaves the
// value alone as well: a zeroed record the driver never answered is no value.
bool ReadProperty(IChipPort& port, ChipProperty property, int32_t address, int32_t& value, int32_t length,
                  int32_t bank);
bool WriteProperty(IChipPort& port, ChipProperty property, int32_t address, int32_t value, int32_t length,
                   int32_t bank);
bool ReadCounter(IChipPort& port, ChipProperty property, int32_t& count);

// The library's named operations.
bool ReadAsic(IChipPort& port, int32_t address, int32_t& value);
bool WriteAsic(IChipPort& port, int32_t address, int32_t value);
bool ReadMemory(IChipPort& port, MemoryBank bank, int32_t address, int32_t& value, int32_t length);
bool WriteMemory(IChipPort& port, MemoryBank bank, int32_t address, int32_t value, int32_t length);
bool ReadParameter(IChipPort& port, ParameterKind kind, int32_t index, int32_t& value);
bool WriteParameter(IChipPort& port, ParameterKind kind, int32_t index, int32_t value);
bool ReadHardwareInfo(IChipPort& port, HardwareInfoKind kind, int32_t index, int32_t& value);

}  // namespace chipaccess
