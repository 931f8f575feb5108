#include "engine/core/DeviceNameRules.h"

#include <gtest/gtest.h>

namespace camera {
namespace {

TEST(AudioDeviceNames, TunerAndAnalogSourcesAreLeftOutInAnyLetterCase) {
    EXPECT_TRUE(IsTunerOrAnalogName(u"TV Tuner Audio"));
    EXPECT_TRUE(IsTunerOrAnalogName(u"WDM TUNER"));
    EXPECT_TRUE(IsTunerOrAnalogName(u"Analog Mixer"));
    EXPECT_TRUE(IsTunerOrAnalogName(u"Line (AnAlOg)"));
    EXPECT_TRUE(IsTunerOrAnalogName(u"xtunerx"));
    EXPECT_FALSE(IsTunerOrAnalogName(u"USB Microphone"));
    EXPECT_FALSE(IsTunerOrAnalogName(u"Tune r"));
    EXPECT_FALSE(IsTunerOrAnalogName(u"Analo"));
    EXPECT_FALSE(IsTunerOrAnalogName(u""));
}

TEST(MicrophonePins, NameMustBeginWithMicInAnyCaseOrTheChineseWord) {
    EXPECT_TRUE(IsMicrophonePinName(u"Microphone"));
    EXPECT_TRUE(IsMicrophonePinName(u"MIC In"));
    EXPECT_TRUE(IsMicrophonePinName(u"mIc"));
    EXPECT_TRUE(IsMicrophonePinName(u"\u9EA5\u514B\u98A8"));
    EXPECT_TRUE(IsMicrophonePinName(u"\u9EA5\u514B\u98A8 1"));
    // The word has to open the name, not merely appear in it.
    EXPECT_FALSE(IsMicrophonePinName(u"Front Mic"));
    EXPECT_FALSE(IsMicrophonePinName(u"1 \u9EA5\u514B\u98A8"));
    EXPECT_FALSE(IsMicrophonePinName(u"mi"));
    EXPECT_FALSE(IsMicrophonePinName(u"\u9EA5\u514B"));
    EXPECT_FALSE(IsMicrophonePinName(u"Line In"));
    EXPECT_FALSE(IsMicrophonePinName(u""));
}

TEST(FilterNames, MatchOverTheLengthOfTheWantedNameCaseSensitively) {
    EXPECT_TRUE(FriendlyNameStartsWith(u"Vimbrel_Effect", u"Vimbrel_Effect"));
    EXPECT_TRUE(FriendlyNameStartsWith(u"Vimbrel_Effect (second)", u"Vimbrel_Effect"));
    EXPECT_TRUE(FriendlyNameStartsWith(u"Smart Tee", u"Smart Tee"));
    EXPECT_FALSE(FriendlyNameStartsWith(u"vimbrel_effect", u"Vimbrel_Effect"));
    EXPECT_FALSE(FriendlyNameStartsWith(u"Vimbrel_Eff", u"Vimbrel_Effect"));
    EXPECT_FALSE(FriendlyNameStartsWith(u"My Vimbrel_Effect", u"Vimbrel_Effect"));
}

TEST(PinNames, ContainTheWantedPartIgnoringCase) {
    EXPECT_TRUE(PinNameContains(u"Preview", u"Preview"));
    EXPECT_TRUE(PinNameContains(u"Video Input 01", u"Video"));
    EXPECT_TRUE(PinNameContains(u"Audio Input 01", u"audio"));
    EXPECT_TRUE(PinNameContains(u"CAPTURE", u"Capture"));
    EXPECT_FALSE(PinNameContains(u"Capture", u"Preview"));
    EXPECT_FALSE(PinNameContains(u"Vid", u"Video"));
}

}  // namespace
}  // namespace camera
