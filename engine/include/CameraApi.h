// The flat interface of camera.dll: 63 functions with undecorated names and
// the caller-cleans convention. Each returns 1 when done and 0 when refused
// or failed, except SelectVideoDeviceByName (0 or a failure HRESULT).
// Capture and recording paths are ANSI; playback paths, texts and device
// names are wide.
#pragma once

#include <windows.h>

#ifdef CAMERA_BUILDING_DLL
#define CAMERA_API extern "C"
#else
#define CAMERA_API extern "C" __declspec(dllimport)
#endif
#define CAMERA_CALL __cdecl

// Lifecycle, modes and devices
CAMERA_API int CAMERA_CALL Initialize(int mode, int videoFormatIndex, wchar_t* videoDeviceName,
                                      wchar_t* audioDeviceName, int* videoDeviceCount, int* audioDeviceCount);
CAMERA_API int CAMERA_CALL Uninitialize(void);
CAMERA_API int CAMERA_CALL SetMode(int mode);
CAMERA_API int CAMERA_CALL SetPreviewWnd(HWND window);
CAMERA_API int CAMERA_CALL GetVideoDevice(int* index, char* name);
CAMERA_API int CAMERA_CALL GetAudioDevice(int* index, char* name);
CAMERA_API int CAMERA_CALL SelectVideoDevice(int index, int width, int height);
CAMERA_API int CAMERA_CALL SelectAudioDevice(int index);
CAMERA_API int CAMERA_CALL SelectVideoDeviceByName(const wchar_t* name);
CAMERA_API int CAMERA_CALL SelectAudioDeviceByName(const wchar_t* name);
CAMERA_API int CAMERA_CALL GetGraphStatus(void);

// Recording
CAMERA_API int CAMERA_CALL CaptureAV(const char* path);
CAMERA_API int CAMERA_CALL CaptureVideo(const char* path);
CAMERA_API int CAMERA_CALL CaptureAudio(const char* path);
CAMERA_API int CAMERA_CALL Pause(void);
CAMERA_API int CAMERA_CALL Resume(void);
CAMERA_API int CAMERA_CALL GetCurrentRecordingTime(float* seconds);

// Still pictures
CAMERA_API int CAMERA_CALL CaptureImage(const char* path);

// Formats, quality, bitrates, controls and volumes
CAMERA_API int CAMERA_CALL GetVideoFormat(int* index, char* subtypeName, int* width, int* height);
CAMERA_API int CAMERA_CALL SetVideoFormat(int index, int force);
CAMERA_API int CAMERA_CALL GetVideoQualityRange(int property, long* minimum, long* maximum, long* defaultValue);
CAMERA_API int CAMERA_CALL GetVideoQuality(int property, long* value);
CAMERA_API int CAMERA_CALL SetVideoQuality(int property, long value);
CAMERA_API int CAMERA_CALL SetDefaultVideoQuality(int property);
CAMERA_API int CAMERA_CALL GetCameraControlRange(int property, long* minimum, long* maximum);
CAMERA_API int CAMERA_CALL GetCameraControl(int property, long* value);
CAMERA_API int CAMERA_CALL SetCameraControl(int property, long value);
CAMERA_API int CAMERA_CALL GetCurrentAudioBitrate(int* index, int* bitsPerSecond);
CAMERA_API int CAMERA_CALL GetSupportedAudioBitrate(int* index, int* bitsPerSecond);
CAMERA_API int CAMERA_CALL SetAudioBitrate(int index);
CAMERA_API int CAMERA_CALL GetCurrentVideoBitrate(int* index, int* bitsPerSecond);
CAMERA_API int CAMERA_CALL GetSupportedVideoBitrate(int* index, int* bitsPerSecond);
CAMERA_API int CAMERA_CALL SetVideoBitrate(int index);
CAMERA_API int CAMERA_CALL SetAudioFileFormat(int format);
CAMERA_API int CAMERA_CALL GetAudioFileFormat(int* format);
CAMERA_API int CAMERA_CALL SetVideoFileFormat(int format);
CAMERA_API int CAMERA_CALL GetVideoFileFormat(int* format);
CAMERA_API int CAMERA_CALL SetImageFileFormat(int format);
CAMERA_API int CAMERA_CALL GetImageFileFormat(int* format);
CAMERA_API int CAMERA_CALL SetJPGQuality(int quality);
CAMERA_API int CAMERA_CALL GetAudioVolume(double* level);
CAMERA_API int CAMERA_CALL SetAudioVolume(double level);
CAMERA_API int CAMERA_CALL DisplayCameraAdvancedSetting(HWND parent);

// Effects, shoot modes and monitoring
CAMERA_API int CAMERA_CALL SetEffect(int effectId);
CAMERA_API int CAMERA_CALL SetFrame(const wchar_t* path);
CAMERA_API int CAMERA_CALL SetText(const wchar_t* text);
CAMERA_API int CAMERA_CALL EnableText(int on);
CAMERA_API int CAMERA_CALL Zoom(float factor);
CAMERA_API int CAMERA_CALL SetMirrorMode(int mirror);
CAMERA_API int CAMERA_CALL SetGammaCorrect(int on);
CAMERA_API int CAMERA_CALL SetShootMode(int shootMode);
CAMERA_API int CAMERA_CALL SetFace(int face);
CAMERA_API int CAMERA_CALL StartMonitor(HWND notifyWindow);
CAMERA_API int CAMERA_CALL StopMonitor(void);
CAMERA_API int CAMERA_CALL SetSensitivity(int level);

// Playback
CAMERA_API int CAMERA_CALL PlayFile(const wchar_t* path, HWND videoWindow, float* durationSeconds, HDC* dc, int width,
                                    int height, int* hasVideo);
CAMERA_API int CAMERA_CALL GetCurrentPlaybackTime(float* seconds);
CAMERA_API int CAMERA_CALL ResumePlayback(void);
CAMERA_API int CAMERA_CALL PausePlayback(void);
CAMERA_API int CAMERA_CALL StopPlayback(void);
CAMERA_API int CAMERA_CALL SetPlaybackPosition(float percent);
CAMERA_API int CAMERA_CALL GetPlaybackVolume(double* volume);
CAMERA_API int CAMERA_CALL SetPlaybackVolume(double volume);
