// The option block the chip keeps in its EEPROM, written one verified field
// at a time:
//
//   0..3   signature 0x32 0x30 0x31 0x41
//   4..5   first id, its two low bytes swapped (one 2-byte write)
//   6..7   second id, swapped the same way
//   8      the 8-bit value divided by 2
//   9      bit 0 the flag, bits 1-7 the pair count
//   10..11 untouched
//   12+4k  pair k: low byte and bits 8-15 of its first int, then of its second
#pragma once

#include <cstdint>

namespace chipaccess {

class IEepromAccess {
public:
    virtual ~IEepromAccess() = default;
    virtual bool Write(int32_t address, int32_t value, int32_t length) = 0;
    virtual bool Read(int32_t address, int32_t& value, int32_t length) = 0;
};

struct EepromOption {
    int32_t id1 = 0;
    int32_t id2 = 0;
    int8_t value8 = 0;
    int8_t flag = 0;                 // 1 sets bit 0 of byte 9, 0 clears it, anything else keeps it
    int8_t count = 0;                // number of pairs, read as an unsigned byte
    const int32_t* pairs = nullptr;  // 2 * count ints
};

// Every write is tried up to this many times until its read-back verifies.
constexpr int kEepromWriteTries = 5;

// The two low bytes of an id, exchanged.
int32_t SwapLowBytes(int32_t id);

// Writes the block. A field whose read-back never verifies does not fail
// the call (the EEPROM may be write-protected in parts); a field whose last
// read-back fails does, and nothing after it is written. Also refused: pairs
// asked for but not given, and a byte 9 whose old bits cannot be read.
bool WriteEepromOption(IEepromAccess& eeprom, const EepromOption& option);

}  // namespace chipaccess
