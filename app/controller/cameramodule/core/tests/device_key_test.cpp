// The model key from a device instance id, and the board product test.
#include <gtest/gtest.h>

#include "DeviceKey.h"
#include "RotationFollower.h"

namespace vimbrel::controller {
namespace {

TEST(DeviceKeyTest, VendorAndProductAreCutFromTheInstanceId) {
    EXPECT_EQ(DeviceKeyFromInstanceId(u"USB\\VID_0AC8&PID_C302\\5&1234"), u"VID_0AC8&PID_C302");
    // Lower-case ids come out upper-cased; the product may come first.
    EXPECT_EQ(DeviceKeyFromInstanceId(u"usb\\pid_c302&vid_0ac8&mi_00\\6&2f"), u"VID_0AC8&PID_C302");
    // An id that ends early gives a shorter part, never reads beyond it.
    EXPECT_EQ(DeviceKeyFromInstanceId(u"USB\\VID_0AC8&PID_C3"), u"VID_0AC8&PID_C3");
}

TEST(DeviceKeyTest, AnIdWithoutVendorOrProductGivesNoKey) {
    EXPECT_EQ(DeviceKeyFromInstanceId(u"ROOT\\IMAGE\\0000"), std::nullopt);
    EXPECT_EQ(DeviceKeyFromInstanceId(u"USB\\VID_0AC8\\5&1234"), std::nullopt);
    EXPECT_EQ(DeviceKeyFromInstanceId(u""), std::nullopt);
}

TEST(DeviceKeyTest, BoardProductIsComparedInLowerCase) {
    EXPECT_TRUE(ProductContains(u"MB-K4X rev 2", u"K4"));
    EXPECT_TRUE(ProductContains(u"mb-k4x", u"K4"));
    EXPECT_FALSE(ProductContains(u"MB-K5", u"K4"));
    EXPECT_FALSE(ProductContains(u"", u"K4"));
}

TEST(RotationFollowerTest, MirrorGoesOffWhileTurnedAndComesBackOnce) {
    CRotationFollower follower(1);
    EXPECT_EQ(follower.Step(false, 1), std::nullopt);
    EXPECT_EQ(follower.Step(true, 1), 0);             // turned: off
    EXPECT_EQ(follower.Step(true, 0), std::nullopt);  // still turned: nothing
    EXPECT_EQ(follower.Step(false, 0), 1);            // back: the mode it had
    EXPECT_EQ(follower.Step(false, 1), std::nullopt);
}

TEST(RotationFollowerTest, TheModeAtTheTurnIsTheOneRestored) {
    CRotationFollower follower(1);
    // The user switched mirroring off before the camera turned.
    EXPECT_EQ(follower.Step(true, 0), 0);
    EXPECT_EQ(follower.Step(false, 0), 0);
    // A second turn remembers the mode of that moment.
    EXPECT_EQ(follower.Step(true, 1), 0);
    EXPECT_TRUE(follower.IsTurned());
    EXPECT_EQ(follower.Step(false, 0), 1);
}

}  // namespace
}  // namespace vimbrel::controller
