// The front of a PCM WAVE file: RIFF header, format chunk and the data
// chunk's header, for a given amount of sample data. The bench's "WAV Dest"
// writes it first with no data and again with the final length when the
// recording stops.
#pragma once

#include <cstdint>
#include <vector>

namespace standins {

// The fields of a PCM format (WAVEFORMATEX without its extra bytes).
struct PcmFormat {
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

constexpr uint16_t kWaveFormatPcm = 1;

// RIFF header (12), "fmt " chunk of 16 bytes (24), "data" chunk header (8).
constexpr uint32_t kWaveHeaderSize = 44;

// The most sample data one RIFF file can describe: its 32-bit size field
// counts everything after the first 8 bytes, including a pad byte.
constexpr uint32_t kMaxWaveData = 0xFFFFFFFFu - (kWaveHeaderSize - 8) - 1;

// Whether a format is one a WAVE file can carry as plain PCM: 1..16
// channels, whole bytes per sample, a block that holds one sample of every
// channel, and an average rate that matches.
bool IsValidPcm(const PcmFormat& format);

// The 16 bytes of a PCM format block (PCMWAVEFORMAT), as a WAVE file's
// "fmt " chunk and an AVI sound stream's strf carry them.
void AppendPcmFormat(std::vector<uint8_t>& out, const PcmFormat& format);

// The 44 header bytes for dataBytes of samples. dataBytes above
// kMaxWaveData is clamped to it. An odd data length is followed by a pad
// byte in the file, which the RIFF size includes.
std::vector<uint8_t> BuildWaveHeader(const PcmFormat& format, uint32_t dataBytes);

// The byte a silent sample is made of: 0x80 for 8-bit (unsigned) PCM, 0 for
// wider (signed) samples.
uint8_t SilenceByte(uint16_t bitsPerSample);

}  // namespace standins
