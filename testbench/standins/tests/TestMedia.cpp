#include "TestMedia.h"

#include <fstream>
#include <iterator>

namespace standintest {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

// Builds nested RIFF chunks; sizes are patched when a chunk is closed.
class Riff {
public:
    void Open(const char* id, const char* type) {
        PutId(bytes, id);
        open_.push_back(bytes.size());
        Put32(bytes, 0);
        PutId(bytes, type);
    }
    void Close() {
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
    void Chunk(const char* id, const std::vector<uint8_t>& data) {
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

std::vector<uint8_t> StreamHeader(const char* type, uint32_t scale, uint32_t rate, uint32_t length) {
    std::vector<uint8_t> strh;
    PutId(strh, type);
    Put32(strh, 0);  // handler
    Put32(strh, 0);  // flags
    Put32(strh, 0);  // priority, language
    Put32(strh, 0);  // initial frames
    Put32(strh, scale);
    Put32(strh, rate);
    Put32(strh, 0);  // start
    Put32(strh, length);
    Put32(strh, 0);  // suggested buffer size
    Put32(strh, 0xFFFFFFFF);
    Put32(strh, 0);  // sample size
    Put32(strh, 0);  // frame rectangle
    Put32(strh, 0);
    return strh;
}

std::vector<uint8_t> WaveFormat(const standins::PcmFormat& f) {
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

}  // namespace

std::vector<uint8_t> StoredFrame(const AviShape& shape, int n) {
    const size_t stride = shape.paddedRows ? (static_cast<size_t>(shape.width) * 3 + 3) / 4 * 4
                                           : static_cast<size_t>(shape.width) * 3;
    std::vector<uint8_t> frame(stride * shape.height, 0);
    for (int row = 0; row < shape.height; ++row) {
        const int y = shape.topDown ? row : shape.height - 1 - row;
        for (int x = 0; x < shape.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                frame[row * stride + x * 3 + c] = PixelByte(x, y, c, n);
            }
        }
    }
    return frame;
}

std::vector<uint8_t> MakeAvi(const AviShape& shape) {
    const char* videoId = shape.withAudio && shape.audioFirst ? "01db" : "00db";
    const char* audioId = shape.audioFirst ? "00wb" : "01wb";
    const int streams = shape.withAudio ? 2 : 1;

    Riff riff;
    riff.Open("RIFF", "AVI ");
    riff.Open("LIST", "hdrl");
    std::vector<uint8_t> avih;
    Put32(avih, static_cast<uint32_t>(1000000ull * shape.scale / shape.rate));
    for (int i = 0; i < 3; ++i) {
        Put32(avih, 0);
    }
    Put32(avih, static_cast<uint32_t>(shape.frames));
    Put32(avih, 0);
    Put32(avih, static_cast<uint32_t>(streams));
    Put32(avih, 0);
    Put32(avih, static_cast<uint32_t>(shape.width));
    Put32(avih, static_cast<uint32_t>(shape.height));
    for (int i = 0; i < 4; ++i) {
        Put32(avih, 0);
    }
    riff.Chunk("avih", avih);

    auto videoList = [&] {
        riff.Open("LIST", "strl");
        riff.Chunk("strh", StreamHeader("vids", shape.scale, shape.rate, static_cast<uint32_t>(shape.frames)));
        std::vector<uint8_t> bih;
        Put32(bih, 40);
        Put32(bih, static_cast<uint32_t>(shape.width));
        Put32(bih, static_cast<uint32_t>(shape.topDown ? -shape.height : shape.height));
        Put16(bih, 1);
        Put16(bih, shape.bitCount);
        Put32(bih, shape.compression);
        Put32(bih, static_cast<uint32_t>(StoredFrame(shape, 0).size()));
        for (int i = 0; i < 4; ++i) {
            Put32(bih, 0);
        }
        riff.Chunk("strf", bih);
        riff.Close();
    };
    auto audioList = [&] {
        riff.Open("LIST", "strl");
        riff.Chunk("strh", StreamHeader("auds", shape.audio.blockAlign, shape.audio.avgBytesPerSec,
                                        shape.audioBytesPerChunk * shape.frames / shape.audio.blockAlign));
        riff.Chunk("strf", WaveFormat(shape.audio));
        riff.Close();
    };
    if (shape.withAudio && shape.audioFirst) {
        audioList();
        videoList();
    } else {
        videoList();
        if (shape.withAudio) {
            audioList();
        }
    }
    riff.Close();  // hdrl
    riff.Chunk("JUNK", std::vector<uint8_t>(30, 0));

    size_t sound = 0;
    const int inFirst = shape.extension ? (shape.frames + 1) / 2 : shape.frames;
    auto frames = [&](int from, int to) {
        riff.Open("LIST", "movi");
        if (shape.indexChunks) {
            riff.Chunk("ix00", std::vector<uint8_t>(24, 0));
        }
        for (int n = from; n < to; ++n) {
            if (shape.recLists) {
                riff.Open("LIST", "rec ");
            }
            riff.Chunk(videoId, StoredFrame(shape, n));
            if (shape.withAudio) {
                std::vector<uint8_t> chunk(shape.audioBytesPerChunk);
                for (uint8_t& b : chunk) {
                    b = SoundByte(sound++);
                }
                riff.Chunk(audioId, chunk);
            }
            if (shape.recLists) {
                riff.Close();
            }
        }
        riff.Close();
    };
    frames(0, inFirst);
    riff.Chunk("idx1", std::vector<uint8_t>(16, 0));
    riff.Close();  // RIFF AVI
    if (shape.extension) {
        riff.Open("RIFF", "AVIX");
        frames(inFirst, shape.frames);
        riff.Close();
    }
    return riff.bytes;
}

std::vector<uint8_t> MakeWav(const standins::PcmFormat& format, const std::vector<uint8_t>& data) {
    Riff riff;
    riff.Open("RIFF", "WAVE");
    std::vector<uint8_t> fmt = WaveFormat(format);
    fmt.resize(16);
    riff.Chunk("fmt ", fmt);
    riff.Chunk("data", data);
    riff.Close();
    return riff.bytes;
}

std::vector<uint8_t> SoundBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = SoundByte(i);
    }
    return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace standintest
