#include "TestMedia.h"

#include <fstream>
#include <iterator>

namespace standintest {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(std::vector<uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

// Builds nested RIFF chunks; sizes are patched when a chunk is closed.
class Riff {
public:
    void Open(const char* id, const char* type)
    {
        PutId(bytes, id);
        open_.push_back(bytes.size());
        Put32(bytes, 0);
        PutId(bytes, type);
    }
    void Close()
    {
        const size_t at = open_.back();
        open_.pop_back();
        const uint32_t size = static_cast<uint32_t>(bytes.size() - at - 4);
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(size >> (8 * i));
        }
        if (size & 1) {
            bytes.push_back(0);
        }
    }
    void Chunk(const char* id, const std::vector<uint8_t>& data)
    {
        PutId(bytes, id);
        Put32(bytes, static_cast<uint32_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        if (data.size() & 1) {
            bytes.push_back(0);
        }
    }
    std::vector<uint8_t> bytes;

private:
    std::vector<size_t> open_;
};

std::vector<uint8_t> StreamHeader(const char* type, uint32_t scale, uint32_t rate, uint32_t length)
{
    std::vector<uint8_t> strh;
    PutId(strh, type);
    Put32(strh, 0);       // handler
    Put32(strh, 0);       // flags
    Put32(strh, 0);       // priority, language
    Put32(strh, 0);       // initial frames
    Put32(strh, scale);
    Put32(strh, rate);
    Put32(strh, 0);       // start
    Put32(strh, length);
    Put32(strh, 0);       // suggested buffer size
    Put32(strh, 0xFFFFFFFF);
    Put32(strh, 0);       // sample size
    Put32(strh, 0);       // frame rectangle
    Put32(strh, 0);
    return strh;
}

std::vector<uint8_t> WaveFormat(const standins::PcmFormat& f)
{
    std::vector<uint8_t> wave;
    Put16(wave, 1);
    Put16(wave, f.channels);
    Put32(wave, f.samplesPerSec);
    Put32(wave, f.avgBytesPerSec);
    Put16(wave, f.blockAlign);
    Put16(wave, f.bitsPerSample);
    Put16(wave, 0);
    return wave;
}

} // namespace

std::vector<uint8_t> StoredFrame(const AviSpec& spec, int n)
{
    const size_t stride = spec.paddedRows ? (static_cast<size_t>(spec.width) * 3 + 3) / 4 * 4
                                          : static_cast<size_t>(spec.width) * 3;
    std::vector<uint8_t> frame(stride * spec.height, 0);
    for (int row = 0; row < spec.height; ++row) {
        const int y = spec.topDown ? row : spec.height - 1 - row;
        for (int x = 0; x < spec.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                frame[row * stride + x * 3 + c] = PixelByte(x, y, c, n);
            }
        }
    }
    return frame;
}

std::vector<uint8_t> MakeAvi(const AviSpec& spec)
{
    const char* videoId = spec.withAudio && spec.audioFirst ? "01db" : "00db";
    const char* audioId = spec.audioFirst ? "00wb" : "01wb";
    const int streams = spec.withAudio ? 2 : 1;

    Riff riff;
    riff.Open("RIFF", "AVI ");
    riff.Open("LIST", "hdrl");
    std::vector<uint8_t> avih;
    Put32(avih, static_cast<uint32_t>(1000000ull * spec.scale / spec.rate));
    for (int i = 0; i < 3; ++i) {
        Put32(avih, 0);
    }
    Put32(avih, static_cast<uint32_t>(spec.frames));
    Put32(avih, 0);
    Put32(avih, static_cast<uint32_t>(streams));
    Put32(avih, 0);
    Put32(avih, static_cast<uint32_t>(spec.width));
    Put32(avih, static_cast<uint32_t>(spec.height));
    for (int i = 0; i < 4; ++i) {
        Put32(avih, 0);
    }
    riff.Chunk("avih", avih);

    auto videoList = [&] {
        riff.Open("LIST", "strl");
        riff.Chunk("strh", StreamHeader("vids", spec.scale, spec.rate, static_cast<uint32_t>(spec.frames)));
        std::vector<uint8_t> bih;
        Put32(bih, 40);
        Put32(bih, static_cast<uint32_t>(spec.width));
        Put32(bih, static_cast<uint32_t>(spec.topDown ? -spec.height : spec.height));
        Put16(bih, 1);
        Put16(bih, spec.bitCount);
        Put32(bih, spec.compression);
        Put32(bih, static_cast<uint32_t>(StoredFrame(spec, 0).size()));
        for (int i = 0; i < 4; ++i) {
            Put32(bih, 0);
        }
        riff.Chunk("strf", bih);
        riff.Close();
    };
    auto audioList = [&] {
        riff.Open("LIST", "strl");
        riff.Chunk("strh", StreamHeader("auds", spec.audio.blockAlign, spec.audio.avgBytesPerSec,
                                        spec.audioBytesPerChunk * spec.frames / spec.audio.blockAlign));
        riff.Chunk("strf", WaveFormat(spec.audio));
        riff.Close();
    };
    if (spec.withAudio && spec.audioFirst) {
        audioList();
        videoList();
    } else {
        videoList();
        if (spec.withAudio) {
            audioList();
        }
    }
    riff.Close();   // hdrl
    riff.Chunk("JUNK", std::vector<uint8_t>(30, 0));

    size_t sound = 0;
    const int inFirst = spec.extension ? (spec.frames + 1) / 2 : spec.frames;
    auto frames = [&](int from, int to) {
        riff.Open("LIST", "movi");
        if (spec.indexChunks) {
            riff.Chunk("ix00", std::vector<uint8_t>(24, 0));
        }
        for (int n = from; n < to; ++n) {
            if (spec.recLists) {
                riff.Open("LIST", "rec ");
            }
            riff.Chunk(videoId, StoredFrame(spec, n));
            if (spec.withAudio) {
                std::vector<uint8_t> chunk(spec.audioBytesPerChunk);
                for (uint8_t& b : chunk) {
                    b = SoundByte(sound++);
                }
                riff.Chunk(audioId, chunk);
            }
            if (spec.recLists) {
                riff.Close();
            }
        }
        riff.Close();
    };
    frames(0, inFirst);
    riff.Chunk("idx1", std::vector<uint8_t>(16, 0));
    riff.Close();   // RIFF AVI
    if (spec.extension) {
        riff.Open("RIFF", "AVIX");
        frames(inFirst, spec.frames);
        riff.Close();
    }
    return riff.bytes;
}

std::vector<uint8_t> MakeWav(const standins::PcmFormat& format, const std::vector<uint8_t>& data)
{
    Riff riff;
    riff.Open("RIFF", "WAVE");
    std::vector<uint8_t> fmt = WaveFormat(format);
    fmt.resize(16);
    riff.Chunk("fmt ", fmt);
    riff.Chunk("data", data);
    riff.Close();
    return riff.bytes;
}

std::vector<uint8_t> SoundBytes(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = SoundByte(i);
    }
    return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace standintest
