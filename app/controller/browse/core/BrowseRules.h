#pragma once
// The fixed rules of browse mode: the photo filter's effect ids, the
// stamps and frames of the PhotoFrame folder, and the progress slider's
// percentage.

#include <string>

namespace vimbrel::controller {

// The size of the first-frame picture the engine draws a video into.
constexpr int kFirstFrameWidth = 385;
constexpr int kFirstFrameHeight = 288;
// Pause between two progress updates.
constexpr int kProgressIntervalMs = 100;
// The slider listeners of the playback position.
constexpr int kPlaybackSliderKind = 1;

// Photo filter entry 1..15 to the canvas's effect id; 0 for any other.
// The order is the photo list's own, not the live filter's.
int PhotoEffectIdOfEntry(int entry);

enum class StampKind { Pen, Image, Brush };
// Entry 0 is the pen; 1..8 and 12 are picture stamps, the rest of 9..15
// brush stamps; entries outside 0..15 count as 0.
StampKind StampKindOfEntry(int entry);

// "<program folder>\PhotoFrame\stamp<entry>.png" and "...\frame<entry>.png".
std::u16string StampPath(const std::u16string& programFolder, int entry);
std::u16string FramePath(const std::u16string& programFolder, int entry);

// time / duration × 100, truncated and held to 0..100; 0 for a duration
// that is not positive.
int ProgressPercent(float seconds, float duration);

// Whole seconds for the overlay; negative and non-finite times show 0.
int OverlaySeconds(float seconds);

}  // namespace vimbrel::controller
