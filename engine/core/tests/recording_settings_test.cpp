#include "engine/core/RecordingSettings.h"
#include "engine/core/VideoSubtypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace camera {
namespace {

EngineValues Ready() {
    EngineValues values;
    values.ready = true;
    return values;
}

TEST(VideoSubtypes, KnownNamesY411AsYvu9AndUnknownAsQuestionMarks) {
    // MEDIASUBTYPE_RGB24 is {E436EB7D-524F-11CE-9F53-0020AF0BA770}.
    const MediaGuid rgb24 = {0xE436EB7D, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
    EXPECT_STREQ("RGB24", VideoSubtypeName(rgb24));
    // 'YUY2' read as a little-endian number.
    EXPECT_EQ(0x32595559u, FourCcSubtype('Y', 'U', 'Y', '2').data1);
    EXPECT_STREQ("YUY2", VideoSubtypeName(FourCcSubtype('Y', 'U', 'Y', '2')));
    EXPECT_STREQ("YVU9", VideoSubtypeName(FourCcSubtype('Y', '4', '1', '1')));
    EXPECT_STREQ("YVU9", VideoSubtypeName(FourCcSubtype('Y', 'V', 'U', '9')));
    EXPECT_STREQ("DV(SD)", VideoSubtypeName(FourCcSubtype('d', 'v', 's', 'd')));
    EXPECT_STREQ("????", VideoSubtypeName(FourCcSubtype('D', 'V', 'S', 'D')));
    EXPECT_STREQ("????", VideoSubtypeName(FourCcSubtype('V', 'B', 'Z', 'Z')));
    MediaGuid almostRgb24 = rgb24;
    almostRgb24.data4[7] ^= 1;
    EXPECT_STREQ("????", VideoSubtypeName(almostRgb24));
}

TEST(Bitrates, SupportedRatesByIndexAndTheirCount) {
    const EngineValues values = Ready();
    int index = -1;
    int rate = -5;
    ASSERT_EQ(1, GetSupportedBitrate(values, Stream::Video, &index, &rate));
    EXPECT_EQ(4, index);
    EXPECT_EQ(-5, rate);
    index = 2;
    ASSERT_EQ(1, GetSupportedBitrate(values, Stream::Video, &index, &rate));
    EXPECT_EQ(384000, rate);
    ASSERT_EQ(1, GetSupportedBitrate(values, Stream::Audio, &index, &rate));
    EXPECT_EQ(96000, rate);
    for (int bad : {4, -2}) {
        index = bad;
        EXPECT_EQ(0, GetSupportedBitrate(values, Stream::Video, &index, &rate)) << bad;
    }
    index = 0;
    EXPECT_EQ(0, GetSupportedBitrate(values, Stream::Audio, &index, nullptr));
    EXPECT_EQ(0, GetSupportedBitrate(EngineValues{}, Stream::Audio, &index, &rate));
}

TEST(Bitrates, SettingChangesTheCurrentRateOnlyWhileIdle) {
    EngineValues values = Ready();
    int index = -1;
    int rate = 0;
    ASSERT_EQ(1, GetCurrentBitrate(values, Stream::Audio, &index, &rate));
    EXPECT_EQ(0, index);
    EXPECT_EQ(40000, rate);

    EXPECT_EQ(1, SetBitrate(values, Stream::Video, 3));
    ASSERT_EQ(1, GetCurrentBitrate(values, Stream::Video, &index, &rate));
    EXPECT_EQ(3, index);
    EXPECT_EQ(768000, rate);
    EXPECT_EQ(0, values.audioBitrateIndex);

    EXPECT_EQ(0, SetBitrate(values, Stream::Video, 4));
    EXPECT_EQ(0, SetBitrate(values, Stream::Audio, -1));
    values.captureState = kRecordingVideoWithSound;
    EXPECT_EQ(0, SetBitrate(values, Stream::Video, 2));
    EXPECT_EQ(3, values.videoBitrateIndex);
    EXPECT_EQ(0, GetCurrentBitrate(values, Stream::Video, nullptr, &rate));
}

TEST(FileFormats, RangesAndWhatMayChangeWhileRecording) {
    EngineValues values = Ready();
    EXPECT_EQ(1, SetFileFormat(values, FileKind::Audio, 0));
    EXPECT_EQ(0, SetFileFormat(values, FileKind::Audio, 3));
    EXPECT_EQ(1, SetFileFormat(values, FileKind::Video, 2));
    EXPECT_EQ(0, SetFileFormat(values, FileKind::Video, -1));
    EXPECT_EQ(1, SetFileFormat(values, FileKind::Image, 4));
    EXPECT_EQ(0, SetFileFormat(values, FileKind::Image, 5));

    values.captureState = kRecordingAudio;
    EXPECT_EQ(0, SetFileFormat(values, FileKind::Audio, 1));
    EXPECT_EQ(0, SetFileFormat(values, FileKind::Video, 0));
    EXPECT_EQ(1, SetFileFormat(values, FileKind::Image, 3));

    int format = -1;
    ASSERT_EQ(1, GetFileFormat(values, FileKind::Audio, &format));
    EXPECT_EQ(0, format);
    ASSERT_EQ(1, GetFileFormat(values, FileKind::Video, &format));
    EXPECT_EQ(2, format);
    ASSERT_EQ(1, GetFileFormat(values, FileKind::Image, &format));
    EXPECT_EQ(3, format);
    EXPECT_EQ(0, GetFileFormat(values, FileKind::Image, nullptr));
    EXPECT_EQ(0, GetFileFormat(EngineValues{}, FileKind::Image, &format));
    EngineValues notReady;
    EXPECT_EQ(0, SetFileFormat(notReady, FileKind::Image, 1));
}

TEST(JpegQuality, ZeroToHundredOnly) {
    EngineValues values = Ready();
    EXPECT_EQ(75, values.jpegQuality);
    EXPECT_EQ(0, SetJpegQuality(values, 101));
    EXPECT_EQ(0, SetJpegQuality(values, -1));
    EXPECT_EQ(75, values.jpegQuality);
    EXPECT_EQ(1, SetJpegQuality(values, 0));
    EXPECT_EQ(1, SetJpegQuality(values, 100));
    EXPECT_EQ(100, values.jpegQuality);
    values.captureState = kMonitoring;
    EXPECT_EQ(1, SetJpegQuality(values, 50));
}

TEST(MixLevel, ClosedRangeZeroToOneWithoutNaN) {
    EXPECT_TRUE(IsValidMixLevel(0.0));
    EXPECT_TRUE(IsValidMixLevel(-0.0));
    EXPECT_TRUE(IsValidMixLevel(1.0));
    EXPECT_TRUE(IsValidMixLevel(0.5));
    EXPECT_FALSE(IsValidMixLevel(1.0000001));
    EXPECT_FALSE(IsValidMixLevel(-1e-9));
    EXPECT_FALSE(IsValidMixLevel(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsValidMixLevel(std::numeric_limits<double>::infinity()));
}

}  // namespace
}  // namespace camera
