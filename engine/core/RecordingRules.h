// The three recording toggles: which mode each needs, which state its
// recording runs in, when a call starts, stops or is refused, where the
// file goes, and the time the caller sees.
#pragma once

#include "engine/core/EngineValues.h"
#include "engine/core/VideoSubtypes.h"

#include <cstddef>

namespace camera {

enum class RecordingKind {
    VideoWithSound,  // CaptureAV
    VideoOnly,       // CaptureVideo
    Sound,           // CaptureAudio
};

// The requested mode the toggle needs, and the capture state while its
// recording runs.
int RecordingMode(RecordingKind kind);
int RecordingState(RecordingKind kind);

enum class RecordingStep {
    Refuse,
    Start,  // idle, with a path
    Stop,   // this toggle's recording runs; the path does not matter
};

RecordingStep PlanRecordingToggle(const EngineValues& values, RecordingKind kind, bool havePath);

// Room for the widened path, terminator included: sound paths have always
// had less than video paths.
std::size_t RecordingPathCapacity(RecordingKind kind);
// Whether a path of that many wide characters can be used: not empty, and
// short enough to keep its terminator.
bool RecordingPathFits(RecordingKind kind, std::size_t wideLength);

enum class VideoContainer { Asf, Avi, Unknown };
enum class SoundContainer { Wma, Avi, Wav, Unknown };

VideoContainer VideoContainerFor(int videoFileFormat);
SoundContainer SoundContainerFor(int audioFileFormat);

// The Windows Media system profile for video at the rate of that video
// bitrate index; null outside 0..3, where the writer keeps its profile.
const MediaGuid* AsfVideoProfileFor(int videoBitrateIndex);

// Which graph Pause, Resume and the time query work on in a capture state.
enum class RecordingGraph { None, Preview, Sound };
RecordingGraph GraphOfRecording(int captureState);

// Video recordings start writing this long after the graph runs, in
// 100 ns units, so that the first frames of a camera still settling are
// not kept.
constexpr long long kRecordingStartOffset = 5000000;

// Seconds from a graph position in 100 ns units.
float RecordingSeconds(long long position);

}  // namespace camera
