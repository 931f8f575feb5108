#include "MediaFormats.h"

#include "dshowbase/MediaType.h"

#include <mmreg.h>

#include <sstream>

namespace standins {

bool PcmOf(const AM_MEDIA_TYPE& type, PcmFormat* format) {
    // A PCMWAVEFORMAT (16 bytes) is enough for PCM; cbSize is not needed.
    if (type.majortype != MEDIATYPE_Audio || type.formattype != FORMAT_WaveFormatEx || type.pbFormat == nullptr ||
        type.cbFormat < 16) {
        return false;
    }
    WAVEFORMATEX wave{};
    memcpy(&wave, type.pbFormat, 16);
    if (wave.wFormatTag != WAVE_FORMAT_PCM) {
        return false;
    }
    PcmFormat pcm;
    pcm.channels = wave.nChannels;
    pcm.samplesPerSec = wave.nSamplesPerSec;
    pcm.avgBytesPerSec = wave.nAvgBytesPerSec;
    pcm.blockAlign = wave.nBlockAlign;
    pcm.bitsPerSample = wave.wBitsPerSample;
    if (!IsValidPcm(pcm)) {
        return false;
    }
    *format = pcm;
    return true;
}

bool IsSilence(const BYTE* data, long size, uint16_t bitsPerSample) {
    const BYTE silence = SilenceByte(bitsPerSample);
    for (long i = 0; i < size; ++i) {
        if (data[i] != silence) {
            return false;
        }
    }
    return true;
}

HRESULT SampleBytes(IMediaSample* sample, BYTE** data, long* length) {
    *data = nullptr;
    *length = sample->GetActualDataLength();
    if (FAILED(sample->GetPointer(data)) || *data == nullptr || *length < 0 || *length > sample->GetSize()) {
        return E_UNEXPECTED;
    }
    return S_OK;
}

std::string DescribeMediaType(const AM_MEDIA_TYPE& type) {
    std::ostringstream text;
    PcmFormat pcm;
    if (PcmOf(type, &pcm)) {
        text << "PCM " << pcm.samplesPerSec << " Hz " << pcm.channels << " ch " << pcm.bitsPerSample << " bit";
        return text.str();
    }
    const VIDEOINFOHEADER* video = dshowbase::VideoInfo(type);
    if (video != nullptr) {
        const BITMAPINFOHEADER& bitmap = video->bmiHeader;
        if (type.subtype == MEDIASUBTYPE_RGB24) {
            text << "RGB24";
        } else if (type.subtype == MEDIASUBTYPE_RGB32) {
            text << "RGB32";
        } else {
            // The other video subtypes carry their four-character code.
            const DWORD code = type.subtype.Data1;
            for (int i = 0; i < 4; ++i) {
                const char c = static_cast<char>((code >> (8 * i)) & 0xFF);
                text << (c >= ' ' && c < 127 ? c : '?');
            }
        }
        text << ' ' << bitmap.biWidth << 'x' << bitmap.biHeight;
        return text.str();
    }
    return "other";
}

long HalfSecondBytes(const PcmFormat& format) {
    const long block = format.blockAlign;
    const long half = static_cast<long>(format.avgBytesPerSec / 2);
    return (half + block - 1) / block * block;
}

}  // namespace standins
