// The camera modules' controls and the remembered device.
#include "CameraModuleRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace cameramodule {
namespace {

TEST(CameraModuleControls, OnlyTheRotationStatusIsOfferedAndOnlyByTheLensBuilds) {
    EXPECT_EQ(0x10, CapabilityMask(ModuleBuild::Rotation));
    EXPECT_EQ(0x10, CapabilityMask(ModuleBuild::VendorInterface));
    EXPECT_EQ(0, CapabilityMask(ModuleBuild::Null));

    for (ModuleBuild build : {ModuleBuild::Rotation, ModuleBuild::VendorInterface}) {
        const std::optional<ControlRange> range = RangeOf(build, 16);
        ASSERT_TRUE(range);
        EXPECT_EQ(0, range->minimum);
        EXPECT_EQ(1, range->maximum);
        EXPECT_EQ(1, range->step);
        EXPECT_EQ(0, range->defaultValue);
        for (int other : {0, 1, 2, 4, 8, 32, 17, -16}) EXPECT_FALSE(RangeOf(build, other)) << other;
    }
    for (int id : {1, 2, 3, 8, 16}) EXPECT_FALSE(RangeOf(ModuleBuild::Null, id)) << id;
}

TEST(CameraModuleControls, TurnedIsRegisterBitZeroClearOrTheVendorsThirdInt) {
    EXPECT_EQ(1, RotationFromRegister(0));
    EXPECT_EQ(0, RotationFromRegister(1));
    EXPECT_EQ(1, RotationFromRegister(0xFE));
    EXPECT_EQ(0, RotationFromRegister(-1));

    EXPECT_EQ((VendorBuffer{0, 29, 0, 0, 0}), VendorRotationRequest());
    EXPECT_EQ(7, RotationFromVendorReply(VendorBuffer{1, 2, 7, 3, 4}));
}

TEST(CameraModuleDevice, SelectionLooksOnlyForNewNamesAndEmptiesOnAMiss) {
    DeviceSelection selection;
    std::vector<std::u16string> looked;
    bool present = true;
    const DeviceSelection::Finder find = [&](const std::u16string& name) {
        looked.push_back(name);
        return present;
    };

    EXPECT_FALSE(selection.Select(nullptr, find));
    EXPECT_TRUE(looked.empty());

    EXPECT_TRUE(selection.Select(u"Camera A", find));
    EXPECT_TRUE(selection.Select(u"Camera A", find));
    EXPECT_EQ(1u, looked.size()) << "the same name again is not looked up";
    EXPECT_EQ(u"Camera A", selection.Name());

    EXPECT_FALSE(selection.Select(nullptr, find));
    EXPECT_TRUE(selection.HasDevice()) << "a null name changes nothing";

    present = false;
    EXPECT_FALSE(selection.Select(u"Camera a", find));
    EXPECT_FALSE(selection.HasDevice());
    EXPECT_FALSE(selection.Select(u"", find));
    EXPECT_EQ(3u, looked.size()) << "with nothing selected even an empty name is looked for";
    present = true;
    EXPECT_TRUE(selection.Select(u"Camera A", find));
    EXPECT_EQ(4u, looked.size());
}

}  // namespace
}  // namespace cameramodule
