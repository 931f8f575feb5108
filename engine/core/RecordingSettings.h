// The recording and picture settings the flat API reads and writes: file
// formats, bitrates, JPEG quality and the microphone level's range.
#pragma once

#include "engine/core/EngineValues.h"

namespace camera {

constexpr int kBitrateCount = 4;
extern const int kAudioBitrates[kBitrateCount];  // bit/s of WMA sound files
extern const int kVideoBitrates[kBitrateCount];  // bit/s of the ASF video profiles

enum class Stream { Audio, Video };
enum class FileKind { Audio, Video, Image };

// Each answers 1 done, 0 refused, and changes nothing when it refuses.
int GetCurrentBitrate(const EngineValues& values, Stream stream, int* index, int* bitsPerSecond);
// *index -1 asks for the number of rates; 0..3 for that rate.
int GetSupportedBitrate(const EngineValues& values, Stream stream, int* index, int* bitsPerSecond);
int SetBitrate(EngineValues& values, Stream stream, int index);

int GetFileFormat(const EngineValues& values, FileKind kind, int* format);
// Audio and video formats stay while something records; the picture
// format may change at any time.
int SetFileFormat(EngineValues& values, FileKind kind, int format);

int SetJpegQuality(EngineValues& values, int quality);

// A mix level from 0 to 1; anything else, not-a-number included, is not.
bool IsValidMixLevel(double level);

}  // namespace camera
