#pragma once
// The capture engine's entry points as the main program binds them: one
// function pointer per export, found by its exact undecorated name. A slot
// stays null when the library lacks the name, and every caller checks its
// slot before calling.
//
// Off Windows the calling convention is empty and the window and text types
// are portable stand-ins, so that native tests fill the table with fakes.

#include <cstddef>
#include <cstdint>
#include <functional>

#if defined(_WIN32)
#define VB_CDECL __cdecl
// The same types windows.h gives HWND and HDC, so the slots match the
// engine's own declarations exactly.
struct HWND__;
struct HDC__;
#else
#define VB_CDECL
#endif

namespace vimbrel::controller {

#if defined(_WIN32)
using EngineWindow = HWND__*;
using EngineDc = HDC__*;
using EngineWChar = wchar_t;
using EngineLong = long;
#else
using EngineWindow = void*;
using EngineDc = void*;
using EngineWChar = char16_t;
using EngineLong = std::int32_t;
#endif
static_assert(sizeof(EngineWChar) == sizeof(char16_t), "engine texts are UTF-16");
static_assert(sizeof(EngineLong) == 4, "engine longs are 32 bits");

// The controller keeps its texts as char16_t; the engine's wide texts are
// the same UTF-16 units under the platform's name.
inline EngineWChar* EngineText(char16_t* text) { return reinterpret_cast<EngineWChar*>(text); }
inline const EngineWChar* EngineText(const char16_t* text) { return reinterpret_cast<const EngineWChar*>(text); }

// X(export name, function type), in slot order; the slot has the export's name.
#define VB_ENGINE_EXPORTS(X)                                                                                           \
    X(GetVideoQuality, int(VB_CDECL*)(int, EngineLong*))                                                               \
    X(SetVideoQuality, int(VB_CDECL*)(int, EngineLong))                                                                \
    X(SetDefaultVideoQuality, int(VB_CDECL*)(int))                                                                     \
    X(GetVideoQualityRange, int(VB_CDECL*)(int, EngineLong*, EngineLong*, EngineLong*))                                \
    X(SetVideoFormat, int(VB_CDECL*)(int, int))                                                                        \
    X(GetVideoFormat, int(VB_CDECL*)(int*, char*, int*, int*))                                                         \
    X(GetSupportedVideoBitrate, int(VB_CDECL*)(int*, int*))                                                            \
    X(SetPreviewWnd, int(VB_CDECL*)(EngineWindow))                                                                     \
    X(Initialize, int(VB_CDECL*)(int, int, EngineWChar*, EngineWChar*, int*, int*))                                    \
    X(CaptureAV, int(VB_CDECL*)(const char*))                                                                          \
    X(CaptureVideo, int(VB_CDECL*)(const char*))                                                                       \
    X(CaptureAudio, int(VB_CDECL*)(const char*))                                                                       \
    X(Pause, int(VB_CDECL*)())                                                                                         \
    X(Resume, int(VB_CDECL*)())                                                                                        \
    X(CaptureImage, int(VB_CDECL*)(const char*))                                                                       \
    X(SetGammaCorrect, int(VB_CDECL*)(int))                                                                            \
    X(StartMonitor, int(VB_CDECL*)(EngineWindow))                                                                      \
    X(SetSensitivity, int(VB_CDECL*)(int))                                                                             \
    X(StopMonitor, int(VB_CDECL*)())                                                                                   \
    X(SetMode, int(VB_CDECL*)(int))                                                                                    \
    X(SetVideoBitrate, int(VB_CDECL*)(int))                                                                            \
    X(GetSupportedAudioBitrate, int(VB_CDECL*)(int*, int*))                                                            \
    X(SetAudioBitrate, int(VB_CDECL*)(int))                                                                            \
    X(SetVideoFileFormat, int(VB_CDECL*)(int))                                                                         \
    X(SetAudioFileFormat, int(VB_CDECL*)(int))                                                                         \
    X(SetImageFileFormat, int(VB_CDECL*)(int))                                                                         \
    X(SetJPGQuality, int(VB_CDECL*)(int))                                                                              \
    X(SetText, int(VB_CDECL*)(const EngineWChar*))                                                                     \
    X(EnableText, int(VB_CDECL*)(int))                                                                                 \
    X(SetEffect, int(VB_CDECL*)(int))                                                                                  \
    X(SetFrame, int(VB_CDECL*)(const EngineWChar*))                                                                    \
    X(Zoom, int(VB_CDECL*)(float))                                                                                     \
    X(SetAudioVolume, int(VB_CDECL*)(double))                                                                          \
    X(GetAudioVolume, int(VB_CDECL*)(double*))                                                                         \
    X(GetVideoDevice, int(VB_CDECL*)(int*, char*))                                                                     \
    X(GetAudioDevice, int(VB_CDECL*)(int*, char*))                                                                     \
    X(SelectVideoDevice, int(VB_CDECL*)(int, int, int))                                                                \
    X(SelectAudioDevice, int(VB_CDECL*)(int))                                                                          \
    X(SetPlaybackVolume, int(VB_CDECL*)(double))                                                                       \
    X(GetPlaybackVolume, int(VB_CDECL*)(double*))                                                                      \
    X(PlayFile, int(VB_CDECL*)(const EngineWChar*, EngineWindow, float*, EngineDc*, int, int, int*))                   \
    X(GetCurrentPlaybackTime, int(VB_CDECL*)(float*))                                                                  \
    X(GetCurrentRecordingTime, int(VB_CDECL*)(float*))                                                                 \
    X(ResumePlayback, int(VB_CDECL*)())                                                                                \
    X(PausePlayback, int(VB_CDECL*)())                                                                                 \
    X(StopPlayback, int(VB_CDECL*)())                                                                                  \
    X(SetPlaybackPosition, int(VB_CDECL*)(float))                                                                      \
    X(SetShootMode, int(VB_CDECL*)(int))                                                                               \
    X(SetMirrorMode, int(VB_CDECL*)(int))                                                                              \
    X(DisplayCameraAdvancedSetting, int(VB_CDECL*)(EngineWindow))                                                      \
    X(Uninitialize, int(VB_CDECL*)())                                                                                  \
    X(SetFace, int(VB_CDECL*)(int))

// Names a function pointer type written as an abstract declarator.
template <typename T>
using EngineSlotType = T;

struct EngineApi {
#define VB_ENGINE_SLOT(name, type) EngineSlotType<type> name = nullptr;
    VB_ENGINE_EXPORTS(VB_ENGINE_SLOT)
#undef VB_ENGINE_SLOT
};

constexpr std::size_t kEngineSlotCount = 52;

// The export names in slot order.
extern const char* const kEngineExportNames[kEngineSlotCount];

// The address of an export by name, or null; GetProcAddress on Windows, a
// table in the tests.
using ExportResolver = std::function<void*(const char* name)>;

// Fills every slot from resolve (a missing name leaves its slot null) and
// answers how many slots were found.
int BindEngineExports(EngineApi& api, const ExportResolver& resolve);

// How many slots are set.
int CountBoundSlots(const EngineApi& api);

}  // namespace vimbrel::controller
