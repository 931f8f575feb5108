// The fake camera.dll: the engine's exports under their undecorated names,
// each handing its call to the scripted engine, and three exports more for
// the test that drives it. The engine's own header declares the exports,
// so a signature that drifts from the real engine does not compile.
#include <windows.h>

#include <cstring>

#define CAMERA_BUILDING_DLL
#include "CameraApi.h"

#include "FakeEngine.h"
#include "FakeEngineCalls.h"

// 1 when the script was taken; 0 (and an empty engine) when it is malformed.
extern "C" int __cdecl FakeEngine_Script(const char* script) {
    return script != nullptr && fakeengine::Engine().Script(script) ? 1 : 0;
}

// Copies the call log, one call a line, into buffer (cut to size - 1 bytes
// and terminated) and answers the size the whole log needs.
extern "C" int __cdecl FakeEngine_Log(char* buffer, int size) {
    std::string log = fakeengine::Engine().LogText();
    if (buffer != nullptr && size > 0) {
        std::size_t length = log.size() < static_cast<std::size_t>(size) ? log.size()
                                                                         : static_cast<std::size_t>(size) - 1;
        std::memcpy(buffer, log.data(), length);
        buffer[length] = '\0';
    }
    return static_cast<int>(log.size()) + 1;
}

extern "C" void __cdecl FakeEngine_ClearLog(void) { fakeengine::Engine().ClearLog(); }

CAMERA_API int CAMERA_CALL GetVideoQuality(int property, long* value) {
    return fakeengine::GetVideoQuality(property, value);
}

CAMERA_API int CAMERA_CALL SetVideoQuality(int property, long value) {
    return fakeengine::SetVideoQuality(property, value);
}

CAMERA_API int CAMERA_CALL SetDefaultVideoQuality(int property) { return fakeengine::SetDefaultVideoQuality(property); }

CAMERA_API int CAMERA_CALL GetVideoQualityRange(int property, long* minimum, long* maximum, long* defaultValue) {
    return fakeengine::GetVideoQualityRange(property, minimum, maximum, defaultValue);
}

CAMERA_API int CAMERA_CALL SetVideoFormat(int index, int force) { return fakeengine::SetVideoFormat(index, force); }

CAMERA_API int CAMERA_CALL GetVideoFormat(int* index, char* subtype, int* width, int* height) {
    return fakeengine::GetVideoFormat(index, subtype, width, height);
}

CAMERA_API int CAMERA_CALL GetSupportedVideoBitrate(int* index, int* bitsPerSecond) {
    return fakeengine::GetSupportedVideoBitrate(index, bitsPerSecond);
}

CAMERA_API int CAMERA_CALL SetPreviewWnd(HWND window) { return fakeengine::SetPreviewWnd(window); }

CAMERA_API int CAMERA_CALL Initialize(int mode, int format, wchar_t* videoName, wchar_t* audioName, int* videoCount,
                                      int* audioCount) {
    return fakeengine::Initialize(mode, format, videoName, audioName, videoCount, audioCount);
}

CAMERA_API int CAMERA_CALL CaptureAV(const char* path) { return fakeengine::CaptureAV(path); }

CAMERA_API int CAMERA_CALL CaptureVideo(const char* path) { return fakeengine::CaptureVideo(path); }

CAMERA_API int CAMERA_CALL CaptureAudio(const char* path) { return fakeengine::CaptureAudio(path); }

CAMERA_API int CAMERA_CALL Pause(void) { return fakeengine::Pause(); }

CAMERA_API int CAMERA_CALL Resume(void) { return fakeengine::Resume(); }

CAMERA_API int CAMERA_CALL CaptureImage(const char* path) { return fakeengine::CaptureImage(path); }

CAMERA_API int CAMERA_CALL SetGammaCorrect(int on) { return fakeengine::SetGammaCorrect(on); }

CAMERA_API int CAMERA_CALL StartMonitor(HWND window) { return fakeengine::StartMonitor(window); }

CAMERA_API int CAMERA_CALL SetSensitivity(int level) { return fakeengine::SetSensitivity(level); }

CAMERA_API int CAMERA_CALL StopMonitor(void) { return fakeengine::StopMonitor(); }

CAMERA_API int CAMERA_CALL SetMode(int mode) { return fakeengine::SetMode(mode); }

CAMERA_API int CAMERA_CALL SetVideoBitrate(int index) { return fakeengine::SetVideoBitrate(index); }

CAMERA_API int CAMERA_CALL GetSupportedAudioBitrate(int* index, int* bitsPerSecond) {
    return fakeengine::GetSupportedAudioBitrate(index, bitsPerSecond);
}

CAMERA_API int CAMERA_CALL SetAudioBitrate(int index) { return fakeengine::SetAudioBitrate(index); }

CAMERA_API int CAMERA_CALL SetVideoFileFormat(int format) { return fakeengine::SetVideoFileFormat(format); }

CAMERA_API int CAMERA_CALL SetAudioFileFormat(int format) { return fakeengine::SetAudioFileFormat(format); }

CAMERA_API int CAMERA_CALL SetImageFileFormat(int format) { return fakeengine::SetImageFileFormat(format); }

CAMERA_API int CAMERA_CALL SetJPGQuality(int quality) { return fakeengine::SetJPGQuality(quality); }

CAMERA_API int CAMERA_CALL SetText(const wchar_t* text) { return fakeengine::SetText(text); }

CAMERA_API int CAMERA_CALL EnableText(int on) { return fakeengine::EnableText(on); }

CAMERA_API int CAMERA_CALL SetEffect(int effectId) { return fakeengine::SetEffect(effectId); }

CAMERA_API int CAMERA_CALL SetFrame(const wchar_t* path) { return fakeengine::SetFrame(path); }

CAMERA_API int CAMERA_CALL Zoom(float factor) { return fakeengine::Zoom(factor); }

CAMERA_API int CAMERA_CALL SetAudioVolume(double level) { return fakeengine::SetAudioVolume(level); }

CAMERA_API int CAMERA_CALL GetAudioVolume(double* level) { return fakeengine::GetAudioVolume(level); }

CAMERA_API int CAMERA_CALL GetVideoDevice(int* index, char* name) { return fakeengine::GetVideoDevice(index, name); }

CAMERA_API int CAMERA_CALL GetAudioDevice(int* index, char* name) { return fakeengine::GetAudioDevice(index, name); }

CAMERA_API int CAMERA_CALL SelectVideoDevice(int index, int width, int height) {
    return fakeengine::SelectVideoDevice(index, width, height);
}

CAMERA_API int CAMERA_CALL SelectAudioDevice(int index) { return fakeengine::SelectAudioDevice(index); }

CAMERA_API int CAMERA_CALL SetPlaybackVolume(double volume) { return fakeengine::SetPlaybackVolume(volume); }

CAMERA_API int CAMERA_CALL GetPlaybackVolume(double* volume) { return fakeengine::GetPlaybackVolume(volume); }

CAMERA_API int CAMERA_CALL PlayFile(const wchar_t* path, HWND window, float* duration, HDC* dc, int width, int height,
                                    int* hasVideo) {
    return fakeengine::PlayFile(path, window, duration, dc, width, height, hasVideo);
}

CAMERA_API int CAMERA_CALL GetCurrentPlaybackTime(float* seconds) {
    return fakeengine::GetCurrentPlaybackTime(seconds);
}

CAMERA_API int CAMERA_CALL GetCurrentRecordingTime(float* seconds) {
    return fakeengine::GetCurrentRecordingTime(seconds);
}

CAMERA_API int CAMERA_CALL ResumePlayback(void) { return fakeengine::ResumePlayback(); }

CAMERA_API int CAMERA_CALL PausePlayback(void) { return fakeengine::PausePlayback(); }

CAMERA_API int CAMERA_CALL StopPlayback(void) { return fakeengine::StopPlayback(); }

CAMERA_API int CAMERA_CALL SetPlaybackPosition(float percent) { return fakeengine::SetPlaybackPosition(percent); }

CAMERA_API int CAMERA_CALL SetShootMode(int shootMode) { return fakeengine::SetShootMode(shootMode); }

CAMERA_API int CAMERA_CALL SetMirrorMode(int mirror) { return fakeengine::SetMirrorMode(mirror); }

CAMERA_API int CAMERA_CALL DisplayCameraAdvancedSetting(HWND parent) {
    return fakeengine::DisplayCameraAdvancedSetting(parent);
}

CAMERA_API int CAMERA_CALL Uninitialize(void) { return fakeengine::Uninitialize(); }

CAMERA_API int CAMERA_CALL SetFace(int face) { return fakeengine::SetFace(face); }
