// The library's exports. Every one returns 1 on success and 0 on failure;
// with no filter bound nothing reaches a driver and everything succeeds.
#include "chipmill.h"

#include "ChipBinding.h"
#include "ChipRegisters.h"
#include "EepromOption.h"
#include "KsChipPort.h"
#include "CallGuard.h"

#include <windows.h>

namespace {

using namespace chipaccess;
using chipmill::CKsChipPort;

CKsChipPort BoundPort() { return CKsChipPort(chipmill::BoundChip()); }

// A read hands the caller's value to the driver with the address and takes
// back what the driver answers; a null place for the value is refused before
// anything is sent.
template <class Read>
int ReadInto(long* value, Read read) {
    if (value == nullptr) return 0;
    return boundary::GuardedValue(0, [&] {
        int32_t v = static_cast<int32_t>(*value);
        CKsChipPort port = BoundPort();
        const bool ok = read(port, v);
        *value = v;
        return ok ? 1 : 0;
    });
}

template <class Write>
int WriteThrough(Write write) {
    return boundary::GuardedValue(0, [&] {
        CKsChipPort port = BoundPort();
        return write(port) ? 1 : 0;
    });
}

int ReadParameterOf(ParameterKind kind, long index, long* value) {
    return ReadInto(value, [&](IChipPort& p, int32_t& v) { return ReadParameter(p, kind, index, v); });
}

int WriteParameterOf(ParameterKind kind, long index, long value) {
    return WriteThrough([&](IChipPort& p) { return WriteParameter(p, kind, index, value); });
}

class CPortEeprom : public IEepromAccess {
public:
    explicit CPortEeprom(IChipPort& port) : port_(port) {}
    bool Write(int32_t address, int32_t value, int32_t length) override {
        return WriteMemory(port_, MemoryBank::Eeprom, address, value, length);
    }
    bool Read(int32_t address, int32_t& value, int32_t length) override {
        return ReadMemory(port_, MemoryBank::Eeprom, address, value, length);
    }

private:
    IChipPort& port_;
};

}  // namespace

int InitialLIB() {
    return boundary::GuardedValue(0, [] { return chipmill::BindChip() ? 1 : 0; });
}

void UNInitialLIB() { chipmill::ReleaseChip(); }

int ReadAsic(long address, long* value) {
    return ReadInto(value, [&](IChipPort& p, int32_t& v) { return chipaccess::ReadAsic(p, address, v); });
}

int WriteAsic(long address, long value) {
    return WriteThrough([&](IChipPort& p) { return chipaccess::WriteAsic(p, address, value); });
}

int ReadSensor(long address, long* value, long length) {
    return ReadInto(value,
                    [&](IChipPort& p, int32_t& v) { return ReadMemory(p, MemoryBank::Sensor, address, v, length); });
}

int WriteSensor(long address, long value, long length) {
    return WriteThrough([&](IChipPort& p) { return WriteMemory(p, MemoryBank::Sensor, address, value, length); });
}

int ReadEEPROM(long address, long* value, long length) {
    return ReadInto(value,
                    [&](IChipPort& p, int32_t& v) { return ReadMemory(p, MemoryBank::Eeprom, address, v, length); });
}

int WriteEEPROM(long address, long value, long length) {
    return WriteThrough([&](IChipPort& p) { return WriteMemory(p, MemoryBank::Eeprom, address, value, length); });
}

int ReadParameterAE(long index, long* value) { return ReadParameterOf(ParameterKind::Ae, index, value); }
int ReadParameterAWB(long index, long* value) { return ReadParameterOf(ParameterKind::Awb, index, value); }
int ReadParameterASIC(long index, long* value) { return ReadParameterOf(ParameterKind::Asic, index, value); }
int ReadParameterSENSOR(long index, long* value) { return ReadParameterOf(ParameterKind::Sensor, index, value); }
int ReadParameterASC(long index, long* value) { return ReadParameterOf(ParameterKind::Asc, index, value); }
int ReadParameterSHELL(long index, long* value) { return ReadParameterOf(ParameterKind::Shell, index, value); }
int ReadParameterDEFECT(long index, long* value) { return ReadParameterOf(ParameterKind::Defect, index, value); }
int WriteParameterAE(long index, long value) { return WriteParameterOf(ParameterKind::Ae, index, value); }
int WriteParameterAWB(long index, long value) { return WriteParameterOf(ParameterKind::Awb, index, value); }
int WriteParameterASIC(long index, long value) { return WriteParameterOf(ParameterKind::Asic, index, value); }
int WriteParameterSENSOR(long index, long value) { return WriteParameterOf(ParameterKind::Sensor, index, value); }
int WriteParameterASC(long index, long value) { return WriteParameterOf(ParameterKind::Asc, index, value); }
int WriteParameterSHELL(long index, long value) { return WriteParameterOf(ParameterKind::Shell, index, value); }
int WriteParameterDEFECT(long index, long value) { return WriteParameterOf(ParameterKind::Defect, index, value); }

int ReadTotalFrameCount(long* count) {
    return ReadInto(count, [](IChipPort& p, int32_t& v) { return ReadCounter(p, ChipProperty::TotalFrameCount, v); });
}

int ReadErrorFrameCount(long* count) {
    return ReadInto(count, [](IChipPort& p, int32_t& v) { return ReadCounter(p, ChipProperty::ErrorFrameCount, v); });
}

int ReadHarawareAEInfo(long index, long* value) {
    return ReadInto(value,
                    [&](IChipPort& p, int32_t& v) { return ReadHardwareInfo(p, HardwareInfoKind::Ae, index, v); });
}

int ReadHarawareAWBInfo(long index, long* value) {
    return ReadInto(value,
                    [&](IChipPort& p, int32_t& v) { return ReadHardwareInfo(p, HardwareInfoKind::Awb, index, v); });
}

int WriteEEPROMOption(int id1, int id2, char value8, char flag, char count, int* pairs) {
    EepromOption option;
    option.id1 = id1;
    option.id2 = id2;
    option.value8 = static_cast<int8_t>(value8);
    option.flag = static_cast<int8_t>(flag);
    option.count = static_cast<int8_t>(count);
    option.pairs = pairs;
    return boundary::GuardedValue(0, [&] {
        CKsChipPort port = BoundPort();
        CPortEeprom eeprom(port);
        return WriteEepromOption(eeprom, option) ? 1 : 0;
    });
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) chipmill::ReleaseChipAtUnload(reserved != nullptr);
    return TRUE;
}
