// The ASF writer's record: what tests read back must be what the writer saw.
#include "AsfRecord.h"

#include <gtest/gtest.h>

using namespace standins;

namespace {

AsfRecord Sample() {
    AsfRecord record;
    record.profileGuid = "{AFE69B3A-403F-4A1B-8007-0E21CFB3DF84}";
    record.profileSource = "guid";
    record.configurations = 2;
    AsfStreamRecord audio;
    audio.type = "audio";
    audio.number = 1;
    audio.bitrate = 64000;
    AsfStreamRecord video;
    video.type = "video";
    video.number = 2;
    video.bitrate = 224000;
    video.width = 352;
    video.height = -288;
    video.source = {0, 0, 352, 288};
    video.target = {-1, 2, 3, 4};
    record.streams = {audio, video};
    AsfPinRecord pin;
    pin.name = "Video Input 01";
    pin.type = "video";
    pin.connected = true;
    pin.format = "RGB24 352x288";
    pin.samples = 150;
    pin.bytes = 45619200;
    pin.first = 5000000;
    pin.last = 55000000;
    pin.wrongSize = 1;
    pin.endOfStream = true;
    record.pins = {pin};
    return record;
}

}  // namespace

TEST(AsfRecord, RoundTrip) {
    const AsfRecord written = Sample();
    AsfRecord read;
    ASSERT_TRUE(ParseAsfRecord(FormatAsfRecord(written), &read));
    EXPECT_EQ(written.profileGuid, read.profileGuid);
    EXPECT_EQ("guid", read.profileSource);
    EXPECT_EQ(2u, read.configurations);
    ASSERT_EQ(2u, read.streams.size());
    ASSERT_NE(nullptr, read.Stream("video"));
    EXPECT_EQ(224000u, read.Stream("video")->bitrate);
    EXPECT_EQ(-288, read.Stream("video")->height);
    EXPECT_EQ(-1, read.Stream("video")->target.left);
    EXPECT_EQ(352, read.Stream("video")->source.right);
    EXPECT_EQ(64000u, read.Stream("audio")->bitrate);
    EXPECT_EQ(nullptr, read.Stream("other"));
    ASSERT_NE(nullptr, read.Pin("video"));
    EXPECT_EQ(nullptr, read.Pin("audio"));
    const AsfPinRecord& pin = *read.Pin("video");
    EXPECT_EQ("Video Input 01", pin.name);
    EXPECT_TRUE(pin.connected);
    EXPECT_EQ("RGB24 352x288", pin.format);
    EXPECT_EQ(150u, pin.samples);
    EXPECT_EQ(45619200u, pin.bytes);
    EXPECT_EQ(5000000, pin.first);
    EXPECT_EQ(55000000, pin.last);
    EXPECT_EQ(1u, pin.wrongSize);
    EXPECT_EQ(0u, pin.silent);
    EXPECT_TRUE(pin.endOfStream);
}

TEST(AsfRecord, ValuesCannotForgeKeys) {
    AsfRecord written = Sample();
    written.pins[0].name = "evil\nprofile.guid=forged";
    AsfRecord read;
    ASSERT_TRUE(ParseAsfRecord(FormatAsfRecord(written), &read));
    EXPECT_EQ(written.profileGuid, read.profileGuid);
    EXPECT_EQ("evil profile.guid=forged", read.pins[0].name);
}

TEST(AsfRecord, RefusesOtherTextsAndBadNumbers) {
    AsfRecord read;
    EXPECT_FALSE(ParseAsfRecord("", &read));
    EXPECT_FALSE(ParseAsfRecord("RIFF....AVI ", &read));
    EXPECT_FALSE(ParseAsfRecord("record=vimbrel-bench-asf 2\n", &read));
    const std::string head = std::string("record=") + kAsfRecordMagic + "\n";
    EXPECT_FALSE(ParseAsfRecord(head + "stream.count=two\n", &read));
    EXPECT_FALSE(ParseAsfRecord(head + "stream.count=100000\n", &read));
    EXPECT_FALSE(ParseAsfRecord(head + "stream.count=1\nstream.0.bitrate=-5\n", &read));
    EXPECT_FALSE(ParseAsfRecord(head + "stream.count=1\nstream.0.source=1,2,3\n", &read));
    ASSERT_TRUE(ParseAsfRecord(head + "stream.count=1\r\nstream.0.type=audio\r\n", &read));
    EXPECT_EQ("audio", read.streams[0].type);
    EXPECT_EQ("none", read.profileGuid);
}
