// The arithmetic and naming rules of file playback, kept free of Windows
// types so that they can be checked natively. Times are in the media units
// of DirectShow: 100 ns, 10,000,000 per second.
#pragma once

#include <cstdint>
#include <string_view>

namespace camera {

constexpr double kMediaUnitsPerSecond = 1e7;

// Windows Media files (wmv, asf, wma) go through the ASF reader. The
// extension is the text after the last '.', compared without regard to
// letter case; a path without '.' has none.
bool IsWindowsMediaFile(std::u16string_view path);

// The length of a file in media units from the seconds the media detector
// reports, truncated. False for a length that is negative, not a number,
// infinite or too long for 64 bits: such a file cannot be positioned.
bool DurationFromSeconds(double seconds, int64_t* duration);

// The seek target for percent of duration (percent x 0.01 x duration,
// truncated). The percentage is not limited: beyond 100 or below 0 the
// player decides what happens. False only when percent is not a finite
// number or the product does not fit into 64 bits.
bool SeekPositionForPercent(float percent, int64_t duration, int64_t* position);

// A playback position in media units as the seconds the caller sees.
float SecondsFromMediaUnits(int64_t position);

}  // namespace camera
