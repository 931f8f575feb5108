// Media types, enumerators and the sample copy: the pieces every pin and
// transform leans on.
#include "FakeSample.h"
#include "TestFilters.h"

#include "dshowbase/Enumerators.h"
#include "dshowbase/MediaType.h"
#include "dshowbase/SampleCopy.h"

#include <wrl/client.h>

#include <gtest/gtest.h>

namespace basetest {
namespace {

using dshowbase::CMediaType;
using Microsoft::WRL::ComPtr;

TEST(MediaType, CopiesOwnTheirFormatBlock) {
    CMediaType original = VideoType(320, 240, 24, MEDIASUBTYPE_RGB24);
    CMediaType copy(original);
    ASSERT_NE(original.pbFormat, copy.pbFormat);
    EXPECT_TRUE(copy == original);
    reinterpret_cast<VIDEOINFOHEADER*>(copy.pbFormat)->bmiHeader.biWidth = 321;
    EXPECT_FALSE(copy == original);
    EXPECT_EQ(320, dshowbase::VideoInfo(original)->bmiHeader.biWidth);

    CMediaType moved(std::move(copy));
    EXPECT_EQ(nullptr, copy.pbFormat);
    EXPECT_EQ(321, dshowbase::VideoInfo(moved)->bmiHeader.biWidth);

    AM_MEDIA_TYPE* task = dshowbase::CreateMediaType(&original);
    ASSERT_NE(nullptr, task);
    EXPECT_TRUE(dshowbase::MediaTypesEqual(*task, original));
    dshowbase::DeleteMediaType(task);
    dshowbase::DeleteMediaType(nullptr);
}

TEST(MediaType, VideoInfoNeedsAWholeHeader) {
    CMediaType type = VideoType(16, 16, 24, MEDIASUBTYPE_RGB24);
    EXPECT_TRUE(dshowbase::IsRgb24VideoInfo(type));
    type.cbFormat = sizeof(VIDEOINFOHEADER) - 1;  // a lying block size
    EXPECT_EQ(nullptr, dshowbase::VideoInfo(type));
    EXPECT_FALSE(dshowbase::IsRgb24VideoInfo(type));
    type.cbFormat = sizeof(VIDEOINFOHEADER);
    type.formattype = FORMAT_VideoInfo2;
    EXPECT_EQ(nullptr, dshowbase::VideoInfo(type));
    EXPECT_FALSE(dshowbase::IsRgb24VideoInfo(VideoType(16, 16, 32, MEDIASUBTYPE_RGB32)));
    CMediaType wrongBits = VideoType(16, 16, 32, MEDIASUBTYPE_RGB24);
    EXPECT_FALSE(dshowbase::IsRgb24VideoInfo(wrongBits));
}

TEST(MediaType, FrameBufferSizeTrustsTheLargerNumber) {
    CMediaType type = VideoType(175, 3, 24, MEDIASUBTYPE_RGB24);
    // A splitter that reports one byte per sample for RGB.
    type.lSampleSize = 1;
    reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biSizeImage = 0;
    EXPECT_EQ(1584u, dshowbase::FrameBufferSize(type));  // 528-byte rows x 3
    type.lSampleSize = 5000;
    EXPECT_EQ(5000u, dshowbase::FrameBufferSize(type));
    CMediaType audio(MEDIATYPE_Audio);
    audio.lSampleSize = 4;
    EXPECT_EQ(4u, dshowbase::FrameBufferSize(audio));
}

TEST(MediaType, PartialTypesMatchOnWhatTheyName) {
    const CMediaType rgb = VideoType(16, 16, 24, MEDIASUBTYPE_RGB24);
    CMediaType partial(MEDIATYPE_Video);
    EXPECT_TRUE(partial.IsPartiallySpecified());
    EXPECT_TRUE(rgb.MatchesPartial(partial));
    partial.subtype = MEDIASUBTYPE_RGB32;
    EXPECT_FALSE(rgb.MatchesPartial(partial));
    EXPECT_FALSE(rgb.IsPartiallySpecified());
    EXPECT_TRUE(rgb.MatchesPartial(rgb));
}

TEST(Enumerators, MediaTypesFollowNextSkipResetClone) {
    std::vector<CMediaType> types;
    for (int width : {16, 32, 48}) {
        types.push_back(VideoType(width, 8, 24, MEDIASUBTYPE_RGB24));
    }
    auto* raw = new dshowbase::CEnumMediaTypes(types);
    ComPtr<IEnumMediaTypes> enumerator(raw);

    AM_MEDIA_TYPE* got[4] = {};
    EXPECT_EQ(E_POINTER, enumerator->Next(2, got, nullptr));  // many items need a count
    ULONG fetched = 9;
    ASSERT_EQ(S_OK, enumerator->Next(1, got, &fetched));
    EXPECT_EQ(1u, fetched);
    EXPECT_EQ(16, dshowbase::VideoInfo(*got[0])->bmiHeader.biWidth);
    dshowbase::DeleteMediaType(got[0]);

    ComPtr<IEnumMediaTypes> clone;
    ASSERT_EQ(S_OK, enumerator->Clone(clone.GetAddressOf()));
    EXPECT_EQ(S_FALSE, enumerator->Skip(5));  // past the end
    EXPECT_EQ(S_FALSE, enumerator->Next(1, got, &fetched));
    EXPECT_EQ(0u, fetched);

    // The clone kept the position: the second type comes next.
    ASSERT_EQ(S_FALSE, clone->Next(4, got, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_EQ(32, dshowbase::VideoInfo(*got[0])->bmiHeader.biWidth);
    EXPECT_EQ(48, dshowbase::VideoInfo(*got[1])->bmiHeader.biWidth);
    dshowbase::DeleteMediaType(got[0]);
    dshowbase::DeleteMediaType(got[1]);

    ASSERT_EQ(S_OK, enumerator->Reset());
    EXPECT_EQ(S_OK, enumerator->Skip(3));
}

TEST(SampleCopy, CopiesDataTimesFlagsAndType) {
    FakeSample input(16);
    for (size_t i = 0; i < 16; ++i) {
        input.buffer[i] = static_cast<BYTE>(i + 1);
    }
    input.actualLength = 10;
    REFERENCE_TIME start = 100;
    REFERENCE_TIME stop = 200;
    input.SetTime(&start, &stop);
    LONGLONG mediaStart = 7;
    LONGLONG mediaStop = 8;
    input.SetMediaTime(&mediaStart, &mediaStop);
    input.syncAnswer = S_OK;
    input.discontinuityAnswer = S_OK;
    CMediaType changed = VideoType(4, 4, 24, MEDIASUBTYPE_RGB24);
    input.SetMediaType(&changed);

    FakeSample output(16);
    ASSERT_EQ(S_OK, dshowbase::CopySample(&input, &output));
    EXPECT_EQ(10, output.actualLength);
    EXPECT_EQ(10, output.buffer[9]);
    EXPECT_EQ(0, output.buffer[10]);  // nothing beyond the data length
    EXPECT_TRUE(output.hasTime);
    EXPECT_EQ(100, output.timeStart);
    EXPECT_EQ(200, output.timeStop);
    EXPECT_EQ(7, output.mediaStart);
    EXPECT_EQ(S_OK, output.syncAnswer);
    EXPECT_EQ(S_FALSE, output.prerollAnswer);
    EXPECT_EQ(S_OK, output.discontinuityAnswer);
    ASSERT_NE(nullptr, output.type);
    EXPECT_TRUE(dshowbase::MediaTypesEqual(*output.type, changed));
}

TEST(SampleCopy, RefusesWhatCannotBeCopiedSafely) {
    FakeSample input(32);
    FakeSample small(16);
    small.buffer.assign(16, 0xAB);
    EXPECT_EQ(VFW_E_BUFFER_OVERFLOW, dshowbase::CopySample(&input, &small));
    EXPECT_EQ(0xAB, small.buffer[0]);  // untouched

    FakeSample output(32);
    input.prerollAnswer = E_FAIL;  // neither yes nor no
    EXPECT_EQ(E_UNEXPECTED, dshowbase::CopySample(&input, &output));
    EXPECT_EQ(E_POINTER, dshowbase::CopySample(nullptr, &output));
}

}  // namespace
}  // namespace basetest
