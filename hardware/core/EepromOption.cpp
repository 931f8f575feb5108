#include "EepromOption.h"

namespace chipaccess {

namespace {

constexpr int32_t kSignature[] = {0x32, 0x30, 0x31, 0x41};
constexpr int32_t kIdAddress1 = 4;
constexpr int32_t kIdAddress2 = 6;
constexpr int32_t kValueAddress = 8;
constexpr int32_t kFlagsAddress = 9;
constexpr int32_t kPairsAddress = 12;

int32_t LowByte(int32_t value) { return value & 0xFF; }

// Writes and reads back until `verifies` accepts what came back. The write's
// own result says little (the read-back is the proof), so only the last read
// decides whether the step failed.
template <class Verifies>
bool VerifiedWrite(IEepromAccess& eeprom, int32_t address, int32_t value, int32_t length, Verifies verifies) {
    bool lastRead = false;
    for (int attempt = 0; attempt < kEepromWriteTries; ++attempt) {
        eeprom.Write(address, value, length);
        int32_t readBack = 0;
        lastRead = eeprom.Read(address, readBack, length);
        if (lastRead && verifies(readBack)) break;
    }
    return lastRead;
}

bool VerifiedByte(IEepromAccess& eeprom, int32_t address, int32_t byte) {
    byte = LowByte(byte);
    return VerifiedWrite(eeprom, address, byte, 1, [byte](int32_t readBack) { return LowByte(readBack) == byte; });
}

bool VerifiedId(IEepromAccess& eeprom, int32_t address, int32_t id) {
    return VerifiedWrite(eeprom, address, SwapLowBytes(id), 2,
                         [id](int32_t readBack) { return SwapLowBytes(readBack & 0xFFFF) == id; });
}

}  // namespace

int32_t SwapLowBytes(int32_t id) { return ((id & 0xFF) << 8) | ((id >> 8) & 0xFF); }

bool WriteEepromOption(IEepromAccess& eeprom, const EepromOption& option) {
    for (int32_t i = 0; i < 4; ++i) {
        if (!VerifiedByte(eeprom, i, kSignature[i])) return false;
    }
    if (!VerifiedId(eeprom, kIdAddress1, option.id1) || !VerifiedId(eeprom, kIdAddress2, option.id2)) return false;

    // The chip stores half the value; the read-back byte is signed, so that
    // negative values verify too. An odd value never does.
    const int32_t value8 = option.value8;
    if (!VerifiedWrite(eeprom, kValueAddress, LowByte(value8 / 2), 1,
                       [value8](int32_t readBack) { return 2 * static_cast<int8_t>(LowByte(readBack)) == value8; }))
        return false;

    int32_t flags = 0;
    if (!eeprom.Read(kFlagsAddress, flags, 1)) return false;  // writing now would lose the count bits we could not read
    if (option.flag == 1)
        flags |= 1;
    else if (option.flag == 0)
        flags &= 0xFFFE;
    if (!VerifiedByte(eeprom, kFlagsAddress, flags)) return false;

    const int32_t count = static_cast<uint8_t>(option.count);
    flags = 0;
    if (!eeprom.Read(kFlagsAddress, flags, 1)) return false;
    if (!VerifiedByte(eeprom, kFlagsAddress, (flags & 1) | (count << 1))) return false;

    if (count == 0) return true;
    if (option.pairs == nullptr) return false;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t first = option.pairs[2 * k];
        const int32_t second = option.pairs[2 * k + 1];
        const int32_t address = kPairsAddress + 4 * k;
        if (!VerifiedByte(eeprom, address, first) || !VerifiedByte(eeprom, address + 1, first >> 8) ||
            !VerifiedByte(eeprom, address + 2, second) || !VerifiedByte(eeprom, address + 3, second >> 8))
            return false;
    }
    return true;
}

}  // namespace chipaccess
