// The record layout and the set/get order of register access, against a
// port that records every call and answers like a driver would.
#include "ChipRegisters.h"

#include <gtest/gtest.h>

#include <vector>

namespace chipaccess {
namespace {

struct Call {
    bool isSet;
    ChipProperty property;
    ChipAccessRecord record;
};

class RecordingPort : public IChipPort {
public:
    ChipCall setResult = ChipCall::Done;
    ChipCall getResult = ChipCall::Done;
    int32_t answer = 0;  // what a get puts in index 7
    std::vector<Call> calls;

    ChipCall Set(ChipProperty property, const ChipAccessRecord& record) override {
        calls.push_back({true, property, record});
        return setResult;
    }
    ChipCall Get(ChipProperty property, ChipAccessRecord& record) override {
        calls.push_back({false, property, record});
        if (getResult == ChipCall::Done) record.fields[7] = answer;
        return getResult;
    }
};

using Fields = std::array<int32_t, 10>;

TEST(ChipAccessRecordLayout, SetAndGetRecordsPutTheirFieldsAtTheDriversOffsets) {
    const ChipAccessRecord set = MakeSetRecord(0x1009, -2, 3, 1);
    EXPECT_EQ((Fields{0, 0, 0, 0, 0, 2, 0x1009, -2, 3, 1}), set.fields);
    const std::array<uint8_t, 40> bytes = RecordBytes(set);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(0, bytes[i]) << i;
    EXPECT_EQ(2, bytes[20]);
    EXPECT_EQ(0x09, bytes[24]);
    EXPECT_EQ(0x10, bytes[25]);
    EXPECT_EQ(0, bytes[26]);
    EXPECT_EQ(0xFE, bytes[28]);  // -2 little-endian: FE FF FF FF
    EXPECT_EQ(0xFF, bytes[31]);
    EXPECT_EQ(3, bytes[32]);
    EXPECT_EQ(1, bytes[36]);

    EXPECT_EQ((Fields{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}), MakeGetRecord().fields);
}

TEST(ChipRegisterAccess, AReadNamesTheAddressWithTheCallersValueThenGetsFromTheSameProperty) {
    RecordingPort port;
    port.answer = 0x5A;
    int32_t value = 77;
    ASSERT_TRUE(ReadAsic(port, 0x1009, value));
    EXPECT_EQ(0x5A, value);
    ASSERT_EQ(2u, port.calls.size());
    EXPECT_TRUE(port.calls[0].isSet);
    EXPECT_EQ(ChipProperty::AsicRead, port.calls[0].property);
    EXPECT_EQ((Fields{0, 0, 0, 0, 0, 2, 0x1009, 77, 0, 0}), port.calls[0].record.fields);
    EXPECT_FALSE(port.calls[1].isSet);
    EXPECT_EQ(ChipProperty::AsicRead, port.calls[1].property);
    EXPECT_EQ((Fields{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}), port.calls[1].record.fields);
}

TEST(ChipRegisterAccess, EachOperationUsesItsPropertyAndBank) {
    struct Case {
        const char* what;
        std::function<bool(IChipPort&)> call;
        ChipProperty property;
        Fields firstRecord;
    };
    int32_t v = 5;
    const Case cases[] = {
        {"WriteAsic",
         [](IChipPort& p) { return WriteAsic(p, 0x20, 9); },
         ChipProperty::AsicWrite,
         {0, 0, 0, 0, 0, 2, 0x20, 9, 0, 0}},
        {"ReadSensor",
         [&](IChipPort& p) { return ReadMemory(p, MemoryBank::Sensor, 0x30, v, 2); },
         ChipProperty::SensorOrEepromRead,
         {0, 0, 0, 0, 0, 2, 0x30, 5, 2, 0}},
        {"WriteEEPROM",
         [](IChipPort& p) { return WriteMemory(p, MemoryBank::Eeprom, 4, 0x3412, 2); },
         ChipProperty::SensorOrEepromWrite,
         {0, 0, 0, 0, 0, 2, 4, 0x3412, 2, 1}},
        {"ReadParameterDEFECT",
         [&](IChipPort& p) { return ReadParameter(p, ParameterKind::Defect, 3, v); },
         ChipProperty::ParameterRead,
         {0, 0, 0, 0, 0, 2, 3, 5, 0, 6}},
        {"WriteParameterAWB",
         [](IChipPort& p) { return WriteParameter(p, ParameterKind::Awb, 7, -1); },
         ChipProperty::ParameterWrite,
         {0, 0, 0, 0, 0, 2, 7, -1, 0, 1}},
        {"ReadHarawareAWBInfo",
         [&](IChipPort& p) { return ReadHardwareInfo(p, HardwareInfoKind::Awb, 2, v); },
         ChipProperty::HardwareInfo,
         {0, 0, 0, 0, 0, 2, 2, 5, 0, 1}},
    };
    for (const Case& c : cases) {
        RecordingPort port;
        port.answer = 5;
        v = 5;
        EXPECT_TRUE(c.call(port)) << c.what;
        ASSERT_FALSE(port.calls.empty()) << c.what;
        EXPECT_EQ(c.property, port.calls[0].property) << c.what;
        EXPECT_EQ(c.firstRecord, port.calls[0].record.fields) << c.what;
    }
}

TEST(ChipRegisterAccess, WritesAreOneSetAndCountersOneGet) {
    RecordingPort port;
    ASSERT_TRUE(WriteAsic(port, 1, 2));
    EXPECT_EQ(1u, port.calls.size());

    port.calls.clear();
    port.answer = 1234;
    int32_t count = -1;
    ASSERT_TRUE(ReadCounter(port, ChipProperty::ErrorFrameCount, count));
    EXPECT_EQ(1234, count);
    ASSERT_EQ(1u, port.calls.size());
    EXPECT_FALSE(port.calls[0].isSet);
    EXPECT_EQ(ChipProperty::ErrorFrameCount, port.calls[0].property);
}

TEST(ChipRegisterAccess, FailuresReportFalseAndLeaveTheCallersValue) {
    RecordingPort port;
    port.setResult = ChipCall::Failed;
    port.answer = 9;
    int32_t value = 41;
    EXPECT_FALSE(ReadAsic(port, 0x1009, value));
    EXPECT_EQ(41, value);
    EXPECT_EQ(1u, port.calls.size()) << "no get after a set that did not name the address";
    EXPECT_FALSE(WriteAsic(port, 1, 1));

    port.setResult = ChipCall::Done;
    port.getResult = ChipCall::Failed;
    port.calls.clear();
    EXPECT_FALSE(ReadAsic(port, 0x1009, value));
    EXPECT_EQ(41, value);
    EXPECT_EQ(2u, port.calls.size());
    EXPECT_FALSE(ReadCounter(port, ChipProperty::TotalFrameCount, value));
    EXPECT_EQ(41, value);
}

TEST(ChipRegisterAccess, WithoutABoundFilterEverythingSucceedsAndReadsKeepTheValue) {
    RecordingPort port;
    port.setResult = ChipCall::NotBound;
    port.getResult = ChipCall::NotBound;
    port.answer = 9;
    int32_t value = 41;
    EXPECT_TRUE(ReadAsic(port, 0x1009, value));
    EXPECT_TRUE(ReadMemory(port, MemoryBank::Eeprom, 0, value, 1));
    EXPECT_TRUE(ReadCounter(port, ChipProperty::TotalFrameCount, value));
    EXPECT_EQ(41, value);
    EXPECT_TRUE(WriteParameter(port, ParameterKind::Shell, 1, 1));
}

}  // namespace
}  // namespace chipaccess
