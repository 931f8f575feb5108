// pivotreg: the rotation status from chip register 0x1009, through chipmill
// and the simulated camera.
#include "HardwareTestSupport.h"
#include "pivotreg.h"

namespace hwtest {
namespace {

using Pivotreg = SimCameraTest;

TEST_F(Pivotreg, WithoutAChipTheCameraCountsAsTurned) {
    EXPECT_EQ(0, InitLib());
    EXPECT_EQ(1, IO_GetRotateStatus());
}

TEST_F(Pivotreg, TurnedWhileBitZeroOfRegister1009IsClear) {
    driver_.ListInstances({SIM_CAMERA2_NAME});
    ASSERT_EQ(1, InitLib());
    const struct {
        int32_t reg;
        int turned;
    } cases[] = {{0, 1}, {1, 0}, {2, 1}, {3, 0}, {-1, 0}, {0x1000, 1}};
    for (const auto& c : cases) {
        SimCameraSetRegister(1, 0x1009, c.reg);
        EXPECT_EQ(c.turned, IO_GetRotateStatus()) << c.reg;
    }
    const std::vector<SimChipCall> calls = CallsOf(1);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(0x1009, calls[0].record[6]);
    EXPECT_EQ(0, calls[0].record[7]) << "the status read starts from 0";

    // A register that cannot be read counts as turned.
    SimCameraSetRegister(1, 0x1009, 1);
    SimCameraFailProperty(1, 0, FALSE, E_FAIL, 1);
    EXPECT_EQ(1, IO_GetRotateStatus());
    EXPECT_EQ(0, IO_GetRotateStatus());
}

TEST_F(Pivotreg, ExportsItsUnusedClassFunctionAndVariable) {
    CLoadedLibrary pivotreg(BinFolder() + L"\\pivotreg.dll");
    ASSERT_NE(nullptr, pivotreg.Get());
    const bool wide = sizeof(void*) == 8;
    auto fn = pivotreg.Proc<int (*)()>("?fnPivotReg@@YAHXZ");
    ASSERT_NE(nullptr, fn);
    EXPECT_EQ(42, fn());
    EXPECT_EQ(42, fnPivotReg());
    EXPECT_NE(nullptr, pivotreg.Address("?nPivotReg@@3HA"));
    EXPECT_NE(nullptr, pivotreg.Address(wide ? "??0CPivotReg@@QEAA@XZ" : "??0CPivotReg@@QAE@XZ"));
    EXPECT_NE(nullptr, pivotreg.Address(wide ? "??4CPivotReg@@QEAAAEAV0@AEBV0@@Z" : "??4CPivotReg@@QAEAAV0@ABV0@@Z"));
    EXPECT_EQ(pivotreg.Address("_Z7InitLibv"), pivotreg.Address("?InitLib@@YAHXZ"));
    EXPECT_EQ(pivotreg.Address("_Z18IO_GetRotateStatusv"), pivotreg.Address("?IO_GetRotateStatus@@YAHXZ"));
    CPivotReg a;
    CPivotReg b;
    b = a;
}

}  // namespace
}  // namespace hwtest
