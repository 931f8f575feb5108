#pragma once
// The fixed translations of setting values: live filter entries to the
// effects filter's effect ids, quality and pen entries to numbers, frame
// entries to picture paths, and the ranges a stored value must lie in.

#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// Live filter entry 1..15 to its effect id; 0 (none) for any other entry.
int EffectIdOfEntry(int entry);
// JPGQuality 0, 1, 2 to 90, 75, 50; nullopt for any other value.
std::optional<int> JpegQualityOf(int jpgQuality);
// Timer 0, 1, 2 to 5, 10, 0 seconds; nullopt for any other value.
std::optional<int> TimerSecondsOf(int timer);
// PenSize 0..3 to widths 1, 2, 4, 8; nullopt for any other value.
std::optional<int> PenWidthOf(int penSize);
// "<folder>\PhotoFrame\frame<entry>.png".
std::u16string FramePicturePath(std::u16string_view programFolder, int entry);

// The values a setting may take when it is read back, for the settings
// whose value picks a table row, a list entry or a mode; nullopt for
// settings that take any value.
struct ValueRange {
    int minimum;
    int maximum;
};
std::optional<ValueRange> StoredValueRange(int settingId);

}  // namespace vimbrel::controller
