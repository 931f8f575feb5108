// Exports whose work is not built yet. They refuse, as the flat API does
// for anything it cannot do, so callers bound to them keep working.
#include "CameraApi.h"

CAMERA_API int CAMERA_CALL CaptureAV(const char*) { return 0; }
CAMERA_API int CAMERA_CALL CaptureVideo(const char*) { return 0; }
CAMERA_API int CAMERA_CALL CaptureAudio(const char*) { return 0; }
CAMERA_API int CAMERA_CALL Pause(void) { return 0; }
CAMERA_API int CAMERA_CALL Resume(void) { return 0; }
CAMERA_API int CAMERA_CALL GetCurrentRecordingTime(float*) { return 0; }
