#pragma once
// Where captures land and what they are called: one media folder per kind
// under the data root, and names of kind word + YYYYMMDD + a four-digit
// counter that continues from the highest number already in the folder for
// that day. The folder's names are handed in, so the rules run without a
// disk.

#include "ControllerPorts.h"
#include "FilePaths.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vimbrel::controller {

enum MediaKind : int { kMediaImage = 0, kMediaVideo = 1, kMediaAudio = 2, kMediaMonitor = 3 };
constexpr int kMediaKindCount = 4;

// A day holds at most this many captures of one kind.
constexpr int kHighestCaptureCounter = 9999;

inline bool IsMediaKind(int kind) { return kind >= kMediaImage && kind <= kMediaMonitor; }

// "Image", "Video", "Audio", "Monitor"; empty for another kind.
std::u16string_view MediaFolderLeaf(int kind);
// dataRoot + "\Vimbrel\" + leaf; empty for another kind.
std::u16string MediaFolderPath(std::u16string_view dataRoot, int kind);

// The file-type settings that choose the extension of each kind.
struct CaptureFileTypes {
    int imageFileType = 0;  // 0 bmp, 1 jpg, 2 gif, 3 png, 4 tiff
    int videoFileType = 0;  // 0 asf, 1 wmv, 2 avi
    int audioFileType = 0;  // 0 wma, 1 avi, 2 wav
};

// "image", "video", "audio", "monitor"; empty for another kind.
std::u16string_view CaptureKindWord(int kind);
// The extension without its dot; empty for another kind or a setting out
// of its range.
std::u16string_view CaptureExtension(int kind, const CaptureFileTypes& types);

// The local date as YYYYMMDD: the year as a number, month and day with two
// digits each.
std::u16string CaptureDate(const LocalTime& date);
// Kind word + YYYYMMDD, for example "image20260704"; empty for another kind.
std::u16string CapturePrefix(int kind, const LocalTime& date);

// The number formed by the decimal digits right after prefix in name (0 when
// none follow), or -1 when name does not begin with prefix. Letters are
// compared without regard to case. A longer run of digits than an int holds
// reads as INT_MAX.
int CounterAfterPrefix(std::u16string_view name, std::u16string_view prefix);

// The highest counter among the names that begin with prefix; 0 when none.
int HighestCounter(const std::vector<std::u16string>& names, std::u16string_view prefix);

// folder + "\" + prefix + NNNN + "." + extension for the next capture of the
// day. The counter follows the highest one in folderNames; when a file of
// the name is there all the same (a folder that could not be listed, or a
// capture of the moment), the counter moves on, so no capture replaces
// another. nullopt when the kind or its file type is unknown, the folder is
// empty, the day's counters are used up, or the name would not fit
// kCaptureNameCapacity.
std::optional<std::u16string> MakeCaptureName(std::u16string_view folder, int kind, const LocalTime& date,
                                              const CaptureFileTypes& types,
                                              const std::vector<std::u16string>& folderNames, const FileExists& exists);

}  // namespace vimbrel::controller
