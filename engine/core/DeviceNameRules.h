// Name tests the engine applies to devices, filters and pins. Names arrive
// as UTF-16 from the platform; the tests compare UTF-16 code units.
#pragma once

#include <string>
#include <string_view>

namespace camera {

// Lower-cases the ASCII letters only; other characters are left alone.
std::u16string AsciiLower(std::u16string_view text);

// Sound sources of TV cards are not microphones: names containing "tuner"
// or "analog" in any letter case are left out of the audio list.
bool IsTunerOrAnalogName(std::u16string_view friendlyName);

// The microphone input of a capture device: a pin whose name begins with
// "mic" (any case) or with the Chinese word for microphone.
bool IsMicrophonePinName(std::u16string_view pinName);

// Filters are found by the start of their friendly name, so that versioned
// names ("Vimbrel_Effect 2") still match. Case-sensitive.
bool FriendlyNameStartsWith(std::u16string_view friendlyName, std::u16string_view wanted);

// Pins are found by a part of their name, ignoring letter case.
bool PinNameContains(std::u16string_view pinName, std::u16string_view wanted);

}  // namespace camera
