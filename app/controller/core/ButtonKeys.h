#pragma once
// The skinned buttons and sliders the controller knows, by key colour, and
// the language keys of their tooltips.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vimbrel::controller {

// A key colour written RRGGBB, held as a Windows colour value 0x00BBGGRR.
constexpr std::uint32_t KeyColour(std::uint32_t rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

constexpr std::size_t kButtonKeyCount = 24;

// In the order the controller hands them out: minimize, close, capture
// video / video only / audio / image, stop, zoom in / out / restore,
// microphone volume, first, previous, next, last, save as, slide show,
// e-mail, print, start monitor, play-pause, stop playing, search, playback
// volume.
extern const std::array<std::uint32_t, kButtonKeyCount> kButtonKeys;

// Positions in kButtonKeys.
enum class Button : std::size_t {
    Minimize,
    Close,
    CaptureVideo,
    CaptureVideoOnly,
    CaptureAudio,
    CaptureImage,
    Stop,
    ZoomIn,
    ZoomOut,
    ZoomRestore,
    MicrophoneVolume,
    FirstItem,
    PreviousItem,
    NextItem,
    LastItem,
    SaveAs,
    SlideShow,
    Mail,
    Print,
    StartMonitor,
    PlayPause,
    StopPlaying,
    Search,
    PlaybackVolume,
};


inline std::uint32_t KeyOf(Button button) { return kButtonKeys[static_cast<std::size_t>(button)]; }

// The button of a key colour; false for a colour that is no button of ours.
bool ButtonOfKey(std::uint32_t keyColour, Button* button);

// The tooltip's language key of a key colour; null for a colour that is
// not a button of ours.
const char16_t* ButtonTipKey(std::uint32_t keyColour);

// The tooltip of a colour that is no button of ours, spelt as it has
// always been shown.
constexpr char16_t kUnknownButtonTip[] = u"Unkown";

}  // namespace vimbrel::controller
