#include "engine/core/AsfStreamWalk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace camera {
namespace {

constexpr StepResult kNoSuchStream = static_cast<StepResult>(0x80070057);  // E_INVALIDARG

struct FakeStream {
    AsfStreamType type;
    std::uint32_t bitrate = 0;
    bool fitted = false;
};

// A profile as the writer hands it out: streams by index, an index past
// the end refused, a removal closing the gap.
class CFakeProfile final : public IAsfProfileStreams {
public:
    explicit CFakeProfile(std::vector<FakeStream> streams) : streams_(std::move(streams)) {}

    StepResult StreamCount(std::uint32_t& count) override {
        count = static_cast<std::uint32_t>(streams_.size());
        return kStepDone;
    }

    StepResult ReadStream(std::uint32_t index, AsfStreamType& type) override {
        reads.push_back(index);
        if (index >= streams_.size()) return kNoSuchStream;
        current_ = index;
        type = streams_[index].type;
        return kStepDone;
    }

    StepResult RemoveStream() override {
        if (removeResult != kStepDone) return removeResult;
        streams_.erase(streams_.begin() + current_);
        return kStepDone;
    }

    StepResult FitVideoFrame() override {
        streams_[current_].fitted = true;
        return fitResult;
    }

    StepResult SetAudioBitrate(std::uint32_t bitsPerSecond) override {
        streams_[current_].bitrate = bitsPerSecond;
        return kStepDone;
    }

    const std::vector<FakeStream>& Streams() const { return streams_; }

    std::vector<std::uint32_t> reads;
    StepResult removeResult = kStepDone;
    StepResult fitResult = kStepDone;

private:
    std::vector<FakeStream> streams_;
    std::uint32_t current_ = 0;
};

using Type = AsfStreamType;

TEST(VideoProfileWalk, WithoutMicrophoneTheSoundStreamGoesAndThePictureBehindItIsStillFitted) {
    CFakeProfile profile({{Type::Audio}, {Type::Video}});
    EXPECT_EQ(kStepDone, WalkVideoProfile(profile, false, true));
    ASSERT_EQ(1u, profile.Streams().size());
    EXPECT_EQ(Type::Video, profile.Streams()[0].type);
    EXPECT_TRUE(profile.Streams()[0].fitted);
    // Index 0 twice: the picture stream moved into the sound stream's place.
    EXPECT_EQ((std::vector<std::uint32_t>{0, 0}), profile.reads);
}

TEST(VideoProfileWalk, WithMicrophoneEveryStreamStaysAndOnlyPicturesAreFitted) {
    CFakeProfile profile({{Type::Audio}, {Type::Video}, {Type::Other}});
    EXPECT_EQ(kStepDone, WalkVideoProfile(profile, true, true));
    ASSERT_EQ(3u, profile.Streams().size());
    EXPECT_FALSE(profile.Streams()[0].fitted);
    EXPECT_TRUE(profile.Streams()[1].fitted);
    EXPECT_FALSE(profile.Streams()[2].fitted);
    EXPECT_EQ((std::vector<std::uint32_t>{0, 1, 2}), profile.reads);
}

TEST(VideoProfileWalk, WithoutAFormatThePictureKeepsTheProfilesFrameSize) {
    CFakeProfile profile({{Type::Video}, {Type::Audio}, {Type::Audio}});
    EXPECT_EQ(kStepDone, WalkVideoProfile(profile, false, false));
    ASSERT_EQ(1u, profile.Streams().size());
    EXPECT_FALSE(profile.Streams()[0].fitted);
    // Both sound streams, one after the other at index 1; never index 2.
    EXPECT_EQ((std::vector<std::uint32_t>{0, 1, 1}), profile.reads);
}

TEST(SoundProfileWalk, PicturesBeforeTheSoundAreRemovedAndTheSoundStillGetsItsBitrate) {
    // The order of the system video profiles: a sound stream behind a
    // picture stream must not be skipped after the removal.
    CFakeProfile profile({{Type::Video}, {Type::Audio}});
    EXPECT_EQ(kStepDone, WalkSoundProfile(profile, 64000));
    ASSERT_EQ(1u, profile.Streams().size());
    EXPECT_EQ(Type::Audio, profile.Streams()[0].type);
    EXPECT_EQ(64000u, profile.Streams()[0].bitrate);
    EXPECT_EQ((std::vector<std::uint32_t>{0, 0}), profile.reads);
}

TEST(SoundProfileWalk, EverySoundStreamGetsTheRateAndOtherStreamsStay) {
    CFakeProfile profile({{Type::Audio}, {Type::Video}, {Type::Video}, {Type::Other}, {Type::Audio}});
    EXPECT_EQ(kStepDone, WalkSoundProfile(profile, 128000));
    ASSERT_EQ(3u, profile.Streams().size());
    EXPECT_EQ(128000u, profile.Streams()[0].bitrate);
    EXPECT_EQ(Type::Other, profile.Streams()[1].type);
    EXPECT_EQ(0u, profile.Streams()[1].bitrate);
    EXPECT_EQ(128000u, profile.Streams()[2].bitrate);
    for (std::uint32_t index : profile.reads) EXPECT_LT(index, 5u);
}

TEST(ProfileWalks, TheFirstFailingCallEndsTheWalkWithItsCode) {
    constexpr StepResult kRefused = static_cast<StepResult>(0x80004005);  // E_FAIL
    CFakeProfile removal({{Type::Video}, {Type::Audio}});
    removal.removeResult = kRefused;
    EXPECT_EQ(kRefused, WalkSoundProfile(removal, 40000));
    EXPECT_EQ(0u, removal.Streams()[1].bitrate);
    EXPECT_EQ(1u, removal.reads.size());

    CFakeProfile fitting({{Type::Video}, {Type::Audio}});
    fitting.fitResult = kRefused;
    EXPECT_EQ(kRefused, WalkVideoProfile(fitting, false, true));
    EXPECT_EQ(2u, fitting.Streams().size());
    EXPECT_EQ(1u, fitting.reads.size());
}

}  // namespace
}  // namespace camera
