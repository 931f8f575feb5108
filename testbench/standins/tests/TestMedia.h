// A tiny AVI and WAVE writer for the tests: files laid out byte by byte the
// way the RIFF formats describe them, with picture and sound bytes that a
// test can work out from their position alone.
#pragma once

#include "WaveHeader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace standintest {

// Byte of colour channel c (0 blue, 1 green, 2 red) of the pixel at column
// x, row y counted from the top, in frame n.
inline uint8_t PixelByte(int x, int y, int c, int n) { return static_cast<uint8_t>(x * 3 + y * 7 + c * 11 + n * 29); }

// Sound byte i of a recording.
inline uint8_t SoundByte(size_t i) { return static_cast<uint8_t>(i * 5 + 1); }

struct AviShape {
    int32_t width = 8;
    int32_t height = 6;
    uint32_t scale = 1;
    uint32_t rate = 10;
    int frames = 5;
    bool paddedRows = true;  // rows padded to four bytes, as DIBs are
    bool topDown = false;    // rows stored from the top (negative height)
    uint32_t compression = 0;
    uint16_t bitCount = 24;
    bool withAudio = false;   // one sound chunk after every frame
    bool audioFirst = false;  // the sound stream is stream 0
    uint32_t audioBytesPerChunk = 400;
    standins::PcmFormat audio{1, 8000, 16000, 2, 16};
    bool recLists = false;     // every frame (and its sound) in a LIST 'rec '
    bool indexChunks = false;  // 'ix00' chunks inside movi, as OpenDML writers add
    bool extension = false;    // the last frames in a second RIFF 'AVIX'
};

// The bytes of one stored frame (rows from the bottom unless topDown).
std::vector<uint8_t> StoredFrame(const AviShape& shape, int n);

std::vector<uint8_t> MakeAvi(const AviShape& shape);

// A WAVE file of the given PCM format around data.
std::vector<uint8_t> MakeWav(const standins::PcmFormat& format, const std::vector<uint8_t>& data);

std::vector<uint8_t> SoundBytes(size_t count);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace standintest
