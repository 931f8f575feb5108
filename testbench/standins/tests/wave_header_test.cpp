// The WAVE header the bench's "WAV Dest" writes, checked byte by byte
// against the RIFF layout.
#include "ByteOrder.h"
#include "WaveHeader.h"

#include <gtest/gtest.h>

using namespace standins;

namespace {

std::string Id(const std::vector<uint8_t>& bytes, size_t at) {
    return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

}  // namespace

TEST(WaveHeader, DescribesPcmAndDataLength) {
    // A tenth of a second of 44.1 kHz 16-bit mono: 4410 samples, 8820 bytes.
    const PcmFormat mono{1, 44100, 88200, 2, 16};
    const std::vector<uint8_t> h = BuildWaveHeader(mono, 8820);
    ASSERT_EQ(44u, h.size());
    EXPECT_EQ("RIFF", Id(h, 0));
    EXPECT_EQ(36u + 8820u, ReadLe32(&h[4]));
    EXPECT_EQ("WAVE", Id(h, 8));
    EXPECT_EQ("fmt ", Id(h, 12));
    EXPECT_EQ(16u, ReadLe32(&h[16]));
    EXPECT_EQ(1u, ReadLe16(&h[20]));  // PCM
    EXPECT_EQ(1u, ReadLe16(&h[22]));
    EXPECT_EQ(44100u, ReadLe32(&h[24]));
    EXPECT_EQ(88200u, ReadLe32(&h[28]));
    EXPECT_EQ(2u, ReadLe16(&h[32]));
    EXPECT_EQ(16u, ReadLe16(&h[34]));
    EXPECT_EQ("data", Id(h, 36));
    EXPECT_EQ(8820u, ReadLe32(&h[40]));
}

TEST(WaveHeader, EmptyOddAndOversizedData) {
    const PcmFormat byteMono{1, 8000, 8000, 1, 8};
    EXPECT_EQ(36u, ReadLe32(&BuildWaveHeader(byteMono, 0)[4]));
    // Three bytes of data are followed by a pad byte the RIFF size counts.
    const std::vector<uint8_t> odd = BuildWaveHeader(byteMono, 3);
    EXPECT_EQ(40u, ReadLe32(&odd[4]));
    EXPECT_EQ(3u, ReadLe32(&odd[40]));
    // More than a RIFF file can hold is cut to what it can: the RIFF size
    // must not wrap around.
    const std::vector<uint8_t> huge = BuildWaveHeader(byteMono, 0xFFFFFFF0u);
    EXPECT_EQ(kMaxWaveData, ReadLe32(&huge[40]));
    EXPECT_EQ(0xFFFFFFDAu, kMaxWaveData);
    EXPECT_EQ(0xFFFFFFFEu, ReadLe32(&huge[4]));
}

TEST(WaveHeader, PcmValidity) {
    EXPECT_TRUE(IsValidPcm({2, 48000, 192000, 4, 16}));
    EXPECT_TRUE(IsValidPcm({1, 8000, 8000, 1, 8}));
    EXPECT_FALSE(IsValidPcm({2, 48000, 192000, 2, 16}));  // block holds one channel only
    EXPECT_FALSE(IsValidPcm({1, 44100, 88000, 2, 16}));   // rate does not match
    EXPECT_FALSE(IsValidPcm({1, 8000, 12000, 2, 12}));    // not whole bytes
    EXPECT_FALSE(IsValidPcm({0, 8000, 0, 0, 16}));
    EXPECT_FALSE(IsValidPcm({1, 0, 0, 2, 16}));
}

TEST(WaveHeader, SilenceDependsOnSampleWidth) {
    EXPECT_EQ(0x80, SilenceByte(8));
    EXPECT_EQ(0x00, SilenceByte(16));
    EXPECT_EQ(0x00, SilenceByte(24));
}
