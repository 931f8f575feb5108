// chipmill against the simulated camera: which device it binds, the records
// each export sends, what reads return, and the EEPROM option block.
#include "HardwareTestSupport.h"
#include "chipmill.h"

#include <array>
#include <functional>

namespace hwtest {
namespace {

using Record = std::array<int32_t, 10>;

Record RecordOf(const SimChipCall& call) {
    Record record;
    for (int i = 0; i < 10; ++i) record[i] = call.record[i];
    return record;
}

class Chipmill : public SimCameraTest {
protected:
    // Binds the first simulated camera through the driver's registry data.
    void BindFirstCamera() {
        driver_.ListInstances({SIM_CAMERA_NAME});
        ASSERT_EQ(1, InitialLIB());
    }
};

TEST_F(Chipmill, WithNothingBoundEveryExportSucceedsAndReadsKeepTheValue) {
    long value = 1234;
    EXPECT_EQ(1, ReadAsic(0x1009, &value));
    EXPECT_EQ(1, ReadEEPROM(0, &value, 1));
    EXPECT_EQ(1, ReadTotalFrameCount(&value));
    EXPECT_EQ(1234, value);
    EXPECT_EQ(1, WriteAsic(1, 2));
    EXPECT_EQ(1, WriteParameterDEFECT(1, 2));
    EXPECT_EQ(0, SimCameraCallCount(0) + SimCameraCallCount(1));
    EXPECT_EQ(0, ReadAsic(0x1009, nullptr)) << "a null place for the value is refused";
}

TEST_F(Chipmill, BindsTheDeviceTheLastListedDriverInstanceNames) {
    driver_.ListInstances({SIM_CAMERA_NAME, SIM_CAMERA2_NAME});
    ASSERT_EQ(1, InitialLIB());
    SimCameraSetRegister(0, 0x20, 100);
    SimCameraSetRegister(1, 0x20, 200);
    long value = 0;
    ASSERT_EQ(1, ReadAsic(0x20, &value));
    EXPECT_EQ(200, value);
    EXPECT_EQ(0, SimCameraCallCount(0));

    // Binding again replaces the filter; the old one is released.
    driver_.ListInstances({SIM_CAMERA_NAME});
    ASSERT_EQ(1, InitialLIB());
    ASSERT_EQ(1, ReadAsic(0x20, &value));
    EXPECT_EQ(100, value);
    EXPECT_EQ(1, SimCameraLiveFilters());
    UNInitialLIB();
    EXPECT_EQ(0, SimCameraLiveFilters());
}

TEST_F(Chipmill, FindsNoDeviceWithoutUsableDriverData) {
    EXPECT_EQ(0, InitialLIB()) << "no driver key";
    driver_.WriteCountOnly(0);
    EXPECT_EQ(0, InitialLIB()) << "InstanceIndex 0";
    driver_.Clear();
    driver_.ListMissingInstance();
    EXPECT_EQ(0, InitialLIB()) << "an instance key that cannot be opened";
    driver_.Clear();
    driver_.ListInstances({L"Vimbrel Sim Chip camera"});
    EXPECT_EQ(0, InitialLIB()) << "names compare with case";
    driver_.ListInstances({SIM_CAMERA2_NAME});
    SimCameraFailCreation(1, E_OUTOFMEMORY);
    EXPECT_EQ(0, InitialLIB()) << "the device cannot be bound";
    EXPECT_EQ(0, SimCameraLiveFilters());
}

TEST_F(Chipmill, AReadIsASetNamingTheAddressThenAGetOfTheSameRecordSize) {
    BindFirstCamera();
    SimCameraSetRegister(0, 0x1009, 0x35);
    long value = 7;
    ASSERT_EQ(1, ReadAsic(0x1009, &value));
    EXPECT_EQ(0x35, value);
    const std::vector<SimChipCall> calls = CallsOf(0);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(0, calls[0].property);
    EXPECT_EQ(1, calls[0].isSet);
    EXPECT_EQ((Record{0, 0, 0, 0, 0, 2, 0x1009, 7, 0, 0}), RecordOf(calls[0]));
    EXPECT_EQ(0, calls[1].property);
    EXPECT_EQ(0, calls[1].isSet);
    EXPECT_EQ((Record{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}), RecordOf(calls[1]));
    for (const SimChipCall& call : calls) {
        EXPECT_EQ(40u, call.instanceBytes);
        EXPECT_EQ(40u, call.dataBytes);
        EXPECT_EQ(1, call.sameBuffer);
    }
}

TEST_F(Chipmill, EveryReadReachesItsPropertyBankAndKind) {
    BindFirstCamera();
    SimCameraSetMemoryByte(0, 0, 0x10, 0x34);  // sensor
    SimCameraSetMemoryByte(0, 0, 0x11, 0x12);
    SimCameraSetMemoryByte(0, 1, 0x10, 0x56);  // EEPROM
    for (int kind = 0; kind < 7; ++kind) SimCameraSetParameter(0, kind, 3, 1000 + kind);
    SimCameraSetHardwareInfo(0, 0, 2, -5);
    SimCameraSetHardwareInfo(0, 1, 2, -6);
    SimCameraSetFrameCounts(0, 900, 12);

    using Read = std::function<int(long*)>;
    const struct {
        const char* name;
        Read read;
        long expected;
    } reads[] = {
        {"ReadSensor", [](long* v) { return ReadSensor(0x10, v, 2); }, 0x1234},
        {"ReadEEPROM", [](long* v) { return ReadEEPROM(0x10, v, 1); }, 0x56},
        {"ReadParameterAE", [](long* v) { return ReadParameterAE(3, v); }, 1000},
        {"ReadParameterAWB", [](long* v) { return ReadParameterAWB(3, v); }, 1001},
        {"ReadParameterASIC", [](long* v) { return ReadParameterASIC(3, v); }, 1002},
        {"ReadParameterSENSOR", [](long* v) { return ReadParameterSENSOR(3, v); }, 1003},
        {"ReadParameterASC", [](long* v) { return ReadParameterASC(3, v); }, 1004},
        {"ReadParameterSHELL", [](long* v) { return ReadParameterSHELL(3, v); }, 1005},
        {"ReadParameterDEFECT", [](long* v) { return ReadParameterDEFECT(3, v); }, 1006},
        {"ReadHarawareAEInfo", [](long* v) { return ReadHarawareAEInfo(2, v); }, -5},
        {"ReadHarawareAWBInfo", [](long* v) { return ReadHarawareAWBInfo(2, v); }, -6},
        {"ReadTotalFrameCount", [](long* v) { return ReadTotalFrameCount(v); }, 900},
        {"ReadErrorFrameCount", [](long* v) { return ReadErrorFrameCount(v); }, 12},
    };
    for (const auto& r : reads) {
        long value = -1;
        EXPECT_EQ(1, r.read(&value)) << r.name;
        EXPECT_EQ(r.expected, value) << r.name;
    }
    // The counters are a get only: 11 reads of two calls, 2 of one.
    EXPECT_EQ(24, SimCameraCallCount(0));
}

TEST_F(Chipmill, WritesChangeTheChip) {
    BindFirstCamera();
    EXPECT_EQ(1, WriteAsic(0x1009, 0x77));
    EXPECT_EQ(0x77, SimCameraRegister(0, 0x1009));
    EXPECT_EQ(1, WriteSensor(0x20, 0xABCD, 2));
    EXPECT_EQ(0xCD, SimCameraMemoryByte(0, 0, 0x20));
    EXPECT_EQ(0xAB, SimCameraMemoryByte(0, 0, 0x21));
    EXPECT_EQ(0, SimCameraMemoryByte(0, 1, 0x20)) << "the sensor write left the EEPROM alone";
    EXPECT_EQ(1, WriteEEPROM(0x30, 0x99, 1));
    EXPECT_EQ(0x99, SimCameraMemoryByte(0, 1, 0x30));
    int (*const writers[])(long, long) = {WriteParameterAE,     WriteParameterAWB, WriteParameterASIC,
                                          WriteParameterSENSOR, WriteParameterASC, WriteParameterSHELL,
                                          WriteParameterDEFECT};
    for (int kind = 0; kind < 7; ++kind) {
        EXPECT_EQ(1, writers[kind](9, 50 + kind)) << kind;
        EXPECT_EQ(50 + kind, SimCameraParameter(0, kind, 9)) << kind;
    }
    const SimChipCall last = CallsOf(0).back();
    EXPECT_EQ(5, last.property);
    EXPECT_EQ((Record{0, 0, 0, 0, 0, 2, 9, 56, 0, 6}), RecordOf(last));
}

TEST_F(Chipmill, DriverFailuresAreReportedAndLeaveTheValue) {
    BindFirstCamera();
    SimCameraSetRegister(0, 0x10, 5);
    long value = 41;
    SimCameraFailProperty(0, 0, TRUE, E_FAIL, 1);
    EXPECT_EQ(0, ReadAsic(0x10, &value));
    EXPECT_EQ(41, value);
    SimCameraFailProperty(0, 0, FALSE, E_FAIL, 1);
    EXPECT_EQ(0, ReadAsic(0x10, &value));
    EXPECT_EQ(41, value);
    SimCameraFailProperty(0, 1, TRUE, S_FALSE, 1);
    EXPECT_EQ(0, WriteAsic(0x10, 6)) << "only S_OK counts as done";
    EXPECT_EQ(1, ReadAsic(0x10, &value));
    EXPECT_EQ(5, value);

    SimCameraOfferPropertySet(0, FALSE);
    EXPECT_EQ(0, ReadAsic(0x10, &value));
    EXPECT_EQ(0, WriteAsic(0x10, 6));
    EXPECT_EQ(0, ReadErrorFrameCount(&value));
}

TEST_F(Chipmill, TheOptionBlockLandsInTheEepromAsLaidOut) {
    BindFirstCamera();
    SimCameraSetMemoryByte(0, 1, 9, 0xF0);
    SimCameraSetMemoryByte(0, 1, 10, 0xAA);
    SimCameraSetMemoryByte(0, 1, 20, 0xBB);
    int pairs[] = {0x1234, 0x5678, 0x00AB, 0xFFFF};
    ASSERT_EQ(1, WriteEEPROMOption(0x0AC8, 0xC302, 100, 1, 2, pairs));
    const uint8_t expected[21] = {0x32, 0x30, 0x31, 0x41, 0x0A, 0xC8, 0xC3, 0x02, 50,   0x05, 0xAA,
                                  0x00, 0x34, 0x12, 0x78, 0x56, 0xAB, 0x00, 0xFF, 0xFF, 0xBB};
    for (int i = 0; i < 21; ++i) EXPECT_EQ(expected[i], SimCameraMemoryByte(0, 1, i)) << "byte " << i;

    // The ids went in as one 2-byte write each.
    bool sawIdWrite = false;
    for (const SimChipCall& call : CallsOf(0)) {
        if (call.isSet && call.property == 3 && call.record[6] == 4) {
            EXPECT_EQ((Record{0, 0, 0, 0, 0, 2, 4, 0xC80A, 2, 1}), RecordOf(call));
            sawIdWrite = true;
        }
    }
    EXPECT_TRUE(sawIdWrite);
}

TEST_F(Chipmill, OptionWritesRetryUpToFiveTimesAndFailOnlyOnAFailedRead) {
    BindFirstCamera();
    SimCameraDropEepromWrites(0, 0, 2);
    SimCameraDropEepromWrites(0, 8, 100);
    ASSERT_EQ(1, WriteEEPROMOption(1, 2, 6, 0, 0, nullptr));
    int writesTo0 = 0;
    int writesTo8 = 0;
    int writesPast9 = 0;
    for (const SimChipCall& call : CallsOf(0)) {
        if (call.isSet && call.property == 3) {
            writesTo0 += call.record[6] == 0;
            writesTo8 += call.record[6] == 8;
            writesPast9 += call.record[6] > 9;
        }
    }
    EXPECT_EQ(3, writesTo0);
    EXPECT_EQ(5, writesTo8);
    EXPECT_EQ(0, writesPast9) << "a count of 0 stops after byte 9";
    EXPECT_EQ(0x32, SimCameraMemoryByte(0, 1, 0));

    SimCameraReset();
    BindFirstCamera();
    SimCameraFailProperty(0, 2, FALSE, E_FAIL, -1);
    EXPECT_EQ(0, WriteEEPROMOption(1, 2, 6, 0, 0, nullptr));
    EXPECT_EQ(5, SimCameraCallCount(0) / 3) << "five tries of the first byte: write, set, get each";

    SimCameraReset();
    BindFirstCamera();
    EXPECT_EQ(0, WriteEEPROMOption(1, 2, 6, 0, 1, nullptr)) << "pairs asked for but not given";
}

TEST_F(Chipmill, ExportsCarryWindowsDecoratedNamesToo) {
    CLoadedLibrary chipmill(BinFolder() + L"\\chipmill.dll");
    ASSERT_NE(nullptr, chipmill.Get());
    const bool wide = sizeof(void*) == 8;
    const std::string p = wide ? "PEA" : "PA";
    const struct {
        std::string decorated;
        const char* encoded;
    } names[] = {
        {"?InitialLIB@@YAHXZ", "_Z10InitialLIBv"},
        {"?UNInitialLIB@@YAXXZ", "_Z12UNInitialLIBv"},
        {"?ReadAsic@@YAHJ" + p + "J@Z", "_Z8ReadAsiclPl"},
        {"?WriteAsic@@YAHJJ@Z", "_Z9WriteAsicll"},
        {"?ReadSensor@@YAHJ" + p + "JJ@Z", "_Z10ReadSensorlPll"},
        {"?WriteEEPROM@@YAHJJJ@Z", "_Z11WriteEEPROMlll"},
        {"?ReadParameterSHELL@@YAHJ" + p + "J@Z", "_Z18ReadParameterSHELLlPl"},
        {"?WriteParameterDEFECT@@YAHJJ@Z", "_Z20WriteParameterDEFECTll"},
        {"?ReadTotalFrameCount@@YAH" + p + "J@Z", "_Z19ReadTotalFrameCountPl"},
        {"?ReadHarawareAWBInfo@@YAHJ" + p + "J@Z", "_Z19ReadHarawareAWBInfolPl"},
        {"?WriteEEPROMOption@@YAHHHDDD" + p + "H@Z", "_Z17WriteEEPROMOptioniicccPi"},
    };
    for (const auto& name : names) {
        const FARPROC decorated = chipmill.Address(name.decorated.c_str());
        EXPECT_NE(nullptr, decorated) << name.decorated;
        EXPECT_EQ(chipmill.Address(name.encoded), decorated) << name.decorated;
    }
}

}  // namespace
}  // namespace hwtest
