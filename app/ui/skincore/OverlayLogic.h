// The status strip's rules, free of any window: the text each mode shows,
// the running time, which icons of the picture settings are on show and
// where, and the recolouring of the pen-colour swatch.
#pragma once

#include "SkinTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vimbrel::ui {

// Modes of the strip, the controller's ModeId.
enum OverlayModeId : int {
    kOverlayVideo = 0,
    kOverlayVideoOnly = 1,
    kOverlayAudio = 2,
    kOverlayImage = 3,
    kOverlayBrowse = 4,
    kOverlayMonitor = 5,
};
constexpr int kOverlayModeCount = 6;
constexpr bool IsOverlayMode(int mode) { return mode >= 0 && mode < kOverlayModeCount; }

// The settings the strip reads, copied from the controller's record at a
// mode change or refresh. Values as the record holds them.
struct OverlaySettings {
    int shootMode = 0;
    int flash = 1;         // 0 on, 1 off
    int timer = 2;         // 0 five seconds, 1 ten seconds, 2 off
    int contShooting = 4;  // 0..3 bursts, 4 single picture
    int imageWidth = 0, imageHeight = 0;
    int videoWidth = 0, videoHeight = 0;
    int jpgQuality = 0;     // 0 good, 1 fine, 2 normal
    int asfQuality = 0;     // bitrate index 0..3
    int wmaQuality = 0;     // bitrate index 0..3
    int imageFileType = 0;  // BMP, JPG, GIF, PNG, TIFF
    int videoFileType = 0;  // ASF, WMV, AVI
    int audioFileType = 0;  // WMA, AVI, WAV
    int sensitivity = 1;    // 1..10
    int penSize = 0;        // index 0..3
    int color = 0;          // pen colour, 0x00BBGGRR
    int penType = 0;        // 0 pen, 1 stamp
};

// "h:mm:ss" with hours modulo 60 ("1:02:05" for 3725); empty for a
// negative count, which is how a caller takes the time off the strip.
std::u16string FormatTime(int seconds);

// What a mode draws: the main line at the strip's left, and in browse mode
// the played file's name in its own box from x 100.
struct OverlayText {
    std::u16string line;
    std::u16string fileName;  // empty: no second text
};
constexpr int kOverlayFileNameX = 100;
constexpr int kOverlayFileNameWidth = 150;

// `time` is the formatted running time (empty when none is shown); `file`
// the controller's current media file path; `sensitivityLabel` the
// language text for the monitor's sensitivity. Empty for a mode outside
// 0..5.
OverlayText ComposeOverlayText(int mode, const OverlaySettings& settings, const std::u16string& time,
                               const std::u16string& file, const std::u16string& sensitivityLabel);

// The part of a path after its last backslash; empty when it has none.
std::u16string FileNameOfPath(const std::u16string& path);

// --- The icon row ------------------------------------------------------------

// In drawing order, left to right.
enum class OverlayIcon { ShootMode, Timer, ContShooting, PenSize, PenColour, PenType, Flash };

constexpr int kOverlayIconSize = 12;
constexpr int kOverlayIconPitch = 14;
constexpr int kOverlayIconRowLeft = 270;
// The state icon's square.
constexpr int kOverlayStateIconX = 250;
// Video, audio and image redraw their text area up to here; browse and
// monitor clear the whole strip.
constexpr int kOverlayTextAreaRight = 250;

// Bits of a mode's icon mask.
constexpr int kIconBitShootMode = 0x01;
constexpr int kIconBitTimer = 0x02;
constexpr int kIconBitContShooting = 0x04;
constexpr int kIconBitPenSize = 0x08;
constexpr int kIconBitPenColour = 0x10;
constexpr int kIconBitPenType = 0x20;
constexpr int kIconBitFlash = 0x80;

// 0x03 video, 0x02 audio, 0x87 image, 0x38 browse, 0 monitor and others.
int OverlayIconMask(int mode);

struct OverlayIconCell {
    OverlayIcon icon;
    int cell;  // the cell's index in its strip; 0 for the pen colour swatch
};

// The icons the mode shows for these settings, in drawing order. An icon
// whose value has no cell in its strip is left out, not drawn from outside
// the picture.
std::vector<OverlayIconCell> SelectOverlayIcons(int mode, const OverlaySettings& settings);

// The picture resource of an icon ("Sts_Timer.png") and its cell count.
const char* OverlayIconPicture(OverlayIcon icon);
int OverlayIconCellCount(OverlayIcon icon);

// x of icon `index` of `count` in a strip whose client rectangle spans
// left..right: the row ends one pixel inside the right edge.
int OverlayIconX(int left, int right, int count, int index);

// Pixels of the pen swatch that take the pen colour: red 19, green 154,
// blue 19, whatever their alpha.
constexpr Colour kPenKeyColour = MakeColour(19, 154, 19);

// Recolours one row of 32-bit ARGB pixels (0xAARRGGBB words) in place:
// every key pixel becomes `pen` (0x00BBGGRR), opaque. Returns how many
// pixels it changed.
int RecolourPenRow(uint32_t* row, int width, Colour pen);
// The same over a plane whose rows lie `strideWords` words apart.
int RecolourPenPlane(uint32_t* pixels, int width, int height, std::ptrdiff_t strideWords, Colour pen);

}  // namespace vimbrel::ui
