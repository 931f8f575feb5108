#pragma once
// The fixed rules of the capture sequences: the self-timer's blink script,
// what a timer parameter asks for, the pictures of a burst and the text of
// the date overlay.

#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "SequencePorts.h"

namespace vimbrel::controller {

// Status overlay icons the sequences use.
constexpr int kIconNone = -1;
constexpr int kIconOff = 0;
constexpr int kIconTimer = 1;
constexpr int kIconRecording = 2;
constexpr int kIconPaused = 3;

struct BlinkStep {
    int icon;
    int milliseconds;
};

// The timer icon counting down from seconds to 1: on and off 500 ms each
// while 3 or more remain, twice on and off 250 ms each for the last two.
// The final "no icon" is not part of the script.
std::vector<BlinkStep> SelfTimerBlinkSteps(int seconds);

// A timer thread's parameter: seconds in the low 16 bits, the ContShooting
// entry (image timer) or the recording panel (record timer) in the high 16.
struct TimerParameter {
    int seconds;
    int choice;
};
TimerParameter DecodeTimerParameter(int parameter);

// The ContShooting entry that takes a single picture.
constexpr int kSingleShotEntry = 4;

// The pictures of the burst a ContShooting entry asks for (0..3: 3, 5, 12,
// 15); 0 for the single picture and for entries outside the list.
int BurstPictureCount(int contShootingEntry);

// Date overlay types: 0 MM/DD/YYYY, 1 MM/DD, 2 "HH:MM  MM/DD", 3 none.
constexpr int kDateOverlayNone = 3;

// The overlay's text for type 0..2 at that time; nullopt for other types.
std::optional<std::string> DateOverlayText(int type, const ClockReading& time);

// Milliseconds from time to the next whole second (1..1000).
int MillisecondsToNextSecond(const ClockReading& time);

// A recording time as whole seconds; 0 for negative or unreadable values.
int WholeRecordingSeconds(float seconds);

}  // namespace vimbrel::controller

namespace vimbrel::controller {

// Whether text contains part, with ASCII letters compared without regard
// to case (board product names are ASCII).
bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part);

}  // namespace vimbrel::controller
