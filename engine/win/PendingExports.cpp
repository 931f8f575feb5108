// Exports whose work is not built yet. They refuse, as the flat API does
// for anything it cannot do, so callers bound to them keep working.
#include "CameraApi.h"

CAMERA_API int CAMERA_CALL CaptureAV(const char*) { return 0; }
CAMERA_API int CAMERA_CALL CaptureVideo(const char*) { return 0; }
CAMERA_API int CAMERA_CALL CaptureAudio(const char*) { return 0; }
CAMERA_API int CAMERA_CALL Pause(void) { return 0; }
CAMERA_API int CAMERA_CALL Resume(void) { return 0; }
CAMERA_API int CAMERA_CALL GetCurrentRecordingTime(float*) { return 0; }

CAMERA_API int CAMERA_CALL CaptureImage(const char*) { return 0; }

CAMERA_API int CAMERA_CALL GetVideoFormat(int*, char*, int*, int*) { return 0; }
CAMERA_API int CAMERA_CALL GetVideoQualityRange(int, long*, long*, long*) { return 0; }
CAMERA_API int CAMERA_CALL GetVideoQuality(int, long*) { return 0; }
CAMERA_API int CAMERA_CALL SetVideoQuality(int, long) { return 0; }
CAMERA_API int CAMERA_CALL SetDefaultVideoQuality(int) { return 0; }
CAMERA_API int CAMERA_CALL GetCameraControlRange(int, long*, long*) { return 0; }
CAMERA_API int CAMERA_CALL GetCameraControl(int, long*) { return 0; }
CAMERA_API int CAMERA_CALL SetCameraControl(int, long) { return 0; }
CAMERA_API int CAMERA_CALL GetCurrentAudioBitrate(int*, int*) { return 0; }
CAMERA_API int CAMERA_CALL GetSupportedAudioBitrate(int*, int*) { return 0; }
CAMERA_API int CAMERA_CALL SetAudioBitrate(int) { return 0; }
CAMERA_API int CAMERA_CALL GetCurrentVideoBitrate(int*, int*) { return 0; }
CAMERA_API int CAMERA_CALL GetSupportedVideoBitrate(int*, int*) { return 0; }
CAMERA_API int CAMERA_CALL SetVideoBitrate(int) { return 0; }
CAMERA_API int CAMERA_CALL SetAudioFileFormat(int) { return 0; }
CAMERA_API int CAMERA_CALL GetAudioFileFormat(int*) { return 0; }
CAMERA_API int CAMERA_CALL SetVideoFileFormat(int) { return 0; }
CAMERA_API int CAMERA_CALL GetVideoFileFormat(int*) { return 0; }
CAMERA_API int CAMERA_CALL SetImageFileFormat(int) { return 0; }
CAMERA_API int CAMERA_CALL GetImageFileFormat(int*) { return 0; }
CAMERA_API int CAMERA_CALL SetJPGQuality(int) { return 0; }
CAMERA_API int CAMERA_CALL GetAudioVolume(double*) { return 0; }
CAMERA_API int CAMERA_CALL SetAudioVolume(double) { return 0; }
CAMERA_API int CAMERA_CALL DisplayCameraAdvancedSetting(HWND) { return 0; }


CAMERA_API int CAMERA_CALL PlayFile(const wchar_t*, HWND, float*, HDC*, int, int, int*) { return 0; }
CAMERA_API int CAMERA_CALL GetCurrentPlaybackTime(float*) { return 0; }
CAMERA_API int CAMERA_CALL ResumePlayback(void) { return 0; }
CAMERA_API int CAMERA_CALL PausePlayback(void) { return 0; }
CAMERA_API int CAMERA_CALL StopPlayback(void) { return 0; }
CAMERA_API int CAMERA_CALL SetPlaybackPosition(float) { return 0; }
CAMERA_API int CAMERA_CALL GetPlaybackVolume(double*) { return 0; }
CAMERA_API int CAMERA_CALL SetPlaybackVolume(double) { return 0; }
