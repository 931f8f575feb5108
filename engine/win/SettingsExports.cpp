// Bitrates, file formats and JPEG quality: values the recordings and
// pictures read when they start.
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"
#include "engine/core/RecordingSettings.h"

using namespace camera;

CAMERA_API int CAMERA_CALL GetCurrentAudioBitrate(int* index, int* bitsPerSecond) {
    return GuardedExport([=] { return GetCurrentBitrate(Engine().values, Stream::Audio, index, bitsPerSecond); });
}

CAMERA_API int CAMERA_CALL GetSupportedAudioBitrate(int* index, int* bitsPerSecond) {
    return GuardedExport([=] { return GetSupportedBitrate(Engine().values, Stream::Audio, index, bitsPerSecond); });
}

CAMERA_API int CAMERA_CALL SetAudioBitrate(int index) {
    return GuardedExport([=] { return SetBitrate(Engine().values, Stream::Audio, index); });
}

CAMERA_API int CAMERA_CALL GetCurrentVideoBitrate(int* index, int* bitsPerSecond) {
    return GuardedExport([=] { return GetCurrentBitrate(Engine().values, Stream::Video, index, bitsPerSecond); });
}

CAMERA_API int CAMERA_CALL GetSupportedVideoBitrate(int* index, int* bitsPerSecond) {
    return GuardedExport([=] { return GetSupportedBitrate(Engine().values, Stream::Video, index, bitsPerSecond); });
}

CAMERA_API int CAMERA_CALL SetVideoBitrate(int index) {
    return GuardedExport([=] { return SetBitrate(Engine().values, Stream::Video, index); });
}

CAMERA_API int CAMERA_CALL SetAudioFileFormat(int format) {
    return GuardedExport([=] { return SetFileFormat(Engine().values, FileKind::Audio, format); });
}

CAMERA_API int CAMERA_CALL GetAudioFileFormat(int* format) {
    return GuardedExport([=] { return GetFileFormat(Engine().values, FileKind::Audio, format); });
}

CAMERA_API int CAMERA_CALL SetVideoFileFormat(int format) {
    return GuardedExport([=] { return SetFileFormat(Engine().values, FileKind::Video, format); });
}

CAMERA_API int CAMERA_CALL GetVideoFileFormat(int* format) {
    return GuardedExport([=] { return GetFileFormat(Engine().values, FileKind::Video, format); });
}

CAMERA_API int CAMERA_CALL SetImageFileFormat(int format) {
    return GuardedExport([=] { return SetFileFormat(Engine().values, FileKind::Image, format); });
}

CAMERA_API int CAMERA_CALL GetImageFileFormat(int* format) {
    return GuardedExport([=] { return GetFileFormat(Engine().values, FileKind::Image, format); });
}

CAMERA_API int CAMERA_CALL SetJPGQuality(int quality) {
    return GuardedExport([=] { return SetJpegQuality(Engine().values, quality); });
}
