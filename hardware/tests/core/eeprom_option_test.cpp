// The option block against an EEPROM kept in memory: the bytes it ends up
// holding (worked out by hand from the block's layout), how often each field
// is written when read-backs do not verify, and where a failed read stops it.
#include "EepromOption.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

namespace chipaccess {
namespace {

class MemoryEeprom : public IEepromAccess {
public:
    MemoryEeprom() { bytes.fill(0xEE); }

    std::array<uint8_t, 64> bytes;
    std::map<int32_t, int> writesToDrop;  // address -> writes that do not stick
    std::map<int32_t, int> readsToFail;   // address -> reads that fail (-1: all)
    std::vector<int32_t> writtenAddresses;

    bool Write(int32_t address, int32_t value, int32_t length) override {
        writtenAddresses.push_back(address);
        if (writesToDrop[address] > 0) {
            --writesToDrop[address];
            return true;
        }
        for (int32_t i = 0; i < length; ++i) bytes.at(address + i) = static_cast<uint8_t>(value >> (8 * i));
        return true;
    }
    bool Read(int32_t address, int32_t& value, int32_t length) override {
        int& failing = readsToFail[address];
        if (failing != 0) {
            if (failing > 0) --failing;
            return false;
        }
        value = 0;
        for (int32_t i = 0; i < length; ++i) value |= bytes.at(address + i) << (8 * i);
        return true;
    }
    int WritesTo(int32_t address) const {
        int n = 0;
        for (int32_t a : writtenAddresses) n += a == address;
        return n;
    }
};

TEST(EepromOption, WritesTheWholeBlockAsLaidOut) {
    MemoryEeprom eeprom;
    eeprom.bytes[9] = 0xF0;
    const int32_t pairs[] = {0x1234, 0x5678, 0x00AB, 0xFFFF};
    EepromOption option;
    option.id1 = 0x1234;
    option.id2 = 0x0AC8;
    option.value8 = 100;
    option.flag = 1;
    option.count = 2;
    option.pairs = pairs;
    ASSERT_TRUE(WriteEepromOption(eeprom, option));

    const uint8_t expected[20] = {0x32, 0x30, 0x31, 0x41,  // signature
                                  0x12, 0x34, 0x0A, 0xC8,  // ids, high byte first
                                  50,                      // 100 / 2
                                  0x05,                    // flag 1, count 2
                                  0xEE, 0xEE,              // untouched
                                  0x34, 0x12, 0x78, 0x56, 0xAB, 0x00, 0xFF, 0xFF};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(expected[i], eeprom.bytes[i]) << "byte " << i;
    EXPECT_EQ(0xEE, eeprom.bytes[20]);
    // Every field verified at the first try: 4 + 2 + 1 + 2 + 8 writes.
    EXPECT_EQ(17u, eeprom.writtenAddresses.size());
}

TEST(EepromOption, CountZeroStopsAfterByteNineAndFlagChoosesBitZero) {
    struct Case {
        int8_t flag;
        uint8_t before;
        uint8_t after;
    };
    // Byte 9 ends as (bit 0 after the flag step) | count << 1 with count 0.
    for (const Case& c :
         {Case{0, 0xFF, 0x00}, Case{1, 0x00, 0x01}, Case{2, 0x01, 0x01}, Case{2, 0xFE, 0x00}, Case{-1, 0x03, 0x01}}) {
        MemoryEeprom eeprom;
        eeprom.bytes[9] = c.before;
        EepromOption option;
        option.flag = c.flag;
        ASSERT_TRUE(WriteEepromOption(eeprom, option)) << int(c.flag);
        EXPECT_EQ(c.after, eeprom.bytes[9]) << int(c.flag) << " from " << int(c.before);
        for (int32_t a : eeprom.writtenAddresses) EXPECT_LE(a, 9);
        EXPECT_EQ(0xEE, eeprom.bytes[12]);
    }
}

TEST(EepromOption, HalfValuesVerifyForNegativesButOddValuesTakeEveryTry) {
    MemoryEeprom eeprom;
    EepromOption option;
    option.value8 = -100;
    ASSERT_TRUE(WriteEepromOption(eeprom, option));
    EXPECT_EQ(0xCE, eeprom.bytes[8]);  // -50
    EXPECT_EQ(1, eeprom.WritesTo(8));

    MemoryEeprom odd;
    option.value8 = 7;
    ASSERT_TRUE(WriteEepromOption(odd, option)) << "a value that never verifies does not fail";
    EXPECT_EQ(3, odd.bytes[8]);
    EXPECT_EQ(kEepromWriteTries, odd.WritesTo(8));
    EXPECT_EQ(2, odd.WritesTo(9)) << "the call goes on after the odd value: flag, then count";
}

TEST(EepromOption, WritesThatDoNotStickAreRetriedUpToFiveTimes) {
    MemoryEeprom eeprom;
    eeprom.writesToDrop[2] = 3;   // the fourth write of the signature's third byte sticks
    eeprom.writesToDrop[4] = 99;  // the first id never gets written
    EepromOption option;
    option.id1 = 0x0102;
    option.id2 = 0x0304;
    ASSERT_TRUE(WriteEepromOption(eeprom, option));
    EXPECT_EQ(4, eeprom.WritesTo(2));
    EXPECT_EQ(0x31, eeprom.bytes[2]);
    EXPECT_EQ(5, eeprom.WritesTo(4));
    EXPECT_EQ(0xEE, eeprom.bytes[4]);
    EXPECT_EQ(0x03, eeprom.bytes[6]);
    EXPECT_EQ(0x04, eeprom.bytes[7]);
}

TEST(EepromOption, OnlyAFailedLastReadFailsAStepAndStopsTheRest) {
    // Two failed read-backs, then one that verifies: the step succeeds.
    MemoryEeprom recovering;
    recovering.readsToFail[1] = 2;
    EXPECT_TRUE(WriteEepromOption(recovering, EepromOption{}));
    EXPECT_EQ(3, recovering.WritesTo(1));

    // Every read-back of byte 1 fails: five writes, then the call gives up.
    MemoryEeprom failing;
    failing.readsToFail[1] = -1;
    EXPECT_FALSE(WriteEepromOption(failing, EepromOption{}));
    EXPECT_EQ(5, failing.WritesTo(1));
    EXPECT_EQ(0, failing.WritesTo(2));

    // Byte 9 cannot be read before the flag goes in: nothing is written there.
    MemoryEeprom flags;
    flags.readsToFail[9] = 1;
    flags.bytes[9] = 0x06;
    EXPECT_FALSE(WriteEepromOption(flags, EepromOption{}));
    EXPECT_EQ(0, flags.WritesTo(9));
    EXPECT_EQ(0x06, flags.bytes[9]);
}

TEST(EepromOption, CountsAreUnsignedBytesAndPairsMustBeGiven) {
    EepromOption option;
    option.count = 2;
    MemoryEeprom noPairs;
    EXPECT_FALSE(WriteEepromOption(noPairs, option));
    EXPECT_EQ(0xEE, noPairs.bytes[12]);

    // A count of -127 is 129 pairs; 129 << 1 keeps its low seven bits in byte 9.
    std::vector<int32_t> pairs(2 * 129, 0);
    pairs[2 * 128] = 0x0201;
    option.count = -127;
    option.pairs = pairs.data();
    class Big : public MemoryEeprom {
    public:
        std::array<uint8_t, 12 + 4 * 129> wide{};
        bool Write(int32_t address, int32_t value, int32_t length) override {
            writtenAddresses.push_back(address);
            for (int32_t i = 0; i < length; ++i) wide.at(address + i) = static_cast<uint8_t>(value >> (8 * i));
            return true;
        }
        bool Read(int32_t address, int32_t& value, int32_t length) override {
            value = 0;
            for (int32_t i = 0; i < length; ++i) value |= wide.at(address + i) << (8 * i);
            return true;
        }
    } big;
    ASSERT_TRUE(WriteEepromOption(big, option));
    EXPECT_EQ(0x02, big.wide[9]);  // (129 << 1) & 0xFF, bit 0 cleared by flag 0
    EXPECT_EQ(0x01, big.wide[12 + 4 * 128]);
    EXPECT_EQ(0x02, big.wide[13 + 4 * 128]);
}

TEST(EepromOption, SwapExchangesTheTwoLowBytesOnly) {
    EXPECT_EQ(0x3412, SwapLowBytes(0x1234));
    EXPECT_EQ(0xC80A, SwapLowBytes(0x0AC8));
    EXPECT_EQ(0x3412, SwapLowBytes(0x7F1234));
}

}  // namespace
}  // namespace chipaccess
