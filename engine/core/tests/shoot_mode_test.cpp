#include "engine/core/ShootMode.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace camera {
namespace {

// A camera and filter that log what a shoot mode does to them. Gamma and
// exposure can each be taken away, as on cameras without those controls.
class CLoggingTarget : public IShootModeTarget {
public:
    bool hasGamma = true;
    bool hasExposure = true;
    long gamma = 100;
    long exposure = -6;
    std::vector<std::string> calls;

    bool GetGamma(long& value) override {
        value = gamma;
        return hasGamma;
    }
    bool SetGamma(long value) override {
        calls.push_back("gamma " + std::to_string(value));
        if (hasGamma) gamma = value;
        return hasGamma;
    }
    bool GetExposure(long& value) override {
        value = exposure;
        return hasExposure;
    }
    bool SetExposure(long value) override {
        calls.push_back("exposure " + std::to_string(value));
        if (hasExposure) exposure = value;
        return hasExposure;
    }
    bool SetGammaCorrect(bool on) override {
        calls.push_back(on ? "correct on" : "correct off");
        return true;
    }
    bool ApplyShootGamma(bool on) override {
        calls.push_back(on ? "tint on" : "tint off");
        return true;
    }
};

using Calls = std::vector<std::string>;

TEST(ShootMode, ModeZeroLiftsGammaAndOpensExposureThenLeavingRestoresGammaAndSetsFifty) {
    EngineValues values;
    CLoggingTarget target;
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_EQ(Calls({"gamma 105", "exposure 70"}), target.calls);
    EXPECT_EQ(0, values.shootMode);
    EXPECT_EQ(100, values.savedGamma);
    EXPECT_EQ(-6, values.savedExposure);

    // Asking for the current mode again does nothing at all.
    target.calls.clear();
    EXPECT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_TRUE(target.calls.empty());

    // The exposure goes to 50, not back to the -6 it was.
    ASSERT_EQ(1, ChangeShootMode(values, 2, target));
    EXPECT_EQ(Calls({"gamma 100", "correct off", "exposure 50"}), target.calls);
    EXPECT_EQ(100, target.gamma);
    EXPECT_EQ(50, target.exposure);
    EXPECT_EQ(2, values.shootMode);
}

TEST(ShootMode, CameraWithoutGammaGetsTheFiltersCorrectionInstead) {
    EngineValues values;
    values.savedGamma = 80;  // from an earlier camera
    CLoggingTarget target;
    target.hasGamma = false;
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_EQ(Calls({"correct on", "exposure 70"}), target.calls);
    EXPECT_EQ(-1, values.savedGamma);

    target.calls.clear();
    ASSERT_EQ(1, ChangeShootMode(values, 4, target));
    EXPECT_EQ(Calls({"correct off", "exposure 50"}), target.calls);
}

TEST(ShootMode, UnreadableExposureKeepsTheValueSavedBefore) {
    EngineValues values;
    CLoggingTarget target;
    target.hasExposure = false;
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_EQ(Calls({"gamma 105"}), target.calls);
    EXPECT_EQ(-1, values.savedExposure);
    target.calls.clear();
    ASSERT_EQ(1, ChangeShootMode(values, 6, target));
    EXPECT_EQ(Calls({"gamma 100", "correct off"}), target.calls);

    // Once an exposure was read it stays saved, so a later camera without
    // one is still set to 50 on leaving.
    target.hasExposure = true;
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    target.hasExposure = false;
    target.calls.clear();
    ASSERT_EQ(1, ChangeShootMode(values, 3, target));
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_EQ(-6, values.savedExposure);
    target.calls.clear();
    ASSERT_EQ(1, ChangeShootMode(values, 5, target));
    EXPECT_EQ(Calls({"gamma 100", "correct off", "exposure 50"}), target.calls);
}

TEST(ShootMode, ModeOneTintsAndLeavingUntints) {
    EngineValues values;
    CLoggingTarget target;
    ASSERT_EQ(1, ChangeShootMode(values, 1, target));
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    ASSERT_EQ(1, ChangeShootMode(values, 1, target));
    EXPECT_EQ(Calls({"tint on", "tint off", "gamma 105", "exposure 70", "gamma 100", "correct off", "exposure 50",
                     "tint on"}),
              target.calls);
}

TEST(ShootMode, UnknownModesLeaveTheCurrentOneButKeepItsNumber) {
    for (int bad : {7, -1, -7, 1000}) {
        EngineValues values;
        CLoggingTarget target;
        ASSERT_EQ(1, ChangeShootMode(values, 0, target));
        target.calls.clear();
        EXPECT_EQ(0, ChangeShootMode(values, bad, target)) << bad;
        EXPECT_EQ(Calls({"gamma 100", "correct off", "exposure 50"}), target.calls) << bad;
        EXPECT_EQ(0, values.shootMode) << bad;
        // Still "in" mode 0, so asking for it again is a no-op.
        target.calls.clear();
        EXPECT_EQ(1, ChangeShootMode(values, 0, target));
        EXPECT_TRUE(target.calls.empty());
    }
}

TEST(ShootMode, HighestGammaIsNotLiftedPastTheLargestValue) {
    EngineValues values;
    CLoggingTarget target;
    target.gamma = LONG_MAX - 2;
    ASSERT_EQ(1, ChangeShootMode(values, 0, target));
    EXPECT_EQ("gamma " + std::to_string(LONG_MAX), target.calls.front());
}

}  // namespace
}  // namespace camera
