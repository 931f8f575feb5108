#pragma once
// Capture names on the disk: the day's counter read from the media folder
// itself, and the names in the ANSI form the engine's capture calls take.

#include "CaptureNaming.h"
#include "ControllerPorts.h"
#include "EngineApi.h"

#include <optional>
#include <string>
#include <vector>

namespace vimbrel::controller {

// The names in folder ("." and ".." included), listed by its full path;
// nullopt when it cannot be listed.
std::optional<std::vector<std::u16string>> ListFolderNames(const std::wstring& folder);

// True when something of that name is on the disk, even a file another
// program holds open.
bool PathExists(const std::u16string& path);

// The highest counter of the names in folder that begin with prefix
// (compared without regard to case); 0 when none, or when the folder cannot
// be listed. The process's current folder is left alone.
int FindHighestCounter(const wchar_t* folder, const wchar_t* prefix);

// The next capture name of kind in mediaFolder for the clock's day, into out
// (kCaptureNameCapacity units). 0 for a null buffer or folder, another kind,
// an exhausted day or a name too long; out is then "".
int MakeCaptureName(int kind, const wchar_t* mediaFolder, const CaptureFileTypes& types, const ILocalClock& clock,
                    wchar_t* out);

// path in the ANSI code page into out (kCaptureNameCapacity bytes). 0 when
// it does not fit or a character has no exact ANSI form: a replaced
// character would send the capture to another path.
int ToEngineAnsiPath(const wchar_t* path, char* out);

// What a monitor picture needs from the controller.
struct MonitorCapture {
    int modeId = 0;
    int captureState = 0;
    // The engine's CaptureImage; null when camera.dll is not loaded or the
    // entry is not bound.
    decltype(EngineApi::CaptureImage) captureImage = nullptr;
    const wchar_t* monitorFolder = nullptr;
    CaptureFileTypes types;
};

// One monitor picture: only in monitor mode (5) while monitoring (state 4)
// with CaptureImage bound. The engine's result, or 0 without calling it
// when no name can be made.
int CaptureMonitorImage(const MonitorCapture& capture, const ILocalClock& clock);

}  // namespace vimbrel::controller
