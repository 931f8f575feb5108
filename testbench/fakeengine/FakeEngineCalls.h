#pragma once
// The fake engine's entry points, one per export the main program binds,
// with the engine's own argument types: the fake camera.dll exports them
// under their undecorated names, native tests put them in the function table.

#include <cstdint>

#if defined(_WIN32)
struct HWND__;
struct HDC__;
#endif

namespace fakeengine {

#if defined(_WIN32)
using Window = HWND__*;
using Dc = HDC__*;
using WChar = wchar_t;
using Long = long;
#else
using Window = void*;
using Dc = void*;
using WChar = char16_t;
using Long = std::int32_t;
#endif

int GetVideoQuality(int property, Long* value);
int SetVideoQuality(int property, Long value);
int SetDefaultVideoQuality(int property);
int GetVideoQualityRange(int property, Long* minimum, Long* maximum, Long* defaultValue);
int SetVideoFormat(int index, int force);
int GetVideoFormat(int* index, char* subtype, int* width, int* height);
int GetSupportedVideoBitrate(int* index, int* bitsPerSecond);
int SetPreviewWnd(Window window);
int Initialize(int mode, int format, WChar* videoName, WChar* audioName, int* videoCount, int* audioCount);
int CaptureAV(const char* path);
int CaptureVideo(const char* path);
int CaptureAudio(const char* path);
int Pause();
int Resume();
int CaptureImage(const char* path);
int SetGammaCorrect(int on);
int StartMonitor(Window window);
int SetSensitivity(int level);
int StopMonitor();
int SetMode(int mode);
int SetVideoBitrate(int index);
int GetSupportedAudioBitrate(int* index, int* bitsPerSecond);
int SetAudioBitrate(int index);
int SetVideoFileFormat(int format);
int SetAudioFileFormat(int format);
int SetImageFileFormat(int format);
int SetJPGQuality(int quality);
int SetText(const WChar* text);
int EnableText(int on);
int SetEffect(int effectId);
int SetFrame(const WChar* path);
int Zoom(float factor);
int SetAudioVolume(double level);
int GetAudioVolume(double* level);
int GetVideoDevice(int* index, char* name);
int GetAudioDevice(int* index, char* name);
int SelectVideoDevice(int index, int width, int height);
int SelectAudioDevice(int index);
int SetPlaybackVolume(double volume);
int GetPlaybackVolume(double* volume);
int PlayFile(const WChar* path, Window window, float* duration, Dc* dc, int width, int height, int* hasVideo);
int GetCurrentPlaybackTime(float* seconds);
int GetCurrentRecordingTime(float* seconds);
int ResumePlayback();
int PausePlayback();
int StopPlayback();
int SetPlaybackPosition(float percent);
int SetShootMode(int shootMode);
int SetMirrorMode(int mirror);
int DisplayCameraAdvancedSetting(Window parent);
int Uninitialize();
int SetFace(int face);

}  // namespace fakeengine
