#include "WaveHeader.h"

#include "ByteOrder.h"

namespace standins {

bool IsValidPcm(const PcmFormat& format) {
    if (format.channels == 0 || format.channels > 16 || format.samplesPerSec == 0) {
        return false;
    }
    if (format.bitsPerSample == 0 || format.bitsPerSample % 8 != 0 || format.bitsPerSample > 32) {
        return false;
    }
    const uint32_t block = static_cast<uint32_t>(format.channels) * (format.bitsPerSample / 8);
    if (format.blockAlign != block) {
        return false;
    }
    return static_cast<uint64_t>(format.samplesPerSec) * block == format.avgBytesPerSec;
}

void AppendPcmFormat(std::vector<uint8_t>& out, const PcmFormat& format) {
    AppendLe16(out, kWaveFormatPcm);
    AppendLe16(out, format.channels);
    AppendLe32(out, format.samplesPerSec);
    AppendLe32(out, format.avgBytesPerSec);
    AppendLe16(out, format.blockAlign);
    AppendLe16(out, format.bitsPerSample);
}

std::vector<uint8_t> BuildWaveHeader(const PcmFormat& format, uint32_t dataBytes) {
    if (dataBytes > kMaxWaveData) {
        dataBytes = kMaxWaveData;
    }
    const uint32_t pad = dataBytes & 1u;
    std::vector<uint8_t> header;
    header.reserve(kWaveHeaderSize);
    AppendFourCc(header, FourCc('R', 'I', 'F', 'F'));
    AppendLe32(header, kWaveHeaderSize - 8 + dataBytes + pad);
    AppendFourCc(header, FourCc('W', 'A', 'V', 'E'));
    AppendFourCc(header, FourCc('f', 'm', 't', ' '));
    AppendLe32(header, 16);
    AppendPcmFormat(header, format);
    AppendFourCc(header, FourCc('d', 'a', 't', 'a'));
    AppendLe32(header, dataBytes);
    return header;
}

uint8_t SilenceByte(uint16_t bitsPerSample) { return bitsPerSample == 8 ? 0x80 : 0x00; }

}  // namespace standins
