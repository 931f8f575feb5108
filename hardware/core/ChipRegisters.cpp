#include "ChipRegisters.h"

namespace chipaccess {

bool ReadProperty(IChipPort& port, ChipProperty property, int32_t address, int32_t& value, int32_t length,
                  int32_t bank) {
    const ChipCall selected = port.Set(property, MakeSetRecord(address, value, length, bank));
    if (selected == ChipCall::Failed) return false;  // a get now would answer for some other address
    ChipAccessRecord answer = MakeGetRecord();
    const ChipCall got = port.Get(property, answer);
    if (got == ChipCall::Failed) return false;
    if (got == ChipCall::Done && selected == ChipCall::Done) value = answer.value();
    return true;
}

bool WriteProperty(IChipPort& port, ChipProperty property, int32_t address, int32_t value, int32_t length,
                   int32_t bank) {
    return port.Set(property, MakeSetRecord(address, value, length, bank)) != ChipCall::Failed;
}

bool ReadCounter(IChipPort& port, ChipProperty property, int32_t& count) {
    ChipAccessRecord answer = MakeGetRecord();
    const ChipCall got = port.Get(property, answer);
    if (got == ChipCall::Done) count = answer.value();
    return got != ChipCall::Failed;
}

bool ReadAsic(IChipPort& port, int32_t address, int32_t& value) {
    return ReadProperty(port, ChipProperty::AsicRead, address, value, 0, 0);
}

bool WriteAsic(IChipPort& port, int32_t address, int32_t value) {
    return WriteProperty(port, ChipProperty::AsicWrite, address, value, 0, 0);
}

bool ReadMemory(IChipPort& port, MemoryBank bank, int32_t address, int32_t& value, int32_t length) {
    return ReadProperty(port, ChipProperty::SensorOrEepromRead, address, value, length, static_cast<int32_t>(bank));
}

bool WriteMemory(IChipPort& port, MemoryBank bank, int32_t address, int32_t value, int32_t length) {
    return WriteProperty(port, ChipProperty::SensorOrEepromWrite, address, value, length, static_cast<int32_t>(bank));
}

bool ReadParameter(IChipPort& port, ParameterKind kind, int32_t index, int32_t& value) {
    return ReadProperty(port, ChipProperty::ParameterRead, index, value, 0, static_cast<int32_t>(kind));
}

bool WriteParameter(IChipPort& port, ParameterKind kind, int32_t index, int32_t value) {
    return WriteProperty(port, ChipProperty::ParameterWrite, index, value, 0, static_cast<int32_t>(kind));
}

bool ReadHardwareInfo(IChipPort& port, HardwareInfoKind kind, int32_t index, int32_t& value) {
    return ReadProperty(port, ChipProperty::HardwareInfo, index, value, 0, static_cast<int32_t>(kind));
}

}  // namespace chipaccess
